#pragma once
// The steps of the one-rate and annualized calculators beside the endings in
// period_steps.h, and the state wages every calculator starts from
// (record/state_base.h).

#include <cstdint>

#include "record/pass_context.h"
#include "record/runtime_error.h"
#include "record/state_base.h"
#include "states/period_steps.h"

namespace wm {

// The ending of the states that also turn a zero result into zero; the
// others end with period::floorAtZero.
inline void floorAtZeroOrBelow(Pass& p)
{
    if (p.r.sTax > Currency()) return;
    if (!p.r.sTax.isZero()) p.note("A negative state withholding becomes 0");
    p.r.sTax = Currency();
}

// An annual amount brought to one pay period. Freq comes from the pay
// frequency; without one there is nothing to divide by.
inline Currency periodShare(Pass& p, Currency annual, std::int16_t freq)
{
    if (freq == 0) raise(err::kDivisionByZero);
    const Currency share = Currency::round(annual.toDouble() / static_cast<double>(freq));
    p.explain(share, "Annual amount over ", freq, " pay periods");
    return share;
}

}  // namespace wm
