// Oklahoma and North Dakota.
//
// Oklahoma annualizes the state wages, caps them at 22,560, allows a
// standard deduction, an allowance for each state exemption and an estimate
// of federal tax, applies the annual table of the state filing status, adds
// a flat 6.75 % on the wages above the cap and returns whole dollars for one
// pay period. North Dakota withholds 14 % of the federal withholding.

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

// 0.5 % up to the first threshold in both tables.
constexpr double kOkLowest = 0.005;
constexpr Bracket kOkSingleRows[] = {{1000_usd, 0.01, 5},       {2500_usd, 0.02, 20},    {3750_usd, 0.03, 45},
                                     {4900_usd, 0.04, 79.50},   {6100_usd, 0.05, 127.50}, {7500_usd, 0.06, 197.50},
                                     {9000_usd, 0.07, 287.50},  {10500_usd, 0.08, 392.50}, {12500_usd, 0.09, 552.50},
                                     {16000_usd, 0.10, 867.50}};
constexpr Bracket kOkMarriedRows[] = {{2000_usd, 0.01, 10},     {5000_usd, 0.02, 40},     {7500_usd, 0.03, 90},
                                      {8900_usd, 0.04, 132},    {10400_usd, 0.05, 192},   {12000_usd, 0.06, 272},
                                      {13250_usd, 0.07, 347},   {15000_usd, 0.08, 469.50}, {18000_usd, 0.09, 709.50}};
constexpr BracketTable kOkSingle{kOkSingleRows, kOkLowest};
constexpr BracketTable kOkMarried{kOkMarriedRows, kOkLowest};
// A married employee whose spouse also works: the single table, the whole
// bracket amount (lowest bracket included) times 1.16.
constexpr BracketTable kOkSpouseEmployed{kOkSingleRows, kOkLowest, Bound::Inclusive, Form::Marginal, 1.16};

constexpr Currency kOkCap = 22560_usd;
constexpr double kOkSurtaxRate = 0.0675;

struct OklahomaStatus {
    std::int16_t code;
    Currency federalFloor;  // K: taken off before the federal estimate
    const BracketTable& table;
    std::string_view tableName;
};
constexpr std::array<OklahomaStatus, 3> kOkStatus = {{
    {0, 4400_usd, kOkSingle, "Oklahoma single"},                     // "Single"
    {3, 7350_usd, kOkMarried, "Oklahoma married"},                   // "Married, claiming for both spouses (M)"
    {8, 4400_usd, kOkSpouseEmployed, "Oklahoma single, spouse employed"},  // "Married. Spouse IS employed."
}};

const OklahomaStatus* oklahomaStatus(std::int16_t code)
{
    for (const OklahomaStatus& s : kOkStatus)
        if (s.code == code) return &s;
    return nullptr;
}

// 15 % of the annual wages, at least 1,000 and at most 2,000.
void oklahomaStandardDeduction(Pass& p)
{
    PayRecord& r = p.r;
    r.stdDed = Currency::round(r.staxBase.toDouble() * 0.15);
    if (r.stdDed < 1000_usd) r.stdDed = 1000_usd;
    if (r.stdDed > 2000_usd) r.stdDed = 2000_usd;
    p.explain(r.stdDed, "Oklahoma standard deduction (15 %, from 1,000 to 2,000)");
}

}  // namespace

void Oklahoma(Pass& p)
{
    PayRecord& r = p.r;
    const OklahomaStatus* status = oklahomaStatus(r.intSMarried);
    Currency staxBaseHold;    // annual wages above the cap
    Currency federalAllowance;
    Procedure proc(p.errors, "frmMain", "Oklahoma");
    proc.locals([&] { return VarList{"staxBaseHold", formatPlain(staxBaseHold)}; });
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] { StateBase(p); },
        [&] {
            r.staxBase = stateWages(r) * r.Freq;
            p.explain(r.staxBase, "Oklahoma annual wages (", r.Freq, " pay periods)");
        },
        [&] {
            if (r.staxBase > kOkCap) {
                staxBaseHold = r.staxBase - kOkCap;
                r.staxBase = kOkCap;
                p.explain(staxBaseHold, "Oklahoma annual wages above ", kOkCap);
            } else {
                staxBaseHold = Currency();
            }
        },
        [&] { oklahomaStandardDeduction(p); },
        // The exemption products are formed wide: no 16-bit count overflows.
        [&] {
            if (!status) return;
            const Currency estimate = r.staxBase - Currency::dollars(2800 * static_cast<std::int64_t>(r.StateDeps)) -
                                      status->federalFloor;
            federalAllowance = Currency::round(estimate.toDouble() * 0.15);
            p.explain(federalAllowance, "Oklahoma federal tax allowance: 15 % of (wages - 2,800 x ", r.StateDeps, " - ",
                      status->federalFloor, ")");
        },
        [&] {
            if (!status) return;
            const Currency exemptions = Currency::dollars(1000 * static_cast<std::int64_t>(r.StateDeps));
            r.staxBase = r.staxBase - r.stdDed - exemptions - federalAllowance;
            if (!exemptions.isZero()) p.explain(exemptions, "Oklahoma exemptions 1,000 x ", r.StateDeps);
            p.explain(r.staxBase, "Oklahoma annual taxable wages");
        },
        [&] {
            if (status) r.sTax = evaluate(p, status->tableName, status->table, r.staxBase);
            else period::noStatusTable(p, "Oklahoma", "state filing status");
        },
        [&] {
            const Currency surtax = Currency::round(staxBaseHold.toDouble() * kOkSurtaxRate);
            r.sTax = r.sTax + surtax;
            if (!surtax.isZero()) p.explain(surtax, "Oklahoma 6.75 % of the wages above ", kOkCap);
        },
        [&] { r.sTax = periodShare(p, r.sTax, r.Freq); },
        [&] { roundToDollars(p); },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

void NorthDakota(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "NorthDakota");
    proc.run(
        [&] {
            r.sTax = Currency::round(r.fTax.toDouble() * 0.14);
            p.explain(r.sTax, "North Dakota: 14 % of the federal withholding");
        },
        [&] {
            period::addAdditional(p);
            period::floorAtZero(p);
        });
}

std::vector<CatalogTable> oklahomaNorthDakotaCatalog()
{
    return {{"Oklahoma single", kOkSingle, true}, {"Oklahoma married", kOkMarried, true}};
}

}  // namespace wm
