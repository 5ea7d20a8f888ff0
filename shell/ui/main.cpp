// wagemark: the desktop program.
#include <QApplication>
#include <QCommandLineParser>
#include <QSplashScreen>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "qtcore/qt_settings_store.h"
#include "record/pay_record.h"
#include "record/runtime_error.h"
#include "shell/ui/error_report_dialog.h"
#include "shell/ui/help_window.h"
#include "shell/ui/mdi_shell.h"
#include "shell/ui/shell_forms.h"
#include "shell/ui/version.h"
#include "ui/artwork.h"
#include "ui/form_registry.h"

namespace {

// WAGEMARK_STARTUP_REPORT=1: moments of the start and the end on stderr
// (nanoseconds since the epoch), for measuring start-up and exit time.
void report(const char* what)
{
    static const bool on = qEnvironmentVariableIsSet("WAGEMARK_STARTUP_REPORT");
    if (!on) return;
    std::fprintf(stderr, "%s at %lld\n", what,
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                            std::chrono::system_clock::now().time_since_epoch())
                                            .count()));
}

// The splash (frmSplash) covers the moments while the main window is built;
// it closes as soon as the main window stands, or on a click.
class Splash final : public QSplashScreen {
    Q_OBJECT
public:
    explicit Splash(const QPixmap& pm) : QSplashScreen(pm) { setObjectName(QStringLiteral("frmSplash")); }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        QSplashScreen::paintEvent(e);
        if (!std::exchange(reported_, true)) report("first window painted");
    }

private:
    bool reported_ = false;
};

// Reports the main window's first paint: from then on the user can work.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(QWidget* w) : w_(w) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == w_ && e->type() == QEvent::Paint) {
            w_->removeEventFilter(this);
            report("main window painted");
        }
        return false;
    }

private:
    QWidget* w_;
};

// The program's own options; Qt's (-platform, -style, ...) are taken by
// QApplication before these are read.
struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption version{{QStringLiteral("V"), QStringLiteral("version")},
                               QStringLiteral("Displays the version.")};

    CommandLine()
    {
        parser.setApplicationDescription(
            QStringLiteral("Pay calculator for one pay period on the withholding rules of tax year 2000."));
        parser.addHelpOption();
        parser.addOption(version);
    }

    // Says what is wrong with the arguments, on one line; false when nothing.
    // The program opens no files, so it takes no other arguments.
    bool refused()
    {
        QString problem;
        if (!parser.parse(QCoreApplication::arguments()))
            problem = parser.errorText();
        else if (!parser.positionalArguments().isEmpty())
            problem = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().constFirst());
        if (problem.isEmpty()) return false;
        if (problem.endsWith(u'.')) problem.chop(1);
        std::fprintf(stderr, "wagemark: %s (see wagemark --help)\n", qPrintable(problem));
        return true;
    }
};

constexpr int kUsageError = 2;

// --help and --version answer on the terminal, without a display.
bool asksForText(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        for (const char* o : {"-h", "--help", "--help-all", "-V", "--version"})
            if (std::strcmp(argv[i], o) == 0) return true;
    return false;
}

int answerOnTerminal(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CommandLine cl;
    if (cl.refused()) return kUsageError;
    if (cl.parser.isSet(cl.version)) cl.parser.showVersion();
    cl.parser.process(app);  // prints the help and ends
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication::setApplicationName(QStringLiteral("wagemark"));
    QApplication::setApplicationVersion(QStringLiteral(WAGEMARK_VERSION));
    if (asksForText(argc, argv)) return answerOnTerminal(argc, argv);
    int rc = 0;
    {
        QApplication app(argc, argv);
        if (CommandLine().refused()) return kUsageError;
        QApplication::setDesktopFileName(QStringLiteral(WAGEMARK_APP_ID));
        QApplication::setWindowIcon(wm::art::appIcon());

        wm::PayRecord record;     // zeroed, alive for the whole run
        wm::WindowState windows;  // beside it, as long
        wm::QtSettingsStore settings;
        wm::ErrorScheme errors(record, [] { return std::make_unique<wm::GuiErrorReport>(); });
        wm::reportWindowState(errors, windows);
        errors.appPath = QCoreApplication::applicationDirPath().toStdString();

        windows.frmLoaded = wm::formCode(wm::FormId::Splash);
        Splash splash(wm::art::splash(wm::versionText()));
        splash.show();
        app.processEvents();

        wm::FormRegistry forms;
        wm::registerAllForms(forms);
        wm::QtHelpService help;
        wm::DesktopBrowser browser;
        wm::MdiShell shell(record, windows, settings, errors, forms, {help, browser});
        report("main window built");

        // Nothing waits on the splash: the main window comes up as soon as
        // it is built.
        FirstPaint painted(&shell);
        windows.frmLoaded = wm::kNoFormCode;
        shell.show();
        shell.showStartForm();
        splash.finish(&shell);
        QObject::connect(&app, &QCoreApplication::aboutToQuit, [] { report("main window closed"); });
        rc = app.exec();
    }
    report("process ending");
    return rc;
}

#include "main.moc"
