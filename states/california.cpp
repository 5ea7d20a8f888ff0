// California: per-period tables on one pay period's wages.
//
//   1. estimated-deduction allowances ("staExmp") come off the wages, in
//      whole dollars
//   2. at or below the low-income limit nothing is withheld at all, not even
//      the additional amount; above it the standard deduction comes off
//   3. bracket amount from the single, married or head-of-household table of
//      the frequency; 1 % up to the first threshold, a threshold itself taxed
//      in the bracket below it
//   4. less the exemption credit per state allowance, + additional
//      withholding; zero or below withholds nothing
// Married filers claiming two or more federal allowances get the larger
// limit and deduction, the same as a head of household.

#include "record/pass_context.h"
#include "record/state_base.h"
#include "states/bracket.h"
#include "states/calculators.h"
#include "states/period_steps.h"
#include "states/state_steps.h"
#include "states/table_catalog.h"

namespace wm {

namespace {

constexpr ByFrequency<double> kEstimatedDeduction = {19.23, 41.66, 38.46, 83.33};  // per allowance
constexpr ByFrequency<double> kExemptionCredit = {1.3846, 3, 2.7692, 6};        // per allowance

struct LowIncome {
    Currency limit;
    Currency deduction;
};
// [smaller, larger][HowOft]
constexpr std::array<ByFrequency<LowIncome>, 2> kLowIncome = {{
    {{{162_usd, 52_usd}, {350_usd, 113_usd}, {323_usd, 104_usd}, {700_usd, 226_usd}}},
    {{{323_usd, 104_usd}, {700_usd, 226_usd}, {647_usd, 209_usd}, {1401_usd, 452_usd}}},
}};

constexpr std::array<double, 5> kRates = {0.02, 0.04, 0.06, 0.08, 0.093};
// B(1) is 1 % of T(1): the lowest bracket runs at 1 % up to it.
constexpr auto kSW = makeBrackets<5>({101_usd, 240_usd, 379_usd, 526_usd, 664_usd}, kRates, {1.01, 3.79, 9.35, 18.17, 29.21});
constexpr auto kSS = makeBrackets<5>({219_usd, 520_usd, 821_usd, 1139_usd, 1440_usd}, kRates, {2.19, 8.21, 20.25, 39.33, 63.41});
constexpr auto kSB = makeBrackets<5>({202_usd, 480_usd, 757_usd, 1051_usd, 1329_usd}, kRates, {2.02, 7.58, 18.66, 36.30, 58.54});
constexpr auto kSM = makeBrackets<5>({439_usd, 1040_usd, 1641_usd, 2278_usd, 2879_usd}, kRates, {4.39, 16.41, 40.45, 78.67, 126.75});
constexpr auto kMW = makeBrackets<5>({202_usd, 480_usd, 758_usd, 1052_usd, 1328_usd}, kRates, {2.02, 7.58, 18.70, 36.34, 58.42});
constexpr auto kMS = makeBrackets<5>({438_usd, 1040_usd, 1642_usd, 2278_usd, 2880_usd}, kRates, {4.38, 16.42, 40.50, 78.66, 126.82});
constexpr auto kMB = makeBrackets<5>({404_usd, 960_usd, 1514_usd, 2102_usd, 2658_usd}, kRates, {4.04, 15.14, 37.32, 72.60, 117.08});
constexpr auto kMM = makeBrackets<5>({878_usd, 2080_usd, 3282_usd, 4556_usd, 5758_usd}, kRates, {8.78, 32.82, 80.90, 157.34, 253.50});
constexpr auto kHW = makeBrackets<5>({203_usd, 480_usd, 619_usd, 766_usd, 904_usd}, kRates, {2.03, 7.57, 13.13, 21.95, 32.99});
constexpr auto kHS = makeBrackets<5>({439_usd, 1040_usd, 1340_usd, 1659_usd, 1959_usd}, kRates, {4.39, 16.41, 28.41, 47.55, 71.55});
constexpr auto kHB = makeBrackets<5>({405_usd, 960_usd, 1237_usd, 1531_usd, 1809_usd}, kRates, {4.05, 15.15, 26.23, 43.87, 66.11});
constexpr auto kHM = makeBrackets<5>({878_usd, 2080_usd, 2681_usd, 3318_usd, 3919_usd}, kRates, {8.78, 32.82, 56.86, 95.08, 143.16});

constexpr BracketTable table(std::span<const Bracket> rows) { return {rows, 0.01, Bound::Inclusive, Form::Marginal}; }

enum Family : std::size_t { kSingle, kMarried, kHead, kNoFamily };
constexpr std::array<const char*, 3> kFamilyName = {"single", "married", "head of household"};

// [family][HowOft]
constexpr std::array<ByFrequency<BracketTable>, 3> kTables = {{
    {{table(kSW), table(kSS), table(kSB), table(kSM)}},
    {{table(kMW), table(kMS), table(kMB), table(kMM)}},
    {{table(kHW), table(kHS), table(kHB), table(kHM)}},
}};

constexpr Family familyOf(std::int16_t intSMarried)
{
    switch (intSMarried) {
    case 0:
    case 8: return kSingle;
    case 3: return kMarried;
    case 9: return kHead;
    default: return kNoFamily;
    }
}

// At or below the low-income limit nothing is withheld (true); above it the
// standard deduction comes off the wages.
bool lowIncomeOrStandardDeduction(Pass& p, Family family, std::size_t f)
{
    PayRecord& r = p.r;
    const bool larger = family == kHead || (family == kMarried && r.DepsNumber >= 2);
    const LowIncome& li = kLowIncome[larger ? 1 : 0][f];
    if (r.staxBase <= li.limit) {
        r.sTax = Currency();
        p.explain(r.sTax, "At or below the California low-income limit of ", li.limit,
                  ": nothing is withheld, not even the additional amount");
        return true;
    }
    r.staxBase = r.staxBase - li.deduction;
    p.explain(li.deduction, "California standard deduction");
    p.explain(r.staxBase, "California taxable wages");
    return false;
}

}  // namespace

void CalifTax(Pass& p)
{
    PayRecord& r = p.r;
    const bool knownFreq = period::knownFrequency(r.HowOft);
    const std::size_t f = period::frequencyIndex(r.HowOft);
    Family family = kNoFamily;
    bool lowIncome = false;  // at or below the limit the calculator ends at once
    Procedure proc(p.errors, "frmMain", "CalifTax");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] { r.StateExmp = toInt16(p.settings.get("StateInfo", "staExmp", "0")); },
        [&] { StateBase(p); },
        [&] {
            if (!knownFreq) return;
            r.PersExmp = wholeDollarRound(Currency::round(static_cast<double>(r.StateExmp) * kEstimatedDeduction[f]));
            if (r.StateExmp != 0)
                p.explain(r.PersExmp, "California estimated deductions ", r.StateExmp, " x ", kEstimatedDeduction[f],
                          ", in whole dollars");
        },
        [&] {
            r.staxBase = stateWages(r) - r.PersExmp;
            p.explain(r.staxBase, "California wages less estimated deductions");
        },
        [&] {
            family = familyOf(r.intSMarried);
            if (family == kNoFamily)
                p.noTable("California", "filing status",
                          "Choose Single, Married (M), Married with spouse employed or Head of Family in Set State "
                          "Options.");
            else if (!knownFreq)
                p.noTable("California", "pay frequency", "Choose the pay frequency on the calculator.");
        },
        [&] {
            if (family != kNoFamily && knownFreq) lowIncome = lowIncomeOrStandardDeduction(p, family, f);
        },
        [&] {
            if (lowIncome || family == kNoFamily || !knownFreq) return;
            const std::string name = period::traceName(p, "California ", kFamilyName[family], " ", period::kFreqName[f]);
            r.sTax = evaluate(p, name, kTables[family][f], r.staxBase);
        },
        [&] {
            if (lowIncome || !knownFreq) return;
            // Held wide: a 16-bit product would overflow for large counts.
            r.PersExmp = roundToCentsEven(Currency::round(static_cast<double>(r.StateDeps) * kExemptionCredit[f]));
            if (r.StateDeps != 0)
                p.explain(r.PersExmp, "California exemption credit ", r.StateDeps, " x ", kExemptionCredit[f], ", to cents");
        },
        [&] {
            if (lowIncome) return;
            r.sTax = r.sTax - r.PersExmp;
            period::addAdditional(p);
            floorAtZeroOrBelow(p);
        });
}

std::vector<CatalogTable> californiaCatalog()
{
    std::vector<CatalogTable> out;
    for (std::size_t family = 0; family < kTables.size(); ++family)
        for (std::size_t f = 0; f < kFrequencyCount; ++f)
            out.push_back({concat("California ", kFamilyName[family], " ", period::kFreqName[f]), kTables[family][f], true});
    return out;
}

}  // namespace wm
