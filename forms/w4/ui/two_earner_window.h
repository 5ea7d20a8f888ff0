#pragma once
// The Two-Earner/Two-Job Worksheet window (frm2Workers): two pages over the
// worksheet logic of two_earner_model.h, with the table picker.

#include <QPointer>
#include <QWidget>

#include "app/app_context.h"
#include "forms/w4/logic/two_earner_model.h"

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace wm::w4 {

class ResultField;
class TablePickerDialog;

class TwoEarnerWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TwoEarnerWindow(AppContext& ctx, QWidget* parent = nullptr);

    const TwoEarnerWkSht& model() const { return model_; }
    // The picker while it is open (it is window-modal and does not block).
    TablePickerDialog* picker() const;

    void showTable(int index);
    void calculate();
    void formW4(int index);
    void showPage(int page);
    void calendar();

private:
    QWidget* buildPage1();
    QWidget* buildPage2();
    QHBoxLayout* buildPayDaysRow(QWidget* page);
    void refresh();

    AppContext& ctx_;
    TwoEarnerWkSht model_;
    QStackedWidget* pages_ = nullptr;
    QPointer<TablePickerDialog> picker_;
    QPushButton* next_ = nullptr;
    QPushButton* formW4Page1_ = nullptr;
    QLineEdit* txtPayDays_ = nullptr;
    ResultField* line1_ = nullptr;
    ResultField* line2_ = nullptr;
    ResultField* line3_ = nullptr;
    ResultField* line4_ = nullptr;
    ResultField* line5_ = nullptr;
    ResultField* line6_ = nullptr;
    ResultField* line7_ = nullptr;
    ResultField* line8_ = nullptr;
    ResultField* line9_ = nullptr;
};

}  // namespace wm::w4
