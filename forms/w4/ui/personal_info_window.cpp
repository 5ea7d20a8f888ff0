#include "forms/w4/ui/personal_info_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "forms/w4/ui/w4_view_window.h"
#include "forms/w4/ui/w4_widgets.h"
#include "ui/focus.h"

namespace wm::w4 {

namespace {
// "###-##-####": digits only, each one optional, so a number can be typed
// in part.
const QString kSsnInputMask = QStringLiteral("000-00-0000;_");

QString digitsOnly(const QString& s)
{
    QString d;
    for (QChar c : s)
        if (c.isDigit()) d += c;
    return d;
}
void showEntry(QLineEdit* field, const std::string& stored, const QString& hint)
{
    field->setPlaceholderText(hint);
    field->setText(stored == "-" ? QString() : qs(stored));
}
}  // namespace

PersonalInfoWindow::PersonalInfoWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), model_(ctx.record, ctx.state, ctx.settings, ctx.errors)
{
    setObjectName(QString::fromLatin1(PersonalInfo::kName));
    setWindowTitle(tr("Personal Information"));

    QFormLayout* identity = buildIdentity();
    QGroupBox* marital = buildMaritalStatus();
    QHBoxLayout* bottom = buildBottomRow();
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(16, 16, 16, 16);
    lay->addLayout(identity);
    lay->addSpacing(8);
    lay->addWidget(marital);
    lay->addStretch(1);
    lay->addLayout(bottom);

    txtName_->setFocus();
}

QFormLayout* PersonalInfoWindow::buildIdentity()
{
    txtName_ = field("txtName", tr("Name: first name, middle initial and last name"));
    txtAddress_ = field("txtAddress", tr("Home address"));
    txtCity_ = field("txtCity", tr("City or town, state and ZIP code"));
    txtSSN_ = field("txtSSN", tr("Social security number"));
    for (QLineEdit* e : {txtName_, txtAddress_, txtCity_})
        e->setMinimumWidth(e->fontMetrics().averageCharWidth() * 40);
    txtSSN_->setInputMask(kSsnInputMask);
    txtSSN_->setMaximumWidth(txtSSN_->fontMetrics().horizontalAdvance(QStringLiteral("000-00-00000")) + 24);

    // "-" marks an entry never made: the field shows empty with a grey hint.
    showEntry(txtName_, model_.txtName, tr("First name, middle initial, last name"));
    showEntry(txtAddress_, model_.txtAddress, tr("Number and street or rural route"));
    showEntry(txtCity_, model_.txtCity, tr("City or town, state and ZIP code"));
    // "-" is the mark for a number never entered: the mask shows it empty.
    txtSSN_->setText(digitsOnly(qs(model_.txtSSN)).isEmpty() ? QString() : qs(model_.txtSSN));

    lblNameNeeded_ = new QLabel(tr("Enter your name before you leave this form."), this);
    lblNameNeeded_->setObjectName(QStringLiteral("lblNameNeeded"));
    QPalette warn = lblNameNeeded_->palette();
    warn.setColor(QPalette::WindowText, QColor(160, 0, 0));
    lblNameNeeded_->setPalette(warn);
    lblNameNeeded_->hide();
    lblNameNeeded_->setWordWrap(true);
    for (QLineEdit* e : {txtName_, txtAddress_, txtCity_})
        connect(e, &QLineEdit::textEdited, lblNameNeeded_, &QWidget::hide);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->addRow(tr("&Name (first name, middle initial, last name):"), txtName_);
    form->addRow(lblNameNeeded_);  // the whole width: a message on one line
    form->addRow(tr("Home a&ddress (number and street or rural route):"), txtAddress_);
    form->addRow(tr("&City or town, state and ZIP code:"), txtCity_);
    form->addRow(tr("&Social security number:"), txtSSN_);
    return form;
}

QGroupBox* PersonalInfoWindow::buildMaritalStatus()
{
    auto* group = new QGroupBox(tr("Marital status"), this);
    group->setObjectName(QStringLiteral("fraMaritalStatus"));
    auto* groupLay = new QVBoxLayout(group);
    marital_ = new QButtonGroup(this);
    const QString captions[3] = {tr("&Married"), tr("Sin&gle"), tr("Married, but &withhold at higher single rate.")};
    for (int i = 0; i < 3; ++i) {
        auto* opt = new QRadioButton(captions[i], group);
        opt->setObjectName(indexed("optMaritalStatus", i));
        opt->setAccessibleName(qs(kMaritalCaptions[i]));
        marital_->addButton(opt, i);
        groupLay->addWidget(opt);
    }
    if (model_.optMaritalStatus) marital_->button(*model_.optMaritalStatus)->setChecked(true);
    connect(marital_, &QButtonGroup::idClicked, this, [this](int id) { model_.selectMarital(id); });
    return group;
}

QHBoxLayout* PersonalInfoWindow::buildBottomRow()
{
    chkShow_ = new QCheckBox(tr("Show this form when Wagemark s&tarts"), this);
    chkShow_->setObjectName(QStringLiteral("chkShow"));
    chkShow_->setChecked(model_.chkShow);
    connect(chkShow_, &QCheckBox::clicked, this, [this](bool on) { model_.setShowAtStart(on); });

    auto* ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdExit"));
    ok->setDefault(true);
    ok->setToolTip(tr("Save your information and close this form"));
    connect(ok, &QPushButton::clicked, this, &PersonalInfoWindow::exit);
    for (QLineEdit* e : {txtName_, txtAddress_, txtCity_, txtSSN_})
        connect(e, &QLineEdit::returnPressed, this, &PersonalInfoWindow::exit);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chkShow_);
    bottom->addStretch(1);
    bottom->addWidget(ok);
    return bottom;
}

QLineEdit* PersonalInfoWindow::field(const char* objectName, const QString& access)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(objectName));
    e->setAccessibleName(access);
    FocusSelectAll::install(e);
    return e;
}

QLineEdit* PersonalInfoWindow::fieldOf(PersonalInfo::Field f) const
{
    switch (f) {
    case PersonalInfo::Name: return txtName_;
    case PersonalInfo::Address: return txtAddress_;
    case PersonalInfo::City: return txtCity_;
    }
    return txtName_;
}

void PersonalInfoWindow::readFields()
{
    // An address left empty is stored as the "not known" mark it was.
    const auto orUnknown = [](const QString& t) { return t.trimmed().isEmpty() ? std::string("-") : ss(t); };
    model_.txtName = ss(txtName_->text());
    model_.txtAddress = orUnknown(txtAddress_->text());
    model_.txtCity = orUnknown(txtCity_->text());
    model_.txtSSN = ss(txtSSN_->text());
}

void PersonalInfoWindow::exit()
{
    readFields();
    if (!model_.exit()) {
        const auto problem = model_.textProblem();
        lblNameNeeded_->setText(problem ? qs(problem->message) : tr("Enter your name before you leave this form."));
        lblNameNeeded_->setVisible(problem || isBlank(model_.txtName));
        fieldOf(problem ? problem->field : PersonalInfo::Name)->setFocus(Qt::OtherFocusReason);
        return;
    }
    close();
}

void PersonalInfoWindow::closeEvent(QCloseEvent* e)
{
    QWidget::closeEvent(e);
    if (e->isAccepted() && !std::exchange(unloaded_, true)) showMainAfterUnload(ctx_, this);
}

void PersonalInfoWindow::showEvent(QShowEvent* e)
{
    unloaded_ = false;
    QWidget::showEvent(e);
}

}  // namespace wm::w4
