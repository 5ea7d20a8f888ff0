#pragma once
// What the tool windows (Multiple Check Worksheet, pay analysis, Year Check)
// share: a large title, a message line, and one page that scrolls when the
// window is smaller than its content.

#include <QMargins>
#include <QString>

class QLabel;
class QLayout;
class QWidget;

namespace wm {

// The window's title: its font half again as large, bold.
QLabel* makeTitle(const QString& text, QWidget* parent);

// "lblMessage": why there is nothing to show, in dark red, wrapped.
QLabel* makeMessageLabel(QWidget* parent);

// Puts `body` on a page that fills `window` and scrolls. With `keepLeft`
// the body keeps its natural width at the left of a wide window.
void setScrollingPage(QWidget* window, QLayout* body, const QMargins& margins, bool keepLeft);

}  // namespace wm
