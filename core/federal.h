#pragma once
// Federal withholding (percentage method, tax year 2000) and FICA.
//
// One table per pay frequency and status, applied to the period's amount
// directly (no annualizing). Thresholds are whole dollars; an amount equal to
// a threshold belongs to the lower bracket.

#include <array>
#include <cstdint>

#include "record/currency.h"

namespace wm {

struct FederalTable {
    std::array<Currency, 5> over;  // T1..T5
    std::array<double, 5> base;    // B(1)..B(5), B(1) = 0
};

inline constexpr std::array<double, 5> kFederalRates = {0.15, 0.28, 0.31, 0.36, 0.396};

// Indexed [married 0 / single 1][HowOft].
extern const std::array<std::array<FederalTable, 4>, 2> kFederalTables;

// Value of one withholding allowance for HowOft 0..3.
inline constexpr std::array<double, 4> kAllowanceValue = {53.85, 116.67, 107.69, 233.33};

// amtDed: currency rounding of allowances x allowance value; 0 for an
// unknown frequency.
Currency allowanceAmount(std::int16_t deps, std::int16_t howOft);

struct FederalResult {
    Currency tax;   // before cents rounding
    int bracket;    // 0 = zero bracket, 1..5
};
// The bracket amount for the federal taxable amount b. valMarried 2 uses
// the single table.
FederalResult federalBracket(Currency b, int howOft, int valMarried);

}  // namespace wm
