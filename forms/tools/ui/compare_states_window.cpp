#include "forms/tools/ui/compare_states_window.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

#include "forms/tools/ui/tool_page.h"
#include "print/render/document_renderer.h"
#include "print/ui/print_window.h"
#include "ui/layouts.h"

namespace wm {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

// The state tax of each row as a bar, in the table's order; the chosen
// state's bar in the accent colour. The pointer over a bar names it.
class StateTaxChart final : public QWidget {
public:
    explicit StateTaxChart(const CompareStatesModel& model, QWidget* parent) : QWidget(parent), model_(model)
    {
        setObjectName(QStringLiteral("picStateTaxChart"));
        setAccessibleName(QStringLiteral("State tax by state"));
        setMinimumSize(240, 140);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    QSize sizeHint() const override { return {420, 300}; }

protected:
    QRect plot() const
    {
        const int line = fontMetrics().height();
        return rect().adjusted(8, line + 8, -8, -line - 4);
    }
    int barAt(int x) const
    {
        const QRect p = plot();
        const int n = static_cast<int>(model_.rows().size());
        if (n == 0 || x < p.left() || x > p.right()) return -1;
        return std::min(n - 1, (x - p.left()) * n / std::max(1, p.width()));
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const auto& rows = model_.rows();
        p.setPen(palette().text().color());
        p.drawText(QRect(0, 2, width(), fontMetrics().height()), Qt::AlignHCenter,
                   QStringLiteral("State tax by state, in the order of the table"));
        if (rows.empty()) return;
        Currency top;
        for (const auto& r : rows) top = std::max(top, r.stateTax());
        const QRect area = plot();
        p.drawText(QRect(0, area.bottom() + 4, width(), fontMetrics().height()), Qt::AlignHCenter,
                   QStringLiteral("Highest: %1").arg(text(formatCurrency(top))));
        const double w = static_cast<double>(area.width()) / static_cast<double>(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const double share = top.isZero() ? 0 : rows[i].stateTax().toDouble() / top.toDouble();
            const int h = static_cast<int>(share * area.height());
            const QRectF bar(area.left() + static_cast<double>(i) * w + 1, area.bottom() - h, std::max(1.0, w - 2), h);
            p.fillRect(bar, rows[i].chosen ? palette().highlight().color() : QColor(58, 143, 92));
        }
        p.setPen(palette().mid().color());
        p.drawLine(area.bottomLeft(), area.bottomRight());
    }
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(e);
            const int i = barAt(help->pos().x());
            if (i < 0) QToolTip::hideText();
            else {
                const auto& r = model_.rows()[static_cast<std::size_t>(i)];
                QToolTip::showText(help->globalPos(), QStringLiteral("%1: %2").arg(
                    text(std::string(stateAt(r.state).name)), text(formatCurrency(r.stateTax()))));
            }
            return true;
        }
        return QWidget::event(e);
    }

private:
    const CompareStatesModel& model_;
};

QTableWidgetItem* item(const QString& s, bool right, bool bold)
{
    auto* it = new QTableWidgetItem(s);
    if (right) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = it->font();
    f.setBold(bold);
    it->setFont(f);
    return it;
}

}  // namespace

CompareStatesWindow::CompareStatesWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), model_(ctx), output_(this, ctx.errors, CompareStatesModel::kName)
{
    setObjectName(QLatin1String(CompareStatesModel::kName));
    setWindowTitle(tr("Compare States"));
    auto* body = new QVBoxLayout;
    body->addWidget(makeTitle(tr("Compare States"), this));
    auto* intro = new QLabel(tr("The last calculation in every state. Enter or a double-click on a row makes it the "
                                "calculator's state."), this);
    intro->setWordWrap(true);
    body->addWidget(intro);
    lblMessage_ = makeMessageLabel(this);
    body->addWidget(lblMessage_);

    auto* sortRow = new QHBoxLayout;
    auto* sortLabel = new QLabel(tr("&Sort by:"), this);
    cboSort_ = new QComboBox(this);
    cboSort_->setObjectName(QStringLiteral("cboSort"));
    cboSort_->addItems({tr("State"), tr("State Tax"), tr("Check Amt"), tr("Difference")});
    sortLabel->setBuddy(cboSort_);
    sortRow->addWidget(sortLabel);
    sortRow->addWidget(cboSort_);
    sortRow->addStretch(1);
    body->addLayout(sortRow);

    tblStates_ = new QTableWidget(0, 4, this);
    tblStates_->setObjectName(QStringLiteral("tblStates"));
    tblStates_->setAccessibleName(tr("This paycheck in every state"));
    tblStates_->setHorizontalHeaderLabels({tr("State"), tr("State Tax"), tr("Check Amt"), tr("Difference")});
    tblStates_->verticalHeader()->hide();
    tblStates_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblStates_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblStates_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblStates_->setTabKeyNavigation(false);  // Tab leaves the table
    tblStates_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblStates_->horizontalHeader()->setSortIndicatorShown(true);
    tblStates_->setMinimumHeight(tblStates_->fontMetrics().height() * 12);
    connect(tblStates_->horizontalHeader(), &QHeaderView::sectionClicked, this, &CompareStatesWindow::sortBy);
    connect(tblStates_, &QTableWidget::activated, this, &CompareStatesWindow::useCurrentRow);
    connect(cboSort_, &QComboBox::activated, this, [this](int column) {
        // A column chosen here starts in its usual order.
        model_.sortBy(static_cast<CompareStatesModel::Column>(column), column != CompareStatesModel::State);
        display();
    });
    chart_ = new StateTaxChart(model_, this);
    body->addWidget(tblStates_, 3);
    body->addWidget(chart_, 2);
    lblHow_ = new QLabel(this);
    lblHow_->setObjectName(QStringLiteral("lblHowChosen"));
    lblHow_->setWordWrap(true);
    body->addWidget(lblHow_);
    body->addWidget(buildCommands());
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    body->addWidget(lblStatus_);
    output_.done = [this](const QString& s) { lblStatus_->setText(s); };
    setScrollingPage(this, body, QMargins(18, 12, 18, 12), false);
    refresh();
}

QWidget* CompareStatesWindow::buildCommands()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    cmdUse_ = addCommand(row, box, "cmdUseState", tr("&Use This State"), {}, this, &CompareStatesWindow::useCurrentRow);
    cmdUse_->setToolTip(tr("Make the selected row the calculator's state, with the options it used, and calculate"));
    row->addStretch(1);
    cmdPreview_ = addCommand(row, box, "cmdPreview", tr("Print Pre&view"), {}, this, &CompareStatesWindow::preview);
    cmdPrint_ = addCommand(row, box, "cmdPrint", tr("P&rint"), {}, this, &CompareStatesWindow::print);
    cmdSavePdf_ = addCommand(row, box, "cmdSavePdf", tr("Save as P&DF"), {}, this, &CompareStatesWindow::saveAsPdf);
    return box;
}

bool CompareStatesWindow::event(QEvent* e)
{
    // Back in front after the calculator changed: the rows follow it.
    followActivation(this, e, &CompareStatesWindow::refresh);
    return QWidget::event(e);
}

void CompareStatesWindow::refresh()
{
    model_.refresh();
    display();
}

void CompareStatesWindow::sortBy(int column)
{
    const auto c = static_cast<CompareStatesModel::Column>(column);
    const bool again = c == model_.sortColumn();
    model_.sortBy(c, again ? !model_.descending() : c != CompareStatesModel::State);
    display();
}

void CompareStatesWindow::display()
{
    const auto& rows = model_.rows();
    lblMessage_->setText(text(model_.message));
    lblMessage_->setVisible(!model_.message.empty());
    lblHow_->setText(rows.empty() ? QString() : text(model_.howChosen()));
    for (QPushButton* b : {cmdUse_, cmdPreview_, cmdPrint_, cmdSavePdf_}) b->setEnabled(!rows.empty());
    tblStates_->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& r = rows[i];
        const int at = static_cast<int>(i);
        const QString name = text(std::string(stateAt(r.state).name)) + (r.chosen ? tr(" (chosen)") : QString());
        tblStates_->setItem(at, 0, item(name, false, r.chosen));
        const QString none = tr("stopped");
        tblStates_->setItem(at, 1, item(r.record ? text(formatCurrency(r.stateTax())) : none, true, r.chosen));
        tblStates_->setItem(at, 2, item(r.record ? text(formatCurrency(r.check())) : none, true, r.chosen));
        tblStates_->setItem(at, 3, item(r.record ? text(formatCurrency(model_.difference(r))) : none, true, r.chosen));
        for (int c = 0; c < 4; ++c) tblStates_->item(at, c)->setToolTip(text(model_.tip(r)));
    }
    tblStates_->horizontalHeader()->setSortIndicator(model_.sortColumn(),
                                                     model_.descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    cboSort_->setCurrentIndex(model_.sortColumn());
    chart_->update();
}

void CompareStatesWindow::useCurrentRow()
{
    const int row = tblStates_->currentRow();
    if (row < 0) return;
    const int state = model_.rows()[static_cast<std::size_t>(row)].state;
    model_.useRow(static_cast<std::size_t>(row));
    display();
    // The same state stays current, wherever the sort put it.
    for (std::size_t i = 0; i < model_.rows().size(); ++i)
        if (model_.rows()[i].state == state) tblStates_->setCurrentCell(static_cast<int>(i), 0);
}

PrintDocument CompareStatesWindow::document() const
{
    const std::string name = ctx_.settings.get("User", "UName", "-");
    PrintDocument doc;
    doc.header = pageHeader(name, localToday());
    doc.title = model_.title();
    doc.table = model_.table();
    doc.fontPoints = 10;
    doc.minFontPoints = 7;
    return doc;
}

Printable CompareStatesWindow::printable() const { return printableDocument(document(), tr("Compare States")); }

void CompareStatesWindow::preview()
{
    if (model_.rows().empty()) return;
    WindowState& state = ctx_.state;
    const std::string current = state.frmLoaded;
    auto* w = new PrintWindow(ctx_, this);
    state.frmLoaded = current;
    w->setWindowFlag(Qt::Window);
    w->setObjectName(QStringLiteral("frmCompareStatesPreview"));
    w->showDocument(document(), tr("Compare States"));
    w->resize(w->size().boundedTo(screen()->availableGeometry().size() * 9 / 10));
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowModality(Qt::WindowModal);
    w->show();
}

void CompareStatesWindow::print()
{
    if (!model_.rows().empty()) output_.print(printable());
}

void CompareStatesWindow::saveAsPdf()
{
    if (!model_.rows().empty()) output_.saveAsPdf(printable());
}

bool CompareStatesWindow::savePdf(const QString& path) { return output_.savePdf(printable(), path); }

}  // namespace wm
