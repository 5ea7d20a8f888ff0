#pragma once
// Printing a window's document and saving it as PDF, the same way in every
// window: the window says what its document is (Printable); DocumentOutput
// asks for the printer or the file, writes the file whole or not at all
// (qtcore/whole_file.h), and tells the user what happened: a line in the
// main window's status bar when it was done, one message naming the file
// and the reason when it was not. A run-time error while the document is
// painted goes to the error report, as every run-time error does.

#include <QByteArray>
#include <QString>
#include <functional>

#include "record/runtime_error.h"

class QPrinter;
class QWidget;

namespace wm {

// What a window prints and saves.
struct Printable {
    QString name;  // "Pay Statement", "Form W-4": in titles, messages and the suggested file name
    // The page the printer offers in its dialog (size, margins).
    std::function<void(QPrinter&)> setupPage;
    // Paints the document on the chosen printer; false when the printer
    // would not take it.
    std::function<bool(QPrinter&)> paint;
    // The whole PDF file; empty when the document could not be laid out.
    std::function<QByteArray()> pdf;
};

class DocumentOutput {
public:
    // `module` names the window in an error report ("frmPrint").
    DocumentOutput(QWidget* window, ErrorScheme& errors, const char* module);

    // How the printer and the file name are chosen: the print dialog and the
    // save dialog unless replaced (tests). An empty file name cancels.
    std::function<bool(QPrinter&)> choosePrinter;
    std::function<QString()> choosePdfPath;
    // Told what was done ("Year Check saved as ..."), besides the status bar.
    std::function<void(const QString&)> done;

    // The print dialog, then the document; true when it was printed.
    bool print(const Printable& doc);
    // The save dialog (".pdf" added to a name without it), then savePdf.
    bool saveAsPdf(const Printable& doc);
    // Writes the document to `path` as it stands; true when the whole file
    // was written.
    bool savePdf(const Printable& doc, const QString& path);

    // Object names of the messages that say why nothing was printed or saved.
    static constexpr const char* kPrintFailed = "msgPrintFailed";
    static constexpr const char* kSaveFailed = "msgPdfFailed";

private:
    void tellDone(const QString& text);
    void tellFailed(const char* objectName, const QString& title, const QString& text);

    QWidget* window_;
    ErrorScheme& errors_;
    const char* module_;
};

// Where the user wants a PDF saved: the save dialog opens in Documents (else
// the home folder) on a suggested name. The chosen path with ".pdf" added
// where it has no such ending, or empty when the user cancelled.
QString askPdfPath(QWidget* parent, const QString& caption, const QString& suggestedName);

// `path` with ".pdf" added unless it already ends so (any case); empty
// stays empty.
QString withPdfEnding(const QString& path);

}  // namespace wm
