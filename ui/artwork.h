#pragma once
// Pictures the program draws itself: the main window's even-day and odd-day
// backgrounds, the program icon, the splash and the command icons.

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QRect>
#include <QString>

class QPainter;

namespace wm::art {

// The main window's background for an even or odd day, filling `area`.
void paintDayBackground(QPainter& p, const QRect& area, bool even);
// The program's icon (a pay envelope with a check mark).
QIcon appIcon();
QPixmap appIconPixmap(int size);
// The splash picture with the version text.
QPixmap splash(const QString& version);
// A command icon: a rounded tile in `color` with a short glyph.
QIcon commandIcon(const QString& glyph, QColor color);

}  // namespace wm::art
