// Annualized calculators: the period's state wages are turned into a year's,
// the state's yearly deductions come off, a yearly bracket table applies,
// and the yearly tax is divided back to one pay period. Alabama, Delaware,
// Maine, Minnesota, Mississippi, Iowa.
//
// Deductions of so much per allowance are formed wide (int64 / Currency), so
// any count the pay record can hold computes. Whole-dollar rounding is done
// on the amount itself, never through a 16-bit integer.

#include <array>

#include "record/input_limits.h"
#include "record/state_base.h"
#include "states/bracket.h"
#include "states/calculators.h"
#include "states/state_steps.h"
#include "states/table_catalog.h"

namespace wm {

namespace {

struct NamedTable {
    std::string_view name;  // "Maine single": explanation and catalog name
    BracketTable table;
};

// ---- Alabama ---------------------------------------------------------
// 2 % on the first bracket, then 4 % and 5 %.
constexpr Bracket kAlSingleRows[] = {{500_usd, 0.04, 10}, {3000_usd, 0.05, 110}};
constexpr Bracket kAlMarriedRows[] = {{1000_usd, 0.04, 20}, {6000_usd, 0.05, 220}};
constexpr NamedTable kAlSingle{"Alabama single", {kAlSingleRows, 0.02}};
constexpr NamedTable kAlMarried{"Alabama married", {kAlMarriedRows, 0.02}};

struct AlabamaStatus {
    Currency deductionLimit;  // the standard deduction is held to this
    Currency exemption;       // personal exemption
    const NamedTable* table;
};
// By filing status 1 to 5: (S) and (O) statuses use the single table.
constexpr std::array<AlabamaStatus, 5> kAlStatus = {{{2000_usd, 1500_usd, &kAlSingle},
                                                     {2000_usd, 0_usd, &kAlSingle},
                                                     {4000_usd, 3000_usd, &kAlMarried},
                                                     {2000_usd, 1500_usd, &kAlSingle},
                                                     {2000_usd, 0_usd, &kAlSingle}}};
constexpr double kAlStandardShare = 0.2;
constexpr Currency kAlPerDependent = 300_usd;

const AlabamaStatus* alabamaStatus(std::int16_t code)
{
    return code >= 1 && code <= 5 ? &kAlStatus[static_cast<std::size_t>(code - 1)] : nullptr;
}

// ---- Delaware --------------------------------------------------------
// An amount equal to a threshold is taxed in the bracket above it.
constexpr Bracket kDeRows[] = {{2000_usd, 0.022, 0},      {5000_usd, 0.039, 66},    {10000_usd, 0.048, 261},
                               {20000_usd, 0.052, 741},   {25000_usd, 0.0555, 1001}, {60000_usd, 0.0595, 2943.50}};
constexpr NamedTable kDelaware{"Delaware", {kDeRows, 0, Bound::Exclusive}};
constexpr Currency kDePerAllowanceCredit = 110_usd;

Currency delawareStandardDeduction(std::int16_t code)
{
    if (code == 0) return 6500_usd;
    if (code == 1 || code == 2) return 3250_usd;
    return Currency();
}

// ---- Maine -----------------------------------------------------------
// The top bracket starts at its threshold (exclusive bounds).
constexpr Bracket kMeMarriedRows[] = {
    {4350_usd, 0.02, 0}, {12600_usd, 0.045, 165}, {20850_usd, 0.07, 536}, {37350_usd, 0.085, 1691}};
constexpr Bracket kMeSingleRows[] = {
    {1450_usd, 0.02, 0}, {5600_usd, 0.045, 83}, {9700_usd, 0.07, 268}, {17950_usd, 0.085, 846}};
constexpr Bracket kMeTwoIncomesRows[] = {
    {2175_usd, 0.02, 0}, {6300_usd, 0.045, 83}, {10425_usd, 0.07, 268}, {18675_usd, 0.085, 846}};
constexpr std::array<NamedTable, 3> kMaine = {{{"Maine married", {kMeMarriedRows, 0, Bound::Exclusive}},
                                               {"Maine single", {kMeSingleRows, 0, Bound::Exclusive}},
                                               {"Maine married, two incomes", {kMeTwoIncomesRows, 0, Bound::Exclusive}}}};
constexpr Currency kMePerAllowance = 2850_usd;
constexpr Currency kMeMinimumTax = 40_usd;

// ---- Minnesota -------------------------------------------------------
constexpr Bracket kMnMarriedRows[] = {{4450_usd, 0.055, 0}, {29670_usd, 0.0725, 1387}, {104650_usd, 0.08, 6823}};
constexpr Bracket kMnSingleRows[] = {{1550_usd, 0.055, 0}, {18800_usd, 0.0725, 949}, {58220_usd, 0.08, 3807}};
constexpr NamedTable kMnMarried{"Minnesota married", {kMnMarriedRows}};
constexpr NamedTable kMnSingle{"Minnesota single", {kMnSingleRows}};
constexpr Currency kMnPerAllowance = 2750_usd;

// ---- Mississippi -----------------------------------------------------
// 3 % of any positive amount. The schedule starts its 3 % at one cent; an
// amount under a cent taxes to under 0.0004 a year, which the division and
// the whole-dollar rounding remove, so the two agree on every result.
constexpr Bracket kMsRows[] = {{0_usd, 0.03, 0}, {5000_usd, 0.04, 150}, {10000_usd, 0.05, 350}};
constexpr NamedTable kMississippi{"Mississippi", {kMsRows}};
constexpr Currency kMsPerExemption = 1500_usd;

struct MississippiStatus {
    std::int16_t code;
    Currency standard;          // stdDed
    Currency exemption;         // persExmpMiss
    bool spouseShare;           // the exemption is the "missPart" setting
};
constexpr std::array<MississippiStatus, 4> kMsStatus = {{{0, 2300_usd, 6000_usd, false},
                                                         {7, 4600_usd, kMississippiCoupleExemption, false},
                                                         {8, 2300_usd, Currency(), true},
                                                         {9, 3400_usd, 9500_usd, false}}};

// ---- Iowa ------------------------------------------------------------
constexpr Bracket kIaRows[] = {{1100_usd, 0.0072, 3.96},    {2150_usd, 0.0243, 11.52},  {4300_usd, 0.0486, 63.77},
                               {9750_usd, 0.0653, 328.64},  {16250_usd, 0.0698, 753.09}, {22000_usd, 0.0752, 1154.44},
                               {33000_usd, 0.0842, 1981.64}, {49000_usd, 0.0898, 3328.84}};
constexpr NamedTable kIowa{"Iowa", {kIaRows, 0.0036}};

// staxBase = Freq x state wages.
void annualWages(Pass& p)
{
    PayRecord& r = p.r;
    r.staxBase = stateWages(r) * r.Freq;
    p.explain(r.staxBase, "Annual state wages (", r.Freq, " pay periods)");
}

void roundToWholeDollars(Pass& p)
{
    p.r.sTax = wholeDollarRound(p.r.sTax);
    p.explain(p.r.sTax, "Rounded to whole dollars");
}

}  // namespace

void Alabama(Pass& p)
{
    PayRecord& r = p.r;
    const AlabamaStatus* status = alabamaStatus(r.intSMarried);
    // The standard deduction stays here: StateExmp is a state option.
    Currency standard;
    Currency FedDed;
    Procedure proc(p.errors, "frmMain", "Alabama");
    proc.run(
        [&] { StateBase(p); },
        [&] { annualWages(p); },
        [&] {
            standard = wholeDollarRound(Currency::round(r.staxBase.toDouble() * kAlStandardShare));
            p.explain(standard, "Alabama standard deduction ", Pct{kAlStandardShare}, " of the annual wages");
        },
        [&] {
            if (!status) return;
            if (standard > status->deductionLimit) {
                standard = status->deductionLimit;
                p.explain(standard, "Alabama standard deduction limited to ", status->deductionLimit);
            }
            r.PersExmp = status->exemption;
            p.explain(r.PersExmp, "Alabama personal exemption");
        },
        [&] {
            FedDed = r.fTax * r.Freq;
            p.explain(FedDed, "Annual federal withholding ", r.Freq, " x ", r.fTax);
        },
        [&] {
            r.DepDed = kAlPerDependent * r.StateDeps;
            if (r.StateDeps != 0) p.explain(r.DepDed, "Alabama dependents ", r.StateDeps, " x ", kAlPerDependent);
        },
        [&] {
            const Currency allDeduct = FedDed + r.PersExmp + standard + r.DepDed;
            r.staxBase = r.staxBase - allDeduct;
            p.explain(r.staxBase, "Alabama annual taxable amount");
        },
        [&] {
            if (!status) {
                p.noTable("Alabama", "state filing status", "Choose one in Set State Options.");
                return;
            }
            r.sTax = evaluate(p, status->table->name, status->table->table, r.staxBase);
        },
        [&] { r.sTax = periodShare(p, r.sTax, r.Freq); },
        [&] { period::addAdditional(p); },
        [&] { floorAtZeroOrBelow(p); });
}

void Delaware(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "Delaware");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] { StateBase(p); },
        [&] { annualWages(p); },
        [&] {
            const Currency StndExmp = delawareStandardDeduction(r.intSMarried);
            r.staxBase = r.staxBase - StndExmp;
            p.explain(StndExmp, "Delaware standard deduction (filing status ", r.intSMarried, ")");
        },
        [&] { r.sTax = evaluate(p, kDelaware.name, kDelaware.table, r.staxBase); },
        [&] {
            r.PersExmp = kDePerAllowanceCredit * r.DepsNumber;
            r.sTax = r.sTax - r.PersExmp;
            if (r.DepsNumber != 0)
                p.explain(r.PersExmp, "Delaware credit ", r.DepsNumber, " x ", kDePerAllowanceCredit);
        },
        [&] { r.sTax = periodShare(p, r.sTax, r.Freq); },
        [&] { period::addAdditional(p); },
        [&] { floorAtZeroOrBelow(p); });
}

void MaineTax(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "MaineTax");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] { StateBase(p); },
        [&] { annualWages(p); },
        [&] {
            const Currency deduction = kMePerAllowance * r.DepsNumber;
            r.staxBase = r.staxBase - deduction;
            p.explain(deduction, "Maine allowances ", r.DepsNumber, " x ", kMePerAllowance);
        },
        [&] {
            if (r.valMarried < 0 || r.valMarried > 2) {
                p.noTable("Maine", "marital status", "Choose one on the main calculator.");
                return;
            }
            const NamedTable& t = kMaine[static_cast<std::size_t>(r.valMarried)];
            r.sTax = evaluate(p, t.name, t.table, r.staxBase);
        },
        [&] {
            if (r.sTax > kMeMinimumTax) return;
            if (!r.sTax.isZero()) p.explain(Currency(), "Maine annual tax of ", kMeMinimumTax, " or less is not withheld");
            r.sTax = Currency();
        },
        [&] { r.sTax = periodShare(p, r.sTax, r.Freq); },
        [&] { roundToWholeDollars(p); },
        [&] { period::addAdditional(p); },
        [&] { floorAtZeroOrBelow(p); });
}

void Minnesota(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "Minnesota");
    proc.run(
        [&] { p.setModified("June 1, 1999"); },
        [&] { StateBase(p); },
        [&] { annualWages(p); },
        [&] {
            r.PersExmp = kMnPerAllowance * r.DepsNumber;
            r.staxBase = r.staxBase - r.PersExmp;
            p.explain(r.PersExmp, "Minnesota allowances ", r.DepsNumber, " x ", kMnPerAllowance);
        },
        // Married withholding at the single rate uses the single table.
        [&] {
            const NamedTable* t = r.valMarried == 0 ? &kMnMarried
                                  : (r.valMarried == 1 || r.valMarried == 2) ? &kMnSingle
                                                                              : nullptr;
            if (!t) {
                p.noTable("Minnesota", "marital status", "Choose one on the main calculator.");
                return;
            }
            r.sTax = evaluate(p, t->name, t->table, r.staxBase);
        },
        [&] { r.sTax = periodShare(p, r.sTax, r.Freq); },
        // The additional amount is rounded with the tax.
        [&] { period::addAdditional(p); },
        [&] { roundToWholeDollars(p); },
        [&] { period::floorAtZero(p); });
}

void Mississippi(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "Mississippi");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] {
            const MississippiStatus* status = nullptr;
            for (const MississippiStatus& s : kMsStatus)
                if (s.code == r.intSMarried) status = &s;
            if (!status) {
                p.note("Mississippi: no standard deduction or personal exemption for filing status ", r.intSMarried);
                return;
            }
            r.stdDed = status->standard;
            p.explain(r.stdDed, "Mississippi standard deduction");
            if (status->spouseShare) {
                // The part of the spouse exemption the employee claims; a
                // field left empty claims none.
                const std::string part = p.settings.get("StateInfo", "missPart", "0");
                r.persExmpMiss = isBlank(part) ? Currency() : toCurrency(part);
            } else {
                r.persExmpMiss = status->exemption;
            }
            p.explain(r.persExmpMiss, "Mississippi personal exemption");
        },
        [&] { StateBase(p); },
        [&] { annualWages(p); },
        [&] {
            r.PersExmp = kMsPerExemption * r.StateExmp;
            if (r.StateExmp != 0)
                p.explain(r.PersExmp, "Mississippi exemptions ", r.StateExmp, " x ", kMsPerExemption);
        },
        // The additional withholding comes off the annual amount here and is
        // added to the period's tax at the end.
        [&] {
            r.staxBase = r.staxBase - (r.stdDed + r.persExmpMiss + r.PersExmp + r.StateAdd);
            p.explain(r.staxBase, "Mississippi annual taxable amount");
        },
        [&] { r.sTax = evaluate(p, kMississippi.name, kMississippi.table, r.staxBase); },
        [&] { r.sTax = periodShare(p, r.sTax, r.Freq); },
        [&] { roundToWholeDollars(p); },
        [&] { period::addAdditional(p); },
        [&] { floorAtZeroOrBelow(p); });
}

void IowaTax(Pass& p)
{
    PayRecord& r = p.r;
    Currency PersCredit;
    Procedure proc(p.errors, "frmMain", "IowaTax");
    proc.run(
        [&] { p.setModified("January 1, 1998"); },
        [&] { StateBase(p); },
        // The federal withholding of the period comes off before annualizing.
        [&] {
            r.staxBase = stateWages(r) - r.fTax;
            const std::int16_t periods = periodsPerYear(r.HowOft);
            if (periods == 0) {
                p.explain(r.staxBase, "Iowa wages less federal withholding (no pay frequency to annualize by)");
                return;
            }
            r.staxBase = r.staxBase * periods;
            p.explain(r.staxBase, "Iowa annual wages less federal withholding (", periods, " pay periods)");
        },
        [&] {
            if (r.DepsNumber == 0 || r.DepsNumber == 1) r.PersExmp = 1500_usd;
            else if (r.DepsNumber >= 2 && r.DepsNumber <= 15) r.PersExmp = 3600_usd;
            else p.note("Iowa: no standard deduction for ", r.DepsNumber, " allowances");
            r.staxBase = r.staxBase - r.PersExmp;
            p.explain(r.PersExmp, "Iowa standard deduction");
        },
        [&] { r.sTax = evaluate(p, kIowa.name, kIowa.table, r.staxBase); },
        [&] {
            const std::int64_t n = r.DepsNumber;
            if (n >= 0 && n <= 2) PersCredit = Currency::dollars(20 * n);
            else if (n >= 3 && n <= 15) PersCredit = Currency::dollars(40 * (n - 2) + 40);
            if (!PersCredit.isZero()) p.explain(PersCredit, "Iowa allowance credit");
        },
        [&] { r.sTax = periodShare(p, r.sTax - PersCredit, r.Freq); },
        [&] { roundToWholeDollars(p); },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

std::vector<CatalogTable> annualizedCatalog()
{
    std::vector<CatalogTable> out;
    auto add = [&out](const NamedTable& t, bool continuous, bool wholeDollarBases) {
        out.push_back({std::string(t.name), t.table, continuous, wholeDollarBases});
    };
    add(kAlSingle, true, false);
    add(kAlMarried, true, false);
    add(kDelaware, true, false);
    add(kMaine[0], true, true);
    add(kMaine[1], true, true);
    // Its bases are the single table's, over thresholds 725 higher.
    add(kMaine[2], false, true);
    add(kMnMarried, true, true);
    add(kMnSingle, true, true);
    add(kMississippi, true, false);
    add(kIowa, true, false);
    return out;
}

}  // namespace wm
