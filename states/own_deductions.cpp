// Per-period calculators whose deductions follow rules of their own:
//   Oregon          subtracts the federal withholding up to a limit (per
//                   allowance, except monthly) and credits each allowance
//                   inside the bracket amount
//   North Carolina  an exemption per state dependent that is smaller once the
//                   wages reach a limit; brackets in subtractive form
//   New York        a deduction per exemption of the main form plus a
//                   deduction allowance by marital status

#include <cstdint>

#include "record/pass_context.h"
#include "record/state_base.h"
#include "states/bracket.h"
#include "states/calculators.h"
#include "states/state_steps.h"
#include "states/table_catalog.h"

namespace wm {

namespace {

using namespace period;  // the steps every per-period calculator shares

using FreqTables = ByFrequency<BracketTable>;

// ---- Oregon ----------------------------------------------------------
constexpr ByFrequency<Currency> kOrFederalLimit = {58_usd, 125_usd, 115_usd, 250_usd};
constexpr ByFrequency<double> kOrCredit = {2.58, 5.58, 5.15, 11.16};  // per allowance
constexpr std::array<double, 2> kOrRates = {0.07, 0.09};
constexpr auto kOrMW = makeBrackets<2>({55_usd, 250_usd}, kOrRates, {0, 14});
constexpr auto kOrMS = makeBrackets<2>({119_usd, 542_usd}, kOrRates, {0, 30});
constexpr auto kOrMB = makeBrackets<2>({110_usd, 500_usd}, kOrRates, {0, 27});
constexpr auto kOrMM = makeBrackets<2>({238_usd, 1083_usd}, kOrRates, {0, 59});
constexpr auto kOrSW = makeBrackets<2>({21_usd, 131_usd}, kOrRates, {0, 8});
constexpr auto kOrSS = makeBrackets<2>({45_usd, 283_usd}, kOrRates, {0, 17});
constexpr auto kOrSB = makeBrackets<2>({42_usd, 262_usd}, kOrRates, {0, 15});
constexpr auto kOrSM = makeBrackets<2>({91_usd, 567_usd}, kOrRates, {0, 33});
constexpr std::array<FreqTables, 2> kOregon = {{
    {{{kOrMW}, {kOrMS}, {kOrMB}, {kOrMM}}},
    {{{kOrSW}, {kOrSS}, {kOrSB}, {kOrSM}}},
}};
constexpr std::array<std::string_view, 2> kStatusName = {"married", "single"};

// ---- North Carolina --------------------------------------------------
struct NcStatus {
    std::int16_t code;                    // intSMarried
    std::string_view name;
    ByFrequency<Currency> wageLimit;      // from here on the lower exemption applies
    const FreqTables& tables;
};
// Per state dependent: below the wage limit / at or above it.
constexpr ByFrequency<double> kNcHigher = {48.08, 104.17, 96.15, 208.33};
constexpr ByFrequency<double> kNcLower = {38.46, 83.33, 76.92, 166.67};
constexpr std::array<double, 3> kNcRates = {0.06, 0.07, 0.0775};
// Subtractive form: rate x amount less S.
constexpr BracketTable ncTable(std::span<const Bracket> rows) { return {rows, 0, Bound::Inclusive, Form::Subtractive}; }
constexpr auto kNc0W = makeBrackets<3>({57.69_usd, 302.88_usd, 1211.54_usd}, kNcRates, {3.46, 6.49, 15.58});
constexpr auto kNc0S = makeBrackets<3>({125_usd, 656.25_usd, 2625_usd}, kNcRates, {7.50, 14.06, 33.75});
constexpr auto kNc0B = makeBrackets<3>({115.39_usd, 605.77_usd, 2423.08_usd}, kNcRates, {6.93, 12.98, 31.15});
constexpr auto kNc0M = makeBrackets<3>({250_usd, 1312.50_usd, 5250_usd}, kNcRates, {15.00, 28.13, 67.51});
constexpr auto kNc3W = makeBrackets<3>({48.08_usd, 252.40_usd, 1009.62_usd}, kNcRates, {2.88, 5.41, 12.98});
constexpr auto kNc3S = makeBrackets<3>({104.17_usd, 546.88_usd, 2187.50_usd}, kNcRates, {6.25, 11.72, 28.13});
constexpr auto kNc3B = makeBrackets<3>({96.15_usd, 504.81_usd, 2019.23_usd}, kNcRates, {5.77, 10.82, 25.96});
constexpr auto kNc3M = makeBrackets<3>({208.33_usd, 1093.75_usd, 4375_usd}, kNcRates, {12.50, 23.43, 56.24});
constexpr auto kNc9W = makeBrackets<3>({84.62_usd, 411.54_usd, 1623.08_usd}, kNcRates, {5.07, 9.19, 21.36});
constexpr auto kNc9S = makeBrackets<3>({183.33_usd, 891.67_usd, 3516.67_usd}, kNcRates, {11.00, 19.92, 46.30});
constexpr auto kNc9B = makeBrackets<3>({169.23_usd, 823.08_usd, 3246.15_usd}, kNcRates, {10.15, 18.39, 42.74});
constexpr auto kNc9M = makeBrackets<3>({366.67_usd, 1783.33_usd, 7033.33_usd}, kNcRates, {22.00, 39.83, 92.58});
constexpr FreqTables kNcSingle = {ncTable(kNc0W), ncTable(kNc0S), ncTable(kNc0B), ncTable(kNc0M)};
constexpr FreqTables kNcMarried = {ncTable(kNc3W), ncTable(kNc3S), ncTable(kNc3B), ncTable(kNc3M)};
constexpr FreqTables kNcHead = {ncTable(kNc9W), ncTable(kNc9S), ncTable(kNc9B), ncTable(kNc9M)};
constexpr std::array<NcStatus, 3> kNcStatus = {{
    {0, "Single", {1153.85_usd, 2500_usd, 2307.69_usd, 5000_usd}, kNcSingle},
    {3, "Married (M)", {961.54_usd, 2083.33_usd, 1923.08_usd, 4166.67_usd}, kNcMarried},
    {9, "Head of Family", {1538.46_usd, 3333.33_usd, 3076.92_usd, 6666.67_usd}, kNcHead},
}};

const NcStatus* ncStatus(std::int16_t intSMarried)
{
    for (const NcStatus& s : kNcStatus)
        if (s.code == intSMarried) return &s;
    return nullptr;
}

// ---- New York --------------------------------------------------------
constexpr ByFrequency<double> kNyPerExemption = {19.25, 41.65, 38.50, 83.30};
constexpr std::array<ByFrequency<Currency>, 2> kNyAllowance = {{
    {143.75_usd, 311.45_usd, 287.50_usd, 622.90_usd},  // married
    {134.15_usd, 290.60_usd, 268.30_usd, 581.25_usd},  // single
}};
constexpr double kNyLowestRate = 0.04;
// The top rate is lower than the one below it.
constexpr std::array<double, 7> kNyRates = {0.045, 0.0525, 0.059, 0.0685, 0.0764, 0.0814, 0.0735};
constexpr auto kNyW = makeBrackets<7>({154_usd, 212_usd, 250_usd, 385_usd, 1731_usd, 1923_usd, 2885_usd}, kNyRates,
                                      {6.15, 8.75, 10.77, 18.71, 110.92, 125.62, 203.92});
constexpr auto kNyS = makeBrackets<7>({333_usd, 458_usd, 542_usd, 833_usd, 3750_usd, 4167_usd, 6250_usd}, kNyRates,
                                      {13.33, 18.96, 23.33, 40.54, 240.33, 272.17, 441.83});
constexpr auto kNyB = makeBrackets<7>({308_usd, 423_usd, 500_usd, 769_usd, 3462_usd, 3846_usd, 5769_usd}, kNyRates,
                                      {12.31, 17.50, 21.54, 37.42, 221.85, 251.23, 407.85});
constexpr auto kNyM = makeBrackets<7>({667_usd, 917_usd, 1083_usd, 1667_usd, 7500_usd, 8333_usd, 12500_usd}, kNyRates,
                                      {26.67, 37.92, 46.67, 81.08, 480.67, 544.33, 883.67});
// An amount equal to a threshold belongs to the bracket above it.
constexpr BracketTable nyTable(std::span<const Bracket> rows) { return {rows, kNyLowestRate, Bound::Exclusive}; }
constexpr FreqTables kNewYork = {nyTable(kNyW), nyTable(kNyS), nyTable(kNyB), nyTable(kNyM)};

// Married withholding at the single rate counts as single; -1 for codes
// outside the three.
constexpr int singleOrMarried(std::int16_t valMarried)
{
    return valMarried == 0 ? 0 : valMarried == 1 || valMarried == 2 ? 1 : -1;
}

}  // namespace

void Oregon(Pass& p)
{
    PayRecord& r = p.r;
    const bool knownFreq = knownFrequency(r.HowOft);
    const std::size_t f = frequencyIndex(r.HowOft);
    const BracketTable* table = nullptr;
    std::size_t status = 0;
    Procedure proc(p.errors, "frmMain", "Oregon");
    proc.run(
        [&] { p.setModified("January 1, 1988"); },
        [&] {
            if (!knownFreq) return;
            const Currency limit = kOrFederalLimit[f];
            r.PersExmp = r.fTax > limit ? limit : r.fTax;
            p.explain(r.PersExmp, "Oregon federal tax subtraction (federal withholding, at most ", limit, ")");
        },
        [&] {
            // Monthly pay subtracts the amount once; the other frequencies
            // once per allowance.
            if (!knownFreq || r.HowOft == 3) return;
            r.PersExmp = r.PersExmp * r.DepsNumber;
            p.explain(r.PersExmp, "Oregon federal tax subtraction x ", r.DepsNumber, " allowances");
        },
        [&] { StateBase(p); },
        [&] { taxableWages(p, "Oregon"); },
        [&] {
            if (!haveFrequency(p, "Oregon")) return;
            const int s = singleOrMarried(r.valMarried);
            if (s < 0) {
                p.noTable("Oregon", "marital status");
                return;
            }
            // Single filers with three or more allowances use the married table.
            status = s == 1 && r.DepsNumber < 3 ? 1 : 0;
            table = &kOregon[status][f];
        },
        [&] {
            if (!table) return;
            // Each allowance's credit is part of the bracket amount, before
            // rounding; nothing is credited up to the first threshold.
            const double credit = kOrCredit[f] * static_cast<double>(r.DepsNumber);
            std::array<Bracket, 2> rows{};
            for (std::size_t k = 0; k < rows.size(); ++k)
                rows[k] = {table->brackets[k].over, table->brackets[k].rate, table->brackets[k].base - credit};
            const BracketResult res = evaluate(BracketTable{rows}, r.staxBase);
            r.sTax = res.tax;
            if (!p.tracing()) return;
            const std::string name = concat("Oregon ", kStatusName[status], " ", kFreqName[f], " table: ");
            if (res.bracket == 0) {
                p.explain(r.sTax, name, "nothing up to ", table->brackets[0].over);
                return;
            }
            const Bracket& br = table->brackets[static_cast<std::size_t>(res.bracket - 1)];
            p.explain(r.sTax, name, br.base == 0 ? "" : concat(Currency::round(br.base), " + "), Pct{br.rate},
                      " of the excess over ", br.over, " less the allowance credit ", r.DepsNumber, " x ",
                      Currency::round(kOrCredit[f]));
        },
        [&] { addAdditional(p); },
        [&] { floorAtZero(p); });
}

void NCarolina(Pass& p)
{
    PayRecord& r = p.r;
    const bool knownFreq = knownFrequency(r.HowOft);
    const std::size_t f = frequencyIndex(r.HowOft);
    const NcStatus* status = ncStatus(r.intSMarried);
    Procedure proc(p.errors, "frmMain", "NCarolina");
    proc.run(
        [&] { p.setModified("January 1, 1998"); },
        [&] { StateBase(p); },
        [&] { r.staxBase = stateWages(r); },
        [&] {
            if (!status || !knownFreq) return;
            const Currency limit = status->wageLimit[f];
            const bool below = r.staxBase < limit;
            const double each = below ? kNcHigher[f] : kNcLower[f];
            r.PersExmp = Currency::round(static_cast<double>(r.StateDeps) * each);
            p.explain(r.PersExmp, "North Carolina exemption ", r.StateDeps, " x ", Currency::round(each),
                      below ? " (wages below " : " (wages at or above ", limit, ")");
        },
        [&] {
            r.staxBase = r.staxBase - r.PersExmp;
            p.explain(r.staxBase, "North Carolina taxable wages");
        },
        [&] {
            if (!status) {
                noStatusTable(p, "North Carolina", "filing status");
                return;
            }
            if (!haveFrequency(p, "North Carolina")) return;
            r.sTax = evaluate(p, traceName(p, "North Carolina ", status->name, " ", kFreqName[f]), status->tables[f],
                              r.staxBase);
        },
        [&] { addAdditional(p); },
        [&] { floorAtZero(p); });
}

void NewYork(Pass& p)
{
    PayRecord& r = p.r;
    const bool knownFreq = knownFrequency(r.HowOft);
    const std::size_t f = frequencyIndex(r.HowOft);
    Procedure proc(p.errors, "frmMain", "NewYork");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        // The exemptions of the main form, not the state options' dependents.
        [&] { r.StateDeps = toInt16(p.in.exemptions); },
        [&] {
            if (!knownFreq) return;
            r.stdDed = Currency::round(static_cast<double>(r.StateDeps) * kNyPerExemption[f]);
            p.explain(r.stdDed, "New York exemption deduction ", r.StateDeps, " x ",
                      Currency::round(kNyPerExemption[f]));
        },
        [&] {
            const int s = singleOrMarried(r.valMarried);
            if (!knownFreq) return;
            if (s < 0) {
                p.noTable("New York", "marital status");
                return;
            }
            r.PersExmp = kNyAllowance[static_cast<std::size_t>(s)][f];
            p.explain(r.PersExmp, "New York deduction allowance (", s == 0 ? "married" : "single", ")");
        },
        [&] { StateBase(p); },
        [&] {
            r.staxBase = stateWages(r) - (r.stdDed + r.PersExmp);
            p.explain(r.staxBase, "New York taxable wages");
        },
        [&] {
            if (!haveFrequency(p, "New York")) return;
            r.sTax = evaluate(p, traceName(p, "New York ", kFreqName[f]), kNewYork[f], r.staxBase);
        },
        [&] { addAdditional(p); },
        [&] { floorAtZero(p); });
}

std::vector<CatalogTable> ownDeductionsCatalog()
{
    std::vector<CatalogTable> out;
    for (std::size_t f = 0; f < kFrequencyCount; ++f) {
        // Oregon's upper base is a whole-dollar amount.
        for (std::size_t s = 0; s < 2; ++s)
            out.push_back({concat("Oregon ", kStatusName[s], " ", kFreqName[f]), kOregon[s][f], false});
        for (const NcStatus& s : kNcStatus)
            out.push_back({concat("North Carolina ", s.name, " ", kFreqName[f]), s.tables[f], true});
        // New York's top base is the state's own figure, a few cents above
        // the bracket below run to its end.
        out.push_back({concat("New York ", kFreqName[f]), kNewYork[f], false});
    }
    return out;
}

}  // namespace wm
