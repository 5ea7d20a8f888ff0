#pragma once
// The Personal Allowances Worksheet window (frmPersWkSht): two pages over
// the worksheet logic of pers_wksht_model.h.

#include <QWidget>
#include <array>

#include "app/app_context.h"
#include "forms/w4/logic/pers_wksht_model.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace wm::w4 {

class ResultField;
class WrapButton;

class PersWkShtWindow final : public QWidget {
    Q_OBJECT
public:
    explicit PersWkShtWindow(AppContext& ctx, QWidget* parent = nullptr);

    const PersWkSht& model() const { return model_; }

    // The commands, as their buttons run them.
    void calculate();
    void instruction(int index);
    void showPage(int page);

private:
    QWidget* buildPage1();
    QWidget* buildPage2();
    void readInputs();
    void refresh();
    QWidget* entryForLine(const std::string& line) const;

    AppContext& ctx_;
    PersWkSht model_;
    QStackedWidget* pages_ = nullptr;
    std::array<QCheckBox*, 5> ticks_{};
    QLineEdit* txtD_ = nullptr;
    QLineEdit* txtG_ = nullptr;
    ResultField* lblH_ = nullptr;
};

}  // namespace wm::w4
