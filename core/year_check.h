#pragma once
// The Year Check: will one paycheck's withholding cover the year's tax?
//
// The year is what was paid so far (the paychecks paid and their figures)
// plus the paychecks left, each like the calculated one. The paychecks left
// come from the calculation pass itself, run once per allowance count on a
// copy of the pay record (the caller's record is never touched):
//   - federal wages, federal and state withholding: so far + paychecks left
//     x the paycheck's amount;
//   - Social Security stops once the year's FICA wages, those so far
//     included, reach the 2000 wage base of $76,200 (at most $4,724.40, or
//     $9,448.80 at the self-employed rate); Medicare has no cap;
//   - the 2000 income tax of Form 1040: filing status, a spouse's job on a
//     joint return, the larger of the standard and the (limited) itemized
//     deductions, exemptions with their phase-out, the rate schedules, the
//     child tax credit; the effective and the marginal rate;
//   - the refund (withholding, the spouse's included, - income tax;
//     negative is a balance due) and the allowance advice for the paychecks
//     left.
//
// Money is exact: the rates of the return are whole per-mille or per-cent
// figures applied in integer arithmetic and rounded to cents once.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/federal.h"
#include "core/pass.h"
#include "record/input_limits.h"

namespace wm {

enum class FilingStatus { Single, Joint, Separate, Head };

// The return's own entries.
struct ReturnEntries {
    FilingStatus filing = FilingStatus::Single;
    int exemptions = 1;   // yourself, spouse, dependents
    int children = 0;     // under 17, for the child tax credit
    Currency otherIncome{};
    Currency itemized{};  // Schedule A total before the overall limit
};

// Yourself, your spouse on a joint return, and the children.
int defaultExemptions(FilingStatus filing, int children);

// Defaults from the withholding status: married (also married withholding
// at the single rate) files jointly, single files single; the exemptions
// are those of defaultExemptions.
ReturnEntries defaultReturn(int valMarried, int children = 0);

// "Single", "Married filing jointly", ...
std::string_view filingName(FilingStatus f);

// The most allowances the advice names: as many as wagemark-cli takes.
inline constexpr int kMaxAdvisedAllowances = limitOf(Input::Allowances).hi;

// ---- The 2000 return ------------------------------------------------------

struct ReturnFigures {
    Currency adjustedGrossIncome;
    Currency standardDeduction;
    Currency itemizedAllowed;  // after the overall limit
    Currency deduction;        // the larger of the two
    Currency exemptions;       // after the phase-out
    Currency taxableIncome;
    Currency tax;              // rate schedules
    Currency childTaxCredit;   // after its phase-out, not above the tax
    Currency incomeTax;        // tax - credit
    // In hundredths of a percent: income tax / adjusted gross income (0
    // when either is not positive), and scheduleRate of the taxable income.
    int effectiveRate = 0;
    int marginalRate = 0;
};

// "17.56" for 1756 hundredths of a percent.
std::string rateText(int hundredths);

// The tax of the rate schedule for `taxable` (exact, rounded to cents).
Currency scheduleTax(FilingStatus filing, Currency taxable);

// The rate of the schedule's bracket that holds `taxable`, in hundredths of
// a percent (2800 for 28 %); an amount at a threshold is in the lower
// bracket; 0 when nothing is taxable.
int scheduleRate(FilingStatus filing, Currency taxable);

// The return for the year's federal wages.
ReturnFigures figureReturn(Currency federalWages, const ReturnEntries& entries);

// ---- Social Security over the year ----------------------------------------

struct SocialSecurityYear {
    Currency total;
    // The paycheck (1-based, of the year) in which the wage base is reached,
    // and what is withheld in it; 0 when the year's wages stay below the
    // base or reached it in the paychecks paid.
    int endsInPeriod = 0;
    Currency endingAmount;
    bool reachedSoFar = false;  // nothing is withheld in the paychecks left
};

// The paychecks paid before the projected ones: how many, their FICA wages
// and their Social Security.
struct SocialSecurityStart {
    int paid = 0;
    Currency wages;
    Currency tax;
};

// The year's maximum: the wage base (core/federal.h) at the Social Security
// rate.
Currency socialSecurityMaximum(double rate);

// The year's Social Security from `start` on: the paychecks after
// `start.paid`, each like the period of FICA wages `wages` and Social
// Security `tax`, withhold in full while their wages stay under the wage
// base, the one that crosses it `rate` x its part below the base, the later
// ones nothing; never more than the year's maximum in all. `rate` is the
// Social Security rate of FicaRates.
SocialSecurityYear socialSecurityYear(Currency wages, Currency tax, int periods, double rate,
                                      const SocialSecurityStart& start = {});

// ---- The check --------------------------------------------------------------

// One run of the calculation pass with `allowances` claimed; the pay record
// after it, or nothing when a run-time error ended it.
using PassRunner = std::function<std::optional<PayRecord>(std::int16_t allowances)>;

// The runner of the desktop program: the Calculate command on a copy of
// `start` with the given input texts. Any error report ends the run.
PassRunner copyRunner(const PayRecord& start, PassInput input, SettingsStore& settings, ErrorScheme& errors);

// What was paid this year before the paychecks left. A figure not given is
// the paychecks paid x the calculated paycheck's; Social Security not given
// is the rate x the Social Security wages so far when the wages so far are
// given, else paid x the paycheck's, both up to the wage base.
struct SoFarEntries {
    int paid = 0;
    std::optional<Currency> wages = std::nullopt;  // federal wages
    std::optional<Currency> federal = std::nullopt;
    std::optional<Currency> state = std::nullopt;
    std::optional<Currency> socialSecurity = std::nullopt;
};

// A spouse's job on a joint return: the year's wages and federal
// withholding. Not counted on any other return.
struct SpouseJob {
    Currency wages{};
    Currency withholding{};
};

struct YearRequest {
    std::int16_t allowances = 0;  // claimed on the calculator
    bool selfEmployed = false;
    ReturnEntries entries{};
    SoFarEntries soFar{};
    SpouseJob spouse{};
};

// The most paychecks a year of `periods` can have paid so far: all but the
// one calculated, within the input limit of the paychecks paid.
int mostPaychecksPaid(int periods);

// An entry a year cannot have (an Input of the Year Check, or the Income
// Amount of a paycheck too large for a year), for the interface to name.
struct YearRefusal {
    Input entry;
    std::string reason;  // "must be 0 with no paychecks paid so far"
};
// The first entry of `q` that no year of `periods` paychecks can have:
// paychecks paid outside 0 .. periods - 1 (the calculated one is still to
// come), an amount outside its input limit, a figure so far with no
// paychecks paid, Social Security so far above the year's maximum, a
// spouse's job on a return that is not joint, or a spouse's withholding
// above the spouse's wages.
std::optional<YearRefusal> refuseYearEntries(const YearRequest& q, int periods);
// The same, and what no paychecks like `paycheck` (a pass result) could
// have paid: tax withheld so far above the wages so far, Social Security
// so far above the rate x the Social Security wages so far (up to the base;
// half a cent a paycheck paid allowed for rounding).
std::optional<YearRefusal> refuseYearEntries(const YearRequest& q, const PayRecord& paycheck);

// The FICA wages of the paychecks paid: the wages so far given (federal
// wages) plus each paycheck paid's FICA wages above its federal wages (the
// 401(k) and pre-tax amounts FICA taxes); not given, paid x the paycheck's.
Currency socialSecurityWagesSoFar(const PayRecord& paycheck, const SoFarEntries& given);
// The most Social Security the paychecks paid can have withheld.
Currency mostSocialSecuritySoFar(const PayRecord& paycheck, const SoFarEntries& given, bool selfEmployed);

// The figures so far not given, for the paychecks paid like `paycheck` (a
// pass result); those given are kept.
struct SoFar {
    Currency wages, federal, state, socialSecurity;
};
SoFar soFarDefaults(const PayRecord& paycheck, const SoFarEntries& given, bool selfEmployed);

struct YearCheck {
    int periods = 0;
    int paychecksPaid = 0;
    int paychecksLeft = 0;
    int allowances = 0;
    SoFar soFar;                  // as given, or the defaults
    Currency wages;               // your federal wages
    Currency federalWithholding;  // yours
    Currency stateWithholding;
    Currency socialSecurity;
    Currency medicare;
    int socialSecurityEndsInPeriod = 0;  // 0: not reached in the paychecks left
    Currency socialSecurityEndingAmount;
    bool socialSecurityReachedSoFar = false;
    Currency spouseWages;         // 0 unless a joint return
    Currency spouseWithholding;
    ReturnEntries entries;
    ReturnFigures figures;
    Currency refund;              // negative: balance due
    int advisedAllowances = 0;    // for the paychecks left
    Currency advisedAdditional;   // whole dollars per paycheck left (W-4 line 6)
    // The year's federal withholding, so far and the spouse's included, with
    // 0..99 allowances claimed for the paychecks left.
    std::vector<Currency> withholdingByCount;
};

// The check for the request (whose entries refuseYearEntries accepts).
// Runs the pass for the claimed count first, then for every count 0..99.
// Nothing when a run ended on an error (it was reported) or when the year's
// own arithmetic failed under `errors`.
std::optional<YearCheck> checkYear(const YearRequest& request, const PassRunner& run, ErrorScheme& errors);

// The advice for an income tax and the year's withholding by count: the
// fewest allowances whose withholding is the least that still covers the
// tax (counts beyond it withhold no less, or too little); when even 0
// allowances fall short, 0 and the whole dollars per paycheck (of the
// `periods` left) that cover it.
struct Advice {
    int allowances = 0;
    Currency additional;
};
Advice adviseAllowances(Currency incomeTax, const std::vector<Currency>& withholdingByCount, int periods);

// "$623", "$1,234": the size of an amount in whole dollars, halves away
// from zero.
std::string aboutDollars(Currency amount);

// "You will get about $623 back." (or owe, or about match)
std::string refundSentence(const YearCheck& c);
// "Claiming 1 allowance keeps you closest without owing.", or 0 allowances
// and the additional whole dollars per paycheck; with paychecks paid, for
// the paychecks left.
std::string adviceSentence(const YearCheck& c);
// Both: "You will get about $623 back. Claiming 1 allowance keeps you
// closest without owing."
std::string yearSentence(const YearCheck& c);

// The rows of the year's table, as the window, the paper and the command
// line show them.
struct YearRow {
    std::string label;
    std::string value;  // "$9,754.68", "52", "paycheck 39: $12.40"
    bool total = false; // a result line
};
std::vector<YearRow> yearRows(const YearCheck& c);

}  // namespace wm
