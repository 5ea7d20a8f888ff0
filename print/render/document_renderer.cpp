#include "print/render/document_renderer.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

#include "qtcore/qt_text.h"
#include "qtcore/whole_file.h"

namespace wm {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr int kHeaderPoints = 10;


QFont documentFont(int points, bool italic, QPaintDevice* device)
{
    QFont f;
    // A plain office face where one is installed; DejaVu Sans is everywhere.
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                   QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(points);
    f.setItalic(italic);
    return QFont(f, device);
}

// Where each page's content starts and how it is measured.
struct Layout {
    double dpi = 72;
    double pageWidth = 0;
    double pageHeight = 0;
    double rowHeight = 0;
    double pad = 0;
    double tableTop = 0;
    double firstTableTop = 0;  // below the title on the first page
    std::vector<double> widths;
    double tableWidth = 0;
};

void drawPageHeader(QPainter& p, const PrintDocument& doc, const Layout& l)
{
    QFont f = documentFont(kHeaderPoints, false, p.device());
    p.setFont(f);
    p.setPen(QColor(60, 60, 60));
    const QFontMetricsF fm(f, p.device());
    const QString text = fm.elidedText(qs(doc.header), Qt::ElideRight, l.pageWidth);
    p.drawText(QRectF(0, 0, l.pageWidth, fm.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
    const double ruleY = fm.height() + fm.height() * 0.3;
    p.setPen(QPen(QColor(150, 150, 150), l.dpi / 144.0));
    p.drawLine(QPointF(0, ruleY), QPointF(l.pageWidth, ruleY));
    p.setPen(Qt::black);
}

QFont titleFont(const PrintDocument& doc, QPaintDevice* device)
{
    QFont f = documentFont(doc.fontPoints + 4, false, device);
    f.setBold(true);
    return f;
}

// The title under the page header, on the first page only.
void drawTitle(QPainter& p, const PrintDocument& doc, const Layout& l)
{
    const QFont f = titleFont(doc, p.device());
    p.setFont(f);
    const QFontMetricsF fm(f, p.device());
    const double top = l.firstTableTop - fm.height() - l.dpi * 0.2;
    p.drawText(QRectF(0, top, l.pageWidth, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
               fm.elidedText(qs(doc.title), Qt::ElideRight, l.pageWidth));
}

// A row whose label starts at the margin (a total or a heading) is bold.
bool emphasised(const std::vector<std::string>& row)
{
    return !row.empty() && !row.front().empty() && row.front().front() != ' ';
}

void drawRow(QPainter& p, const PrintDocument& doc, const Layout& l, const TableDefinition& t,
             const std::vector<std::string>& row, double y, bool header)
{
    QFont f = documentFont(doc.fontPoints, doc.italic, p.device());
    f.setBold(header || emphasised(row));
    p.setFont(f);
    const QFontMetricsF fm(f, p.device());
    if (header) p.fillRect(QRectF(0, y, l.tableWidth, l.rowHeight), QColor(228, 232, 238));
    double x = 0;
    for (std::size_t c = 0; c < t.columns.size(); ++c) {
        // Left-aligned text that is too long runs on over empty cells to its
        // right (a heading row), as a spreadsheet shows it.
        double width = l.widths[c];
        if (!t.columns[c].right && !doc.border) {
            const double needed = fm.horizontalAdvance(qs(row[c])) + 2 * l.pad;
            for (std::size_t n = c + 1; n < t.columns.size() && row[n].empty() && width < needed; ++n)
                width += l.widths[n];
        }
        const QRectF cell(x + l.pad, y, width - 2 * l.pad, l.rowHeight);
        const Qt::Alignment align = (t.columns[c].right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        const QString text = fm.elidedText(qs(row[c]), Qt::ElideRight, cell.width());
        p.drawText(cell, align, text);
        if (doc.border) {
            p.setPen(QPen(Qt::black, l.dpi / 144.0));
            p.drawRect(QRectF(x, y, l.widths[c], l.rowHeight));
        }
        x += l.widths[c];
    }
}

Layout measure(const PrintDocument& doc, const TableDefinition& t, QPainter& p)
{
    Layout l;
    QPaintDevice* d = p.device();
    l.dpi = d->logicalDpiY();
    l.pageWidth = d->width();
    l.pageHeight = d->height();
    QFont plain = documentFont(doc.fontPoints, doc.italic, d);
    QFont bold = plain;
    bold.setBold(true);
    const QFontMetricsF body(plain, d);
    const QFontMetricsF heavy(bold, d);
    const QFontMetricsF head(documentFont(kHeaderPoints, false, d), d);
    l.rowHeight = body.height() * 1.45;
    l.pad = l.dpi * 0.08;
    l.tableTop = head.height() * 1.3 + l.dpi * 0.35;
    l.firstTableTop = l.tableTop;
    if (!doc.title.empty())
        l.firstTableTop += QFontMetricsF(titleFont(doc, d), d).height() + l.dpi * 0.2;
    for (const TableColumn& c : t.columns) l.widths.push_back(c.twips / kTwipsPerInch * d->logicalDpiX());
    // The widths are what the document asks for; a face wider than the one
    // they were chosen for gets the room its text needs, so nothing is cut.
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        const QFontMetricsF& fm = (r == 0 || emphasised(t.rows[r])) ? heavy : body;
        for (std::size_t c = 0; c < t.columns.size(); ++c) {
            // Headings run on over the empty cells beside them instead.
            const bool runsOn = c + 1 < t.columns.size() && !t.columns[c].right && t.rows[r][c + 1].empty();
            if (runsOn || t.rows[r][c].empty()) continue;
            l.widths[c] = std::max(l.widths[c], fm.horizontalAdvance(qs(t.rows[r][c])) + 2 * l.pad + 1);
        }
    }
    double total = 0;
    for (double w : l.widths) total += w;
    // A table wider than the paper is narrowed to fit.
    if (total > l.pageWidth && total > 0) {
        for (double& w : l.widths) w *= l.pageWidth / total;
        total = l.pageWidth;
    }
    l.tableWidth = total;
    return l;
}

// The document in the largest type from its own size down to its smallest
// that holds the whole table on one page (its smallest when none does).
PrintDocument fitted(const PrintDocument& doc, const TableDefinition& t, QPainter& p)
{
    PrintDocument d = doc;
    while (doc.minFontPoints > 0 && d.fontPoints > doc.minFontPoints) {
        const Layout l = measure(d, t, p);
        if (l.firstTableTop + l.rowHeight * static_cast<double>(t.rows.size()) <= l.pageHeight) break;
        --d.fontPoints;
    }
    return d;
}

}  // namespace

void setupPage(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(0.75, 0.75, 0.75, 0.75), QPageLayout::Inch));
}

void renderDocument(const PrintDocument& asked, QPainter& p, QPagedPaintDevice& device)
{
    const TableDefinition t = parseTableDefinition(asked.table);
    const PrintDocument doc = fitted(asked, t, p);
    const Layout l = measure(doc, t, p);
    drawPageHeader(p, doc, l);
    if (!doc.title.empty()) drawTitle(p, doc, l);
    if (t.columns.empty() || t.rows.empty()) return;
    // Body rows a page holds under its header row.
    const auto fit = [&l](double top) {
        return static_cast<std::size_t>(std::max(1.0, std::floor((l.pageHeight - top) / l.rowHeight) - 1));
    };
    std::vector<std::size_t> starts = pageStarts(t, fit(l.firstTableTop), fit(l.tableTop));
    if (starts.empty()) starts.push_back(t.rows.size());  // the header row alone
    const auto blank = [&t](std::size_t i) {
        return std::all_of(t.rows[i].begin(), t.rows[i].end(), [](const std::string& c) { return c.empty(); });
    };
    for (std::size_t page = 0; page < starts.size(); ++page) {
        if (page > 0) {
            device.newPage();
            drawPageHeader(p, doc, l);
        }
        double y = page == 0 ? l.firstTableTop : l.tableTop;
        drawRow(p, doc, l, t, t.rows.front(), y, true);
        y += l.rowHeight;
        // The page's rows, less the empty ones before the break.
        std::size_t end = page + 1 < starts.size() ? starts[page + 1] : t.rows.size();
        while (end > starts[page] && blank(end - 1)) --end;
        for (std::size_t i = starts[page]; i < end; ++i, y += l.rowHeight) drawRow(p, doc, l, t, t.rows[i], y, false);
    }
}

bool renderDocument(const PrintDocument& doc, QPagedPaintDevice& device)
{
    QPainter p;
    if (!p.begin(&device)) return false;
    renderDocument(doc, p, device);
    return p.end();
}

QByteArray documentPdf(const PrintDocument& doc, const QString& title)
{
    // Laid out in memory: the writer keeps the failures of its device to
    // itself, so a file is written only from finished bytes.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool ok = false;
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Wagemark"));
        setupPage(writer);
        ok = renderDocument(doc, writer);
    }
    return ok ? bytes : QByteArray();
}

bool writeDocumentPdf(const PrintDocument& doc, const QString& path, const QString& title, QString* error)
{
    const QByteArray bytes = documentPdf(doc, title);
    QString why = QStringLiteral("The document could not be laid out.");
    if (!bytes.isEmpty() && saveWholeFile(path, bytes, &why)) return true;
    if (error) *error = QStringLiteral("\"%1\" was not written: %2").arg(QDir::toNativeSeparators(path), why);
    return false;
}

}  // namespace wm
