#include "forms/main/ui/misc_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "forms/main/ui/main_widgets.h"
#include "qtcore/qt_text.h"
#include "record/input_limits.h"
#include "ui/artwork.h"
#include "ui/focus.h"

namespace wm {

namespace {

QLabel* wrapped(const QString& text, QWidget* parent)
{
    // ".03" is one number: no line break before or inside it.
    auto* l = new QLabel(QString(text).replace(QStringLiteral(" or .03"), QStringLiteral("\u00A0or\u00A0.\u206003")),
                         parent);
    l->setWordWrap(true);
    return l;
}
}  // namespace

MiscDialog::MiscDialog(MainFormModel& main, MiscModel::Page page, QWidget* parent)
    : QDialog(parent), model_(main, page), tabLR_(new QTabWidget(this))
{
    setObjectName(QStringLiteral("frmMisc"));
    setModal(true);
    tabLR_->setObjectName(QStringLiteral("tabLR"));
    tabLR_->addTab(buildLocalTaxPage(), tr("Local &Tax"));
    tabLR_->addTab(buildRaisePage(), tr("Pay &Raise"));
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(tabLR_);
    setMinimumWidth(440);
    connectEvents();
    chainTabOrder({tabLR_});  // the tabs, then the page under them

    model_.load();
    tabLR_->setTabEnabled(1, model_.raisePageEnabled);
    tabLR_->setCurrentIndex(static_cast<int>(page));
    setWindowTitle(qs(model_.caption()));
    const bool local = page == MiscModel::Page::LocalTax;
    cmdExit_[local ? kAccept : kCalculate]->setDefault(true);
    showModel();
    txtRaise_[local ? kLocalRate : kRaisePercent]->setFocus();
}

QLineEdit* MiscDialog::makeField(RaiseField i, const QString& accessible, QWidget* parent)
{
    auto* f = new QLineEdit(parent);
    f->setObjectName(QStringLiteral("txtRaise_%1").arg(i));
    f->setAccessibleName(accessible);
    f->setAlignment(Qt::AlignRight);
    f->setMaximumWidth(160);
    f->installEventFilter(this);
    FocusSelectAll::install(f);
    txtRaise_[i] = f;
    return f;
}

// What a rate below 1 will be taken as ("0.5 = 50 %"), under its field.
QLabel* MiscDialog::makeHint(RaiseField i, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QStringLiteral("lblHint_%1").arg(i));
    l->hide();
    connect(txtRaise_[i], &QLineEdit::textChanged, l, [l](const QString& text) {
        l->setText(qs(percentHint(text.toStdString())));
        l->setVisible(!l->text().isEmpty());
    });
    return l;
}

QPushButton* MiscDialog::makeButton(ExitButton i, const QString& text, const QString& glyph, QRgb color,
                                    const QString& tip, QWidget* parent)
{
    auto* b = new QPushButton(art::commandIcon(glyph, QColor(color)), text, parent);
    b->setObjectName(QStringLiteral("cmdExit_%1").arg(i));
    b->setToolTip(tip);
    cmdExit_[i] = b;
    return b;
}

QWidget* MiscDialog::buildLocalTaxPage()
{
    auto* local = new QWidget(tabLR_);
    auto* localLay = new QVBoxLayout(local);
    localLay->addWidget(wrapped(tr("Enter the Percentage. Example: 3% would be entered as 3 or .03."), local));
    localLay->addWidget(makeField(kLocalRate, tr("Local tax rate"), local));
    localLay->addWidget(makeHint(kLocalRate, local));
    localLay->addWidget(wrapped(
        tr("Select the option below that applies.  If you are in doubt, check with your finance or payroll office."),
        local));
    lstGrossPay_ = new QListWidget(local);
    lstGrossPay_->setObjectName(QStringLiteral("lstGrossPay"));
    lstGrossPay_->setAccessibleName(tr("What the local tax applies to"));
    for (std::string_view base : MiscModel::kBases) lstGrossPay_->addItem(qs(base));
    QuietSelection::install(lstGrossPay_);
    lstGrossPay_->setFixedHeight(lstGrossPay_->sizeHintForRow(0) * lstGrossPay_->count() +
                                 2 * lstGrossPay_->frameWidth() + 2);
    localLay->addWidget(lstGrossPay_);
    auto* localRow = new QHBoxLayout;
    localRow->addStretch(1);
    localRow->addWidget(makeButton(kAccept, tr("&Accept"), QStringLiteral("OK"), 0x2e8b57,
                                   tr("Keep this local tax rate and close"), local));
    localLay->addLayout(localRow);
    localLay->addStretch(1);
    return local;
}

QWidget* MiscDialog::buildRaisePage()
{
    auto* raise = new QWidget(tabLR_);
    auto* raiseLay = new QGridLayout(raise);
    raiseLay->addWidget(wrapped(tr("You may enter the pay raise percentage in either of the formats shown in the "
                                   "example.  Example: 3% would be entered as 3 or .03."),
                                raise),
                        0, 0, 1, 4);
    raiseLay->addWidget(makeField(kRaisePercent, tr("Pay raise percentage"), raise), 1, 1);
    lblPercentSign_ = new QLabel(QStringLiteral("%"), raise);
    lblPercentSign_->setObjectName(QStringLiteral("lblPercentSign"));
    raiseLay->addWidget(lblPercentSign_, 1, 2);
    raiseLay->addWidget(makeHint(kRaisePercent, raise), 1, 3);
    raiseLay->addWidget(new QLabel(tr("or"), raise), 2, 1, 1, 1, Qt::AlignLeft);
    raiseLay->addWidget(new QLabel(tr("Enter your new hourly wage."), raise), 3, 0, 1, 3);
    raiseLay->addWidget(new QLabel(tr("Old"), raise), 4, 0);
    lblOldShow_ = new QLabel(raise);
    lblOldShow_->setObjectName(QStringLiteral("lblOldShow"));
    lblOldShow_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblOldShow_->setFrameShape(QFrame::StyledPanel);
    raiseLay->addWidget(lblOldShow_, 4, 1);
    lblOldShow_->setMinimumWidth(140);
    raiseLay->addWidget(new QLabel(tr("New"), raise), 5, 0);
    raiseLay->addWidget(makeField(kNewWage, tr("New hourly wage"), raise), 5, 1);
    auto* raiseRow = new QHBoxLayout;
    raiseRow->addStretch(1);
    raiseRow->addWidget(makeButton(kCalculate, tr("&Calculate"), QStringLiteral("="), 0x2e8b57,
                                   tr("Calculate the new pay with this raise"), raise));
    raiseRow->addWidget(makeButton(kClose, tr("C&lose"), QStringLiteral("X"), 0xb04a4a,
                                   tr("Show the new wage on the calculator and close"), raise));
    raiseLay->addLayout(raiseRow, 6, 0, 1, 4);
    raiseLay->setRowStretch(7, 1);
    raiseLay->setColumnStretch(3, 1);
    return raise;
}

void MiscDialog::connectEvents()
{
    connect(lstGrossPay_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != model_.lstGrossPay) model_.baseClicked(row);
    });
    connect(cmdExit_[kAccept], &QPushButton::clicked, this, &MiscDialog::acceptLocalTax);
    connect(cmdExit_[kCalculate], &QPushButton::clicked, this, &MiscDialog::calculateRaise);
    connect(cmdExit_[kClose], &QPushButton::clicked, this, [this] {
        readFields();
        model_.closeRaise();
        accept();
    });
    connect(tabLR_, &QTabWidget::currentChanged, this, [this](int i) {
        model_.showPage(static_cast<MiscModel::Page>(i));
        setWindowTitle(qs(model_.caption()));
        cmdExit_[i == 0 ? kAccept : kCalculate]->setDefault(true);
    });
}

MiscDialog::~MiscDialog() { model_.unload(); }

void MiscDialog::readFields()
{
    model_.percent = txtRaise_[kRaisePercent]->text().toStdString();
    model_.newWage = txtRaise_[kNewWage]->text().toStdString();
    model_.rate = txtRaise_[kLocalRate]->text().toStdString();
}

void MiscDialog::showModel()
{
    const QSignalBlocker block(lstGrossPay_);
    txtRaise_[kRaisePercent]->setText(qs(model_.percent));
    txtRaise_[kNewWage]->setText(qs(model_.newWage));
    txtRaise_[kLocalRate]->setText(qs(model_.rate));
    lstGrossPay_->setCurrentRow(model_.lstGrossPay);
    if (model_.lstGrossPay < 0) lstGrossPay_->clearSelection();
    lblOldShow_->setText(qs(model_.oldShow));
    lblPercentSign_->setVisible(model_.percentSignVisible);
}

void MiscDialog::acceptLocalTax()
{
    readFields();
    if (auto problem = model_.acceptLocalTax()) {
        QMessageBox::warning(this, windowTitle(), qs(problem->message));
        (problem->input == Input::LocalBase ? static_cast<QWidget*>(lstGrossPay_) : txtRaise_[kLocalRate])->setFocus();
        return;
    }
    accept();
}

void MiscDialog::calculateRaise()
{
    readFields();
    if (auto problem = model_.calculateRaise()) {
        QMessageBox::warning(this, windowTitle(), qs(problem->message));
        txtRaise_[problem->input == Input::NewWage ? kNewWage : kRaisePercent]->setFocus();
        return;
    }
    showModel();
    emit raised();
}

bool MiscDialog::eventFilter(QObject* watched, QEvent* e)
{
    const bool isField = std::find(txtRaise_.begin(), txtRaise_.end(), watched) != txtRaise_.end();
    if (isField && e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        const QString text = key->text();
        // Editing and moving keys work as everywhere; of the characters only
        // digits and the full stop are taken.
        if (text.size() == 1 && text[0].isPrint() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            if (!MiscModel::keyAllowed(text[0].toLatin1())) {
                QApplication::beep();
                return true;
            }
        }
    } else if (isField && e->type() == QEvent::MouseButtonPress) {
        model_.fieldPressed();
        lblPercentSign_->setVisible(false);
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace wm
