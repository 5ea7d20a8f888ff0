#pragma once
// The Year Check: will one paycheck's withholding cover the year's tax?
//
// Assumes every pay period of tax year 2000 is like the calculated one and
// projects the year from the calculation pass itself, run once per
// allowance count on a copy of the pay record (the caller's record is never
// touched):
//   - federal wages, federal and state withholding: periods x the period's
//     amount;
//   - Social Security stops once the year's FICA wages reach the 2000 wage
//     base of $76,200 (at most $4,724.40, or $9,448.80 at the self-employed
//     rate); Medicare has no cap;
//   - the 2000 income tax of Form 1040: filing status, the larger of the
//     standard and the (limited) itemized deductions, exemptions with their
//     phase-out, the rate schedules, the child tax credit;
//   - the refund (withholding - income tax; negative is a balance due) and
//     the allowance advice.
//
// Money is exact: the rates of the return are whole per-mille or per-cent
// figures applied in integer arithmetic and rounded to cents once.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/input_limits.h"
#include "core/pass.h"

namespace wm {

enum class FilingStatus { Single, Joint, Separate, Head };

// The return's own entries.
struct ReturnEntries {
    FilingStatus filing = FilingStatus::Single;
    int exemptions = 1;   // yourself, spouse, dependents
    int children = 0;     // under 17, for the child tax credit
    Currency otherIncome;
    Currency itemized;    // Schedule A total before the overall limit
};

// Defaults from the withholding status: married (also married withholding
// at the single rate) files jointly with 2 exemptions, single files single
// with 1.
ReturnEntries defaultReturn(int valMarried);

// "Single", "Married filing jointly", ...
std::string_view filingName(FilingStatus f);

inline constexpr Currency kWageBase2000 = 76200_usd;
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
};

// The tax of the rate schedule for `taxable` (exact, rounded to cents).
Currency scheduleTax(FilingStatus filing, Currency taxable);

// The return for the year's federal wages.
ReturnFigures figureReturn(Currency federalWages, const ReturnEntries& entries);

// ---- Social Security over the year ----------------------------------------

struct SocialSecurityYear {
    Currency total;
    // The paycheck (1-based) in which the wage base is reached, and what is
    // withheld in it; 0 when the year's wages stay below the base.
    int endsInPeriod = 0;
    Currency endingAmount;
};

// `wages` and `tax` are one period's FICA wages and Social Security; `rate`
// is 0.062 or the self-employed 0.124.
SocialSecurityYear socialSecurityYear(Currency wages, Currency tax, int periods, double rate);

// ---- The check --------------------------------------------------------------

// One run of the calculation pass with `allowances` claimed; the pay record
// after it, or nothing when a run-time error ended it.
using PassRunner = std::function<std::optional<PayRecord>(std::int16_t allowances)>;

// The runner of the desktop program: the Calculate command on a copy of
// `start` with the given input texts. Any error report ends the run.
PassRunner copyRunner(const PayRecord& start, PassInput input, SettingsStore& settings, ErrorScheme& errors);

struct YearRequest {
    std::int16_t allowances = 0;  // claimed on the calculator
    bool selfEmployed = false;
    ReturnEntries entries;
};

struct YearCheck {
    int periods = 0;
    int allowances = 0;
    Currency wages;               // federal wages
    Currency federalWithholding;
    Currency stateWithholding;
    Currency socialSecurity;
    Currency medicare;
    int socialSecurityEndsInPeriod = 0;  // 0: the wage base is not reached
    Currency socialSecurityEndingAmount;
    ReturnEntries entries;
    ReturnFigures figures;
    Currency refund;              // negative: balance due
    int advisedAllowances = 0;
    Currency advisedAdditional;   // whole dollars per paycheck (W-4 line 6)
    // The year's federal withholding for 0..99 allowances.
    std::vector<Currency> withholdingByCount;
};

// The check for the request. Runs the pass for the claimed count first, then
// for every count 0..99. Nothing when a run ended on an error (it was
// reported) or when the year's own arithmetic failed under `errors`.
std::optional<YearCheck> checkYear(const YearRequest& request, const PassRunner& run, ErrorScheme& errors);

// The advice for an income tax and the year's withholding by count: the
// fewest allowances whose withholding is the least that still covers the
// tax (counts beyond it withhold no less, or too little); when even 0
// allowances fall short, 0 and the whole dollars per paycheck that cover it.
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
// and the additional whole dollars per paycheck.
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
