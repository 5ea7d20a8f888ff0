#pragma once
// From the state index to exactly one state calculator.
//
// Before a calculator runs, the dispatch clears the state result and the
// calculators' working fields, so that no result depends on an earlier pass
// (or on another state chosen before). "No State" and an index outside the
// list give a state tax of 0.

#include <cstdint>

namespace wm {

class Pass;

void dispatchState(Pass& p);
// What the dispatch does before every calculator: sTax and the calculators'
// working fields (staxBase, PersExmp, stdDed, DepDed, TaxCredit,
// persExmpMiss) back to 0.
struct PayRecord;
void clearStateResults(PayRecord& r);
// Samt401k and StaPreTax from the "sta401"/"staPreTax" settings ("Y" only).
void StateBase(Pass& p);

// Indexes for which the state options hint is shown.
bool stateNeedsOptions(int index);

// CheckState: intState from the "State" setting; returns whether the state
// options hint should show.
class SettingsStore;
class ErrorScheme;
bool CheckState(PayRecord& r, SettingsStore& settings, ErrorScheme& errors);

}  // namespace wm
