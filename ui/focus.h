#pragma once
// FocusMe: a field that gets the focus selects its whole text, so typing
// replaces the old entry. Works for QLineEdit and editable QComboBox fields.

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QObject>
#include <QPalette>
#include <QWidget>
#include <QTimer>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QRadioButton>
#include <QScrollArea>
#include <initializer_list>

namespace wm {

inline void FocusMe(QLineEdit* field)
{
    // Deferred: a mouse click that gave the focus would otherwise place the
    // cursor over the selection.
    // Only while the field still has the focus: a selection in a field the
    // user has already left would look like a second current field.
    QTimer::singleShot(0, field, [field] {
        if (field->hasFocus()) field->setSelection(0, static_cast<int>(field->text().size()));
    });
}

// Installs FocusMe on the fields: each selects its text when it gets the focus.
class FocusSelectAll final : public QObject {
public:
    explicit FocusSelectAll(QObject* parent) : QObject(parent) {}

    static void install(QLineEdit* field)
    {
        static_cast<QObject*>(field)->installEventFilter(new FocusSelectAll(field));
    }
    static void install(QComboBox* box)
    {
        if (box->lineEdit()) install(box->lineEdit());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field) return false;
        if (event->type() == QEvent::FocusIn) FocusMe(field);
        // The selection goes with the focus, also when another window takes
        // it (the field selects its text again when the focus comes back).
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            field->deselect();
        return false;
    }
};

// A list's chosen row stands out in the highlight colour only while the list
// has the focus; otherwise it is marked in a quiet tint, so that one field at
// a time looks current.
class QuietSelection final : public QObject {
public:
    explicit QuietSelection(QWidget* view) : QObject(view), focused_(view->palette())
    {
        quiet_ = focused_;
        for (auto group : {QPalette::Active, QPalette::Inactive}) {
            const QColor h = focused_.color(group, QPalette::Highlight), b = focused_.color(group, QPalette::Base);
            quiet_.setColor(group, QPalette::Highlight,
                            QColor((h.red() + 3 * b.red()) / 4, (h.green() + 3 * b.green()) / 4,
                                   (h.blue() + 3 * b.blue()) / 4));
            quiet_.setColor(group, QPalette::HighlightedText, focused_.color(group, QPalette::Text));
        }
        view->setPalette(view->hasFocus() ? focused_ : quiet_);
        view->installEventFilter(this);
    }
    static void install(QWidget* view) { new QuietSelection(view); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* view = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusIn) view->setPalette(focused_);
        else if (event->type() == QEvent::FocusOut) view->setPalette(quiet_);
        return false;
    }

private:
    QPalette focused_, quiet_;
};

// The Tab order of a window from its parts, given in reading order (top to
// bottom, left to right, the command row last): each part's controls in the
// order the part made them, then the next part's. Qt's own order is the
// order of making, which moving a part into a scrolling page upsets.
inline void chainTabOrder(std::initializer_list<QWidget*> parts)
{
    // The inner widgets of a control take the focus through it.
    const auto inner = [](QWidget* w, QWidget* part) {
        for (QWidget* p = w->parentWidget(); p && p != part; p = p->parentWidget())
            if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) ||
                qobject_cast<QCalendarWidget*>(p) ||
                (qobject_cast<QAbstractScrollArea*>(p) && !qobject_cast<QScrollArea*>(p)))
                return true;
        return false;
    };
    QWidget* last = nullptr;
    const auto add = [&last](QWidget* w) {
        // An option of a group keeps its place although only the chosen one
        // takes Tab.
        if (!(w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QRadioButton*>(w)) return;
        if (last) QWidget::setTabOrder(last, w);
        last = w;
    };
    for (QWidget* part : parts) {
        add(part);
        for (QWidget* w : part->findChildren<QWidget*>())
            if (!w->isWindow() && !inner(w, part)) add(w);
    }
}

}  // namespace wm
