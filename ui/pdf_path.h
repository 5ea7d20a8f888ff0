#pragma once
// Where the user wants a PDF saved: the save dialog opens in Documents
// (else the home folder) on a suggested name, and ".pdf" is added when the
// name has no such ending.

#include <QString>

class QWidget;

namespace wm {

// The chosen path, or empty when the user cancelled.
QString askPdfPath(QWidget* parent, const QString& caption, const QString& suggestedName);

// `path` with ".pdf" added unless it already ends so (any case); empty
// stays empty.
QString withPdfEnding(const QString& path);

}  // namespace wm
