#include "forms/w4/ui/certificate_painter.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextLayout>

#include "forms/w4/ui/w4_widgets.h"

namespace wm::w4 {

namespace {

// Layout in points, top to bottom.
constexpr double kWidth = 540;
constexpr double yCut = 0, hCut = 14;
constexpr double yHead = yCut + hCut, hHead = 46;
constexpr double yRow1 = yHead + hHead, hRow1 = 27;
constexpr double yRow2 = yRow1 + hRow1, hRow2 = 31;
constexpr double yRow3 = yRow2 + hRow2, hRow3 = 29;
constexpr double yLine5 = yRow3 + hRow3, hLine5 = 16;
constexpr double yLine6 = yLine5 + hLine5, hLine6 = 16;
constexpr double yLine7 = yLine6 + hLine6, hLine7 = 44;
constexpr double yPerjury = yLine7 + hLine7, hPerjury = 21;
constexpr double ySign = yPerjury + hPerjury, hSign = 27;
constexpr double yEmployer = ySign + hSign, hEmployer = 34;
constexpr double yFoot = yEmployer + hEmployer, hFoot = 13;
constexpr double kHeight = yFoot + hFoot;

constexpr double xFirst = 0, xLast = 222, xSsn = 400;  // row 1
constexpr double xHalf = 270;                          // rows 2 and 3
constexpr double xNumber = 466, xValue = 480;          // the boxes of lines 5 to 7
constexpr double kPad = 3;

const char* const kCutHere =
    "Cut here and give the certificate to your employer. Keep the top part for your records.";
const char* const kTitle = "Employee's Withholding Allowance Certificate";
const char* const kPrivacy = "\u25B6 For Privacy Act and Paperwork Reduction Act Notice, see page 2.";
const char* const kName1 = "Type or print your first name and middle initial";
const char* const kName2 = "Last name";
const char* const kSsn = "Your Social Security Number";
const char* const kHome = "Home address (number and street or rural route)";
const char* const kCity = "City or town, state, and ZIP code";
const char* const kMaritalNote =
    "Note: If married, but legally separated, or spouse is a nonresident alien, check the \u201CSingle\u201D box.";
const char* const kBox4 = "If your last name differs from that on your social security card, check here. You must "
                          "call 1-800-772-1213 for a new card";
const char* const kLine5 = "Total number of allowances you are claiming (from line H OR from the applicable "
                           "worksheets on page 2)";
const char* const kLine6 = "Additional amount, if any, you want withheld from each paycheck";
const char* const kLine7 = "I claim exemption from withholding for 2000 and I certify that I meet BOTH of the "
                           "following conditions for exemption:";
const char* const kCondition1 = "- Last year I had a right to a refund of ALL Federal income tax withheld because I "
                                "had NO tax liability;  AND";
const char* const kCondition2 = "- This year I expect a refund of ALL Federal income tax withheld because I expect "
                                "to have NO tax liability.";
const char* const kWriteExempt = "If you meet both conditions, write \u201CEXEMPT\u201D here";
const char* const kPerjury = "Under penalties of perjury, I certify that I am entitled to the number of withholding "
                             "allowances claimed on this certificate, or I am entitled to claim exempt status.";
const char* const kSignature = "Employee's signature";
const char* const kNotValid = "(Form is not valid unless you sign it)";
const char* const kEmployer = "Employer's name and address (Employer: Complete 8 and 10 only if sending to the IRS.)";
const char* const kOffice = "Office code (optional)";
const char* const kEin = "Employer identification number";

QString u(const char* s) { return QString::fromUtf8(s); }

// The printed form's type: Helvetica or the closest sans serif at hand.
QFont formFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Helvetica"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("Nimbus Sans"), QStringLiteral("FreeSans")});
    f.setStyleHint(QFont::SansSerif, QFont::PreferOutline);
    return f;
}

class Drawer {
public:
    explicit Drawer(QPainter& p) : p_(p), dpi_(p.device() ? p.device()->logicalDpiY() : 72) {}

    // A font whose point size is in certificate points, whatever the device.
    QFont font(double pt, bool bold = false, bool italic = false) const
    {
        QFont f = formFont();
        f.setPointSizeF(pt * 72.0 / dpi_);
        f.setBold(bold);
        f.setItalic(italic);
        return f;
    }
    QFontMetricsF metrics(const QFont& f) const { return QFontMetricsF(f, p_.device()); }

    // The largest size up to `pt` at which `s` fits in `width` on one line:
    // the form's type is narrow, and a wider font must not run over a rule.
    double fit(const QString& s, double width, double pt, bool bold = false) const
    {
        const double natural = metrics(font(pt, bold)).horizontalAdvance(s);
        return natural <= width ? pt : pt * width / natural;
    }

    void line(double x1, double y1, double x2, double y2, double width = 0.5)
    {
        p_.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
        p_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }

    // Text in a box; returns the width used by a single line.
    double text(const QRectF& r, const QString& s, const QFont& f, int flags = Qt::AlignLeft | Qt::AlignTop)
    {
        p_.setFont(f);
        p_.setPen(Qt::black);
        p_.drawText(r, flags, s);
        return metrics(f).horizontalAdvance(s);
    }

    // A bold line number followed by its caption, wrapped in `width`.
    // Returns where the caption's last line ends (x) and its bottom (y).
    QPointF numbered(double x, double y, double width, const QString& number, const QString& caption, double pt)
    {
        double capX = x;
        if (!number.isEmpty()) {
            const QFont nf = font(pt, true);
            text(QRectF(x, y, 20, 20), number, nf);
            capX = x + metrics(nf).horizontalAdvance(number) + 5;
        }
        QTextLayout layout(caption, font(pt), p_.device());
        QTextOption wrap;
        wrap.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(wrap);
        layout.beginLayout();
        double height = 0;
        double lastWidth = 0;
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLineWidth(width - (capX - x));
            l.setPosition(QPointF(0, height));
            height += l.height();
            lastWidth = l.naturalTextWidth();
        }
        layout.endLayout();
        p_.setPen(Qt::black);
        layout.draw(&p_, QPointF(capX, y));
        return {capX + lastWidth, y + height};
    }

    // Dot leaders from x1 to x2 on the text line whose top is y.
    void leaders(double x1, double x2, double y, double pt)
    {
        const QFont f = font(pt);
        const double step = 4.5;
        p_.setFont(f);
        for (double x = x1 + 4; x + 2 < x2; x += step) p_.drawText(QPointF(x, y + metrics(f).ascent()), QStringLiteral("."));
    }

    // A filled-in field: larger type, elided to fit.
    void value(const QRectF& r, const QString& s, int align = Qt::AlignLeft)
    {
        if (s.isEmpty()) return;
        const QFont f = font(10);
        const QString shown = metrics(f).elidedText(s, Qt::ElideRight, r.width());
        text(r, shown, f, align | Qt::AlignBottom);
    }

    void checkBox(double x, double y, double size, bool checked)
    {
        p_.setPen(QPen(Qt::black, 0.6));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(QRectF(x, y, size, size));
        if (!checked) return;
        p_.setPen(QPen(Qt::black, 1.1, Qt::SolidLine, Qt::RoundCap));
        p_.drawLine(QPointF(x + 1.3, y + 1.3), QPointF(x + size - 1.3, y + size - 1.3));
        p_.drawLine(QPointF(x + size - 1.3, y + 1.3), QPointF(x + 1.3, y + size - 1.3));
    }

    QPainter& p_;

private:
    int dpi_;
};

void drawHeader(Drawer& d)
{
    // Cut line with its text on a white band.
    const QFont cutFont = d.font(d.fit(u(kCutHere), kWidth - 120, 6.5), false, true);
    const double cutW = d.metrics(cutFont).horizontalAdvance(u(kCutHere)) + 12;
    d.p_.setPen(QPen(Qt::black, 0.5, Qt::DashLine));
    d.p_.drawLine(QPointF(0, yCut + hCut / 2 - 1), QPointF((kWidth - cutW) / 2, yCut + hCut / 2 - 1));
    d.p_.drawLine(QPointF((kWidth + cutW) / 2, yCut + hCut / 2 - 1), QPointF(kWidth, yCut + hCut / 2 - 1));
    d.text(QRectF(0, yCut, kWidth, hCut - 2), u(kCutHere), cutFont, Qt::AlignCenter);

    const double y = yHead;
    // Form number.
    const double formW = d.text(QRectF(0, y + 4, 30, 12), QStringLiteral("Form"), d.font(7));
    d.text(QRectF(formW + 3, y, 80, 26), QStringLiteral("W-4"), d.font(22, true));
    d.text(QRectF(0, y + 27, 110, 9), QStringLiteral("Department of the Treasury"), d.font(6));
    d.text(QRectF(0, y + 35, 110, 9), QStringLiteral("Internal Revenue Service"), d.font(6));
    d.line(112, y, 112, y + hHead, 0.5);
    // Title.
    d.text(QRectF(112, y + 6, 346, 20), u(kTitle), d.font(d.fit(u(kTitle), 336, 13.5, true), true),
           Qt::AlignHCenter | Qt::AlignTop);
    d.text(QRectF(112, y + 29, 346, 12), u(kPrivacy), d.font(d.fit(u(kPrivacy), 336, 7)),
           Qt::AlignHCenter | Qt::AlignTop);
    d.line(458, y, 458, y + hHead, 0.5);
    // Year.
    const QString omb = QStringLiteral("OMB No. 1545-0010");
    d.text(QRectF(458, y + 2, 82, 10), omb, d.font(d.fit(omb, 78, 6.5)), Qt::AlignHCenter | Qt::AlignTop);
    d.line(458, y + 12, kWidth, y + 12, 0.5);
    // The year in outline figures, as on the printed form.
    // A path takes the font's size in its own units, whatever the device.
    QFont yf = formFont();
    yf.setPixelSize(24);
    yf.setBold(true);
    QPainterPath year;
    year.addText(QPointF(0, 0), yf, QStringLiteral("2000"));
    const QRectF yb = year.boundingRect();
    year.translate(458 + (82 - yb.width()) / 2 - yb.left(), y + 40);
    d.p_.setPen(QPen(Qt::black, 0.7));
    d.p_.setBrush(Qt::NoBrush);
    d.p_.drawPath(year);
    d.line(0, y + hHead, kWidth, y + hHead, 1.6);
}

void drawIdentity(Drawer& d, const Certificate& c)
{
    // Row 1: names and social security number.
    d.numbered(xFirst + kPad, yRow1 + 2, xLast - 2 * kPad, QStringLiteral("1"), u(kName1), 7);
    d.numbered(xLast + kPad, yRow1 + 2, xSsn - xLast - 2 * kPad, QString(), u(kName2), 7);
    d.numbered(xSsn + kPad, yRow1 + 2, kWidth - xSsn - 2 * kPad, QStringLiteral("2"), u(kSsn), 7);
    d.value(QRectF(xFirst + 12, yRow1, xLast - 16, hRow1 - 2), qs(c.name.first));
    d.value(QRectF(xLast + kPad + 2, yRow1, xSsn - xLast - 8, hRow1 - 2), qs(c.name.last));
    d.value(QRectF(xSsn + 12, yRow1, kWidth - xSsn - 16, hRow1 - 2), qs(c.ssn));
    d.line(xLast, yRow1, xLast, yRow1 + hRow1);
    d.line(xSsn, yRow1, xSsn, yRow1 + hRow1);
    d.line(0, yRow1 + hRow1, kWidth, yRow1 + hRow1);

    // Row 2: home address; box 3, the marital status.
    d.numbered(kPad + 12, yRow2 + 2, xHalf - 2 * kPad - 12, QString(), u(kHome), 7);
    d.value(QRectF(12, yRow2, xHalf - 16, hRow2 - 3), qs(c.address));
    double x = xHalf + kPad;
    const QFont num = d.font(7.5, true);
    d.text(QRectF(x, yRow2 + 3, 10, 10), QStringLiteral("3"), num);
    x += 10;
    const char* const options[3] = {"Single", "Married", "Married, but withhold at higher Single rate."};
    double optionsWidth = 0;
    for (const char* o : options) optionsWidth += d.metrics(d.font(7.5)).horizontalAdvance(u(o)) + 16.5;
    const QFont opt = d.font(7.5 * qMin(1.0, (kWidth - x - kPad) / optionsWidth));
    // valMarried 1 is "Single", 0 "Married", 2 the higher Single rate.
    const int boxOf[3] = {1, 0, 2};
    for (int i = 0; i < 3; ++i) {
        d.checkBox(x, yRow2 + 4, 7, c.maritalBox == boxOf[i]);
        x += 9.5;
        x += d.text(QRectF(x, yRow2 + 3, kWidth - x, 11), u(options[i]), opt) + 7;
    }
    d.numbered(xHalf + kPad + 10, yRow2 + 14, kWidth - xHalf - 2 * kPad - 10, QString(), u(kMaritalNote), 6);
    d.line(xHalf, yRow2, xHalf, yRow3 + hRow3);
    d.line(0, yRow2 + hRow2, kWidth, yRow2 + hRow2);

    // Row 3: city line; box 4.
    d.numbered(kPad + 12, yRow3 + 2, xHalf - 2 * kPad - 12, QString(), u(kCity), 7);
    d.value(QRectF(12, yRow3, xHalf - 16, hRow3 - 3), qs(c.city));
    const QPointF end = d.numbered(xHalf + kPad, yRow3 + 3, kWidth - xHalf - 2 * kPad - 20, QStringLiteral("4"),
                                   u(kBox4), 6.5);
    const double lineTop = end.y() - d.metrics(d.font(6.5)).lineSpacing();
    d.leaders(end.x(), kWidth - 22, lineTop, 6.5);
    d.text(QRectF(kWidth - 20, lineTop, 8, 10), QStringLiteral("\u25B6"), d.font(6.5));
    d.checkBox(kWidth - 11, lineTop, 7, false);
    d.line(0, yRow3 + hRow3, kWidth, yRow3 + hRow3);
}

void drawAllowanceLines(Drawer& d, const Certificate& c)
{
    auto boxes = [&](double y, double h, const QString& number) {
        d.line(xNumber, y, xNumber, y + h);
        d.line(xValue, y, xValue, y + h);
        d.line(xNumber, y + h, kWidth, y + h);
        d.text(QRectF(xNumber, y, xValue - xNumber, h), number, d.font(7.5, true), Qt::AlignCenter);
    };
    auto withLeaders = [&](double y, const QString& number, const QString& caption) {
        const QPointF end = d.numbered(kPad, y + 3, xNumber - 40, number, caption, 7);
        d.leaders(end.x(), xNumber - 4, y + 3, 7);
    };

    withLeaders(yLine5, QStringLiteral("5"), u(kLine5));
    boxes(yLine5, hLine5, QStringLiteral("5"));
    d.value(QRectF(xValue, yLine5, kWidth - xValue - 6, hLine5 - 1), qs(c.line5), Qt::AlignRight);

    withLeaders(yLine6, QStringLiteral("6"), u(kLine6));
    boxes(yLine6, hLine6, QStringLiteral("6"));
    if (c.line6.empty()) d.text(QRectF(xValue + 3, yLine6 + 3, 10, 12), QStringLiteral("$"), d.font(7.5));
    else d.value(QRectF(xValue, yLine6, kWidth - xValue - 6, hLine6 - 1), qs(c.line6), Qt::AlignRight);

    const QRectF text = line7TextArea();
    d.numbered(kPad, yLine7 + 3, text.width(), QStringLiteral("7"), u(kLine7), 7);
    d.numbered(kPad + 12, yLine7 + 12, text.width() - 12, QString(), u(kCondition1), 7);
    d.numbered(kPad + 12, yLine7 + 21, text.width() - 12, QString(), u(kCondition2), 7);
    const QPointF end = d.numbered(kPad + 12, yLine7 + 31, text.width() - 12, QString(), u(kWriteExempt), 7);
    d.leaders(end.x(), xNumber - 12, yLine7 + 31, 7);
    d.text(QRectF(xNumber - 10, yLine7 + 31, 9, 10), QStringLiteral("\u25B6"), d.font(7));
    boxes(yLine7 + 27, hLine7 - 27, QStringLiteral("7"));
    d.line(xValue, yLine7 + 27, kWidth, yLine7 + 27);
    if (c.exempt)
        d.text(QRectF(xValue, yLine7 + 27, kWidth - xValue, hLine7 - 27), QStringLiteral("EXEMPT"), d.font(9, true),
               Qt::AlignCenter);
    d.line(0, yLine7 + hLine7, kWidth, yLine7 + hLine7);
}

void drawSignature(Drawer& d, const Certificate& c)
{
    d.numbered(kPad, yPerjury + 3, kWidth - 2 * kPad, QString(), u(kPerjury), 7);
    d.text(QRectF(kPad, ySign + 3, 140, 10), u(kSignature), d.font(d.fit(u(kSignature), 140, 7.5, true), true));
    d.text(QRectF(kPad, ySign + 13, 150, 10), u(kNotValid), d.font(d.fit(u(kNotValid), 144, 6.5)));
    d.text(QRectF(150, ySign + 10, 10, 12), QStringLiteral("\u25B6"), d.font(8));
    d.line(162, ySign + hSign - 5, 392, ySign + hSign - 5, 0.4);
    const double dw = d.text(QRectF(402, ySign + 10, 40, 12), QStringLiteral("Date \u25B6"), d.font(7.5, true));
    d.line(404 + dw, ySign + hSign - 5, kWidth - kPad, ySign + hSign - 5, 0.4);
    d.value(QRectF(408 + dw, ySign, kWidth - 412 - dw, hSign - 6), qs(c.date));
    d.line(0, ySign + hSign, kWidth, ySign + hSign);
}

void drawEmployer(Drawer& d)
{
    constexpr double xOffice = 330, xEin = 418;
    d.numbered(kPad, yEmployer + 3, xOffice - 2 * kPad, QStringLiteral("8"), u(kEmployer), 7);
    d.numbered(xOffice + kPad, yEmployer + 3, xEin - xOffice - 2 * kPad, QStringLiteral("9"), u(kOffice), 7);
    d.numbered(xEin + kPad, yEmployer + 3, kWidth - xEin - 2 * kPad, QStringLiteral("10"), u(kEin), 7);
    d.line(xOffice, yEmployer, xOffice, yEmployer + hEmployer);
    d.line(xEin, yEmployer, xEin, yEmployer + hEmployer);
    d.line(0, yEmployer + hEmployer, kWidth, yEmployer + hEmployer, 1.6);
    d.text(QRectF(0, yFoot + 2, kWidth, 10), QStringLiteral("Cat. No. 10220Q"), d.font(6.5), Qt::AlignHCenter | Qt::AlignTop);
}

}  // namespace

QSizeF certificateSize() { return {kWidth, kHeight}; }

QRectF line7TextArea() { return {0, yLine7, xNumber - 14, hLine7}; }

void paintCertificate(QPainter& p, const QRectF& target, const Certificate& c)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double k = target.width() / kWidth;
    p.translate(target.topLeft());
    p.scale(k, k);
    Drawer d(p);
    drawHeader(d);
    drawIdentity(d, c);
    drawAllowanceLines(d, c);
    drawSignature(d, c);
    drawEmployer(d);
    p.restore();
}

namespace {
void paintOnPage(QPainter& p, const QRectF& page, const Certificate& c)
{
    const QSizeF s = certificateSize();
    const double width = qMin(page.width(), page.height() * s.width() / s.height());
    paintCertificate(p, QRectF(page.left(), page.top(), width, width * s.height() / s.width()), c);
}
}  // namespace

void setupCertificatePage(QPrinter& printer)
{
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
}

QByteArray certificatePdf(const Certificate& c)
{
    // Painted in memory: the file is written only from finished bytes.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(36, 36, 36, 36), QPageLayout::Point));
        pdf.setResolution(600);
        pdf.setTitle(QStringLiteral("Form W-4 (2000)"));
        pdf.setCreator(QStringLiteral("Wagemark"));
        QPainter p;
        if (p.begin(&pdf)) {
            paintOnPage(p, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())), c);
            painted = p.end();
        }
    }
    return painted ? bytes : QByteArray();
}

bool printCertificate(QPrinter& printer, const Certificate& c)
{
    QPainter p;
    if (!p.begin(&printer)) return false;
    paintOnPage(p, QRectF(QPointF(0, 0), QSizeF(printer.width(), printer.height())), c);
    return p.end();
}

}  // namespace wm::w4
