#pragma once
// The local tax and pay raise tool (frmMisc): a two-page modal dialog over
// MiscModel, opened by the calculator's Local Tax and Raise buttons.

#include <QDialog>
#include <QRgb>
#include <array>

#include "forms/main/logic/misc_model.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace wm {

class MiscDialog final : public QDialog {
    Q_OBJECT
public:
    MiscDialog(MainFormModel& main, MiscModel::Page page, QWidget* parent = nullptr);
    ~MiscDialog() override;
    MiscModel& model() { return model_; }

signals:
    // A raise was calculated: the calculator's entries and grid changed.
    void raised();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The control arrays txtRaise_0..2 and cmdExit_0..2, by what each is.
    enum RaiseField { kRaisePercent = 0, kNewWage = 1, kLocalRate = 2 };
    enum ExitButton { kAccept = 0, kCalculate = 1, kClose = 2 };

    QWidget* buildLocalTaxPage();
    QWidget* buildRaisePage();
    QLineEdit* makeField(RaiseField i, const QString& accessible, QWidget* parent);
    QLabel* makeHint(RaiseField i, QWidget* parent);
    QPushButton* makeButton(ExitButton i, const QString& text, const QString& glyph, QRgb color, const QString& tip,
                            QWidget* parent);
    void connectEvents();
    void readFields();
    void showModel();
    void acceptLocalTax();
    void calculateRaise();

    MiscModel model_;
    QTabWidget* tabLR_;
    std::array<QLineEdit*, 3> txtRaise_{};
    QListWidget* lstGrossPay_;
    QLabel* lblOldShow_;
    QLabel* lblPercentSign_;
    std::array<QPushButton*, 3> cmdExit_{};
};

}  // namespace wm
