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

// ---- Scenes ---------------------------------------------------------------

// The sky's gradient and the sun (or moon) with its glow.
void paintSky(QPainter& p, const QRectF& r, const Scene& s, QRandomGenerator& rnd)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, col(s.skyTop));
    sky.setColorAt(0.7, col(s.skyBottom));
    p.fillRect(r, sky);
    const QPointF sun(r.left() + r.width() * (0.2 + rnd.bounded(60) / 100.0), r.top() + r.height() * 0.22);
    QRadialGradient glow(sun, r.height() * 0.25);
    glow.setColorAt(0, col(s.accent, 200));
    glow.setColorAt(1, col(s.accent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, r.height() * 0.25, r.height() * 0.25);
    p.setBrush(col(s.accent, 230));
    p.drawEllipse(sun, r.height() * 0.05, r.height() * 0.05);
}

// Stars at night, clouds by day (none over the city).
void paintWeather(QPainter& p, const QRectF& r, const Scene& s, QRandomGenerator& rnd)
{
    if (s.kind == 6) {
        p.setBrush(col(s.accent, 220));
        for (int i = 0; i < 160; ++i) {
            const qreal x = r.left() + rnd.bounded(r.width());
            const qreal y = r.top() + rnd.bounded(r.height() * 0.7);
            const qreal d = 0.6 + rnd.bounded(18) / 10.0;
            p.drawEllipse(QPointF(x, y), d, d);
        }
    } else if (s.kind != 3) {
        p.setBrush(QColor(255, 255, 255, 150));
        for (int i = 0; i < 5; ++i) {
            const QPointF c(r.left() + rnd.bounded(r.width()), r.top() + r.height() * (0.08 + rnd.bounded(25) / 100.0));
            const qreal w = r.width() * (0.06 + rnd.bounded(6) / 100.0);
            for (int k = 0; k < 4; ++k)
                p.drawEllipse(QPointF(c.x() + (k - 1.5) * w * 0.6, c.y() + (k % 2) * w * 0.12), w * 0.55, w * 0.33);
        }
    }
}

// Two ridges; `sharp` for peaks, and a meadow's flowers.
void paintRidges(QPainter& p, const QRectF& r, const Scene& s, int seed, QRandomGenerator& rnd)
{
    const QColor land = col(s.land);
    struct Ridges {
        int lighter;
        qreal back[3], front[3];  // base, amplitude, waves
        qreal frontPhase;
        bool sharp;
    };
    static constexpr Ridges kHills{125, {0.62, 0.06, 1.5}, {0.75, 0.07, 1.1}, 2.0, false};
    static constexpr Ridges kMountains{140, {0.55, 0.16, 2.5}, {0.72, 0.1, 1.7}, 3.0, true};
    static constexpr Ridges kDunes{115, {0.66, 0.05, 2.2}, {0.8, 0.05, 1.4}, 1.7, false};
    const Ridges& g = s.kind == 1 ? kMountains : s.kind == 4 ? kDunes : kHills;
    p.setBrush(land.lighter(g.lighter));
    p.drawPath(ridge(r, g.back[0], g.back[1], g.back[2], seed, g.sharp));
    p.setBrush(land);
    p.drawPath(ridge(r, g.front[0], g.front[1], g.front[2], seed * g.frontPhase, g.sharp));
    if (s.kind != 7) return;
    for (int i = 0; i < 260; ++i) {
        const qreal x = r.left() + rnd.bounded(r.width());
        const qreal y = r.top() + r.height() * (0.8 + rnd.bounded(20) / 100.0);
        p.setBrush(col(s.accent, 210));
        p.drawEllipse(QPointF(x, y), 2.5, 2.5);
    }
}

void paintSea(QPainter& p, const QRectF& r, const Scene& s, QRandomGenerator& rnd)
{
    const QColor land = col(s.land);
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
}

void paintCity(QPainter& p, const QRectF& r, const Scene& s, QRandomGenerator& rnd)
{
    const QColor land = col(s.land);
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
}

void paintForest(QPainter& p, const QRectF& r, const Scene& s, int seed, QRandomGenerator& rnd)
{
    const QColor land = col(s.land);
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
}

void paintScene(QPainter& p, const QRectF& r, const Scene& s, int seed)
{
    QRandomGenerator rnd(static_cast<quint32>(seed * 7919));
    paintSky(p, r, s, rnd);
    paintWeather(p, r, s, rnd);
    switch (s.kind) {
    case 0:
    case 1:
    case 4:
    case 7: paintRidges(p, r, s, seed, rnd); break;
    case 2: paintSea(p, r, s, rnd); break;
    case 3: paintCity(p, r, s, rnd); break;
    case 5:
    case 6: paintForest(p, r, s, seed, rnd); break;
    default: break;
    }
}

// ---- Patterns -------------------------------------------------------------

// One tile of a pattern: its corner, size, place and colours.
struct Tile {
    QPainter& p;
    qreal x, y, s;
    int row, colI;
    QColor a, b, c;
    const PatternDef& d;
    QRandomGenerator& rnd;
};

void tileChecks(Tile& t)
{
    if ((t.row + t.colI) % 2) t.p.fillRect(QRectF(t.x, t.y, t.s, t.s), t.b);
}

void tileStripes(Tile& t)
{
    QPainterPath band;
    band.moveTo(t.x, t.y + t.s);
    band.lineTo(t.x + t.s / 2, t.y + t.s);
    band.lineTo(t.x + t.s, t.y);
    band.lineTo(t.x + t.s / 2, t.y);
    band.closeSubpath();
    t.p.fillPath(band, t.b);
}

void tileDots(Tile& t)
{
    t.p.setBrush(t.row % 2 ? t.b : t.c);
    t.p.drawEllipse(QPointF(t.x + (t.row % 2 ? t.s / 2 : 0), t.y), t.s * 0.16, t.s * 0.16);
}

void tileTartan(Tile& t)
{
    t.p.fillRect(QRectF(t.x, t.y + t.s * 0.35, t.s, t.s * 0.12), col(t.d.b, 90));
    t.p.fillRect(QRectF(t.x + t.s * 0.35, t.y, t.s * 0.12, t.s), col(t.d.c, 90));
    t.p.fillRect(QRectF(t.x, t.y + t.s * 0.8, t.s, 2), col(t.d.c, 120));
}

void tileHoneycomb(Tile& t)
{
    QPolygonF hex;
    const QPointF ctr(t.x + (t.row % 2 ? t.s / 2 : 0), t.y);
    for (int k = 0; k < 6; ++k)
        hex << ctr + QPointF(std::cos(k * M_PI / 3) * t.s * 0.45, std::sin(k * M_PI / 3) * t.s * 0.45);
    t.p.setBrush(t.b);
    t.p.setPen(QPen(t.c, 2));
    t.p.drawPolygon(hex);
    t.p.setPen(Qt::NoPen);
}

void tileWaves(Tile& t)
{
    QPainterPath wave;
    wave.moveTo(t.x, t.y);
    wave.cubicTo(t.x + t.s / 3, t.y - t.s / 4, t.x + 2 * t.s / 3, t.y + t.s / 4, t.x + t.s, t.y);
    t.p.setPen(QPen(t.row % 2 ? t.b : t.c, 5));
    t.p.setBrush(Qt::NoBrush);
    t.p.drawPath(wave);
    t.p.setPen(Qt::NoPen);
}

void tileTriangles(Tile& t)
{
    QPolygonF tri;
    tri << QPointF(t.x, t.y + t.s) << QPointF(t.x + t.s / 2, t.y) << QPointF(t.x + t.s, t.y + t.s);
    t.p.setBrush((t.row + t.colI) % 3 ? t.b : t.c);
    t.p.drawPolygon(tri);
}

void tileArgyle(Tile& t)
{
    const qreal x = t.x, y = t.y, s = t.s;
    QPolygonF dia;
    dia << QPointF(x + s / 2, y) << QPointF(x + s, y + s / 2) << QPointF(x + s / 2, y + s) << QPointF(x, y + s / 2);
    t.p.setBrush((t.row + t.colI) % 2 ? t.b : col(t.d.a).darker(105));
    t.p.drawPolygon(dia);
    t.p.setPen(QPen(t.c, 1, Qt::DashLine));
    t.p.drawLine(QPointF(x, y), QPointF(x + s, y + s));
    t.p.drawLine(QPointF(x + s, y), QPointF(x, y + s));
    t.p.setPen(Qt::NoPen);
}

void tileCircles(Tile& t)
{
    t.p.setBrush(Qt::NoBrush);
    t.p.setPen(QPen(t.b, 3));
    t.p.drawEllipse(QPointF(t.x, t.y), t.s * 0.4, t.s * 0.4);
    t.p.setPen(QPen(t.c, 2));
    t.p.drawEllipse(QPointF(t.x, t.y), t.s * 0.2, t.s * 0.2);
    t.p.setPen(Qt::NoPen);
}

void tileBricks(Tile& t)
{
    t.p.setPen(QPen(t.a.darker(110), 3));
    t.p.setBrush(t.row % 2 ? t.b : t.c);
    t.p.drawRect(QRectF(t.x + (t.row % 2 ? t.s / 2 : 0), t.y, t.s, t.s / 2));
    t.p.setPen(Qt::NoPen);
}

void tileChevrons(Tile& t)
{
    QPainterPath chev;
    chev.moveTo(t.x, t.y + t.s / 2);
    chev.lineTo(t.x + t.s / 2, t.y);
    chev.lineTo(t.x + t.s, t.y + t.s / 2);
    t.p.setPen(QPen(t.row % 2 ? t.b : t.c, 8));
    t.p.setBrush(Qt::NoBrush);
    t.p.drawPath(chev);
    t.p.setPen(Qt::NoPen);
}

void tileScales(Tile& t)
{
    t.p.setBrush(t.row % 2 ? t.b : t.c);
    t.p.setPen(QPen(t.a, 2));
    t.p.drawPie(QRectF(t.x + (t.row % 2 ? t.s / 2 : 0) - t.s / 2, t.y - t.s / 2, t.s, t.s), 180 * 16, 180 * 16);
    t.p.setPen(Qt::NoPen);
}

void tileCrosses(Tile& t)
{
    const QColor fill = (t.row + t.colI) % 2 ? t.b : t.c;
    t.p.fillRect(QRectF(t.x + t.s * 0.42, t.y + t.s * 0.25, t.s * 0.16, t.s * 0.5), fill);
    t.p.fillRect(QRectF(t.x + t.s * 0.25, t.y + t.s * 0.42, t.s * 0.5, t.s * 0.16), fill);
}

void tileConfetti(Tile& t)
{
    for (int k = 0; k < 3; ++k) {
        t.p.setBrush(k % 2 ? t.b : t.c);
        t.p.save();
        t.p.translate(t.x + t.rnd.bounded(t.s), t.y + t.rnd.bounded(t.s));
        t.p.rotate(t.rnd.bounded(180));
        t.p.drawRect(QRectF(-5, -2, 10, 4));
        t.p.restore();
    }
}

void tileGrid(Tile& t)
{
    t.p.fillRect(QRectF(t.x, t.y, t.s, 1), t.b);
    t.p.fillRect(QRectF(t.x, t.y, 1, t.s), t.b);
    t.p.fillRect(QRectF(t.x, t.y + t.s / 2, t.s, 1), col(t.d.b, 90));
    t.p.fillRect(QRectF(t.x + t.s / 2, t.y, 1, t.s), col(t.d.b, 90));
}

// By PatternDef::kind.
constexpr void (*kTiles[])(Tile&) = {tileChecks,   tileStripes, tileDots,     tileTartan,   tileHoneycomb,
                                     tileWaves,    tileTriangles, tileArgyle, tileCircles,  tileBricks,
                                     tileChevrons, tileScales,  tileCrosses,  tileConfetti, tileGrid};
static_assert(std::size(kTiles) == kPatterns.size());

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
            Tile t{p, x, y, s, row, static_cast<int>((x - r.left()) / s), a, b, c, d, rnd};
            kTiles[d.kind](t);
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
