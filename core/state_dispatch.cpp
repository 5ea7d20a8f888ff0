#include "core/state_dispatch.h"

#include "core/pass.h"
#include "states/registry.h"

namespace wm {

bool stateNeedsOptions(int index) { return stateAt(index).needsOptions; }

void clearStateResults(PayRecord& r)
{
    r.sTax = Currency();
    r.staxBase = Currency();
    r.PersExmp = Currency();
    r.stdDed = Currency();
    r.DepDed = Currency();
    r.TaxCredit = Currency();
    r.persExmpMiss = Currency();
}

void dispatchState(Pass& p)
{
    PayRecord& r = p.r;
    // A calculator that has no table for a code computes nothing; clearing
    // first keeps that from showing the previous pass's numbers.
    clearStateResults(r);
    if (r.intState <= 0 || r.intState >= kStateCount) return;
    const StateEntry& s = stateList()[static_cast<std::size_t>(r.intState)];
    s.calculate(p);
    p.explain(r.sTax, s.name, " withholding");
    // A status kept for another state means nothing here: say which to choose.
    if (!s.dialog.statuses.empty() && !offeredStatus(s, r.intSMarried)) {
        p.notice = concat("No filing status for ", s.name, " is chosen. ", statusChoiceHint(s));
        p.note(p.notice);
    }
}

bool CheckState(PayRecord& r, SettingsStore& settings, ErrorScheme& errors)
{
    bool show = false;
    Procedure proc(errors, "frmMain", "CheckState");
    proc.run([&] { r.intState = settings.getInt16("Settings", "State", 0, 0, kStateCount - 1); },
             [&] { show = stateNeedsOptions(r.intState); });
    return show;
}

}  // namespace wm
