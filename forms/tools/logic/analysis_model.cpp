#include "forms/tools/logic/analysis_model.h"

namespace wm {

namespace {
constexpr const char* kModule = "frmAnalysis";
}  // namespace

AnalysisModel::AnalysisModel(PayRecord& record, SettingsStore& settings, ErrorScheme& errors)
    : record_(record), settings_(settings), errors_(errors)
{
    for (std::size_t i = 0; i < analysis_.figures.size(); ++i) analysis_.figures[i].percent = isPercentFigure(i);
}

AnalysisModel::~AnalysisModel() { record_.frmLoaded = "0"; }

void AnalysisModel::load()
{
    runCommand([&] {
        Procedure p(errors_, kModule, "Form_Load");
        p.run([&] { record_.frmLoaded = "3"; },
              [&] { record_.intHours = readHours(settings_); },
              [&] { analysis_ = analyzePay(record_, record_.intHours); });
    });
}

void AnalysisModel::print() { record_.FromForm = 1; }

}  // namespace wm
