// Georgia: per-period tables on one pay period's wages.
//
//   1. standard deduction and personal exemption by the state filing status
//   2. state taxable = state wages - standard deduction - personal exemption
//   3. dependents: without any, the personal exemption is given back;
//      otherwise the dependent deduction comes off as well
//   4. bracket amount from the table of the federal marital status (married,
//      single, married with two incomes) and the frequency; 1 % below the
//      first threshold, a threshold itself taxed in the bracket above it
//   5. + additional withholding; below zero becomes zero (no dollar rounding)

#include "record/pass_context.h"
#include "record/state_base.h"
#include "states/bracket.h"
#include "states/calculators.h"
#include "states/period_steps.h"
#include "states/state_steps.h"
#include "states/table_catalog.h"

namespace wm {

namespace {

// Standard deduction per period by filing status option; the personal
// exemption is that amount once (0, 3) or twice (6).
struct Deduction {
    std::int16_t status;  // intSMarried
    ByFrequency<Currency> standard;
    std::int64_t exemptionFactor;
    const char* name;
};
constexpr std::array<Deduction, 3> kDeductions = {{
    {0, {44.25_usd, 95.75_usd, 88.50_usd, 191.50_usd}, 1, "single"},
    {3, {57.50_usd, 125_usd, 115_usd, 250_usd}, 1, "married"},
    {6, {28.75_usd, 62.50_usd, 57.50_usd, 125_usd}, 2, "married filing separately"},
}};

constexpr ByFrequency<Currency> kPerDependent = {48_usd, 104_usd, 96_usd, 208_usd};

constexpr std::array<double, 5> kRates = {0.02, 0.03, 0.04, 0.05, 0.06};
// B(1) is 1 % of T(1): the lowest bracket runs at 1 % up to it.
constexpr auto kMW = makeBrackets<5>({20_usd, 57.50_usd, 96_usd, 134.50_usd, 192.50_usd}, kRates, {0.20, 0.95, 2.11, 3.65, 6.55});
constexpr auto kMS = makeBrackets<5>({41.50_usd, 125_usd, 208_usd, 291_usd, 417_usd}, kRates, {0.42, 2.09, 4.58, 7.90, 14.20});
constexpr auto kMB = makeBrackets<5>({40_usd, 115_usd, 192_usd, 269_usd, 385_usd}, kRates, {0.40, 1.90, 4.21, 7.29, 13.09});
constexpr auto kMM = makeBrackets<5>({84_usd, 250_usd, 416_usd, 582_usd, 833_usd}, kRates, {0.84, 4.16, 9.14, 15.78, 28.33});
constexpr auto kSW = makeBrackets<5>({14.50_usd, 43.25_usd, 72.25_usd, 101_usd, 134.75_usd}, kRates, {0.15, 0.72, 1.59, 2.74, 4.43});
constexpr auto kSS = makeBrackets<5>({31.25_usd, 93.75_usd, 156.25_usd, 218.75_usd, 291.75_usd}, kRates, {0.31, 1.56, 3.44, 5.94, 9.59});
constexpr auto kSB = makeBrackets<5>({29_usd, 86.50_usd, 144.25_usd, 202_usd, 269.25_usd}, kRates, {0.29, 1.44, 3.17, 5.48, 8.85});
constexpr auto kSM = makeBrackets<5>({62.50_usd, 187.50_usd, 312.50_usd, 437.50_usd, 583.50_usd}, kRates, {0.63, 3.13, 6.88, 11.88, 19.18});
constexpr auto kTW = makeBrackets<5>({9.75_usd, 29_usd, 48.25_usd, 67.50_usd, 96.25_usd}, kRates, {0.10, 0.48, 1.06, 1.83, 3.27});
constexpr auto kTS = makeBrackets<5>({21_usd, 62.50_usd, 104.25_usd, 146_usd, 208.50_usd}, kRates, {0.21, 1.04, 2.29, 3.96, 7.09});
constexpr auto kTB = makeBrackets<5>({19.25_usd, 57.75_usd, 96.25_usd, 134.75_usd, 192.50_usd}, kRates, {0.19, 0.96, 2.12, 3.66, 6.55});
constexpr auto kTM = makeBrackets<5>({41.75_usd, 125_usd, 208.50_usd, 291.75_usd, 416.75_usd}, kRates, {0.42, 2.08, 4.59, 7.92, 14.17});

constexpr BracketTable table(std::span<const Bracket> rows) { return {rows, 0.01, Bound::Exclusive, Form::Marginal}; }

// [valMarried][HowOft]
constexpr std::array<ByFrequency<BracketTable>, 3> kTables = {{
    {{table(kMW), table(kMS), table(kMB), table(kMM)}},
    {{table(kSW), table(kSS), table(kSB), table(kSM)}},
    {{table(kTW), table(kTS), table(kTB), table(kTM)}},
}};
constexpr std::array<const char*, 3> kStatusName = {"married", "single", "married, two incomes"};

const Deduction* deductionFor(std::int16_t status)
{
    for (const Deduction& d : kDeductions)
        if (d.status == status) return &d;
    return nullptr;
}

}  // namespace

void Georgia(Pass& p)
{
    PayRecord& r = p.r;
    const bool knownFreq = period::knownFrequency(r.HowOft);
    const std::size_t f = period::frequencyIndex(r.HowOft);
    const Deduction* ded = deductionFor(r.intSMarried);
    Procedure proc(p.errors, "frmMain", "Georgia");
    proc.run(
        [&] { p.setModified("May 1, 1998"); },
        [&] {
            if (!ded) return;
            if (knownFreq) r.stdDed = ded->standard[f];
            r.PersExmp = r.stdDed * ded->exemptionFactor;
            if (!knownFreq) return;
            p.explain(r.stdDed, "Georgia standard deduction, ", ded->name, " ", period::kFreqName[f]);
            p.explain(r.PersExmp, "Georgia personal exemption", ded->exemptionFactor == 2 ? " (twice the deduction)" : "");
        },
        [&] { StateBase(p); },
        [&] { r.staxBase = stateWages(r) - r.stdDed - r.PersExmp; },
        [&] {
            if (knownFreq) r.DepDed = kPerDependent[f] * r.StateDeps;
        },
        [&] {
            if (r.StateDeps == 0) {
                r.staxBase = r.staxBase + r.PersExmp;
                p.explain(r.staxBase, "Georgia taxable wages (no dependents: the personal exemption is not allowed)");
            } else {
                r.staxBase = r.staxBase - r.DepDed;
                p.explain(r.DepDed, "Georgia dependent deduction ", r.StateDeps, " x ", kPerDependent[f]);
                p.explain(r.staxBase, "Georgia taxable wages");
            }
        },
        [&] {
            if (!knownFreq) {
                p.noTable("Georgia", "pay frequency", "Choose the pay frequency on the calculator.");
                return;
            }
            if (!ded) {
                p.noTable("Georgia", "filing status",
                          "Choose Single, Married (M) or Married Filing Separately in Set State Options.");
                return;
            }
            if (r.valMarried < 0 || r.valMarried > 2) {
                p.noTable("Georgia", "marital status", "Choose the marital status on the calculator.");
                return;
            }
            const auto status = static_cast<std::size_t>(r.valMarried);
            const std::string name = period::traceName(p, "Georgia ", kStatusName[status], " ", period::kFreqName[f]);
            r.sTax = evaluate(p, name, kTables[status][f], r.staxBase);
        },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

std::vector<CatalogTable> georgiaCatalog()
{
    std::vector<CatalogTable> out;
    for (std::size_t status = 0; status < kTables.size(); ++status)
        for (std::size_t f = 0; f < kFrequencyCount; ++f)
            out.push_back({concat("Georgia ", kStatusName[status], " ", period::kFreqName[f]), kTables[status][f], true});
    return out;
}

}  // namespace wm
