#pragma once
// Reading what the user typed into a worksheet line.
//
// A worksheet entry that cannot be read is refused before anything changes:
// the window shows the message, which names the line, and every line and
// program-wide count keeps its value. Faults that are not about an entry
// (a total that overflows its field) still go through the error scheme.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/currency.h"

namespace wm::w4 {

// Why an entry was refused. `line` is the line as the worksheet names it
// ("D", "4", "9"); `message` is the full text for the message box.
struct Refusal {
    std::string line;
    std::string message;
    bool operator==(const Refusal&) const = default;
};

// A value read from an entry, or the reason it could not be.
template <class T>
struct Read {
    T value{};
    std::optional<Refusal> refusal;
    explicit operator bool() const { return !refusal; }
};

// True when the entry holds nothing but blanks: such a line counts as 0.
bool isBlank(std::string_view text);

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
