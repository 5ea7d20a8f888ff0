#pragma once
// One calculation as the command line runs it: a fresh pay record, its own
// in-memory settings, the Calculate command, the totals.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/bonus.h"
#include "core/pass.h"
#include "record/settings_store.h"

namespace wm::cli {

struct CalcRequest {
    PassInput input;
    std::int16_t HowOft = 2;
    std::int16_t valMarried = 0;
    std::int16_t intState = 0;
    std::int16_t intSMarried = 0;
    std::int16_t StateRate = 0;
    std::int16_t StateDeps = 0;
    std::int16_t ILINDeps = 0;
    std::int16_t StateExmp = 0;
    std::int16_t Method = 0;
    std::string StateAdd = "0";
    double SPval = 0;
    std::int16_t SPtx = 0;
    // Stored settings for the pass: those given as such ("settings",
    // --setting), and those the state options save, which win over the
    // same setting given as such whatever their order.
    SettingList settings;
    SettingList optionSettings;
    // A bonus paid with this paycheck (the Bonus Check), its entries as
    // typed. `bonusEntries`: one of the others was given, which needs a bonus.
    bool bonus = false;
    std::string txtBonus;
    std::int16_t bonusMethod = 0;  // BonusMethod
    bool bonus401k = true;
    std::string txtBonusSSWages;
    bool bonusEntries = false;
};

// Keeps the first report of a calculation: every report answers "raise", so
// the first one ends the calculation.
struct FirstReport {
    std::optional<ReportSummary> summary;
    std::string text;
};

// Runs `body` as the top-level procedure `procedure` of wagemark-cli under
// the run-time error scheme, with `record` in its report: an error that
// nothing below handled ends it there, not the tool. False, with the report
// in `first`, when it stopped on an error.
bool runReported(PayRecord& record, std::string_view procedure, const std::function<void()>& body,
                 FirstReport& first);

// Calculations one after another on storage kept between them (a batch runs
// millions). Each starts from a fresh pay record and its own settings.
class Calculator {
public:
    Calculator();
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // Runs the Calculate command for `request`; the results stay here until
    // the next call.
    void run(const CalcRequest& request, bool explain = false);

    // A request kept here: filled in place and given to run, it is not
    // copied (a batch fills one per line).
    CalcRequest& request() { return request_; }

    const PayRecord& record() const { return record_; }
    const std::string& lblModified() const { return pass_.lblModified; }
    const std::string& notice() const { return pass_.notice; }
    const Trace& trace() const { return trace_; }
    const FirstReport& error() const { return first_; }

private:
    PayRecord record_;
    CalcRequest request_;
    MemorySettingsStore settings_;
    FirstReport first_;
    ErrorScheme errors_;
    Pass pass_;
    Trace trace_;
};

struct CalcOutcome {
    PayRecord record;
    std::string lblModified;
    std::string notice;
    Trace trace;
    std::optional<ReportSummary> error;  // the first run-time error report
    std::string errorReport;             // its full text
};

// One calculation on storage of its own.
CalcOutcome compute(const CalcRequest& request, bool explain = false);

// The Bonus Check of a request with a bonus: the bonus alone as one
// calculation's outcome (its grid, explanation and first error report),
// the method used and why it is not the one asked for.
struct BonusOutcome {
    CalcOutcome bonus;
    BonusMethod method = BonusMethod::Aggregate;
    std::string note;
    bool stateOrLocal = false;  // a state or local tax, always by the aggregate method
    // Why the entries cannot be paid: the deductions above the gross pay of
    // either paycheck, or the two together beyond the range of amounts.
    std::optional<std::string> refusal;
};
BonusOutcome computeBonus(const CalcRequest& request, bool explain = false);

}  // namespace wm::cli
