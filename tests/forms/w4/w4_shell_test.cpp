// The W-4 forms inside the main window: opened from the tool bar and the
// list bar, handing lines to the certificate, closing, and the program's end.
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

#include "forms/w4/ui/pers_wksht_window.h"
#include "forms/w4/ui/personal_info_window.h"
#include "forms/w4/ui/register_forms.h"
#include "forms/w4/ui/table_picker_dialog.h"
#include "forms/w4/ui/two_earner_window.h"
#include "forms/w4/ui/w4_view_window.h"
#include "support/shell_fixture.h"

namespace wm {

namespace {

QWidget* calculator(AppContext&, QWidget* parent)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QStringLiteral("frmMain"));
    return w;
}

class W4ShellTest : public QObject, test::ShellFixture {
    Q_OBJECT

    template <class T>
    T* form(FormId id) const
    {
        return qobject_cast<T*>(shell->form(id));
    }
    static void click(QWidget* w, const char* name) { test::click(w, name); }

private slots:
    void init()
    {
        fresh();
        forms = FormRegistry();
        forms.add({FormId::Main, "frmMain", "Wagemark Calculator", "6", &calculator, FormKind::Maximized});
        registerShellForms(forms);
        registerW4Forms(forms);
    }
    void cleanup() { stop(); }

    void worksheetHandsLineFiveToTheCertificate()
    {
        start();
        shell->toolCommand(QStringLiteral("ID_PersonalAllowances"));
        auto* pers = form<w4::PersWkShtWindow>(FormId::PersWkSht);
        QVERIFY(pers);
        QCOMPARE(windows->frmLoaded, std::string("11"));
        click(pers, "chkPersWkShtA_0");
        click(pers, "chkPersWkShtA_1");
        click(pers, "cmdW4Back_0");
        click(pers, "cmdInstructions_2");
        auto* view = form<w4::W4ViewWindow>(FormId::W4View);
        QVERIFY(view);
        QCOMPARE(view->model().lblW4Line5, std::string("2"));
        QCOMPARE(windows->frmLoaded, std::string("17"));
        // The worksheet stays open behind the certificate.
        QVERIFY(shell->form(FormId::PersWkSht));
    }

    void twoEarnerFormW4ClosesTheWorksheet()
    {
        windows->PersWkShtDeps = 2;
        start();
        shell->toolCommand(QStringLiteral("ID_TwoWorkers"));
        auto* two = form<w4::TwoEarnerWindow>(FormId::TwoEarnerWkSht);
        QVERIFY(two);
        click(two, "cmdTable1Show_0");
        QVERIFY(two->picker());
        QCOMPARE(windows->frmLoaded, std::string("16"));
        two->picker()->pickRow(9);
        QTRY_VERIFY(!two->picker());
        QCOMPARE(windows->frmLoaded, std::string("1"));
        click(two, "cmdW4Back_0");
        click(two, "cmdTable1Show_1");
        two->picker()->pickRow(1);
        QTRY_VERIFY(!two->picker());
        two->findChild<QLineEdit*>(QStringLiteral("txtNumPayDays"))->setText(QStringLiteral("26"));
        click(two, "cmdPersWrkCalc_0");
        click(two, "cmdPersWrkCalc_1");
        QTRY_VERIFY(!shell->form(FormId::TwoEarnerWkSht));
        auto* view = form<w4::W4ViewWindow>(FormId::W4View);
        QVERIFY(view);
        QCOMPARE(view->model().lblW4Line6, std::string("$210.00"));
        QCOMPARE(view->model().lblW4Line5, std::string("0"));
    }

    // An open certificate follows each worksheet as it is calculated, and a
    // later worksheet replaces lines 5 and 6 together.
    void openCertificateFollowsEachCalculatedWorksheet()
    {
        start();
        shell->toolCommand(QStringLiteral("ID_DisplayFormW4"));
        auto* view = form<w4::W4ViewWindow>(FormId::W4View);
        QVERIFY(view);
        QCOMPARE(view->model().lblW4Line5, std::string("0"));
        shell->toolCommand(QStringLiteral("ID_PersonalAllowances"));
        auto* pers = form<w4::PersWkShtWindow>(FormId::PersWkSht);
        click(pers, "chkPersWkShtA_0");
        click(pers, "chkPersWkShtA_1");
        pers->findChild<QLineEdit*>(QStringLiteral("txtPersWkEnterDeps"))->setText(QStringLiteral("1"));
        click(pers, "cmdW4Back_0");
        click(pers, "cmdPersWrkCalc_0");
        QCOMPARE(view->model().lblW4Line5, std::string("3"));  // no click on the certificate's panel
        QCOMPARE(view->sheet()->certificate().line5, std::string("3"));  // as drawn

        // An amount on line 6 (as the Year Check's advice leaves it), then
        // the Two-Earner/Two-Job Worksheet's line 3 with nothing on line 6.
        w4::handOver(*windows, "0", "13");
        shell->toolCommand(QStringLiteral("ID_DisplayFormW4"));
        QCOMPARE(view->model().lblW4Line6, std::string("$13.00"));
        shell->toolCommand(QStringLiteral("ID_TwoWorkers"));
        auto* two = form<w4::TwoEarnerWindow>(FormId::TwoEarnerWkSht);
        click(two, "cmdTable1Show_0");
        two->picker()->pickRow(0);
        QTRY_VERIFY(!two->picker());
        click(two, "cmdPersWrkCalc_2");
        view = form<w4::W4ViewWindow>(FormId::W4View);
        QCOMPARE(view->model().lblW4Line5, std::string("3"));
        QCOMPARE(view->model().lblW4Line6, std::string(""));
    }

    void personalInformationGivesWayToTheCalculator()
    {
        start();
        shell->listCommand(QStringLiteral("Personal"));
        auto* info = form<w4::PersonalInfoWindow>(FormId::PersonalInfo);
        QVERIFY(info);
        info->findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("Ann B. Cole"));
        click(info, "cmdExit");
        QTRY_VERIFY(!shell->form(FormId::PersonalInfo));
        QTRY_VERIFY(shell->form(FormId::Main));
        QCOMPARE(settings->get("User", "UName", ""), std::string("Ann B. Cole"));
    }

    void listBarReplacingTheFormOpensOnlyWhatWasAskedFor()
    {
        start();
        shell->listCommand(QStringLiteral("Personal"));
        QVERIFY(shell->form(FormId::PersonalInfo));
        shell->listCommand(QStringLiteral("W4"));
        QTRY_VERIFY(!shell->form(FormId::PersonalInfo));
        QTRY_VERIFY(shell->form(FormId::W4View));
        QVERIFY(!shell->form(FormId::Main));
    }

    void savedPdfIsConfirmedInTheStatusBar()
    {
        start();
        shell->toolCommand(QStringLiteral("ID_DisplayFormW4"));
        auto* view = form<w4::W4ViewWindow>(FormId::W4View);
        QVERIFY(view);
        shell->statusBar()->clearMessage();
        QVERIFY(!view->savePdf(dir->filePath(QStringLiteral("missing/w4.pdf"))));
        QCOMPARE(shell->statusBar()->currentMessage(), QString());
        const QString path = dir->filePath(QStringLiteral("w4.pdf"));
        QVERIFY(view->savePdf(path));
        QVERIFY(QFile::exists(path));
        QVERIFY(shell->statusBar()->currentMessage().contains(QDir::toNativeSeparators(path)));
    }

    void programEndsWithTheFormsOpen()
    {
        start();
        shell->listCommand(QStringLiteral("Personal"));
        shell->toolCommand(QStringLiteral("ID_DisplayFormW4"));
        QVERIFY(shell->close());
        QTRY_VERIFY(!shell->isVisible());
        QVERIFY(!shell->form(FormId::Main));
    }
};

}  // namespace
}  // namespace wm

QTEST_MAIN(wm::W4ShellTest)
#include "w4_shell_test.moc"
