#pragma once
// What each input of a pay period may hold, for every interface.
//
// One row per input: the name the user sees and its range. The calculator
// and its tools refuse a typed value outside it (a message, the focus back
// in the field), the saved-settings reads replace a stored one by its
// default and say so once, `wagemark-cli calc` and `year` refuse the option
// (exit status 2) and a batch line gets its error object. Nothing else
// states these ranges, so no interface takes a value another refuses.
//
// Percentages are typed as 5 or 0.05 (both 5 %; 1 is 1 %): the range is of
// what is typed, and `percentFraction` is how it is read. Where a
// percentage is kept as the fraction (the local rate in the settings and
// on a batch line) `withinFraction` checks it.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "record/currency.h"
#include "record/pay_record.h"

namespace wm {

enum class InputUnit {
    Amount,   // money, from `lo` dollars up to `top`
    Percent,  // a percentage as typed
    Count,    // a whole number
    Hours,    // hours of one pay period
    Letter,   // a rate letter: A is `lo`, and so on up to `hi`
    Code,     // one of `codes`
};

// The largest amount any input takes: below a trillion dollars, so that a
// year of the largest pay, with every other amount of the year added, stays
// far inside the 64-bit money range in every command.
inline constexpr Currency kAmountTop = Currency::cents(99'999'999'999'999);  // 999,999,999,999.99

// Maryland's county rates in hundredths of a percent, the codes the county
// choice keeps (`Method`, "MMethod"); the state list names them.
inline constexpr std::array<std::int16_t, 8> kCountyRateCodes = {125, 175, 241, 251, 277, 282, 291, 301};
// Mississippi's exemption of a married couple, which a spouse may split.
inline constexpr Currency kMississippiCoupleExemption = Currency::dollars(12000);

struct InputLimit {
    std::string_view field;  // as the calculator or the tool names it
    InputUnit unit;
    int lo = 0;
    int hi = 0;                               // unused for amounts and codes
    Currency top = kAmountTop;                // amounts only
    std::span<const std::int16_t> codes = {}; // codes only
};

enum class Input : std::size_t {
    Income,
    PreTax,
    PreFica,
    Percent401k,
    Hours,
    Exemptions,       // the calculator's list
    Allowances,       // wagemark-cli: as many as the Year Check may advise
    StateDeps,
    SecondDeps,
    StateExemptions,  // the state options' special list as a number
    StateAdd,
    LocalRate,
    LocalBase,        // 0 none, 1..5 the bases of the local tax tool
    RaisePercent,
    NewWage,
    ReturnExemptions,
    Children,
    PaychecksPaid,    // the Year Check's year so far; the frequency narrows it
    WagesSoFar,
    FederalSoFar,
    StateSoFar,
    SocialSecuritySoFar,
    SpouseWages,      // a spouse's job on a joint return
    SpouseWithholding,
    StateStatus,      // the state filing status code (`intSMarried`)
    StateRate,        // the rate letter (`StateRate`)
    CountyRate,       // Maryland's county (`Method`)
    MississippiPart,  // the spouse's part of Mississippi's couple exemption
    Frequency,        // `HowOft`
    MaritalStatus,    // `valMarried`
    State,            // `intState`
    OtherIncome,      // the return's own amounts
    Itemized,
    Bonus,            // the Bonus Check's
    BonusSSWages,
    BonusMethod,      // 0 aggregate, 1 flat
};
inline constexpr std::size_t kInputCount = static_cast<std::size_t>(Input::BonusMethod) + 1;

// The most exemptions the calculator's list offers.
inline constexpr int kMaxExemptions = 15;

inline constexpr std::array<InputLimit, kInputCount> kInputLimits = {{
    {"Income Amount", InputUnit::Amount, 0, 0},
    {"Pre-Tax", InputUnit::Amount, 0, 0},
    {"Pre-FICA", InputUnit::Amount, 0, 0},
    {"401(k)%", InputUnit::Percent, 0, 100},
    {"Hours", InputUnit::Hours, 0, 31 * 24},  // the longest month, around the clock
    {"Number of Exemptions", InputUnit::Count, 0, kMaxExemptions},
    {"allowances", InputUnit::Count, 0, 99},
    {"Dependents (State)", InputUnit::Count, 0, 99},
    {"second dependents count", InputUnit::Count, 0, 99},
    {"Additional (State) Exemptions", InputUnit::Count, 0, 99},
    {"Additional Withholding Amount (State)", InputUnit::Amount, 0, 0},
    {"Local Tax rate", InputUnit::Percent, 0, 100},
    {"local tax base", InputUnit::Count, 0, 5},
    {"raise percentage", InputUnit::Percent, 0, 100},
    {"new hourly wage", InputUnit::Amount, 0, 0},
    {"exemptions on the return", InputUnit::Count, 0, 99},
    {"children", InputUnit::Count, 0, 99},
    // Weekly pay has the most paychecks, all but the one calculated paid.
    {"Paychecks paid", InputUnit::Count, 0, periodsPerYear(0) - 1},
    {"Wages so far", InputUnit::Amount, 0, 0},
    {"Federal tax withheld so far", InputUnit::Amount, 0, 0},
    {"State tax withheld so far", InputUnit::Amount, 0, 0},
    {"Social Security so far", InputUnit::Amount, 0, 0},
    {"Spouse's wages", InputUnit::Amount, 0, 0},
    {"Spouse's withholding", InputUnit::Amount, 0, 0},
    {"state filing status", InputUnit::Count, 0, 9},
    {"rate letter", InputUnit::Letter, 0, 4},
    {"county rate", InputUnit::Code, 0, 0, kAmountTop, kCountyRateCodes},
    {"spouse's part of the exemption", InputUnit::Amount, 0, 0, kMississippiCoupleExemption},
    {"pay frequency", InputUnit::Count, 0, kLastFrequency},
    {"marital status", InputUnit::Count, 0, 2},
    {"state", InputUnit::Count, 0, kStateCount - 1},
    // Income, not a loss: the Year Check knows none of the limits a loss
    // meets on the return ($3,000 of capital losses, say).
    {"Other income", InputUnit::Amount, 0, 0},
    {"Itemized deductions", InputUnit::Amount, 0, 0},
    {"Bonus Amount", InputUnit::Amount, 0, 0},
    {"Social Security wages so far", InputUnit::Amount, 0, 0},
    {"bonus method", InputUnit::Count, 0, 1},
}};

constexpr const InputLimit& limitOf(Input i) { return kInputLimits[static_cast<std::size_t>(i)]; }

// A typed percentage as the fraction it stands for: 5 and 0.05 are 0.05.
constexpr double percentFraction(double typed) { return typed >= 1 ? typed / 100 : typed; }

bool within(const InputLimit& l, double value);
bool within(const InputLimit& l, Currency value);
// The fraction a percentage is kept as (0.05 for 5 %).
bool withinFraction(const InputLimit& l, double fraction);

// How a value is written where it is read: as the user types it, or (a
// percentage in the settings and on a batch line) as its fraction.
enum class Kept { AsTyped, AsFraction };
// The one reading of a value's text against its row, for every door (a
// field, a saved setting, an option, a batch key): it reads as the unit (a
// count, letter or code as a whole number: 1.5 is not rounded to 2) and
// lies in the range. Blank reads as 0.
bool textWithin(const InputLimit& l, std::string_view text, Kept kept = Kept::AsTyped);
// The same told apart: a text that does not read as a number at all is left
// to the reader of the value, which reports it as a type mismatch.
enum class TextFit { Fits, Outside, Unreadable };
TextFit fitOf(const InputLimit& l, std::string_view text, Kept kept = Kept::AsTyped);

// "a percentage from 0 to 100", "a whole number from 0 to 15", "an amount
// from 0 to 999,999,999,999.99", "hours from 0 to 744", "a letter from A to
// E (or 0 to 4)", "one of 125, 175, ... or 301".
std::string describe(const InputLimit& l);
// "a fraction from 0 to 1 (0.05 is 5 %)" (the local rate as a batch line
// or the settings keep it).
std::string describeFraction(const InputLimit& l);
// What the calculator says: `The 401(k)% "150" is outside its range: enter
// a percentage from 0 to 100 (5 and 0.05 both mean 5 %).`
std::string outOfRange(const InputLimit& l, std::string_view typed);

// Pre-Tax and Pre-FICA are parts of the gross pay, so neither is above the
// income: of texts as typed (blank is 0), the first that is; nothing when
// both fit or a text does not read (its own check says so).
std::optional<Input> partAboveIncome(std::string_view income, std::string_view preTax, std::string_view preFica);
// `The Pre-FICA "2000" is more than the Income Amount "1000".`
std::string aboveIncome(Input part, std::string_view typed, std::string_view income);

// What a typed percentage will be taken as, when that may surprise: "0.5 =
// 50 %" for a value below 1 (above 0); "" otherwise or for text that is not
// a number.
std::string percentHint(std::string_view typed);
// A kept fraction as the percentage to show in a field: 0.05 as "5", 0.015
// as "1.5"; below 1 % as the fraction itself ("0.005"), which reads back
// the same.
std::string percentText(double fraction);

}  // namespace wm
