// Per-period bracket calculators: the tables apply to one pay period's wages
// directly (no annualizing). New Mexico, Rhode Island, Vermont, Kansas.
//
//   1. exemption = allowances x the state's per-allowance amount
//   2. state taxable = state wages - exemption
//   3. bracket amount from the married or single table of the frequency
//   4. + additional withholding; below zero becomes zero
// valMarried 2 (married, withholding at the single rate) uses the single table.

#include "record/pass_context.h"
#include "record/state_base.h"
#include "states/bracket.h"
#include "states/calculators.h"
#include "states/state_steps.h"
#include "states/table_catalog.h"

namespace wm {

namespace {

using Table = std::array<ByFrequency<BracketTable>, 2>;  // [married/single][HowOft]

struct PerPeriodState {
    std::string_view name;
    std::string_view procedure;
    std::string_view date;
    ByFrequency<double> exemption;  // per allowance
    const Table& tables;
};

using period::kFreqName;

// ---- New Mexico ------------------------------------------------------
constexpr std::array<double, 7> kNmRates = {0.017, 0.032, 0.047, 0.060, 0.071, 0.079, 0.082};
constexpr std::array<double, 7> kNmRatesSingleMonthly = {0.017, 0.032, 0.047, 0.060, 0.071, 0.079, 0.085};
constexpr auto kNmMW = makeBrackets<7>({86_usd, 239_usd, 393_usd, 547_usd, 855_usd, 1316_usd, 2009_usd}, kNmRates,
                                       {0, 2.62, 7.54, 14.77, 33.23, 66.00, 120.69});
constexpr auto kNmMS = makeBrackets<7>({185_usd, 519_usd, 852_usd, 1185_usd, 1852_usd, 2852_usd, 4352_usd}, kNmRates,
                                       {0, 5.67, 16.33, 32.00, 72.00, 143.00, 261.50});
constexpr auto kNmMB = makeBrackets<7>({171_usd, 479_usd, 787_usd, 1094_usd, 1710_usd, 2633_usd, 4017_usd}, kNmRates,
                                       {0, 5.23, 15.08, 29.54, 66.46, 132.00, 241.38});
constexpr auto kNmMM = makeBrackets<7>({371_usd, 1038_usd, 1704_usd, 2371_usd, 3704_usd, 5704_usd, 8704_usd}, kNmRates,
                                       {0, 11.33, 32.67, 64.00, 144.00, 286.00, 523.00});
constexpr auto kNmSW = makeBrackets<7>({30_usd, 136_usd, 241_usd, 338_usd, 530_usd, 838_usd, 1280_usd}, kNmRates,
                                       {0, 1.80, 5.18, 9.70, 21.24, 43.09, 78.03});
constexpr auto kNmSS = makeBrackets<7>({65_usd, 294_usd, 523_usd, 731_usd, 1148_usd, 1815_usd, 2773_usd}, kNmRates,
                                       {0, 3.90, 11.23, 21.02, 46.02, 93.35, 169.06});
constexpr auto kNmSB = makeBrackets<7>({60_usd, 271_usd, 483_usd, 675_usd, 1060_usd, 1675_usd, 2560_usd}, kNmRates,
                                       {0, 3.60, 10.37, 19.40, 42.48, 86.17, 156.06});
constexpr auto kNmSM = makeBrackets<7>({129_usd, 588_usd, 1046_usd, 1462_usd, 2296_usd, 3629_usd, 5546_usd},
                                       kNmRatesSingleMonthly, {0, 7.79, 22.46, 42.04, 92.04, 186.71, 338.13});
constexpr Table kNewMexico = {{{{{kNmMW}, {kNmMS}, {kNmMB}, {kNmMM}}}, {{{kNmSW}, {kNmSS}, {kNmSB}, {kNmSM}}}}};

// ---- Rhode Island ----------------------------------------------------
constexpr std::array<double, 5> kRiRates = {0.039, 0.073, 0.081, 0.094, 0.103};
constexpr auto kRiMW = makeBrackets<5>({124_usd, 913_usd, 1942_usd, 3192_usd, 5633_usd}, kRiRates, {0, 31.46, 105.10, 205.85, 434.27});
constexpr auto kRiMS = makeBrackets<5>({269_usd, 2017_usd, 4208_usd, 6917_usd, 12204_usd}, kRiRates, {0, 68.17, 227.72, 446.01, 940.92});
constexpr auto kRiMB = makeBrackets<5>({248_usd, 1862_usd, 3885_usd, 6385_usd, 11265_usd}, kRiRates, {0, 62.93, 210.21, 411.71, 868.55});
constexpr auto kRiMM = makeBrackets<5>({538_usd, 4033_usd, 8417_usd, 13833_usd, 24408_usd}, kRiRates, {0, 136.34, 455.44, 892.03, 1881.85});
constexpr auto kRiSW = makeBrackets<5>({51_usd, 536_usd, 1152_usd, 2581_usd, 5576_usd}, kRiRates, {0, 18.90, 63.77, 178.94, 459.29});
constexpr auto kRiSS = makeBrackets<5>({110_usd, 1160_usd, 2496_usd, 5592_usd, 12081_usd}, kRiRates, {0, 40.95, 138.17, 387.69, 995.12});
constexpr auto kRiSB = makeBrackets<5>({102_usd, 1071_usd, 2304_usd, 5162_usd, 11152_usd}, kRiRates, {0, 37.80, 127.54, 357.87, 918.57});
constexpr auto kRiSM = makeBrackets<5>({221_usd, 2321_usd, 4992_usd, 11183_usd, 24163_usd}, kRiRates, {0, 81.90, 276.34, 775.39, 1990.24});
constexpr Table kRhodeIsland = {{{{{kRiMW}, {kRiMS}, {kRiMB}, {kRiMM}}}, {{{kRiSW}, {kRiSS}, {kRiSB}, {kRiSM}}}}};

// ---- Vermont ---------------------------------------------------------
constexpr std::array<double, 5> kVtMarried = {0.036, 0.0672, 0.0744, 0.0864, 0.095};
constexpr std::array<double, 5> kVtSingle = {0.0375, 0.07, 0.0775, 0.09, 0.099};
constexpr auto kVtMW = makeBrackets<5>({124_usd, 931_usd, 1942_usd, 3192_usd, 5633_usd}, kVtMarried, {0, 29.05, 96.99, 189.99, 400.89});
constexpr auto kVtMS = makeBrackets<5>({269_usd, 2017_usd, 4208_usd, 6917_usd, 12204_usd}, kVtMarried, {0, 62.93, 210.16, 411.71, 868.51});
constexpr auto kVtMB = makeBrackets<5>({248_usd, 1862_usd, 3885_usd, 6385_usd, 11265_usd}, kVtMarried, {0, 58.10, 194.05, 380.05, 801.68});
constexpr auto kVtMM = makeBrackets<5>({538_usd, 4033_usd, 8417_usd, 13833_usd, 24408_usd}, kVtMarried, {0, 125.82, 420.42, 823.38, 1737.06});
constexpr auto kVtSW = makeBrackets<5>({51_usd, 517_usd, 1105_usd, 2493_usd, 5385_usd}, kVtSingle, {0, 17.41, 58.64, 166.21, 426.49});
constexpr auto kVtSS = makeBrackets<5>({110_usd, 1121_usd, 2394_usd, 5402_usd, 11667_usd}, kVtSingle, {0, 37.91, 127.02, 360.14, 923.99});
constexpr auto kVtSB = makeBrackets<5>({102_usd, 1035_usd, 2210_usd, 4987_usd, 10769_usd}, kVtSingle, {0, 34.99, 117.24, 332.46, 852.84});
constexpr auto kVtSM = makeBrackets<5>({221_usd, 2242_usd, 4788_usd, 10804_usd, 23333_usd}, kVtSingle, {0, 75.79, 254.01, 720.25, 1847.86});
constexpr Table kVermont = {{{{{kVtMW}, {kVtMS}, {kVtMB}, {kVtMM}}}, {{{kVtSW}, {kVtSS}, {kVtSB}, {kVtSM}}}}};

// ---- Kansas ----------------------------------------------------------
// Single bi-weekly and monthly equal married weekly and semi-monthly: the
// same annual amounts over other periods.
constexpr std::array<double, 3> kKsRates = {0.035, 0.0625, 0.0645};
constexpr auto kKsMW = makeBrackets<3>({115_usd, 692_usd, 1269_usd}, kKsRates, {0, 20.19, 56.25});
constexpr auto kKsMS = makeBrackets<3>({250_usd, 1500_usd, 2750_usd}, kKsRates, {0, 43.75, 121.88});
constexpr auto kKsMB = makeBrackets<3>({231_usd, 1385_usd, 2538_usd}, kKsRates, {0, 40.38, 112.50});
constexpr auto kKsMM = makeBrackets<3>({500_usd, 3000_usd, 5500_usd}, kKsRates, {0, 87.50, 243.75});
// The single weekly top base is 28.13 (1,462.50 a year over 52); a printed
// 26.13 would make the top bracket start $2 below the one under it.
constexpr auto kKsSW = makeBrackets<3>({58_usd, 346_usd, 635_usd}, kKsRates, {0, 10.10, 28.13});
constexpr auto kKsSS = makeBrackets<3>({125_usd, 750_usd, 1375_usd}, kKsRates, {0, 21.88, 60.94});
constexpr Table kKansas = {{{{{kKsMW}, {kKsMS}, {kKsMB}, {kKsMM}}}, {{{kKsSW}, {kKsSS}, {kKsMW}, {kKsMS}}}}};

constexpr PerPeriodState kNm{"New Mexico", "NewMexico", "January 1, 2000", {52.88, 114.58, 105.77, 229.17}, kNewMexico};
constexpr PerPeriodState kRi{"Rhode Island", "RhodeIsland", "January 1, 2000", {53.85, 116.67, 107.69, 233.33}, kRhodeIsland};
constexpr PerPeriodState kVt{"Vermont", "Vermont", "January 1, 2000", {53.85, 116.67, 107.69, 233.33}, kVermont};
constexpr PerPeriodState kKs{"Kansas", "Kansas", "January 1, 1999", {43.27, 93.75, 86.54, 187.50}, kKansas};

void perPeriod(Pass& p, const PerPeriodState& s)
{
    PayRecord& r = p.r;
    const std::size_t f = period::frequencyIndex(r.HowOft);
    period::runPeriodSteps(p, {s.name, s.procedure, s.date, s.exemption}, " exemption ", r.DepsNumber, [&] {
        if (!period::haveFrequency(p, s.name)) return;
        const std::size_t status = r.valMarried == 0 ? 0 : 1;
        const std::string name = period::traceName(p, s.name, status == 0 ? " married " : " single ", kFreqName[f]);
        r.sTax = evaluate(p, name, s.tables[status][f], r.staxBase);
    });
}

}  // namespace

void NewMexico(Pass& p) { perPeriod(p, kNm); }
void RhodeIsland(Pass& p) { perPeriod(p, kRi); }
void Vermont(Pass& p) { perPeriod(p, kVt); }
void Kansas(Pass& p) { perPeriod(p, kKs); }

std::vector<CatalogTable> perPeriodCatalog()
{
    std::vector<CatalogTable> out;
    // Rhode Island's bases follow the federal schedule, not its own rates;
    // Vermont works its bases out per period.
    for (const PerPeriodState* s : {&kNm, &kRi, &kVt, &kKs})
        for (std::size_t status = 0; status < 2; ++status) {
            const std::string annual = s == &kVt ? "" : concat(s->name, status == 0 ? " married" : " single");
            for (std::size_t f = 0; f < kFrequencyCount; ++f)
                out.push_back({concat(s->name, status == 0 ? " married " : " single ", kFreqName[f]),
                               s->tables[status][f], s != &kRi, false, annual,
                               annual.empty() ? 0 : periodsPerYear(static_cast<std::int16_t>(f))});
        }
    return out;
}

}  // namespace wm
