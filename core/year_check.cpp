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

// "$76,200"
std::string wageBaseText()
{
    static_assert(kWageBase2000.count() % Currency::kScale == 0, "the wage base is in whole dollars");
    const std::string base = formatCurrency(kWageBase2000);
    return base.substr(0, base.size() - 3);
}

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

int defaultExemptions(FilingStatus filing, int children)
{
    return (filing == FilingStatus::Joint ? 2 : 1) + children;
}

ReturnEntries defaultReturn(int valMarried, int children)
{
    ReturnEntries e;
    if (valMarried != 1) e.filing = FilingStatus::Joint;
    e.children = children;
    e.exemptions = defaultExemptions(e.filing, children);
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

int scheduleRate(FilingStatus filing, Currency taxable)
{
    if (taxable <= Currency()) return 0;
    const auto& over = kScheduleOver[index(filing)];
    std::size_t k = 0;
    while (k < over.size() && taxable > over[k]) ++k;
    return static_cast<int>(kRatePerMille[k] * 10);
}

namespace {

int effectiveRate(Currency incomeTax, Currency agi)
{
    if (agi <= Currency() || incomeTax <= Currency()) return 0;
    return static_cast<int>(roundedQuotient(static_cast<Wide>(incomeTax.count()) * 10000, agi.count()));
}

}  // namespace

std::string rateText(int hundredths)
{
    const int fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + (fraction < 10 ? ".0" : ".") + std::to_string(fraction);
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
    f.effectiveRate = effectiveRate(f.incomeTax, agi);
    f.marginalRate = scheduleRate(e.filing, f.taxableIncome);
    return f;
}

Currency socialSecurityMaximum(double rate) { return Currency::round(kWageBase2000.toDouble() * rate); }

SocialSecurityYear socialSecurityYear(Currency wages, Currency tax, int periods, double rate,
                                      const SocialSecurityStart& start)
{
    SocialSecurityYear s;
    const int left = periods - start.paid;
    if (start.wages >= kWageBase2000) {
        s.total = start.tax;
        s.reachedSoFar = true;
        return s;
    }
    const Currency baseLeft = kWageBase2000 - start.wages;
    if (wages <= Currency() || wages * left < baseLeft) {
        s.total = start.tax + tax * left;
        return s;
    }
    // Paycheck k of those left crosses the base: the ones before it in
    // full, k itself on its wages below the base, the later ones nothing.
    const std::int64_t k = (baseLeft.count() - 1) / wages.count() + 1;
    const Currency before = start.tax + tax * (k - 1);
    const Currency below = baseLeft - wages * (k - 1);
    const Currency onBelow = below == wages ? tax : Currency::round(below.toDouble() * rate);
    s.endsInPeriod = start.paid + static_cast<int>(k);
    s.endingAmount = std::max(Currency(), std::min(onBelow, socialSecurityMaximum(rate) - before));
    s.total = before + s.endingAmount;
    return s;
}

namespace {


std::optional<std::string> outsideLimit(Input input, Currency v)
{
    if (within(limitOf(input), v)) return std::nullopt;
    return "must be " + describe(limitOf(input));
}

std::optional<std::string> amountProblem(Input input, std::optional<Currency> v, int paid)
{
    if (!v) return std::nullopt;
    if (std::optional<std::string> why = outsideLimit(input, *v)) return why;
    if (paid == 0 && !v->isZero()) return "must be 0 with no paychecks paid so far";
    return std::nullopt;
}

std::optional<YearRefusal> spouseRefusal(const YearRequest& q)
{
    const SpouseJob& j = q.spouse;
    const bool joint = q.entries.filing == FilingStatus::Joint;
    const std::pair<Input, Currency> amounts[] = {{Input::SpouseWages, j.wages},
                                                  {Input::SpouseWithholding, j.withholding}};
    for (const auto& [entry, value] : amounts) {
        if (std::optional<std::string> why = outsideLimit(entry, value)) return YearRefusal{entry, *why};
        if (!joint && !value.isZero()) return YearRefusal{entry, "counts only on a joint return"};
    }
    if (j.withholding > j.wages)
        return YearRefusal{Input::SpouseWithholding,
                           "cannot be more than the spouse's wages, " + formatCurrency(j.wages)};
    return std::nullopt;
}

}  // namespace

int mostPaychecksPaid(int periods)
{
    const InputLimit& l = limitOf(Input::PaychecksPaid);
    return std::min(l.hi, std::max(periods - 1, l.lo));
}

std::optional<YearRefusal> refuseYearEntries(const YearRequest& q, int periods)
{
    const int paid = q.soFar.paid;
    const InputLimit& paidLimit = limitOf(Input::PaychecksPaid);
    const int most = mostPaychecksPaid(periods);
    if (paid < paidLimit.lo || paid > most)
        return YearRefusal{Input::PaychecksPaid, "must be from " + std::to_string(paidLimit.lo) + " to " +
                                                     std::to_string(most) + ": of the year's " +
                                                     std::to_string(periods) +
                                                     " paychecks, the one calculated is still to come"};
    for (const auto& [entry, value] : {std::pair{Input::OtherIncome, q.entries.otherIncome},
                                       std::pair{Input::Itemized, q.entries.itemized}})
        if (std::optional<std::string> why = outsideLimit(entry, value)) return YearRefusal{entry, *why};
    const std::pair<Input, std::optional<Currency>> amounts[] = {
        {Input::WagesSoFar, q.soFar.wages},
        {Input::FederalSoFar, q.soFar.federal},
        {Input::StateSoFar, q.soFar.state},
        {Input::SocialSecuritySoFar, q.soFar.socialSecurity},
    };
    for (const auto& [entry, value] : amounts)
        if (std::optional<std::string> why = amountProblem(entry, value, paid)) return YearRefusal{entry, *why};
    const Currency maximum = socialSecurityMaximum(ficaRates(q.selfEmployed).ss);
    if (q.soFar.socialSecurity && *q.soFar.socialSecurity > maximum)
        return YearRefusal{Input::SocialSecuritySoFar,
                           "cannot be more than the year's maximum of " + formatCurrency(maximum)};
    return spouseRefusal(q);
}

namespace {
Currency ficaWagesOf(const PayRecord& r) { return r.SSBase - r.SSEmp; }
}  // namespace

Currency socialSecurityWagesSoFar(const PayRecord& r, const SoFarEntries& given)
{
    if (!given.wages) return ficaWagesOf(r) * given.paid;
    return std::max(Currency(), *given.wages + (ficaWagesOf(r) - r.taxBase) * given.paid);
}

Currency mostSocialSecuritySoFar(const PayRecord& r, const SoFarEntries& given, bool selfEmployed)
{
    const double rate = ficaRates(selfEmployed).ss;
    const Currency wages = std::min(socialSecurityWagesSoFar(r, given), kWageBase2000);
    // Each paycheck rounds to the cent; what a payroll withholds is whole cents.
    const Currency exact = Currency::round(wages.toDouble() * rate) + Currency::fromCount(50) * given.paid;
    return std::min(Currency::cents(exact.count() / 100), socialSecurityMaximum(rate));
}

std::optional<YearRefusal> refuseYearEntries(const YearRequest& q, const PayRecord& paycheck)
{
    if (std::optional<YearRefusal> no = refuseYearEntries(q, periodsPerYear(paycheck.HowOft))) return no;
    const SoFar so = soFarDefaults(paycheck, q.soFar, q.selfEmployed);
    for (const auto& [entry, value] : {std::pair{Input::FederalSoFar, q.soFar.federal},
                                       std::pair{Input::StateSoFar, q.soFar.state}})
        if (value && *value > so.wages)
            return YearRefusal{entry, "cannot be more than the wages so far, " + formatCurrency(so.wages)};
    const Currency ssMost = mostSocialSecuritySoFar(paycheck, q.soFar, q.selfEmployed);
    if (q.soFar.socialSecurity && *q.soFar.socialSecurity > ssMost)
        return YearRefusal{Input::SocialSecuritySoFar,
                           "cannot be more than " + formatCurrency(ssMost) + ": " +
                               percentText(ficaRates(q.selfEmployed).ss) + " % of the Social Security wages so far, " +
                               formatCurrency(socialSecurityWagesSoFar(paycheck, q.soFar)) + ", up to the " + wageBaseText() + " base"};
    return std::nullopt;
}

SoFar soFarDefaults(const PayRecord& r, const SoFarEntries& given, bool selfEmployed)
{
    const int paid = given.paid;
    const double rate = ficaRates(selfEmployed).ss;
    SoFar s;
    s.wages = given.wages.value_or(r.taxBase * paid);
    s.federal = given.federal.value_or(r.fTax * paid);
    s.state = given.state.value_or(r.sTax * paid);
    if (given.socialSecurity) s.socialSecurity = *given.socialSecurity;
    else if (given.wages)
        s.socialSecurity =
            Currency::round(std::min(socialSecurityWagesSoFar(r, given), kWageBase2000).toDouble() * rate);
    else s.socialSecurity = socialSecurityYear(ficaWagesOf(r), r.amtSS, paid, rate).total;
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

namespace {

// One paycheck's federal withholding for 0..99 allowances; nothing when a
// run ended on an error.
std::optional<std::vector<Currency>> withholdingPerPaycheck(const YearRequest& q, const PayRecord& mine,
                                                           const PassRunner& run)
{
    std::vector<Currency> perPaycheck(kMaxAdvisedAllowances + 1);
    for (int n = 0; n <= kMaxAdvisedAllowances; ++n) {
        if (n == q.allowances) {
            perPaycheck[static_cast<std::size_t>(n)] = mine.fTax;
            continue;
        }
        const std::optional<PayRecord> other = run(static_cast<std::int16_t>(n));
        if (!other) return std::nullopt;
        perPaycheck[static_cast<std::size_t>(n)] = other->fTax;
    }
    return perPaycheck;
}

// Your paychecks: so far + the paychecks left x the paycheck `r`.
void projectPaychecks(YearCheck& c, const YearRequest& q, const PayRecord& r)
{
    c.soFar = soFarDefaults(r, q.soFar, q.selfEmployed);
    const int left = c.paychecksLeft;
    c.wages = c.soFar.wages + r.taxBase * left;
    c.federalWithholding = c.soFar.federal + r.fTax * left;
    c.stateWithholding = c.soFar.state + r.sTax * left;
}

// Social Security to the wage base and Medicare, on the FICA wages so far.
void projectFica(YearCheck& c, const YearRequest& q, const PayRecord& r)
{
    const Currency ficaWages = ficaWagesOf(r);
    const int paid = c.paychecksPaid;
    const Currency ficaSoFar = socialSecurityWagesSoFar(r, q.soFar);
    const SocialSecurityYear ss = socialSecurityYear(ficaWages, r.amtSS, c.periods, ficaRates(q.selfEmployed).ss,
                                                     {paid, ficaSoFar, c.soFar.socialSecurity});
    c.socialSecurity = ss.total;
    c.socialSecurityEndsInPeriod = ss.endsInPeriod;
    c.socialSecurityEndingAmount = ss.endingAmount;
    c.socialSecurityReachedSoFar = ss.reachedSoFar;
    const Currency medicareSoFar = q.soFar.wages
                                       ? Currency::round(ficaSoFar.toDouble() * ficaRates(q.selfEmployed).medicare)
                                       : r.amtMedicare * paid;
    c.medicare = medicareSoFar + r.amtMedicare * c.paychecksLeft;
}

}  // namespace

std::optional<YearCheck> checkYear(const YearRequest& q, const PassRunner& run, ErrorScheme& errors)
{
    // The claimed count first: an error report then speaks of the user's
    // own calculation.
    const std::optional<PayRecord> mine = run(q.allowances);
    if (!mine) return std::nullopt;
    const std::optional<std::vector<Currency>> perPaycheck = withholdingPerPaycheck(q, *mine, run);
    if (!perPaycheck) return std::nullopt;

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
            if (refuseYearEntries(q, r)) raise(err::kInvalidCall, "The year's entries are refused");
            c.paychecksPaid = q.soFar.paid;
            c.paychecksLeft = c.periods - q.soFar.paid;
        },
        [&] { projectPaychecks(c, q, r); },
        [&] { projectFica(c, q, r); },
        [&] {
            if (q.entries.filing == FilingStatus::Joint) {
                c.spouseWages = q.spouse.wages;
                c.spouseWithholding = q.spouse.withholding;
            }
        },
        [&] {
            c.withholdingByCount.clear();
            const Currency before = c.soFar.federal + c.spouseWithholding;
            for (Currency w : *perPaycheck) c.withholdingByCount.push_back(before + w * c.paychecksLeft);
        },
        [&] { c.figures = figureReturn(c.wages + c.spouseWages, q.entries); },
        [&] { c.refund = c.federalWithholding + c.spouseWithholding - c.figures.incomeTax; },
        [&] {
            const Advice a = adviseAllowances(c.figures.incomeTax, c.withholdingByCount, c.paychecksLeft);
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

namespace {
// "", or " for the 26 paychecks left" when some were paid.
std::string forTheLeft(const YearCheck& c)
{
    if (c.paychecksPaid == 0) return {};
    if (c.paychecksLeft == 1) return " for the last paycheck";
    return " for the " + std::to_string(c.paychecksLeft) + " paychecks left";
}
}  // namespace

std::string adviceSentence(const YearCheck& c)
{
    if (c.advisedAdditional.isZero())
        return "Claiming " + allowancesText(c.advisedAllowances) + forTheLeft(c) +
               " keeps you closest without owing.";
    const std::string each = c.paychecksPaid == 0 ? " more withheld from each paycheck"
                             : c.paychecksLeft == 1 ? " more withheld from the last paycheck"
                                                    : " more withheld from each of the " +
                                                          std::to_string(c.paychecksLeft) + " paychecks left";
    return "Claim 0 allowances and have " + aboutDollars(c.advisedAdditional) + each + " to avoid owing.";
}

std::string yearSentence(const YearCheck& c) { return refundSentence(c) + " " + adviceSentence(c); }

namespace {

void addSoFarRows(std::vector<YearRow>& rows, const YearCheck& c)
{
    if (c.paychecksPaid == 0) return;
    rows.insert(rows.end(), {
        {"Paychecks paid so far", std::to_string(c.paychecksPaid)},
        {"Paychecks left", std::to_string(c.paychecksLeft)},
        {"Federal wages so far", formatCurrency(c.soFar.wages)},
        {"Federal income tax withheld so far", formatCurrency(c.soFar.federal)},
        {"State income tax withheld so far", formatCurrency(c.soFar.state)},
        {"Social Security so far", formatCurrency(c.soFar.socialSecurity)},
    });
}

YearRow socialSecurityRow(const YearCheck& c)
{
    if (c.socialSecurityEndsInPeriod > 0)
        return {"Social Security stops in paycheck",
                std::to_string(c.socialSecurityEndsInPeriod) + ": " + formatCurrency(c.socialSecurityEndingAmount)};
    return {"Social Security wage base (" + wageBaseText() + ")", c.socialSecurityReachedSoFar ? "reached so far" : "not reached"};
}

}  // namespace

std::vector<YearRow> yearRows(const YearCheck& c)
{
    const ReturnFigures& f = c.figures;
    const bool itemizing = f.itemizedAllowed > f.standardDeduction;
    std::vector<YearRow> rows = {{"Paychecks in the year", std::to_string(c.periods)}};
    addSoFarRows(rows, c);
    rows.insert(rows.end(), {
        {"Allowances claimed", std::to_string(c.allowances)},
        {"Federal wages", formatCurrency(c.wages)},
        {"Federal income tax withheld", formatCurrency(c.federalWithholding)},
        {"State income tax withheld", formatCurrency(c.stateWithholding)},
        {"Social Security", formatCurrency(c.socialSecurity)},
        socialSecurityRow(c),
        {"Medicare", formatCurrency(c.medicare)},
        {"Filing status", std::string(filingName(c.entries.filing))},
    });
    if (!c.spouseWages.isZero() || !c.spouseWithholding.isZero())
        rows.insert(rows.end(), {{"Spouse's wages", formatCurrency(c.spouseWages)},
                                 {"Spouse's federal income tax withheld", formatCurrency(c.spouseWithholding)}});
    rows.insert(rows.end(), {
        {"Adjusted gross income", formatCurrency(f.adjustedGrossIncome)},
        {itemizing ? "Itemized deductions" : "Standard deduction", formatCurrency(f.deduction)},
        {"Exemptions (" + std::to_string(c.entries.exemptions) + ")", formatCurrency(f.exemptions)},
        {"Taxable income", formatCurrency(f.taxableIncome)},
        {"Tax", formatCurrency(f.tax)},
        {"Child tax credit", formatCurrency(f.childTaxCredit)},
        {"Income tax", formatCurrency(f.incomeTax), true},
        {"Effective rate (income tax / AGI)", rateText(f.effectiveRate) + " %"},
        {"Marginal rate (rate schedule)", rateText(f.marginalRate) + " %"},
        {c.refund < Currency() ? "Balance due" : "Refund", formatCurrency(c.refund < Currency() ? -c.refund : c.refund),
         true},
        {c.paychecksPaid == 0 ? "Advised allowances" : "Advised allowances (paychecks left)",
         std::to_string(c.advisedAllowances), true},
        {c.paychecksPaid == 0 ? "Additional per paycheck (W-4 line 6)" : "Additional per paycheck left (W-4 line 6)",
         formatCurrency(c.advisedAdditional), true},
    });
    return rows;
}

}  // namespace wm
