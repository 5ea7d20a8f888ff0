#include "forms/w4/logic/entry_model.h"

#include <cmath>

#include "record/runtime_error.h"

namespace wm::w4 {

namespace {

std::string quoted(std::string_view text)
{
    std::string t(text);
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.erase(t.begin());
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.pop_back();
    return "\"" + t + "\"";
}

Refusal lineRefusal(std::string_view line, std::string message)
{
    return Refusal{std::string(line), "Line " + std::string(line) + ": " + std::move(message)};
}

template <class T>
Read<T> refuse(std::string_view line, std::string message)
{
    return Read<T>{T{}, lineRefusal(line, std::move(message))};
}

// The line's conversion, with its error turned into a refusal; blank gives 0.
template <class T, class F>
Read<T> convert(std::string_view text, std::string_view line, std::string_view what, F&& f)
{
    return readEntry<T>(text, f, [&](EntryFault fault) {
        if (fault == EntryFault::TooLarge) return lineRefusal(line, quoted(text) + " is too large.");
        return lineRefusal(line, quoted(text) + " is not " + std::string(what) + ". Enter " + std::string(what) +
                                     ", or leave the line empty for 0.");
    });
}

}  // namespace

Read<Currency> readMoney(std::string_view text, std::string_view line)
{
    return convert<Currency>(text, line, "an amount", [](std::string_view t) { return toCurrency(t); });
}

Read<double> readCount(std::string_view text, std::string_view line)
{
    Read<double> r = convert<double>(text, line, "a number", [](std::string_view t) { return toDouble(t); });
    if (!r) return r;
    if (r.value < 0) return refuse<double>(line, "the number cannot be negative.");
    if (r.value > 32767.0) return refuse<double>(line, quoted(text) + " is too large.");
    return r;
}

Read<std::int16_t> readWholeCount(std::string_view text, std::string_view line)
{
    Read<std::int16_t> r =
        convert<std::int16_t>(text, line, "a number", [](std::string_view t) { return toInt16(t); });
    if (r && r.value < 0) return refuse<std::int16_t>(line, "the number cannot be negative.");
    return r;
}

Read<double> readPayPeriods(std::string_view text, std::string_view line)
{
    Read<double> r;
    try {
        r.value = toDouble(text);
    } catch (const RuntimeError&) {
        return refuse<double>(line, quoted(text) + " is not a number. Enter the number of pay periods "
                                                   "remaining in the year.");
    }
    if (!(r.value > 0) || !std::isfinite(r.value))
        return refuse<double>(line, "the number of paydays must be more than 0.");
    return r;
}

}  // namespace wm::w4
