#include "forms/tools/logic/analysis_model.h"

#include "app/form_id.h"

namespace wm {

namespace {
constexpr const char* kModule = "frmAnalysis";
}  // namespace

AnalysisModel::AnalysisModel(PayRecord& record, WindowState& state, SettingsStore& settings, ErrorScheme& errors)
    : record_(record), state_(state), settings_(settings), errors_(errors)
{
    for (std::size_t i = 0; i < analysis_.figures.size(); ++i) analysis_.figures[i].percent = isPercentFigure(i);
}

AnalysisModel::~AnalysisModel() { state_.frmLoaded = kNoFormCode; }

void AnalysisModel::load()
{
    runCommand([&] {
        Procedure p(errors_, kModule, "Form_Load");
        p.run([&] { state_.frmLoaded = formCode(FormId::Analysis); },
              [&] { state_.intHours = readHours(settings_); },
              [&] { analysis_ = analyzePay(record_, state_.intHours); });
    });
}

void AnalysisModel::print() { state_.FromForm = 1; }

}  // namespace wm
