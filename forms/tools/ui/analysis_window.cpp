#include "forms/tools/ui/analysis_window.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/tools/ui/tool_page.h"
#include "print/ui/print_window.h"
#include "ui/layouts.h"

namespace wm {

AnalysisWindow::AnalysisWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), model_(ctx.record, ctx.state, ctx.settings, ctx.errors)
{
    setObjectName(QStringLiteral("frmAnalysis"));
    setWindowTitle(tr("Pay Analysis"));

    auto* title = makeTitle(tr("Pay Analysis"), this);

    lblMessage_ = makeMessageLabel(this);

    QGridLayout* grid = buildFigures();

    cmdPrint_ = new QPushButton(tr("P&rint..."), this);
    cmdPrint_->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint_->setToolTip(tr("Print the pay analysis."));
    connect(cmdPrint_, &QPushButton::clicked, this, &AnalysisWindow::cmdPrintClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdPrint_);

    auto* body = new QVBoxLayout;
    body->addWidget(title);
    body->addWidget(lblMessage_);
    body->addSpacing(8);
    body->addLayout(grid);
    body->addSpacing(12);
    body->addLayout(buttons);
    body->addStretch(1);

    // Keeps the figures together at the top left of a maximised window.
    setScrollingPage(this, body, QMargins(24, 18, 24, 18), true);

    refresh();
}

// The captions and figures in three groups: hourly, percentages, annual.
QGridLayout* AnalysisWindow::buildFigures()
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(6);
    int row = 0;
    for (int i = 0; i < kAnalysisFigureCount; ++i) {
        if (startsAnalysisGroup(static_cast<std::size_t>(i))) {
            auto* line = new QFrame(this);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            grid->addWidget(line, row++, 0, 1, 2);
        }
        const std::size_t k = static_cast<std::size_t>(i);
        lblAnalysis_[k] = new QLabel(QString::fromUtf8(kAnalysisCaptions[k].data(),
                                                       static_cast<int>(kAnalysisCaptions[k].size())), this);
        lblAnalysis_[k]->setObjectName(QStringLiteral("lblAnalysis_%1").arg(i));
        lblOne_[k] = new QLabel(this);
        lblOne_[k]->setObjectName(QStringLiteral("lblOne_%1").arg(i));
        lblOne_[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblOne_[k]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lblOne_[k]->setMinimumWidth(lblOne_[k]->fontMetrics().horizontalAdvance(QStringLiteral("$000,000.00")));
        QFont vf = lblOne_[k]->font();
        vf.setBold(true);
        lblOne_[k]->setFont(vf);
        grid->addWidget(lblAnalysis_[k], row, 0);
        grid->addWidget(lblOne_[k], row, 1);
        ++row;
    }
    return grid;
}

AnalysisWindow::~AnalysisWindow() = default;

void AnalysisWindow::refresh()
{
    model_.load();
    display(model_.analysis());
}

bool AnalysisWindow::event(QEvent* e)
{
    // Back in front after the calculator changed: the figures follow it.
    followActivation(this, e, &AnalysisWindow::refresh);
    return QWidget::event(e);
}

void AnalysisWindow::display(const Analysis& a)
{
    bool any = false;
    for (std::size_t i = 0; i < lblOne_.size(); ++i) {
        const AnalysisFigure& f = a.figures[i];
        lblOne_[i]->setText(f.available ? QString::fromStdString(f.text()) : QStringLiteral("-"));
        lblOne_[i]->setEnabled(f.available);
        any = any || f.available;
    }
    lblMessage_->setText(QString::fromStdString(a.message));
    lblMessage_->setVisible(!a.message.empty());
    cmdPrint_->setEnabled(any);
}

void AnalysisWindow::cmdPrintClick()
{
    model_.print();
    // The print window's Print command, on a window that is never shown.
    const std::string current = ctx_.state.frmLoaded;
    {
        PrintWindow printer(ctx_);
        printer.setAnalysis(model_.analysis());
        printer.choosePrinter = choosePrinter;
        printer.printCommand();
    }
    ctx_.state.frmLoaded = current;
}

}  // namespace wm
