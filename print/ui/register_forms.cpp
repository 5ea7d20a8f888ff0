// The print window joins the main window's forms.
#include "print/ui/register_forms.h"

#include <QTimer>

#include "print/ui/print_window.h"
#include "ui/form_registry.h"

namespace wm {

void registerPrintForms(FormRegistry& reg)
{
    reg.add({FormId::Print, "frmPrint", QStringLiteral("Print Preview"), formCode(FormId::Print),
             [](AppContext& ctx, QWidget* parent) -> QWidget* {
                 auto* w = new PrintWindow(ctx, parent);
                 // Built once the window stands, so a print dialog opens over it.
                 QTimer::singleShot(0, w, [w] { w->makePrint(); });
                 return w;
             }});
}

}  // namespace wm
