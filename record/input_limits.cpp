#include "record/input_limits.h"

#include <cctype>
#include <cmath>

#include "record/runtime_error.h"

namespace wm {

namespace {
std::string_view trimmedView(std::string_view t)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = t.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return t.substr(first, t.find_last_not_of(kBlanks) - first + 1);
}
}  // namespace

bool within(const InputLimit& l, double value)
{
    switch (l.unit) {
    case InputUnit::Amount: return value >= l.lo && value <= l.top.toDouble();
    case InputUnit::Code:
        for (const std::int16_t c : l.codes)
            if (value == c) return true;
        return false;
    default: return value >= l.lo && value <= l.hi;
    }
}

bool within(const InputLimit& l, Currency value)
{
    if (l.unit == InputUnit::Amount) return value >= Currency::dollars(l.lo) && value <= l.top;
    return within(l, value.toDouble());
}

bool withinFraction(const InputLimit& l, double fraction)
{
    return fraction >= l.lo / 100.0 && fraction <= l.hi / 100.0;
}

TextFit fitOf(const InputLimit& l, std::string_view text, Kept kept)
{
    const auto fits = [](bool inside) { return inside ? TextFit::Fits : TextFit::Outside; };
    try {
        if (isBlank(text)) return fits(within(l, 0.0));
        if (l.unit == InputUnit::Amount) return fits(within(l, toCurrency(text)));
        const std::string_view t = trimmedView(text);
        // A letter of the range; any other word is no value at all.
        if (l.unit == InputUnit::Letter && t.size() == 1 && std::isalpha(static_cast<unsigned char>(t[0])) &&
            within(l, static_cast<double>(std::toupper(static_cast<unsigned char>(t[0])) - 'A')))
            return TextFit::Fits;
        const double v = toDouble(text);
        if (kept == Kept::AsFraction) return fits(withinFraction(l, v));
        // A count read as 1.5 would be rounded by the reader: refused instead.
        const bool whole = l.unit == InputUnit::Count || l.unit == InputUnit::Letter || l.unit == InputUnit::Code;
        // Hours to the hundredth, as timesheets keep them: a shorter time
        // would make the largest pay's hourly figure overflow.
        const bool hundredths = l.unit != InputUnit::Hours || std::abs(v * 100 - std::round(v * 100)) < 1e-6;
        return fits((!whole || v == std::floor(v)) && hundredths && within(l, v));
    } catch (const RuntimeError& e) {
        // Digits beyond the money range read, and lie outside every range.
        return e.number() == err::kOverflow ? TextFit::Outside : TextFit::Unreadable;
    }
}

bool textWithin(const InputLimit& l, std::string_view text, Kept kept) { return fitOf(l, text, kept) == TextFit::Fits; }

std::string describe(const InputLimit& l)
{
    const std::string range = " from " + std::to_string(l.lo) + " to ";
    switch (l.unit) {
    case InputUnit::Amount: return "an amount" + range + formatAmount(l.top);
    case InputUnit::Percent: return "a percentage" + range + std::to_string(l.hi);
    case InputUnit::Count: return "a whole number" + range + std::to_string(l.hi);
    case InputUnit::Hours: return "hours" + range + std::to_string(l.hi) + ", to the hundredth";
    case InputUnit::Letter:
        return std::string("a letter from ") + static_cast<char>('A' + l.lo) + " to " + static_cast<char>('A' + l.hi) +
               " (or " + std::to_string(l.lo) + " to " + std::to_string(l.hi) + ")";
    case InputUnit::Code: {
        std::string out = "one of";
        for (std::size_t i = 0; i < l.codes.size(); ++i)
            out.append(i == 0 ? " " : i + 1 == l.codes.size() ? " or " : ", ").append(std::to_string(l.codes[i]));
        return out + " (hundredths of a percent: 241 is 2.41 %)";
    }
    }
    return {};
}

std::string describeFraction(const InputLimit& l)
{
    return "a fraction from " + formatPlain(l.lo / 100.0) + " to " + formatPlain(l.hi / 100.0) + " (0.05 is 5 %)";
}

std::string outOfRange(const InputLimit& l, std::string_view typed)
{
    std::string out = "The " + std::string(l.field) + " \"" + std::string(typed) + "\" is outside its range: enter " +
                      describe(l);
    if (l.unit == InputUnit::Percent) out += " (5 and 0.05 both mean 5 %)";
    return out + ".";
}

std::optional<Input> partAboveIncome(std::string_view income, std::string_view preTax, std::string_view preFica)
{
    auto amount = [](std::string_view t) { return isBlank(t) ? Currency() : toCurrency(t); };
    try {
        const Currency gross = amount(income);
        if (amount(preTax) > gross) return Input::PreTax;
        if (amount(preFica) > gross) return Input::PreFica;
    } catch (const RuntimeError&) {
    }
    return std::nullopt;
}

std::string aboveIncome(Input part, std::string_view typed, std::string_view income)
{
    return "The " + std::string(limitOf(part).field) + " \"" + std::string(typed) + "\" is more than the " +
           std::string(limitOf(Input::Income).field) + " \"" + std::string(income) +
           "\": it is a part of the gross pay.";
}

std::string percentHint(std::string_view typed)
{
    if (isBlank(typed)) return {};
    double v = 0;
    try {
        v = toDouble(typed);
    } catch (const RuntimeError&) {
        return {};
    }
    if (!(v > 0 && v < 1)) return {};
    return formatPlain(v) + " = " + formatPlain(v * 100) + " %";
}

std::string percentText(double fraction)
{
    const double percent = fraction * 100;
    return percent >= 1 ? formatPlain(percent) : formatPlain(fraction);
}

}  // namespace wm
