#include "record/settings_store.h"

#include <optional>

#include "record/currency.h"
#include "record/runtime_error.h"

namespace wm {

namespace {
constexpr SettingKey kKnownSettings[] = {
    {"Settings", "Deps"},         {"Settings", "IncAmt"},      {"Settings", "401k"},
    {"Settings", "NotTax"},       {"Settings", "SSExmp"},      {"Settings", "Hours"},
    {"Settings", "Frequency"},    {"Settings", "MaritalStat"}, {"Settings", "Self"},
    {"Settings", "LocalAmt"},     {"Settings", "BckGnd"},      {"Settings", "State"},
    {"Settings", "StateName"},    {"Settings", "Local"},       {"Settings", "ApplyTo"},
    {"Settings", "ApplyToDisp"},  {"Settings", "PgInst"},      {"Settings", "BckGndDsgn"},
    {"Settings", "Animations"},   {"User", "UName"},           {"User", "UAdd"},
    {"User", "UCity"},            {"User", "USSN"},            {"User", "Marital1"},
    {"User", "Marital0"},         {"User", "DontShow"},        {"StateInfo", "sta401"},
    {"StateInfo", "staPreTax"},   {"StateInfo", "staDeps"},    {"StateInfo", "ILINDeps"},
    {"StateInfo", "staExmp"},     {"StateInfo", "staAdd"},     {"StateInfo", "staMarried"},
    {"StateInfo", "staRate"},     {"StateInfo", "missPart"},   {"StateInfo", "MMethod"},
    // The state the options were accepted for.
    {"StateInfo", "StateName"},
    // The main window's place and the explanation's state.
    {"Window", "Geometry"},       {"Window", "Explanation"},
};
}  // namespace

std::span<const SettingKey> knownSettings() { return kKnownSettings; }

bool isKnownSetting(std::string_view section, std::string_view key)
{
    for (const SettingKey& k : kKnownSettings)
        if (k.key == key && k.section == section) return true;
    return false;
}

// The saved text read by `read`, which returns nothing or raises for a text
// it cannot take; then the default, saved in its place.
template <class T, class Read>
T SettingsStore::checkedRead(std::string_view section, std::string_view key, T def, std::string defText, Read read,
                             std::string expected)
{
    std::string text = get(section, key, defText);
    try {
        if (std::optional<T> v = read(text)) return *v;
    } catch (const RuntimeError&) {
    }
    replaceUnreadable(section, key, std::move(text), std::move(defText), std::move(expected));
    return def;
}

namespace {
std::string expectedText(const InputLimit& l, std::string what)
{
    return std::string(l.field) + ": " + what;
}
}  // namespace

std::int16_t SettingsStore::getInt16(std::string_view section, std::string_view key, std::int16_t def,
                                     const InputLimit& limit)
{
    return checkedRead(
        section, key, def, std::to_string(def),
        [&](const std::string& t) -> std::optional<std::int16_t> {
            const std::int16_t v = toInt16(t);
            if (within(limit, static_cast<double>(v))) return v;
            return std::nullopt;
        },
        expectedText(limit, describe(limit)));
}

double SettingsStore::getFraction(std::string_view section, std::string_view key, double def, const InputLimit& limit)
{
    return checkedRead(
        section, key, def, formatPlain(def),
        [&](const std::string& t) -> std::optional<double> {
            const double v = toDouble(t);
            if (withinFraction(limit, v)) return v;
            return std::nullopt;
        },
        expectedText(limit, describeFraction(limit)));
}

std::string SettingsStore::getEntry(std::string_view section, std::string_view key, std::string_view def,
                                    const InputLimit& limit)
{
    return checkedRead(
        section, key, std::string(def), std::string(def),
        [&](const std::string& t) -> std::optional<std::string> {
            if (isBlank(t)) return t;
            const bool ok = limit.unit == InputUnit::Amount ? within(limit, toCurrency(t)) : within(limit, toDouble(t));
            if (ok) return t;
            return std::nullopt;
        },
        expectedText(limit, describe(limit)));
}

std::int16_t SettingsStore::getInt16(std::string_view section, std::string_view key, std::int16_t def,
                                     std::int16_t lo, std::int16_t hi)
{
    return checkedRead(section, key, def, std::to_string(def), [&](const std::string& t) -> std::optional<std::int16_t> {
        const std::int16_t v = toInt16(t);
        if (v >= lo && v <= hi) return v;
        return std::nullopt;
    });
}

double SettingsStore::getDouble(std::string_view section, std::string_view key, double def)
{
    return checkedRead(section, key, def, formatPlain(def),
                       [](const std::string& t) { return std::optional<double>(toDouble(t)); });
}

Currency SettingsStore::getCurrency(std::string_view section, std::string_view key, Currency def)
{
    return checkedRead(section, key, def, formatPlain(def),
                       [](const std::string& t) { return std::optional<Currency>(toCurrency(t)); });
}

std::string SettingsStore::getChoice(std::string_view section, std::string_view key, std::string_view def,
                                     std::initializer_list<std::string_view> choices)
{
    return checkedRead(section, key, std::string(def), std::string(def),
                       [&](const std::string& t) -> std::optional<std::string> {
                           for (std::string_view c : choices)
                               if (t == c) return t;
                           return std::nullopt;
                       });
}

void SettingsStore::replaceUnreadable(std::string_view section, std::string_view key, std::string text,
                                      std::string replacement, std::string expected)
{
    // Saved at once, so that the next start reads cleanly.
    save(section, key, replacement);
    if (!toldUnreadable_.emplace(std::string(section), std::string(key)).second) return;
    if (onUnreadable)
        onUnreadable(UnreadableSetting{std::string(section), std::string(key), std::move(text), std::move(replacement),
                                       std::move(expected)});
}

void SettingsStore::saveFailed(const std::string& where, const std::string& why)
{
    if (std::exchange(toldSaveFailed_, true)) return;
    if (onSaveFailed) onSaveFailed(where, why);
}

void SettingsStore::leftOut(const std::string& where, const std::string& what)
{
    if (std::exchange(toldLeftOut_, true)) return;
    if (onLeftOut) onLeftOut(where, what);
}

const MemorySettingsStore::Entry* MemorySettingsStore::find(std::string_view app, std::string_view section,
                                                            std::string_view key) const
{
    for (std::size_t i = 0; i < size_; ++i) {
        const Entry& e = entries_[i];
        if (e.key == key && e.section == section && e.app == app) return &e;
    }
    return nullptr;
}

std::string MemorySettingsStore::get(std::string_view app, std::string_view section,
                                     std::string_view key, std::string_view def)
{
    const Entry* e = find(app, section, key);
    return e ? e->value : std::string(def);
}

void MemorySettingsStore::save(std::string_view app, std::string_view section,
                               std::string_view key, std::string_view value)
{
    if (const Entry* found = find(app, section, key)) {
        const_cast<Entry*>(found)->value = value;
        return;
    }
    if (size_ == entries_.size()) entries_.emplace_back();
    Entry& e = entries_[size_++];
    e.app = app;
    e.section = section;
    e.key = key;
    e.value = value;
}

bool MemorySettingsStore::contains(std::string_view section, std::string_view key) const
{
    return find(kAppName, section, key) != nullptr;
}

}  // namespace wm
