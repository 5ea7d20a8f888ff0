// The calculator's forms in the main window: the main calculator, the state
// options dialog, and the local tax and pay raise tool that the calculator
// runs itself.
#include "forms/main/ui/register_forms.h"

#include "forms/main/ui/main_form.h"
#include "forms/main/ui/misc_dialog.h"
#include "forms/main/ui/state_options_form.h"
#include "ui/form_registry.h"

namespace wm {

void registerMainForms(FormRegistry& reg)
{
    reg.add({FormId::Main, "frmMain", QObject::tr("Wagemark Calculator"), formCode(FormId::Main),
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new MainForm(ctx, parent); },
             FormKind::Maximized});
    reg.add({FormId::StateOptions, "frmState", QObject::tr("State Options"), formCode(FormId::StateOptions),
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new StateOptionsForm(ctx, parent); },
             FormKind::Maximized});
    reg.add({FormId::LocalTaxRaise, "frmMisc", QObject::tr("Local Tax and Pay Raise"), formCode(FormId::LocalTaxRaise),
             [](AppContext&, QWidget* parent) -> QWidget* {
                 auto* main = qobject_cast<MainForm*>(parent);
                 return main ? new MiscDialog(main->model(), MiscModel::Page::LocalTax, main) : nullptr;
             },
             FormKind::Owned, FormId::Main});
}

}  // namespace wm
