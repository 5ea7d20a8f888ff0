#include "ui/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace wm::art {

void paintDayBackground(QPainter& p, const QRect& area, bool even)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(area.topLeft(), area.bottomRight());
    if (even) {
        g.setColorAt(0, QColor(0x1f, 0x4e, 0x6b));
        g.setColorAt(1, QColor(0x3d, 0x8c, 0x8f));
    } else {
        g.setColorAt(0, QColor(0x4a, 0x3b, 0x6b));
        g.setColorAt(1, QColor(0x8f, 0x5b, 0x6e));
    }
    p.fillRect(area, g);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, even ? 14 : 18));
    const int step = 96;
    for (int y = area.top(); y < area.bottom() + step; y += step) {
        for (int x = area.left(); x < area.right() + step; x += step) {
            const bool shift = ((y - area.top()) / step) % 2;
            const QPointF c(x + (shift ? step / 2 : 0), y);
            if (even)
                p.drawRoundedRect(QRectF(c.x() - 22, c.y() - 14, 44, 28), 6, 6);  // bills
            else
                p.drawEllipse(c, 18, 18);  // coins
        }
    }
    QFont f(QStringLiteral("DejaVu Sans"), 40, QFont::Bold);
    p.setFont(f);
    p.setPen(QColor(255, 255, 255, 46));
    p.drawText(area.adjusted(0, 0, -28, -20), Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Wagemark"));
    p.restore();
}

QPixmap appIconPixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 64.0;
    p.scale(s, s);
    QLinearGradient g(0, 8, 0, 56);
    g.setColorAt(0, QColor(0x3f, 0xa3, 0x5b));
    g.setColorAt(1, QColor(0x1e, 0x6b, 0x3a));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x14, 0x4d, 0x29), 2));
    p.drawRoundedRect(QRectF(4, 12, 56, 40), 6, 6);
    p.setPen(QPen(QColor(255, 255, 255, 170), 2.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath flap;
    flap.moveTo(6, 15);
    flap.lineTo(32, 34);
    flap.lineTo(58, 15);
    p.drawPath(flap);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf5, 0xc5, 0x42));
    p.drawEllipse(QPointF(46, 44), 13, 13);
    p.setPen(QPen(QColor(0x5a, 0x3d, 0x00), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(40, 44);
    tick.lineTo(44.5, 49);
    tick.lineTo(52, 39);
    p.drawPath(tick);
    return pm;
}

QIcon appIcon()
{
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(appIconPixmap(s));
    return icon;
}

QPixmap splash(const QString& version)
{
    QPixmap pm(520, 300);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 520, 300);
    g.setColorAt(0, QColor(0x1f, 0x4e, 0x6b));
    g.setColorAt(1, QColor(0x2f, 0x7d, 0x5a));
    p.fillRect(pm.rect(), g);
    p.drawPixmap(36, 44, appIconPixmap(96));
    p.setPen(Qt::white);
    QFont title(QStringLiteral("DejaVu Sans"), 30, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(150, 50, 350, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Wagemark"));
    QFont sub(QStringLiteral("DejaVu Sans"), 11);
    p.setFont(sub);
    p.drawText(QRect(152, 100, 350, 44), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Pay calculator on the United States withholding rules of tax year 2000"));
    p.setPen(QColor(255, 255, 255, 90));
    p.drawLine(36, 180, 484, 180);
    p.setPen(Qt::white);
    QFont ver(QStringLiteral("DejaVu Sans"), 12, QFont::DemiBold);
    p.setFont(ver);
    p.drawText(QRect(36, 196, 448, 28), Qt::AlignLeft | Qt::AlignVCenter, version);
    p.setFont(sub);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRect(36, 240, 448, 28), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Click or press a key to continue"));
    return pm;
}

QIcon commandIcon(const QString& glyph, QColor color)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        QRadialGradient g(size * 0.35, size * 0.3, size);
        g.setColorAt(0, color.lighter(135));
        g.setColorAt(1, color.darker(115));
        p.setBrush(g);
        p.setPen(QPen(color.darker(150), size / 16.0));
        p.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 5.0, size / 5.0);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setBold(true);
        f.setPixelSize(glyph.size() > 2 ? size * 0.36 : glyph.size() > 1 ? size * 0.44 : size * 0.6);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, glyph);
        icon.addPixmap(pm);
    }
    return icon;
}

}  // namespace wm::art
