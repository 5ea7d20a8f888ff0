#include "forms/main/ui/pictures.h"

#include <QLinearGradient>
#include <QObject>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <array>
#include <cmath>

namespace wm {

namespace {

struct Scene {
    const char* name;
    QRgb skyTop, skyBottom, land, accent;
    int kind;  // 0 hills, 1 mountains, 2 sea, 3 city, 4 dunes, 5 forest, 6 night, 7 meadow
};

constexpr std::array<Scene, 23> kScenes = {{
    {"Green hills", 0x7fb8e6, 0xd9eefa, 0x5e9c4a, 0xfff3b0, 0},
    {"Snow peaks", 0x4f7fb3, 0xc7dcef, 0x6b7a8f, 0xffffff, 1},
    {"Open sea", 0x5aa0d8, 0xe3f1fb, 0x1f6f9e, 0xfff7d6, 2},
    {"City at dusk", 0x2b2d5c, 0xf29e6d, 0x25233d, 0xffd36b, 3},
    {"Desert dunes", 0x88c1e8, 0xf7e2b5, 0xd9a55b, 0xfff2c2, 4},
    {"Pine forest", 0x9cc9e0, 0xe6f2e8, 0x2f5d3a, 0xffffff, 5},
    {"Starry night", 0x0b1030, 0x2c3470, 0x141a3c, 0xfdf6c9, 6},
    {"Spring meadow", 0x8fd0f0, 0xf2fbff, 0x7dbb52, 0xf5d547, 7},
    {"Autumn hills", 0xe8b77a, 0xfbe7c6, 0xb35c2e, 0xfff0d0, 0},
    {"Red rocks", 0xf0a25c, 0xfde3b8, 0x9c4a2c, 0xfff0d0, 1},
    {"Harbour at dusk", 0x3d3b74, 0xe88f76, 0x23375a, 0xffd58a, 2},
    {"Morning skyline", 0x8ec5f0, 0xfbe1c8, 0x55657a, 0xffffff, 3},
    {"Salt flats", 0xa7d2ef, 0xf5f1e8, 0xe3dccb, 0xffffff, 4},
    {"Birch wood", 0xc8e2ef, 0xf4f7ea, 0x6b8f4e, 0xffffff, 5},
    {"Moonrise", 0x14224a, 0x4c5f93, 0x1d2b45, 0xf4f1dc, 6},
    {"Lavender field", 0xa9c8f0, 0xf6e9f6, 0x8a6bb8, 0xe8d9ff, 7},
    {"Winter hills", 0xa6c4de, 0xf3f7fb, 0xe9eef4, 0xffffff, 0},
    {"Blue ridge", 0x6d9ed1, 0xdbe8f5, 0x3e5f87, 0xffffff, 1},
    {"Tropical lagoon", 0x4fc0e8, 0xe9fbff, 0x17a2a6, 0xfff6c8, 2},
    {"Night lights", 0x0f1433, 0x3a2f63, 0x1a1a2e, 0xffe27a, 3},
    {"Canyon sunset", 0xd9594c, 0xf9c784, 0x7a3b2a, 0xfff0c8, 4},
    {"Rainy wood", 0x8896a5, 0xcfd6dc, 0x3b5947, 0xe7edf2, 5},
    {"Sunflower field", 0x79b9ea, 0xeaf6ff, 0x4f8f3a, 0xf6c431, 7},
}};

struct PatternDef {
    const char* name;
    QRgb a, b, c;
    int kind;
};

constexpr std::array<PatternDef, 15> kPatterns = {{
    {"Blue checks", 0xdde8f3, 0xb9cfe6, 0x8fb0d4, 0},
    {"Diagonal stripes", 0xf3ece0, 0xe3d3b8, 0xcdb58f, 1},
    {"Polka dots", 0xeaf4ea, 0xb8d9b8, 0x8fc08f, 2},
    {"Tartan", 0xe9e1d0, 0x9c3b3b, 0x2f4f6f, 3},
    {"Honeycomb", 0xfaf1d7, 0xe8cf82, 0xc9a74a, 4},
    {"Waves", 0xe1f1f6, 0xa9d5e3, 0x6fb3c9, 5},
    {"Triangles", 0xeee9f5, 0xcfc2e6, 0xa896d1, 6},
    {"Argyle", 0xf1e6e6, 0xd9b3b3, 0x9c6f6f, 7},
    {"Circles", 0xe6efe9, 0xbfd8c8, 0x8fbfa1, 8},
    {"Bricks", 0xf2e3d5, 0xd9a88a, 0xb7784f, 9},
    {"Chevrons", 0xe5eef7, 0xb3cbe5, 0x7ea5cf, 10},
    {"Fish scales", 0xe4f2f0, 0xa9d6cf, 0x6cb4a8, 11},
    {"Crosses", 0xf5efe6, 0xe0cfb4, 0xb89f78, 12},
    {"Confetti", 0xfbfaf5, 0xf0a6a6, 0x8fc7e8, 13},
    {"Grid paper", 0xf7fbf7, 0xcfe3cf, 0x9cc59c, 14},
}};

QColor col(QRgb c, int alpha = 255)
{
    QColor q = QColor::fromRgb(c);
    q.setAlpha(alpha);
    return q;
}

// A rolling horizon line through the area.
QPainterPath ridge(const QRectF& r, qreal base, qreal amp, qreal waves, qreal phase, bool sharp)
{
    QPainterPath path(QPointF(r.left(), r.bottom()));
    const int steps = 120;
    for (int i = 0; i <= steps; ++i) {
        const qreal x = r.left() + r.width() * i / steps;
        const qreal t = i * waves * 2 * M_PI / steps + phase;
        qreal y = std::sin(t) * 0.6 + std::sin(t * 2.3 + 1.1) * 0.3 + std::sin(t * 5.1) * 0.1;
        if (sharp) y = 1 - 2 * std::abs(std::fmod(std::abs(t / M_PI) + 0.5, 2.0) - 1.0) + std::sin(t * 3.7) * 0.15;
        path.lineTo(x, r.top() + r.height() * base - y * amp * r.height());
    }
    path.lineTo(r.right(), r.bottom());
    path.closeSubpath();
    return path;
}

void paintScene(QPainter& p, const QRectF& r, const Scene& s, int seed)
{
    QRandomGenerator rnd(static_cast<quint32>(seed * 7919));
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, col(s.skyTop));
    sky.setColorAt(0.7, col(s.skyBottom));
    p.fillRect(r, sky);
    const QColor land = col(s.land);

    // Sun or moon.
    const QPointF sun(r.left() + r.width() * (0.2 + rnd.bounded(60) / 100.0), r.top() + r.height() * 0.22);
    QRadialGradient glow(sun, r.height() * 0.25);
    glow.setColorAt(0, col(s.accent, 200));
    glow.setColorAt(1, col(s.accent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, r.height() * 0.25, r.height() * 0.25);
    p.setBrush(col(s.accent, 230));
    p.drawEllipse(sun, r.height() * 0.05, r.height() * 0.05);

    if (s.kind == 6) {  // stars
        p.setBrush(col(s.accent, 220));
        for (int i = 0; i < 160; ++i) {
            const qreal x = r.left() + rnd.bounded(r.width());
            const qreal y = r.top() + rnd.bounded(r.height() * 0.7);
            const qreal d = 0.6 + rnd.bounded(18) / 10.0;
            p.drawEllipse(QPointF(x, y), d, d);
        }
    } else if (s.kind != 3) {  // clouds
        p.setBrush(QColor(255, 255, 255, 150));
        for (int i = 0; i < 5; ++i) {
            const QPointF c(r.left() + rnd.bounded(r.width()), r.top() + r.height() * (0.08 + rnd.bounded(25) / 100.0));
            const qreal w = r.width() * (0.06 + rnd.bounded(6) / 100.0);
            for (int k = 0; k < 4; ++k)
                p.drawEllipse(QPointF(c.x() + (k - 1.5) * w * 0.6, c.y() + (k % 2) * w * 0.12), w * 0.55, w * 0.33);
        }
    }

    switch (s.kind) {
    case 0:
    case 7:
        p.setBrush(land.lighter(125));
        p.drawPath(ridge(r, 0.62, 0.06, 1.5, seed, false));
        p.setBrush(land);
        p.drawPath(ridge(r, 0.75, 0.07, 1.1, seed * 2.0, false));
        if (s.kind == 7) {
            for (int i = 0; i < 260; ++i) {
                const qreal x = r.left() + rnd.bounded(r.width());
                const qreal y = r.top() + r.height() * (0.8 + rnd.bounded(20) / 100.0);
                p.setBrush(col(s.accent, 210));
                p.drawEllipse(QPointF(x, y), 2.5, 2.5);
            }
        }
        break;
    case 1:
        p.setBrush(land.lighter(140));
        p.drawPath(ridge(r, 0.55, 0.16, 2.5, seed, true));
        p.setBrush(land);
        p.drawPath(ridge(r, 0.72, 0.1, 1.7, seed * 3.0, true));
        break;
    case 2: {
        QLinearGradient sea(QPointF(0, r.top() + r.height() * 0.6), r.bottomLeft());
        sea.setColorAt(0, land.lighter(130));
        sea.setColorAt(1, land.darker(120));
        p.fillRect(QRectF(r.left(), r.top() + r.height() * 0.6, r.width(), r.height() * 0.4), sea);
        p.setPen(QPen(QColor(255, 255, 255, 90), 2));
        for (int i = 0; i < 40; ++i) {
            const qreal y = r.top() + r.height() * (0.63 + rnd.bounded(36) / 100.0);
            const qreal x = r.left() + rnd.bounded(r.width());
            p.drawLine(QPointF(x, y), QPointF(x + 20 + rnd.bounded(40), y));
        }
        p.setPen(Qt::NoPen);
        break;
    }
    case 3: {
        qreal x = r.left();
        while (x < r.right()) {
            const qreal w = r.width() * (0.04 + rnd.bounded(5) / 100.0);
            const qreal h = r.height() * (0.18 + rnd.bounded(35) / 100.0);
            const QRectF b(x, r.bottom() - h, w - 3, h);
            p.setBrush(land.lighter(100 + rnd.bounded(30)));
            p.drawRect(b);
            p.setBrush(col(s.accent, 170));
            for (qreal wy = b.top() + 8; wy < b.bottom() - 8; wy += 14)
                for (qreal wx = b.left() + 5; wx < b.right() - 6; wx += 10)
                    if (rnd.bounded(3) != 0) p.drawRect(QRectF(wx, wy, 4, 6));
            x += w;
        }
        break;
    }
    case 4:
        p.setBrush(land.lighter(115));
        p.drawPath(ridge(r, 0.66, 0.05, 2.2, seed, false));
        p.setBrush(land);
        p.drawPath(ridge(r, 0.8, 0.05, 1.4, seed * 1.7, false));
        break;
    case 5:
    case 6: {
        p.setBrush(land.lighter(115));
        p.drawPath(ridge(r, 0.7, 0.04, 1.3, seed, false));
        for (int i = 0; i < 70; ++i) {
            const qreal x = r.left() + rnd.bounded(r.width());
            const qreal base = r.top() + r.height() * (0.72 + rnd.bounded(28) / 100.0);
            const qreal h = r.height() * (0.12 + rnd.bounded(12) / 100.0);
            QPainterPath tree;
            tree.moveTo(x, base - h);
            tree.lineTo(x - h * 0.28, base);
            tree.lineTo(x + h * 0.28, base);
            tree.closeSubpath();
            p.setBrush(land.darker(100 + rnd.bounded(40)));
            p.drawPath(tree);
        }
        break;
    }
    default: break;
    }
}

void paintPattern(QPainter& p, const QRectF& r, const PatternDef& d)
{
    const QColor a = col(d.a), b = col(d.b), c = col(d.c);
    p.fillRect(r, a);
    p.setPen(Qt::NoPen);
    const qreal s = 48;
    QRandomGenerator rnd(static_cast<quint32>(d.kind + 17));
    for (qreal y = r.top() - s; y < r.bottom() + s; y += s) {
        const int row = static_cast<int>((y - r.top()) / s);
        for (qreal x = r.left() - s; x < r.right() + s; x += s) {
            const int colI = static_cast<int>((x - r.left()) / s);
            switch (d.kind) {
            case 0:
                if ((row + colI) % 2) p.fillRect(QRectF(x, y, s, s), b);
                break;
            case 1: {
                QPainterPath band;
                band.moveTo(x, y + s);
                band.lineTo(x + s / 2, y + s);
                band.lineTo(x + s, y);
                band.lineTo(x + s / 2, y);
                band.closeSubpath();
                p.fillPath(band, b);
                break;
            }
            case 2:
                p.setBrush(row % 2 ? b : c);
                p.drawEllipse(QPointF(x + (row % 2 ? s / 2 : 0), y), s * 0.16, s * 0.16);
                break;
            case 3:
                p.fillRect(QRectF(x, y + s * 0.35, s, s * 0.12), col(d.b, 90));
                p.fillRect(QRectF(x + s * 0.35, y, s * 0.12, s), col(d.c, 90));
                p.fillRect(QRectF(x, y + s * 0.8, s, 2), col(d.c, 120));
                break;
            case 4: {
                QPolygonF hex;
                const QPointF ctr(x + (row % 2 ? s / 2 : 0), y);
                for (int k = 0; k < 6; ++k)
                    hex << ctr + QPointF(std::cos(k * M_PI / 3) * s * 0.45, std::sin(k * M_PI / 3) * s * 0.45);
                p.setBrush(b);
                p.setPen(QPen(c, 2));
                p.drawPolygon(hex);
                p.setPen(Qt::NoPen);
                break;
            }
            case 5: {
                QPainterPath wave;
                wave.moveTo(x, y);
                wave.cubicTo(x + s / 3, y - s / 4, x + 2 * s / 3, y + s / 4, x + s, y);
                p.setPen(QPen(row % 2 ? b : c, 5));
                p.setBrush(Qt::NoBrush);
                p.drawPath(wave);
                p.setPen(Qt::NoPen);
                break;
            }
            case 6: {
                QPolygonF tri;
                tri << QPointF(x, y + s) << QPointF(x + s / 2, y) << QPointF(x + s, y + s);
                p.setBrush((row + colI) % 3 ? b : c);
                p.drawPolygon(tri);
                break;
            }
            case 7: {
                QPolygonF dia;
                dia << QPointF(x + s / 2, y) << QPointF(x + s, y + s / 2) << QPointF(x + s / 2, y + s)
                    << QPointF(x, y + s / 2);
                p.setBrush((row + colI) % 2 ? b : col(d.a).darker(105));
                p.drawPolygon(dia);
                p.setPen(QPen(c, 1, Qt::DashLine));
                p.drawLine(QPointF(x, y), QPointF(x + s, y + s));
                p.drawLine(QPointF(x + s, y), QPointF(x, y + s));
                p.setPen(Qt::NoPen);
                break;
            }
            case 8:
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(b, 3));
                p.drawEllipse(QPointF(x, y), s * 0.4, s * 0.4);
                p.setPen(QPen(c, 2));
                p.drawEllipse(QPointF(x, y), s * 0.2, s * 0.2);
                p.setPen(Qt::NoPen);
                break;
            case 9:
                p.setPen(QPen(a.darker(110), 3));
                p.setBrush(row % 2 ? b : c);
                p.drawRect(QRectF(x + (row % 2 ? s / 2 : 0), y, s, s / 2));
                p.setPen(Qt::NoPen);
                break;
            case 10: {
                QPainterPath chev;
                chev.moveTo(x, y + s / 2);
                chev.lineTo(x + s / 2, y);
                chev.lineTo(x + s, y + s / 2);
                p.setPen(QPen(row % 2 ? b : c, 8));
                p.setBrush(Qt::NoBrush);
                p.drawPath(chev);
                p.setPen(Qt::NoPen);
                break;
            }
            case 11:
                p.setBrush(row % 2 ? b : c);
                p.setPen(QPen(a, 2));
                p.drawPie(QRectF(x + (row % 2 ? s / 2 : 0) - s / 2, y - s / 2, s, s), 180 * 16, 180 * 16);
                p.setPen(Qt::NoPen);
                break;
            case 12:
                p.fillRect(QRectF(x + s * 0.42, y + s * 0.25, s * 0.16, s * 0.5), (row + colI) % 2 ? b : c);
                p.fillRect(QRectF(x + s * 0.25, y + s * 0.42, s * 0.5, s * 0.16), (row + colI) % 2 ? b : c);
                break;
            case 13:
                for (int k = 0; k < 3; ++k) {
                    p.setBrush(k % 2 ? b : c);
                    p.save();
                    p.translate(x + rnd.bounded(s), y + rnd.bounded(s));
                    p.rotate(rnd.bounded(180));
                    p.drawRect(QRectF(-5, -2, 10, 4));
                    p.restore();
                }
                break;
            case 14:
                p.fillRect(QRectF(x, y, s, 1), b);
                p.fillRect(QRectF(x, y, 1, s), b);
                p.fillRect(QRectF(x, y + s / 2, s, 1), col(d.b, 90));
                p.fillRect(QRectF(x + s / 2, y, 1, s), col(d.b, 90));
                break;
            default: break;
            }
        }
    }
}

}  // namespace

QPixmap backgroundPicture(int number, QSize size)
{
    QPixmap pm(size.expandedTo(QSize(1, 1)));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(pm.size()));
    if (number >= kFirstPicture && number <= kLastPicture)
        paintScene(p, r, kScenes[static_cast<std::size_t>(number - kFirstPicture)], number);
    else if (number >= kFirstPattern && number <= kLastPattern)
        paintPattern(p, r, kPatterns[static_cast<std::size_t>(number - kFirstPattern)]);
    else
        p.fillRect(r, QColor(0xe8, 0xec, 0xf0));
    return pm;
}

QString backgroundName(int number)
{
    if (number >= kFirstPicture && number <= kLastPicture)
        return QObject::tr("Picture %1: %2").arg(number).arg(QString::fromLatin1(kScenes[static_cast<std::size_t>(number - 1)].name));
    if (number >= kFirstPattern && number <= kLastPattern)
        return QObject::tr("Pattern %1: %2")
            .arg(number)
            .arg(QString::fromLatin1(kPatterns[static_cast<std::size_t>(number - kFirstPattern)].name));
    return QObject::tr("Picture %1").arg(number);
}

}  // namespace wm
