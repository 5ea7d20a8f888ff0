// wagemark_screenshots DIR: pictures of every window in typical states, the
// main window filling the screen's free area, for looking at the layout (not
// a test; run under a display of the size to look at, or offscreen). It also
// says which window needs more room than the screen gives it.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cstdio>

#include "forms/main/ui/main_form.h"
#include "forms/main/ui/misc_dialog.h"
#include "forms/main/ui/pictures.h"
#include "forms/tools/ui/year_check_window.h"
#include "forms/w4/ui/table_picker_dialog.h"
#include "forms/w4/ui/two_earner_window.h"
#include "qtcore/qt_settings_store.h"
#include "shell/ui/error_report_dialog.h"
#include "shell/ui/help_window.h"
#include "shell/ui/mdi_shell.h"
#include "shell/ui/shell_forms.h"
#include "shell/ui/version.h"
#include "support/shell_fixture.h"
#include "ui/artwork.h"
#include "ui/form_registry.h"

using namespace wm;

namespace {
QString out;

void save(QWidget* w, const QString& name)
{
    QApplication::processEvents();
    QTest::qWait(150);
    w->grab().save(out + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The window as it is, and where its page scrolls, scrolled to the end too.
void saveScrolled(QWidget* shot, QWidget* form, const QString& name)
{
    save(shot, name);
    auto* page = form->findChild<QScrollArea*>(QStringLiteral("scrPage"));
    if (!page || page->verticalScrollBar()->maximum() == 0) return;
    page->verticalScrollBar()->setValue(page->verticalScrollBar()->maximum());
    save(shot, name + QStringLiteral("_end"));
    page->verticalScrollBar()->setValue(0);
}

// A window whose smallest usable size does not fit where it is shown.
void checkFits(QWidget* w, QSize room, const QString& name)
{
    const QSize need = w->minimumSizeHint().expandedTo(w->minimumSize());
    const bool fits = need.width() <= room.width() && need.height() <= room.height();
    std::printf("%-22s needs %4dx%-4d has %4dx%-4d%s\n", qPrintable(name), need.width(), need.height(), room.width(),
                room.height(), fits ? "" : "  DOES NOT FIT");
}

void showDialog(QWidget* d)
{
    const QRect avail = d->screen()->availableGeometry();
    if (!d->testAttribute(Qt::WA_Resized)) d->adjustSize();
    d->resize(d->size().boundedTo(avail.size()));
    d->show();
    checkFits(d, avail.size(), d->objectName());
}

// The program as it starts: temporary settings, every form, the main window
// filling the screen's free area.
struct Program {
    QTemporaryDir dir;
    QtSettingsStore settings{dir.path()};
    PayRecord record;
    WindowState state;
    int reports = 0;
    ErrorScheme errors{record, [this] { return std::make_unique<test::CountingReport>(reports, 5); }};
    FormRegistry forms;
    QtHelpService help;
    test::RecordingBrowser browser;
    std::unique_ptr<MdiShell> shell;
    QRect avail;

    Program()
    {
        settings.save("User", "DontShow", "1");
        reportWindowState(errors, state);
        registerAllForms(forms);
        shell = std::make_unique<MdiShell>(record, state, settings, errors, forms, ShellServices{help, browser});
        avail = shell->screen()->availableGeometry();
        std::printf("screen %dx%d, device pixel ratio %.1f\n", avail.width(), avail.height(), shell->devicePixelRatioF());
        shell->setGeometry(avail);
        shell->show();
        if (!QTest::qWaitForWindowExposed(shell.get())) std::fprintf(stderr, "the main window was not shown in time\n");
        checkFits(shell.get(), avail.size(), QStringLiteral("main window"));
        shell->showStartForm();
    }
    MainForm* main() const { return qobject_cast<MainForm*>(shell->form(FormId::Main)); }
};

// Every form in the main window, as it opens first.
void shootEveryForm(Program& pr)
{
    MdiShell& shell = *pr.shell;
    for (const FormEntry& e : pr.forms.entries()) {
        if (e.kind == FormKind::Modal || e.kind == FormKind::Owned || e.id == FormId::Print) continue;
        shell.open(e.id);
        QWidget* w = shell.form(e.id);
        checkFits(w, shell.mdiArea()->viewport()->size(), QString::fromLatin1(e.objectName));
        saveScrolled(&shell, w, QString::fromLatin1(e.objectName));
        if (e.id != FormId::Main) shell.close(e.id);
        QTest::qWait(50);
    }
}

// The calculator with a result and its explanation, then with the state hint.
void shootCalculator(Program& pr)
{
    MdiShell& shell = *pr.shell;
    shell.open(FormId::Main);
    MainForm* main = pr.main();
    main->findChild<QLineEdit*>("txtIncome")->setText("1250");
    main->findChild<QLineEdit*>("txt401k")->setText("5");
    auto* state = main->findChild<QComboBox*>("cboState");
    state->setCurrentIndex(4);
    emit state->activated(4);
    main->findChild<QComboBox*>("cboExemptions")->setCurrentIndex(1);
    emit main->findChild<QComboBox*>("cboExemptions")->activated(1);
    main->calculate();
    main->findChild<QToolButton*>("cmdExplain")->click();
    saveScrolled(&shell, main, "main_calculated");
    main->findChild<QToolButton*>("cmdExplain")->click();
    shell.action("ID_ShowLabel")->trigger();
    state->setCurrentIndex(19);
    emit state->activated(19);
    save(&shell, "main_hint");
}

void shootStateOptions(Program& pr)
{
    MdiShell& shell = *pr.shell;
    shell.open(FormId::StateOptions);
    QWidget* opts = shell.form(FormId::StateOptions);
    auto* optState = opts->findChild<QComboBox*>("cboState");
    optState->setCurrentIndex(23);
    emit optState->activated(23);
    if (auto* b = opts->findChild<QAbstractButton*>("op3Marital_8")) b->click();
    saveScrolled(&shell, opts, "state_mississippi");
    optState->setCurrentIndex(6);
    emit optState->activated(6);
    saveScrolled(&shell, opts, "state_connecticut");
    for (auto [index, file] : {std::pair{19, "state_maryland"}, {21, "state_michigan"}}) {
        optState->setCurrentIndex(index);
        emit optState->activated(index);
        saveScrolled(&shell, opts, QString::fromLatin1(file));
    }
    shell.close(FormId::StateOptions);
    QTest::qWait(100);
}

// The print preview, the Year Check and the analysis of a calculation.
void shootCalculated(Program& pr)
{
    MdiShell& shell = *pr.shell;
    shell.open(FormId::Main);
    pr.main()->findChild<QLineEdit*>("txtHours")->setText("80");
    pr.main()->calculate();
    shell.open(FormId::Print);
    save(&shell, "frmPrint");
    shell.close(FormId::Print);
    for (FormId id : {FormId::YearCheck, FormId::Analysis}) {
        shell.open(id);
        save(&shell, QString::fromLatin1(pr.forms.find(id)->objectName) + QStringLiteral("_calculated"));
        if (auto* year = qobject_cast<YearCheckWindow*>(shell.form(id))) {
            year->preview();
            if (QWidget* preview = year->findChild<QWidget*>(QStringLiteral("frmYearCheckPreview"))) {
                checkFits(preview, pr.avail.size(), preview->objectName());
                save(preview, preview->objectName());
                preview->close();
            }
        }
        shell.close(id);
        QTest::qWait(50);
    }
}

// The raise and local tax tool, the W-4 table pickers.
void shootToolDialogs(Program& pr)
{
    MdiShell& shell = *pr.shell;
    shell.open(FormId::Main);
    {
        MiscDialog d(pr.main()->model(), MiscModel::Page::PayRaise, &shell);
        showDialog(&d);
        d.findChild<QLineEdit*>("txtRaise_0")->setText("3");
        d.findChild<QPushButton*>("cmdExit_1")->click();
        save(&d, "raise");
        d.findChild<QTabWidget*>("tabLR")->setCurrentIndex(0);
        d.findChild<QLineEdit*>("txtRaise_2")->setText("2");
        d.findChild<QListWidget*>("lstGrossPay")->setCurrentRow(1);
        save(&d, "local_tax");
    }
    for (int table : {1, 2}) {
        pr.state.Table = static_cast<std::int16_t>(table);
        w4::TablePickerDialog d(pr.state, &shell);
        showDialog(&d);
        save(&d, QStringLiteral("table%1_picker").arg(table));
    }
}

void shootErrorReport(Program& pr)
{
    ReportData data;
    data.description = {"Error Number  ", "13", "Description   ", "Type mismatch", "Build Number  ", "5",
                        "Module Name   ", "frmMain", "Procedure Name", "Form_Load", "Line Number   ", "108",
                        "Date and time ", "12/08/2026 07:00:00 PM"};
    data.appTitle = "Wagemark";
    data.variables = {VarList{"Empty"}, VarList{"Empty"}, VarList{"Pic", "1", "varLocalTaxColor", "0"},
                      programVariables(pr.record, pr.errors.windowVariable)};
    ErrorReportDialog d(data, "/home/user/.local/share/wagemark/errors.log", pr.shell.get());
    showDialog(&d);
    save(&d, "error");
    d.findChild<QToolButton*>("cmdDetails")->click();
    save(&d, "error_details");
}

void shootHelp(Program& pr)
{
    pr.help.show(kW4HelpContext);
    checkFits(pr.help.window(), pr.avail.size(), QStringLiteral("HelpWindow"));
    save(pr.help.window(), "help_w4");
    std::printf("help window at %d,%d %dx%d\n", pr.help.window()->x(), pr.help.window()->y(),
                pr.help.window()->width(), pr.help.window()->height());
    pr.help.show(0);
    save(pr.help.window(), "help");
    pr.help.quit();
}

// The about box, the calendar and the splash.
void shootSmallWindows(Program& pr)
{
    for (auto [id, file] : {std::pair{FormId::About, "about"}, {FormId::Calendar, "calendar"}}) {
        const FormEntry* e = pr.forms.find(id);
        std::unique_ptr<QWidget> w(e->make(pr.shell->context(), pr.shell.get()));
        showDialog(w.get());
        save(w.get(), QString::fromLatin1(file));
    }
    art::splash(versionText()).save(out + "/splash.png");
}

// All backgrounds on one sheet.
void shootBackgrounds()
{
    QPixmap sheet(8 * 150, 5 * 110);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (int n = kFirstPicture; n <= kLastPattern; ++n) {
        const int i = n - 1;
        p.drawPixmap((i % 8) * 150, (i / 8) * 110, backgroundPicture(n, QSize(146, 90)));
        p.drawText(QRect((i % 8) * 150, (i / 8) * 110 + 90, 146, 18), Qt::AlignCenter, backgroundName(n));
    }
    p.end();
    sheet.save(out + "/backgrounds.png");
}
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    Program pr;
    shootEveryForm(pr);
    shootCalculator(pr);
    shootStateOptions(pr);
    shootCalculated(pr);
    shootToolDialogs(pr);
    shootErrorReport(pr);
    shootHelp(pr);
    shootSmallWindows(pr);
    shootBackgrounds();
    return 0;
}
