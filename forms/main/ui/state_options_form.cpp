#include "forms/main/ui/state_options_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QFrame>
#include <QGroupBox>
#include <QPalette>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "forms/main/ui/main_widgets.h"
#include "qtcore/qt_text.h"
#include "record/input_limits.h"
#include "states/registry.h"
#include "ui/artwork.h"
#include "ui/focus.h"
#include "ui/layouts.h"

namespace wm {

namespace {

// Enabled options stand out in light red on the dark option panels; the
// others stay readable in grey (both above 5:1 on the panel).
const char* const kPanelStyle =
    "QGroupBox { background: #2f3b48; border: 1px solid #1d252e; border-radius: 6px; margin-top: 1.4em;"
    "  color: white; font-weight: bold; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; color: #2f3b48; }"
    "QRadioButton { color: #a7b1bc; font-weight: normal; }"
    "QRadioButton:enabled { color: #ff9e9e; }"
    "QLabel#lblExplain, QLabel#lblStatusNote { color: #f3f3f3; font-weight: normal; }";

// The next row of the entries: a caption and its field; without a caption
// the field takes the whole row. (A grid: a form layout misjudges the height
// of a note that wraps and squeezes the row below it.)
void addEntryRow(QGridLayout* grid, QLabel* label, QLayoutItem* field)
{
    const int row = grid->count() ? grid->rowCount() : 0;
    if (label) grid->addWidget(label, row, 0);
    grid->addItem(field, row, label ? 1 : 0, 1, label ? 1 : 2);
}
void addEntryRow(QGridLayout* grid, QLabel* label, QWidget* field) { addEntryRow(grid, label, new QWidgetItem(field)); }

// The line under the filing statuses: "not chosen", or why a state offers none.
QLabel* statusNoteLabel(QWidget* panel)
{
    auto* l = new QLabel(panel);
    l->setObjectName(QStringLiteral("lblStatusNote"));
    l->setWordWrap(true);
    return l;
}
}  // namespace

StateOptionsForm::StateOptionsForm(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx), model_(ctx)
{
    setObjectName(QStringLiteral("frmState"));
    setWindowTitle(tr("State Options"));

    QLabel* stateLabel = buildStateChoice();
    status_ = buildStatusPanel();
    rates_ = buildRatePanel();
    entries_ = buildEntries();
    buildAcceptButton();
    QFrame* header = buildHeader(stateLabel);
    buildPage(header);
    connectEvents();
    chainTabOrder({header, status_, rates_, entries_, cmdAccept_});

    model_.load();
    showModel();
}

QLabel* StateOptionsForm::buildStateChoice()
{
    cboState_ = new QComboBox(this);
    cboState_->setObjectName(QStringLiteral("cboState"));
    for (const StateEntry& s : stateList()) cboState_->addItem(qs(s.name));
    cboState_->setAccessibleName(tr("Select State"));
    cboState_->setMaxVisibleItems(16);
    auto* lState = new QLabel(tr("Select &State"), this);
    lState->setBuddy(cboState_);
    return lState;
}

QGroupBox* StateOptionsForm::buildStatusPanel()
{
    auto* status = new QGroupBox(tr("Filing Status"), this);
    status->setStyleSheet(QLatin1String(kPanelStyle));
    auto* statusLay = new QVBoxLayout(status);
    auto* statusGroup = new QButtonGroup(this);
    for (int i = 0; i < StateOptionsModel::kStatusCount; ++i) {
        auto* b = new QRadioButton(status);
        b->setObjectName(QStringLiteral("op3Marital_%1").arg(i));
        statusGroup->addButton(b, i);
        statusLay->addWidget(b);
        op3Marital_[static_cast<std::size_t>(i)] = b;
    }
    statusLay->addWidget(lblStatusNote_ = statusNoteLabel(status));
    statusLay->addStretch(1);
    connect(statusGroup, &QButtonGroup::idClicked, this, [this](int i) {
        readFields();
        model_.statusClicked(i);
        showModel();
    });
    return status;
}

QGroupBox* StateOptionsForm::buildRatePanel()
{
    auto* rates = new QGroupBox(tr("Withholding Rate"), this);
    rates->setStyleSheet(QLatin1String(kPanelStyle));
    auto* rateLay = new QVBoxLayout(rates);
    auto* rateGroup = new QButtonGroup(this);
    for (int i = 0; i < StateOptionsModel::kRateCount; ++i) {
        auto* b = new QRadioButton(qs(StateOptionsModel::kRateCaptions[static_cast<std::size_t>(i)]), rates);
        b->setObjectName(QStringLiteral("optRateSelect_%1").arg(i));
        b->installEventFilter(this);
        rateGroup->addButton(b, i);
        rateLay->addWidget(b);
        optRateSelect_[static_cast<std::size_t>(i)] = b;
    }
    lblExplain_ = new QLabel(rates);
    lblExplain_->setObjectName(QStringLiteral("lblExplain"));
    lblExplain_->setWordWrap(true);
    lblExplain_->setMinimumHeight(lblExplain_->fontMetrics().height() * 6);
    lblExplain_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    rateLay->addWidget(lblExplain_, 1);
    rates->setMinimumWidth(rates->fontMetrics().horizontalAdvance(rates->title()) + 40);
    connect(rateGroup, &QButtonGroup::idClicked, this, [this](int i) {
        readFields();
        model_.rateClicked(i);
        showModel();
    });
    return rates;
}

QWidget* StateOptionsForm::buildEntries()
{
    auto* entries = new QWidget(this);
    auto* form = new QGridLayout(entries);
    form->setColumnStretch(1, 1);
    addDependentsRow(form, entries);
    addSpecialRow(form, entries);
    addAmountRows(form, entries);
    addDeductBox(form, entries);
    entries->setObjectName(QStringLiteral("fraEntries"));
    entries->setStyleSheet(QStringLiteral("#fraEntries { background: white; border: 1px solid #c9d3dc; border-radius: 6px; }"));
    entries->setAttribute(Qt::WA_StyledBackground);
    return entries;
}

void StateOptionsForm::addDependentsRow(QGridLayout* form, QWidget* entries)
{
    for (int i = 0; i < 2; ++i) {
        auto* c = new QComboBox(entries);
        c->setObjectName(QStringLiteral("cboDeps_%1").arg(i));
        const InputLimit& deps = limitOf(i == 0 ? Input::StateDeps : Input::SecondDeps);
        for (int n = deps.lo; n <= deps.hi; ++n) c->addItem(QString::number(n));
        cboDeps_[static_cast<std::size_t>(i)] = c;
    }
    cboDeps_[0]->setAccessibleName(tr("Dependents (State)"));
    cboDeps_[1]->setAccessibleName(tr("Illinois and Indiana dependents"));
    cboDeps_[1]->setToolTip(tr("For Use in Computing Illinois and Indiana Tax"));
    auto* lDeps = new QLabel(tr("&Dependents (State)"), entries);
    lDeps->setBuddy(cboDeps_[0]);
    auto* depsRow = new QHBoxLayout;
    depsRow->addWidget(cboDeps_[0]);
    depsRow->addWidget(cboDeps_[1]);
    depsRow->addStretch(1);
    addEntryRow(form, lDeps, depsRow);
}

void StateOptionsForm::addSpecialRow(QGridLayout* form, QWidget* entries)
{
    cboSpecialDeps_ = new QComboBox(entries);
    cboSpecialDeps_->setObjectName(QStringLiteral("cboSpecialDeps"));
    cboSpecialDeps_->setEditable(true);
    cboSpecialDeps_->setInsertPolicy(QComboBox::NoInsert);
    FocusSelectAll::install(cboSpecialDeps_);
    // Wide enough for the longest text of any state's list ("choose your
    // county rate"): the panels rearrange before it is cut.
    int widest = 0;
    for (const StateEntry& st : stateList()) {
        const SpecialList* l = st.dialog.special;
        if (!l) continue;
        widest = std::max(widest, static_cast<int>(l->placeholder.size()));
        for (const ListItem& item : l->items) widest = std::max(widest, static_cast<int>(item.text.size()));
    }
    cboSpecialDeps_->setMinimumContentsLength(widest);
    cboSpecialDeps_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lblSpecialDeps_ = new QLabel(entries);
    lblSpecialDeps_->setObjectName(QStringLiteral("lblSpecialDeps"));
    lblSpecialDeps_->setBuddy(cboSpecialDeps_);
    addEntryRow(form, lblSpecialDeps_, cboSpecialDeps_);
    lblSpecialNote_ = new QLabel(entries);
    lblSpecialNote_->setObjectName(QStringLiteral("lblSpecialNote"));
    lblSpecialNote_->setWordWrap(true);
    addEntryRow(form, nullptr, lblSpecialNote_);
}

void StateOptionsForm::addAmountRows(QGridLayout* form, QWidget* entries)
{
    mskAdditional_ = new QLineEdit(entries);
    mskAdditional_->setObjectName(QStringLiteral("mskAdditional"));
    lblAdditional_ = new QLabel(entries);
    lblAdditional_->setBuddy(mskAdditional_);
    setupMoneyField(mskAdditional_, qs(StateOptionsModel::kAdditionalCaption));
    addEntryRow(form, lblAdditional_, mskAdditional_);

    mskMissSpouseEmp_ = new QLineEdit(entries);
    mskMissSpouseEmp_->setObjectName(QStringLiteral("mskMissSpouseEmp"));
    mskMissSpouseEmp_->setToolTip(tr("Enter that part of $12,000 claimed by you, in multiples of $500.00."));
    setupMoneyField(mskMissSpouseEmp_, tr("Your part of the exemption"));
    lblMissSpouse_ = new QLabel(tr("Your part of the exemption"), entries);
    lblMissSpouse_->setBuddy(mskMissSpouseEmp_);
    addEntryRow(form, lblMissSpouse_, mskMissSpouseEmp_);
}

void StateOptionsForm::addDeductBox(QGridLayout* form, QWidget* entries)
{
    auto* deduct = new QGroupBox(tr("Deduct from Taxable State Amount?"), entries);
    deduct->setObjectName(QStringLiteral("pnlDeduct"));
    auto* deductLay = new QHBoxLayout(deduct);
    const QString checks[] = {tr("401&k"), tr("Pre-&Tax Amt")};
    for (int i = 0; i < 2; ++i) {
        auto* c = new QCheckBox(checks[i], deduct);
        c->setObjectName(QStringLiteral("chkExemp_%1").arg(i));
        deductLay->addWidget(c);
        chkExemp_[static_cast<std::size_t>(i)] = c;
    }
    deductLay->addStretch(1);
    addEntryRow(form, nullptr, deduct);
}

void StateOptionsForm::buildAcceptButton()
{
    cmdAccept_ = new QPushButton(art::commandIcon(QStringLiteral("OK"), QColor(0x2e8b57)), tr("A&ccept"), this);
    cmdAccept_->setObjectName(QStringLiteral("cmdAccept"));
    cmdAccept_->setToolTip(tr("Keep these options and return to the calculator"));
    cmdAccept_->setDefault(true);
}

QFrame* StateOptionsForm::buildHeader(QLabel* stateLabel)
{
    auto* header = new QFrame(this);
    header->setObjectName(QStringLiteral("fraHeader"));
    auto* top = new QHBoxLayout(header);
    top->addWidget(stateLabel);
    top->addWidget(cboState_);
    auto* advice = new QLabel(tr("Only the options your state uses can be chosen. They are used by the next "
                                 "calculation of the state chosen on the calculator."),
                              header);
    advice->setWordWrap(true);
    top->addSpacing(12);
    top->addWidget(advice, 1);
    header->setStyleSheet(QStringLiteral("#fraHeader { background: white; border: 1px solid #c9d3dc; border-radius: 6px; }"));
    return header;
}

// The panels side by side when there is room, fewer beside each other when
// not; the page scrolls up and down and Accept stays in view below.
void StateOptionsForm::buildPage(QFrame* header)
{
    // Each panel as tall as its lines need at its width (a note that wraps
    // takes more), and no taller: the grid holds them at the top.
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pnlPage"));
    auto* pageLay = new QVBoxLayout(page);
    pageLay->setContentsMargins(14, 14, 14, 6);
    pageLay->setSpacing(12);
    pageLay->addWidget(header);
    panels_ = new QGridLayout;
    panels_->setSpacing(12);
    pageLay->addLayout(panels_);
    pageLay->addStretch(1);
    placePanels(3);
    auto* scroll = new VerticalScroll(page, this);
    scroll->setObjectName(QStringLiteral("scrPage"));
    connect(scroll, &VerticalScroll::widthChanged, this, [this](int width) {
        const int room = width - 28;
        const int s = status_->minimumSizeHint().width(), r = rates_->minimumSizeHint().width(),
                  e = entries_->minimumSizeHint().width();
        placePanels(s + r + e + 24 <= room ? 3 : s + r + 12 <= room && e <= room ? 2 : 1);
    });
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(14, 6, 14, 14);
    bottom->addStretch(1);
    bottom->addWidget(cmdAccept_);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(scroll, 1);
    lay->addLayout(bottom);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xe9, 0xee, 0xf2));
    setPalette(pal);
}

void StateOptionsForm::connectEvents()
{
    connect(cboState_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        readFields();
        model_.stateChanged(i);
        showModel();
    });
    connect(cboSpecialDeps_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        readFields();
        model_.specialChosen(i);
        showModel();
    });
    connect(chkExemp_[0], &QCheckBox::clicked, this, [this](bool on) { model_.check401kClicked(on); });
    connect(chkExemp_[1], &QCheckBox::clicked, this, [this](bool on) { model_.checkPreTaxClicked(on); });
    connect(cmdAccept_, &QPushButton::clicked, this, [this] {
        if (acceptOptions()) {
            ctx_.nav.close(FormId::StateOptions);
            ctx_.nav.open(FormId::Main);
        }
    });
}

StateOptionsForm::~StateOptionsForm() = default;

void StateOptionsForm::placePanels(int columns)
{
    if (columns == columns_) return;
    columns_ = columns;
    for (QWidget* w : {status_, rates_, entries_}) panels_->removeWidget(w);
    for (int c = 0; c < 3; ++c) panels_->setColumnStretch(c, 0);
    if (columns == 3) {
        panels_->addWidget(status_, 0, 0, Qt::AlignTop);
        panels_->addWidget(rates_, 0, 1, Qt::AlignTop);
        panels_->addWidget(entries_, 0, 2, Qt::AlignTop);
        panels_->setColumnStretch(0, 3);
        panels_->setColumnStretch(1, 2);
        panels_->setColumnStretch(2, 4);
    } else if (columns == 2) {
        panels_->addWidget(status_, 0, 0, Qt::AlignTop);
        panels_->addWidget(rates_, 0, 1, Qt::AlignTop);
        panels_->addWidget(entries_, 1, 0, 1, 2, Qt::AlignTop);
        panels_->setColumnStretch(0, 3);
        panels_->setColumnStretch(1, 2);
    } else {
        panels_->addWidget(status_, 0, 0, Qt::AlignTop);
        panels_->addWidget(rates_, 1, 0, Qt::AlignTop);
        panels_->addWidget(entries_, 2, 0, Qt::AlignTop);
        panels_->setColumnStretch(0, 1);
    }
}

void StateOptionsForm::readFields()
{
    model_.depsText[0] = cboDeps_[0]->currentText().toStdString();
    model_.depsText[1] = cboDeps_[1]->currentText().toStdString();
    model_.specialText = cboSpecialDeps_->currentText().toStdString();
    model_.additional = mskAdditional_->text().toStdString();
    model_.spousePart = mskMissSpouseEmp_->text().toStdString();
}

void StateOptionsForm::showModel()
{
    const QSignalBlocker b1(cboState_), b2(cboSpecialDeps_);
    cboState_->setCurrentIndex(model_.cboState);
    for (int i = 0; i < StateOptionsModel::kStatusCount; ++i) {
        QRadioButton* b = op3Marital_[static_cast<std::size_t>(i)];
        b->setText(qs(model_.statusCaption[static_cast<std::size_t>(i)]));
        b->setEnabled(model_.statusEnabled[static_cast<std::size_t>(i)]);
        b->setVisible(model_.statusShown[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < StateOptionsModel::kRateCount; ++i)
        optRateSelect_[static_cast<std::size_t>(i)]->setEnabled(model_.rateEnabled[static_cast<std::size_t>(i)]);
    // Exclusive groups cannot show "none chosen" while exclusive. An option
    // the state does not offer never shows as chosen.
    auto select = [](auto& buttons, int selected) {
        QButtonGroup* g = buttons[0]->group();
        g->setExclusive(false);
        for (std::size_t i = 0; i < buttons.size(); ++i)
            buttons[i]->setChecked(static_cast<int>(i) == selected && buttons[i]->isEnabled());
        g->setExclusive(true);
    };
    select(op3Marital_, model_.statusSelected);
    lblStatusNote_->setText(qs(model_.statusNote));
    lblStatusNote_->setVisible(!model_.statusNote.empty());
    select(optRateSelect_, model_.rateSelected);
    for (int i = 0; i < 2; ++i) {
        QComboBox* c = cboDeps_[static_cast<std::size_t>(i)];
        const QSignalBlocker b(c);
        c->setEnabled(model_.depsEnabled[static_cast<std::size_t>(i)]);
        const int at = c->findText(qs(model_.depsText[static_cast<std::size_t>(i)]));
        c->setCurrentIndex(at >= 0 ? at : 0);
    }
    cboSpecialDeps_->clear();
    for (const std::string& item : model_.specialItems) cboSpecialDeps_->addItem(qs(item));
    cboSpecialDeps_->setEditText(qs(model_.specialText));
    cboSpecialDeps_->lineEdit()->setCursorPosition(0);  // its start in view, should it ever be cut
    cboSpecialDeps_->setEnabled(model_.specialEnabled);
    lblSpecialDeps_->setText(qs(model_.specialCaption));
    lblSpecialNote_->setText(qs(model_.specialNote));
    lblSpecialNote_->setVisible(!model_.specialNote.empty());
    cboSpecialDeps_->setAccessibleName(qs(model_.specialCaption));
    cboSpecialDeps_->lineEdit()->setAccessibleName(qs(model_.specialCaption));
    lblAdditional_->setText(qs(model_.additionalCaption));
    lblAdditional_->setEnabled(model_.additionalEnabled);
    mskAdditional_->setEnabled(model_.additionalEnabled);
    mskAdditional_->setText(displayMoney(qs(model_.additional)));
    mskMissSpouseEmp_->setText(displayMoney(qs(model_.spousePart)));
    mskMissSpouseEmp_->setVisible(model_.spouseVisible);
    lblMissSpouse_->setVisible(model_.spouseVisible);
    chkExemp_[0]->setChecked(model_.chk401k);
    chkExemp_[1]->setChecked(model_.chkPreTax);
    for (std::size_t i = 0; i < chkExemp_.size(); ++i) chkExemp_[i]->setEnabled(model_.deductEnabled[i]);
    lblExplain_->setText(qs(model_.explanation));
}

bool StateOptionsForm::acceptOptions()
{
    if (accepted_) return true;
    readFields();
    if (auto problem = model_.accept()) {
        QMessageBox::warning(this, tr("State Options"), qs(problem->message));
        return false;
    }
    accepted_ = true;
    return true;
}

void StateOptionsForm::activate()
{
    readFields();
    model_.activate();
    showModel();
}

void StateOptionsForm::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!activationHooked_) {
        activationHooked_ = true;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            connect(sub, &QMdiSubWindow::aboutToActivate, this, &StateOptionsForm::activate);
        activate();
        cboState_->setFocus();
    }
}

void StateOptionsForm::closeEvent(QCloseEvent* e)
{
    // Closing keeps the options as Accept does; an unreadable entry keeps
    // the dialog open.
    if (!acceptOptions()) {
        e->ignore();
        return;
    }
    e->accept();
}

bool StateOptionsForm::eventFilter(QObject* watched, QEvent* e)
{
    for (int i = 0; i < StateOptionsModel::kRateCount; ++i) {
        if (watched != optRateSelect_[static_cast<std::size_t>(i)]) continue;
        if (e->type() == QEvent::Enter || e->type() == QEvent::FocusIn) {
            model_.ratePointed(i);
            lblExplain_->setText(qs(model_.explanation));
        } else if (e->type() == QEvent::Leave || e->type() == QEvent::FocusOut) {
            model_.rateLeft();
            lblExplain_->setText(qs(model_.explanation));
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace wm
