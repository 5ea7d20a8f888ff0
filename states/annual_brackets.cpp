// Annual bracket calculators: Virginia, Kentucky, Arkansas, South Carolina
// and Wisconsin turn one period's state wages into a year's, apply annual
// brackets and bring the tax back to one period.
//
//   1. annual wages = state wages x periods per year
//   2. - the state's deductions
//   3. annual tax from the brackets, - the state's credits
//   4. / periods per year, + additional withholding, not below 0
//
// Deductions and credits that are not working fields of the pay record stay
// local to the calculator.

#include "record/pass_context.h"
#include "record/state_base.h"
#include "states/bracket.h"
#include "states/calculators.h"
#include "states/state_steps.h"
#include "states/table_catalog.h"

namespace wm {

namespace {

void annualWages(Pass& p, std::string_view state, std::int64_t periods)
{
    p.r.staxBase = stateWages(p.r) * periods;
    p.explain(p.r.staxBase, state, " annual wages (", periods, " pay periods)");
}

// Annual tax over the pay periods of the year.
void annualTaxToPeriod(Pass& p) { p.r.sTax = periodShare(p, p.r.sTax, p.r.Freq); }

// $20 a year for each allowance (Kentucky, Arkansas, Wisconsin).
Currency allowanceCredit(std::int16_t allowances) { return Currency::dollars(20 * static_cast<std::int64_t>(allowances)); }

// ---- Virginia --------------------------------------------------------
constexpr Bracket kVaRows[] = {{3000_usd, 0.03, 60}, {5000_usd, 0.05, 120}, {17000_usd, 0.0575, 720}};
constexpr BracketTable kVirginia{kVaRows, 0.02};

// ---- Kentucky --------------------------------------------------------
constexpr Bracket kKyRows[] = {{3000_usd, 0.03, 60}, {4000_usd, 0.04, 90}, {5000_usd, 0.05, 130}, {8000_usd, 0.06, 280}};
constexpr BracketTable kKentucky{kKyRows, 0.02};
// The 5 % bracket starts at 5,000 itself, the others just above their
// threshold. Both brackets give 130 at 5,000, so only the bracket named
// differs; the same rows read with that one test.
constexpr BracketTable kKentuckyAt5000{kKyRows, 0.02, Bound::Exclusive};

// ---- Arkansas --------------------------------------------------------
constexpr Bracket kArRows[] = {{3000_usd, 0.025, 30},   {6000_usd, 0.035, 105},  {9000_usd, 0.045, 210},
                               {15000_usd, 0.06, 480}, {25000_usd, 0.07, 1080}};
constexpr BracketTable kArkansas{kArRows, 0.01};

// ---- South Carolina --------------------------------------------------
// Subtractive form: rate x the whole amount, less the amount in `base`.
constexpr Bracket kScRows[] = {{2000_usd, 0.03, 20},  {4000_usd, 0.04, 60},   {6000_usd, 0.05, 120},
                               {8000_usd, 0.06, 200}, {10000_usd, 0.07, 300}};
constexpr BracketTable kSCarolina{kScRows, 0.02, Bound::Inclusive, Form::Subtractive};

// ---- Wisconsin -------------------------------------------------------
// An amount equal to a threshold belongs to the bracket above. The bases
// include the phase-out of the standard deduction, so they climb faster than
// the rates: each bracket adds about a fifth (married) or an eighth (single)
// more than its rate alone.
constexpr std::array<double, 12> kWiMarriedRates = {0.049,  0.049,  0.0655, 0.0655, 0.0655, 0.0693,
                                                   0.0693, 0.0693, 0.0693, 0.0693, 0.0693, 0.0693};
// The base at 12,000 is 368: 250 + 1.2 x 4.9 % of 2,000 = 367.60 from the
// bracket below, 525 - 1.2 x 6.55 % of 2,000 = 367.80 from the one above.
// A printed 638 (its digits swapped) would withhold $244 a year less at
// 14,000 than just below it.
constexpr auto kWiMarried = makeBrackets<12>({5100_usd, 10000_usd, 12000_usd, 14000_usd, 16000_usd, 18500_usd, 21000_usd,
                                              24000_usd, 27000_usd, 30000_usd, 33000_usd, 35500_usd},
                                             kWiMarriedRates,
                                             {0, 250, 368, 525, 685, 883, 1094, 1344, 1593, 1843, 2089, 2279});
constexpr std::array<double, 15> kWiSingleRates = {0.049,  0.049,  0.0655, 0.0655, 0.0655, 0.0693, 0.0693, 0.0693,
                                                  0.0693, 0.0693, 0.0693, 0.0693, 0.0693, 0.0693, 0.0693};
constexpr auto kWiSingle = makeBrackets<15>({3900_usd, 7500_usd, 11000_usd, 13200_usd, 15400_usd, 17700_usd, 20000_usd,
                                             22500_usd, 25000_usd, 27500_usd, 30000_usd, 32500_usd, 35000_usd, 37500_usd,
                                             40000_usd},
                                            kWiSingleRates,
                                            {0, 187, 377, 539, 701, 870, 1049, 1243, 1437, 1631, 1825, 2020, 2214, 2408, 2591});
// Below the first threshold 2.55 % is withheld only from an employee who
// claims no allowance.
constexpr double kWiNoAllowanceRate = 0.0255;
constexpr std::array<BracketTable, 2> kWisconsin = {{{kWiMarried, 0, Bound::Exclusive}, {kWiSingle, 0, Bound::Exclusive}}};

}  // namespace

void Virginia(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "Virginia");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] { StateBase(p); },
        [&] { annualWages(p, "Virginia", r.Freq); },
        [&] {
            // 16-bit allowances, formed wide: no count overflows it.
            const Currency deduction = Currency::dollars(600 * static_cast<std::int64_t>(r.DepsNumber) + 650);
            r.staxBase = r.staxBase - deduction;
            p.explain(deduction, "Virginia exemptions 600 x ", r.DepsNumber, " + 650");
            p.explain(r.staxBase, "Virginia annual taxable wages");
        },
        [&] { r.sTax = evaluate(p, "Virginia", kVirginia, r.staxBase); },
        [&] { annualTaxToPeriod(p); },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

void Kentucky(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "Kentucky");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] { StateBase(p); },
        [&] { annualWages(p, "Kentucky", r.Freq); },
        [&] {
            r.staxBase = r.staxBase - 1700_usd;
            p.explain(1700_usd, "Kentucky standard deduction");
            p.explain(r.staxBase, "Kentucky annual taxable wages");
        },
        [&] { r.sTax = evaluate(p, "Kentucky", r.staxBase == 5000_usd ? kKentuckyAt5000 : kKentucky, r.staxBase); },
        [&] {
            const Currency credit = allowanceCredit(r.DepsNumber);
            r.sTax = r.sTax - credit;
            if (!credit.isZero()) p.explain(-credit, "Kentucky credit 20 x ", r.DepsNumber, " allowances");
        },
        [&] { annualTaxToPeriod(p); },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

void Arkansas(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "Arkansas");
    proc.run(
        [&] { StateBase(p); },
        // The year follows the pay frequency; an unknown one leaves the
        // period's wages as they are.
        [&] {
            const std::int16_t periods = period::knownFrequency(r.HowOft) ? periodsPerYear(r.HowOft) : 1;
            annualWages(p, "Arkansas", periods);
        },
        [&] {
            r.staxBase = r.staxBase - 2000_usd;
            p.explain(2000_usd, "Arkansas standard deduction");
            p.explain(r.staxBase, "Arkansas annual taxable wages");
        },
        [&] { r.sTax = evaluate(p, "Arkansas", kArkansas, r.staxBase); },
        [&] {
            r.DepDed = allowanceCredit(r.DepsNumber);
            if (!r.DepDed.isZero()) p.explain(-r.DepDed, "Arkansas credit 20 x ", r.DepsNumber, " allowances");
        },
        // Only the allowance credit comes off: the standard deduction was
        // already taken from the wages.
        [&] { r.sTax = r.sTax - r.DepDed; },
        [&] {
            annualTaxToPeriod(p);
            period::addAdditional(p);
        },
        [&] { period::floorAtZero(p); });
}

void SCarolina(Pass& p)
{
    PayRecord& r = p.r;
    // Exemptions claimed on the main calculator. Kept here rather than in
    // the state dependents field, which belongs to the state options.
    std::int16_t exemptions = 0;
    Procedure proc(p.errors, "frmMain", "SCarolina");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] { exemptions = toInt16(p.in.exemptions); },
        [&] { StateBase(p); },
        [&] { annualWages(p, "South Carolina", r.Freq); },
        [&] { r.stdDed = Currency::round(r.staxBase.toDouble() * 0.10); },
        [&] {
            if (exemptions == 0) {
                r.PersExmp = Currency();
                r.stdDed = Currency();
            } else if (exemptions > 0) {
                r.PersExmp = Currency::dollars(2300 * static_cast<std::int64_t>(exemptions));
                if (r.stdDed > 2600_usd) r.stdDed = 2600_usd;
            }
            // A negative count leaves 10 % of the wages and no exemption.
            p.explain(r.stdDed, "South Carolina standard deduction",
                      exemptions == 0  ? " (none without an exemption)"
                      : exemptions > 0 ? " (10 % of the wages, at most 2,600)"
                                       : " (10 % of the wages)");
            if (!r.PersExmp.isZero()) p.explain(r.PersExmp, "South Carolina exemptions 2,300 x ", exemptions);
        },
        [&] {
            r.staxBase = r.staxBase - (r.stdDed + r.PersExmp);
            p.explain(r.staxBase, "South Carolina annual taxable wages");
        },
        [&] { r.sTax = evaluate(p, "South Carolina", kSCarolina, r.staxBase); },
        [&] { annualTaxToPeriod(p); },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

void Wisconsin(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "Wisconsin");
    proc.run(
        [&] { StateBase(p); },
        [&] { annualWages(p, "Wisconsin", r.Freq); },
        [&] {
            // Married withholding at the single rate uses the single table.
            const int status = r.valMarried == 0 ? 0 : (r.valMarried == 1 || r.valMarried == 2) ? 1 : -1;
            if (status < 0) {
                p.noTable("Wisconsin", "marital status", "Choose Married or Single on the main calculator.");
                return;
            }
            BracketTable t = kWisconsin[static_cast<std::size_t>(status)];
            if (r.DepsNumber == 0) t.lowestRate = kWiNoAllowanceRate;
            r.sTax = evaluate(p, status == 0 ? "Wisconsin married" : "Wisconsin single", t, r.staxBase);
        },
        [&] {
            const Currency credit = allowanceCredit(r.DepsNumber);
            r.sTax = r.sTax - credit;
            if (!credit.isZero()) p.explain(-credit, "Wisconsin credit 20 x ", r.DepsNumber, " allowances");
        },
        [&] { annualTaxToPeriod(p); },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

std::vector<CatalogTable> annualBracketsCatalog()
{
    // Wisconsin's bases carry its deduction phase-out and do not continue
    // the bracket below at the rate alone.
    return {{"Virginia", kVirginia, true},
            {"Kentucky", kKentucky, true},
            {"Arkansas", kArkansas, true},
            {"South Carolina", kSCarolina, true},
            {"Wisconsin married", kWisconsin[0], false},
            {"Wisconsin single", kWisconsin[1], false}};
}

}  // namespace wm
