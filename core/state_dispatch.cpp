#include "core/state_dispatch.h"

#include "core/pass.h"
#include "states/registry.h"
#include "states/state_steps.h"

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

void StateBase(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "StateBase");
    proc.run([&] { r.Samt401k = Currency(); },
             [&] { r.StaPreTax = Currency(); },
             [&] { r.S401k = p.settings.get("StateInfo", "sta401", "N"); },
             [&] { r.SPreTax = p.settings.get("StateInfo", "staPreTax", "N"); },
             [&] {
                 if (r.S401k == "Y") r.Samt401k = r.amt401k;
             },
             [&] {
                 if (r.SPreTax == "Y") r.StaPreTax = r.PreTax;
                 p.explain(stateWages(r), "State wages (gross", r.Samt401k != Currency() ? " less 401(k)" : "",
                           r.StaPreTax != Currency() ? " less pre-tax" : "", ")");
             });
}

bool CheckState(PayRecord& r, SettingsStore& settings, ErrorScheme& errors)
{
    bool show = false;
    Procedure proc(errors, "frmMain", "CheckState");
    proc.run([&] { r.intState = toInt16(settings.get("Settings", "State", "0")); },
             [&] { show = stateNeedsOptions(r.intState); });
    return show;
}

}  // namespace wm
