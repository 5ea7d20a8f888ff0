#pragma once
// One calculation as the command line runs it: a fresh pay record, its own
// in-memory settings, the Calculate command, the totals.

#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/pass.h"

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
    // (section, key, value) saved before the pass.
    std::vector<std::tuple<std::string, std::string, std::string>> settings;
};

struct CalcOutcome {
    PayRecord record;
    std::string lblModified;
    std::string notice;
    std::array<std::string, 8> resultLabels;
    Trace trace;
    std::optional<ReportSummary> error;  // the first run-time error report
    std::string errorReport;             // its full text
};

// Every report answers "raise": the first one ends the calculation.
CalcOutcome compute(const CalcRequest& request, bool explain = false);

}  // namespace wm::cli
