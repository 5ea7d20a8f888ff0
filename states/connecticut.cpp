// Connecticut: the period's wages annualized, taxed in four stages by the
// withholding code (Rate A to D), then brought back to one period.
//
//   1. annual wages = state wages x periods per year
//   2. personal exemption, full up to a limit, then 1,000 less for each
//      further 1,000 of annual wages or part of it
//   3. annual tax on the rest: 3 % up to a threshold, 4.5 % above it
//   4. personal credit: a fraction of the tax that phases out with the
//      annual wages (not the taxable amount); the fraction is held in single
//      precision, so 0.15 takes off 0.15000000596...
//   5. annual tax / periods per year, + additional withholding; below zero
//      becomes zero
// The division uses the same periods per year that annualized the wages, so
// the result never depends on a frequency left from another calculation.

#include <cmath>

#include "record/pass_context.h"
#include "record/state_base.h"
#include "states/bracket.h"
#include "states/calculators.h"
#include "states/period_steps.h"
#include "states/state_steps.h"
#include "states/table_catalog.h"

namespace wm {

namespace {

constexpr std::array<const char*, 4> kRateName = {"Rate A", "Rate B", "Rate C", "Rate D"};

// The exemption phases out in steps of this size over the full-exemption limit.
constexpr Currency kExemptionStep = 1000_usd;
struct Exemption {
    Currency fullUpTo;  // annual wages up to this (inclusive) get the full amount
    Currency full;
};
constexpr std::array<Exemption, 4> kExemption = {{
    {24000_usd, 12000_usd},  // A: zero above 35,000
    {38000_usd, 19000_usd},  // B: zero above 56,000
    {48000_usd, 24000_usd},  // C: zero above 71,000
    {48000_usd, 24000_usd},  // D
}};

// 3 % up to the threshold, 4.5 % of the excess over it.
constexpr auto kAD = makeBrackets<1>({10000_usd}, {0.045}, {300});
constexpr auto kB = makeBrackets<1>({16000_usd}, {0.045}, {480});
constexpr auto kC = makeBrackets<1>({20000_usd}, {0.045}, {600});
constexpr BracketTable table(std::span<const Bracket> rows) { return {rows, 0.03, Bound::Inclusive, Form::Marginal}; }
constexpr std::array<BracketTable, 3> kTaxTables = {table(kAD), table(kB), table(kC)};
constexpr std::array<std::size_t, 4> kTaxTableOf = {0, 1, 2, 0};  // by code A..D
constexpr std::array<const char*, 3> kTaxTableName = {"Rate A and D", "Rate B", "Rate C"};

// Personal credit: annual wages up to each limit (inclusive) take the
// fraction of the same row; above the last limit, and for code D, none.
constexpr std::size_t kCreditRows = 28;
constexpr std::array<float, kCreditRows> kCreditFraction = {
    0.00f, 0.75f, 0.70f, 0.65f, 0.60f, 0.55f, 0.50f, 0.45f, 0.40f, 0.35f, 0.30f, 0.25f, 0.20f, 0.15f,
    0.14f, 0.13f, 0.12f, 0.11f, 0.10f, 0.09f, 0.08f, 0.07f, 0.06f, 0.05f, 0.04f, 0.03f, 0.02f, 0.01f};
constexpr std::array<std::array<Currency, kCreditRows>, 3> kCreditUpTo = {{
    {{12000_usd, 15000_usd, 15500_usd, 16000_usd, 16500_usd, 17000_usd, 17500_usd, 18000_usd, 18500_usd, 20000_usd,
      20500_usd, 21000_usd, 21500_usd, 25000_usd, 25500_usd, 26000_usd, 26500_usd, 27000_usd, 48000_usd, 48500_usd,
      49000_usd, 49500_usd, 50000_usd, 50500_usd, 51000_usd, 51500_usd, 52000_usd, 52500_usd}},
    {{19000_usd, 24000_usd, 24500_usd, 25000_usd, 25500_usd, 26000_usd, 26500_usd, 27000_usd, 27500_usd, 34000_usd,
      34500_usd, 35000_usd, 35500_usd, 44000_usd, 44500_usd, 45000_usd, 45500_usd, 46000_usd, 74000_usd, 74500_usd,
      75000_usd, 75500_usd, 76000_usd, 76500_usd, 77000_usd, 77500_usd, 78000_usd, 78500_usd}},
    {{24000_usd, 30000_usd, 30500_usd, 31000_usd, 31500_usd, 32000_usd, 32500_usd, 33000_usd, 33500_usd, 40000_usd,
      40500_usd, 41000_usd, 41500_usd, 50000_usd, 50500_usd, 51000_usd, 51500_usd, 52000_usd, 96000_usd, 96500_usd,
      97000_usd, 97500_usd, 98000_usd, 98500_usd, 99000_usd, 99500_usd, 100000_usd, 100500_usd}},
}};

Currency exemptionFor(const Exemption& e, Currency wages)
{
    if (wages <= e.fullUpTo) return e.full;
    const std::int64_t over = (wages - e.fullUpTo).count();
    // Steps begun, rounded up; written so that no sum can leave the range.
    const std::int64_t steps = over / kExemptionStep.count() + (over % kExemptionStep.count() != 0 ? 1 : 0);
    const std::int64_t fullSteps = e.full.count() / kExemptionStep.count();
    return steps >= fullSteps ? Currency() : e.full - kExemptionStep * steps;
}

// The row whose limit the wages do not exceed; kCreditRows when none.
std::size_t creditRow(std::size_t code, Currency wages)
{
    std::size_t i = 0;
    while (i < kCreditRows && wages > kCreditUpTo[code][i]) ++i;
    return i;
}

// The annual tax of the code's table; a notice where no table applies.
void annualTax(Pass& p, bool known, std::int16_t periods, std::size_t code)
{
    if (!known) {
        p.noTable("Connecticut", "withholding code", "Choose Rate A to D in Set State Options.");
        return;
    }
    if (periods == 0) {
        p.noTable("Connecticut", "pay frequency", "Choose the pay frequency on the calculator.");
        return;
    }
    const std::size_t t = kTaxTableOf[code];
    const std::string name = period::traceName(p, "Connecticut ", kTaxTableName[t], " annual");
    p.r.sTax = evaluate(p, name, kTaxTables[t], p.r.staxBase);
}

}  // namespace

void Connecticut(Pass& p)
{
    PayRecord& r = p.r;
    const std::int16_t periods = periodsPerYear(r.HowOft);
    const bool known = r.StateRate >= 0 && static_cast<std::size_t>(r.StateRate) < kExemption.size();
    const auto code = static_cast<std::size_t>(known ? r.StateRate : 0);
    struct Locals {
        Currency staxBase1;  // annual wages before the exemption
        Currency Exemp;
        float prcntCredit = 0;
    } w;
    Procedure proc(p.errors, "frmMain", "Connecticut");
    proc.locals([&w] {
        return VarList{"staxBase1", formatPlain(w.staxBase1), "Exemp", formatPlain(w.Exemp), "prcntCredit",
                       formatPlain(static_cast<double>(w.prcntCredit))};
    });
    proc.run(
        [&] { p.setModified("July 1, 1998"); },
        [&] { StateBase(p); },
        [&] {
            r.staxBase = stateWages(r);
            if (periods == 0) return;
            r.staxBase = r.staxBase * periods;
            w.staxBase1 = r.staxBase;
            p.explain(r.staxBase, "Connecticut annual wages (", periods, " pay periods)");
        },
        [&] {
            if (known) {
                w.Exemp = exemptionFor(kExemption[code], r.staxBase);
                p.explain(w.Exemp, "Connecticut personal exemption, ", kRateName[code]);
            }
            r.staxBase = r.staxBase - w.Exemp;
            p.explain(r.staxBase, "Connecticut annual taxable amount");
        },
        [&] { annualTax(p, known, periods, code); },
        [&] {
            if (!known || code == 3) return;
            const std::size_t row = creditRow(code, w.staxBase1);
            if (row < kCreditRows) w.prcntCredit = kCreditFraction[row];
        },
        [&] {
            r.sTax = Currency::round(r.sTax.toDouble() * (1.0 - static_cast<double>(w.prcntCredit)));
            if (w.prcntCredit != 0)
                p.explain(r.sTax, "Connecticut tax less the personal credit of ", std::lround(w.prcntCredit * 100.0f),
                          " %");
        },
        [&] {
            if (periods != 0) r.sTax = periodShare(p, r.sTax, periods);
            period::addAdditional(p);
            period::floorAtZero(p);
        });
}

std::vector<CatalogTable> connecticutCatalog()
{
    std::vector<CatalogTable> out;
    for (std::size_t t = 0; t < kTaxTables.size(); ++t)
        out.push_back({concat("Connecticut ", kTaxTableName[t], " annual"), kTaxTables[t], true});
    return out;
}

}  // namespace wm
