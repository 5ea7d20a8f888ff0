#include "qtcore/whole_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace wm {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("WholeFile", text); }

bool fail(QString* why, const QString& reason)
{
    if (why) *why = reason;
    return false;
}

// The device's own reason; a device that has none still gets one.
QString reasonOf(const QIODevice& device)
{
    const QString s = device.errorString();
    if (s.isEmpty() || s == QLatin1String("Unknown error")) return tr("Not all of it could be written.");
    return s;
}

// The bytes on disk before the new file takes the old one's place: a file
// system that reports a failed write only now (over a network, at a quota)
// is heard here.
bool synced(QFileDevice& file, QString* why)
{
#ifdef Q_OS_UNIX
    const int fd = file.handle();
    if (fd >= 0 && ::fdatasync(fd) != 0 && errno != EINVAL && errno != EROFS)
        return fail(why, QString::fromLocal8Bit(std::strerror(errno)));
#else
    Q_UNUSED(file);
    Q_UNUSED(why);
#endif
    return true;
}

}  // namespace

bool writeChecked(QIODevice& device, const QByteArray& bytes, QString* why)
{
    const char* at = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        // A short write is not a failure yet: the next one says why it was short.
        const qint64 n = device.write(at, left);
        if (n <= 0) return fail(why, reasonOf(device));
        at += n;
        left -= n;
    }
    // A buffered file writes what it holds now, and keeps a failure to itself
    // unless asked.
    if (auto* file = qobject_cast<QFileDevice*>(&device))
        if (!file->flush() || file->error() != QFileDevice::NoError) return fail(why, reasonOf(device));
    return true;
}

bool saveWholeFile(const QString& path, const QByteArray& bytes, QString* why)
{
    const QFileInfo info(path);
    if (path.isEmpty()) return fail(why, tr("No file name was given."));
    if (info.isDir()) return fail(why, tr("A folder of that name is in its place."));
    if (!info.absoluteDir().exists())
        return fail(why, tr("Its folder %1 does not exist.").arg(QDir::toNativeSeparators(info.absolutePath())));
    if (info.exists() && !info.isFile()) {
        QFile device(path);
        if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(why, device.errorString());
        return writeChecked(device, bytes, why);
    }
    // Unbuffered: each write reaches the disk at once and says whether it could.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(why, reasonOf(file));
    if (!writeChecked(file, bytes, why) || !synced(file, why)) {
        file.cancelWriting();
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        const QString reason = reasonOf(file);
        file.cancelWriting();
        return fail(why, reason);
    }
    if (!file.commit()) return fail(why, reasonOf(file));
    return true;
}

bool appendWhole(const QString& path, const QByteArray& bytes, QString* why)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(why, tr("Its folder %1 cannot be made.").arg(QDir::toNativeSeparators(folder)));
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::Unbuffered)) return fail(why, reasonOf(file));
    const qint64 before = file.isSequential() ? -1 : file.size();
    if (writeChecked(file, bytes, why)) return true;
    // Half an entry would mislead whoever reads the file.
    if (before >= 0) file.resize(before);
    return false;
}

}  // namespace wm
