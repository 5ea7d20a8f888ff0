// The on-disk store gives back exactly the text saved, across instances.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <unistd.h>

#include "qtcore/qt_settings_store.h"
#include "support/file_size_limit.h"

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
                            "#hash", "line\nbreak", "[section]", "tab\there", "bell\x07" "ab", "\x1f" "1f", "cr\r\n",
                            "@Variant(\\0\\0)", "@ByteArray(xyz)", "\\x41", "a, b", "\\", "\"", ";", "-1", "😀"};
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

TEST(QtSettingsStore, KeysAndSectionsOfAnyNameComeBack)
{
    QTemporaryDir dir;
    const std::pair<const char*, const char*> names[] = {
        {"Sec tion", "k"}, {"User", "a b"}, {"User", "k=1"}, {"User", "k;%"}, {"User", "é"}, {"User", "東"},
        {"User", "[x]"}, {"User", "#k"}};
    {
        QtSettingsStore writer(dir.path());
        for (const auto& [section, key] : names) writer.save(section, key, std::string(section) + "|" + key);
    }
    QtSettingsStore reader(dir.path());
    for (const auto& [section, key] : names) {
        SCOPED_TRACE(std::string(section) + "/" + key);
        EXPECT_EQ(reader.get(section, key, "default"), std::string(section) + "|" + key);
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

QString writeFile(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath(QStringLiteral("Wagemark99.ini"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) return {};
    return path;
}

QByteArray junk(int keys)
{
    QByteArray text = "[Junk]\n";
    for (int i = 0; i < keys; ++i) text += "junk" + QByteArray::number(i) + "=some junk value, padded\n";
    return text;
}

// A settings file that is not the program's own any more (far too large, or
// more keys than the program knows of): read for the known keys only, said
// once, and written back without the rest.
TEST(QtSettingsStore, OverfullFileIsReadForTheKnownKeysOnly)
{
    const QByteArray mine = "[Settings]\nIncAmt=1000\nDeps=2\n\n[User]\nUName=\"Doe, Pat\"\n\n";
    const struct {
        const char* name;
        QByteArray text;
        const char* said;
    } rows[] = {
        {"3 MB: junk after the settings", mine + junk(100000), "large"},
        {"3 MB: junk before the settings", junk(100000) + mine, "large"},
        {"a line longer than any setting", mine + "[Junk]\nlong=" + QByteArray(2 << 20, 'x') + "\n", "large"},
        {"small, but 100 keys", mine + junk(100), "It holds 103 settings; Wagemark knows of 39."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString path = writeFile(dir, row.text);
        QtSettingsStore s(dir.path());
        std::vector<std::pair<std::string, std::string>> told;
        s.onLeftOut = [&told](const std::string& where, const std::string& what) { told.emplace_back(where, what); };
        EXPECT_EQ(s.get("Settings", "IncAmt", "0"), "1000");
        EXPECT_EQ(s.get("Settings", "Deps", "0"), "2");
        EXPECT_EQ(s.get("User", "UName", "-"), "Doe, Pat");
        EXPECT_EQ(s.get("Junk", "junk7", "none"), "none");
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0].first, QDir::toNativeSeparators(path).toStdString());
        EXPECT_NE(told[0].second.find(row.said), std::string::npos) << told[0].second;
        s.save("Settings", "Self", "0");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("[Settings]\nDeps=2\nIncAmt=1000\nSelf=0\n\n[User]\nUName=\"Doe, Pat\"\n"));
        EXPECT_EQ(told.size(), 1u);
    }
}

// A file of the program's own size keeps what the program does not know of.
TEST(QtSettingsStore, OwnFileKeepsEveryKey)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "[Settings]\nIncAmt=1000\n[Later]\nNewKey=kept\n");
    QtSettingsStore s(dir.path());
    bool told = false;
    s.onLeftOut = [&told](const std::string&, const std::string&) { told = true; };
    s.save("Settings", "Deps", "1");
    EXPECT_FALSE(told);
    QtSettingsStore later(dir.path());
    EXPECT_EQ(later.get("Later", "NewKey", ""), "kept");
    EXPECT_EQ(later.get("Settings", "IncAmt", ""), "1000");
}

// A full disk (a file-size limit stands in for it): said once with the
// reason, the file byte for byte as it was, written by the next save that can.
TEST(QtSettingsStore, FullDiskKeepsTheFileAsItWas)
{
    QTemporaryDir dir;
    QtSettingsStore s(dir.path());
    const QString file = s.fileName(kAppName);
    s.save("Settings", "State", "27");
    std::vector<std::string> told;
    s.onSaveFailed = [&told](const std::string&, const std::string& why) { told.push_back(why); };
    {
        const test::FileSizeLimit limit(10);
        s.save("Settings", "Deps", "2");
        s.save("User", "UName", "Pat Doe");
    }
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], "File too large");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[Settings]\nState=27\n"));
    f.close();
    s.save("User", "UName", "Pat Doe");  // the same text: still written, as the last save failed
    QtSettingsStore later(dir.path());
    EXPECT_EQ(later.get("Settings", "Deps", ""), "2");
    EXPECT_EQ(later.get("User", "UName", ""), "Pat Doe");
}

}  // namespace
}  // namespace wm
