#include "record/input_limits.h"

#include <limits>

#include "record/runtime_error.h"

namespace wm {

namespace {
// The top of the money range with every decimal: "922,337,203,685,477.5807".
std::string moneyTop()
{
    const Currency top = Currency::fromCount(std::numeric_limits<std::int64_t>::max());
    const std::string whole = formatAmount(Currency::dollars(top.count() / Currency::kScale));
    std::string digits = std::to_string(top.count() % Currency::kScale);
    digits.insert(0, 4 - digits.size(), '0');
    return whole.substr(0, whole.size() - 3) + "." + digits;
}
}  // namespace

bool within(const InputLimit& l, double value)
{
    if (l.unit == InputUnit::Amount) return value >= l.lo;  // the conversion keeps the top
    if (l.unit == InputUnit::Year) return value >= l.lo && value <= kYearAmountTop.toDouble();
    return value >= l.lo && value <= l.hi;
}

bool within(const InputLimit& l, Currency value)
{
    if (l.unit == InputUnit::Amount) return value >= Currency::dollars(l.lo);
    if (l.unit == InputUnit::Year) return value >= Currency::dollars(l.lo) && value <= kYearAmountTop;
    return within(l, value.toDouble());
}

bool withinFraction(const InputLimit& l, double fraction)
{
    return fraction >= l.lo / 100.0 && fraction <= l.hi / 100.0;
}

std::string describe(const InputLimit& l)
{
    const std::string range = " from " + std::to_string(l.lo) + " to ";
    switch (l.unit) {
    case InputUnit::Amount: return "an amount" + range + moneyTop();
    case InputUnit::Year: {
        const std::string top = formatAmount(kYearAmountTop);
        return "an amount" + range + top.substr(0, top.size() - 3);  // whole dollars
    }
    case InputUnit::Percent: return "a percentage" + range + std::to_string(l.hi);
    case InputUnit::Count: return "a whole number" + range + std::to_string(l.hi);
    case InputUnit::Hours: return "hours" + range + std::to_string(l.hi);
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
