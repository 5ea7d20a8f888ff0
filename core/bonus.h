#pragma once
// The Bonus Check: what a bonus paid apart from the regular wages
// withholds, and what is left of it (supplemental wages, tax year 2000).
//
// The regular paycheck is the Calculate command on the calculator's
// entries. The bonus is computed from a second command on the regular pay
// plus the bonus, the 401(k) of the bonus added to the regular one or not:
//   - federal: by the aggregate method (the withholding on the two together
//     less the withholding on the regular pay), or the flat rate of
//     kSupplemental2000 on the bonus less its 401(k); the flat rate only when
//     the regular paycheck withholds income tax, else the aggregate method
//     with a note;
//   - the state and the local tax: always by the aggregate method;
//   - Social Security on the bonus up to the wage base, counting the Social
//     Security wages paid so far this year; Medicare on all of it; the
//     self-employment rates with the Self Employed box;
//   - Non-Taxable and Pre-FICA are 0 on the bonus: they are counted once, in
//     the regular paycheck.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/federal.h"
#include "core/pass.h"

namespace wm {

struct BonusEntries {
    Currency amount;
    BonusMethod method = BonusMethod::Aggregate;
    bool with401k = true;   // the 401(k) percentage applies to the bonus
    Currency ssWagesSoFar;  // Social Security wages paid so far this year
};

inline constexpr std::string_view kFlatNotAllowed =
    "The regular paycheck withholds no income tax, so the flat rate may not be used: the bonus is withheld by the "
    "aggregate method.";
inline constexpr std::string_view kStateLocalAggregate =
    "State and local tax on the bonus are always by the aggregate method: the tax on the regular pay plus the "
    "bonus, less the tax on the regular pay.";

// The Calculate command for `input` on a copy of the caller's record: the
// record after it, or nothing when a run-time error ended it.
using CommandRunner = std::function<std::optional<PayRecord>(const PassInput& input)>;
// The runner of the desktop program: on a copy of `start`.
CommandRunner copyCommand(const PayRecord& start, SettingsStore& settings, ErrorScheme& errors);

struct BonusCheck {
    PayRecord regular;  // the regular paycheck
    PayRecord bonus;    // the bonus alone: the figures of the calculator's grid
    BonusMethod method = BonusMethod::Aggregate;  // the method used
    std::string note;   // why the method asked for was not used; "" otherwise
    Trace trace;        // how each figure of the bonus was reached
};

// The regular gross pay plus the bonus must be an amount of the one range:
// why not, or nothing.
std::optional<std::string> bonusBeyondRange(Currency regularGross, Currency bonus);

// Nothing when a command stopped on a run-time error.
std::optional<BonusCheck> checkBonus(const BonusEntries& entries, const PassInput& regular, const CommandRunner& run);

// The grid's rows for the bonus, the regular paycheck and the two together.
struct BonusGridRow {
    std::string_view title;
    Currency bonus, regular, together;
};
std::array<BonusGridRow, 12> bonusGrid(const BonusCheck& check);

}  // namespace wm
