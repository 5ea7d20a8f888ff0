#include "forms/tools/year_check_window.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "forms/tools/tool_page.h"
#include "forms/tools/year_chart.h"
#include "forms/w4/w4_widgets.h"
#include "print/document_renderer.h"
#include "ui/pdf_path.h"
#include "ui/qt_text.h"
#include "ui/layouts.h"

namespace wm {

namespace {

QSpinBox* countBox(const char* name, int value, Input input, QWidget* parent)
{
    auto* b = new QSpinBox(parent);
    b->setObjectName(QLatin1String(name));
    b->setRange(limitOf(input).lo, limitOf(input).hi);
    b->setValue(value);
    return b;
}
}  // namespace

YearCheckWindow::YearCheckWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), model_(ctx.record, ctx.settings, ctx.errors)
{
    setObjectName(QLatin1String(YearCheckModel::kName));
    setWindowTitle(tr("Year Check"));
    model_.load();

    auto* title = makeTitle(tr("Year Check"), this);
    auto* intro = new QLabel(tr("Tax year 2000, if every paycheck of the year is like the one you calculated."), this);

    lblSentence_ = new QLabel(this);
    lblSentence_->setObjectName(QStringLiteral("lblSentence"));
    lblSentence_->setWordWrap(true);
    QFont sf = lblSentence_->font();
    sf.setPointSizeF(sf.pointSizeF() * 1.2);
    sf.setBold(true);
    lblSentence_->setFont(sf);
    lblMessage_ = makeMessageLabel(this);

    tblYear_ = new QTableWidget(0, 2, this);
    tblYear_->setObjectName(QStringLiteral("tblYear"));
    tblYear_->setHorizontalHeaderLabels({tr("Year 2000"), tr("Amount")});
    tblYear_->verticalHeader()->hide();
    tblYear_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblYear_->setSelectionMode(QAbstractItemView::NoSelection);
    tblYear_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tblYear_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    minTableWidth_ = tblYear_->fontMetrics().horizontalAdvance(QStringLiteral("Federal income tax withheld$00,000.00")) + 40;
    tblYear_->setMinimumWidth(minTableWidth_);
    tblYear_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every row shows; a small window scrolls the whole page instead.
    tblYear_->verticalHeader()->setDefaultSectionSize(tblYear_->fontMetrics().height() + 8);
    tblYear_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chart_ = new YearChart(this);

    // The chart beside the table when there is room, under it when not.
    auto* results = results_ = new QBoxLayout(QBoxLayout::LeftToRight);
    results->addWidget(tblYear_, 0, Qt::AlignTop);
    results->addWidget(chart_, 1);

    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));

    auto* body = new QVBoxLayout;
    body->addWidget(title);
    body->addWidget(intro);
    body->addWidget(lblMessage_);
    body->addWidget(lblSentence_);
    body->addWidget(buildEntries());
    body->addLayout(results, 1);
    body->addWidget(buildCommands());
    body->addWidget(lblStatus_);

    // The page scrolls up and down when the window is smaller than its
    // content; across, the entries and results rearrange to its width.
    auto* page = new QWidget;
    page->setLayout(body);
    body->setContentsMargins(24, 18, 24, 18);
    auto* scroll = new VerticalScroll(page, this);
    connect(scroll, &VerticalScroll::widthChanged, this, &YearCheckWindow::arrange);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->addWidget(scroll);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { ctx_.nav.showHelp(kYearCheckHelpContext); });
    display();
}

YearCheckWindow::~YearCheckWindow() = default;

QWidget* YearCheckWindow::buildEntries()
{
    auto* box = new QGroupBox(tr("Your 2000 return"), this);
    const ReturnEntries& e = model_.entries;
    cboFiling_ = new QComboBox(box);
    cboFiling_->setObjectName(QStringLiteral("cboFiling"));
    for (FilingStatus f : {FilingStatus::Single, FilingStatus::Joint, FilingStatus::Separate, FilingStatus::Head})
        cboFiling_->addItem(qs(filingName(f)));
    cboFiling_->setCurrentIndex(static_cast<int>(e.filing));
    spnReturnExemptions_ = countBox("spnReturnExemptions", e.exemptions, Input::ReturnExemptions, box);
    spnReturnExemptions_->setToolTip(tr("Yourself, your spouse on a joint return, and your dependents."));
    spnChildren_ = countBox("spnChildren", e.children, Input::Children, box);
    spnChildren_->setToolTip(tr("Children under 17 for the child tax credit."));
    txtOtherIncome_ = new QLineEdit(qs(model_.txtOtherIncome), box);
    txtOtherIncome_->setObjectName(QStringLiteral("txtOtherIncome"));
    txtOtherIncome_->setToolTip(tr("Interest, dividends and other income of the year without withholding."));
    txtItemized_ = new QLineEdit(qs(model_.txtItemized), box);
    txtItemized_->setObjectName(QStringLiteral("txtItemized"));
    txtItemized_->setToolTip(tr("Your Schedule A total; the standard deduction is used when it is larger."));

    // Who files, then the amounts: three to a row, fewer when narrow.
    entryGrid_ = new QGridLayout(box);
    entryGrid_->setHorizontalSpacing(10);
    auto pair = [&](const QString& text, QWidget* field) {
        auto* label = new QLabel(text, box);
        label->setBuddy(field);
        entryPairs_.push_back({label, field});
    };
    pair(tr("Filin&g status"), cboFiling_);
    pair(tr("&Exemptions on the return"), spnReturnExemptions_);
    pair(tr("Chi&ldren under 17"), spnChildren_);
    pair(tr("&Other income"), txtOtherIncome_);
    pair(tr("&Itemized deductions"), txtItemized_);
    placeEntries(3);

    connect(cboFiling_, &QComboBox::activated, this, &YearCheckWindow::entriesChanged);
    connect(spnReturnExemptions_, &QSpinBox::valueChanged, this, &YearCheckWindow::entriesChanged);
    connect(spnChildren_, &QSpinBox::valueChanged, this, &YearCheckWindow::entriesChanged);
    connect(txtOtherIncome_, &QLineEdit::editingFinished, this, &YearCheckWindow::entriesChanged);
    connect(txtItemized_, &QLineEdit::editingFinished, this, &YearCheckWindow::entriesChanged);
    return box;
}

QWidget* YearCheckWindow::buildCommands()
{
    auto* bar = new QWidget(this);
    // The commands wrap onto a second line when the window is narrow.
    auto* row = new FlowLayout(bar, 6);
    auto button = [&](const char* name, const QString& text, const QString& tip, void (YearCheckWindow::*slot)()) {
        auto* b = new QPushButton(text, bar);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
        return b;
    };
    cmdApply_ = button("cmdApply", {}, {}, &YearCheckWindow::applyAdvice);
    cmdW4_ = button("cmdW4", tr("Fill in Form &W-4"), tr("Open Form W-4 with the advice on lines 5 and 6."),
                    &YearCheckWindow::fillW4);
    cmdSavePdf_ = button("cmdSavePdf", tr("Save as P&DF..."), tr("Save the Year Check as a PDF file."),
                         &YearCheckWindow::saveAsPdf);
    cmdPrint_ = button("cmdPrint", tr("P&rint..."), tr("Print the Year Check."), &YearCheckWindow::print);
    return bar;
}

void YearCheckWindow::placeEntries(int columns)
{
    if (columns == entryColumns_) return;
    entryColumns_ = columns;
    for (auto [label, field] : entryPairs_) {
        entryGrid_->removeWidget(label);
        entryGrid_->removeWidget(field);
    }
    for (int c = 0; c < entryGrid_->columnCount(); ++c) entryGrid_->setColumnStretch(c, 0);
    // Filled row by row (with three across: who files on the first row, the
    // amounts on the second).
    for (std::size_t i = 0; i < entryPairs_.size(); ++i) {
        const int n = static_cast<int>(i);
        entryGrid_->addWidget(entryPairs_[i].first, n / columns, n % columns * 2);
        entryGrid_->addWidget(entryPairs_[i].second, n / columns, n % columns * 2 + 1);
    }
    entryGrid_->setColumnStretch(columns * 2, 1);
}

void YearCheckWindow::arrange(int width)
{
    int pairWidth = 0;
    for (auto [label, field] : entryPairs_)
        pairWidth = qMax(pairWidth, label->sizeHint().width() + field->sizeHint().width() + 20);
    const int room = width - 48 - 24;
    placeEntries(qBound(1, room / qMax(1, pairWidth), 3));
    const bool wide = room >= tblYear_->minimumWidth() + chart_->minimumSizeHint().width() + 12;
    results_->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

bool YearCheckWindow::event(QEvent* e)
{
    // Back in front after the calculator changed: the year follows it.
    if (e->type() == QEvent::ParentChange)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            connect(sub, &QMdiSubWindow::aboutToActivate, this, &YearCheckWindow::refresh, Qt::UniqueConnection);
    return QWidget::event(e);
}

void YearCheckWindow::entriesChanged()
{
    model_.entries.filing = static_cast<FilingStatus>(cboFiling_->currentIndex());
    model_.entries.exemptions = spnReturnExemptions_->value();
    model_.entries.children = spnChildren_->value();
    model_.txtOtherIncome = txtOtherIncome_->text().toStdString();
    model_.txtItemized = txtItemized_->text().toStdString();
    const std::string problem = model_.readAmounts();
    if (!problem.empty()) {
        lblMessage_->setText(qs(problem));
        lblMessage_->show();
        return;
    }
    refresh();
}

void YearCheckWindow::refresh()
{
    model_.refresh();
    display();
}

void YearCheckWindow::display()
{
    const std::optional<YearCheck>& c = model_.check();
    lblMessage_->setText(qs(model_.message));
    lblMessage_->setVisible(!model_.message.empty());
    lblSentence_->setText(c ? qs(yearSentence(*c)) : QString());
    const std::vector<YearRow> rows = c ? yearRows(*c) : std::vector<YearRow>{};
    tblYear_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < tblYear_->rowCount(); ++i) {
        const YearRow& r = rows[static_cast<std::size_t>(i)];
        auto* label = new QTableWidgetItem(qs(r.label));
        auto* value = new QTableWidgetItem(qs(r.value));
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont f = label->font();
        f.setBold(r.total);
        label->setFont(f);
        value->setFont(f);
        tblYear_->setItem(i, 0, label);
        tblYear_->setItem(i, 1, value);
    }
    tblYear_->setFixedHeight(tblYear_->horizontalHeader()->sizeHint().height() + 2 * tblYear_->frameWidth() +
                             tblYear_->rowCount() * tblYear_->verticalHeader()->defaultSectionSize());
    // Both columns in full.
    int columns[2] = {0, 0};
    for (int i = 0; i < tblYear_->rowCount(); ++i)
        for (int col : {0, 1})
            if (const QTableWidgetItem* item = tblYear_->item(i, col))
                columns[col] = qMax(columns[col], QFontMetrics(item->font()).horizontalAdvance(item->text()) + 16);
    const int both = columns[0] + columns[1] + 2 * tblYear_->frameWidth() + 8;
    tblYear_->setMinimumWidth(qMax(minTableWidth_, both));
    YearChart::Data data;
    if (c) {
        const auto last = c->withholdingByCount.begin() + model_.chartLast() + 1;
        data = {std::vector<Currency>(c->withholdingByCount.begin(), last), c->figures.incomeTax, c->advisedAllowances,
                c->allowances};
    }
    chart_->setData(std::move(data));

    const int advised = c ? c->advisedAllowances : 0;
    cmdApply_->setText(advised == 1 ? tr("&Claim 1 allowance on the calculator")
                                    : tr("&Claim %1 allowances on the calculator").arg(advised));
    cmdApply_->setEnabled(model_.canApply() && advised != c->allowances);
    cmdApply_->setToolTip(c && !model_.canApply()
                              ? tr("The calculator's exemptions go to %1; put the advice on Form W-4 instead.")
                                    .arg(YearCheckModel::kCalculatorMaxExemptions)
                              : tr("Put the advised count into the calculator's exemptions and calculate again."));
    cmdW4_->setEnabled(c.has_value());
    cmdPrint_->setEnabled(c.has_value());
    cmdSavePdf_->setEnabled(c.has_value());
}

void YearCheckWindow::applyAdvice()
{
    if (!model_.canApply()) return;
    ctx_.nav.calculateWithExemptions(model_.check()->advisedAllowances);
    refresh();
}

void YearCheckWindow::fillW4()
{
    if (!model_.check()) return;
    w4::handOver(ctx_.record, model_.w4Line5(), model_.w4Line6());
    w4::showW4View(ctx_);
}

PrintDocument YearCheckWindow::document() const
{
    PrintDocument doc;
    doc.header = pageHeader(ctx_.settings.get("User", "UName", "-"), localToday());
    doc.table = model_.table();
    doc.fontPoints = 11;  // the year and its advice on one page
    return doc;
}

void YearCheckWindow::print()
{
    if (!model_.check()) return;
    lblStatus_->clear();
    runCommand([&] {
        Procedure p(ctx_.errors, YearCheckModel::kName, "cmdPrint_Click");
        p.run([&] {
            QPrinter printer(QPrinter::HighResolution);
            setupPage(printer);
            printer.setDocName(tr("Year Check"));
            const bool chosen = choosePrinter ? choosePrinter(printer) : [&] {
                QPrintDialog dialog(&printer, this);
                dialog.setWindowTitle(tr("Print Year Check"));
                return dialog.exec() == QDialog::Accepted;
            }();
            if (!chosen) return;
            if (!renderDocument(document(), printer)) wm::raise(err::kPrinterError, "Printer error");
            showStatus(tr("The Year Check was sent to the printer."));
        });
    });
}

void YearCheckWindow::saveAsPdf()
{
    if (!model_.check()) return;
    const QString path =
        choosePdfPath ? withPdfEnding(choosePdfPath()) : askPdfPath(this, tr("Save as PDF"), tr("Year Check.pdf"));
    if (path.isEmpty()) return;
    savePdf(path);
}

bool YearCheckWindow::savePdf(const QString& path)
{
    lblStatus_->clear();
    bool saved = false;
    runCommand([&] {
        Procedure p(ctx_.errors, YearCheckModel::kName, "cmdSavePdf_Click");
        p.run([&] {
            QString error;
            if (!writeDocumentPdf(document(), path, tr("Year Check"), &error))
                wm::raise(err::kPathFileAccess, error.toStdString());
            saved = true;
        });
    });
    if (saved) showStatus(tr("Saved as %1").arg(QDir::toNativeSeparators(path)));
    return saved;
}

void YearCheckWindow::showStatus(const QString& text)
{
    lblStatus_->setText(text);
    if (auto* main = qobject_cast<QMainWindow*>(window())) main->statusBar()->showMessage(text, 8000);
}

}  // namespace wm
