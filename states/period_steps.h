#pragma once
// Small steps the per-period calculators share: the frequency's name in the
// explanation, the additional withholding and the floor at zero that end
// every calculator.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "record/pass_context.h"
#include "record/state_base.h"

namespace wm::period {

inline constexpr std::array<std::string_view, 4> kFreqName = {"weekly", "semi-monthly", "bi-weekly", "monthly"};

// HowOft 0..3; every other code has no table.
constexpr bool knownFrequency(std::int16_t howOft) { return howOft >= 0 && howOft <= 3; }
constexpr std::size_t frequencyIndex(std::int16_t howOft)
{
    return knownFrequency(howOft) ? static_cast<std::size_t>(howOft) : 0;
}

// False, with the notice that no table applies, for a pay frequency code
// outside 0..3.
inline bool haveFrequency(Pass& p, std::string_view state)
{
    if (knownFrequency(p.r.HowOft)) return true;
    p.noTable(state, "pay frequency");
    return false;
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

}  // namespace wm::period
