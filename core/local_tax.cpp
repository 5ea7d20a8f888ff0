#include "core/pass.h"

namespace wm {

void LocalTaxCalc(Pass& p)
{
    PayRecord& r = p.r;
    Currency base;
    const char* what = "";
    Procedure proc(p.errors, "frmMain", "LocalTaxCalc");
    proc.run(
        [&] {
            switch (r.SPtx) {
            case 1: base = r.SSBase, what = "gross pay"; break;
            case 2: base = r.SSBase - r.amt401k, what = "gross pay less 401(k)"; break;
            case 3: base = r.SSBase - r.PreTax, what = "gross pay less pre-tax"; break;
            case 4: base = r.SSBase - (r.amt401k + r.PreTax), what = "gross pay less 401(k) and pre-tax"; break;
            case 5: base = r.SSBase - r.PersExmp, what = "gross pay less the state exemption"; break;
            default: return;  // no local tax chosen: the amount stays as it was
            }
            // A tax never pays the employee: a base below zero gives no local tax.
            if (base < Currency()) {
                r.amtLocalTax = Currency();
                p.explain(r.amtLocalTax, "Local tax: none, ", what, " is below zero (", base, ")");
                return;
            }
            r.amtLocalTax = Currency::round(base.toDouble() * r.SPval);
            p.explain(r.amtLocalTax, "Local tax ", Pct{r.SPval}, " of ", what, " ", base);
        });
}

}  // namespace wm
