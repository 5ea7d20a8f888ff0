#pragma once
// Platform services of the desktop program, each behind a small interface
// with one real implementation: the help window and the web browser. (The
// error report is the `ErrorReport` of record/runtime_error.h, shown by
// GuiErrorReport.)

#include <QString>

class QWidget;

namespace wm {

class HelpService {
public:
    virtual ~HelpService() = default;
    // SetAppHelp: remembers the main window and where the help lives.
    virtual void setAppHelp(QWidget* mainWindow, const QString& appDir) = 0;
    // Opens the help at a context (kW4HelpContext = Form W-4 instructions) or, for 0,
    // at its contents.
    virtual void show(int context) = 0;
    // QuitHelp: closes the help window of the main window.
    virtual void quit() = 0;
};

class Browser {
public:
    virtual ~Browser() = default;
    // RunBrowser: opens the address in the user's default browser.
    virtual bool open(const QString& url) = 0;
};

// QDesktopServices.
class DesktopBrowser final : public Browser {
public:
    bool open(const QString& url) override;
};

struct ShellServices {
    HelpService& help;
    Browser& browser;
};

}  // namespace wm
