#pragma once
// StateBase: which of the pre-tax amounts the state also excludes from its
// wages. Every state calculator calls it first.

namespace wm {

class Pass;

// Samt401k and StaPreTax from the "sta401"/"staPreTax" settings ("Y" only).
void StateBase(Pass& p);

}  // namespace wm
