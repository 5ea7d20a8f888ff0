// The on-disk store gives back exactly the text saved, across instances.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "shell/qt_settings_store.h"

namespace wm {
namespace {

TEST(QtSettingsStore, MissingKeyGivesTheDefault)
{
    QTemporaryDir dir;
    QtSettingsStore s(dir.path());
    EXPECT_EQ(s.get("Settings", "Frequency", "2"), "2");
    EXPECT_EQ(s.get("Settings", "Frequency", ""), "");
}

TEST(QtSettingsStore, ReturnsExactlyTheSavedText)
{
    QTemporaryDir dir;
    const char* values[] = {"1234.5", "a,b", "1,234.50", "\"quoted\"", "say \"hi\", then go", "@leading",
                            "@@", "Zoë Müller – 東京", "", " padded ", "semi;colon", "back\\slash", "=equals=",
                            "#hash", "line\nbreak", "[section]"};
    int i = 0;
    for (const char* v : values) {
        SCOPED_TRACE(v);
        const std::string key = "Key" + std::to_string(i++);
        {
            QtSettingsStore writer(dir.path());
            writer.save("User", key, v);
        }
        QtSettingsStore reader(dir.path());  // a later run
        EXPECT_EQ(reader.get("User", key, "default"), v);
    }
}

TEST(QtSettingsStore, SectionsAndApplicationsAreSeparate)
{
    QTemporaryDir dir;
    QtSettingsStore s(dir.path());
    s.save("Settings", "State", "27");
    s.save("StateInfo", "State", "x");
    s.save("Other", "Settings", "State", "9");
    EXPECT_EQ(s.get("Settings", "State", "0"), "27");
    EXPECT_EQ(s.get("StateInfo", "State", "0"), "x");
    EXPECT_EQ(s.get("Other", "Settings", "State", "0"), "9");
    s.save("Settings", "State", "3");
    EXPECT_EQ(s.get("Settings", "State", "0"), "3");
    EXPECT_TRUE(s.fileName(kAppName).endsWith("Wagemark99.ini"));
}

}  // namespace
}  // namespace wm
