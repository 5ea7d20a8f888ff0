#pragma once
// The Multiple Check Worksheet (frmMultiCheck): four checks with their pay
// periods, their monthly equivalents and the Calculated Total, which the
// transfer command hands to the main calculator as monthly income.

#include <QWidget>

#include <array>

#include "app/app_context.h"
#include "forms/tools/logic/multi_check_model.h"

class QButtonGroup;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace wm {

class MultiCheckWindow : public QWidget {
    Q_OBJECT

public:
    explicit MultiCheckWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~MultiCheckWindow() override;

    const MultiCheckModel& model() const { return model_; }

signals:
    // The total went to the main calculator: income text and "Monthly".
    void transferred(const QString& incomeText, int howOft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addHeadings(QGridLayout* grid);
    void addCheckRow(QGridLayout* grid, int n);
    void addTotalRow(QGridLayout* grid);
    QHBoxLayout* buildButtons();
    void cmdCalcClick();
    void cmdGoBackClick();
    void refresh();
    void closeWindow();

    AppContext& ctx_;
    MultiCheckModel model_;
    std::array<QLineEdit*, kCheckCount> txtCheck_{};
    std::array<std::array<QRadioButton*, kCheckPeriodCount>, kCheckCount> optSelect_{};
    std::array<QLabel*, kCheckCount> lblCheck_{};
    std::array<QLabel*, kCheckPeriodCount> headings_{};
    QLabel* lblMultiTotal_ = nullptr;
    QPushButton* cmdCalc_ = nullptr;
    QPushButton* cmdGoBack_ = nullptr;
};

}  // namespace wm
