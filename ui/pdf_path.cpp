#include "ui/pdf_path.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace wm {

QString askPdfPath(QWidget* parent, const QString& caption, const QString& suggestedName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString path = QFileDialog::getSaveFileName(parent, caption, QDir(folder).filePath(suggestedName),
                                                      QFileDialog::tr("PDF files (*.pdf)"));
    return withPdfEnding(path);
}

QString withPdfEnding(const QString& path)
{
    if (path.isEmpty() || path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) return path;
    return path + QStringLiteral(".pdf");
}

}  // namespace wm
