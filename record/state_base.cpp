#include "record/state_base.h"

#include "record/pass_context.h"

namespace wm {

void StateBase(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "StateBase");
    proc.run([&] { r.Samt401k = Currency(); },
             [&] { r.StaPreTax = Currency(); },
             [&] { r.S401k = p.settings.getKnown(knownSetting("StateInfo", "sta401"), "N"); },
             [&] { r.SPreTax = p.settings.getKnown(knownSetting("StateInfo", "staPreTax"), "N"); },
             [&] {
                 if (r.S401k == "Y") r.Samt401k = r.amt401k;
             },
             [&] {
                 if (r.SPreTax == "Y") r.StaPreTax = r.PreTax;
                 p.explain(stateWages(r), "State wages (gross", r.Samt401k != Currency() ? " less 401(k)" : "",
                           r.StaPreTax != Currency() ? " less pre-tax" : "", ")");
             });
}

}  // namespace wm
