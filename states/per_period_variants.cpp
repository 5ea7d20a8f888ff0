// Per-period calculators whose steps differ from the common run
// (exemption, state wages less exemption, bracket amount, additional
// withholding, floor at zero):
//   Utah                  whole-dollar exemptions, exclusive thresholds, the
//                         bracket amount rounded to whole dollars
//   District of Columbia  tables chosen by the state filing status
//   Ohio, West Virginia   one table per frequency with a rate on the lowest
//                         bracket, so a negative taxable amount gives a
//                         negative bracket amount that eats into the
//                         additional withholding before the floor

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

constexpr std::array<std::string_view, 2> kStatusName = {"married", "single"};

// ---- Utah ------------------------------------------------------------
// Whole dollars per allowance; the bases are whole dollars too.
constexpr ByFrequency<std::int64_t> kUtExemption = {31, 68, 62, 135};
constexpr std::array<double, 6> kUtRates = {0.023, 0.031, 0.039, 0.048, 0.056, 0.065};
constexpr auto kUtMW = makeBrackets<6>({40_usd, 69_usd, 98_usd, 127_usd, 156_usd, 184_usd}, kUtRates, {0, 1, 2, 3, 4, 6});
constexpr auto kUtMS = makeBrackets<6>({87_usd, 150_usd, 212_usd, 275_usd, 337_usd, 400_usd}, kUtRates, {0, 1, 3, 6, 9, 12});
constexpr auto kUtMB = makeBrackets<6>({80_usd, 138_usd, 196_usd, 253_usd, 311_usd, 369_usd}, kUtRates, {0, 1, 3, 5, 8, 11});
constexpr auto kUtMM = makeBrackets<6>({174_usd, 299_usd, 424_usd, 549_usd, 674_usd, 799_usd}, kUtRates, {0, 3, 7, 12, 18, 25});
constexpr auto kUtSW = makeBrackets<6>({40_usd, 55_usd, 69_usd, 83_usd, 98_usd, 112_usd}, kUtRates, {0, 0, 1, 1, 2, 3});
constexpr auto kUtSS = makeBrackets<6>({87_usd, 118_usd, 150_usd, 181_usd, 212_usd, 243_usd}, kUtRates, {0, 1, 2, 3, 4, 6});
constexpr auto kUtSB = makeBrackets<6>({80_usd, 109_usd, 138_usd, 167_usd, 196_usd, 225_usd}, kUtRates, {0, 1, 2, 3, 4, 6});
constexpr auto kUtSM = makeBrackets<6>({174_usd, 237_usd, 299_usd, 362_usd, 424_usd, 487_usd}, kUtRates, {0, 1, 3, 6, 9, 12});
// An amount equal to a threshold belongs to the bracket above it.
constexpr BracketTable utahTable(std::span<const Bracket> rows) { return {rows, 0, Bound::Exclusive}; }
constexpr std::array<FreqTables, 2> kUtah = {{
    {utahTable(kUtMW), utahTable(kUtMS), utahTable(kUtMB), utahTable(kUtMM)},
    {utahTable(kUtSW), utahTable(kUtSS), utahTable(kUtSB), utahTable(kUtSM)},
}};

// ---- District of Columbia --------------------------------------------
constexpr ByFrequency<double> kDcExemption = {26.35, 57.08, 52.69, 114.17};
constexpr std::array<double, 3> kDcRates = {0.05, 0.075, 0.095};
constexpr auto kDcAW = makeBrackets<3>({38.46_usd, 192.31_usd, 384.62_usd}, kDcRates, {0, 7.69, 22.11});
constexpr auto kDcAS = makeBrackets<3>({83.33_usd, 416.67_usd, 833.33_usd}, kDcRates, {0, 16.67, 47.92});
constexpr auto kDcAB = makeBrackets<3>({76.92_usd, 384.62_usd, 769.23_usd}, kDcRates, {0, 15.39, 44.24});
constexpr auto kDcAM = makeBrackets<3>({166.66_usd, 833.33_usd, 1666.67_usd}, kDcRates, {0, 33.33, 95.83});
constexpr auto kDcBW = makeBrackets<3>({19.23_usd, 192.31_usd, 384.62_usd}, kDcRates, {0, 8.65, 23.07});
constexpr auto kDcBS = makeBrackets<3>({41.66_usd, 416.67_usd, 833.33_usd}, kDcRates, {0, 18.75, 50.00});
constexpr auto kDcBB = makeBrackets<3>({38.46_usd, 384.62_usd, 769.23_usd}, kDcRates, {0, 17.31, 46.16});
constexpr auto kDcBM = makeBrackets<3>({83.33_usd, 833.33_usd, 1666.67_usd}, kDcRates, {0, 37.50, 100.00});
constexpr std::array<FreqTables, 2> kDc = {{
    {{{kDcAW}, {kDcAS}, {kDcAB}, {kDcAM}}},
    {{{kDcBW}, {kDcBS}, {kDcBB}, {kDcBM}}},
}};
constexpr std::array<std::string_view, 2> kDcTableName = {"table A", "table B"};

// Table A serves "Single" (0) and "Married, claiming for both spouses (M)"
// (3), table B "Married Filing Separately" (6); -1 for every other status.
constexpr int dcTable(std::int16_t intSMarried)
{
    switch (intSMarried) {
    case 0:
    case 3: return 0;
    case 6: return 1;
    default: return -1;
    }
}

// ---- Ohio ------------------------------------------------------------
// Bi-weekly is a whole 25 dollars per allowance; its double product is
// exact for every count, so all four frequencies share one formula.
constexpr ByFrequency<double> kOhExemption = {12.50, 27.08, 25, 54.17};
constexpr double kOhLowestRate = 0.00808;
constexpr std::array<double, 7> kOhRates = {0.01615, 0.0323, 0.04038, 0.04845, 0.05653, 0.0646, 0.08075};
constexpr auto kOhW = makeBrackets<7>({96.15_usd, 192.30_usd, 288.45_usd, 384.60_usd, 769.20_usd, 1538.40_usd, 1923_usd},
                                      kOhRates, {0.78, 2.33, 5.44, 9.32, 27.95, 71.43, 96.28});
constexpr auto kOhS = makeBrackets<7>({208.33_usd, 416.66_usd, 624.99_usd, 833.32_usd, 1666.64_usd, 3333.28_usd, 4166.60_usd},
                                      kOhRates, {1.68, 5.05, 11.78, 20.19, 60.56, 154.78, 208.61});
constexpr auto kOhB = makeBrackets<7>({192.30_usd, 384.60_usd, 576.90_usd, 769.20_usd, 1538.40_usd, 3076.80_usd, 3846_usd},
                                      kOhRates, {1.55, 4.66, 10.87, 18.64, 55.90, 142.87, 192.56});
constexpr auto kOhM = makeBrackets<7>({416.66_usd, 833.32_usd, 1249.98_usd, 1666.64_usd, 3333.28_usd, 6666.56_usd, 8333.20_usd},
                                      kOhRates, {3.37, 10.10, 23.55, 40.38, 121.13, 309.53, 417.22});
constexpr FreqTables kOhio = {{{kOhW, kOhLowestRate}, {kOhS, kOhLowestRate}, {kOhB, kOhLowestRate}, {kOhM, kOhLowestRate}}};

// ---- West Virginia ---------------------------------------------------
constexpr ByFrequency<double> kWvExemption = {38.46, 83.33, 76.92, 166.67};
constexpr double kWvLowestRate = 0.03;
constexpr std::array<double, 4> kWvRates = {0.04, 0.045, 0.06, 0.065};
constexpr auto kWvW = makeBrackets<4>({192_usd, 481_usd, 769_usd, 1154_usd}, kWvRates, {5.76, 17.32, 30.28, 53.38});
constexpr auto kWvS = makeBrackets<4>({417_usd, 1042_usd, 1667_usd, 2500_usd}, kWvRates, {12.51, 37.51, 65.64, 115.62});
constexpr auto kWvB = makeBrackets<4>({385_usd, 962_usd, 1538_usd, 2308_usd}, kWvRates, {11.55, 34.63, 60.55, 106.75});
// The monthly table comes from the same annual schedule as the others
// (10,000, 25,000, 40,000 and 60,000 a year over 12 periods).
constexpr auto kWvM = makeBrackets<4>({833_usd, 2083_usd, 3333_usd, 5000_usd}, kWvRates, {24.99, 74.99, 131.24, 231.26});
constexpr FreqTables kWestVirginia = {{{kWvW, kWvLowestRate}, {kWvS, kWvLowestRate}, {kWvB, kWvLowestRate}, {kWvM, kWvLowestRate}}};

// Exemption = allowances x the per-allowance amount of the frequency.
void perAllowanceExemption(Pass& p, std::string_view state, const ByFrequency<double>& amount)
{
    PayRecord& r = p.r;
    if (!knownFrequency(r.HowOft)) return;
    const double each = amount[frequencyIndex(r.HowOft)];
    r.PersExmp = Currency::round(static_cast<double>(r.DepsNumber) * each);
    p.explain(r.PersExmp, state, " exemption ", r.DepsNumber, " x ", Currency::round(each));
}

// Ohio and West Virginia: one table per frequency.
void frequencyTable(Pass& p, std::string_view state, const FreqTables& tables)
{
    PayRecord& r = p.r;
    if (!haveFrequency(p, state)) return;
    const std::size_t f = frequencyIndex(r.HowOft);
    r.sTax = evaluate(p, traceName(p, state, " ", kFreqName[f]), tables[f], r.staxBase);
}

}  // namespace

void Utah(Pass& p)
{
    PayRecord& r = p.r;
    const std::size_t f = frequencyIndex(r.HowOft);
    Procedure proc(p.errors, "frmMain", "Utah");
    proc.run(
        [&] { p.setModified("January 1, 1999"); },
        [&] {
            if (!knownFrequency(r.HowOft)) return;
            // Formed wide: a large allowance count cannot overflow here.
            r.PersExmp = Currency::dollars(std::int64_t{r.DepsNumber} * kUtExemption[f]);
            p.explain(r.PersExmp, "Utah exemption ", r.DepsNumber, " x ", Currency::dollars(kUtExemption[f]));
        },
        [&] { StateBase(p); },
        [&] { taxableWages(p, "Utah"); },
        [&] {
            if (!haveFrequency(p, "Utah")) return;
            if (r.valMarried < 0 || r.valMarried > 2) {
                p.noTable("Utah", "marital status");
                return;
            }
            // Married withholding at the single rate uses the single table.
            const std::size_t status = r.valMarried == 0 ? 0 : 1;
            r.sTax = evaluate(p, traceName(p, "Utah ", kStatusName[status], " ", kFreqName[f]), kUtah[status][f],
                              r.staxBase);
        },
        [&] {
            const Currency exact = r.sTax;
            r.sTax = wholeDollarRound(r.sTax);
            if (r.sTax != exact) p.explain(r.sTax, "Rounded to whole dollars (halves to the even dollar)");
        },
        [&] { addAdditional(p); },
        [&] { floorAtZero(p); });
}

void DCTax(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "DCTax");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] { perAllowanceExemption(p, "District of Columbia", kDcExemption); },
        [&] { StateBase(p); },
        [&] { taxableWages(p, "District of Columbia"); },
        [&] {
            const int table = dcTable(r.intSMarried);
            if (table < 0) {
                p.noTable("District of Columbia", "filing status",
                          "Choose \"Single\", \"Married, claiming for both spouses (M)\" or \"Married Filing "
                          "Separately\" in Set State Options.");
                return;
            }
            if (!haveFrequency(p, "District of Columbia")) return;
            const std::size_t f = frequencyIndex(r.HowOft);
            const auto t = static_cast<std::size_t>(table);
            r.sTax = evaluate(p, traceName(p, "District of Columbia ", kDcTableName[t], " ", kFreqName[f]), kDc[t][f],
                              r.staxBase);
        },
        [&] { addAdditional(p); },
        [&] { floorAtZero(p); });
}

void Ohio(Pass& p)
{
    Procedure proc(p.errors, "frmMain", "Ohio");
    proc.run([&] { p.setModified("January 1, 1987"); },
             [&] { StateBase(p); },
             [&] { perAllowanceExemption(p, "Ohio", kOhExemption); },
             [&] { taxableWages(p, "Ohio"); },
             [&] { frequencyTable(p, "Ohio", kOhio); },
             [&] { addAdditional(p); },
             [&] { floorAtZero(p); });
}

void WestVirginia(Pass& p)
{
    Procedure proc(p.errors, "frmMain", "WestVirginia");
    proc.run([&] { p.setModified("July 1, 1997"); },
             [&] { perAllowanceExemption(p, "West Virginia", kWvExemption); },
             [&] { StateBase(p); },
             [&] { taxableWages(p, "West Virginia"); },
             [&] { frequencyTable(p, "West Virginia", kWestVirginia); },
             [&] { addAdditional(p); },
             [&] { floorAtZero(p); });
}

std::vector<CatalogTable> perPeriodVariantsCatalog()
{
    std::vector<CatalogTable> out;
    for (std::size_t f = 0; f < kFrequencyCount; ++f) {
        // Utah's bases are rounded to whole dollars, so they do not continue
        // the bracket below to the cent.
        for (std::size_t s = 0; s < 2; ++s)
            out.push_back({concat("Utah ", kStatusName[s], " ", kFreqName[f]), kUtah[s][f], false});
        for (std::size_t t = 0; t < 2; ++t)
            out.push_back({concat("District of Columbia ", kDcTableName[t], " ", kFreqName[f]), kDc[t][f], true});
        out.push_back({concat("Ohio ", kFreqName[f]), kOhio[f], true});
        out.push_back({concat("West Virginia ", kFreqName[f]), kWestVirginia[f], true});
    }
    return out;
}

}  // namespace wm
