#pragma once
// The calculator's background pictures, drawn rather than shipped:
// "Pictures" 1 to 23 are landscapes and skies, "Patterns" 24 to 38 are
// repeating designs. The same number always gives the same picture.

#include <QPixmap>
#include <QSize>
#include <QString>

namespace wm {

inline constexpr int kFirstPicture = 1, kLastPicture = 23, kFirstPattern = 24, kLastPattern = 38;

QPixmap backgroundPicture(int number, QSize size);
// A short name for tips ("Picture 5: Harbour at dusk").
QString backgroundName(int number);

}  // namespace wm
