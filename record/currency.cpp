#include "record/currency.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <ostream>

#include "record/runtime_error.h"

namespace wm {

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

// Divides by a power of ten with halves rounded to even or away from zero.
// The divisor is a constant so that no division instruction is needed.
template <std::int64_t By, bool HalfEven>
std::int64_t divRound(std::int64_t v)
{
    std::int64_t q = v / By;
    std::int64_t rem = v % By;
    std::int64_t twice = (rem < 0 ? -rem : rem) * 2;
    int sign = v < 0 ? -1 : 1;
    if (twice > By || (twice == By && (!HalfEven || (q % 2) != 0))) q += sign;
    return q;
}

std::string groupDigits(std::uint64_t whole)
{
    std::string digits = std::to_string(whole);
    std::string out;
    int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        out += digits[static_cast<std::size_t>(i)];
        if ((n - i - 1) % 3 == 0 && i != n - 1) out += ',';
    }
    return out;
}

std::uint64_t magnitude(std::int64_t v)
{
    return v < 0 ? static_cast<std::uint64_t>(-(v + 1)) + 1 : static_cast<std::uint64_t>(v);
}

// The number grammar shared by the money and number readers: the sign,
// the integer part (digits, perhaps with thousands separators) and the
// fraction digits, as parts of the text; false when the text is not a number.
struct Number {
    bool negative = false;
    std::string_view whole;
    std::string_view frac;
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool lex(std::string_view s, Number& n)
{
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    if (s.empty()) return false;
    if (s.front() == '(') {
        if (s.back() != ')') return false;
        s = s.substr(1, s.size() - 2);
        n.negative = true;
    }
    bool sawSign = false;
    bool sawDollar = false;
    // Leading sign and dollar sign in either order: "-$5", "$-5".
    for (int i = 0; i < 2 && !s.empty(); ++i) {
        if ((s.front() == '-' || s.front() == '+') && !sawSign) {
            if (s.front() == '-') {
                if (n.negative) return false;
                n.negative = true;
            }
            sawSign = true;
            s.remove_prefix(1);
        } else if (s.front() == '$' && !sawDollar) {
            sawDollar = true;
            s.remove_prefix(1);
        }
    }
    if (s.empty()) return false;
    std::size_t dot = std::string_view::npos;
    char prev = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        // A thousands separator stands between digits of the integer part.
        if (!isDigit(c) && !(c == ',' && dot == std::string_view::npos && isDigit(prev)) &&
            !(c == '.' && dot == std::string_view::npos))
            return false;
        if (c == '.') dot = i;
        prev = c;
    }
    if (prev == ',') return false;
    n.whole = s.substr(0, dot);
    n.frac = dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
    return !(n.whole.empty() && n.frac.empty());
}

// Texts as a batch or a form nearly always holds them: digits, perhaps a
// point and more digits, nothing else. Read straight from the text, up to
// fourteen digits before the point, four after it and fifteen in all (far
// inside both the money range and a double's exact integers), they need
// none of the grammar above; `digits` is the number without its point, `decimals` how
// many of its digits follow it. False for any other text.
struct Plain {
    std::uint64_t digits = 0;
    int decimals = 0;
};

bool plainNumber(std::string_view s, Plain& p)
{
    // The digits gather in a local: through `p` each one would be stored
    // and read back, as the text's chars may alias it.
    std::uint64_t digits = 0;
    std::size_t i = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) digits = digits * 10 + static_cast<std::uint64_t>(s[i] - '0');
    if (i == 0 || i > 14) return false;
    if (i < s.size() && s[i] == '.') {
        const std::size_t point = ++i;
        for (; i < s.size() && isDigit(s[i]); ++i) digits = digits * 10 + static_cast<std::uint64_t>(s[i] - '0');
        p.decimals = static_cast<int>(i - point);
        if (p.decimals > 4 || point - 1 + static_cast<std::size_t>(p.decimals) > 15) return false;
    }
    p.digits = digits;
    return i == s.size();
}

}  // namespace

Currency Currency::round(double x)
{
    const double scaled = x * 10000.0;
    // 2^63 is the first value that does not fit.
    if (!(scaled > -9223372036854775808.0 && scaled < 9223372036854775808.0)) raise(err::kOverflow);
    // Nearest whole number, ties to even: below 2^52 adding and taking away
    // 2^52 leaves exactly that (the rounding the hardware does on the sum);
    // from 2^52 on every double is whole already.
    constexpr double k2p52 = 4503599627370496.0;
    double whole = scaled;
    if (scaled >= 0 && scaled < k2p52)
        whole = (scaled + k2p52) - k2p52;
    else if (scaled < 0 && scaled > -k2p52)
        whole = (scaled - k2p52) + k2p52;
    return Currency(static_cast<std::int64_t>(whole));
}

Currency Currency::operator+(Currency o) const
{
    std::int64_t out;
    if (__builtin_add_overflow(v_, o.v_, &out)) raise(err::kOverflow);
    return Currency(out);
}

Currency Currency::operator-(Currency o) const
{
    std::int64_t out;
    if (__builtin_sub_overflow(v_, o.v_, &out)) raise(err::kOverflow);
    return Currency(out);
}

Currency Currency::operator-() const { return Currency() - *this; }

void Currency::overflow() { raise(err::kOverflow); }

Currency Currency::operator*(std::int64_t n) const
{
    std::int64_t out;
    if (__builtin_mul_overflow(v_, n, &out)) raise(err::kOverflow);
    return Currency(out);
}

// Rounding up near either end of the range can leave it: the products are checked.
Currency centsRound(Currency c) { return Currency::fromCount(divRound<100, false>(c.count())) * 100; }

Currency wholeDollarRound(Currency c)
{
    return Currency::fromCount(divRound<Currency::kScale, true>(c.count())) * Currency::kScale;
}

// A plain loop: the text is nearly always a number, settled at its first
// character, where find_first_not_of would search the set for it.
bool isBlank(std::string_view text)
{
    for (const char c : text)
        if (c != ' ' && c != '\t') return false;
    return true;
}

bool plainCurrency(std::string_view text, Currency& c)
{
    Plain p;
    if (!plainNumber(text, p)) return false;
    for (int i = p.decimals; i < 4; ++i) p.digits *= 10;
    c = Currency::fromCount(static_cast<std::int64_t>(p.digits));
    return true;
}

Currency toCurrency(std::string_view text)
{
    if (Currency c; plainCurrency(text, c)) return c;
    Number n;
    if (!lex(text, n)) raise(err::kTypeMismatch);
    // Fifteen significant digits and four decimals stay below 2^64, so the
    // magnitude is formed without overflow and then checked against the
    // signed range.
    std::uint64_t count = 0;
    int digits = 0;
    for (const char d : n.whole) {
        if (d == ',' || (d == '0' && digits == 0)) continue;
        if (++digits > 15) raise(err::kOverflow);
        count = count * 10 + static_cast<std::uint64_t>(d - '0');
    }
    count *= Currency::kScale;
    const std::string_view frac = n.frac;
    std::uint64_t f = 0;
    for (std::size_t i = 0; i < 4; ++i) f = f * 10 + static_cast<std::uint64_t>(i < frac.size() ? frac[i] - '0' : 0);
    if (frac.size() > 4) {
        // Round the dropped digits half to even.
        char next = frac[4];
        bool rest = frac.find_first_not_of('0', 5) != std::string_view::npos;
        if (next > '5' || (next == '5' && (rest || (f % 2) != 0))) ++f;
    }
    count += f;
    const std::uint64_t limit = static_cast<std::uint64_t>(kMax) + (n.negative ? 1 : 0);
    if (count > limit) raise(err::kOverflow);
    if (!n.negative) return Currency::fromCount(static_cast<std::int64_t>(count));
    return Currency::fromCount(count == limit ? std::numeric_limits<std::int64_t>::min()
                                              : -static_cast<std::int64_t>(count));
}

double toDouble(std::string_view text)
{
    // Below 2^53 both the digits and the power of ten are exact doubles, so
    // the one division rounds the decimal value correctly, as from_chars does.
    static constexpr double kTens[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
    if (Plain p; plainNumber(text, p)) return static_cast<double>(p.digits) / kTens[p.decimals];
    Number n;
    if (!lex(text, n)) raise(err::kTypeMismatch);
    // The plain decimal text ("-1234.5"), read correctly rounded.
    std::string plain;
    plain.reserve(n.whole.size() + n.frac.size() + 3);
    if (n.negative) plain += '-';
    for (const char d : n.whole)
        if (d != ',') plain += d;
    if (n.whole.empty()) plain += '0';
    if (!n.frac.empty()) {
        plain += '.';
        plain += n.frac;
    }
    double d = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), d);
    // Beyond the range of a double: what the C library makes of it (an
    // infinity, or a value that underflows to zero or a denormal).
    if (ec != std::errc() || end != plain.data() + plain.size()) d = std::strtod(plain.c_str(), nullptr);
    if (std::isinf(d)) raise(err::kOverflow);
    return d;
}

std::int16_t toInt16(std::string_view text)
{
    double d = std::nearbyint(toDouble(text));
    if (d < -32768.0 || d > 32767.0) raise(err::kOverflow);
    return static_cast<std::int16_t>(d);
}

std::int16_t narrow16(std::int64_t v)
{
    if (v < -32768 || v > 32767) raise(err::kOverflow);
    return static_cast<std::int16_t>(v);
}

std::string formatAmount(Currency c)
{
    std::int64_t cents = divRound<100, false>(c.count());
    std::uint64_t m = magnitude(cents);
    char frac[4];
    std::snprintf(frac, sizeof frac, "%02u", static_cast<unsigned>(m % 100));
    std::string out;
    if (cents < 0) out += '-';
    out += groupDigits(m / 100);
    out += '.';
    out += frac;
    return out;
}

std::string formatCurrency(Currency c)
{
    std::string a = formatAmount(c);
    std::string out;
    if (a.front() == '-') {
        out.append("($").append(a, 1, std::string::npos).append(")");
    } else {
        out.append("$").append(a);
    }
    return out;
}

std::string formatFixed4(Currency c)
{
    // Written by hand: the result labels format eight amounts every pass.
    const std::uint64_t m = magnitude(c.count());
    char buf[32];
    char* end = buf + sizeof buf;
    char* p = end;
    std::uint64_t frac = m % 10000;
    for (int i = 0; i < 4; ++i, frac /= 10) *--p = static_cast<char>('0' + frac % 10);
    *--p = '.';
    std::uint64_t whole = m / 10000;
    do {
        *--p = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (c.count() < 0) *--p = '-';
    return std::string(p, end);
}

std::string formatPlain(Currency c)
{
    std::string s = formatFixed4(c);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string formatPlain(double d)
{
    if (d == 0) return "0";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    // The same digits without an exponent: "5e-05" would not read back as a
    // number (a kept 401(k) fraction of 0.005 % came back as text the
    // calculator refused).
    const std::string s = buf;
    const std::size_t e = s.find('e');
    if (e == std::string::npos) return s;
    const bool negative = s[0] == '-';
    std::string digits;
    for (char c : s.substr(negative ? 1 : 0, e - (negative ? 1 : 0)))
        if (c != '.') digits += c;
    const int point = 1 + std::stoi(s.substr(e + 1));  // digits before the decimal point
    std::string out = negative ? "-" : "";
    if (point <= 0) out += "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    else if (static_cast<std::size_t>(point) >= digits.size())
        out += digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    else out += digits.substr(0, static_cast<std::size_t>(point)) + "." + digits.substr(static_cast<std::size_t>(point));
    return out;
}

std::string formatPercent(double fraction)
{
    Currency hundredths = Currency::round(fraction * 100.0);
    return formatAmount(hundredths) + "%";
}

std::ostream& operator<<(std::ostream& os, Currency c) { return os << formatFixed4(c); }

}  // namespace wm
