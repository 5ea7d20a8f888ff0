#pragma once
// Pay analysis (frmAnalysis) without its window: the figures of
// core/pay_analysis.h for the last calculation.

#include "core/pay_analysis.h"
#include "app/window_state.h"
#include "record/pay_record.h"
#include "record/runtime_error.h"
#include "record/settings_store.h"

namespace wm {

// The analysis view's load and print commands.
class AnalysisModel {
public:
    AnalysisModel(PayRecord& record, WindowState& state, SettingsStore& settings, ErrorScheme& errors);
    ~AnalysisModel();
    AnalysisModel(const AnalysisModel&) = delete;
    AnalysisModel& operator=(const AnalysisModel&) = delete;

    // Form_Load: "Hours" into intHours, then the figures. An unreadable
    // "Hours" setting goes to the error report.
    void load();
    // cmdPrint_Click: FromForm = 1; the print window then builds the
    // analysis document from `analysis()`.
    void print();

    const Analysis& analysis() const { return analysis_; }

private:
    PayRecord& record_;
    WindowState& state_;
    SettingsStore& settings_;
    ErrorScheme& errors_;
    Analysis analysis_;
};

}  // namespace wm
