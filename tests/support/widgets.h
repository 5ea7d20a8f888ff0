#pragma once
// Reaching the controls of a window in tests, and its picture.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

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

// Saves a picture of a window when WAGEMARK_SNAPSHOTS names a folder.
inline void snapshot(QWidget& w, const char* name)
{
    const QByteArray dir = qgetenv("WAGEMARK_SNAPSHOTS");
    if (!dir.isEmpty()) w.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
}

// Runs `f` on the next modal dialog once it is shown.
inline void onModal(std::function<void(QWidget*)> f)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [f, poll] {
        if (QWidget* w = QApplication::activeModalWidget()) f(w);
        else QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

}  // namespace wm::test
