#pragma once
// The Employee's Withholding Allowance Certificate of tax year 2000, drawn
// as vectors: the same drawing goes to the screen, the printer and PDF.

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

// One letter page with the certificate at its top. False, with a reason,
// when the file cannot be written.
bool writeCertificatePdf(const QString& path, const Certificate& c, QString* why = nullptr);
bool printCertificate(QPrinter& printer, const Certificate& c);

}  // namespace wm::w4
