// The shell's own forms: the about box (frmAbt) and the calendar
// (frmCalendar).
#include "shell/ui/shell_forms.h"

#include <QCalendarWidget>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/main/ui/register_forms.h"
#include "forms/tools/ui/register_forms.h"
#include "forms/w4/ui/register_forms.h"
#include "print/ui/register_forms.h"
#include "shell/ui/version.h"
#include "ui/artwork.h"
#include "ui/form_registry.h"

namespace wm {

namespace {

QDialog* makeAbout(AppContext&, QWidget* parent)
{
    auto* d = new QDialog(parent);
    d->setObjectName(QStringLiteral("frmAbt"));
    d->setWindowTitle(QObject::tr("About Wagemark"));
    auto* icon = new QLabel(d);
    icon->setPixmap(art::appIconPixmap(96));
    icon->setAlignment(Qt::AlignTop);
    auto* title = new QLabel(QStringLiteral("<h2>Wagemark</h2>"), d);
    title->setObjectName(QStringLiteral("lblTitle"));
    auto* version = new QLabel(versionText(), d);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* text = new QLabel(
        QObject::tr("A pay calculator for employees in the United States: federal withholding, FICA, "
                    "state and local tax for one pay period, on the withholding rules of tax year 2000, "
                    "with the Form W-4 worksheets and tools to compare and analyze pay.\n\n"
                    "The figures are estimates for planning. Your payroll office's figures decide."),
        d);
    text->setObjectName(QStringLiteral("lblDescription"));
    text->setWordWrap(true);
    text->setMinimumWidth(340);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, d);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    auto* right = new QVBoxLayout;
    right->addWidget(title);
    right->addWidget(version);
    right->addSpacing(8);
    right->addWidget(text);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(right, 1);
    auto* lay = new QVBoxLayout(d);
    lay->addLayout(top);
    lay->addWidget(buttons);
    return d;
}

QDialog* makeCalendar(AppContext&, QWidget* parent)
{
    auto* d = new QDialog(parent);
    d->setObjectName(QStringLiteral("frmCalendar"));
    d->setWindowTitle(QObject::tr("Calendar"));
    auto* cal = new QCalendarWidget(d);
    cal->setObjectName(QStringLiteral("MonthView1"));
    cal->setSelectedDate(QDate::currentDate());
    cal->setGridVisible(true);
    cal->setAccessibleName(QObject::tr("Month calendar"));
    auto* today = new QPushButton(QObject::tr("&Today"), d);
    today->setObjectName(QStringLiteral("cmdToday"));
    QObject::connect(today, &QPushButton::clicked, cal, [cal] {
        cal->setSelectedDate(QDate::currentDate());
        cal->showSelectedDate();
    });
    auto* close = new QPushButton(QObject::tr("&Close"), d);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, d, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(today);
    row->addStretch(1);
    row->addWidget(close);
    auto* lay = new QVBoxLayout(d);
    lay->addWidget(cal);
    lay->addLayout(row);
    cal->setFocus();
    return d;
}

}  // namespace

void registerShellForms(FormRegistry& reg)
{
    reg.add({FormId::About, "frmAbt", QObject::tr("About Wagemark"), formCode(FormId::About),
             [](AppContext& c, QWidget* p) -> QWidget* { return makeAbout(c, p); }, FormKind::Modal});
    reg.add({FormId::Calendar, "frmCalendar", QObject::tr("Calendar"), formCode(FormId::Calendar),
             [](AppContext& c, QWidget* p) -> QWidget* { return makeCalendar(c, p); }, FormKind::Modal});
}

void registerAllForms(FormRegistry& reg)
{
    registerShellForms(reg);
    registerMainForms(reg);
    registerW4Forms(reg);
    registerToolsForms(reg);
    registerPrintForms(reg);
}

}  // namespace wm
