#pragma once
// The main window as the window tests drive it: a temporary settings folder,
// stand-ins for help and the browser that remember what they were asked,
// error reports that are counted.

#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

#include "qtcore/qt_settings_store.h"
#include "record/runtime_error.h"
#include "shell/ui/mdi_shell.h"
#include "shell/ui/shell_forms.h"
#include "support/widgets.h"
#include "ui/form_registry.h"

namespace wm::test {

struct RecordingHelp final : HelpService {
    void setAppHelp(QWidget*, const QString& dir) override { appDir = dir; }
    void show(int context) override { shown.push_back(context); }
    void quit() override { ++quits; }
    QString appDir;
    std::vector<int> shown;
    int quits = 0;
};

struct RecordingBrowser final : Browser {
    bool open(const QString& url) override
    {
        urls << url;
        return true;
    }
    QStringList urls;
};

// Counts run-time error reports and answers each with the same action.
class CountingReport final : public BasicErrorReport {
public:
    CountingReport(int& count, int answer) : count_(count), answer_(answer) {}
    int reportError() override
    {
        qWarning("error report: %s", data.text().c_str());
        ++count_;
        return answer_;
    }

private:
    int& count_;
    int answer_;
};

// A window test class derives from this next to QObject: init() calls
// fresh(), the test registers its forms, may seed the settings and the pay
// record, and starts; cleanup() stops.
class ShellFixture {
protected:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QtSettingsStore> settings;
    std::unique_ptr<PayRecord> record;
    std::unique_ptr<WindowState> windows;
    std::unique_ptr<ErrorScheme> errors;
    FormRegistry forms;
    RecordingHelp help;
    RecordingBrowser browser;
    std::unique_ptr<MdiShell> shell;
    int reportAnswer = 0;  // leave the procedure
    int reports = 0;

    // Empty settings in a new folder, a zeroed pay record.
    void fresh()
    {
        stop();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        settings = std::make_unique<QtSettingsStore>(dir->path());
        help = {};
        browser.urls.clear();
        reports = 0;
        newRecord();
    }
    // The main window, shown.
    void start()
    {
        stop();
        shell = std::make_unique<MdiShell>(*record, *windows, *settings, *errors, forms, ShellServices{help, browser});
        shell->show();
        QVERIFY(QTest::qWaitForWindowExposed(shell.get()));
    }
    // A later run of the program: the same settings, a new pay record.
    void restart()
    {
        stop();
        newRecord();
        start();
    }
    void stop() { shell.reset(); }
    // Fresh settings in which the start-up form stays closed.
    void freshQuiet()
    {
        fresh();
        settings->save("User", "DontShow", "1");
    }
    // The main window as the program starts it, the calculator open.
    void startCalculator()
    {
        freshQuiet();
        start();
        shell->showStartForm();
        QVERIFY(shell->form(FormId::Main));
    }
    // Stops; a test ends with no run-time error report.
    void stopClean()
    {
        stop();
        QCOMPARE(reports, 0);
    }

    template <class T>
    T* find(FormId form, const char* name) const
    {
        QWidget* w = shell->form(form);
        T* c = w ? w->findChild<T*>(QLatin1String(name)) : nullptr;
        if (!c) qWarning("no widget %s", name);
        return c;
    }
    void type(FormId form, const char* field, const QString& text)
    {
        auto* f = find<QLineEdit>(form, field);
        f->setFocus();
        f->selectAll();
        QTest::keyClicks(f, text);
    }

private:
    void newRecord()
    {
        record = std::make_unique<PayRecord>();
        windows = std::make_unique<WindowState>();
        errors = std::make_unique<ErrorScheme>(
            *record, [this] { return std::make_unique<CountingReport>(reports, reportAnswer); });
        reportWindowState(*errors, *windows);
    }
};

}  // namespace wm::test
