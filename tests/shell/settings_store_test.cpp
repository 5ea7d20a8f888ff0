// The on-disk store gives back exactly the text saved, across instances.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <unistd.h>

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

// A save that cannot be written: said once with the file and the reason, the
// file left as it was, the values kept for the run and written by the first
// save that can.
TEST(QtSettingsStore, FailedSaveIsToldOnceAndKeptUntilASaveSucceeds)
{
    enum class Obstacle { FolderInPlace, ReadOnlyFile, ReadOnlyFolder };
    struct Row {
        Obstacle obstacle;
        const char* why;
    };
    for (const Row& row : {Row{Obstacle::FolderInPlace, "A folder of that name is in its place."},
                           Row{Obstacle::ReadOnlyFile, "not writable"},
                           Row{Obstacle::ReadOnlyFolder, "Permission denied"}}) {
        SCOPED_TRACE(row.why);
        if (row.obstacle != Obstacle::FolderInPlace && geteuid() == 0) {
            std::puts("(skipped: permissions do not stop root)");
            continue;
        }
        QTemporaryDir dir;
        QtSettingsStore s(dir.path());
        const QString file = s.fileName(kAppName);
        if (row.obstacle != Obstacle::FolderInPlace) s.save("Settings", "State", "27");
        switch (row.obstacle) {
        case Obstacle::FolderInPlace: QDir().mkdir(file); break;
        case Obstacle::ReadOnlyFile: QFile::setPermissions(file, QFile::ReadOwner); break;
        case Obstacle::ReadOnlyFolder:
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            break;
        }
        std::vector<std::pair<std::string, std::string>> told;
        s.onSaveFailed = [&told](const std::string& where, const std::string& why) { told.emplace_back(where, why); };
        s.save("Settings", "State", "3");
        s.save("Settings", "Deps", "2");
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0].first, QDir::toNativeSeparators(file).toStdString());
        EXPECT_NE(told[0].second.find(row.why), std::string::npos) << told[0].second;
        EXPECT_EQ(s.get("Settings", "State", "0"), "3");  // this run goes on with it
        if (row.obstacle != Obstacle::FolderInPlace) {
            QFile f(file);  // as on disk: stores in this process share what was not written
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), QByteArray("[Settings]\nState=27\n"));
        }

        switch (row.obstacle) {
        case Obstacle::FolderInPlace: QDir().rmdir(file); break;
        case Obstacle::ReadOnlyFile: QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner); break;
        case Obstacle::ReadOnlyFolder:
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            break;
        }
        s.save("Settings", "Self", "0");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray written = f.readAll();
        for (const char* line : {"State=3\n", "Deps=2\n", "Self=0\n"}) EXPECT_TRUE(written.contains(line)) << line;
        EXPECT_EQ(told.size(), 1u);
    }
}

}  // namespace
}  // namespace wm
