#pragma once
// What a screen reader says for the controls of every window.
//
// A control is named by its caption, as the user reads it: a field by the
// label that names it (its buddy), a button by its text, never by the value
// it holds. Qt names a drop-down list by its current item on Linux, and the
// accessibility tree would read "No State" for the state list; the
// interface installed here names it like any other field and keeps the item
// as its value.

#include <QString>

class QWidget;

namespace wm {

// A caption as it is spoken: without the "&" that marks its Alt letter
// ("&&" stays one "&"), without the blanks that pad it on screen.
QString spokenText(const QString& caption);

// Names drop-down lists by their accessible name or their label. Once per
// program, before its windows are made; later calls do nothing.
void installAccessibleNames();

// The control's name from its caption, and its description from its tip,
// where it has none of its own: for lists and tables, which take neither
// from their label and tip. Call after the tip is set.
void nameAfter(QWidget* control, const QString& caption);

}  // namespace wm
