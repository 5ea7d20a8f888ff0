#pragma once
// The pay analysis: its arithmetic, for the analysis window and the printed
// analysis alike.
//
// Ten figures from the last calculation and the hours worked per pay period:
// hourly wages before and after taxes, tax percentages and annual wages. A
// figure counts as what the view shows: currency figures are whole cents,
// percentages hundredths of a percent. The figures agree with the other
// windows: the hourly wages divide the amounts the result grid shows, the
// withheld share counts every deduction of its Total Ded, and the annual
// wages are the period's pay times its periods, as the Year Check has them.
//
// Hourly figures need hours above 0. Without them those figures are left
// out with `kNoHoursMessage` while the other figures still show; without a
// calculation (gross pay 0) nothing can be analysed.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "record/currency.h"
#include "record/pay_record.h"
#include "record/runtime_error.h"
#include "record/settings_store.h"

namespace wm {

inline constexpr int kAnalysisFigureCount = 10;

// Captions (lblAnalysis 0..9), in figure order.
extern const std::array<std::string_view, kAnalysisFigureCount> kAnalysisCaptions;

// The figures come in three groups: hourly (0 to 2), percentages (3 to 7),
// annual (8 and 9); the view and the printed analysis set the groups apart.
inline constexpr std::size_t kFirstPercentFigure = 3;
inline constexpr std::size_t kFirstAnnualFigure = 8;
constexpr bool startsAnalysisGroup(std::size_t i) { return i == kFirstPercentFigure || i == kFirstAnnualFigure; }
constexpr bool isPercentFigure(std::size_t i) { return i >= kFirstPercentFigure && i < kFirstAnnualFigure; }

inline constexpr std::string_view kNoHoursMessage =
    "Enter the hours worked on the calculator to see hourly figures";
inline constexpr std::string_view kNoCalculationMessage =
    "You have to make some calculations for me to analyze!";

struct AnalysisFigure {
    bool available = false;
    bool percent = false;  // "Percent" format, else "Currency"
    Currency amount;       // currency figures: the shown amount, whole cents
    double fraction = 0;   // percent figures: the shown fraction (0.1053 = 10.53%)

    // "$25.00", "10.53%", or "" when not available.
    std::string text() const;
};

struct Analysis {
    std::array<AnalysisFigure, kAnalysisFigureCount> figures{};
    std::string message;  // why figures are missing; empty when all show
};

// The ten figures of the record's last calculation for `hours` per period.
// With T = fTax + sTax + amtLocalTax, amounts "shown" in whole cents as the
// grid shows them, and Freq the periods of that calculation:
//   0 shown Gross Pay / hours          1 (shown Gross Pay - shown taxes) / hours
//   2 shown Check Amt / hours          3 T / SSBase
//   4 amtDedTot (Total Ded) / SSBase   5 fTax / (SSBase - amt401k - PreTax)
//   6 fTax / SSBase                    7 sTax / SSBase
//   8 SSBase x Freq                    9 (SSBase - T) x Freq
// Raises overflow (6) when an amount is beyond the money range.
Analysis analyzePay(const PayRecord& r, int hours);

// The number a field shows for `value` after the runtime writes its plain
// text (15 significant digits) and the display format rounds it, halves
// away from zero: whole cents, or with `percent` hundredths of a percent.
// Returns the count of those units. Raises overflow (6) beyond the range.
std::int64_t shownUnits(double value, bool percent);

// The "Hours" setting as a 16-bit integer; an empty text is 0 hours.
// Text that is not a number raises type mismatch (13).
std::int16_t readHours(SettingsStore& settings);

}  // namespace wm
