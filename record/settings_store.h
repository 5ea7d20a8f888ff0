#pragma once
// The per-user settings store: text values by application, section and key.
//
// Wagemark keeps every entry and preference here as text (amounts as plain
// number text, codes as decimal text, flags as "Y"/"N"). There is no delete
// and no enumeration. The desktop program uses a per-user file store; batch
// lines and tests use `MemorySettingsStore`.
//
// Numbers that forms read when they load go through the checked reads
// (`getInt16`, `getDouble`, `getEntry`, ...): a saved text that cannot be
// read, or that is outside the range of its input (record/input_limits.h), is
// replaced by the default, which is saved in its place, and the user is
// told once.

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "record/currency.h"
#include "record/input_limits.h"

namespace wm {

inline constexpr std::string_view kAppName = "Wagemark99";

// A key the programs read or save, with its section.
struct SettingKey {
    std::string_view section;
    std::string_view key;
};
// Every one of them: what a settings file or a batch line can hold that
// anything reads.
inline constexpr SettingKey kKnownSettings[] = {
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
inline constexpr std::size_t kKnownSettingCount = std::size(kKnownSettings);  // 39
std::span<const SettingKey> knownSettings();
bool isKnownSetting(std::string_view section, std::string_view key);
// The place of a key in kKnownSettings, or -1: hashed, for keys read at run
// time.
int knownSettingIndex(std::string_view section, std::string_view key);
// The same for a key written in the code: a key that is not there does not
// compile.
consteval std::size_t knownSetting(std::string_view section, std::string_view key)
{
    std::size_t i = 0;
    while (kKnownSettings[i].section != section || kKnownSettings[i].key != key) ++i;
    return i;
}

// The input a saved setting holds, where it is one of the table of input
// limits: the settings file, `--setting` and a batch line's "settings" are
// read against that row, as the field, option or key of the same input is.
struct SettingLimit {
    SettingKey key;
    Input input;
    Kept kept = Kept::AsTyped;
};
inline constexpr SettingLimit kSettingLimits[] = {
    {{"Settings", "Deps"}, Input::Exemptions},
    {{"Settings", "IncAmt"}, Input::Income},
    {{"Settings", "401k"}, Input::Percent401k},  // 5 or its fraction 0.05, as typed
    {{"Settings", "NotTax"}, Input::PreTax},
    {{"Settings", "SSExmp"}, Input::PreFica},
    {{"Settings", "Hours"}, Input::Hours},
    {{"Settings", "Frequency"}, Input::Frequency},
    {{"Settings", "MaritalStat"}, Input::MaritalStatus},
    {{"Settings", "State"}, Input::State},
    {{"Settings", "Local"}, Input::LocalRate, Kept::AsFraction},
    {{"Settings", "ApplyTo"}, Input::LocalBase},
    {{"StateInfo", "staDeps"}, Input::StateDeps},
    {{"StateInfo", "ILINDeps"}, Input::SecondDeps},
    {{"StateInfo", "staExmp"}, Input::StateExemptions},
    {{"StateInfo", "staAdd"}, Input::StateAdd},
    {{"StateInfo", "staMarried"}, Input::StateStatus},
    {{"StateInfo", "staRate"}, Input::StateRate},
    {{"StateInfo", "missPart"}, Input::MississippiPart},
    {{"StateInfo", "MMethod"}, Input::CountyRate},
};
// The row of a known setting (its place in kKnownSettings), or null.
const SettingLimit* settingLimit(std::size_t known);
// What a setting's text must be, as every refusal words it ("a whole number
// from 0 to 99"); "" when the text is one, is no number at all (its reader
// reports that as a type mismatch), or the setting holds no input of the
// table.
std::string settingProblem(std::string_view section, std::string_view key, std::string_view text);

// Settings given for one calculation (a batch line's "settings", calc's
// --setting): one value per key, the last one given. Known keys sit at
// their place in kKnownSettings, so setting and finding one takes no
// search; the storage is kept from line to line.
class SettingList {
public:
    void set(std::size_t known, std::string_view value)
    {
        // Appended to an emptied text: a shorter path than assign's, which
        // allows for the value lying in the text itself.
        known_[known].clear();
        known_[known].append(value);
        given_ |= std::uint64_t{1} << known;
        unwritten_ &= ~(std::uint64_t{1} << known);
    }
    // A whole number, its text ("-12") made only when something reads it: a
    // batch line sets several that most calculations never read.
    void setWhole(std::size_t known, std::int16_t value)
    {
        wholes_[known] = value;
        given_ |= std::uint64_t{1} << known;
        unwritten_ |= std::uint64_t{1} << known;
    }
    void set(std::string_view section, std::string_view key, std::string_view value);
    const std::string* find(std::size_t known) const
    {
        if (!(given_ >> known & 1)) return nullptr;
        if (unwritten_ >> known & 1) writeWhole(known);
        return &known_[known];
    }
    const std::string* find(std::string_view section, std::string_view key) const;
    void clear()
    {
        given_ = 0;
        unwritten_ = 0;
        others_.clear();
    }
    // f(section, key, value) for each value.
    template <class F>
    void forEach(F&& f) const
    {
        for (std::size_t i = 0; i < kKnownSettingCount; ++i)
            if (given_ >> i & 1) f(kKnownSettings[i].section, kKnownSettings[i].key, std::string_view(*find(i)));
        for (const auto& [section, key, value] : others_)
            f(std::string_view(section), std::string_view(key), std::string_view(value));
    }

private:
    static_assert(kKnownSettingCount <= 64);
    void writeWhole(std::size_t known) const;
    // Written on reading (setWhole), hence mutable; a list is read by one
    // calculation at a time.
    mutable std::array<std::string, kKnownSettingCount> known_;
    std::array<std::int16_t, kKnownSettingCount> wholes_{};
    std::uint64_t given_ = 0;              // bit i: known_[i] or wholes_[i] holds a value
    mutable std::uint64_t unwritten_ = 0;  // bit i: the value is wholes_[i], not yet in known_[i]
    std::vector<std::tuple<std::string, std::string, std::string>> others_;
};

// A saved value that could not be read, and the default used instead.
struct UnreadableSetting {
    std::string section;
    std::string key;
    std::string text;         // as saved
    std::string replacement;  // the default, saved in its place
    std::string expected;     // what the input takes ("Hours: hours from 0 to 744"); "" for a mere number
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(std::string_view app, std::string_view section, std::string_view key,
                            std::string_view def) = 0;
    virtual void save(std::string_view app, std::string_view section, std::string_view key,
                      std::string_view value) = 0;

    // The application is always "Wagemark99". A saved text outside the
    // range of the input it holds (kSettingLimits) reads as `def`, which is
    // saved in its place; the user is told once (`onUnreadable`).
    std::string get(std::string_view section, std::string_view key, std::string_view def);
    void save(std::string_view section, std::string_view key, std::string_view value)
    {
        save(kAppName, section, key, value);
    }
    // The same for a key of kKnownSettings by its place (`knownSetting`).
    std::string getKnown(std::size_t known, std::string_view def);

    // A saved whole number in [lo, hi], or the default when the text is not
    // one (see above).
    std::int16_t getInt16(std::string_view section, std::string_view key, std::int16_t def,
                          std::int16_t lo = std::numeric_limits<std::int16_t>::min(),
                          std::int16_t hi = std::numeric_limits<std::int16_t>::max());
    // A saved whole number within the range of `limit`.
    std::int16_t getInt16(std::string_view section, std::string_view key, std::int16_t def, const InputLimit& limit);
    // A saved number, or the default when the text is not one.
    double getDouble(std::string_view section, std::string_view key, double def);
    // A saved percentage kept as its fraction (0.05 for 5 %), within `limit`.
    double getFraction(std::string_view section, std::string_view key, double def, const InputLimit& limit);
    // The saved text of a field, as it is when it reads (an amount, or a
    // number for the other units) within `limit`; blank reads as 0.
    std::string getEntry(std::string_view section, std::string_view key, std::string_view def,
                         const InputLimit& limit);
    // A saved text that is one of `choices`, or the default.
    std::string getChoice(std::string_view section, std::string_view key, std::string_view def,
                          std::initializer_list<std::string_view> choices);

    // Where the values are kept, for messages ("" when nowhere in particular).
    virtual std::string location() const { return {}; }

    // Hears of each unreadable value, once per key and run.
    std::function<void(const UnreadableSetting&)> onUnreadable;
    // Hears that saving failed, once per run: where, and why.
    std::function<void(const std::string& where, const std::string& why)> onSaveFailed;
    // Hears once per run that the stored settings held more than the
    // program keeps, which is left out: where, and what.
    std::function<void(const std::string& where, const std::string& what)> onLeftOut;

protected:
    // The saved text of a known key: a store that keeps those keys by place
    // finds one without comparing texts.
    virtual std::string knownText(std::size_t known, std::string_view def)
    {
        return get(kAppName, kKnownSettings[known].section, kKnownSettings[known].key, def);
    }
    // For stores that can fail to save: tells `onSaveFailed` the first time.
    void saveFailed(const std::string& where, const std::string& why);
    // For stores that read more than they keep: tells `onLeftOut` the first time.
    void leftOut(const std::string& where, const std::string& what);

private:
    template <class T, class Read>
    T checkedRead(std::string_view section, std::string_view key, T def, std::string defText, Read read,
                  std::string expected = {});
    void replaceUnreadable(std::string_view section, std::string_view key, std::string text,
                           std::string replacement, std::string expected);
    // `text` when its setting takes it, else the default (see `get`).
    std::string guarded(std::size_t known, std::string text, std::string_view def);

    std::set<std::pair<std::string, std::string>, std::less<>> toldUnreadable_;
    bool toldSaveFailed_ = false;
    bool toldLeftOut_ = false;
};

// A handful of values in a flat list: a batch line fills one per line and
// the pass looks a few keys up, so a search beats a tree here. A value not
// saved here may be read from the lists it looks through (a calculation's
// own settings), which are not copied.
class MemorySettingsStore final : public SettingsStore {
public:
    using SettingsStore::get;
    using SettingsStore::save;
    std::string get(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view def) override;
    void save(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value) override;
    bool contains(std::string_view section, std::string_view key) const;
    // Forgets every value and list (the storage is kept for the next use).
    void clear()
    {
        size_ = 0;
        lists_ = {};
    }
    // Reads what is not saved here from `first`, then `second`; both must
    // outlive their use.
    void lookThrough(const SettingList* first, const SettingList* second) { lists_ = {first, second}; }

protected:
    std::string knownText(std::size_t known, std::string_view def) override;

private:
    struct Entry {
        std::string app, section, key, value;
    };
    const Entry* find(std::string_view app, std::string_view section, std::string_view key) const;
    const std::string* findInLists(std::string_view app, std::string_view section, std::string_view key) const;
    std::vector<Entry> entries_;
    std::size_t size_ = 0;  // entries_ beyond this are spare
    std::array<const SettingList*, 2> lists_{};
};

}  // namespace wm
