// Files are written whole or not at all: every failure is a failure with its
// reason, and a file that was there stays byte for byte as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "qtcore/whole_file.h"
#include "support/file_size_limit.h"

namespace wm {
namespace {

// Takes at most `chunk` bytes a write, and refuses the write number
// `failAt` (from 1) with "No space left on device".
class FailingDevice final : public QIODevice {
public:
    FailingDevice(int failAt, qint64 chunk) : failAt_(failAt), chunk_(chunk) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        if (++writes_ == failAt_) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 n = qMin(len, chunk_);
        written.append(data, n);
        return n;
    }

private:
    int failAt_;
    qint64 chunk_;
    int writes_ = 0;
};

TEST(WriteChecked, EveryWriteCountsAndTheDeviceSaysWhy)
{
    const QByteArray bytes(10000, 'x');
    const struct {
        const char* name;
        int failAt;
        qint64 chunk;
        bool ok;
    } rows[] = {
        {"one write takes it all", 0, 1 << 20, true},
        {"short writes are carried on to the end", 0, 4096, true},
        {"the first write refused", 1, 1 << 20, false},
        {"refused after two short writes", 3, 4096, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FailingDevice device(row.failAt, row.chunk);
        QString why;
        EXPECT_EQ(writeChecked(device, bytes, &why), row.ok);
        if (row.ok) {
            EXPECT_EQ(device.written, bytes);
        } else {
            EXPECT_EQ(why, QStringLiteral("No space left on device"));
        }
    }
}

using test::FileSizeLimit;

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(cannot be read)");
}

QByteArray pattern(int size)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i) b[i] = static_cast<char>('a' + i % 26);
    return b;
}

// Sizes on both sides of the 16 KiB a buffered file device holds back.
TEST(SaveWholeFile, AFullDiskKeepsTheOldFileAndSaysWhy)
{
    const struct {
        const char* name;
        int size;
        rlim_t room;
    } rows[] = {
        {"small file, no room at all", 13656, 0},
        {"small file, room for part of it", 13656, 8192},
        {"large file, room for part of it", 40000, 8192},
        {"large file, room for all but one byte", 40000, 39999},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pay.pdf"));
        const QByteArray old = pattern(5000);
        ASSERT_TRUE(saveWholeFile(path, old, nullptr));
        QString why;
        bool saved = true;
        {
            const FileSizeLimit limit(row.room);
            saved = saveWholeFile(path, pattern(row.size), &why);
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(why, QStringLiteral("File too large"));
        EXPECT_EQ(contentOf(path), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("pay.pdf")})
            << "nothing is left behind";
    }
}

TEST(SaveWholeFile, ReplacesTheFileWhenEveryByteIsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pay.pdf"));
    for (int size : {0, 1, 16384, 40000, 5}) {
        SCOPED_TRACE(size);
        QString why;
        ASSERT_TRUE(saveWholeFile(path, pattern(size), &why)) << why.toStdString();
        EXPECT_EQ(contentOf(path), pattern(size));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(SaveWholeFile, PlacesThatAreNoFileSayWhy)
{
    QTemporaryDir dir;
    const struct {
        QString path;
        const char* reason;
    } rows[] = {
        {QStringLiteral("/dev/full"), "No space left on device"},
        {dir.path(), "A folder of that name is in its place."},
        {dir.filePath(QStringLiteral("no such folder/pay.pdf")), "does not exist"},
        {QString(), "No file name was given."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        QString why;
        EXPECT_FALSE(saveWholeFile(row.path, QByteArray(100, 'x'), &why));
        EXPECT_TRUE(why.contains(QLatin1String(row.reason))) << why.toStdString();
    }
}

TEST(AppendWhole, AFailedEntryIsTakenBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("logs/errors.log"));
    ASSERT_TRUE(appendWhole(path, "first entry\n", nullptr));
    ASSERT_TRUE(appendWhole(path, "second entry\n", nullptr));
    EXPECT_EQ(contentOf(path), QByteArray("first entry\nsecond entry\n"));
    QString why;
    bool added = true;
    {
        const FileSizeLimit limit(30);
        added = appendWhole(path, "a third entry that does not fit\n", &why);
    }
    EXPECT_FALSE(added);
    EXPECT_EQ(why, QStringLiteral("File too large"));
    EXPECT_EQ(contentOf(path), QByteArray("first entry\nsecond entry\n"));
    EXPECT_FALSE(appendWhole(QStringLiteral("/dev/full"), "entry\n", &why));
    EXPECT_EQ(why, QStringLiteral("No space left on device"));
}

}  // namespace
}  // namespace wm
