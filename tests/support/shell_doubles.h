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
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [f, poll] {
        if (QWidget* w = QApplication::activeModalWidget()) f(w);
        else QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

}  // namespace wm::test
