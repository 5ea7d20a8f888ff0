#include "forms/tools/ui/year_chart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "core/year_check.h"

namespace wm {

namespace {

const QColor kCovers(58, 143, 92);
const QColor kShort(208, 138, 46);
const QColor kTaxLine(176, 40, 40);
const QColor kGrid(0, 0, 0, 28);

QString dollars(double v) { return QString::fromStdString(aboutDollars(Currency::round(v))); }

// A step of 1, 2 or 5 times a power of ten giving about five grid lines.
double niceStep(double top)
{
    const double raw = top / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (raw <= m * power) return m * power;
    return 10 * power;
}

}  // namespace

YearChart::YearChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picYearChart"));
    setAccessibleName(tr("Withholding by allowances claimed"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void YearChart::setData(Data data)
{
    data_ = std::move(data);
    QStringList parts;
    for (std::size_t n = 0; n < data_.withholding.size(); ++n)
        parts << tr("%1: %2").arg(n).arg(QString::fromStdString(formatCurrency(data_.withholding[n])));
    setAccessibleDescription(tr("Income tax %1. Withholding by allowances claimed, %2")
                                 .arg(QString::fromStdString(formatCurrency(data_.incomeTax)), parts.join(QStringLiteral("; "))));
    update();
}

namespace {

// Where the plot sits and how dollars map onto it.
struct Frame {
    QRect plot;
    double top = 0;   // dollars at the top of the plot
    double step = 0;  // dollars between grid lines
    int left = 0;     // width of the dollar scale
    int line = 0;     // text line height
    double yOf(double v) const { return plot.bottom() - v / top * plot.height(); }
};

void paintLegend(QPainter& p, const QWidget& w, const Frame& f, Currency incomeTax)
{
    const QFontMetrics fm(w.font());
    const QColor text = w.palette().text().color();
    p.setPen(text);
    p.drawText(QRect(0, 2, w.width(), f.line), Qt::AlignHCenter,
               YearChart::tr("Year's federal withholding by allowances claimed"));
    int x = f.plot.left();
    const int y = f.line + 4;
    for (const auto& [color, label] : {std::pair{kCovers, YearChart::tr("covers the tax")},
                                       std::pair{kShort, YearChart::tr("falls short")}}) {
        p.fillRect(QRect(x, y + 2, 12, 10), color);
        p.drawText(QPoint(x + 16, y + fm.ascent()), label);
        x += 16 + fm.horizontalAdvance(label) + 18;
    }
    p.setPen(QPen(kTaxLine, 2, Qt::DashLine));
    p.drawLine(x, y + 7, x + 18, y + 7);
    p.setPen(text);
    p.drawText(QPoint(x + 22, y + fm.ascent()),
               YearChart::tr("income tax %1").arg(QString::fromStdString(formatCurrency(incomeTax))));
}

void paintScale(QPainter& p, const QWidget& w, const Frame& f)
{
    for (double v = 0; v <= f.top + f.step / 2; v += f.step) {
        const double y = f.yOf(v);
        p.setPen(kGrid);
        p.drawLine(QPointF(f.plot.left(), y), QPointF(f.plot.right(), y));
        p.setPen(w.palette().text().color());
        p.drawText(QRectF(0, y - f.line / 2.0, f.left - 6, f.line), Qt::AlignRight | Qt::AlignVCenter, dollars(v));
    }
}

// One bar per count; count labels thinned out when they would crowd.
void paintBars(QPainter& p, const QWidget& w, const Frame& f, const YearChart::Data& d)
{
    const QColor text = w.palette().text().color();
    const int count = static_cast<int>(d.withholding.size());
    const double slot = static_cast<double>(f.plot.width()) / count;
    const int labelEvery =
        std::max(1, static_cast<int>(std::ceil(w.fontMetrics().horizontalAdvance(QStringLiteral("00 ")) / slot)));
    for (int n = 0; n < count; ++n) {
        const Currency amount = d.withholding[static_cast<std::size_t>(n)];
        const double y = f.yOf(amount.toDouble());
        const QRectF bar(f.plot.left() + n * slot + slot * 0.15, y, slot * 0.7, f.plot.bottom() - y);
        p.fillRect(bar, amount >= d.incomeTax ? kCovers : kShort);
        p.setPen(QPen(text, 2));
        if (n == d.advised) p.drawRect(bar.adjusted(-1, -1, 1, 1));
        const QRectF below(f.plot.left() + (n - 1) * slot, f.plot.bottom() + 2, slot * 3, f.line);
        if (n % labelEvery == 0 || n == d.advised || n == d.claimed)
            p.drawText(below, Qt::AlignHCenter, QString::number(n));
        if (n == d.claimed) p.drawText(below.translated(0, f.line), Qt::AlignHCenter, YearChart::tr("now"));
    }
    p.setPen(text);
    p.drawLine(f.plot.bottomLeft(), f.plot.bottomRight());
    p.drawText(QRect(f.plot.left(), f.plot.bottom() + 2 + f.line, f.plot.width(), f.line), Qt::AlignRight,
               YearChart::tr("allowances"));
    const double taxY = f.yOf(d.incomeTax.toDouble());
    p.setPen(QPen(kTaxLine, 2, Qt::DashLine));
    p.drawLine(QPointF(f.plot.left(), taxY), QPointF(f.plot.right(), taxY));
}

}  // namespace

void YearChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    if (data_.withholding.empty()) return;

    Frame f;
    f.line = fontMetrics().height();
    double top = data_.incomeTax.toDouble();
    for (Currency w : data_.withholding) top = std::max(top, w.toDouble());
    top = top <= 0 ? 100 : top * 1.12;
    f.step = niceStep(top);
    f.top = std::ceil(top / f.step) * f.step;
    f.left = fontMetrics().horizontalAdvance(dollars(f.top)) + 14;
    f.plot = QRect(f.left, f.line * 2 + 8, width() - f.left - 12, height() - f.line * 4 - 16);
    if (f.plot.width() < 40 || f.plot.height() < 40) return;

    paintLegend(p, *this, f, data_.incomeTax);
    paintScale(p, *this, f);
    paintBars(p, *this, f, data_);
}

}  // namespace wm
