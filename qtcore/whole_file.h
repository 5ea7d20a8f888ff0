#pragma once
// Files the programs write themselves (PDF documents, the settings file, the
// error log), whole or not at all.
//
// Every write is checked, and so is the device's own error state before the
// new file takes the old one's place: a buffered file device can keep a
// failed write to itself until it is closed, and a save that trusted it
// would put a cut-off file where a good one was. On any failure the save is
// cancelled, a file that was there stays byte for byte as it was, and the
// reason comes back in words ("No space left on device").

#include <QByteArray>
#include <QString>

class QIODevice;

namespace wm {

// Writes all of `bytes` to the open `device`: a short write is continued
// until the device refuses, so the reason is the device's own. False with
// the reason in `why`.
bool writeChecked(QIODevice& device, const QByteArray& bytes, QString* why);

// Makes `bytes` the whole content of the file `path`. The new content is
// written beside the file and takes its place only when every byte is on
// disk. A device or a pipe (nothing to replace) gets the checked write.
bool saveWholeFile(const QString& path, const QByteArray& bytes, QString* why);

// Adds `bytes` at the end of the file `path`, made with its folder when
// missing; a failed write takes back what it added.
bool appendWhole(const QString& path, const QByteArray& bytes, QString* why);

}  // namespace wm
