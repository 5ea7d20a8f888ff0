#pragma once
// The Employee's Withholding Allowance Certificate of tax year 2000, drawn
// as vectors: the same drawing goes to the screen, the printer and PDF.

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include "forms/w4/logic/w4_view_model.h"

class QPainter;
class QPrinter;

namespace wm::w4 {

// The certificate is 7.5 inches wide (a letter page less half-inch
// margins); its drawing units are points.
QSizeF certificateSize();

// Draws the certificate into `target` (device coordinates), scaled to the
// target's width; the height follows the certificate's proportions.
void paintCertificate(QPainter& p, const QRectF& target, const Certificate& c);

// Where the line 7 text lies, in certificate points (clicks on it take the
// word "EXEMPT" away or write it).
QRectF line7TextArea();

// The page the certificate is printed on: letter, half-inch margins.
void setupCertificatePage(QPrinter& printer);
// One letter page with the certificate at its top, as the bytes of a PDF
// file; empty when it could not be laid out.
QByteArray certificatePdf(const Certificate& c);
bool printCertificate(QPrinter& printer, const Certificate& c);

}  // namespace wm::w4
