#pragma once
// Reading what the user typed into a field.
//
// An entry that cannot be read is refused before anything changes: the
// window shows the message, which names the field, puts the focus there, and
// nothing is calculated or saved. Faults that are not about an entry (a total
// that overflows its field) still go through the error scheme.

#include <optional>
#include <string>
#include <string_view>

#include "record/currency.h"
#include "record/input_limits.h"
#include "record/runtime_error.h"

namespace wm {

// Why an entry was refused. `field` is the field as its form names it
// ("Income Amount", or a worksheet line "D", "4", "9"); `message` is the full
// text for the message box; `input` the entry of the table of input limits
// it was, where it was one: the window puts the focus there.
struct Refusal {
    std::string field;
    std::string message;
    std::optional<Input> input = std::nullopt;
    bool operator==(const Refusal&) const = default;

    // A refusal of an input of the limits table, named as the table names it.
    static Refusal of(Input input, std::string message)
    {
        return {std::string(limitOf(input).field), std::move(message), input};
    }
};

// A value read from an entry, or the reason it could not be.
template <class T>
struct Read {
    T value{};
    std::optional<Refusal> refusal;
    explicit operator bool() const { return !refusal; }
};

// What was wrong with an entry the conversion did not accept.
enum class EntryFault { TooLarge, NotReadable };

// Reads an entry with `convert` (toCurrency, toDouble, ...); blank gives T{}.
// A conversion error becomes the refusal `refuse(fault)` words.
template <class T, class Convert, class Refuse>
Read<T> readEntry(std::string_view text, Convert&& convert, Refuse&& refuse)
{
    if (isBlank(text)) return {};
    try {
        return Read<T>{convert(text), std::nullopt};
    } catch (const RuntimeError& e) {
        return Read<T>{T{}, refuse(e.number() == err::kOverflow ? EntryFault::TooLarge : EntryFault::NotReadable)};
    }
}

}  // namespace wm
