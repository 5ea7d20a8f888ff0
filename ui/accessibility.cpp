#include "ui/accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace wm {

QString spokenText(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) out += QLatin1Char('&');
            ++i;  // the marked letter (or the second "&") follows
            if (i < caption.size() && caption[i] != QLatin1Char('&')) out += caption[i];
            continue;
        }
        out += caption[i];
    }
    return out.simplified();
}

namespace {

// A drop-down list as a screen reader meets it: named by its label, its
// current item as its value, the list of items as its child, opened and
// closed by the usual actions.
class ComboAccessible final : public QAccessibleWidget {
public:
    explicit ComboAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) return box()->isEditable() ? box()->lineEdit()->text() : box()->currentText();
        QString s = QAccessibleWidget::text(t);
        return t == QAccessible::Name ? spokenText(s) : s;
    }

    int childCount() const override { return box()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override
    {
        if (index == 0) return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable()) return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* c) const override
    {
        if (!c) return -1;
        if (c->object() == box()->view()) return 0;
        if (box()->isEditable() && c->object() == box()->lineEdit()) return 1;
        return -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.hasPopup = true;
        s.expanded = box()->view()->isVisible();
        s.collapsed = !s.expanded;
        s.editable = box()->isEditable();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override
    {
        if (name == showMenuAction() || name == pressAction()) {
            if (box()->view()->isVisible()) box()->hidePopup();
            else box()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* namedControls(const QString& className, QObject* object)
{
    if (className == QLatin1String("QComboBox") && object && object->isWidgetType())
        if (auto* box = qobject_cast<QComboBox*>(object)) return new ComboAccessible(box);
    return nullptr;
}

}  // namespace

void installAccessibleNames()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(&namedControls);
}

void nameAfter(QWidget* control, const QString& caption)
{
    if (control->accessibleName().isEmpty()) control->setAccessibleName(spokenText(caption));
    if (control->accessibleDescription().isEmpty()) control->setAccessibleDescription(control->toolTip());
}

}  // namespace wm
