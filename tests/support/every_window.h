#pragma once
// Every window of the program, for the tests that walk them all (Alt
// letters, screen reader names, small screens). The list is the form
// registry, so a form added there is walked without a word here: each row
// is opened the way the main window opens it (a child in the main window, a
// modal form on its own, a dialog a form runs over that form); then come the
// main window's own windows (the help window, the error report).

#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

#include "shell/ui/error_report_dialog.h"
#include "shell/ui/help_window.h"
#include "shell/ui/mdi_shell.h"
#include "ui/form_registry.h"

namespace wm::test {

struct WindowVisit {
    QString name;     // the form's object name ("frmMain")
    QWidget* window;  // open while the visit lasts
    bool child;       // a child of the main window, under its menu bar
};

inline void forEveryWindow(MdiShell& shell, const FormRegistry& forms, const std::function<void(const WindowVisit&)>& visit)
{
    for (const FormEntry& e : forms.entries()) {
        const QString name = QString::fromLatin1(e.objectName);
        if (e.kind == FormKind::Modal || e.kind == FormKind::Owned) {
            QWidget* parent = &shell;
            if (e.kind == FormKind::Owned) {
                shell.open(e.owner);
                parent = shell.form(e.owner);
                if (!parent) qFatal("%s: its form did not open", e.objectName);
            }
            std::unique_ptr<QWidget> w(e.make(shell.context(), parent));
            if (!w) qFatal("%s was not made", e.objectName);
            visit({name, w.get(), false});
            continue;
        }
        shell.open(e.id);
        QWidget* w = shell.form(e.id);
        if (!w) qFatal("%s did not open", e.objectName);
        visit({name, w, true});
    }
    HelpWindow help;
    visit({QStringLiteral("HelpWindow"), &help, false});
    ReportData data;
    data.description = {"Error Number  ", "13", "Description   ", "Type mismatch"};
    ErrorReportDialog report(data, QString(), &shell);
    visit({QStringLiteral("frmErrorReport"), &report, false});
}

}  // namespace wm::test
