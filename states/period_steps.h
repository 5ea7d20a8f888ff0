#pragma once
// Small steps the per-period calculators share: the frequency's name in the
// explanation, the additional withholding and the floor at zero that end
// every calculator.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "record/pass_context.h"
#include "record/pay_frequency.h"
#include "record/state_base.h"
#include "states/registry.h"

namespace wm::period {

// The frequencies' names in the names of the tables, by HowOft.
inline constexpr ByFrequency<std::string_view> kFreqName = [] {
    ByFrequency<std::string_view> names{};
    for (std::size_t f = 0; f < kFrequencyCount; ++f) names[f] = kPayFrequencies[f].tableName;
    return names;
}();

using wm::knownFrequency;
// The table index of a code: its own, or the first for a code without one
// (whose calculator then stops at haveFrequency).
constexpr std::size_t frequencyIndex(std::int16_t howOft)
{
    return knownFrequency(howOft) ? static_cast<std::size_t>(howOft) : 0;
}

// False, with the notice that no table applies, for a pay frequency code
// without a row.
inline bool haveFrequency(Pass& p, std::string_view state)
{
    if (knownFrequency(p.r.HowOft)) return true;
    p.noTable(state, "pay frequency");
    return false;
}

// The notice that no table applies to the filing status chosen, with the
// statuses the state offers in Set State Options (states/registry.h).
inline void noStatusTable(Pass& p, std::string_view state, std::string_view what)
{
    p.noTable(state, what, statusChoiceHint(stateAt(findState(state))));
}

// A table's name for the explanation; empty (no allocation) when it is off.
template <class... Parts>
std::string traceName(const Pass& p, const Parts&... parts)
{
    return p.tracing() ? concat(parts...) : std::string();
}

// staxBase: the state wages less the exemption amount.
inline void taxableWages(Pass& p, std::string_view state)
{
    p.r.staxBase = stateWages(p.r) - p.r.PersExmp;
    p.explain(p.r.staxBase, state, " taxable wages");
}

// sTax + StateAdd.
inline void addAdditional(Pass& p)
{
    p.r.sTax = p.r.sTax + p.r.StateAdd;
    if (!p.r.StateAdd.isZero()) p.explain(p.r.StateAdd, "Additional state withholding");
}

// A negative withholding becomes zero.
inline void floorAtZero(Pass& p)
{
    if (p.r.sTax < Currency()) {
        p.r.sTax = Currency();
        p.note("A negative state withholding becomes 0");
    }
}

// What a per-period calculator is: its names, its date and what one
// exemption takes off at each frequency.
struct PeriodCalculator {
    std::string_view name;       // "New Mexico"
    std::string_view procedure;  // "NewMexico"
    std::string_view date;       // "Tax Code last modified: " date
    const ByFrequency<double>& exemption;
};

// The steps of every per-period calculator, under its procedure: the date,
// `count` exemptions (`what` in the explanation), the state base, the taxable
// wages, its own table steps, the additional amount and the floor at zero.
template <class... TableSteps>
void runPeriodSteps(Pass& p, const PeriodCalculator& c, std::string_view what, std::int16_t count,
                    TableSteps&&... tableSteps)
{
    Procedure proc(p.errors, "frmMain", c.procedure);
    proc.run(
        [&] { p.setModified(c.date); },
        [&] {
            if (!knownFrequency(p.r.HowOft)) return;
            // Counts are 16-bit; the product is formed wide and cannot overflow.
            const double each = c.exemption[frequencyIndex(p.r.HowOft)];
            p.r.PersExmp = Currency::round(static_cast<double>(count) * each);
            p.explain(p.r.PersExmp, c.name, what, count, " x ", each);
        },
        [&] { StateBase(p); }, [&] { taxableWages(p, c.name); }, std::forward<TableSteps>(tableSteps)...,
        [&] { addAdditional(p); }, [&] { floorAtZero(p); });
}

}  // namespace wm::period
