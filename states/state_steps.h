#pragma once
// The state wages every calculator starts from, and the steps of the
// one-rate and annualized calculators beside the endings in period_steps.h.

#include <cstdint>

#include "core/pass.h"
#include "core/runtime_error.h"
#include "states/period_steps.h"

namespace wm {

// State wages: gross less the amounts StateBase also excludes.
inline Currency stateWages(const PayRecord& r) { return r.SSBase - (r.StaPreTax + r.Samt401k); }

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
