// Checked reads: a saved number that cannot be read gives the default, which
// is saved in its place, and the user hears of it once.
#include <gtest/gtest.h>

#include "core/settings_store.h"

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

}  // namespace
}  // namespace wm
