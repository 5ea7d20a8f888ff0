// The main window with stand-in forms: the registry, the current-form code,
// the commands of missing forms, "Nothing to Work With!", New, the list bar,
// the preference tools and the remembered geometry.
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QToolBar>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QCoreApplication>
#include <QtTest>

#include "record/runtime_error.h"
#include "shell/ui/list_bar.h"
#include "support/shell_fixture.h"
#include "ui/main_hooks.h"

namespace wm {
namespace {

class FakeMain final : public QWidget, public MainCalculatorHooks {
public:
    using QWidget::QWidget;
    void proClear() override { ++cleared; }
    void properPicture() override { ++pictures; }
    void setStateHintVisible(bool v) override { hint = v ? 1 : -1; }
    void receiveIncome(const std::string& text, int howOft) override
    {
        income = text;
        frequency = howOft;
    }
    int cleared = 0, pictures = 0, hint = 0, frequency = -2;
    std::string income;
};

QWidget* plain(AppContext&, QWidget* parent) { return new QWidget(parent); }

// Closes the next modal dialog that shows and remembers its texts.
struct ModalCloser {
    QString title, text;
    void arm()
    {
        test::onModal([this](QWidget* w) {
            title = w->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(w)) text = box->text();
            if (auto* d = qobject_cast<QDialog*>(w)) d->accept();
        });
    }
};

class MdiShellTest : public QObject, test::ShellFixture {
    Q_OBJECT

    FakeMain* main() const { return dynamic_cast<FakeMain*>(shell->form(FormId::Main)); }

private slots:
    void init()
    {
        fresh();
        reportAnswer = 5;  // go on
        forms = FormRegistry();
        forms.add({FormId::Main, "frmMain", "Wagemark Calculator", "6",
                   [](AppContext&, QWidget* p) -> QWidget* { return new FakeMain(p); }, FormKind::Maximized});
        forms.add({FormId::W4View, "frmW4", "Form W-4", "17", &plain});
        forms.add({FormId::Analysis, "frmAnalysis", "Pay Analysis", "3", &plain});
        registerShellForms(forms);
    }
    void cleanup() { stop(); }

    void commandsOfMissingFormsAreDisabled()
    {
        start();
        for (const char* key : {"ID_SetStateOptions", "ID_PersonalInformation", "ID_Multiple",
                                "ID_PersonalAllowances", "ID_DeductionsAdjustments", "ID_TwoWorkers"}) {
            QAction* a = shell->action(key);
            QVERIFY2(a, key);
            QVERIFY2(!a->isEnabled(), key);
            QCOMPARE(a->toolTip(), QStringLiteral("Not available in this build"));
        }
        for (const char* key : {"ID_New", "ID_Calc", "ID_DisplayFormW4", "ID_AnalyzePay", "ID_About", "ID_Exit"})
            QVERIFY2(shell->action(key)->isEnabled(), key);
        QToolButton* missing = shell->listBar()->item("Multi");
        QVERIFY(missing && !missing->isEnabled());
        QCOMPARE(missing->toolTip(), QStringLiteral("Not available in this build"));
        QVERIFY(shell->listBar()->item("W4")->isEnabled());
    }

    void menusCarryTheirKeysAndCaption()
    {
        start();
        QCOMPARE(shell->windowTitle(), QStringLiteral("Wagemark"));
        QVERIFY(shell->findChild<QToolBar*>("atbMain"));
        QVERIFY(shell->findChild<ListBar*>("lbrWagemark"));
        for (const char* menu : {"ID_File", "ID_Edit", "ID_Calculation", "ID_W4Worksheets", "ID_Help"})
            QVERIFY2(shell->findChild<QMenu*>(menu), menu);
        QCOMPARE(shell->action("ID_Exit")->text(), QStringLiteral("E&xit"));
        QCOMPARE(shell->action("ID_Calc")->toolTip(), QStringLiteral("Perform the Calculation"));
        QCOMPARE(shell->action("ID_ShowLabel")->toolTip(), QStringLiteral("Show or Hide the State Alert Label"));
        QCOMPARE(shell->action("ID_WagemarkHelp")->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void analyzeBeforeAnyCalculationSaysSo()
    {
        start();
        ModalCloser closer;
        closer.arm();
        shell->toolCommand("ID_AnalyzePay");
        QCOMPARE(closer.title, QStringLiteral("Nothing to Work With!"));
        QCOMPARE(closer.text, QStringLiteral("You have to make some calculations for me to analyze!"));
        QVERIFY(!shell->form(FormId::Analysis));

        record->SSBase = Currency::dollars(1000);
        shell->toolCommand("ID_AnalyzePay");
        QVERIFY(shell->form(FormId::Analysis));
        QCOMPARE(windows->frmLoaded, std::string("3"));
    }

    void currentFormCodeFollowsTheActiveChild()
    {
        start();
        QCOMPARE(windows->frmLoaded, std::string());
        shell->open(FormId::Main);
        QCOMPARE(windows->frmLoaded, std::string("6"));
        QVERIFY(shell->subWindow(FormId::Main)->isMaximized());
        shell->open(FormId::W4View);
        QCOMPARE(windows->frmLoaded, std::string("17"));
        shell->close(FormId::W4View);
        QTRY_VERIFY(!shell->form(FormId::W4View));
        QTRY_COMPARE(windows->frmLoaded, std::string("6"));
        shell->close(FormId::Main);
        QTRY_COMPARE(windows->frmLoaded, std::string("0"));
    }

    void openingAnOpenFormBringsItForward()
    {
        start();
        shell->open(FormId::W4View);
        QWidget* first = shell->form(FormId::W4View);
        shell->open(FormId::Main);
        shell->open(FormId::W4View);
        QCOMPARE(shell->form(FormId::W4View), first);
        QCOMPARE(shell->mdiArea()->subWindowList().size(), 2);
        QCOMPARE(windows->frmLoaded, std::string("17"));
    }

    void aFormThatClosesItselfTakesItsWindowAlong()
    {
        start();
        shell->open(FormId::W4View);
        shell->form(FormId::W4View)->close();
        QTRY_VERIFY(!shell->subWindow(FormId::W4View));
        QTRY_COMPARE(windows->frmLoaded, std::string("0"));
    }

    void newClearsTheCalculatorOnlyWhenItIsCurrent()
    {
        start();
        shell->open(FormId::Main);
        record->SSBase = Currency::dollars(500);
        shell->open(FormId::W4View);
        shell->toolCommand("ID_New");
        QCOMPARE(main()->cleared, 0);
        QCOMPARE(record->SSBase, Currency::dollars(500));
        shell->open(FormId::Main);
        shell->toolCommand("ID_New");
        QCOMPARE(main()->cleared, 1);
        QCOMPARE(record->SSBase, Currency());
    }

    void listBarReplacesTheCurrentForm()
    {
        start();
        shell->open(FormId::W4View);
        shell->listCommand("Calc");
        QTRY_VERIFY(!shell->form(FormId::W4View));
        QVERIFY(shell->form(FormId::Main));
        QTRY_COMPARE(windows->frmLoaded, std::string("6"));
    }

    void listBarNewFileGivesAnEmptyCalculator()
    {
        start();
        shell->open(FormId::W4View);
        record->SSBase = Currency::dollars(700);
        QTest::mouseClick(shell->listBar()->item("NewFile"), Qt::LeftButton);
        QVERIFY(main());
        QCOMPARE(main()->cleared, 1);
        QCOMPARE(record->SSBase, Currency());
    }

    void preferenceToolsSaveAndReachTheCalculator()
    {
        start();
        shell->open(FormId::Main);
        shell->action("ID_ShowLabel")->trigger();
        QCOMPARE(settings->get("Settings", "PgInst", ""), std::string("20"));
        QCOMPARE(main()->hint, 1);
        shell->action("ID_HideLabel")->trigger();
        QCOMPARE(settings->get("Settings", "PgInst", ""), std::string("10"));
        QCOMPARE(main()->hint, -1);
        shell->action("ID_BackgroundPatterns")->trigger();
        QCOMPARE(settings->get("Settings", "BckGndDsgn", ""), std::string("Patterns"));
        QCOMPARE(windows->strPicSelect, std::string("Patterns"));
        QCOMPARE(main()->pictures, 1);
        shell->action("ID_Unfold")->trigger();
        QCOMPARE(settings->get("Settings", "Animations", ""), std::string("2"));
    }

    void storedPreferencesSelectTheirTools()
    {
        settings->save("Settings", "PgInst", "15");
        settings->save("Settings", "Animations", "1");
        settings->save("Settings", "BckGndDsgn", "Patterns");
        start();
        QVERIFY(!shell->action("ID_ShowLabel")->isChecked());
        QVERIFY(!shell->action("ID_HideLabel")->isChecked());
        QVERIFY(shell->action("ID_Random")->isChecked());
        QVERIFY(shell->action("ID_BackgroundPatterns")->isChecked());
        QVERIFY(!shell->action("ID_BackgroundPictures")->isChecked());
    }

    void startFormFollowsDontShow()
    {
        start();
        shell->showStartForm();  // personal information is not in this build
        QVERIFY(shell->form(FormId::Main));
        forms.add({FormId::PersonalInfo, "frmName", "Personal Information", "9", &plain});
        restart();
        shell->showStartForm();
        QVERIFY(shell->form(FormId::PersonalInfo));
        QVERIFY(!shell->form(FormId::Main));
        settings->save("User", "DontShow", "1");
        restart();
        shell->showStartForm();
        QVERIFY(shell->form(FormId::Main));
    }

    void modalFormsSetTheirCodeWhileOpen()
    {
        start();
        shell->open(FormId::Main);
        std::string during;
        QTimer::singleShot(0, [&] {
            during = windows->frmLoaded;
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->accept();
        });
        shell->open(FormId::Calendar);
        QCOMPARE(during, std::string("4"));
        QCOMPARE(windows->frmLoaded, std::string("6"));
    }

    void helpAndWebsiteCommands()
    {
        start();
        shell->toolCommand("ID_W4Help");
        shell->toolCommand("ID_WagemarkHelp");
        QCOMPARE(help.shown, (std::vector<int>{370, 0}));
        shell->toolCommand("ID_WagemarkWebsite");
        QCOMPARE(browser.urls.size(), 1);
        QVERIFY(browser.urls[0].startsWith("https://"));
        QCOMPARE(help.appDir, QCoreApplication::applicationDirPath());
    }

    void incomeFromAnotherToolReachesTheCalculator()
    {
        start();
        shell->sendToMain("4166.67", 3);
        QVERIFY(main());
        QCOMPARE(main()->income, std::string("4166.67"));
        QCOMPARE(main()->frequency, 3);
    }

    void windowGeometryIsRemembered()
    {
        start();
        shell->resize(900, 640);
        QTRY_COMPARE(shell->size(), QSize(900, 640));
        shell->close();
        QCOMPARE(windows->VarLoadMDI, std::int16_t(0));
        QCOMPARE(help.quits, 1);
        restart();
        QCOMPARE(shell->size(), QSize(900, 640));
        QCOMPARE(windows->VarLoadMDI, std::int16_t(1));
    }
};

}  // namespace
}  // namespace wm

QTEST_MAIN(wm::MdiShellTest)
#include "mdi_shell_gui_test.moc"
