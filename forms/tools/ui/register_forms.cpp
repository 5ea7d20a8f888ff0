// The Multiple Check Worksheet, the pay analysis and the Year Check join the
// main window's forms.
#include "forms/tools/ui/register_forms.h"

#include "forms/tools/ui/analysis_window.h"
#include "forms/tools/ui/bonus_check_window.h"
#include "forms/tools/ui/compare_states_window.h"
#include "forms/tools/ui/multi_check_window.h"
#include "forms/tools/ui/year_check_window.h"
#include "ui/form_registry.h"

namespace wm {

void registerToolsForms(FormRegistry& reg)
{
    reg.add({FormId::MultiCheck, "frmMultiCheck", QStringLiteral("Multiple Check Worksheet"),
             formCode(FormId::MultiCheck),
             [](AppContext& ctx, QWidget* parent) -> QWidget* {
                 auto* w = new MultiCheckWindow(ctx, parent);
                 // The total becomes the calculator's monthly income.
                 QObject::connect(w, &MultiCheckWindow::transferred, w, [&ctx](const QString& income, int howOft) {
                     ctx.nav.sendToMain(income.toStdString(), howOft);
                 });
                 return w;
             },
             FormKind::Maximized});
    reg.add({FormId::Analysis, "frmAnalysis", QStringLiteral("Pay Analysis"), formCode(FormId::Analysis),
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new AnalysisWindow(ctx, parent); },
             FormKind::Maximized});
    reg.add({FormId::YearCheck, YearCheckModel::kName, QStringLiteral("Year Check"), formCode(FormId::YearCheck),
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new YearCheckWindow(ctx, parent); },
             FormKind::Maximized});
    reg.add({FormId::YearCheckPreview, "frmYearCheckPreview", QStringLiteral("Year Check Preview"),
             formCode(FormId::YearCheckPreview),
             [](AppContext&, QWidget* parent) -> QWidget* {
                 auto* year = qobject_cast<YearCheckWindow*>(parent);
                 return year ? year->makePreview() : nullptr;
             },
             FormKind::Owned, FormId::YearCheck});
    reg.add({FormId::BonusCheck, BonusCheckModel::kName, QStringLiteral("Bonus Check"), formCode(FormId::BonusCheck),
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new BonusCheckWindow(ctx, parent); },
             FormKind::Maximized});
    reg.add({FormId::CompareStates, CompareStatesModel::kName, QStringLiteral("Compare States"),
             formCode(FormId::CompareStates),
             [](AppContext& ctx, QWidget* parent) -> QWidget* { return new CompareStatesWindow(ctx, parent); },
             FormKind::Maximized});
}

}  // namespace wm
