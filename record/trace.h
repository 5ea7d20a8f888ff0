#pragma once
// The explanation of one calculation: how the pass reached each number.
//
// Every step of the pass and every state calculator writes what it did
// ("Married weekly table: 15 % of the excess over 124.00", "New Mexico
// exemption 2 x 52.88") with the amount it produced. Tracing is off unless a
// caller hands the pass a `Trace`; when off, `Pass::explain` returns before it
// formats anything.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/currency.h"

namespace wm {

struct TraceLine {
    std::string text;
    std::optional<Currency> amount;
};

struct Trace {
    std::vector<TraceLine> lines;
};

// A rate shown as a percentage in a sentence: Pct{0.032} -> "3.2 %".
struct Pct {
    double rate;
};

namespace detail {
void appendPart(std::string& s, std::string_view v);
void appendPart(std::string& s, Currency v);  // "1,234.50"
void appendPart(std::string& s, double v);    // plain, up to 15 digits
void appendPart(std::string& s, Pct v);
void appendPart(std::string& s, long long v);
inline void appendPart(std::string& s, const char* v) { appendPart(s, std::string_view(v)); }
inline void appendPart(std::string& s, const std::string& v) { appendPart(s, std::string_view(v)); }
inline void appendPart(std::string& s, int v) { appendPart(s, static_cast<long long>(v)); }
inline void appendPart(std::string& s, short v) { appendPart(s, static_cast<long long>(v)); }
inline void appendPart(std::string& s, long v) { appendPart(s, static_cast<long long>(v)); }
}  // namespace detail

template <class... Parts>
std::string concat(const Parts&... parts)
{
    std::string s;
    (detail::appendPart(s, parts), ...);
    return s;
}

// The same appended to `s`, in the storage it already has.
template <class... Parts>
void appendTo(std::string& s, const Parts&... parts)
{
    (detail::appendPart(s, parts), ...);
}

}  // namespace wm
