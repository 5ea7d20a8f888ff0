#include "forms/main/ui/main_form.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "forms/main/ui/main_widgets.h"
#include "forms/main/ui/misc_dialog.h"
#include "forms/main/ui/pictures.h"
#include "qtcore/qt_text.h"
#include "record/input_limits.h"
#include "states/registry.h"
#include "ui/accessibility.h"
#include "ui/artwork.h"
#include "ui/focus.h"
#include "ui/form_registry.h"
#include "ui/layouts.h"

namespace wm {

namespace {


QFrame* card(const char* name, QWidget* parent)
{
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setStyleSheet(QStringLiteral("#%1 { background: rgba(255, 255, 255, 232); border: 1px solid rgba(0, 0, 0, 60);"
                                    " border-radius: 8px; }")
                         .arg(QLatin1String(name)));
    return f;
}

}  // namespace

MainForm::MainForm(AppContext& ctx, QWidget* parent) : QWidget(parent), model_(ctx)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tr("Wagemark Calculator"));
    const std::string path = qEnvironmentVariable("PATH").toStdString();
    calculator_ = findProgram(calculatorPrograms(), path);
    wordProcessor_ = findProgram(wordProcessorPrograms(), path);
    build();
    model_.load();
    showModel();
}

MainForm::~MainForm() { model_.unload(); }

void MainForm::build()
{
    inputs_ = buildEntries();
    results_ = buildResults();
    QFrame* commands = buildCommandRow();
    buildPage(commands);
    // Kerned captions ("Pre-Tax") are measured a little short.
    for (QLabel* l : inputs_->findChildren<QLabel*>()) l->setMinimumWidth(l->sizeHint().width() + 4);
    connectEvents();
    chainTabOrder({inputs_, results_, commands});
}

// ---- Entries ----

QFrame* MainForm::buildEntries()
{
    QFrame* inputs = card("fraInputs", this);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    addAmountRows(form, inputs);
    addStateRow(form, inputs);
    addExemptionsRow(form, inputs);
    addFrequencyRow(form, inputs);
    addStatusRow(form, inputs);
    chkSelfEmployed_ = new QCheckBox(tr("Self Emplo&yed"), inputs);
    chkSelfEmployed_->setObjectName(QStringLiteral("chkSelfEmployed"));
    form->addRow(QString(), chkSelfEmployed_);

    auto* inputLay = new QVBoxLayout(inputs);
    inputLay->addLayout(form);
    inputLay->addLayout(buildAdditionalButtons(inputs));
    inputLay->addStretch(1);
    return inputs;
}

// A row of a label and the field it names.
void MainForm::addRow(QFormLayout* form, const QString& label, QWidget* field)
{
    auto* l = new QLabel(label, field->parentWidget());
    l->setBuddy(field);
    form->addRow(l, field);
}

void MainForm::addAmountRows(QFormLayout* form, QWidget* inputs)
{
    auto line = [&](QLineEdit*& field, const char* name, const QString& label, const QString& tip, bool money) {
        field = new QLineEdit(inputs);
        field->setObjectName(QLatin1String(name));
        field->setToolTip(tip);
        if (money) setupMoneyField(field, label);
        else setupNumberField(field, label);
        addRow(form, label, field);
    };
    line(txtIncome_, "txtIncome", tr("&Income Amount"), tr("Enter your income amount."), true);
    line(txtHours_, "txtHours", tr("Ho&urs"), tr("Enter the number of hours worked."), false);
    line(txt401k_, "txt401k", tr("401(&k)%"), tr("If you contribute to a 401k, enter the percentage here."), false);
    // A rate below 1 is a fraction of the pay: say what it will be taken as.
    lbl401kHint_ = new QLabel(inputs);
    lbl401kHint_->setObjectName(QStringLiteral("lbl401kHint"));
    lbl401kHint_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbl401kHint_->hide();
    form->addRow(QString(), lbl401kHint_);
    line(txtPreTax_, "txtPreTax", tr("Pre-&Tax"), tr("Enter an amount that is not taxed."), true);
    line(txtPreFICA_, "txtPreFICA", tr("P&re-FICA"),
         tr("Enter an amount for which FICA is not paid. This amount might include the Pre-Tax amount also."), true);
}

void MainForm::addStateRow(QFormLayout* form, QWidget* inputs)
{
    cboState_ = new QComboBox(inputs);
    cboState_->setObjectName(QStringLiteral("cboState"));
    for (const StateEntry& s : stateList()) cboState_->addItem(qs(s.name));
    cboState_->setToolTip(tr("Select the state to which you pay income tax."));
    cboState_->setAccessibleName(tr("State Tax"));
    cboState_->setMaxVisibleItems(16);
    addRow(form, tr("&State Tax"), cboState_);
}

void MainForm::addExemptionsRow(QFormLayout* form, QWidget* inputs)
{
    cboExemptions_ = new QComboBox(inputs);
    cboExemptions_->setObjectName(QStringLiteral("cboExemptions"));
    const InputLimit& exemptions = limitOf(Input::Exemptions);
    for (int i = exemptions.lo; i <= exemptions.hi; ++i) cboExemptions_->addItem(QString::number(i));
    cboExemptions_->setToolTip(tr("Select the number of exemptions or dependents you claim."));
    cboExemptions_->setAccessibleName(tr("Number of Exemptions"));
    addRow(form, tr("Num&ber of Exemptions"), cboExemptions_);
}

void MainForm::addFrequencyRow(QFormLayout* form, QWidget* inputs)
{
    lstFrequency_ = new QListWidget(inputs);
    lstFrequency_->setObjectName(QStringLiteral("lstFrequency"));
    for (const PayFrequency& f : kPayFrequencies) lstFrequency_->addItem(qs(f.listText));
    lstFrequency_->setToolTip(tr("Enter the frequency of your pay periods."));
    nameAfter(lstFrequency_, tr("Pay Frequency"));
    QuietSelection::install(lstFrequency_);
    lstFrequency_->setFixedHeight(lstFrequency_->sizeHintForRow(0) * lstFrequency_->count() +
                                  2 * lstFrequency_->frameWidth() + 6);
    addRow(form, tr("Pay Fre&quency"), lstFrequency_);
}

void MainForm::addStatusRow(QFormLayout* form, QWidget* inputs)
{
    auto* statusBox = new QWidget(inputs);
    statusBox->setToolTip(tr("Select the marital status you claim."));
    auto* statusLay = new QVBoxLayout(statusBox);
    statusLay->setContentsMargins(0, 0, 0, 0);
    statusLay->setSpacing(2);
    optStatus_ = new QButtonGroup(this);
    // The options share the caption's letter: it goes to the chosen one and
    // the arrows move on (the calculator has more entries than letters).
    const QString statusText[] = {tr("Married"), tr("Single"), tr("Married Claiming Single")};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(statusText[i], statusBox);
        b->setObjectName(QStringLiteral("optStatus_%1").arg(i));
        b->setToolTip(tr("Select the marital status you claim."));
        optStatus_->addButton(b, i);
        statusLay->addWidget(b);
    }
    lblStatus_ = new QLabel(tr("&Marital status"), inputs);
    lblStatus_->setBuddy(optStatus_->button(0));
    form->addRow(lblStatus_, statusBox);
}

QHBoxLayout* MainForm::buildAdditionalButtons(QWidget* inputs)
{
    auto* additional = new QHBoxLayout;
    const char* addText[] = {"  L&ocal Tax  ", "Rais&e"};
    const char* addTip[] = {"Press to enter any local tax you may pay.", "Press to calculate a pay increase."};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(tr(addText[i]), inputs);
        b->setObjectName(QStringLiteral("cmdAdditional_%1").arg(i));
        b->setToolTip(tr(addTip[i]));
        // The caption's padding is for the eye only.
        b->setAccessibleName(spokenText(b->text()));
        b->setAutoDefault(false);
        cmdAdditional_[static_cast<std::size_t>(i)] = b;
        additional->addWidget(b);
    }
    additional->addStretch(1);
    return additional;
}

// ---- Results ----

QFrame* MainForm::buildResults()
{
    QFrame* results = card("fraResults", this);
    buildGrid(results);
    buildNotices(results);
    buildExplanation(results);
    auto* resultLay = new QVBoxLayout(results);
    resultLay->addWidget(dbgDisplay_);
    resultLay->addWidget(lblNotice_);
    resultLay->addWidget(lblModified_);
    resultLay->addWidget(lblStatePgInst_);
    resultLay->addWidget(lblOptionsHint_);
    resultLay->addWidget(cmdExplain_, 0, Qt::AlignLeft);
    resultLay->addWidget(lstExplain_, 1);
    resultLay->addStretch(0);
    return results;
}

void MainForm::buildGrid(QWidget* results)
{
    dbgDisplay_ = new QTableWidget(0, 2, results);
    dbgDisplay_->setObjectName(QStringLiteral("dbgDisplay"));
    dbgDisplay_->setHorizontalHeaderLabels({tr("Title"), tr("Value")});
    dbgDisplay_->verticalHeader()->hide();
    dbgDisplay_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    dbgDisplay_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    dbgDisplay_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgDisplay_->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgDisplay_->setAlternatingRowColors(true);
    dbgDisplay_->setAccessibleName(tr("Result"));
    // One Tab stop: the arrows move inside, Tab goes on to the next control.
    dbgDisplay_->setTabKeyNavigation(false);
    // Narrow enough to stand beside the entries on a small screen, wide
    // enough for both columns.
    dbgDisplay_->setMinimumWidth(dbgDisplay_->fontMetrics().horizontalAdvance(QStringLiteral("Social Security$00,000.00")) +
                                 44);
    dbgDisplay_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dbgDisplay_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Twelve compact rows: the whole result at a glance.
    dbgDisplay_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    dbgDisplay_->verticalHeader()->setDefaultSectionSize(dbgDisplay_->fontMetrics().height() + 8);
    dbgDisplay_->setFixedHeight(dbgDisplay_->horizontalHeader()->sizeHint().height() +
                                12 * dbgDisplay_->verticalHeader()->defaultSectionSize() + 2 * dbgDisplay_->frameWidth());
}

void MainForm::buildNotices(QWidget* results)
{
    lblNotice_ = new QLabel(results);
    lblNotice_->setObjectName(QStringLiteral("lblNotice"));
    lblNotice_->setWordWrap(true);
    lblNotice_->setStyleSheet(QStringLiteral("background: #fff3cd; border: 1px solid #e0b84c; border-radius: 4px;"
                                             " padding: 4px; color: #5c4400;"));
    lblModified_ = new QLabel(results);
    lblModified_->setObjectName(QStringLiteral("lblModified"));
    lblStatePgInst_ = new ClickLabel(results);
    lblStatePgInst_->setObjectName(QStringLiteral("lblStatePgInst"));
    lblStatePgInst_->setText(qs(MainFormModel::kStateHint));
    lblStatePgInst_->setWordWrap(true);
    lblStatePgInst_->setToolTip(tr("Click to hide this reminder."));
    lblStatePgInst_->setStyleSheet(QStringLiteral("background: #fde2e1; border: 1px solid #d9534f; border-radius: 4px;"
                                                  " padding: 4px; color: #7a1f1c;"));
    lblOptionsHint_ = new QLabel(results);
    lblOptionsHint_->setObjectName(QStringLiteral("lblOptionsHint"));
    lblOptionsHint_->setWordWrap(true);
    lblOptionsHint_->setStyleSheet(lblNotice_->styleSheet());
}

void MainForm::buildExplanation(QWidget* results)
{
    cmdExplain_ = new QToolButton(results);
    cmdExplain_->setObjectName(QStringLiteral("cmdExplain"));
    cmdExplain_->setText(tr("How was this calculated?"));
    cmdExplain_->setCheckable(true);
    cmdExplain_->setArrowType(Qt::RightArrow);
    cmdExplain_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    cmdExplain_->setAutoRaise(true);
    // Each step in full: long ones wrap onto more lines.
    lstExplain_ = new QTextBrowser(results);
    lstExplain_->setObjectName(QStringLiteral("lstExplain"));
    lstExplain_->setAccessibleName(tr("How the result was calculated"));
    lstExplain_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstExplain_->setMinimumHeight(lstExplain_->fontMetrics().lineSpacing() * 9);
    lstExplain_->hide();
    // Open or closed as the user left it last time.
    cmdExplain_->setChecked(model_.context().settings.get("Window", "Explanation", "0") == "1");
    connect(cmdExplain_, &QToolButton::toggled, this, [this](bool on) {
        model_.context().settings.save("Window", "Explanation", on ? "1" : "0");
        showExplanation();
    });
}

// ---- Command row ----

namespace {
struct CommandButton {
    const char* text;
    const char* glyph;
    QRgb color;
    const char* tip;
};
// In the order of MainCommand: cmdToolBar_0 .. cmdToolBar_7.
constexpr std::array<CommandButton, kMainCommandCount> kCommandButtons = {{
    {"&Calculate", "=", 0x2e8b57, "Calculate this pay period (Enter)"},
    {"Print Pre&view", "P", 0x3b7dd8, "Show the pay statement as it will print"},
    {"Pri&nt", "Pr", 0x3b7dd8, "Print the pay statement"},
    {"C&lear", "C", 0xb07a2a, "Clear the entries and the results"},
    {"Show Calculator", "+-", 0x6a5acd, ""},
    {"Open &Word Processor", "W", 0x6a5acd, ""},
    {"Calen&dar", "31", 0x4a6fa5, "Show a month calendar"},
    {"E&xit", "X", 0xb04a4a, "Close the calculator"},
    {"Keep for Comparison", "K", 0x8e5bd0, "Keep this result: the next calculations show it beside theirs (Ctrl+K)"},
    {"Clear Comparison", "K", 0x8e5bd0, "Back to one column of results"},
}};
}  // namespace

QFrame* MainForm::buildCommandRow()
{
    QFrame* commands = card("fraCommands", this);
    // One row when there is room, more when not: every command stays in view.
    // Captions beside small icons keep the rows low, so the page above them
    // has room for the whole result grid on a small or scaled screen.
    auto* cmdLay = new FlowLayout(commands, 4);
    cmdLay->setContentsMargins(6, 4, 6, 4);
    cmdLay->setFill(false);
    const QSize iconSize(20, 20);
    for (std::size_t i = 0; i < kCommandButtons.size(); ++i) {
        const CommandButton& c = kCommandButtons[i];
        auto* b = new QToolButton(commands);
        b->setIcon(art::commandIcon(QLatin1String(c.glyph), QColor(c.color)));
        b->setIconSize(iconSize);
        b->setText(tr(c.text));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setObjectName(QStringLiteral("cmdToolBar_%1").arg(i));
        b->setToolTip(tr(c.tip));
        b->setAccessibleName(b->text().remove(QLatin1Char('&')));
        b->setFocusPolicy(Qt::StrongFocus);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        cmdToolBar_[i] = b;
        cmdLay->addWidget(b);
        const auto command = static_cast<MainCommand>(i);
        connect(b, &QToolButton::clicked, this, [this, command] { toolBarClicked(command); });
    }
    cmdRotatePic_ = new QToolButton(commands);
    cmdRotatePic_->setObjectName(QStringLiteral("cmdRotatePic"));
    cmdRotatePic_->setIcon(art::commandIcon(QStringLiteral(">"), QColor(0x55, 0x77, 0x99)));
    cmdRotatePic_->setIconSize(iconSize);
    cmdRotatePic_->setText(tr("Next Picture"));
    cmdRotatePic_->setAccessibleName(tr("Next background picture"));
    cmdRotatePic_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    cmdRotatePic_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    cmdLay->addWidget(cmdRotatePic_);
    offerWhatThisBuildHas();
    return commands;
}

QToolButton* MainForm::button(MainCommand c) const { return cmdToolBar_[static_cast<std::size_t>(c)]; }

// The desktop programs found, the forms this build has: a command without
// one is off and says why.
void MainForm::offerWhatThisBuildHas()
{
    auto program = [this](MainCommand c, const std::optional<DesktopProgram>& found, const QString& none) {
        if (found) {
            button(c)->setToolTip(tr("Start %1").arg(qs(found->name)));
            return;
        }
        button(c)->setEnabled(false);
        button(c)->setToolTip(none);
    };
    program(MainCommand::Calculator, calculator_,
            tr("No desktop calculator is installed (looked for %1).").arg(qs(programNames(calculatorPrograms()))));
    program(MainCommand::WordProcessor, wordProcessor_,
            tr("No word processor or text editor is installed (looked for %1).")
                .arg(qs(programNames(wordProcessorPrograms()))));
    if (!model_.context().nav.available(FormId::Print))
        for (MainCommand c : {MainCommand::PrintPreview, MainCommand::Print}) button(c)->setToolTip(tr(kNotAvailable));
    if (!model_.context().nav.available(FormId::Calendar)) {
        button(MainCommand::Calendar)->setEnabled(false);
        button(MainCommand::Calendar)->setToolTip(tr(kNotAvailable));
    }
}

// ---- The page ----

// Entries and results side by side when there is room, the results under
// the entries when not; the page scrolls up and down, the command row stays
// at the bottom.
void MainForm::buildPage(QFrame* commands)
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pnlPage"));
    columns_ = new QGridLayout(page);
    columns_->setContentsMargins(14, 14, 14, 6);
    columns_->setHorizontalSpacing(14);
    columns_->setVerticalSpacing(12);
    placeColumns(true);
    auto* scroll = scrPage_ = new VerticalScroll(page, this);
    scroll->setObjectName(QStringLiteral("scrPage"));
    connect(scroll, &VerticalScroll::widthChanged, this, [this](int width) {
        const int both = inputs_->minimumSizeHint().width() + results_->minimumSizeHint().width() +
                         columns_->horizontalSpacing() + 28;
        placeColumns(width >= both);
    });
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(scroll, 1);
    auto* bottom = new QVBoxLayout;
    bottom->setContentsMargins(14, 6, 14, 14);
    bottom->addWidget(commands);
    lay->addLayout(bottom);
}

void MainForm::connectEvents()
{
    connect(txt401k_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString hint = qs(percentHint(text.toStdString()));
        lbl401kHint_->setText(hint);
        lbl401kHint_->setVisible(!hint.isEmpty());
    });
    txtIncome_->installEventFilter(this);
    connect(cboState_, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { act([&] { model_.stateClicked(i); }); });
    connect(cboExemptions_, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { act([&] { model_.exemptionsClicked(i); }); });
    connect(lstFrequency_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != model_.lstFrequency) act([&] { model_.frequencyClicked(row); });
    });
    connect(optStatus_, &QButtonGroup::idClicked, this, [this](int id) { act([&] { model_.statusClicked(id); }); });
    connect(chkSelfEmployed_, &QCheckBox::clicked, this,
            [this](bool on) { act([&] { model_.selfEmployedClicked(on); }); });
    connect(lblStatePgInst_, &ClickLabel::clicked, this, [this] { act([&] { model_.stateHintClicked(); }); });
    connect(cmdAdditional_[0], &QPushButton::clicked, this, &MainForm::openLocalTax);
    connect(cmdAdditional_[1], &QPushButton::clicked, this, &MainForm::openRaise);
    connect(cmdRotatePic_, &QToolButton::clicked, this, [this] { act([&] { model_.nextPicture(); }); });
}

void MainForm::readFields()
{
    model_.txtIncome = txtIncome_->text().toStdString();
    model_.txtHours = txtHours_->text().toStdString();
    model_.txt401k = txt401k_->text().toStdString();
    model_.txtPreTax = txtPreTax_->text().toStdString();
    model_.txtPreFICA = txtPreFICA_->text().toStdString();
}

void MainForm::showModel()
{
    showEntries();
    showGrid();
    lblNotice_->setText(qs(model_.notice));
    lblNotice_->setVisible(!model_.notice.empty());
    lblModified_->setText(qs(model_.lblModified));
    lblModified_->setVisible(!model_.lblModified.empty());
    lblStatePgInst_->setVisible(model_.stateHintVisible);
    lblOptionsHint_->setText(qs(model_.optionsHint));
    lblOptionsHint_->setVisible(model_.optionsHintVisible());
    showExplanationSteps();
    showCommands();
    if (model_.Pic != backgroundPic_) {
        background_ = QPixmap();
        update();
    }
}

void MainForm::showEntries()
{
    const QSignalBlocker b1(cboState_), b2(cboExemptions_), b3(lstFrequency_);
    txtIncome_->setText(displayMoney(qs(model_.txtIncome)));
    txtHours_->setText(qs(model_.txtHours));
    txt401k_->setText(qs(model_.txt401k));
    txtPreTax_->setText(displayMoney(qs(model_.txtPreTax)));
    txtPreFICA_->setText(displayMoney(qs(model_.txtPreFICA)));
    cboState_->setCurrentIndex(model_.cboState);
    cboExemptions_->setCurrentIndex(model_.cboExemptions);
    lstFrequency_->setCurrentRow(model_.lstFrequency);
    if (QAbstractButton* opt = optStatus_->button(model_.optStatus)) {
        opt->setChecked(true);
        lblStatus_->setBuddy(opt);
    }
    chkSelfEmployed_->setChecked(model_.chkSelfEmployed);
}

void MainForm::showGrid()
{
    // While a result is kept: Kept, Now and Difference (Now minus Kept).
    const auto& kept = model_.kept;
    const bool compare = kept && kept->grid.size() == model_.grid.size();
    dbgDisplay_->setColumnCount(compare ? 4 : 2);
    dbgDisplay_->setHorizontalHeaderLabels(compare ? QStringList{tr("Title"), tr("Kept"), tr("Now"), tr("Difference")}
                                                   : QStringList{tr("Title"), tr("Value")});
    if (compare) {
        dbgDisplay_->horizontalHeaderItem(1)->setToolTip(tr("Kept: %1").arg(qs(kept->entries)));
        for (int c = 1; c < 4; ++c) dbgDisplay_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
    dbgDisplay_->setRowCount(static_cast<int>(model_.grid.size()));
    for (int i = 0; i < static_cast<int>(model_.grid.size()); ++i) {
        const GridRow& row = model_.grid[static_cast<std::size_t>(i)];
        const bool bold = row.title == "Check Amt" || row.title == "Total Ded";
        auto amount = [&](Currency a) {
            auto* value = new QTableWidgetItem(qs(formatCurrency(a)));
            value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            value->setData(Qt::UserRole, qs(formatFixed4(a)));
            QFont f = value->font();
            f.setBold(bold);
            value->setFont(f);
            return value;
        };
        auto* title = new QTableWidgetItem(qs(row.title));
        QFont f = title->font();
        f.setBold(bold);
        title->setFont(f);
        dbgDisplay_->setItem(i, 0, title);
        if (!compare) {
            dbgDisplay_->setItem(i, 1, amount(row.amount));
            continue;
        }
        const Currency was = kept->grid[static_cast<std::size_t>(i)].amount;
        dbgDisplay_->setItem(i, 1, amount(was));
        dbgDisplay_->item(i, 1)->setToolTip(tr("Kept: %1").arg(qs(kept->entries)));
        dbgDisplay_->setItem(i, 2, amount(row.amount));
        dbgDisplay_->setItem(i, 3, amount(row.amount - was));
    }
}

void MainForm::showExplanationSteps()
{
    QString html = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">"
                                  "<tr><th align=\"left\">%1</th><th align=\"right\">%2</th></tr>")
                       .arg(tr("Step"), tr("Amount"));
    for (const TraceLine& line : model_.explanation)
        html += QStringLiteral("<tr><td>%1</td><td align=\"right\" nowrap>%2</td></tr>")
                    .arg(qs(line.text).toHtmlEscaped(), line.amount ? qs(formatAmount(*line.amount)) : QString());
    lstExplain_->setHtml(html + QStringLiteral("</table>"));
    cmdExplain_->setEnabled(!model_.explanation.empty());
    showExplanation();
}

void MainForm::showCommands()
{
    const bool canPrint = model_.context().nav.available(FormId::Print);
    for (MainCommand c : {MainCommand::PrintPreview, MainCommand::Print})
        button(c)->setEnabled(canPrint && model_.printEnabled);
    button(MainCommand::KeepComparison)->setEnabled(!model_.grid.empty());
    button(MainCommand::ClearComparison)->setEnabled(model_.kept.has_value());
    cmdAdditional_[0]->setStyleSheet(textColorStyle(model_.varLocalTaxColor));
    // The caption is "Raise" or, after a raise, the new wage.
    const QString raise = qs(model_.raiseCaption);
    const bool plainRaise = raise == QLatin1String("Raise");
    cmdAdditional_[1]->setText(plainRaise ? tr("Rais&e") : QString(raise).replace('&', "&&"));
    cmdAdditional_[1]->setAccessibleName(plainRaise ? tr("Raise") : tr("Raise, new wage %1").arg(raise));
    cmdAdditional_[1]->setStyleSheet(textColorStyle(model_.raiseColor));
    cmdAdditional_[1]->setVisible(model_.raiseVisible);
    cmdRotatePic_->setToolTip(tr("Next background picture (now %1)").arg(backgroundName(model_.Pic)));
}

void MainForm::calculate() { toolBarClicked(MainCommand::Calculate); }

void MainForm::showExplanation()
{
    const bool on = cmdExplain_->isChecked() && !model_.explanation.empty();
    lstExplain_->setVisible(on);
    cmdExplain_->setArrowType(cmdExplain_->isChecked() ? Qt::DownArrow : Qt::RightArrow);
}

void MainForm::placeColumns(bool wide)
{
    if (columnsPlaced_ && wide == wide_) return;
    columnsPlaced_ = true;
    wide_ = wide;
    columns_->removeWidget(inputs_);
    columns_->removeWidget(results_);
    columns_->addWidget(inputs_, 0, 0);
    columns_->addWidget(results_, wide ? 0 : 1, wide ? 1 : 0);
    columns_->setColumnStretch(0, wide ? 2 : 1);
    columns_->setColumnStretch(1, wide ? 3 : 0);
    columns_->setRowStretch(0, wide ? 1 : 0);
    columns_->setRowStretch(1, wide ? 0 : 1);
}

void MainForm::toolBarClicked(MainCommand command)
{
    readFields();
    model_.beforeCommand();
    AppContext& ctx = model_.context();
    switch (command) {
    case MainCommand::Calculate:
        if (auto problem = model_.calculate()) {
            showModel();
            QMessageBox::warning(this, tr("Wagemark"), qs(problem->message));
            if (QWidget* entry = problem->input ? entryOf(*problem->input) : nullptr) entry->setFocus();
            return;
        }
        showModel();
        resultsIntoView();
        return;
    case MainCommand::PrintPreview:
    case MainCommand::Print:
        // The statement is made from the results: never from stale ones.
        if (auto problem = model_.freshForPrint()) {
            showModel();
            QMessageBox::information(this, tr("Wagemark"), qs(problem->message));
            return;
        }
        ctx.state.FromForm = 0;
        ctx.state.intAction = command == MainCommand::Print ? 2 : 1;
        ctx.nav.open(FormId::Print);
        break;
    case MainCommand::Clear: proClear(); break;
    case MainCommand::Calculator: startProgram(calculator_, tr("the desktop calculator")); break;
    case MainCommand::WordProcessor: startProgram(wordProcessor_, tr("the word processor")); break;
    case MainCommand::Calendar: ctx.nav.open(FormId::Calendar); break;
    case MainCommand::Exit: ctx.nav.close(FormId::Main); return;
    case MainCommand::KeepComparison: model_.keepForComparison(); break;
    case MainCommand::ClearComparison: model_.clearComparison(); break;
    }
    showModel();
}

void MainForm::keepForComparison(bool keep)
{
    toolBarClicked(keep ? MainCommand::KeepComparison : MainCommand::ClearComparison);
}

QWidget* MainForm::entryOf(Input input) const
{
    switch (input) {
    case Input::Income: return txtIncome_;
    case Input::Hours: return txtHours_;
    case Input::Percent401k: return txt401k_;
    case Input::PreTax: return txtPreTax_;
    case Input::PreFica: return txtPreFICA_;
    default: return nullptr;
    }
}

void MainForm::startProgram(const std::optional<DesktopProgram>& program, const QString& what)
{
    if (!program) return;
    QStringList args;
    for (const std::string& a : program->args) args << qs(a);
    if (!QProcess::startDetached(qs(program->program), args))
        QMessageBox::warning(this, tr("Wagemark"), tr("Wagemark could not start %1 (%2).").arg(what, qs(program->program)));
}

void MainForm::act(const std::function<void()>& f)
{
    readFields();
    f();
    showModel();
}

void MainForm::proClear()
{
    model_.clear();
    model_.clearResults();
    model_.incomeFocused();  // the user starts again in the income field
    showModel();
    txtIncome_->setFocus();
}

void MainForm::properPicture()
{
    act([&] { model_.properPicture(); });
}

void MainForm::setStateHintVisible(bool visible)
{
    act([&] { model_.setStateHint(visible); });
}

void MainForm::receiveIncome(const std::string& incomeText, int howOft)
{
    readFields();
    model_.receiveIncome(incomeText, howOft);
    showModel();
    resultsIntoView();
}

void MainForm::resultsIntoView()
{
    // The grid's rows are laid out first: where it sits depends on them and
    // on the notices that came with this result.
    scrPage_->widget()->layout()->activate();
    scrPage_->ensureWidgetVisible(dbgDisplay_, 0, 8);
}

void MainForm::calculateWithExemptions(int count)
{
    if (count < 0 || count >= cboExemptions_->count()) return;
    act([&] { model_.exemptionsClicked(count); });
    calculate();
}

void MainForm::calculateInState(int state)
{
    if (state < 0 || state >= cboState_->count()) return;
    act([&] { model_.stateClicked(state); });
    calculate();
}

void MainForm::openLocalTax() { openMisc(0); }
void MainForm::openRaise() { openMisc(1); }

void MainForm::openMisc(int page)
{
    readFields();
    model_.beforeCommand();
    {
        MiscDialog dialog(model_, page == 0 ? MiscModel::Page::LocalTax : MiscModel::Page::PayRaise, this);
        // The grid behind the tool shows the raised period at once.
        connect(&dialog, &MiscDialog::raised, this, [this] { showModel(); });
        dialog.exec();
    }
    showModel();
}

void MainForm::activate()
{
    readFields();
    model_.activate();
    showModel();
}

void MainForm::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!activationHooked_) {
        activationHooked_ = true;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            connect(sub, &QMdiSubWindow::aboutToActivate, this, &MainForm::activate);
        activate();
        txtIncome_->setFocus();
    }
}

void MainForm::keyPressEvent(QKeyEvent* e)
{
    // Enter calculates. It arrives here only when the field with the focus
    // left it: an open drop-down list takes Enter to pick and keeps it, a
    // focused button or the hint answers it itself.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !(e->modifiers() & ~Qt::KeypadModifier)) {
        QWidget* f = QApplication::focusWidget();
        if (auto* b = qobject_cast<QAbstractButton*>(f); b && !qobject_cast<QRadioButton*>(b) && !qobject_cast<QCheckBox*>(b))
            b->click();
        else if (f != lblStatePgInst_)
            toolBarClicked(MainCommand::Calculate);
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool MainForm::eventFilter(QObject* watched, QEvent* e)
{
    // The user going into the income field, not the field getting the
    // focus back with its window (after State Options, a dialog, ...).
    if (watched == txtIncome_ && e->type() == QEvent::FocusIn) {
        const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
        if (why == Qt::MouseFocusReason || why == Qt::TabFocusReason || why == Qt::BacktabFocusReason ||
            why == Qt::ShortcutFocusReason) {
            model_.incomeFocused();
            cmdAdditional_[1]->setVisible(false);
        }
    }
    return QWidget::eventFilter(watched, e);
}

void MainForm::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    background_ = QPixmap();
}

void MainForm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (background_.isNull() || background_.size() != size() * devicePixelRatioF()) {
        backgroundPic_ = model_.Pic;
        background_ = backgroundPicture(backgroundPic_, size() * devicePixelRatioF());
        background_.setDevicePixelRatio(devicePixelRatioF());
    }
    p.drawPixmap(0, 0, background_);
}

}  // namespace wm
