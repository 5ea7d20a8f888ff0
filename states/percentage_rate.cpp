// One-rate calculators: the withholding is a single rate on the period's
// taxable amount (Arizona: a chosen share of the federal withholding), after
// the state's own exemptions. Nothing is annualized.
//
// Per-allowance amounts are given per pay frequency; products with a count
// are formed in double precision and currency-rounded, which is exact for
// whole-dollar amounts, so no count can overflow a 16-bit intermediate.

#include <array>

#include "record/state_base.h"
#include "states/calculators.h"
#include "states/state_steps.h"

namespace wm {

namespace {

using PerFrequency = ByFrequency<double>;

using period::knownFrequency;
std::size_t freqIndex(std::int16_t howOft) { return period::frequencyIndex(howOft); }

// ---- Michigan --------------------------------------------------------
constexpr PerFrequency kMiExemption = {55.77, 120.83, 111.54, 241.66};
constexpr double kMiRate = 0.042;
// Filing status 9 reads "Claimed as Dependent by Another" for Michigan.
constexpr std::int16_t kMiDependentOfAnother = 9;

// ---- Illinois --------------------------------------------------------
constexpr PerFrequency kIlPersonal = {38.46, 83.33, 76.92, 166.67};
constexpr PerFrequency kIlAdditional = {19.23, 41.67, 38.46, 83.33};
constexpr double kIlRate = 0.03;

// ---- Indiana ---------------------------------------------------------
constexpr PerFrequency kInPersonal = {19.23, 41.67, 38.46, 83.33};
constexpr PerFrequency kInDependent = {28.85, 62.50, 57.69, 125};
constexpr double kInRate = 0.034;

// ---- Massachusetts ---------------------------------------------------
// Exemption = perAllowance x allowances + fixed, by HowOft.
struct MaExemption {
    double perAllowance;
    double fixed;
};
constexpr ByFrequency<MaExemption> kMaExemption = {{{19.5, 65}, {42, 141}, {39, 130}, {83, 284}}};
constexpr ByFrequency<Currency> kMaHeadOfHousehold = {2.70_usd, 5.85_usd, 5.40_usd, 11.70_usd};
constexpr double kMaRate = 0.0585;
constexpr std::int16_t kMaHeadOfFamily = 9;

// ---- Louisiana -------------------------------------------------------
constexpr PerFrequency kLaExemption = {86.5375, 187, 173.0769, 375};
constexpr PerFrequency kLaDependent = {19.2307, 41.6666, 38.4615, 83.3333};
constexpr double kLaFirstRate = 0.02;
constexpr double kLaSecondRate = 0.01;

}  // namespace

void Arizona(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "Arizona");
    proc.run(
        [&] {
            // StateExmp holds the withholding percentage (10, 20, 22, 28, 32).
            r.sTax = Currency::round(r.fTax.toDouble() * (static_cast<double>(r.StateExmp) / 100.0));
            p.explain(r.sTax, "Arizona ", r.StateExmp, " % of the federal withholding ", r.fTax);
            if (r.StateExmp == 0)
                p.notice = "No Arizona withholding percentage is chosen. Choose one in Set State Options.";
        },
        [&] { period::addAdditional(p); },
        [&] { floorAtZeroOrBelow(p); });
}

void Penn(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "Penn");
    proc.run(
        [&] { StateBase(p); },
        [&] {
            r.sTax = Currency::round(stateWages(r).toDouble() * 0.028);
            p.explain(r.sTax, "Pennsylvania ", Pct{0.028}, " of the state wages");
        },
        [&] { period::addAdditional(p); },
        [&] { floorAtZeroOrBelow(p); });
}

void MichiganTax(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "MichiganTax");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] {
            if (!period::haveFrequency(p, "Michigan")) return;
            const double each = kMiExemption[freqIndex(r.HowOft)];
            r.PersExmp = Currency::round(static_cast<double>(r.DepsNumber) * each);
            p.explain(r.PersExmp, "Michigan exemption ", r.DepsNumber, " x ", each);
        },
        [&] {
            if (r.intSMarried != kMiDependentOfAnother) return;
            r.PersExmp = Currency();
            p.explain(r.PersExmp, "Michigan exemption: none when claimed as a dependent by another");
        },
        [&] { StateBase(p); },
        [&] {
            const Currency taxable = stateWages(r) - r.PersExmp;
            p.explain(taxable, "Michigan taxable wages");
            r.sTax = Currency::round(taxable.toDouble() * kMiRate);
            p.explain(r.sTax, "Michigan ", Pct{kMiRate}, " of the taxable wages");
        },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

void Illinois(Pass& p)
{
    PayRecord& r = p.r;
    Currency IllPersDeps;
    Procedure proc(p.errors, "frmMain", "Illinois");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] {
            if (!period::haveFrequency(p, "Illinois")) return;
            const std::size_t f = freqIndex(r.HowOft);
            r.PersExmp = Currency::round(static_cast<double>(r.StateDeps) * kIlPersonal[f]);
            p.explain(r.PersExmp, "Illinois exemption ", r.StateDeps, " x ", kIlPersonal[f]);
            IllPersDeps = Currency::round(static_cast<double>(r.ILINDeps) * kIlAdditional[f]);
            p.explain(IllPersDeps, "Illinois additional exemption ", r.ILINDeps, " x ", kIlAdditional[f]);
        },
        [&] { StateBase(p); },
        [&] {
            r.staxBase = stateWages(r) - (r.PersExmp + IllPersDeps);
            p.explain(r.staxBase, "Illinois taxable wages");
        },
        [&] {
            r.sTax = Currency::round(r.staxBase.toDouble() * kIlRate);
            p.explain(r.sTax, "Illinois ", Pct{kIlRate}, " of the taxable wages");
        },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

void IndianaTax(Pass& p)
{
    PayRecord& r = p.r;
    Currency INPersDeps;
    Procedure proc(p.errors, "frmMain", "IndianaTax");
    proc.run(
        [&] { p.setModified("July 1, 1999"); },
        [&] {
            if (!period::haveFrequency(p, "Indiana")) return;
            const std::size_t f = freqIndex(r.HowOft);
            r.PersExmp = Currency::round(static_cast<double>(r.StateDeps) * kInPersonal[f]);
            p.explain(r.PersExmp, "Indiana exemption ", r.StateDeps, " x ", kInPersonal[f]);
            INPersDeps = Currency::round(static_cast<double>(r.ILINDeps) * kInDependent[f]);
            p.explain(INPersDeps, "Indiana dependent exemption ", r.ILINDeps, " x ", kInDependent[f]);
        },
        [&] {
            StateBase(p);
            r.staxBase = stateWages(r);
        },
        // The dependent exemption lowers the taxable amount like the personal one.
        [&] {
            const Currency taxable = r.staxBase - r.PersExmp - INPersDeps;
            p.explain(taxable, "Indiana taxable wages");
            r.sTax = Currency::round(taxable.toDouble() * kInRate);
            p.explain(r.sTax, "Indiana ", Pct{kInRate}, " of the taxable wages");
        },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

void Massachusetts(Pass& p)
{
    PayRecord& r = p.r;
    // A married filer's state dependents count as allowances, and the pay
    // record keeps the raised count (the statement shows it). The count is
    // raised from what was claimed: a pass of the raise tool runs on the
    // record of the last Calculate command, so it starts again from the
    // exemptions list instead of adding the dependents a second time.
    std::int64_t allowances = r.DepsNumber;
    Currency HHDep;
    Procedure proc(p.errors, "frmMain", "Massachusetts");
    proc.run(
        [&] { p.setModified("January 1, 2000"); },
        [&] { r.StateDeps = toInt16(p.settings.get("StateInfo", "staDeps", "0")); },
        [&] {
            if (r.valMarried != 0) return;
            const std::int16_t claimed = r.TaxOrigan == 1 ? toInt16(p.in.exemptions) : r.DepsNumber;
            allowances = static_cast<std::int64_t>(claimed) + r.StateDeps;
            r.DepsNumber = narrow16(allowances);
            p.note("Massachusetts allowances: ", claimed, " claimed + ", r.StateDeps, " state dependents");
        },
        [&] {
            if (!period::haveFrequency(p, "Massachusetts")) return;
            const std::size_t f = freqIndex(r.HowOft);
            const MaExemption& e = kMaExemption[f];
            r.PersExmp = Currency::round(static_cast<double>(allowances) * e.perAllowance + e.fixed);
            p.explain(r.PersExmp, "Massachusetts exemption ", allowances, " x ", e.perAllowance, " + ", e.fixed);
            HHDep = kMaHeadOfHousehold[f];
        },
        [&] { StateBase(p); },
        [&] {
            r.staxBase = stateWages(r) - r.amtFICA - r.PersExmp;
            p.explain(r.staxBase, "Massachusetts taxable wages (less FICA ", r.amtFICA, " and the exemption)");
        },
        [&] {
            if (r.intSMarried != kMaHeadOfFamily) HHDep = Currency();
        },
        [&] {
            const Currency atRate = Currency::round(r.staxBase.toDouble() * kMaRate);
            p.explain(atRate, "Massachusetts ", Pct{kMaRate}, " of the taxable wages");
            r.sTax = atRate - HHDep;
            if (!HHDep.isZero()) p.explain(HHDep, "Head of household deduction");
        },
        [&] { period::addAdditional(p); },
        [&] { floorAtZeroOrBelow(p); });
}

void Louisiana(Pass& p)
{
    PayRecord& r = p.r;
    Currency staxPart1;
    Currency staxPart2;
    Procedure proc(p.errors, "frmMain", "Louisiana");
    proc.run(
        [&] { p.setModified("January 1, 1998"); },
        [&] {
            if (!period::haveFrequency(p, "Louisiana")) return;
            const std::size_t f = freqIndex(r.HowOft);
            r.PersExmp = Currency::round(static_cast<double>(r.StateExmp) * kLaExemption[f]);
            p.explain(r.PersExmp, "Louisiana exemption ", r.StateExmp, " x ", kLaExemption[f]);
            r.stdDed = Currency::round(static_cast<double>(r.StateDeps) * kLaDependent[f]);
            p.explain(r.stdDed, "Louisiana dependents ", r.StateDeps, " x ", kLaDependent[f]);
        },
        [&] { StateBase(p); },
        [&] {
            r.staxBase = stateWages(r) - (r.PersExmp + r.stdDed);
            p.explain(r.staxBase, "Louisiana taxable wages");
        },
        [&] {
            staxPart1 = Currency::round(r.staxBase.toDouble() * kLaFirstRate);
            p.explain(staxPart1, "Louisiana ", Pct{kLaFirstRate}, " of the taxable wages");
        },
        // The second rate starts above a yearly amount by exemption count;
        // other counts keep the per-period exemption.
        [&] {
            double yearly = 0;
            if (r.StateExmp == 0 || r.StateExmp == 1) yearly = 5000;
            else if (r.StateExmp == 2) yearly = 15000;
            else return;
            if (r.Freq == 0) raise(err::kDivisionByZero);
            r.PersExmp = Currency::round(yearly / static_cast<double>(r.Freq));
            p.explain(r.PersExmp, "Louisiana second-rate exclusion ", yearly, " over ", r.Freq, " pay periods");
        },
        [&] {
            staxPart2 = Currency::round((r.staxBase - r.PersExmp).toDouble() * kLaSecondRate);
            if (staxPart2 < Currency()) staxPart2 = Currency();
            p.explain(staxPart2, "Louisiana ", Pct{kLaSecondRate}, " of the taxable wages over the exclusion");
        },
        [&] { r.sTax = staxPart1 + staxPart2; },
        [&] { period::addAdditional(p); },
        [&] { period::floorAtZero(p); });
}

}  // namespace wm
