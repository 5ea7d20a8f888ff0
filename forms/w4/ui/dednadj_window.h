#pragma once
// The Deductions and Adjustments Worksheet window (frmDednAdj): two pages
// over the worksheet logic of dednadj_model.h.

#include <QWidget>

#include "app/app_context.h"
#include "forms/w4/logic/dednadj_model.h"

class QButtonGroup;
class QLineEdit;
class QStackedWidget;

namespace wm::w4 {

class ResultField;

class DednAdjWindow final : public QWidget {
    Q_OBJECT
public:
    explicit DednAdjWindow(AppContext& ctx, QWidget* parent = nullptr);

    const DednAdjWkSht& model() const { return model_; }

    void chooseCategory(int index);
    void calculate();
    void showPage(int page);

private:
    QWidget* buildPage1();
    QWidget* buildPage2();
    void refresh();
    QLineEdit* entry(const char* objectName, const QString& access, QWidget* page);
    QLineEdit* entryForLine(const std::string& line) const;

    AppContext& ctx_;
    DednAdjWkSht model_;
    QStackedWidget* pages_ = nullptr;
    QButtonGroup* categories_ = nullptr;
    QLineEdit* txtItemized_ = nullptr;
    QLineEdit* txtAdjustments_ = nullptr;
    QLineEdit* txtCredits_ = nullptr;
    QLineEdit* txtNonWage_ = nullptr;
    ResultField* line2_ = nullptr;
    ResultField* line3_ = nullptr;
    ResultField* line5_ = nullptr;
    ResultField* line7_ = nullptr;
    ResultField* line8_ = nullptr;
    ResultField* line9_ = nullptr;
    ResultField* line10_ = nullptr;
};

}  // namespace wm::w4
