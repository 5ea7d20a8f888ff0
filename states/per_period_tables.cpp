// Per-period table calculators: Colorado, Hawaii, Nebraska and Idaho apply
// their tables to one pay period's wages; Missouri first forms annual
// deductions, brings the taxable amount back to one period and then uses its
// per-period table.
//
//   1. exemption = count x the state's per-period amount
//   2. state taxable = state wages - exemption
//   3. bracket amount from the table of the status and frequency
//   4. whole dollars (Colorado, Idaho), + additional withholding, not below 0
//
// Every table here keeps an amount equal to a threshold in the lower bracket
// and is marginal (base + rate x the excess over the bracket's threshold).

#include "record/pass_context.h"
#include "record/state_base.h"
#include "states/bracket.h"
#include "states/calculators.h"
#include "states/state_steps.h"
#include "states/table_catalog.h"

namespace wm {

namespace {

// Whole dollars, halves to the even dollar.
void roundToDollars(Pass& p)
{
    p.r.sTax = wholeDollarRound(p.r.sTax);
    p.explain(p.r.sTax, "Rounded to whole dollars");
}

using period::kFreqName;
using Tables = std::array<ByFrequency<BracketTable>, 2>;  // [married/single][HowOft]
constexpr std::array<std::string_view, 2> kStatusName = {" married ", " single "};

// 0 married table, 1 single table, -1 none.
using StatusOf = int (*)(const PayRecord&);

// Married withholding at the single rate uses the single table.
int maritalStatus(const PayRecord& r)
{
    if (r.valMarried == 0) return 0;
    if (r.valMarried == 1 || r.valMarried == 2) return 1;
    return -1;
}

struct PeriodTableState {
    std::string_view name;
    std::string_view procedure;
    std::string_view date;
    ByFrequency<double> exemption;  // per exemption
    bool countsStateDeps;             // Hawaii counts state dependents, the others allowances
    bool wholeDollars;
    StatusOf status;
    std::string_view statusWhat;  // the input that chooses the table, for the notice
    std::string_view statusHint;
    const Tables& tables;
};

// ---- Colorado --------------------------------------------------------
// One threshold per table: nothing up to it, 4.75 % above it.
constexpr std::array<double, 1> kCoRate = {0.0475};
constexpr auto kCoMW = makeBrackets<1>({86_usd}, kCoRate, {0});
constexpr auto kCoMS = makeBrackets<1>({185_usd}, kCoRate, {0});
constexpr auto kCoMB = makeBrackets<1>({171_usd}, kCoRate, {0});
constexpr auto kCoMM = makeBrackets<1>({371_usd}, kCoRate, {0});
constexpr auto kCoSW = makeBrackets<1>({30_usd}, kCoRate, {0});
constexpr auto kCoSS = makeBrackets<1>({65_usd}, kCoRate, {0});
constexpr auto kCoSB = makeBrackets<1>({60_usd}, kCoRate, {0});
constexpr auto kCoSM = makeBrackets<1>({129_usd}, kCoRate, {0});
constexpr Tables kColorado = {{{{{kCoMW}, {kCoMS}, {kCoMB}, {kCoMM}}}, {{{kCoSW}, {kCoSS}, {kCoSB}, {kCoSM}}}}};

// ---- Hawaii ----------------------------------------------------------
// No zero band: 1.6 % up to the first threshold. The single bi-weekly and
// monthly tables are the married weekly and semi-monthly ones.
constexpr double kHiLowest = 0.016;
constexpr std::array<double, 5> kHiRates = {0.039, 0.068, 0.072, 0.075, 0.078};
// The top base keeps three decimals: 12.91 + 7.5 % of 77.
constexpr auto kHiSW = makeBrackets<5>({38_usd, 77_usd, 154_usd, 231_usd, 308_usd}, kHiRates, {0.61, 2.13, 7.37, 12.91, 18.685});
constexpr auto kHiSS = makeBrackets<5>({83_usd, 167_usd, 333_usd, 500_usd, 667_usd}, kHiRates, {1.33, 4.61, 15.90, 27.92, 40.45});
constexpr auto kHiMW = makeBrackets<5>({77_usd, 154_usd, 308_usd, 462_usd, 615_usd}, kHiRates, {1.23, 4.23, 14.70, 25.79, 37.27});
constexpr auto kHiMS = makeBrackets<5>({167_usd, 333_usd, 667_usd, 1000_usd, 1333_usd}, kHiRates, {2.67, 9.14, 31.85, 55.83, 80.81});
constexpr auto kHiMB = makeBrackets<5>({154_usd, 308_usd, 615_usd, 923_usd, 1231_usd}, kHiRates, {2.46, 8.47, 29.35, 51.53, 74.63});
constexpr auto kHiMM = makeBrackets<5>({333_usd, 667_usd, 1333_usd, 2000_usd, 2667_usd}, kHiRates, {5.33, 18.36, 63.65, 111.67, 161.70});
constexpr Tables kHawaii = {{{{{kHiMW, kHiLowest}, {kHiMS, kHiLowest}, {kHiMB, kHiLowest}, {kHiMM, kHiLowest}}},
                             {{{kHiSW, kHiLowest}, {kHiSS, kHiLowest}, {kHiMW, kHiLowest}, {kHiMS, kHiLowest}}}}};

// Hawaii's tables follow the state filing status: "Single" (0) and
// "Married, claiming for both spouses (M)" (3).
int hawaiiStatus(const PayRecord& r)
{
    if (r.intSMarried == 3) return 0;
    if (r.intSMarried == 0) return 1;
    return -1;
}

// ---- Nebraska --------------------------------------------------------
constexpr std::array<double, 7> kNeRates = {0.0249, 0.0347, 0.0532, 0.0657, 0.0698, 0.0722, 0.0736};
constexpr auto kNeMW = makeBrackets<7>({101_usd, 159_usd, 431_usd, 681_usd, 826_usd, 1120_usd, 1447_usd}, kNeRates,
                                       {0, 1.44, 10.88, 24.18, 33.71, 54.23, 77.84});
constexpr auto kNeMS = makeBrackets<7>({219_usd, 344_usd, 933_usd, 1475_usd, 1790_usd, 2427_usd, 3135_usd}, kNeRates,
                                       {0, 3.11, 23.55, 52.38, 73.08, 117.54, 168.66});
constexpr auto kNeMB = makeBrackets<7>({202_usd, 317_usd, 862_usd, 1362_usd, 1652_usd, 2240_usd, 2894_usd}, kNeRates,
                                       {0, 2.86, 21.77, 48.37, 67.42, 108.46, 155.68});
constexpr auto kNeMM = makeBrackets<7>({438_usd, 688_usd, 1867_usd, 2950_usd, 3579_usd, 4854_usd, 6271_usd}, kNeRates,
                                       {0, 6.23, 47.14, 104.76, 146.09, 235.09, 337.40});
constexpr auto kNeSW = makeBrackets<7>({42_usd, 85_usd, 298_usd, 438_usd, 540_usd, 1040_usd, 1444_usd}, kNeRates,
                                       {0, 1.07, 8.46, 15.91, 22.61, 57.51, 86.68});
constexpr auto kNeSS = makeBrackets<7>({92_usd, 183_usd, 646_usd, 948_usd, 1171_usd, 2254_usd, 3129_usd}, kNeRates,
                                       {0, 2.27, 18.34, 34.41, 49.06, 124.65, 187.83});
constexpr auto kNeSB = makeBrackets<7>({85_usd, 169_usd, 596_usd, 875_usd, 1081_usd, 2081_usd, 2888_usd}, kNeRates,
                                       {0, 2.09, 16.91, 31.75, 45.28, 115.08, 173.35});
constexpr auto kNeSM = makeBrackets<7>({183_usd, 367_usd, 1292_usd, 1896_usd, 2342_usd, 4508_usd, 6258_usd}, kNeRates,
                                       {0, 4.58, 36.68, 68.81, 98.11, 249.30, 375.65});
constexpr Tables kNebraska = {{{{{kNeMW}, {kNeMS}, {kNeMB}, {kNeMM}}}, {{{kNeSW}, {kNeSS}, {kNeSB}, {kNeSM}}}}};

// ---- Idaho -----------------------------------------------------------
constexpr std::array<double, 8> kIdRates = {0.02, 0.04, 0.045, 0.055, 0.065, 0.075, 0.078, 0.082};
constexpr auto kIdMW = makeBrackets<8>({86_usd, 124_usd, 163_usd, 201_usd, 240_usd, 278_usd, 374_usd, 855_usd}, kIdRates,
                                       {0, 0.76, 2.32, 4.03, 6.12, 8.66, 15.86, 53.38});
constexpr auto kIdMS = makeBrackets<8>({186_usd, 269_usd, 352_usd, 436_usd, 519_usd, 602_usd, 811_usd, 1852_usd}, kIdRates,
                                       {0, 1.66, 5.02, 8.76, 13.33, 18.79, 34.39, 115.67});
constexpr auto kIdMB = makeBrackets<8>({171_usd, 248_usd, 325_usd, 402_usd, 479_usd, 555_usd, 748_usd, 1709_usd}, kIdRates,
                                       {0, 1.54, 4.62, 8.09, 12.33, 17.34, 31.74, 106.78});
constexpr auto kIdMM = makeBrackets<8>({371_usd, 538_usd, 705_usd, 871_usd, 1038_usd, 1205_usd, 1621_usd, 3705_usd}, kIdRates,
                                       {0, 3.34, 9.98, 17.50, 26.69, 37.48, 68.76, 231.23});
constexpr auto kIdSW = makeBrackets<8>({30_usd, 49_usd, 68_usd, 88_usd, 107_usd, 126_usd, 174_usd, 414_usd}, kIdRates,
                                       {0, 0.38, 1.14, 2.00, 3.10, 4.34, 7.94, 26.66});
constexpr auto kIdSS = makeBrackets<8>({65_usd, 106_usd, 148_usd, 190_usd, 231_usd, 273_usd, 377_usd, 898_usd}, kIdRates,
                                       {0, 0.84, 2.52, 4.37, 6.68, 9.41, 17.21, 57.85});
constexpr auto kIdSB = makeBrackets<8>({60_usd, 98_usd, 137_usd, 175_usd, 214_usd, 252_usd, 348_usd, 829_usd}, kIdRates,
                                       {0, 0.78, 2.30, 4.06, 6.15, 8.69, 15.89, 53.41});
constexpr auto kIdSM = makeBrackets<8>({129_usd, 212_usd, 296_usd, 379_usd, 462_usd, 546_usd, 754_usd, 1796_usd}, kIdRates,
                                       {0, 1.66, 4.98, 8.76, 13.33, 18.73, 34.41, 115.61});
constexpr Tables kIdaho = {{{{{kIdMW}, {kIdMS}, {kIdMB}, {kIdMM}}}, {{{kIdSW}, {kIdSS}, {kIdSB}, {kIdSM}}}}};

constexpr std::string_view kMainStatusHint = "Choose Married or Single on the main calculator.";

constexpr PeriodTableState kCo{"Colorado", "Colorado", "September, 1999", {53, 115, 106, 229}, false, true,
                               &maritalStatus, "marital status", kMainStatusHint, kColorado};
constexpr PeriodTableState kHi{"Hawaii", "HawaiiTax", "January 1, 1999", {20, 43.35, 40, 86.65}, true, false,
                               &hawaiiStatus, "state filing status",
                               "Choose \"Single\" or \"Married, claiming for both spouses (M)\" in Set State Options.",
                               kHawaii};
constexpr PeriodTableState kNe{"Nebraska", "NebraskaTax", "January 1, 1998", {28.60, 62.08, 57.31, 124.17}, false, false,
                               &maritalStatus, "marital status", kMainStatusHint, kNebraska};
constexpr PeriodTableState kId{"Idaho", "Idaho", "January 1, 1999", {52.88, 114.58, 105.77, 229.17}, false, true,
                               &maritalStatus, "marital status", kMainStatusHint, kIdaho};

void periodTable(Pass& p, const PeriodTableState& s)
{
    PayRecord& r = p.r;
    const std::size_t f = period::frequencyIndex(r.HowOft);
    period::runPeriodSteps(
        p, {s.name, s.procedure, s.date, s.exemption},
        s.countsStateDeps ? " exemption (state dependents) " : " exemption ",
        s.countsStateDeps ? r.StateDeps : r.DepsNumber,
        [&] {
            if (!period::haveFrequency(p, s.name)) return;
            const int status = s.status(r);
            if (status < 0) {
                p.noTable(s.name, s.statusWhat, s.statusHint);
                return;
            }
            const auto st = static_cast<std::size_t>(status);
            r.sTax = evaluate(p, period::traceName(p, s.name, kStatusName[st], kFreqName[f]), s.tables[st][f],
                              r.staxBase);
        },
        [&] {
            if (s.wholeDollars) roundToDollars(p);
        });
}

// ---- Missouri --------------------------------------------------------
// Standard deduction and the limit of the federal-tax deduction by state
// filing status.
struct MissouriStatus {
    std::int16_t code;
    Currency stdDed;
    Currency federalLimit;
};
constexpr std::array<MissouriStatus, 4> kMoStatus = {{
    {0, 4400_usd, 5000_usd},   // "Single"
    {7, 7350_usd, 10000_usd},  // "Married. Spouse NOT employed"
    {8, 3675_usd, 10000_usd},  // "Married. Spouse IS employed."
    {9, 6450_usd, 10000_usd},  // "Head of Family (Household)"
}};

// The thresholds are equal steps: T(k) = k x step.
constexpr std::array<Currency, 9> moThresholds(Currency step)
{
    std::array<Currency, 9> t{};
    for (std::size_t k = 0; k < t.size(); ++k) t[k] = Currency::fromCount(step.count() * static_cast<std::int64_t>(k + 1));
    return t;
}
// No zero band: 1.5 % up to the first threshold.
constexpr double kMoLowest = 0.015;
constexpr std::array<double, 9> kMoRates = {0.02, 0.025, 0.03, 0.035, 0.04, 0.045, 0.05, 0.055, 0.06};
constexpr auto kMoW = makeBrackets<9>(moThresholds(20_usd), kMoRates, {0.30, 0.70, 1.20, 1.80, 2.50, 3.30, 4.20, 5.20, 6.30});
constexpr auto kMoS = makeBrackets<9>(moThresholds(42_usd), kMoRates, {0.63, 1.47, 2.52, 3.78, 5.25, 6.93, 8.82, 10.92, 13.23});
constexpr auto kMoB = makeBrackets<9>(moThresholds(38.50_usd), kMoRates,
                                      {0.5775, 1.3475, 2.31, 3.465, 4.8125, 6.3525, 8.085, 10.01, 12.12});
constexpr auto kMoM = makeBrackets<9>(moThresholds(84_usd), kMoRates, {1.26, 2.94, 5.04, 7.56, 10.50, 13.86, 17.64, 21.84, 26.46});
constexpr ByFrequency<BracketTable> kMissouri = {{{kMoW, kMoLowest}, {kMoS, kMoLowest}, {kMoB, kMoLowest}, {kMoM, kMoLowest}}};

const MissouriStatus* missouriStatus(std::int16_t code)
{
    for (const MissouriStatus& s : kMoStatus)
        if (s.code == code) return &s;
    return nullptr;
}

}  // namespace

void Colorado(Pass& p) { periodTable(p, kCo); }
void HawaiiTax(Pass& p) { periodTable(p, kHi); }
void NebraskaTax(Pass& p) { periodTable(p, kNe); }
void Idaho(Pass& p) { periodTable(p, kId); }

void Missouri(Pass& p)
{
    PayRecord& r = p.r;
    const MissouriStatus* status = missouriStatus(r.intSMarried);
    Procedure proc(p.errors, "frmMain", "Missouri");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] { StateBase(p); },
        [&] {
            r.staxBase = stateWages(r) * r.Freq;
            p.explain(r.staxBase, "Missouri annual wages (", r.Freq, " pay periods)");
        },
        [&] {
            r.TaxCredit = r.fTax * r.Freq;
            p.explain(r.TaxCredit, "Annual federal withholding");
        },
        [&] {
            if (!status) return;
            r.stdDed = status->stdDed;
            p.explain(r.stdDed, "Missouri standard deduction");
            if (r.TaxCredit > status->federalLimit) {
                r.TaxCredit = status->federalLimit;
                p.explain(r.TaxCredit, "Federal tax deduction, limited to ", status->federalLimit);
            }
        },
        [&] {
            if (!status) return;
            if (r.DepsNumber == 0) r.PersExmp = Currency();
            else if (r.DepsNumber >= 1 && r.DepsNumber <= 15)
                r.PersExmp = Currency::dollars(1200 * static_cast<std::int64_t>(r.DepsNumber) + 2100);
            if (!r.PersExmp.isZero()) p.explain(r.PersExmp, "Missouri exemptions 1,200 x ", r.DepsNumber, " + 2,100");
        },
        [&] {
            r.staxBase = r.staxBase - (r.PersExmp + r.stdDed + r.TaxCredit);
            p.explain(r.staxBase, "Missouri annual taxable wages");
        },
        [&] { r.staxBase = periodShare(p, r.staxBase, r.Freq); },
        [&] {
            if (!status) {
                period::noStatusTable(p, "Missouri", "state filing status");
                return;
            }
            if (!period::haveFrequency(p, "Missouri")) return;
            const std::size_t f = period::frequencyIndex(r.HowOft);
            r.sTax = evaluate(p, period::traceName(p, "Missouri ", kFreqName[f]), kMissouri[f], r.staxBase);
        },
        [&] { roundToDollars(p); },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

std::vector<CatalogTable> perPeriodTablesCatalog()
{
    std::vector<CatalogTable> out;
    for (const PeriodTableState* s : {&kCo, &kHi, &kNe, &kId})
        for (std::size_t status = 0; status < 2; ++status)
            for (std::size_t f = 0; f < kFrequencyCount; ++f)
                out.push_back({concat(s->name, kStatusName[status], kFreqName[f]), s->tables[status][f], true});
    for (std::size_t f = 0; f < kFrequencyCount; ++f) out.push_back({concat("Missouri ", kFreqName[f]), kMissouri[f], true});
    return out;
}

}  // namespace wm
