#pragma once
// Money in Wagemark.
//
// A `Currency` is a signed 64-bit count of 1/10000 of a dollar. Sums and
// differences are exact; a result outside the 64-bit range is the run-time
// overflow error (6), as every other arithmetic fault of a calculation is.
//
// Rates never touch a Currency directly. A product of money and a rate is
// formed in double precision from `toDouble()` and brought back with
// `Currency::round` (currency rounding: nearest 1/10000, ties to even). Three
// more roundings exist because the withholding rules use them:
//   - `centsRound`: whole cents, halves away from zero (what formatting an
//     amount as "$1,234.50" and reading it back does),
//   - `wholeDollarRound`: whole dollars, halves to the even dollar,
//   - `roundToCentsEven`: whole cents, halves to even (the result labels
//     show amounts this way).
//
// Literals: `52.88_usd` or `86_usd` give the exact amount at compile time, so
// table data never passes through a binary fraction.

#include <compare>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace wm {

class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromCount(std::int64_t count) { return Currency(count); }
    static constexpr Currency dollars(std::int64_t whole) { return Currency(checkedTimes(whole, kScale)); }
    static constexpr Currency cents(std::int64_t c) { return Currency(checkedTimes(c, 100)); }

    // Currency rounding of a double: nearest 1/10000, ties to even.
    // NaN or a value beyond the 64-bit range raises overflow (6).
    static Currency round(double x);

    constexpr std::int64_t count() const { return v_; }
    constexpr double toDouble() const { return static_cast<double>(v_) / 10000.0; }
    constexpr bool isZero() const { return v_ == 0; }

    Currency operator+(Currency o) const;
    Currency operator-(Currency o) const;
    Currency operator-() const;
    Currency& operator+=(Currency o) { return *this = *this + o; }
    Currency& operator-=(Currency o) { return *this = *this - o; }
    // Money times a whole count (annual amounts, per-allowance sums): exact.
    Currency operator*(std::int64_t n) const;

    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(std::int64_t v) : v_(v) {}
    // a x b, or overflow (6) when it leaves the range.
    static constexpr std::int64_t checkedTimes(std::int64_t a, std::int64_t b)
    {
        std::int64_t out = 0;
        if (__builtin_mul_overflow(a, b, &out)) overflow();
        return out;
    }
    [[noreturn]] static void overflow();
    std::int64_t v_ = 0;
};

Currency centsRound(Currency c);        // halves away from zero
// Halves to even. Inline, as every pass rounds its result labels with it.
// Both ends of the range lie less than half a cent past a whole cent, so the
// rounded amount never leaves it and the product needs no check.
inline Currency roundToCentsEven(Currency c)
{
    // By the magnitude, and m / 100 as the multiplication a compiler makes
    // of it (m / 4 times 2^66 / 25 rounded up, then / 2^66), written out:
    // inlined into a long procedure, the compiler chose a division.
    const std::int64_t v = c.count();
    const std::uint64_t m = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    __extension__ using Wide = unsigned __int128;
    std::uint64_t cents = static_cast<std::uint64_t>((Wide{m >> 2} * 0x28F5C28F5C28F5C3u) >> 66);
    const std::uint64_t rem = m - cents * 100;
    if (rem > 50 || (rem == 50 && cents % 2 != 0)) ++cents;
    const auto rounded = static_cast<std::int64_t>(cents * 100);
    return Currency::fromCount(v < 0 ? -rounded : rounded);
}
Currency wholeDollarRound(Currency c);  // halves to the even dollar

namespace detail {
consteval Currency parseLiteral(const char* s)
{
    std::int64_t whole = 0;
    std::int64_t frac = 0;
    int fracDigits = 0;
    bool inFrac = false;
    for (; *s; ++s) {
        if (*s == '\'') continue;
        if (*s == '.') { inFrac = true; continue; }
        if (*s < '0' || *s > '9') throw "not a plain decimal literal";
        if (inFrac) {
            if (++fracDigits > 4) throw "more than four decimals";
            frac = frac * 10 + (*s - '0');
        } else {
            whole = whole * 10 + (*s - '0');
        }
    }
    for (; fracDigits < 4; ++fracDigits) frac *= 10;
    return Currency::fromCount(whole * Currency::kScale + frac);
}
}  // namespace detail

inline namespace literals {
consteval Currency operator""_usd(const char* s) { return detail::parseLiteral(s); }
}  // namespace literals

// ---- Text conversions -------------------------------------------------
// An entry of nothing but spaces and tabs: the fields read it as 0.
bool isBlank(std::string_view text);
// Reading accepts what a user types into a money field: "1234.5",
// "1,234.50", "$1,234.50", "(1,234.50)", "-5", with blanks around. Extra
// decimals round half to even. Anything else raises type mismatch (13); an
// amount beyond the range raises overflow (6).
Currency toCurrency(std::string_view text);
// A plain amount as most inputs write it ("1250", "980.06"): what
// toCurrency makes of it, read without the general grammar; false (and `c`
// untouched) for any other text, which toCurrency still reads.
bool plainCurrency(std::string_view text, Currency& c);
// The same grammar read as a double (401(k) percentages, rates).
double toDouble(std::string_view text);
// Text into a 16-bit field: halves to even, overflow (6) outside
// -32,768..32,767, type mismatch (13) for text that is not a number.
std::int16_t toInt16(std::string_view text);
// A wide value stored into a 16-bit field: overflow (6) when it does not fit.
std::int16_t narrow16(std::int64_t v);

// "$1,234.50", negatives "($1,234.50)"; cents-rounded first.
std::string formatCurrency(Currency c);
// "1,234.50", negatives "-1,234.50": amounts inside sentences.
std::string formatAmount(Currency c);
// Plain number text, no separators, no trailing zeros: "1234.5", "-5", "0".
std::string formatPlain(Currency c);
// Exactly four decimals, "-" when negative: "1000.0000".
std::string formatFixed4(Currency c);
// Plain text of a double, up to 15 significant digits: "0.05".
std::string formatPlain(double d);
// "12.34%".
std::string formatPercent(double fraction);
// Writes formatFixed4: test failures and logs show the amount.
std::ostream& operator<<(std::ostream& os, Currency c);

}  // namespace wm
