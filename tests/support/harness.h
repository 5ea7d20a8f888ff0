#pragma once
// A pass with everything it needs, for tests: a zeroed pay record, inputs,
// in-memory settings and a report component that answers from a script.

#include <deque>
#include <memory>
#include <vector>

#include "core/pass.h"
#include "core/state_dispatch.h"
#include "record/settings_store.h"

namespace wm::test {

// Answers each report with the next scripted action (Raise when none is
// left) and keeps every report it was given.
struct ReportLog {
    std::deque<int> answers;
    std::vector<ReportData> reports;
};

class ScriptedReport final : public BasicErrorReport {
public:
    explicit ScriptedReport(ReportLog& log) : log_(log) {}
    int reportError() override
    {
        log_.reports.push_back(data);
        if (log_.answers.empty()) return static_cast<int>(Action::Raise);
        int a = log_.answers.front();
        log_.answers.pop_front();
        return a;
    }

private:
    ReportLog& log_;
};

struct Harness {
    PayRecord r;
    PassInput in;
    MemorySettingsStore settings;
    ReportLog log;
    ErrorScheme errors{r, [this] { return std::make_unique<ScriptedReport>(log); }};
    Trace trace;
    Pass pass{r, in, settings, errors};

    Harness() { pass.trace = &trace; }

    // The Calculate command; false when a raised error ended it.
    bool calculate()
    {
        return runCommand([&] { calculateCommand(pass); });
    }
    // Runs one state calculator the way the dispatch does, on given state
    // wages (gross), with the federal results already set by the caller.
    void state(void (*calculator)(Pass&), Currency gross)
    {
        r.SSBase = gross;
        pass.lblModified.clear();
        pass.notice.clear();
        clearStateResults(r);
        calculator(pass);
    }
};

}  // namespace wm::test
