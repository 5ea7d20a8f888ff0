#pragma once
// Steps that many state calculators end with, written once.

#include <cstdint>

#include "core/pass.h"
#include "core/runtime_error.h"

namespace wm {

// State wages: gross less the amounts StateBase also excludes.
inline Currency stateWages(const PayRecord& r) { return r.SSBase - (r.StaPreTax + r.Samt401k); }

// sTax = sTax + StateAdd.
inline void addStateAdd(Pass& p)
{
    p.r.sTax = p.r.sTax + p.r.StateAdd;
    if (!p.r.StateAdd.isZero()) p.explain(p.r.StateAdd, "Additional state withholding");
}

// Zero or less becomes zero (withZero), or only less than zero.
inline void floorAtZero(Pass& p, bool withZero)
{
    const bool clamp = withZero ? p.r.sTax <= Currency() : p.r.sTax < Currency();
    if (!clamp) return;
    if (!p.r.sTax.isZero()) p.explain(Currency(), "A negative result withholds nothing");
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
