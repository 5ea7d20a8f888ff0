// Maryland: one withholding amount per pay period holding both the state and
// the county tax. Every bracket rate is a state rate plus the county rate the
// user chose (`Method`, the rate in hundredths of a percent), so the county
// tax is not charged again as local tax.
//
//   1. standard deduction = 15 % of the state wages, held between a minimum
//      and a maximum for the frequency; exemption per allowance
//   2. taxable = state wages - standard deduction - exemption
//   3. bracket amount with the county's combined rates
//   4. + additional withholding; below zero becomes zero; local tax 0

#include <cstdint>

#include "record/pass_context.h"
#include "record/state_base.h"
#include "states/bracket.h"
#include "states/calculators.h"
#include "states/registry.h"
#include "states/state_steps.h"
#include "states/table_catalog.h"

namespace wm {

namespace {

using namespace period;  // the steps every per-period calculator shares

constexpr double kStdDedRate = 0.15;

struct FrequencyRule {
    double exemption;  // per allowance
    Currency minimum;  // standard deduction
    Currency maximum;
};
constexpr ByFrequency<FrequencyRule> kRules = {{
    {35.60, 29_usd, 38.50_usd},
    {77.10, 62.50_usd, 83.50_usd},
    {71.15, 58_usd, 77_usd},
    {154.20, 125_usd, 167_usd},
}};

// The thresholds are the same for every county.
constexpr ByFrequency<std::array<Currency, 3>> kOver = {{
    {19_usd, 38_usd, 57_usd},
    {42_usd, 83_usd, 125_usd},
    {38_usd, 76_usd, 115_usd},
    {83_usd, 167_usd, 250_usd},
}};

// In the order of the county list (kMarylandCounties).
struct County {
    std::array<double, 4> rates;                // r(0) .. r(3): state rates 2, 3, 4, 4.85 % plus the county's
    ByFrequency<std::array<double, 3>> base;  // B(1) .. B(3) by HowOft
};
// The combined rates are written out rather than summed in double, which
// would differ in the last digit.
constexpr std::array<County, kMarylandCounties.size()> kCounties = {{
    {{0.0325, 0.0425, 0.0525, 0.0610}, {{{0.62, 1.43, 2.43}, {1.37, 3.11, 5.32}, {1.24, 2.86, 4.91}, {2.70, 6.27, 10.63}}}},
    {{0.0375, 0.0475, 0.0575, 0.0660}, {{{0.71, 1.61, 2.70}, {1.58, 3.53, 5.95}, {1.43, 3.24, 5.48}, {3.11, 7.10, 11.87}}}},
    {{0.0441, 0.0541, 0.0641, 0.0726}, {{{0.84, 1.87, 3.09}, {1.85, 4.07, 6.76}, {1.68, 3.74, 6.24}, {3.66, 8.20, 13.52}}}},
    {{0.0451, 0.0551, 0.0651, 0.0736}, {{{0.86, 1.91, 3.15}, {1.89, 4.15, 6.88}, {1.71, 3.80, 6.33}, {3.74, 8.37, 13.77}}}},
    {{0.0477, 0.0577, 0.0677, 0.0762}, {{{0.91, 2.01, 3.30}, {2.00, 4.37, 7.21}, {1.81, 4.00, 6.64}, {3.96, 8.81, 14.43}}}},
    {{0.0482, 0.0582, 0.0682, 0.0767}, {{{0.92, 2.03, 3.33}, {2.02, 4.41, 7.27}, {1.83, 4.04, 6.70}, {4.00, 8.89, 14.55}}}},
    {{0.0491, 0.0591, 0.0691, 0.0776}, {{{0.93, 2.05, 3.36}, {2.06, 4.48, 7.38}, {1.87, 4.12, 6.81}, {4.08, 9.04, 14.78}}}},
    {{0.0501, 0.0601, 0.0701, 0.0786}, {{{0.95, 2.09, 3.42}, {2.10, 4.56, 7.50}, {1.90, 4.18, 6.91}, {4.16, 9.21, 15.03}}}},
}};

using Rows = std::array<ByFrequency<std::array<Bracket, 3>>, kCounties.size()>;  // [county][HowOft]
constexpr Rows kRows = [] {
    Rows rows{};
    for (std::size_t c = 0; c < kCounties.size(); ++c)
        for (std::size_t f = 0; f < kFrequencyCount; ++f)
            for (std::size_t k = 0; k < 3; ++k)
                rows[c][f][k] = Bracket{kOver[f][k], kCounties[c].rates[k + 1], kCounties[c].base[f][k]};
    return rows;
}();

using Tables = std::array<ByFrequency<BracketTable>, kCounties.size()>;
constexpr Tables kTables = [] {
    Tables t{};
    for (std::size_t c = 0; c < kCounties.size(); ++c)
        for (std::size_t f = 0; f < kFrequencyCount; ++f) t[c][f] = BracketTable{kRows[c][f], kCounties[c].rates[0]};
    return t;
}();

// Index into kCounties, or -1 for a code that is none of the eight.
int countyIndex(std::int16_t method)
{
    for (std::size_t c = 0; c < kMarylandCounties.size(); ++c)
        if (kMarylandCounties[c].value == method) return static_cast<int>(c);
    return -1;
}

Pct countyRate(std::size_t c) { return Pct{kMarylandCounties[c].value / 10000.0}; }

}  // namespace

void Maryland(Pass& p)
{
    PayRecord& r = p.r;
    const bool knownFreq = knownFrequency(r.HowOft);
    const std::size_t f = frequencyIndex(r.HowOft);
    // Maryland's own standard deduction; the pay record's stdDed is left alone.
    Currency stdDed;
    Procedure proc(p.errors, "frmMain", "Maryland");
    proc.locals([&stdDed] { return VarList{"stdDed", formatFixed4(stdDed)}; });
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] { StateBase(p); },
        [&] { r.staxBase = stateWages(r); },
        [&] {
            stdDed = Currency::round(r.staxBase.toDouble() * kStdDedRate);
            p.explain(stdDed, "Maryland standard deduction ", Pct{kStdDedRate}, " of ", r.staxBase);
        },
        [&] {
            if (!knownFreq) return;
            const FrequencyRule& rule = kRules[f];
            r.PersExmp = Currency::round(static_cast<double>(r.DepsNumber) * rule.exemption);
            if (stdDed < rule.minimum) {
                stdDed = rule.minimum;
                p.explain(stdDed, "Maryland standard deduction raised to the minimum");
            } else if (stdDed > rule.maximum) {
                stdDed = rule.maximum;
                p.explain(stdDed, "Maryland standard deduction held at the maximum");
            }
            p.explain(r.PersExmp, "Maryland exemption ", r.DepsNumber, " x ", Currency::round(rule.exemption));
        },
        [&] {
            r.staxBase = r.staxBase - (stdDed + r.PersExmp);
            p.explain(r.staxBase, "Maryland taxable wages");
        },
        [&] {
            const int c = countyIndex(r.Method);
            if (c < 0) {
                p.noTable("Maryland", "county rate", "Choose one in Set State Options.");
                return;
            }
            if (!haveFrequency(p, "Maryland")) return;
            const auto county = static_cast<std::size_t>(c);
            r.sTax = evaluate(p, traceName(p, "Maryland ", countyRate(county), " county ", kFreqName[f]),
                              kTables[county][f], r.staxBase);
        },
        [&] { addAdditional(p); },
        [&] { floorAtZero(p); },
        [&] {
            r.amtLocalTax = Currency();
            p.note("The county tax is part of the Maryland withholding");
        });
}

std::vector<CatalogTable> marylandCatalog()
{
    std::vector<CatalogTable> out;
    for (std::size_t c = 0; c < kCounties.size(); ++c)
        for (std::size_t f = 0; f < kFrequencyCount; ++f)
            out.push_back({concat("Maryland ", countyRate(c), " county ", kFreqName[f]), kTables[c][f], true});
    return out;
}

}  // namespace wm
