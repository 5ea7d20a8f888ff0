#include "forms/tools/ui/year_check_window.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QApplication>
#include <QTimer>
#include <QTableWidget>
#include <QVBoxLayout>

#include "forms/tools/ui/tool_page.h"
#include "forms/tools/ui/year_chart.h"
#include "forms/w4/ui/w4_widgets.h"
#include "print/render/document_renderer.h"
#include "print/ui/print_window.h"
#include "qtcore/qt_text.h"
#include "ui/layouts.h"

namespace wm {

YearCheckWindow::YearCheckWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      model_(ctx.record, ctx.settings, ctx.errors),
      output_(this, ctx.errors, YearCheckModel::kName)
{
    setObjectName(QLatin1String(YearCheckModel::kName));
    setWindowTitle(tr("Year Check"));
    model_.load();

    // Made in this order: it is the order Tab takes.
    auto* body = new QVBoxLayout;
    buildHeading(body);
    QBoxLayout* results = buildResults();
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    body->addWidget(buildEntries());
    body->addWidget(buildSoFar());
    placeEntries(3);
    body->addLayout(results, 1);
    QWidget* commands = buildCommands();
    output_.done = [this](const QString& text) { showStatus(text); };
    showStatus({});
    buildPage(body, commands);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { ctx_.nav.showHelp(kYearCheckHelpContext); });
    display();
}

// The title, what the check is, a message, the sentence that sums the year up.
void YearCheckWindow::buildHeading(QVBoxLayout* body)
{
    auto* title = makeTitle(tr("Year Check"), this);
    auto* intro = new QLabel(tr("Tax year 2000: the paychecks paid so far, and the paychecks left like the one you calculated."), this);
    lblSentence_ = new QLabel(this);
    lblSentence_->setObjectName(QStringLiteral("lblSentence"));
    lblSentence_->setWordWrap(true);
    QFont sf = lblSentence_->font();
    sf.setPointSizeF(sf.pointSizeF() * 1.2);
    sf.setBold(true);
    lblSentence_->setFont(sf);
    lblMessage_ = makeMessageLabel(this);
    body->addWidget(title);
    body->addWidget(intro);
    body->addWidget(lblMessage_);
    body->addWidget(lblSentence_);
}

// The year's table, and the chart beside it when there is room, under it when not.
QBoxLayout* YearCheckWindow::buildResults()
{
    tblYear_ = new QTableWidget(0, 2, this);
    tblYear_->setObjectName(QStringLiteral("tblYear"));
    tblYear_->setHorizontalHeaderLabels({tr("Year 2000"), tr("Amount")});
    tblYear_->setAccessibleName(tr("Tax year 2000"));
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
    results_ = new QBoxLayout(QBoxLayout::LeftToRight);
    results_->addWidget(tblYear_, 0, Qt::AlignTop);
    results_->addWidget(chart_, 1);
    return results_;
}

// The page scrolls up and down when the window is smaller than its content;
// across, the entries and results rearrange to its width. The commands stay
// in view below it.
void YearCheckWindow::buildPage(QVBoxLayout* body, QWidget* commands)
{
    auto* page = new QWidget;
    page->setLayout(body);
    body->setContentsMargins(24, 18, 24, 12);
    auto* scroll = new VerticalScroll(page, this);
    connect(scroll, &VerticalScroll::widthChanged, this, &YearCheckWindow::arrange);
    auto* bottom = new QFrame(this);
    bottom->setObjectName(QStringLiteral("fraCommands"));
    bottom->setFrameShape(QFrame::StyledPanel);
    bottom->setFrameShadow(QFrame::Raised);
    auto* bottomLay = new QVBoxLayout(bottom);
    bottomLay->setContentsMargins(24, 8, 24, 8);
    bottomLay->addWidget(commands);
    bottomLay->addWidget(lblStatus_);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(scroll, 1);
    root->addWidget(bottom);
}

YearCheckWindow::~YearCheckWindow() = default;

QLineEdit* YearCheckWindow::amountField(const char* name, const QString& text, const QString& tip, QWidget* parent)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QLatin1String(name));
    field->setToolTip(tip);
    connect(field, &QLineEdit::editingFinished, this, &YearCheckWindow::entriesChanged);
    return field;
}

// A grid for `box` and each field with its label, the label the field's buddy.
void YearCheckWindow::fillGroup(EntryGroup& group, QWidget* box,
                                std::initializer_list<std::pair<QString, QWidget*>> fields)
{
    group.grid = new QGridLayout(box);
    group.grid->setHorizontalSpacing(10);
    for (const auto& [text, field] : fields) {
        auto* label = new QLabel(text, box);
        label->setBuddy(field);
        group.pairs.push_back({label, field});
    }
}

QWidget* YearCheckWindow::buildEntries()
{
    auto* box = new QGroupBox(tr("Your 2000 return"), this);
    cboFiling_ = new QComboBox(box);
    cboFiling_->setObjectName(QStringLiteral("cboFiling"));
    for (FilingStatus f : {FilingStatus::Single, FilingStatus::Joint, FilingStatus::Separate, FilingStatus::Head})
        cboFiling_->addItem(qs(filingName(f)));
    cboFiling_->setCurrentIndex(static_cast<int>(model_.entries.filing));
    txtReturnExemptions_ = amountField(
        "txtReturnExemptions", qs(model_.txtExemptions),
        tr("Yourself, your spouse on a joint return, and your dependents; the children count unless you change it."),
        box);
    txtChildren_ = amountField("txtChildren", qs(model_.txtChildren), tr("Children under 17 for the child tax credit."),
                               box);
    txtOtherIncome_ = amountField("txtOtherIncome", qs(model_.txtOtherIncome),
                                  tr("Interest, dividends and other income of the year without withholding. Not a "
                                     "loss: the Year Check does not apply a loss's limits, so enter 0 for one."),
                                  box);
    txtItemized_ = amountField("txtItemized", qs(model_.txtItemized),
                               tr("Your Schedule A total; the standard deduction is used when it is larger."), box);
    txtSpouseWages_ = amountField("txtSpouseWages", qs(model_.txtSpouseWages),
                                  tr("Your spouse's wages for the whole year."), box);
    txtSpouseWithheld_ = amountField("txtSpouseWithheld", qs(model_.txtSpouseWithheld),
                                     tr("The federal income tax withheld from your spouse's pay for the whole year."),
                                     box);

    // Who files, then the amounts: three to a row, fewer when narrow.
    fillGroup(returnGroup_, box,
              {{tr("Filin&g status"), cboFiling_},
               {tr("&Exemptions on the return"), txtReturnExemptions_},
               {tr("Chi&ldren under 17"), txtChildren_},
               {tr("&Other income"), txtOtherIncome_},
               {tr("&Itemized deductions"), txtItemized_},
               {tr("Spouse's wages (&year)"), txtSpouseWages_},
               {tr("Spouse's withholdi&ng (year)"), txtSpouseWithheld_}});

    connect(cboFiling_, &QComboBox::activated, this, &YearCheckWindow::entriesChanged);
    // Typed by the user, the exemptions no longer follow the status.
    connect(txtReturnExemptions_, &QLineEdit::textEdited, this, [this] { model_.exemptionsGiven = true; });
    return box;
}

QWidget* YearCheckWindow::buildSoFar()
{
    auto* box = new QGroupBox(tr("So far this year"), this);
    txtPaid_ = amountField("txtPaid", qs(model_.txtPaid),
                           tr("Paychecks of 2000 already paid; the paychecks left are like the one you calculated."),
                           box);
    const QString blank = tr(" Leave it empty for the paychecks paid times this paycheck's amount.");
    txtWagesSoFar_ = amountField("txtWagesSoFar", {}, tr("Federal taxable wages of the paychecks paid.") + blank, box);
    txtWithheldSoFar_ = amountField("txtWithheldSoFar", {},
                                    tr("Federal income tax withheld from the paychecks paid.") + blank, box);
    txtStateSoFar_ =
        amountField("txtStateSoFar", {}, tr("State income tax withheld from the paychecks paid.") + blank, box);
    txtSocialSecuritySoFar_ = amountField("txtSocialSecuritySoFar", {},
                                          tr("Social Security withheld from the paychecks paid.") + blank, box);

    fillGroup(soFarGroup_, box,
              {{tr("Paychec&ks paid"), txtPaid_},
               {tr("Wages &so far"), txtWagesSoFar_},
               {tr("Federal ta&x withheld so far"), txtWithheldSoFar_},
               {tr("S&tate tax withheld so far"), txtStateSoFar_},
               {tr("Social Sec&urity so far"), txtSocialSecuritySoFar_}});
    return box;
}

QWidget* YearCheckWindow::buildCommands()
{
    auto* bar = new QWidget(this);
    // The commands wrap onto a second line when the window is narrow.
    auto* row = new FlowLayout(bar, 6);
    cmdApply_ = addCommand(row, bar, "cmdApply", {}, {}, this, &YearCheckWindow::applyAdvice);
    cmdW4_ = addCommand(row, bar, "cmdW4", tr("Fill in Form &W-4"),
                        tr("Open Form W-4 with the advice on lines 5 and 6."), this, &YearCheckWindow::fillW4);
    cmdPreview_ = addCommand(row, bar, "cmdPreview", tr("Print Pre&view..."),
                             tr("Show the Year Check as it will print."), this, &YearCheckWindow::preview);
    cmdSavePdf_ = addCommand(row, bar, "cmdSavePdf", tr("Save as P&DF..."), tr("Save the Year Check as a PDF file."),
                             this, &YearCheckWindow::saveAsPdf);
    cmdPrint_ =
        addCommand(row, bar, "cmdPrint", tr("P&rint..."), tr("Print the Year Check."), this, &YearCheckWindow::print);
    return bar;
}

void YearCheckWindow::layOut(EntryGroup& group, int columns)
{
    for (const EntryPair& p : group.pairs) {
        group.grid->removeWidget(p.label);
        group.grid->removeWidget(p.field);
        p.label->setVisible(p.applies);
        p.field->setVisible(p.applies);
    }
    for (int c = 0; c < group.grid->columnCount(); ++c) group.grid->setColumnStretch(c, 0);
    // Filled row by row, the entries that apply only.
    int n = 0;
    for (const EntryPair& p : group.pairs) {
        if (!p.applies) continue;
        group.grid->addWidget(p.label, n / columns, n % columns * 2);
        group.grid->addWidget(p.field, n / columns, n % columns * 2 + 1);
        ++n;
    }
    group.grid->setColumnStretch(columns * 2, 1);
}

void YearCheckWindow::placeEntries(int columns, bool force)
{
    if (columns == entryColumns_ && !force) return;
    entryColumns_ = columns;
    layOut(returnGroup_, columns);
    layOut(soFarGroup_, columns);
}

void YearCheckWindow::arrange(int width)
{
    int pairWidth = 0;
    for (const EntryGroup* g : {&returnGroup_, &soFarGroup_})
        for (const EntryPair& p : g->pairs)
            pairWidth = qMax(pairWidth, p.label->sizeHint().width() + p.field->sizeHint().width() + 20);
    const int room = width - 48 - 24;
    placeEntries(qBound(1, room / qMax(1, pairWidth), 3));
    const bool wide = room >= tblYear_->minimumWidth() + chart_->minimumSizeHint().width() + 12;
    results_->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

void YearCheckWindow::showApplicable()
{
    // The filing status and exemptions the calculator's status gave.
    cboFiling_->setCurrentIndex(static_cast<int>(model_.entries.filing));
    if (txtReturnExemptions_->text() != qs(model_.txtExemptions)) txtReturnExemptions_->setText(qs(model_.txtExemptions));
    const bool spouse = model_.showsSpouse();
    const bool soFar = model_.showsSoFar();
    const bool applies[] = {true, true, true, true, true, spouse, spouse};
    const bool soFarApplies[] = {true, soFar, soFar, model_.showsStateSoFar(), soFar};
    bool changed = false;
    auto set = [&changed](EntryPair& p, bool a) {
        changed = changed || p.applies != a;
        p.applies = a;
    };
    for (std::size_t i = 0; i < returnGroup_.pairs.size(); ++i) set(returnGroup_.pairs[i], applies[i]);
    for (std::size_t i = 0; i < soFarGroup_.pairs.size(); ++i) set(soFarGroup_.pairs[i], soFarApplies[i]);
    if (changed) placeEntries(qMax(entryColumns_, 1), true);

    // A blank figure so far stands for paid x this paycheck's.
    const SoFar d = model_.soFarDefaults();
    txtWagesSoFar_->setPlaceholderText(qs(formatAmount(d.wages)));
    txtWithheldSoFar_->setPlaceholderText(qs(formatAmount(d.federal)));
    txtStateSoFar_->setPlaceholderText(qs(formatAmount(d.state)));
    txtSocialSecuritySoFar_->setPlaceholderText(qs(formatAmount(d.socialSecurity)));
}

bool YearCheckWindow::event(QEvent* e)
{
    // Back in front after the calculator changed: the year follows it.
    followActivation(this, e, &YearCheckWindow::refresh);
    return QWidget::event(e);
}

void YearCheckWindow::entriesChanged()
{
    model_.entries.filing = static_cast<FilingStatus>(cboFiling_->currentIndex());
    const std::pair<std::string*, QLineEdit*> texts[] = {
        {&model_.txtExemptions, txtReturnExemptions_}, {&model_.txtChildren, txtChildren_},
        {&model_.txtPaid, txtPaid_},
        {&model_.txtOtherIncome, txtOtherIncome_},     {&model_.txtItemized, txtItemized_},
        {&model_.txtSpouseWages, txtSpouseWages_},     {&model_.txtSpouseWithheld, txtSpouseWithheld_},
        {&model_.txtWagesSoFar, txtWagesSoFar_},       {&model_.txtWithheldSoFar, txtWithheldSoFar_},
        {&model_.txtStateSoFar, txtStateSoFar_},       {&model_.txtSocialSecuritySoFar, txtSocialSecuritySoFar_},
    };
    for (const auto& [text, field] : texts) *text = field->text().toStdString();
    refresh();
    keepFocusOnRefused();
}

QLineEdit* YearCheckWindow::fieldOf(Input entry) const
{
    switch (entry) {
    case Input::ReturnExemptions: return txtReturnExemptions_;
    case Input::Children: return txtChildren_;
    case Input::OtherIncome: return txtOtherIncome_;
    case Input::Itemized: return txtItemized_;
    case Input::SpouseWages: return txtSpouseWages_;
    case Input::SpouseWithholding: return txtSpouseWithheld_;
    case Input::PaychecksPaid: return txtPaid_;
    case Input::WagesSoFar: return txtWagesSoFar_;
    case Input::FederalSoFar: return txtWithheldSoFar_;
    case Input::StateSoFar: return txtStateSoFar_;
    case Input::SocialSecuritySoFar: return txtSocialSecuritySoFar_;
    default: return nullptr;
    }
}

void YearCheckWindow::keepFocusOnRefused()
{
    QLineEdit* field = model_.refused ? fieldOf(*model_.refused) : nullptr;
    if (!field) return;
    // After the focus change that left the field has ended; a click into
    // another window is let go, the message stays.
    QTimer::singleShot(0, field, [this, field] {
        const QWidget* now = QApplication::focusWidget();
        if (now && now != field && !isAncestorOf(now)) return;
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    });
}

void YearCheckWindow::refresh()
{
    model_.refresh();
    display();
}

void YearCheckWindow::display()
{
    const std::optional<YearCheck>& c = model_.check();
    showApplicable();
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
    // No count is named while there is no advice.
    cmdApply_->setText(!c             ? tr("&Claim the advice on the calculator")
                       : advised == 1 ? tr("&Claim 1 allowance on the calculator")
                                      : tr("&Claim %1 allowances on the calculator").arg(advised));
    cmdApply_->setEnabled(model_.canApply() && advised != c->allowances);
    cmdApply_->setToolTip(c && !model_.canApply()
                              ? tr("The calculator's exemptions go to %1; put the advice on Form W-4 instead.")
                                    .arg(kMaxExemptions)
                              : tr("Put the advised count into the calculator's exemptions and calculate again; "
                                   "an additional amount goes on Form W-4 line 6."));
    cmdW4_->setEnabled(c.has_value());
    cmdPreview_->setEnabled(c.has_value());
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
    w4::handOver(ctx_.state, model_.w4Line5(), model_.w4Line6());
    w4::showW4View(ctx_);
}

PrintDocument YearCheckWindow::document() const
{
    const std::string name = ctx_.settings.get("User", "UName", "-");
    PrintDocument doc;
    doc.header = pageHeader(name, localToday());
    doc.title = YearCheckModel::title(name);
    doc.table = model_.table();
    doc.fontPoints = 11;
    doc.minFontPoints = 8;  // the year and its advice on one page where they fit
    return doc;
}

Printable YearCheckWindow::printable() const { return printableDocument(document(), tr("Year Check")); }

QWidget* YearCheckWindow::makePreview()
{
    // The preview's own window does not become the current form.
    WindowState& state = ctx_.state;
    const std::string current = state.frmLoaded;
    auto* w = new PrintWindow(ctx_, this);
    state.frmLoaded = current;
    w->setWindowFlag(Qt::Window);
    w->setObjectName(QStringLiteral("frmYearCheckPreview"));
    w->showDocument(document(), tr("Year Check"));
    w->resize(w->size().boundedTo(screen()->availableGeometry().size() * 9 / 10));
    return w;
}

void YearCheckWindow::preview()
{
    if (!model_.check()) return;
    QWidget* w = makePreview();
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowModality(Qt::WindowModal);
    w->move(window()->geometry().center() - w->rect().center());  // over the main window
    w->show();
    w->raise();
    w->activateWindow();
}

void YearCheckWindow::showStatus(const QString& text)
{
    lblStatus_->setText(text);
    lblStatus_->setVisible(!text.isEmpty());
}

void YearCheckWindow::print()
{
    if (!model_.check()) return;
    showStatus({});
    output_.print(printable());
}

void YearCheckWindow::saveAsPdf()
{
    if (!model_.check()) return;
    showStatus({});
    output_.saveAsPdf(printable());
}

bool YearCheckWindow::savePdf(const QString& path)
{
    showStatus({});
    return output_.savePdf(printable(), path);
}

}  // namespace wm
