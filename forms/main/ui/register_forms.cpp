// The calculator's forms in the main window: the main calculator and the
// state options dialog. (The local tax and pay raise tool is opened by the
// calculator itself.)
#include "forms/main/ui/register_forms.h"

#include "forms/main/ui/main_form.h"
#include "forms/main/ui/state_options_form.h"
#include "ui/form_registry.h"

namespace wm {

void registerMainForms(FormRegistry& reg)
{
    reg.add({FormId::Main, "frmMain", QObject::tr("Wagemark Calculator"), "6",
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new MainForm(ctx, parent); },
             FormKind::Maximized});
    reg.add({FormId::StateOptions, "frmState", QObject::tr("State Options"), "15",
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new StateOptionsForm(ctx, parent); },
             FormKind::Maximized});
}

}  // namespace wm
