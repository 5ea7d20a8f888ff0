#pragma once
// Lays a `PrintDocument` out on paper: the page header on every page, then
// the table of its table definition string, column widths in twips, header
// row repeated on each new page.
//
// The same painting serves the print preview, the printer and PDF files, so
// what the preview shows is what is printed.

#include <QByteArray>
#include <QString>

#include "print/logic/statement_builder.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace wm {

// Letter paper, portrait, three-quarter-inch margins.
void setupPage(QPagedPaintDevice& device);

// Paints every page of `doc` on `device` (a printer, a PDF writer, the
// preview's printer). False when the device could not be painted on.
bool renderDocument(const PrintDocument& doc, QPagedPaintDevice& device);
// The same on a painter already begun on `device`.
void renderDocument(const PrintDocument& doc, QPainter& painter, QPagedPaintDevice& device);

// `doc` as the bytes of a PDF file titled `title`; empty when it could not
// be laid out.
QByteArray documentPdf(const PrintDocument& doc, const QString& title);

// Writes `doc` as a PDF file titled `title`, whole or not at all (an earlier
// file stays as it was). On failure returns false with a message naming the
// file and the reason.
bool writeDocumentPdf(const PrintDocument& doc, const QString& path, const QString& title, QString* error);

}  // namespace wm
