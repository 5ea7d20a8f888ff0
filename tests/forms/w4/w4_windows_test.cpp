// The W-4 windows driven by their controls, offscreen.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <QtTest>
#include <memory>
#include <vector>

#include "forms/w4/ui/certificate_painter.h"
#include "forms/w4/ui/dednadj_window.h"
#include "forms/w4/ui/pers_wksht_window.h"
#include "forms/w4/ui/personal_info_window.h"
#include "forms/w4/ui/table_picker_dialog.h"
#include "forms/w4/ui/two_earner_window.h"
#include "forms/w4/ui/w4_view_window.h"
#include "support/navigation.h"
#include "support/widgets.h"

namespace wm::w4 {

using test::child;
using test::click;
using test::text;

// Opens the W-4 view as the shell would; the navigator remembers every request.
struct Env : test::Context {
    std::unique_ptr<W4ViewWindow> view;
    Env()
    {
        nav.onOpen = [this](FormId form) {
            if (form != FormId::W4View || view) return;
            view = std::make_unique<W4ViewWindow>(ctx);
            view->show();
        };
    }
};

void type(QWidget* w, const char* name, const QString& s)
{
    auto* e = child<QLineEdit>(w, name);
    e->selectAll();
    QTest::keyClicks(e, s);
}

// The open refusal box, if any; it is closed after its text is read.
QString takeRefusal(QWidget* window)
{
    auto* box = window->findChild<QMessageBox*>(QStringLiteral("msgRefusal"));
    if (!box) return {};
    const QString t = box->text();
    box->close();
    QCoreApplication::processEvents();
    return t;
}

class W4WindowsTest : public QObject {
    Q_OBJECT
private slots:
    void personalAllowancesTotalH();
    void unreadableEntryIsRefused();
    void instructionTwoWritesLineFive();
    void deductionsGuardSequence();
    void twoEarnerExampleThroughLineNine();
    void emptyNameKeepsThePersonalInformation();
    void keyboardWorksThePickerAndInstructions();
    void certificateSavesAsPdf();
    void lineSevenByClickAndDoubleClick();
    void screenshots();
};

void W4WindowsTest::personalAllowancesTotalH()
{
    Env e;
    PersWkShtWindow w(e.ctx);
    w.show();
    click(&w, "chkPersWkShtA_0");
    click(&w, "chkPersWkShtA_1");
    click(&w, "chkPersWkShtA_2");
    type(&w, "txtPersWkEnterDeps", QStringLiteral("2"));
    click(&w, "cmdW4Back_0");
    QCOMPARE(e.h.windows.intClick, 1);
    click(&w, "cmdPersWrkCalc_0");
    QCOMPARE(text(&w, "lblTotalDepsClaim"), QStringLiteral("5"));
    QCOMPARE(e.h.windows.PersWkShtDeps, 5);
    // Unticking a line and calculating again takes it out.
    click(&w, "cmdW4Back_1");
    click(&w, "chkPersWkShtA_0");
    click(&w, "cmdW4Back_0");
    click(&w, "cmdPersWrkCalc_0");
    QCOMPARE(text(&w, "lblTotalDepsClaim"), QStringLiteral("4"));
}

void W4WindowsTest::unreadableEntryIsRefused()
{
    Env e;
    e.h.windows.PersWkShtDeps = 3;
    PersWkShtWindow w(e.ctx);
    w.show();
    click(&w, "cmdW4Back_0");
    type(&w, "txtChild", QStringLiteral("two"));
    click(&w, "cmdPersWrkCalc_0");
    const QString message = takeRefusal(&w);
    QVERIFY2(message.startsWith(QStringLiteral("Line G: ")), qPrintable(message));
    QCOMPARE(e.h.windows.PersWkShtDeps, 3);
    QCOMPARE(text(&w, "lblTotalDepsClaim"), QString());
    QVERIFY(e.h.log.reports.empty());
    // The instruction command stops as well: nothing opens.
    click(&w, "cmdInstructions_2");
    QVERIFY(!takeRefusal(&w).isEmpty());
    QVERIFY(e.nav.opened.empty());
}

void W4WindowsTest::instructionTwoWritesLineFive()
{
    Env e;
    PersWkShtWindow w(e.ctx);
    w.show();
    click(&w, "chkPersWkShtA_0");
    click(&w, "chkPersWkShtA_1");
    click(&w, "cmdW4Back_0");
    click(&w, "cmdInstructions_2");
    QCOMPARE(e.nav.opened, std::vector<FormId>{FormId::W4View});
    QVERIFY(e.view);
    QCOMPARE(e.view->model().lblW4Line5, std::string("2"));
    QCOMPARE(text(&w, "lblTotalDepsClaim"), QStringLiteral("2"));

    // A view already open gets the new line 5 too.
    click(&w, "chkPersWkShtA_3");
    click(&w, "cmdInstructions_2");
    QCOMPARE(e.view->model().lblW4Line5, std::string("3"));
    QVERIFY(e.view->sheet()->accessibleDescription().contains(QStringLiteral("Line 5: 3")));

    click(&w, "cmdInstructions_0");
    click(&w, "cmdInstructions_1");
    QCOMPARE(e.nav.opened.back(), FormId::TwoEarnerWkSht);
    QCOMPARE(e.nav.opened[e.nav.opened.size() - 2], FormId::DeductionsWkSht);
}

void W4WindowsTest::deductionsGuardSequence()
{
    Env e;
    {
        // H = 3 from the Personal Allowances Worksheet.
        PersWkShtWindow p(e.ctx);
        click(&p, "chkPersWkShtA_0");
        click(&p, "chkPersWkShtA_1");
        click(&p, "chkPersWkShtA_2");
        click(&p, "cmdW4Back_0");
        click(&p, "cmdPersWrkCalc_0");
    }
    QCOMPARE(e.h.windows.PersWkShtDeps, 3);
    QCOMPARE(e.h.windows.intClick, 1);

    DednAdjWindow w(e.ctx);
    w.show();
    type(&w, "txtGetItemized", QStringLiteral("10,000.00"));
    click(&w, "optDedCategory_2");
    QCOMPARE(text(&w, "lblGetPersDed"), QStringLiteral("$4,400.00"));
    QCOMPARE(text(&w, "lblSubTotal"), QStringLiteral("$5,600.00"));
    click(&w, "cmdW4Back_0");
    QCOMPARE(text(&w, "lblPersWrkShtDeps"), QStringLiteral("3"));
    type(&w, "txtAdjustments", QStringLiteral("2000"));
    type(&w, "txtNonWage", QStringLiteral("1000"));

    click(&w, "cmdPersWrkCalc");
    QCOMPARE(text(&w, "lblTotal5"), QStringLiteral("$7,600.00"));
    QCOMPARE(text(&w, "lblTotal7"), QStringLiteral("$6,600.00"));
    QCOMPARE(text(&w, "lblDivide"), QStringLiteral("2"));
    QCOMPARE(text(&w, "lblTotal10"), QStringLiteral("5"));
    QCOMPARE(e.h.windows.PersWkShtDeps, 5);
    QCOMPARE(e.h.windows.intClick, 2);

    // The guard: Calculate now changes nothing.
    type(&w, "txtNonWage", QStringLiteral("0"));
    click(&w, "cmdPersWrkCalc");
    QCOMPARE(text(&w, "lblTotal7"), QStringLiteral("$6,600.00"));
    QCOMPARE(e.h.windows.PersWkShtDeps, 5);

    // Back to page 1 and forward again: one calculation runs.
    click(&w, "cmdW4Back_1");
    QCOMPARE(e.h.windows.intClick, 1);
    click(&w, "cmdW4Back_0");
    QCOMPARE(text(&w, "lblPersWrkShtDeps"), QStringLiteral("5"));
    click(&w, "cmdPersWrkCalc");
    QCOMPARE(text(&w, "lblDivide"), QStringLiteral("2"));
    QCOMPARE(text(&w, "lblTotal10"), QStringLiteral("7"));
    click(&w, "cmdPersWrkCalc");
    QCOMPARE(e.h.windows.PersWkShtDeps, 7);

    // A line 1 that cannot be read leaves the chosen category as it was.
    click(&w, "cmdW4Back_1");
    type(&w, "txtGetItemized", QStringLiteral("lots"));
    click(&w, "optDedCategory_0");
    QVERIFY(takeRefusal(&w).startsWith(QStringLiteral("Line 1: ")));
    QVERIFY(child<QRadioButton>(&w, "optDedCategory_2")->isChecked());
    QCOMPARE(text(&w, "lblGetPersDed"), QStringLiteral("$4,400.00"));
}

void W4WindowsTest::twoEarnerExampleThroughLineNine()
{
    Env e;
    e.h.windows.PersWkShtDeps = 2;
    TwoEarnerWindow w(e.ctx);
    w.show();
    QCOMPARE(text(&w, "lblDedFromG"), QStringLiteral("2"));
    QVERIFY(!child<QPushButton>(&w, "cmdW4Back_0")->isEnabled());

    click(&w, "cmdTable1Show_0");
    TablePickerDialog* picker = w.picker();
    QVERIFY(picker);
    QCOMPARE(picker->windowTitle(), QStringLiteral("If wages from LOWEST paying job are -"));
    QCOMPARE(e.h.windows.frmLoaded, std::string("16"));
    auto* list = child<QListWidget>(picker, "lstTableOne");
    QCOMPARE(list->count(), 16);
    QCOMPARE(list->item(9)->text(), QStringLiteral("$45,001 - $55,000"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(9)).center());
    QTRY_VERIFY(!w.picker());
    QCOMPARE(text(&w, "lbl2WkerT1"), QStringLiteral("9"));
    QCOMPARE(text(&w, "lbl2Wker3"), QStringLiteral("0"));
    QCOMPARE(e.h.windows.PersWkShtDeps, 0);

    QVERIFY(child<QPushButton>(&w, "cmdW4Back_0")->isEnabled());
    click(&w, "cmdW4Back_0");
    QCOMPARE(text(&w, "lbl2WkerResult4"), QStringLiteral("9"));
    QCOMPARE(text(&w, "lbl2WkerResult5"), QStringLiteral("2"));
    QCOMPARE(text(&w, "lbl2WkerResult6"), QStringLiteral("7"));

    click(&w, "cmdTable1Show_1");
    picker = w.picker();
    QVERIFY(picker);
    list = child<QListWidget>(picker, "lstTableOne");
    // The other group, then back: the list follows the choice.
    click(picker, "optTableOne_1");
    QCOMPARE(list->item(0)->text(), QStringLiteral("0 - $30,000"));
    click(picker, "optTableOne_0");
    QCOMPARE(list->item(1)->text(), QStringLiteral("$50,001 - $100,000"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QTRY_VERIFY(!w.picker());
    QCOMPARE(text(&w, "lblTable2"), QStringLiteral("780"));

    type(&w, "txtNumPayDays", QStringLiteral("0"));
    click(&w, "cmdPersWrkCalc_0");
    QVERIFY(takeRefusal(&w).startsWith(QStringLiteral("Line 9: ")));
    QCOMPARE(text(&w, "lblMultiply8"), QString());

    type(&w, "txtNumPayDays", QStringLiteral("26"));
    click(&w, "cmdPersWrkCalc_0");
    QCOMPARE(text(&w, "lblMultiply8"), QStringLiteral("5460"));
    QCOMPARE(text(&w, "lblDollarAmt"), QStringLiteral("210"));

    click(&w, "cmdW4Back_2");
    QCOMPARE(e.nav.opened.back(), FormId::Calendar);

    click(&w, "cmdPersWrkCalc_1");
    QVERIFY(!w.isVisible());
    QVERIFY(e.view);
    QCOMPARE(e.view->model().lblW4Line5, std::string("0"));
    QCOMPARE(e.view->model().lblW4Line6, std::string("$210.00"));
}

void W4WindowsTest::emptyNameKeepsThePersonalInformation()
{
    Env e;
    PersonalInfoWindow w(e.ctx);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // First start: empty fields with a grey hint, not the stored "-".
    for (const char* field : {"txtName", "txtAddress", "txtCity"}) {
        QCOMPARE(child<QLineEdit>(&w, field)->text(), QString());
        QVERIFY(!child<QLineEdit>(&w, field)->placeholderText().isEmpty());
    }
    QVERIFY(child<QRadioButton>(&w, "optMaritalStatus_0")->isChecked());
    QCOMPARE(child<QLineEdit>(&w, "txtSSN")->text(), QStringLiteral("--"));

    child<QLineEdit>(&w, "txtName")->clear();
    child<QLineEdit>(&w, "txtAddress")->setFocus();
    click(&w, "cmdExit");
    QVERIFY(w.isVisible());
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(&w, "txtName"));
    QVERIFY(child<QLabel>(&w, "lblNameNeeded")->isVisible());
    QVERIFY(!e.h.settings.contains("User", "UName"));
    QVERIFY(!e.h.settings.contains("Settings", "MaritalStat"));
    QVERIFY(e.nav.opened.empty());

    // A direction override pasted into the city: said, that field, nothing saved.
    type(&w, "txtName", QStringLiteral("Ann B. Cole"));
    child<QLineEdit>(&w, "txtCity")->setText(QStringLiteral("Dover\u202E, DE"));
    click(&w, "cmdExit");
    QVERIFY(w.isVisible());
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(&w, "txtCity"));
    QVERIFY(child<QLabel>(&w, "lblNameNeeded")->isVisible());
    QVERIFY(child<QLabel>(&w, "lblNameNeeded")->text().contains(QStringLiteral("U+202E")));
    QVERIFY(!e.h.settings.contains("User", "UName"));
    child<QLineEdit>(&w, "txtCity")->clear();

    type(&w, "txtName", QStringLiteral("Ann B. Cole"));
    type(&w, "txtSSN", QStringLiteral("123456789"));
    click(&w, "optMaritalStatus_1");
    QCOMPARE(e.h.r.valMarried, 1);
    click(&w, "chkShow");
    QCOMPARE(e.h.settings.get("User", "DontShow", ""), std::string("1"));
    click(&w, "cmdExit");
    QVERIFY(!w.isVisible());
    QCOMPARE(e.h.settings.get("User", "UName", ""), std::string("Ann B. Cole"));
    QCOMPARE(e.h.settings.get("User", "USSN", ""), std::string("123-45-6789"));
    QCOMPARE(e.h.settings.get("User", "UAdd", ""), std::string("-"));
    QCOMPARE(e.h.settings.get("Settings", "MaritalStat", ""), std::string("1"));
    // Unloading brings up the calculator.
    QCOMPARE(e.nav.opened, std::vector<FormId>{FormId::Main});
}

void W4WindowsTest::keyboardWorksThePickerAndInstructions()
{
    Env e;
    e.h.windows.PersWkShtDeps = 10;
    TwoEarnerWindow w(e.ctx);
    w.show();
    click(&w, "cmdTable1Show_0");
    TablePickerDialog* picker = w.picker();
    QVERIFY(picker);
    auto* list = child<QListWidget>(picker, "lstTableOne");
    // The arrows move without picking; Enter picks.
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QVERIFY(w.picker());
    QCOMPARE(text(&w, "lbl2WkerT1"), QStringLiteral("0"));
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!w.picker());
    QCOMPARE(text(&w, "lbl2WkerT1"), QStringLiteral("2"));
    QCOMPARE(text(&w, "lbl2Wker3"), QStringLiteral("8"));
    QVERIFY(child<QPushButton>(&w, "cmdPersWrkCalc_2")->isVisible());
    QCOMPARE(e.h.windows.frmLoaded, std::string());

    // Escape leaves the picker without a row.
    click(&w, "cmdTable1Show_0");
    QVERIFY(w.picker());
    QTest::keyClick(w.picker(), Qt::Key_Escape);
    QTRY_VERIFY(!w.picker());
    QCOMPARE(text(&w, "lbl2WkerT1"), QStringLiteral("2"));

    PersWkShtWindow p(e.ctx);
    p.show();
    click(&p, "cmdW4Back_0");
    QTest::keyClick(child<QWidget>(&p, "cmdInstructions_1"), Qt::Key_Return);
    QTRY_COMPARE(e.nav.opened.size(), std::size_t{1});
    QCOMPARE(e.nav.opened.back(), FormId::TwoEarnerWkSht);
}

void W4WindowsTest::certificateSavesAsPdf()
{
    Env e;
    e.h.settings.save("User", "UName", "Ann B. Cole");
    W4ViewWindow w(e.ctx);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w4.pdf"));
    QVERIFY(w.savePdf(path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.read(5), QByteArray("%PDF-"));
    QVERIFY(f.size() > 1000);

    // A folder that does not exist: a message, no file.
    const QString bad = dir.filePath(QStringLiteral("missing/w4.pdf"));
    QVERIFY(!w.savePdf(bad));
    QVERIFY(!QFile::exists(bad));
    auto* box = w.findChild<QMessageBox*>(QStringLiteral("msgPdfFailed"));
    QVERIFY(box);
    QVERIFY(box->text().contains(QStringLiteral("could not be saved")));
    delete box;

    // A full disk: the reason, and no word of saving.
    QVERIFY(!w.savePdf(QStringLiteral("/dev/full")));
    box = w.findChild<QMessageBox*>(QStringLiteral("msgPdfFailed"));
    QVERIFY(box);
    QVERIFY2(box->text().contains(QStringLiteral("No space left on device")), qPrintable(box->text()));
    box->close();
}

void W4WindowsTest::lineSevenByClickAndDoubleClick()
{
    Env e;
    W4ViewWindow w(e.ctx);
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Through the window, so each click ends with its release as a mouse's does.
    QWindow* window = w.windowHandle();
    const QPoint line7 = w.sheet()->mapTo(&w, w.sheet()->toWidget(line7TextArea().center()).toPoint());
    QTest::mouseDClick(window, Qt::LeftButton, {}, line7);
    QVERIFY(w.model().certificate().exempt);
    QVERIFY(w.findChild<QCheckBox*>(QStringLiteral("chkExempt"))->isChecked());
    QTest::mouseClick(window, Qt::LeftButton, {}, line7);
    QVERIFY(!w.model().certificate().exempt);
}

// With WAGEMARK_SCREENSHOTS set to a folder, pictures of every page and
// the certificate (PNG and PDF) go there for a look.
void W4WindowsTest::screenshots()
{
    const QString folder = qEnvironmentVariable("WAGEMARK_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("WAGEMARK_SCREENSHOTS not set");
    QDir().mkpath(folder);
    Env e;
    auto grab = [&](QWidget* w, const char* name) {
        QVERIFY(w->grab().save(QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"))));
    };
    {
        PersWkShtWindow w(e.ctx);
        w.resize(900, 680);
        w.show();
        click(&w, "chkPersWkShtA_0");
        click(&w, "chkPersWkShtA_1");
        type(&w, "txtPersWkEnterDeps", QStringLiteral("2"));
        grab(&w, "pers_page1");
        click(&w, "cmdW4Back_0");
        type(&w, "txtChild", QStringLiteral("1"));
        click(&w, "cmdPersWrkCalc_0");
        grab(&w, "pers_page2");
    }
    {
        DednAdjWindow w(e.ctx);
        w.resize(900, 680);
        w.show();
        type(&w, "txtGetItemized", QStringLiteral("10000"));
        click(&w, "optDedCategory_2");
        grab(&w, "dednadj_page1");
        click(&w, "cmdW4Back_0");
        type(&w, "txtAdjustments", QStringLiteral("2000"));
        type(&w, "txtNonWage", QStringLiteral("1000"));
        click(&w, "cmdPersWrkCalc");
        grab(&w, "dednadj_page2");
    }
    {
        e.h.windows.PersWkShtDeps = 2;
        TwoEarnerWindow w(e.ctx);
        w.resize(900, 680);
        w.show();
        click(&w, "cmdTable1Show_0");
        QTRY_VERIFY(w.picker()->isVisible());
        grab(w.picker(), "table1_picker");
        w.picker()->pickRow(9);
        grab(&w, "two_earner_page1");
        click(&w, "cmdW4Back_0");
        click(&w, "cmdTable1Show_1");
        QTRY_VERIFY(w.picker()->isVisible());
        grab(w.picker(), "table2_picker");
        w.picker()->pickRow(1);
        type(&w, "txtNumPayDays", QStringLiteral("26"));
        click(&w, "cmdPersWrkCalc_0");
        grab(&w, "two_earner_page2");
    }
    {
        PersonalInfoWindow w(e.ctx);
        w.resize(620, 360);
        w.show();
        grab(&w, "personal_info");
    }
    e.h.settings.save("User", "UName", "Ann B. Cole");
    e.h.settings.save("User", "UAdd", "1234 Elm Street, Apt. 5");
    e.h.settings.save("User", "UCity", "Springfield, IL 62701");
    e.h.settings.save("User", "USSN", "123-45-6789");
    e.h.r.valMarried = 2;
    e.h.windows.PersWkShtDeps = 3;
    W4ViewWindow v(e.ctx);
    v.resize(1000, 640);
    v.show();
    v.setLine6(QStringLiteral("210"));
    v.sheet()->setCertificate([&] {
        Certificate c = v.model().certificate();
        c.exempt = true;
        return c;
    }());
    grab(&v, "w4_view");
    QVERIFY(v.savePdf(QDir(folder).filePath(QStringLiteral("w4.pdf"))));
}

}  // namespace wm::w4

QTEST_MAIN(wm::w4::W4WindowsTest)
#include "w4_windows_test.moc"
