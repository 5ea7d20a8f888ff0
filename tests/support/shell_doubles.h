#pragma once
// Stand-ins for the shell's platform services in window tests, and a way to
// drive the next modal dialog.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/runtime_error.h"
#include "shell/mdi_shell.h"

namespace wm::test {

struct NoHelp final : HelpService {
    void setAppHelp(QWidget*, const QString&) override {}
    void show(int) override {}
    void quit() override {}
};

struct NoBrowser final : Browser {
    bool open(const QString&) override { return true; }
};

// Any run-time error report fails the test; the procedure is left.
class FailingReport final : public BasicErrorReport {
public:
    int reportError() override
    {
        qWarning("unexpected error report: %s", data.text().c_str());
        ++count;
        return 0;
    }
    static inline int count = 0;
};

// Runs `f` on the next modal dialog once it is shown.
inline void onModal(std::function<void(QWidget*)> f)
{
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
