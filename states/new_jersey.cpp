// New Jersey: per-period tables on one pay period's wages, chosen by the
// withholding rate letter (Rate A to E) instead of the marital status.
//
//   1. allowance amount = state allowances x the per-allowance amount
//   2. state taxable = state wages - allowance amount
//   3. bracket amount from the table of the rate and the frequency; 1.5 %
//      up to the first threshold, a threshold itself taxed in the bracket
//      below it
//   4. + additional withholding; below zero becomes zero (four decimals kept)

#include "record/pass_context.h"
#include "record/state_base.h"
#include "states/bracket.h"
#include "states/calculators.h"
#include "states/period_steps.h"
#include "states/state_steps.h"
#include "states/table_catalog.h"

namespace wm {

namespace {

constexpr std::array<const char*, 5> kRateName = {"Rate A", "Rate B", "Rate C", "Rate D", "Rate E"};

constexpr ByFrequency<Currency> kAllowance = {19.20_usd, 41.60_usd, 38.40_usd, 83.30_usd};

// B(1) is 1.5 % of T(1): the lowest bracket runs at 1.5 % up to it.
constexpr std::array<double, 4> kRatesA = {0.02, 0.039, 0.061, 0.07};
constexpr std::array<double, 5> kRatesB = {0.02, 0.027, 0.039, 0.061, 0.07};
constexpr std::array<double, 5> kRatesC = {0.023, 0.028, 0.035, 0.056, 0.066};
constexpr std::array<double, 5> kRatesD = {0.027, 0.034, 0.043, 0.056, 0.065};
constexpr std::array<double, 3> kRatesE = {0.02, 0.058, 0.065};

constexpr auto kAW = makeBrackets<4>({384_usd, 673_usd, 769_usd, 1442_usd}, kRatesA, {5.76, 11.54, 15.28, 56.34});
constexpr auto kAS = makeBrackets<4>({833_usd, 1458_usd, 1666_usd, 3125_usd}, kRatesA, {12.50, 25.00, 33.11, 122.11});
constexpr auto kAB = makeBrackets<4>({769_usd, 1346_usd, 1538_usd, 2884_usd}, kRatesA, {11.54, 23.08, 30.56, 112.67});
constexpr auto kAM = makeBrackets<4>({1666_usd, 2916_usd, 3333_usd, 6250_usd}, kRatesA, {24.99, 49.99, 66.25, 244.19});

constexpr auto kBW = makeBrackets<5>({384_usd, 961_usd, 1346_usd, 1538_usd, 2884_usd}, kRatesB, {5.76, 17.30, 27.70, 35.18, 117.29});
constexpr auto kBS = makeBrackets<5>({833_usd, 2083_usd, 2916_usd, 3333_usd, 6250_usd}, kRatesB, {12.50, 37.50, 59.99, 76.25, 254.19});
constexpr auto kBB = makeBrackets<5>({769_usd, 1923_usd, 2692_usd, 3076_usd, 5769_usd}, kRatesB, {11.54, 34.62, 55.38, 70.35, 234.63});
constexpr auto kBM = makeBrackets<5>({1666_usd, 4166_usd, 5833_usd, 6666_usd, 12500_usd}, kRatesB, {24.99, 74.99, 120.00, 152.49, 508.36});

constexpr auto kCW = makeBrackets<5>({384_usd, 769_usd, 961_usd, 1153_usd, 2884_usd}, kRatesC, {5.76, 14.62, 19.99, 26.71, 123.65});
constexpr auto kCS = makeBrackets<5>({833_usd, 1666_usd, 2083_usd, 2500_usd, 6250_usd}, kRatesC, {12.50, 31.65, 43.33, 57.93, 267.93});
constexpr auto kCB = makeBrackets<5>({769_usd, 1538_usd, 1923_usd, 2307_usd, 5769_usd}, kRatesC, {11.54, 29.22, 40.00, 53.44, 247.31});
constexpr auto kCM = makeBrackets<5>({1666_usd, 3333_usd, 4166_usd, 5000_usd, 12500_usd}, kRatesC, {24.99, 63.33, 86.66, 115.85, 535.85});

constexpr auto kDW = makeBrackets<5>({384_usd, 769_usd, 961_usd, 1153_usd, 2884_usd}, kRatesD, {5.76, 16.16, 22.68, 30.94, 127.88});
constexpr auto kDS = makeBrackets<5>({833_usd, 1666_usd, 2083_usd, 2500_usd, 6250_usd}, kRatesD, {12.50, 34.99, 49.16, 67.10, 277.10});
constexpr auto kDB = makeBrackets<5>({769_usd, 1538_usd, 1923_usd, 2307_usd, 5769_usd}, kRatesD, {11.54, 32.30, 45.39, 61.90, 255.77});
constexpr auto kDM = makeBrackets<5>({1666_usd, 3333_usd, 4166_usd, 5000_usd, 12500_usd}, kRatesD, {24.99, 70.00, 98.32, 134.18, 554.18});

constexpr auto kEW = makeBrackets<3>({384_usd, 673_usd, 1923_usd}, kRatesE, {5.76, 11.54, 84.04});
constexpr auto kES = makeBrackets<3>({833_usd, 1458_usd, 4166_usd}, kRatesE, {12.50, 25.00, 182.06});
constexpr auto kEB = makeBrackets<3>({769_usd, 1346_usd, 3846_usd}, kRatesE, {11.54, 23.08, 168.08});
constexpr auto kEM = makeBrackets<3>({1666_usd, 2916_usd, 8333_usd}, kRatesE, {24.99, 49.99, 364.18});

constexpr BracketTable table(std::span<const Bracket> rows) { return {rows, 0.015, Bound::Inclusive, Form::Marginal}; }

// [StateRate][HowOft]
constexpr std::array<ByFrequency<BracketTable>, 5> kTables = {{
    {{table(kAW), table(kAS), table(kAB), table(kAM)}},
    {{table(kBW), table(kBS), table(kBB), table(kBM)}},
    {{table(kCW), table(kCS), table(kCB), table(kCM)}},
    {{table(kDW), table(kDS), table(kDB), table(kDM)}},
    {{table(kEW), table(kES), table(kEB), table(kEM)}},
}};

}  // namespace

void NewJersey(Pass& p)
{
    PayRecord& r = p.r;
    const bool knownFreq = period::knownFrequency(r.HowOft);
    const std::size_t f = period::frequencyIndex(r.HowOft);
    Procedure proc(p.errors, "frmMain", "NewJersey");
    proc.run(
        [&] { p.setModified("January 1, 1996"); },
        [&] {
            if (!knownFreq) return;
            r.PersExmp = Currency::round(static_cast<double>(r.StateDeps) * kAllowance[f].toDouble());
            if (r.StateDeps != 0) p.explain(r.PersExmp, "New Jersey allowances ", r.StateDeps, " x ", kAllowance[f]);
        },
        [&] { StateBase(p); },
        [&] { period::taxableWages(p, "New Jersey"); },
        [&] {
            if (r.StateRate < 0 || r.StateRate > 4) {
                p.noTable("New Jersey", "rate", "Choose Rate A to E in Set State Options.");
                return;
            }
            if (!knownFreq) {
                p.noTable("New Jersey", "pay frequency", "Choose the pay frequency on the calculator.");
                return;
            }
            const auto code = static_cast<std::size_t>(r.StateRate);
            const std::string name = period::traceName(p, "New Jersey ", kRateName[code], " ", period::kFreqName[f]);
            r.sTax = evaluate(p, name, kTables[code][f], r.staxBase);
        },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

std::vector<CatalogTable> newJerseyCatalog()
{
    std::vector<CatalogTable> out;
    for (std::size_t code = 0; code < kTables.size(); ++code)
        for (std::size_t f = 0; f < kFrequencyCount; ++f)
            out.push_back({concat("New Jersey ", kRateName[code], " ", period::kFreqName[f]), kTables[code][f], true});
    return out;
}

}  // namespace wm
