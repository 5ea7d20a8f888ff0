#include "forms/tools/year_check_window.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
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
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "forms/tools/year_chart.h"
#include "forms/w4/w4_widgets.h"
#include "print/document_renderer.h"

namespace wm {

namespace {
// The runtime's numbers for a printer that fails and a file that cannot be
// written.
constexpr int kPrinterError = 482;
constexpr int kPathFileAccessError = 75;

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

QSpinBox* countBox(const char* name, int value, QWidget* parent)
{
    auto* b = new QSpinBox(parent);
    b->setObjectName(QLatin1String(name));
    b->setRange(0, 99);
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

    auto* title = new QLabel(tr("Year Check"), this);
    QFont tf = title->font();
    tf.setPointSizeF(tf.pointSizeF() * 1.5);
    tf.setBold(true);
    title->setFont(tf);
    auto* intro = new QLabel(tr("Tax year 2000, if every paycheck of the year is like the one you calculated."), this);

    lblSentence_ = new QLabel(this);
    lblSentence_->setObjectName(QStringLiteral("lblSentence"));
    lblSentence_->setWordWrap(true);
    QFont sf = lblSentence_->font();
    sf.setPointSizeF(sf.pointSizeF() * 1.2);
    sf.setBold(true);
    lblSentence_->setFont(sf);
    lblMessage_ = new QLabel(this);
    lblMessage_->setObjectName(QStringLiteral("lblMessage"));
    lblMessage_->setWordWrap(true);
    lblMessage_->setStyleSheet(QStringLiteral("color: #a00000;"));

    tblYear_ = new QTableWidget(0, 2, this);
    tblYear_->setObjectName(QStringLiteral("tblYear"));
    tblYear_->setHorizontalHeaderLabels({tr("Year 2000"), tr("Amount")});
    tblYear_->verticalHeader()->hide();
    tblYear_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblYear_->setSelectionMode(QAbstractItemView::NoSelection);
    tblYear_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tblYear_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    tblYear_->setMinimumWidth(420);
    // Every row shows; a small window scrolls the whole page instead.
    tblYear_->verticalHeader()->setDefaultSectionSize(tblYear_->fontMetrics().height() + 8);
    tblYear_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chart_ = new YearChart(this);

    auto* results = new QHBoxLayout;
    results->addWidget(tblYear_, 0);
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

    // The page scrolls when the window is smaller than its content.
    auto* page = new QWidget;
    page->setLayout(body);
    body->setContentsMargins(24, 18, 24, 18);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);
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
        cboFiling_->addItem(q(filingName(f)));
    cboFiling_->setCurrentIndex(static_cast<int>(e.filing));
    spnReturnExemptions_ = countBox("spnReturnExemptions", e.exemptions, box);
    spnReturnExemptions_->setToolTip(tr("Yourself, your spouse on a joint return, and your dependents."));
    spnChildren_ = countBox("spnChildren", e.children, box);
    spnChildren_->setToolTip(tr("Children under 17 for the child tax credit."));
    txtOtherIncome_ = new QLineEdit(q(model_.txtOtherIncome), box);
    txtOtherIncome_->setObjectName(QStringLiteral("txtOtherIncome"));
    txtOtherIncome_->setToolTip(tr("Interest, dividends and other income of the year without withholding."));
    txtItemized_ = new QLineEdit(q(model_.txtItemized), box);
    txtItemized_->setObjectName(QStringLiteral("txtItemized"));
    txtItemized_->setToolTip(tr("Your Schedule A total; the standard deduction is used when it is larger."));

    // Two rows: who files, then the amounts.
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(10);
    auto place = [&](int row, int col, const QString& text, QWidget* field) {
        auto* label = new QLabel(text, box);
        label->setBuddy(field);
        grid->addWidget(label, row, col * 2);
        grid->addWidget(field, row, col * 2 + 1);
    };
    place(0, 0, tr("Filin&g status"), cboFiling_);
    place(0, 1, tr("&Exemptions on the return"), spnReturnExemptions_);
    place(0, 2, tr("Chi&ldren under 17"), spnChildren_);
    place(1, 0, tr("&Other income"), txtOtherIncome_);
    place(1, 1, tr("&Itemized deductions"), txtItemized_);
    grid->setColumnStretch(6, 1);

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
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
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
    row->addStretch(1);
    cmdSavePdf_ = button("cmdSavePdf", tr("Save as P&DF..."), tr("Save the Year Check as a PDF file."),
                         &YearCheckWindow::saveAsPdf);
    cmdPrint_ = button("cmdPrint", tr("P&rint..."), tr("Print the Year Check."), &YearCheckWindow::print);
    return bar;
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
        lblMessage_->setText(q(problem));
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
    lblMessage_->setText(q(model_.message));
    lblMessage_->setVisible(!model_.message.empty());
    lblSentence_->setText(c ? q(yearSentence(*c)) : QString());
    const std::vector<YearRow> rows = c ? yearRows(*c) : std::vector<YearRow>{};
    tblYear_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < tblYear_->rowCount(); ++i) {
        const YearRow& r = rows[static_cast<std::size_t>(i)];
        auto* label = new QTableWidgetItem(q(r.label));
        auto* value = new QTableWidgetItem(q(r.value));
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
    w4::Next next;
    next.line5 = model_.w4Line5();
    next.line6 = model_.w4Line6();
    w4::showW4View(ctx_, next);
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
            if (!renderDocument(document(), printer)) wm::raise(kPrinterError, "Printer error");
            showStatus(tr("The Year Check was sent to the printer."));
        });
    });
}

void YearCheckWindow::saveAsPdf()
{
    if (!model_.check()) return;
    QString path;
    if (choosePdfPath) {
        path = choosePdfPath();
    } else {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
        path = QFileDialog::getSaveFileName(this, tr("Save as PDF"), QDir(folder).filePath(tr("Year Check.pdf")),
                                            tr("PDF files (*.pdf)"));
    }
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
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
                wm::raise(kPathFileAccessError, error.toStdString());
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
