// wagemark_screenshots DIR: pictures of the windows in typical states, for
// looking at the layout (not a test; run under a display or offscreen).
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cstdio>

#include "forms/main/main_form.h"
#include "forms/main/misc_dialog.h"
#include "forms/main/pictures.h"
#include "shell/error_report_dialog.h"
#include "shell/help_window.h"
#include "shell/mdi_shell.h"
#include "shell/qt_settings_store.h"
#include "shell/shell_forms.h"
#include "shell/version.h"
#include "support/shell_fixture.h"
#include "ui/artwork.h"
#include "ui/form_registry.h"

using namespace wm;

namespace {
void save(QWidget* w, const QString& file)
{
    QApplication::processEvents();
    QTest::qWait(150);
    w->grab().save(file);
}
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    QTemporaryDir dir;
    QtSettingsStore settings(dir.path());
    settings.save("User", "DontShow", "1");
    PayRecord record;
    int reports = 0;
    ErrorScheme errors(record, [&reports] { return std::make_unique<test::CountingReport>(reports, 5); });
    FormRegistry forms;
    registerAllForms(forms);
    QtHelpService help;
    test::RecordingBrowser browser;
    MdiShell shell(record, settings, errors, forms, {help, browser});
    shell.resize(1180, 820);
    shell.show();
    if (!QTest::qWaitForWindowExposed(&shell)) std::fprintf(stderr, "the main window was not shown in time\n");
    shell.showStartForm();
    auto* main = qobject_cast<MainForm*>(shell.form(FormId::Main));
    save(&shell, out + "/main_start.png");
    std::printf("calculator minimum size %dx%d, state options minimum ",
                main->minimumSizeHint().width(), main->minimumSizeHint().height());

    main->findChild<QLineEdit*>("txtIncome")->setText("1250");
    main->findChild<QLineEdit*>("txt401k")->setText("5");
    auto* state = main->findChild<QComboBox*>("cboState");
    state->setCurrentIndex(27);
    emit state->activated(27);
    main->findChild<QComboBox*>("cboExemptions")->setCurrentIndex(1);
    emit main->findChild<QComboBox*>("cboExemptions")->activated(1);
    main->calculate();
    main->findChild<QToolButton*>("cmdExplain")->click();
    save(&shell, out + "/main_calculated.png");
    main->findChild<QToolButton*>("cmdExplain")->click();

    shell.action("ID_ShowLabel")->trigger();
    state->setCurrentIndex(19);
    emit state->activated(19);
    save(&shell, out + "/main_hint.png");

    shell.action("ID_SetStateOptions")->trigger();
    QWidget* opts = shell.form(FormId::StateOptions);
    std::printf("%dx%d\n", opts->minimumSizeHint().width(), opts->minimumSizeHint().height());
    auto* optState = opts->findChild<QComboBox*>("cboState");
    optState->setCurrentIndex(23);
    emit optState->activated(23);
    opts->findChild<QAbstractButton*>("op3Marital_8")->click();
    save(&shell, out + "/state_mississippi.png");
    optState->setCurrentIndex(6);
    emit optState->activated(6);
    save(&shell, out + "/state_connecticut.png");
    opts->findChild<QPushButton*>("cmdAccept")->click();
    QTest::qWait(100);

    main = qobject_cast<MainForm*>(shell.form(FormId::Main));
    main->findChild<QLineEdit*>("txtHours")->setText("80");
    main->calculate();
    {
        MiscDialog d(main->model(), MiscModel::Page::PayRaise, &shell);
        d.show();
        d.findChild<QLineEdit*>("txtRaise_0")->setText("3");
        d.findChild<QPushButton*>("cmdExit_1")->click();
        save(&d, out + "/raise.png");
        d.findChild<QTabWidget*>("tabLR")->setCurrentIndex(0);
        d.findChild<QLineEdit*>("txtRaise_2")->setText("2");
        d.findChild<QListWidget*>("lstGrossPay")->setCurrentRow(1);
        save(&d, out + "/local_tax.png");
    }
    {
        ReportData data;
        data.description = {"Error Number  ", "13", "Description   ", "Type mismatch", "Build Number  ", "5",
                            "Module Name   ", "frmMain", "Procedure Name", "Form_Load", "Line Number   ", "108",
                            "Date and time ", "12/08/2026 07:00:00 PM"};
        data.appTitle = "Wagemark";
        data.variables = {VarList{"Empty"}, VarList{"Empty"}, VarList{"Pic", "1", "varLocalTaxColor", "0"},
                          programVariables(record)};
        ErrorReportDialog d(data, "/home/user/.local/share/wagemark/errors.log", &shell);
        d.show();
        save(&d, out + "/error.png");
        d.findChild<QToolButton*>("cmdDetails")->click();
        save(&d, out + "/error_details.png");
    }
    help.show(370);
    save(help.window(), out + "/help_w4.png");
    help.show(0);
    save(help.window(), out + "/help.png");
    help.quit();

    for (auto [id, file] : {std::pair{FormId::About, "about.png"}, {FormId::Calendar, "calendar.png"}}) {
        const FormEntry* e = forms.find(id);
        std::unique_ptr<QWidget> w(e->make(shell.context(), &shell));
        w->show();
        save(w.get(), out + "/" + file);
    }
    art::splash(versionText()).save(out + "/splash.png");

    // All backgrounds on one sheet.
    QPixmap sheet(8 * 150, 5 * 110);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int n = 1; n <= 38; ++n) {
        const int i = n - 1;
        p.drawPixmap((i % 8) * 150, (i / 8) * 110, backgroundPicture(n, QSize(146, 90)));
        p.drawText(QRect((i % 8) * 150, (i / 8) * 110 + 90, 146, 18), Qt::AlignCenter, backgroundName(n));
    }
    p.end();
    sheet.save(out + "/backgrounds.png");
    return 0;
}
