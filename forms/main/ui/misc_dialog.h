#pragma once
// The local tax and pay raise tool (frmMisc): a two-page modal dialog over
// MiscModel, opened by the calculator's Local Tax and Raise buttons.

#include <QDialog>
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
