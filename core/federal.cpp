#include "core/federal.h"

#include "core/pass.h"
#include "core/state_dispatch.h"

namespace wm {

namespace {
constexpr FederalTable row(Currency t1, Currency t2, Currency t3, Currency t4, Currency t5,
                           double b2, double b3, double b4, double b5)
{
    return {{t1, t2, t3, t4, t5}, {0, b2, b3, b4, b5}};
}
}  // namespace

// 2000 percentage-method tables, [married/single][HowOft].
const std::array<ByFrequency<FederalTable>, 2> kFederalTables = {{
    {{
        row(124_usd, 931_usd, 1942_usd, 3192_usd, 5633_usd, 121.05, 404.13, 791.63, 1670.39),
        row(269_usd, 2017_usd, 4208_usd, 6917_usd, 12204_usd, 262.20, 875.68, 1715.47, 3618.79),
        row(248_usd, 1862_usd, 3885_usd, 6385_usd, 11265_usd, 242.10, 808.54, 1583.54, 3340.34),
        row(538_usd, 4033_usd, 8417_usd, 13833_usd, 24408_usd, 524.25, 1751.77, 3430.73, 7237.73),
    }},
    {{
        row(51_usd, 536_usd, 1152_usd, 2581_usd, 5576_usd, 72.75, 245.23, 688.22, 1766.42),
        row(110_usd, 1160_usd, 2496_usd, 5592_usd, 12081_usd, 157.50, 531.58, 1491.34, 3827.38),
        row(102_usd, 1071_usd, 2304_usd, 5162_usd, 11152_usd, 145.35, 490.59, 1376.57, 3532.97),
        row(221_usd, 2321_usd, 4992_usd, 11183_usd, 24163_usd, 315.00, 1062.88, 2982.09, 7654.89),
    }},
}};

Currency allowanceAmount(std::int16_t deps, std::int16_t howOft)
{
    const PayFrequency* f = payFrequency(howOft);
    if (!f) return {};
    return Currency::round(static_cast<double>(deps) * f->allowanceValue);
}

FederalResult federalBracket(Currency b, int howOft, int valMarried)
{
    const FederalTable& t =
        kFederalTables[valMarried == 0 ? 0 : 1][static_cast<std::size_t>(howOft)];
    if (b <= t.over[0]) return {Currency(), 0};
    std::size_t k = 1;
    while (k < 5 && b > t.over[k]) ++k;
    const Currency d = b - t.over[k - 1];
    return {Currency::round(d.toDouble() * kFederalRates[k - 1] + t.base[k - 1]), static_cast<int>(k)};
}

void FedTax(Pass& p)
{
    PayRecord& r = p.r;
    Currency ficaBase;
    Procedure proc(p.errors, "frmMain", "FedTax");
    proc.run(
        [&] {
            if (!knownFrequency(r.HowOft)) {
                r.fTax = Currency();
                p.note("No federal table for pay frequency code ", r.HowOft);
                return;
            }
            const FederalResult f = federalBracket(r.ftaxBase, r.HowOft, r.valMarried);
            r.fTax = f.tax;
            if (!p.tracing()) return;
            const char* status = r.valMarried == 0 ? "Married" : "Single";
            const std::string_view freq = payFrequency(r.HowOft)->tableName;
            const FederalTable& t = kFederalTables[r.valMarried == 0 ? 0 : 1][static_cast<std::size_t>(r.HowOft)];
            if (f.bracket == 0)
                p.explain(r.fTax, "Federal ", status, " ", freq, " table: nothing up to ", t.over[0]);
            else {
                const auto k = static_cast<std::size_t>(f.bracket - 1);
                const std::string base = t.base[k] == 0 ? std::string() : concat(Currency::round(t.base[k]), " + ");
                p.explain(r.fTax, "Federal ", status, " ", freq, " table: ", base, Pct{kFederalRates[k]},
                          " of the excess over ", t.over[k]);
            }
        },
        [&] { r.fTax = centsRound(r.fTax); },
        [&] {
            if (r.fTax <= Currency()) r.fTax = Currency();
            p.explain(r.fTax, "Federal withholding, rounded to cents");
        },
        [&] {
            ficaBase = r.SSBase - r.SSEmp;
            r.amtFICA = Currency::round(ficaBase.toDouble() * kEmployeeFica.total);
        },
        [&] { r.amtSS = Currency::round(ficaBase.toDouble() * kEmployeeFica.ss); },
        [&] { r.amtMedicare = Currency::round(ficaBase.toDouble() * kEmployeeFica.medicare); },
        [&] {
            if (p.in.chkSelfEmployed) {
                r.amtFICA = Currency::round(ficaBase.toDouble() * kSelfEmployedFica.total);
                r.amtSS = Currency::round(ficaBase.toDouble() * kSelfEmployedFica.ss);
                r.amtMedicare = Currency::round(ficaBase.toDouble() * kSelfEmployedFica.medicare);
            }
            const FicaRates& rates = ficaRates(p.in.chkSelfEmployed);
            p.explain(ficaBase, "Pay subject to FICA (gross pay less pre-FICA)");
            p.explain(r.amtSS, "Social Security ", Pct{rates.ss},
                      p.in.chkSelfEmployed ? " (self-employed)" : "");
            p.explain(r.amtMedicare, "Medicare ", Pct{rates.medicare});
            p.explain(r.amtFICA, "FICA ", Pct{rates.total});
        },
        [&] { dispatchState(p); },
        [&] {
            const Currency values[8] = {r.fTax, r.sTax,   r.amt401k,      r.amtFICA,
                                        r.SSEmp, r.amtSS, r.amtMedicare, r.amtLocalTax};
            for (std::size_t i = 0; i < 8; ++i) p.resultLabelValues[i] = roundToCentsEven(values[i]);
        });
}

}  // namespace wm
