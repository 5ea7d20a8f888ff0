#pragma once
// Reaching the controls of a window in tests, and its picture.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTextEdit>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace wm::test {

// A control by object name; a missing one ends the test program.
template <class T = QWidget>
T* child(const QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no control %s", name);
    return c;
}

// The text of a label.
inline QString text(const QWidget* w, const char* name) { return child<QLabel>(w, name)->text(); }

inline void click(const QWidget* w, const char* name) { child<QAbstractButton>(w, name)->click(); }

// The controls a user works with; the parts Qt builds into its own
// composite controls (a drop-down's list, a spin box's field, a tab bar's
// arrows, a calendar's grid, a table's headers) speak through those controls.
inline bool isControl(QWidget* w)
{
    if (qobject_cast<QScrollBar*>(w)) return false;
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QAbstractSlider*>(w) ||
           qobject_cast<QTextEdit*>(w);
}

inline bool insideComposite(QWidget* w, QWidget* root)
{
    if (w->objectName().startsWith(QLatin1String("qt_"))) return true;
    for (QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget()) {
        if (p->isWindow()) return true;
        if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QTabBar*>(p) ||
            qobject_cast<QCalendarWidget*>(p) || qobject_cast<QAbstractItemView*>(p))
            return true;
    }
    return false;
}

// The parent that cuts `w`, "" when none; a page that scrolls cuts nothing its range reaches.
inline QString cutBy(QWidget* w, QWidget* window)
{
    if (!qobject_cast<QAbstractScrollArea*>(w) && w->height() < w->minimumSizeHint().height()) return w->objectName();
    QRect r = w->rect();
    for (QWidget* c = w; c != window; c = c->parentWidget()) {
        auto* area = qobject_cast<QScrollArea*>(c->parentWidget()->parentWidget());
        const bool page = area && area->widget() == c;
        if (!c->rect().contains(r) || (page && area->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff &&
                                       r.right() >= area->viewport()->width()))
            return c->objectName();
        r = page ? (c = area)->geometry() : r.translated(c->pos());
    }
    return window->rect().contains(r) ? QString() : window->objectName();
}

// Saves a picture of a window when WAGEMARK_SNAPSHOTS names a folder.
inline void snapshot(QWidget& w, const char* name)
{
    const QByteArray dir = qgetenv("WAGEMARK_SNAPSHOTS");
    if (!dir.isEmpty()) w.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
}

// Runs `f` on the next modal dialog once it is shown.
inline void onModal(std::function<void(QWidget*)> f)
{
    // A timer that goes away with the dialog: a self-owning function leaks.
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, f = std::move(f)] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        poll->stop();
        poll->deleteLater();
        f(w);
    });
    poll->start(0);
}

}  // namespace wm::test
