#include "record/settings_store.h"

#include <charconv>
#include <cstring>
#include <optional>

#include "record/currency.h"
#include "record/runtime_error.h"

namespace wm {

namespace {

// Whether two texts of `n` bytes are the same: a few loads that may overlap
// rather than a call, as these are short.
bool sameBytes(const char* a, const char* b, std::size_t n)
{
    const auto same = [&](std::size_t at, auto word) {
        std::memcpy(&word, a + at, sizeof word);
        auto other = word;
        std::memcpy(&other, b + at, sizeof other);
        return word == other;
    };
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8)
            if (!same(i, std::uint64_t{})) return false;
        return same(n - 8, std::uint64_t{});
    }
    if (n >= 4) return same(0, std::uint32_t{}) && same(n - 4, std::uint32_t{});
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

bool sameText(std::string_view a, std::string_view b) { return a.size() == b.size() && sameBytes(a.data(), b.data(), a.size()); }

// The known keys by a hash of the section and key: a line's settings are
// looked up, not searched for.
class KnownSettingSlots {
public:
    KnownSettingSlots()
    {
        slots_.fill(-1);
        for (std::size_t k = 0; k < kKnownSettingCount; ++k) {
            std::size_t i = slot(kKnownSettings[k].section, kKnownSettings[k].key);
            while (slots_[i] >= 0) i = (i + 1) % kSlots;
            slots_[i] = static_cast<std::int8_t>(k);
        }
    }
    int find(std::string_view section, std::string_view key) const
    {
        for (std::size_t i = slot(section, key); slots_[i] >= 0; i = (i + 1) % kSlots) {
            const SettingKey& k = kKnownSettings[static_cast<std::size_t>(slots_[i])];
            if (sameText(k.key, key) && sameText(k.section, section)) return slots_[i];
        }
        return -1;
    }

private:
    static std::size_t slot(std::string_view section, std::string_view key)
    {
        std::size_t h = section.size() * 131 + key.size();
        if (!key.empty()) h = h * 31 + static_cast<unsigned char>(key.front()) * 7 + static_cast<unsigned char>(key.back());
        if (!section.empty()) h = h * 31 + static_cast<unsigned char>(section.front());
        return h % kSlots;
    }
    static constexpr std::size_t kSlots = 128;  // well over the keys, so probes stay short
    std::array<std::int8_t, kSlots> slots_{};
};

}  // namespace

std::span<const SettingKey> knownSettings() { return kKnownSettings; }

int knownSettingIndex(std::string_view section, std::string_view key)
{
    static const KnownSettingSlots slots;
    return slots.find(section, key);
}

bool isKnownSetting(std::string_view section, std::string_view key) { return knownSettingIndex(section, key) >= 0; }

void SettingList::writeWhole(std::size_t known) const
{
    char digits[8];
    char* end = std::to_chars(digits, digits + sizeof digits, wholes_[known]).ptr;
    known_[known].assign(digits, end);
    unwritten_ &= ~(std::uint64_t{1} << known);
}

void SettingList::set(std::string_view section, std::string_view key, std::string_view value)
{
    if (const int k = knownSettingIndex(section, key); k >= 0) return set(static_cast<std::size_t>(k), value);
    for (auto& [s, k, v] : others_)
        if (k == key && s == section) {
            v.assign(value);
            return;
        }
    others_.emplace_back(section, key, value);
}

const std::string* SettingList::find(std::string_view section, std::string_view key) const
{
    if (const int k = knownSettingIndex(section, key); k >= 0) return find(static_cast<std::size_t>(k));
    for (const auto& [s, k, v] : others_)
        if (k == key && s == section) return &v;
    return nullptr;
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

// kSettingLimits by the place of each key in kKnownSettings.
const std::array<const SettingLimit*, kKnownSettingCount>& limitsByPlace()
{
    static const auto places = [] {
        std::array<const SettingLimit*, kKnownSettingCount> p{};
        for (const SettingLimit& l : kSettingLimits)
            p[static_cast<std::size_t>(knownSettingIndex(l.key.section, l.key.key))] = &l;
        return p;
    }();
    return places;
}

std::string problemOf(const SettingLimit* row, std::string_view text)
{
    if (!row) return {};
    const InputLimit& l = limitOf(row->input);
    // A text that is no number at all is its reader's to report (a type
    // mismatch), as it always was.
    if (fitOf(l, text, row->kept) != TextFit::Outside) return {};
    return row->kept == Kept::AsFraction ? describeFraction(l) : describe(l);
}
}  // namespace

const SettingLimit* settingLimit(std::size_t known) { return known < kKnownSettingCount ? limitsByPlace()[known] : nullptr; }

std::string settingProblem(std::string_view section, std::string_view key, std::string_view text)
{
    const int k = knownSettingIndex(section, key);
    return k < 0 ? std::string() : problemOf(settingLimit(static_cast<std::size_t>(k)), text);
}

std::string SettingsStore::get(std::string_view section, std::string_view key, std::string_view def)
{
    std::string text = get(kAppName, section, key, def);
    if (text == def) return text;
    const int k = knownSettingIndex(section, key);
    return k < 0 ? text : guarded(static_cast<std::size_t>(k), std::move(text), def);
}

std::string SettingsStore::getKnown(std::size_t known, std::string_view def)
{
    std::string text = knownText(known, def);
    if (text == def) return text;
    return guarded(known, std::move(text), def);
}

std::string SettingsStore::guarded(std::size_t known, std::string text, std::string_view def)
{
    const SettingLimit* row = limitsByPlace()[known];
    if (!row) return text;
    std::string problem = problemOf(row, text);
    if (problem.empty()) return text;
    replaceUnreadable(row->key.section, row->key.key, std::move(text), std::string(def),
                      expectedText(limitOf(row->input), std::move(problem)));
    return std::string(def);
}

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
    if (const Entry* e = find(app, section, key)) return e->value;
    const std::string* listed = findInLists(app, section, key);
    return listed ? *listed : std::string(def);
}

std::string MemorySettingsStore::knownText(std::size_t known, std::string_view def)
{
    const SettingKey& k = kKnownSettings[known];
    if (const Entry* e = find(kAppName, k.section, k.key)) return e->value;
    for (const SettingList* l : lists_)
        if (const std::string* v = l ? l->find(known) : nullptr) return *v;
    return std::string(def);
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
    return find(kAppName, section, key) || findInLists(kAppName, section, key);
}

const std::string* MemorySettingsStore::findInLists(std::string_view app, std::string_view section,
                                                    std::string_view key) const
{
    if (!lists_[0] && !lists_[1]) return nullptr;
    if (app != kAppName) return nullptr;
    const int k = knownSettingIndex(section, key);
    for (const SettingList* l : lists_) {
        if (!l) continue;
        const std::string* v = k >= 0 ? l->find(static_cast<std::size_t>(k)) : l->find(section, key);
        if (v) return v;
    }
    return nullptr;
}

}  // namespace wm
