// The W-4 forms in the main window's table. The worksheets and the
// certificate come up maximized; the table picker is run by its worksheet.
#include "forms/w4/ui/register_forms.h"

#include "forms/w4/ui/dednadj_window.h"
#include "forms/w4/ui/pers_wksht_window.h"
#include "forms/w4/ui/personal_info_window.h"
#include "forms/w4/ui/table_picker_dialog.h"
#include "forms/w4/ui/two_earner_window.h"
#include "forms/w4/ui/w4_view_window.h"
#include "ui/form_registry.h"

namespace wm {

void registerW4Forms(FormRegistry& reg)
{
    using namespace wm::w4;
    reg.add({FormId::PersonalInfo, PersonalInfo::kName, QObject::tr("Personal Information"),
             formCode(FormId::PersonalInfo),
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new PersonalInfoWindow(ctx, parent); }});
    reg.add({FormId::W4View, W4View::kName, QObject::tr("Form W-4"), formCode(FormId::W4View),
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new W4ViewWindow(ctx, parent); },
             FormKind::Maximized});
    reg.add({FormId::PersWkSht, PersWkSht::kName, QObject::tr("Personal Allowances Worksheet"),
             formCode(FormId::PersWkSht),
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new PersWkShtWindow(ctx, parent); },
             FormKind::Maximized});
    reg.add({FormId::DeductionsWkSht, DednAdjWkSht::kName, QObject::tr("Deductions and Adjustments Worksheet"),
             formCode(FormId::DeductionsWkSht),
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new DednAdjWindow(ctx, parent); },
             FormKind::Maximized});
    reg.add({FormId::TwoEarnerWkSht, TwoEarnerWkSht::kName, QObject::tr("Two-Earner/Two-Job Worksheet"),
             formCode(FormId::TwoEarnerWkSht),
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new TwoEarnerWindow(ctx, parent); },
             FormKind::Maximized});
    reg.add({FormId::TableOne, TablePicker::kName, QObject::tr("Two-Earner/Two-Job Tables"), formCode(FormId::TableOne),
             [](AppContext& ctx, QWidget* parent) -> QWidget* {
                 return qobject_cast<TwoEarnerWindow*>(parent) ? new TablePickerDialog(ctx.state, parent) : nullptr;
             },
             FormKind::Owned, FormId::TwoEarnerWkSht});
}

}  // namespace wm
