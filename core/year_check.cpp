#include "core/year_check.h"

#include <algorithm>
#include <array>

namespace wm {

namespace {

__extension__ typedef __int128 Wide;

constexpr std::size_t index(FilingStatus f) { return static_cast<std::size_t>(f); }

// Tax year 2000 (Form 1040 instructions, Pub 17), by filing status in the
// order Single, Joint, Separate, Head.
constexpr std::array<std::array<Currency, 4>, 4> kScheduleOver = {{
    {26250_usd, 63550_usd, 132600_usd, 288350_usd},
    {43850_usd, 105950_usd, 161450_usd, 288350_usd},
    {21925_usd, 52975_usd, 80725_usd, 144175_usd},
    {35150_usd, 90800_usd, 147050_usd, 288350_usd},
}};
// 15 %, 28 %, 31 %, 36 %, 39.6 % in thousandths.
constexpr std::array<std::int64_t, 5> kRatePerMille = {150, 280, 310, 360, 396};
constexpr std::array<Currency, 4> kStandardDeduction = {4400_usd, 7350_usd, 3675_usd, 6450_usd};
constexpr std::array<Currency, 4> kExemptionPhaseOut = {128950_usd, 193400_usd, 96700_usd, 161150_usd};
constexpr std::array<Currency, 4> kChildCreditPhaseOut = {75000_usd, 110000_usd, 55000_usd, 75000_usd};
constexpr Currency kExemption = 2800_usd;
constexpr Currency kChildCredit = 500_usd;
constexpr Currency kChildCreditStep = 1000_usd;
constexpr Currency kChildCreditCut = 50_usd;

constexpr std::array<std::string_view, 4> kFilingNames = {"Single", "Married filing jointly",
                                                          "Married filing separately", "Head of household"};

// n / d rounded to the nearest whole number, halves away from zero.
std::int64_t roundedQuotient(Wide n, Wide d)
{
    const bool negative = n < 0;
    const Wide m = negative ? -n : n;
    const Wide q = (m + d / 2) / d;
    return static_cast<std::int64_t>(negative ? -q : q);
}

// amount x num / den, exactly, rounded to cents.
Currency shareInCents(Currency amount, std::int64_t num, std::int64_t den)
{
    return Currency::cents(roundedQuotient(static_cast<Wide>(amount.count()) * num, static_cast<Wide>(den) * 100));
}

// How many steps, or parts of one, `excess` holds (0 when not positive).
std::int64_t stepsOf(Currency excess, Currency step)
{
    if (excess <= Currency()) return 0;
    return (excess.count() - 1) / step.count() + 1;
}

}  // namespace

ReturnEntries defaultReturn(int valMarried)
{
    ReturnEntries e;
    if (valMarried != 1) {
        e.filing = FilingStatus::Joint;
        e.exemptions = 2;
    }
    return e;
}

std::string_view filingName(FilingStatus f) { return kFilingNames[index(f)]; }

Currency scheduleTax(FilingStatus filing, Currency taxable)
{
    const auto& over = kScheduleOver[index(filing)];
    Wide thousandths = 0;  // tax in 1/10000 dollar, times 1000
    Currency lower;
    for (std::size_t k = 0; k < kRatePerMille.size() && taxable > lower; ++k) {
        const Currency upper = k < over.size() ? std::min(taxable, over[k]) : taxable;
        thousandths += static_cast<Wide>((upper - lower).count()) * kRatePerMille[k];
        lower = upper;
    }
    return Currency::cents(roundedQuotient(thousandths, 1000 * 100));
}

ReturnFigures figureReturn(Currency federalWages, const ReturnEntries& e)
{
    const std::size_t i = index(e.filing);
    const bool separate = e.filing == FilingStatus::Separate;
    ReturnFigures f;
    const Currency agi = f.adjustedGrossIncome = federalWages + e.otherIncome;

    // Itemized deductions lose 3 % of AGI above the limit, at most 80 % of them.
    f.standardDeduction = kStandardDeduction[i];
    f.itemizedAllowed = e.itemized;
    const Currency limitFrom = separate ? 64475_usd : 128950_usd;
    if (e.itemized > Currency() && agi > limitFrom)
        f.itemizedAllowed -= std::min(shareInCents(agi - limitFrom, 3, 100), shareInCents(e.itemized, 4, 5));
    f.deduction = std::max(f.standardDeduction, f.itemizedAllowed);

    // 2 % of the exemptions for each 2,500 (1,250 separately), or part, above
    // the phase-out; nothing left after 50 steps.
    const std::int64_t steps = stepsOf(agi - kExemptionPhaseOut[i], separate ? 1250_usd : 2500_usd);
    const std::int64_t percentLeft = steps >= 50 ? 0 : 100 - 2 * steps;
    f.exemptions = shareInCents(kExemption * e.exemptions, percentLeft, 100);

    f.taxableIncome = std::max(Currency(), agi - f.deduction - f.exemptions);
    f.tax = scheduleTax(e.filing, f.taxableIncome);

    // 50 off the credit for each 1,000, or part, above its phase-out.
    const std::int64_t creditSteps = stepsOf(agi - kChildCreditPhaseOut[i], kChildCreditStep);
    if (e.children > 0 && creditSteps < 10 * static_cast<std::int64_t>(e.children))
        f.childTaxCredit = std::min(kChildCredit * e.children - kChildCreditCut * creditSteps, f.tax);
    f.incomeTax = f.tax - f.childTaxCredit;
    return f;
}

SocialSecurityYear socialSecurityYear(Currency wages, Currency tax, int periods, double rate)
{
    SocialSecurityYear s;
    if (wages <= Currency() || wages * periods < kWageBase2000) {
        s.total = tax * periods;
        return s;
    }
    // The first paycheck whose cumulative wages reach the base withholds
    // what is left of the year's maximum; the later ones nothing.
    const std::int64_t p = (kWageBase2000.count() - 1) / wages.count() + 1;
    const Currency before = tax * (p - 1);
    const Currency maximum = Currency::round(kWageBase2000.toDouble() * rate);
    s.endsInPeriod = static_cast<int>(p);
    s.endingAmount = std::clamp(maximum - before, Currency(), tax);
    s.total = before + s.endingAmount;
    return s;
}

PassRunner copyRunner(const PayRecord& start, PassInput input, SettingsStore& settings, ErrorScheme& errors)
{
    return [start, input = std::move(input), &settings, &errors](std::int16_t allowances) -> std::optional<PayRecord> {
        PayRecord r = start;
        PassInput in = input;
        in.exemptions = std::to_string(allowances);
        const int reportsBefore = errors.reports;
        Pass pass(r, in, settings, errors);
        const bool finished = runCommand([&] { calculateCommand(pass); });
        if (!finished || errors.reports != reportsBefore) return std::nullopt;
        return r;
    };
}

Advice adviseAllowances(Currency incomeTax, const std::vector<Currency>& withholdingByCount, int periods)
{
    Advice a;
    std::optional<std::size_t> best;
    for (std::size_t n = 0; n < withholdingByCount.size(); ++n)
        if (withholdingByCount[n] >= incomeTax && (!best || withholdingByCount[n] < withholdingByCount[*best]))
            best = n;
    if (best) {
        a.allowances = static_cast<int>(*best);
        return a;
    }
    if (withholdingByCount.empty() || periods <= 0) return a;
    const Currency shortBy = incomeTax - withholdingByCount.front();
    const std::int64_t perDollarRound = Currency::dollars(1).count() * periods;
    a.additional = Currency::dollars((shortBy.count() - 1) / perDollarRound + 1);
    return a;
}

std::optional<YearCheck> checkYear(const YearRequest& q, const PassRunner& run, ErrorScheme& errors)
{
    // The claimed count first: an error report then speaks of the user's
    // own calculation.
    const std::optional<PayRecord> mine = run(q.allowances);
    if (!mine) return std::nullopt;
    std::vector<Currency> perPaycheck(kMaxAdvisedAllowances + 1);
    for (int n = 0; n <= kMaxAdvisedAllowances; ++n) {
        if (n == q.allowances) {
            perPaycheck[static_cast<std::size_t>(n)] = mine->fTax;
            continue;
        }
        const std::optional<PayRecord> other = run(static_cast<std::int16_t>(n));
        if (!other) return std::nullopt;
        perPaycheck[static_cast<std::size_t>(n)] = other->fTax;
    }

    const PayRecord& r = *mine;
    YearCheck c;
    c.allowances = q.allowances;
    c.entries = q.entries;
    const int reportsBefore = errors.reports;
    Procedure proc(errors, "frmYearCheck", "CheckYear");
    const bool finished = proc.run(
        [&] {
            c.periods = periodsPerYear(r.HowOft);
            if (c.periods == 0) raise(err::kInvalidCall, "No pay frequency is chosen");
        },
        [&] {
            c.wages = r.taxBase * c.periods;
            c.federalWithholding = r.fTax * c.periods;
            c.stateWithholding = r.sTax * c.periods;
            c.medicare = r.amtMedicare * c.periods;
        },
        [&] {
            const SocialSecurityYear ss =
                socialSecurityYear(r.SSBase - r.SSEmp, r.amtSS, c.periods, q.selfEmployed ? 0.124 : 0.062);
            c.socialSecurity = ss.total;
            c.socialSecurityEndsInPeriod = ss.endsInPeriod;
            c.socialSecurityEndingAmount = ss.endingAmount;
        },
        [&] {
            c.withholdingByCount.clear();
            for (Currency w : perPaycheck) c.withholdingByCount.push_back(w * c.periods);
        },
        [&] { c.figures = figureReturn(c.wages, q.entries); },
        [&] { c.refund = c.federalWithholding - c.figures.incomeTax; },
        [&] {
            const Advice a = adviseAllowances(c.figures.incomeTax, c.withholdingByCount, c.periods);
            c.advisedAllowances = a.allowances;
            c.advisedAdditional = a.additional;
        });
    if (!finished || errors.reports != reportsBefore) return std::nullopt;
    return c;
}

std::string aboutDollars(Currency amount)
{
    const std::int64_t count = amount.count() < 0 ? -amount.count() : amount.count();
    const std::string s = formatCurrency(Currency::dollars(roundedQuotient(count, Currency::dollars(1).count())));
    return s.substr(0, s.size() - 3);  // no ".00"
}

namespace {
std::string allowancesText(int n) { return std::to_string(n) + (n == 1 ? " allowance" : " allowances"); }
}  // namespace

std::string refundSentence(const YearCheck& c)
{
    const Currency r = c.refund;
    if (aboutDollars(r) == "$0") return "Your withholding about matches your tax.";
    if (r > Currency()) return "You will get about " + aboutDollars(r) + " back.";
    return "You will owe about " + aboutDollars(r) + ".";
}

std::string adviceSentence(const YearCheck& c)
{
    if (c.advisedAdditional.isZero())
        return "Claiming " + allowancesText(c.advisedAllowances) + " keeps you closest without owing.";
    return "Claim 0 allowances and have " + aboutDollars(c.advisedAdditional) +
           " more withheld from each paycheck to avoid owing.";
}

std::string yearSentence(const YearCheck& c) { return refundSentence(c) + " " + adviceSentence(c); }

std::vector<YearRow> yearRows(const YearCheck& c)
{
    const ReturnFigures& f = c.figures;
    const bool itemizing = f.itemizedAllowed > f.standardDeduction;
    std::vector<YearRow> rows = {
        {"Paychecks in the year", std::to_string(c.periods)},
        {"Allowances claimed", std::to_string(c.allowances)},
        {"Federal wages", formatCurrency(c.wages)},
        {"Federal income tax withheld", formatCurrency(c.federalWithholding)},
        {"State income tax withheld", formatCurrency(c.stateWithholding)},
        {"Social Security", formatCurrency(c.socialSecurity)},
    };
    if (c.socialSecurityEndsInPeriod > 0)
        rows.push_back({"Social Security stops in paycheck", std::to_string(c.socialSecurityEndsInPeriod) + ": " +
                                                               formatCurrency(c.socialSecurityEndingAmount)});
    else
        rows.push_back({"Social Security wage base ($76,200)", "not reached"});
    rows.insert(rows.end(), {
        {"Medicare", formatCurrency(c.medicare)},
        {"Filing status", std::string(filingName(c.entries.filing))},
        {"Adjusted gross income", formatCurrency(f.adjustedGrossIncome)},
        {itemizing ? "Itemized deductions" : "Standard deduction", formatCurrency(f.deduction)},
        {"Exemptions (" + std::to_string(c.entries.exemptions) + ")", formatCurrency(f.exemptions)},
        {"Taxable income", formatCurrency(f.taxableIncome)},
        {"Tax", formatCurrency(f.tax)},
        {"Child tax credit", formatCurrency(f.childTaxCredit)},
        {"Income tax", formatCurrency(f.incomeTax), true},
        {c.refund < Currency() ? "Balance due" : "Refund", formatCurrency(c.refund < Currency() ? -c.refund : c.refund),
         true},
        {"Advised allowances", std::to_string(c.advisedAllowances), true},
        {"Additional per paycheck (W-4 line 6)", formatCurrency(c.advisedAdditional), true},
    });
    return rows;
}

}  // namespace wm
