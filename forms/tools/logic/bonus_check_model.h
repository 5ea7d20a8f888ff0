#pragma once
// The Bonus Check window (frmBonusCheck) without its window.
//
// The regular paycheck is the calculator's last calculation: the amounts
// the pass left in the pay record with its frequency, status, state and
// state options, and the Self Employed box as stored. The bonus entries are
// the user's here and are not stored; one that does not read or is outside
// its range is refused by name and nothing is shown.

#include <optional>
#include <string>
#include <string_view>

#include "core/bonus.h"
#include "record/input_limits.h"

namespace wm {

class BonusCheckModel {
public:
    static constexpr const char* kName = "frmBonusCheck";
    static constexpr std::string_view kNoCalculation =
        "Calculate a paycheck first: the Bonus Check pays the bonus with the calculator's last calculation.";
    static constexpr std::string_view kStopped = "The Bonus Check stopped on a run-time error; nothing is shown.";

    BonusCheckModel(PayRecord& record, SettingsStore& settings, ErrorScheme& errors);
    BonusCheckModel(const BonusCheckModel&) = delete;
    BonusCheckModel& operator=(const BonusCheckModel&) = delete;

    // ---- Entries, as typed ----
    std::string txtBonus = "0";
    BonusMethod method = BonusMethod::Aggregate;
    bool with401k = true;
    std::string txtSSWages = "0";

    // The check again, from the record and the entries as they are now.
    void refresh();

    const std::optional<BonusCheck>& check() const { return check_; }
    std::string message;            // why there is no check, or ""
    std::optional<Input> refused;   // the entry `message` refuses
    // The lines under the grid: the method used, why it is not the one asked
    // for, and that the state and local tax are by the aggregate method.
    std::string methodLine() const;
    bool stateOrLocal() const;

    // The printed document's title and table (column format, header, rows).
    static std::string title(std::string_view name);
    std::string table() const;

private:
    PayRecord& record_;
    SettingsStore& settings_;
    ErrorScheme& errors_;
    std::optional<BonusCheck> check_;
};

}  // namespace wm
