#pragma once
// Reading what the user typed into a worksheet line. A refusal names the
// line ("Line 4: ...") and says what the line takes.

#include <cstdint>
#include <string_view>

#include "app/entry.h"

namespace wm::w4 {

// A money line ("1,250.00", "$1,250", "(50)"); blank gives 0.
Read<Currency> readMoney(std::string_view text, std::string_view line);

// A count that may carry a fraction (line D); blank gives 0. Negative
// counts and counts beyond a 16-bit field are refused.
Read<double> readCount(std::string_view text, std::string_view line);

// A whole count of a 16-bit field (line G): the number rounded, halves to
// even; blank gives 0. Negative counts and values beyond the field are refused.
Read<std::int16_t> readWholeCount(std::string_view text, std::string_view line);

// The number of pay periods left (Two-Earner/Two-Job line 9): a number
// above 0. Blank is not read here; the worksheet puts "1" there first.
Read<double> readPayPeriods(std::string_view text, std::string_view line);

// The title of every refusal message box.
inline constexpr std::string_view kRefusalTitle = "Entry Not Accepted";

}  // namespace wm::w4
