#pragma once
// The help window: Wagemark's own help pages in a browser window with a
// contents list, Back and Forward. A page beside the program
// ("Wagemark.html") replaces the built-in pages.

#include <QPointer>
#include <QWidget>

#include "ui/services.h"

class QTextBrowser;
class QListWidget;

namespace wm {

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showPage(const QString& page);
    QTextBrowser* browser() const { return browser_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QTextBrowser* browser_;
    QListWidget* contents_;
};

// Where the help window of `size` goes: beside the main window's frame when
// the screen has room for it there, otherwise over the main window's right
// part; always on the screen's free area.
QRect helpPlacement(const QRect& mainFrame, const QRect& available, QSize size);

class QtHelpService final : public HelpService {
public:
    ~QtHelpService() override;
    void setAppHelp(QWidget* mainWindow, const QString& appDir) override;
    void show(int context) override;
    void quit() override;

    // The page of a help context: the Form W-4 instructions, the Year Check
    // page, anything else the contents.
    static QString pageFor(int context);
    HelpWindow* window() const { return window_; }

private:
    QWidget* mainWindow_ = nullptr;
    QString helpFile_;
    QPointer<HelpWindow> window_;
};

}  // namespace wm
