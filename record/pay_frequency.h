#pragma once
// The pay frequencies, one row per `HowOft` code: every layer reads this
// table. The federal and state tables are indexed by the code, the windows
// and the printed statement show the list text, the explanation names the
// tables by the table name, and `wagemark-cli` takes the command-line names.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wm {

// The codes, for the places that name one.
inline constexpr std::int16_t kWeekly = 0;
inline constexpr std::int16_t kSemiMonthly = 1;
inline constexpr std::int16_t kBiWeekly = 2;
inline constexpr std::int16_t kMonthly = 3;

struct PayFrequency {
    std::int16_t code;                         // HowOft: the position in the calculator's list
    std::string_view listText;                 // "Every Two Weeks": the list and the statement
    std::string_view heading;                  // "Every 2 Weeks": the Multiple Check Worksheet's column
    std::string_view tableName;                // "bi-weekly": in the names of the tax tables
    std::array<std::string_view, 3> cliNames;  // --frequency; the first is the one the help offers
    std::int16_t periodsPerYear;               // Freq
    double allowanceValue;                     // one federal withholding allowance for the period
    int defaultHours;                          // hours filled in when none were typed
};

inline constexpr std::size_t kFrequencyCount = 4;

inline constexpr std::array<PayFrequency, kFrequencyCount> kPayFrequencies = {{
    {kWeekly, "Weekly", "Weekly", "weekly", {"weekly"}, 52, 53.85, 40},
    {kSemiMonthly, "Twice A Month", "Twice A Month", "semi-monthly", {"semimonthly", "semi-monthly", "twice-a-month"},
     24, 116.67, 86},
    {kBiWeekly, "Every Two Weeks", "Every 2 Weeks", "bi-weekly", {"biweekly", "bi-weekly", "every-two-weeks"}, 26,
     107.69, 80},
    {kMonthly, "Monthly", "Monthly", "monthly", {"monthly"}, 12, 233.33, 173},
}};

// The highest code.
inline constexpr std::int16_t kLastFrequency = static_cast<std::int16_t>(kFrequencyCount - 1);

// The frequency of a first start.
inline constexpr std::int16_t kDefaultFrequency = kBiWeekly;

// A value for each frequency, indexed by `HowOft`.
template <class T>
using ByFrequency = std::array<T, kFrequencyCount>;

// Whether a code has a row; every other code has no table.
constexpr bool knownFrequency(int howOft) { return howOft >= 0 && howOft < static_cast<int>(kFrequencyCount); }

// The row of a code; null for a code without one.
constexpr const PayFrequency* payFrequency(int howOft)
{
    return knownFrequency(howOft) ? &kPayFrequencies[static_cast<std::size_t>(howOft)] : nullptr;
}

// Periods per year of a code; 0 for a code without a row.
constexpr std::int16_t periodsPerYear(int howOft)
{
    const PayFrequency* f = payFrequency(howOft);
    return f ? f->periodsPerYear : 0;
}

static_assert([] {
    for (std::size_t i = 0; i < kFrequencyCount; ++i)
        if (kPayFrequencies[i].code != static_cast<std::int16_t>(i)) return false;
    return knownFrequency(kDefaultFrequency);
}(), "the code of each row is its position");

}  // namespace wm
