// wagemark: the desktop program.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSplashScreen>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>

#include "core/pay_record.h"
#include "core/runtime_error.h"
#include "shell/error_report_dialog.h"
#include "shell/help_window.h"
#include "shell/mdi_shell.h"
#include "shell/qt_settings_store.h"
#include "shell/shell_forms.h"
#include "shell/version.h"
#include "ui/artwork.h"
#include "ui/form_registry.h"

namespace {

// The splash (frmSplash) continues on a click, a key or after a moment.
class Splash final : public QSplashScreen {
    Q_OBJECT
public:
    explicit Splash(const QPixmap& pm) : QSplashScreen(pm)
    {
        setObjectName(QStringLiteral("frmSplash"));
        QTimer::singleShot(1000, this, &Splash::finish);
    }

    bool done() const { return done_; }

signals:
    void continued();

protected:
    void paintEvent(QPaintEvent* e) override
    {
        QSplashScreen::paintEvent(e);
        // WAGEMARK_STARTUP_REPORT=1: when the first window was painted
        // (nanoseconds since the epoch), for measuring start-up time.
        if (!reported_ && qEnvironmentVariableIsSet("WAGEMARK_STARTUP_REPORT")) {
            reported_ = true;
            std::fprintf(stderr, "first window painted at %lld\n",
                         static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                    std::chrono::system_clock::now().time_since_epoch())
                                                    .count()));
        }
    }
    void mousePressEvent(QMouseEvent*) override { finish(); }
    void keyPressEvent(QKeyEvent*) override { finish(); }

private:
    void finish()
    {
        if (done_) return;
        done_ = true;
        emit continued();
    }
    bool done_ = false;
    bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("wagemark"));
    QApplication::setApplicationVersion(QStringLiteral(WAGEMARK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("wagemark"));
    QApplication::setWindowIcon(wm::art::appIcon());

    wm::PayRecord record;  // zeroed, alive for the whole run
    wm::QtSettingsStore settings;
    wm::ErrorScheme errors(record, [] { return std::make_unique<wm::GuiErrorReport>(); });
    errors.appPath = QCoreApplication::applicationDirPath().toStdString();

    record.frmLoaded = "13";
    Splash splash(wm::art::splash(wm::versionText()));
    splash.show();
    app.processEvents();

    wm::FormRegistry forms;
    wm::registerAllForms(forms);
    wm::QtHelpService help;
    wm::DesktopBrowser browser;
    wm::MdiShell shell(record, settings, errors, forms, {help, browser});

    if (qEnvironmentVariableIsSet("WAGEMARK_STARTUP_REPORT"))
        std::fprintf(stderr, "main window built at %lld\n",
                     static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                std::chrono::system_clock::now().time_since_epoch())
                                                .count()));
    auto proceed = [&] {
        record.frmLoaded = "0";
        shell.show();
        splash.close();
        shell.showStartForm();
    };
    QObject::connect(&splash, &Splash::continued, &shell, proceed);
    // The splash may have finished while the main window loaded (an error
    // report shown then runs its own event loop): go on all the same.
    if (splash.done()) QTimer::singleShot(0, &shell, proceed);
    return app.exec();
}

#include "main.moc"
