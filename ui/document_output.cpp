#include "ui/document_output.h"

#include <QDir>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QStatusBar>

#include "qtcore/whole_file.h"

namespace wm {

DocumentOutput::DocumentOutput(QWidget* window, ErrorScheme& errors, const char* module)
    : window_(window), errors_(errors), module_(module)
{
}

bool DocumentOutput::print(const Printable& doc)
{
    QPrinter printer(QPrinter::HighResolution);
    doc.setupPage(printer);
    printer.setDocName(doc.name);
    const bool chosen = choosePrinter ? choosePrinter(printer) : [&] {
        QPrintDialog dialog(&printer, window_);
        dialog.setWindowTitle(QObject::tr("Print %1").arg(doc.name));
        return dialog.exec() == QDialog::Accepted;
    }();
    if (!chosen) return false;
    bool printed = false;
    bool painted = false;
    runCommand([&] {
        Procedure p(errors_, module_, "cmdPrint_Click");
        painted = p.run([&] { printed = doc.paint(printer); });
    });
    if (!painted) return false;  // the error report has said why
    if (!printed) {
        tellFailed(kPrintFailed, QObject::tr("Print %1").arg(doc.name),
                   QObject::tr("The %1 could not be sent to the printer.").arg(doc.name));
        return false;
    }
    tellDone(QObject::tr("The %1 was sent to the printer.").arg(doc.name));
    return true;
}

bool DocumentOutput::saveAsPdf(const Printable& doc)
{
    const QString path =
        withPdfEnding(choosePdfPath ? choosePdfPath()
                                    : askPdfPath(window_, QObject::tr("Save %1 as PDF").arg(doc.name),
                                                 doc.name + QStringLiteral(".pdf")));
    if (path.isEmpty()) return false;
    return savePdf(doc, path);
}

bool DocumentOutput::savePdf(const Printable& doc, const QString& path)
{
    QByteArray bytes;
    bool laidOut = false;
    runCommand([&] {
        Procedure p(errors_, module_, "cmdSavePdf_Click");
        laidOut = p.run([&] { bytes = doc.pdf(); });
    });
    if (!laidOut) return false;  // the error report has said why
    QString why = QObject::tr("The document could not be laid out.");
    if (bytes.isEmpty() || !saveWholeFile(path, bytes, &why)) {
        tellFailed(kSaveFailed, QObject::tr("Save %1 as PDF").arg(doc.name),
                   QObject::tr("The %1 could not be saved as \"%2\".\n%3")
                       .arg(doc.name, QDir::toNativeSeparators(path), why));
        return false;
    }
    tellDone(QObject::tr("%1 saved as %2").arg(doc.name, QDir::toNativeSeparators(path)));
    return true;
}

void DocumentOutput::tellDone(const QString& text)
{
    if (done) done(text);
    if (auto* main = qobject_cast<QMainWindow*>(window_->window())) main->statusBar()->showMessage(text, 8000);
}

void DocumentOutput::tellFailed(const char* objectName, const QString& title, const QString& text)
{
    // Shown without waiting for it: the window stays as it was, nothing is
    // said to be done.
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, window_);
    box->setObjectName(QLatin1String(objectName));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

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
