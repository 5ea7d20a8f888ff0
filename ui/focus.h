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

}  // namespace wm
