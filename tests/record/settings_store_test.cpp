// Checked reads: a saved number that cannot be read gives the default, which
// is saved in its place, and the user hears of it once.
#include <gtest/gtest.h>

#include <set>

#include "core/pass.h"
#include "record/settings_store.h"
#include "support/harness.h"

namespace wm {
namespace {

struct Told {
    MemorySettingsStore s;
    std::vector<UnreadableSetting> heard;
    Told()
    {
        s.onUnreadable = [this](const UnreadableSetting& u) { heard.push_back(u); };
    }
};

TEST(CheckedRead, UnreadableNumberGivesTheDefaultSavedInItsPlace)
{
    struct Row {
        const char* text;
        std::int16_t expected;
        bool unreadable;
    };
    for (const Row& row : {Row{"7", 7, false}, Row{"15", 15, false}, Row{"x", 2, true}, Row{"", 2, true},
                           Row{"99999999", 2, true}, Row{"16", 2, true}, Row{"-1", 2, true}}) {
        SCOPED_TRACE(row.text);
        Told t;
        t.s.save("Settings", "Deps", row.text);
        EXPECT_EQ(t.s.getInt16("Settings", "Deps", 2, 0, 15), row.expected);
        EXPECT_EQ(t.s.get("Settings", "Deps", "?"), row.unreadable ? "2" : row.text);
        ASSERT_EQ(t.heard.size(), row.unreadable ? 1u : 0u);
        if (row.unreadable) {
            EXPECT_EQ(t.heard[0].section, "Settings");
            EXPECT_EQ(t.heard[0].key, "Deps");
            EXPECT_EQ(t.heard[0].text, row.text);
            EXPECT_EQ(t.heard[0].replacement, "2");
        }
    }
}

TEST(CheckedRead, MissingKeyIsNotAProblemAndEachKeyIsToldOnce)
{
    Told t;
    EXPECT_EQ(t.s.getInt16("Settings", "PgInst", 10), 10);
    EXPECT_DOUBLE_EQ(t.s.getDouble("Settings", "Local", 0), 0);
    EXPECT_FALSE(t.s.contains("Settings", "PgInst"));
    for (int run = 0; run < 2; ++run) {
        t.s.save("Settings", "Local", "1%");
        EXPECT_DOUBLE_EQ(t.s.getDouble("Settings", "Local", 0), 0);
    }
    t.s.save("Settings", "Local", "0.02");
    EXPECT_DOUBLE_EQ(t.s.getDouble("Settings", "Local", 0), 0.02);
    ASSERT_EQ(t.heard.size(), 1u);
    EXPECT_EQ(t.heard[0].key, "Local");
    EXPECT_EQ(t.heard[0].replacement, "0");
}

// Remembers every key asked for or saved.
class RecordingStore final : public SettingsStore {
public:
    using SettingsStore::get;
    using SettingsStore::save;
    std::string get(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view def) override
    {
        keys.emplace(section, key);
        return inner.get(app, section, key, def);
    }
    void save(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value) override
    {
        keys.emplace(section, key);
        inner.save(app, section, key, value);
    }
    std::set<std::pair<std::string, std::string>> keys;
    MemorySettingsStore inner;
};

// The table of known keys is what settings files and batch lines are
// filtered by: a key the calculation reads that the table lacks would be
// dropped from both.
TEST(KnownSettings, HoldEveryKeyTheCalculationReads)
{
    RecordingStore store;
    for (int state = 0; state < kStateCount; ++state) {
        PayRecord r;
        PassInput in;
        in.txtIncome = "1000";
        test::ReportLog log;
        ErrorScheme errors(r, [&log] { return std::make_unique<test::ScriptedReport>(log); });
        Pass pass(r, in, store, errors);
        store.save("Settings", "State", std::to_string(state));
        r.intState = static_cast<std::int16_t>(state);
        runCommand([&] { calculateCommand(pass); });
    }
    EXPECT_GE(store.keys.size(), 5u);
    for (const auto& [section, key] : store.keys) EXPECT_TRUE(isKnownSetting(section, key)) << section << "/" << key;
    EXPECT_FALSE(isKnownSetting("StateInfo", "State"));
    EXPECT_FALSE(isKnownSetting("Settings", "deps"));
}

// Each known key is found at its place; the same text with any one byte
// changed, in the key or the section, is not found unless it is another key.
TEST(KnownSettings, FoundByEveryByte)
{
    for (std::size_t i = 0; i < kKnownSettingCount; ++i) {
        const SettingKey& k = kKnownSettings[i];
        const std::string section(k.section), key(k.key);
        SCOPED_TRACE(section + "/" + key);
        EXPECT_EQ(knownSettingIndex(section, key), static_cast<int>(i));
        for (const bool inKey : {true, false})
            for (std::size_t at = 0; at < (inKey ? key : section).size(); ++at) {
                std::string s = section, t = key;
                (inKey ? t : s)[at] ^= 0x20;
                const int found = knownSettingIndex(s, t);
                if (found >= 0) {
                    EXPECT_EQ(kKnownSettings[static_cast<std::size_t>(found)].key, t);
                    EXPECT_EQ(kKnownSettings[static_cast<std::size_t>(found)].section, s);
                }
            }
    }
}

// A calculation's own settings are read through, not copied: a value saved
// in the store wins, then the first list, then the second; in a list the
// last value given wins. Known and other keys alike.
TEST(MemoryStore, ReadsThroughItsListsInOrder)
{
    struct Row {
        const char* name;
        const char* section;
        const char* key;
        const char* saved;        // null: not saved in the store
        const char* first[2];     // given to the first list, in order
        const char* second[2];    // given to the second list, in order
        const char* expected;
    };
    const Row rows[] = {
        {"only the second", "StateInfo", "staDeps", nullptr, {}, {"1"}, "1"},
        {"first over second", "StateInfo", "staDeps", nullptr, {"2"}, {"1"}, "2"},
        {"saved over both", "StateInfo", "staDeps", "3", {"2"}, {"1"}, "3"},
        {"last given in a list", "StateInfo", "sta401", nullptr, {}, {"Y", "N"}, "N"},
        {"other key, first over second", "Mine", "x", nullptr, {"a", "b"}, {"c"}, "b"},
        {"nowhere", "User", "UName", nullptr, {}, {}, "default"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SettingList first, second;
        for (const char* v : row.first)
            if (v) first.set(row.section, row.key, v);
        for (const char* v : row.second)
            if (v) second.set(row.section, row.key, v);
        MemorySettingsStore s;
        s.lookThrough(&first, &second);
        if (row.saved) s.save(row.section, row.key, row.saved);
        EXPECT_EQ(s.get(row.section, row.key, "default"), row.expected);
        if (const int k = knownSettingIndex(row.section, row.key); k >= 0) {
            EXPECT_EQ(s.getKnown(static_cast<std::size_t>(k), "default"), row.expected);
        }
        EXPECT_EQ(s.get("Other app", row.section, row.key, "default"), "default");
        EXPECT_EQ(s.contains(row.section, row.key), std::string(row.expected) != "default");
        s.clear();
        EXPECT_EQ(s.get(row.section, row.key, "default"), "default");
    }
}

// A whole number set in a list reads as its text; a text set later wins,
// and so does a number set after a text.
TEST(SettingList, WholeNumbersReadAsText)
{
    constexpr std::size_t k = knownSetting("StateInfo", "staDeps");
    SettingList l;
    l.setWhole(k, 7);
    l.set(k, "3");
    ASSERT_NE(l.find(k), nullptr);
    EXPECT_EQ(*l.find(k), "3");
    l.setWhole(k, -12);
    EXPECT_EQ(*l.find(k), "-12");
    l.setWhole(k, 7);
    std::string seen;
    l.forEach([&](std::string_view, std::string_view key, std::string_view value) {
        if (key == "staDeps") seen = value;
    });
    EXPECT_EQ(seen, "7");
    l.clear();
    EXPECT_EQ(l.find(k), nullptr);
}

}  // namespace
}  // namespace wm
