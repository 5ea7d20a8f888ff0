#pragma once
// FocusMe: a field that gets the focus selects its whole text, so typing
// replaces the old entry. Works for QLineEdit and editable QComboBox fields.

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QTimer>

namespace wm {

inline void FocusMe(QLineEdit* field)
{
    // Deferred: a mouse click that gave the focus would otherwise place the
    // cursor over the selection.
    QTimer::singleShot(0, field, [field] { field->setSelection(0, static_cast<int>(field->text().size())); });
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
        if (event->type() == QEvent::FocusIn)
            if (auto* field = qobject_cast<QLineEdit*>(watched)) FocusMe(field);
        return false;
    }
};

}  // namespace wm
