#pragma once
// StateBase: which of the pre-tax amounts the state also excludes from its
// wages, and the state wages that leaves. Every state calculator calls it
// first.

#include "record/pay_record.h"

namespace wm {

class Pass;

// State wages: gross less the amounts StateBase also excludes.
inline Currency stateWages(const PayRecord& r) { return r.SSBase - (r.StaPreTax + r.Samt401k); }

// Samt401k and StaPreTax from the "sta401"/"staPreTax" settings ("Y" only).
void StateBase(Pass& p);

}  // namespace wm
