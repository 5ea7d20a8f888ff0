#pragma once
// The pay analysis view (frmAnalysis): ten read-only figures of the last
// calculation and a Print command for the analysis document.

#include <QWidget>

#include <array>
#include <functional>

#include "app/app_context.h"
#include "forms/tools/logic/analysis_model.h"

class QGridLayout;
class QLabel;
class QPrinter;
class QPushButton;

namespace wm {

class AnalysisWindow : public QWidget {
    Q_OBJECT

public:
    explicit AnalysisWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~AnalysisWindow() override;

    const AnalysisModel& model() const { return model_; }

    // Hands the printer choice to the print window (tests replace the
    // print dialog with it).
    std::function<bool(QPrinter&)> choosePrinter;

protected:
    bool event(QEvent* e) override;

private:
    QGridLayout* buildFigures();
    // The figures of the pay record as it is now.
    void refresh();
    void cmdPrintClick();
    void display(const Analysis& a);

    AppContext& ctx_;
    AnalysisModel model_;
    std::array<QLabel*, kAnalysisFigureCount> lblAnalysis_{};
    std::array<QLabel*, kAnalysisFigureCount> lblOne_{};
    QLabel* lblMessage_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
};

}  // namespace wm
