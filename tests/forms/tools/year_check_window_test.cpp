// The Year Check in the main window, next to the real calculator and the
// Form W-4 view, with a temporary settings folder.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QCoreApplication>
#include <QtTest>

#include "forms/tools/ui/compare_states_window.h"
#include "forms/tools/ui/year_check_window.h"
#include "forms/w4/ui/w4_view_window.h"
#include "qtcore/qt_settings_store.h"
#include "shell/ui/mdi_shell.h"
#include "support/pdf_text.h"
#include "support/shell_fixture.h"
#include "ui/form_registry.h"

namespace wm {

class YearCheckShellTest : public QObject, test::ShellFixture {
    Q_OBJECT

    YearCheckWindow* year() const { return qobject_cast<YearCheckWindow*>(shell->form(FormId::YearCheck)); }
    QString sentence() const { return find<QLabel>(FormId::YearCheck, "lblSentence")->text(); }
    static QString tableText(const QTableWidget* t)
    {
        QString s;
        for (int i = 0; i < t->rowCount(); ++i) s += t->item(i, 0)->text() + '|' + t->item(i, 1)->text() + ';';
        return s;
    }

    // Weekly 1,000 with a status (0 married, 1 single) and allowances, as the user chooses them.
    void calculate(int status, int allowances)
    {
        shell->open(FormId::Main);
        find<QListWidget>(FormId::Main, "lstFrequency")->setCurrentRow(0);
        find<QRadioButton>(FormId::Main, status == 0 ? "optStatus_0" : "optStatus_1")->click();
        auto* count = find<QComboBox>(FormId::Main, "cboExemptions");
        count->setCurrentIndex(allowances);
        emit count->activated(allowances);
        type("txtIncome", "1000", FormId::Main);
        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_0"), Qt::LeftButton);
    }
    // Types over a field's text, then Enter.
    QLineEdit* type(const char* field, const char* text, FormId form = FormId::YearCheck)
    {
        auto* f = find<QLineEdit>(form, field);
        f->setFocus();
        f->selectAll();
        QTest::keyClicks(f, QString::fromLatin1(text));
        QTest::keyClick(f, Qt::Key_Return);
        return f;
    }

private slots:
    void initTestCase() { registerAllForms(forms); }
    void init() { startCalculator(); }
    void cleanup() { stopClean(); }

    // Single, weekly 1,000, 1 allowance in No State: sorted, then Enter on
    // Alabama makes it the calculator's state with the options of its row.
    void compareStatesSortsAndARowGoesToTheCalculator()
    {
        calculate(1, 1);
        shell->toolCommand(QStringLiteral("ID_CompareStates"));
        auto* w = qobject_cast<CompareStatesWindow*>(shell->form(FormId::CompareStates));
        QVERIFY(w);
        QTableWidget* t = w->table();
        QCOMPARE(t->rowCount(), kStateCount);
        QCOMPARE(t->item(0, 0)->text(), QStringLiteral("No State (chosen)"));  // no state tax: the highest check
        w->sortBy(CompareStatesModel::StateTax);
        QCOMPARE(t->item(0, 0)->text() + t->item(0, 1)->text(), QStringLiteral("Oregon$78.41"));
        w->sortBy(CompareStatesModel::State);
        QCOMPARE(t->item(1, 0)->text(), QStringLiteral("Alabama"));
        QVERIFY(t->item(1, 0)->toolTip().contains(QStringLiteral("Dependents (State): 1")));
        t->setFocus();
        t->setCurrentCell(1, 0);
        QTest::keyClick(t, Qt::Key_Return);
        QCOMPARE(record->intState, std::int16_t{1});
        QCOMPARE(settings->get("StateInfo", "staMarried", "") + settings->get("StateInfo", "StateName", ""),
                 std::string("1Alabama"));
        QCOMPARE(find<QTableWidget>(FormId::Main, "dbgDisplay")->item(5, 1)->text(), QStringLiteral("$36.20"));
        QCOMPARE(t->item(1, 0)->text(), QStringLiteral("Alabama (chosen)"));
        QCOMPARE(t->item(1, 3)->text(), QStringLiteral("$0.00"));
    }

    // A 401(k) of 10 % beside the kept result without one: $100.00 more
    // saved, $28.00 less federal tax (28 %), so a check $72.00 smaller.
    void keptColumnsShowTheDifferenceUntilCleared()
    {
        calculate(1, 1);
        shell->toolCommand(QStringLiteral("ID_KeepComparison"));
        type("txt401k", "10", FormId::Main);
        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_0"), Qt::LeftButton);
        auto* grid = find<QTableWidget>(FormId::Main, "dbgDisplay");
        QCOMPARE(grid->columnCount(), 4);
        QCOMPARE(grid->item(11, 1)->text() + grid->item(11, 2)->text() + grid->item(11, 3)->text(),
                 QStringLiteral("$735.91$663.91($72.00)"));
        QVERIFY(grid->item(11, 1)->toolTip().contains(QStringLiteral("Weekly, Single, 1 exemption, No State, 401(k) 0 %")));
        shell->toolCommand(QStringLiteral("ID_ClearComparison"));
        QCOMPARE(grid->columnCount(), 2);
        QCOMPARE(grid->item(11, 1)->text(), QStringLiteral("$663.91"));
    }

    void adviceGoesOntoTheCalculatorAndFormW4()
    {
        // Single, weekly 1,000 with 3 allowances: 52 x 157.44 = 8,186.88
        // withheld against a tax of 9,131.50.
        calculate(1, 3);

        shell->toolCommand(QStringLiteral("ID_YearCheck"));
        QVERIFY(year());
        QCOMPARE(windows->frmLoaded, std::string("18"));
        QCOMPARE(sentence(),
                 QStringLiteral("You will owe about $945. Claiming 1 allowance keeps you closest without owing."));
        if (const QByteArray snaps = qgetenv("WAGEMARK_SNAPSHOTS"); !snaps.isEmpty())
            shell->grab().save(QString::fromLocal8Bit(snaps) + QStringLiteral("/year_check.png"));

        auto* apply = find<QPushButton>(FormId::YearCheck, "cmdApply");
        QCOMPARE(apply->text(), QStringLiteral("&Claim 1 allowance on the calculator"));
        apply->click();
        QCOMPARE(find<QComboBox>(FormId::Main, "cboExemptions")->currentIndex(), 1);
        QCOMPARE(record->DepsNumber, std::int16_t{1});
        QCOMPARE(settings->get("Settings", "Deps", ""), std::string("1"));
        QCOMPARE(find<QTableWidget>(FormId::Main, "dbgDisplay")->item(4, 1)->text(), QStringLiteral("$187.59"));
        QCOMPARE(shell->mdiArea()->activeSubWindow(), shell->subWindow(FormId::Main));

        shell->open(FormId::YearCheck);
        QCOMPARE(sentence(),
                 QStringLiteral("You will get about $623 back. Claiming 1 allowance keeps you closest without owing."));
        QVERIFY(!apply->isEnabled());

        find<QPushButton>(FormId::YearCheck, "cmdW4")->click();
        auto* w4 = qobject_cast<w4::W4ViewWindow*>(shell->form(FormId::W4View));
        QVERIFY(w4);
        QCOMPARE(w4->model().lblW4Line5, std::string("1"));
        QCOMPARE(w4->model().lblW4Line6, std::string());
    }

    // Single, weekly 1,000, 1 allowance, halfway through the year with
    // $3,000 withheld so far: 3,000 + 26 x 187.59 = 7,877.34 against 9,131.50.
    void paidSoFarAndASpouseFeedTheAdvice()
    {
        calculate(1, 1);
        shell->toolCommand(QStringLiteral("ID_YearCheck"));

        auto shown = [&](const char* name) { return find<QWidget>(FormId::YearCheck, name)->isVisibleTo(year()); };
        QVERIFY(!shown("txtSpouseWages"));  // single: no spouse's job
        QVERIFY(!shown("txtWithheldSoFar"));  // nothing paid yet
        // Typed as a user would: 52 is kept and refused, none left to come.
        auto* paid = type("txtPaid", "52");
        QCOMPARE(paid->text(), QStringLiteral("52"));
        QCOMPARE(find<QLabel>(FormId::YearCheck, "lblMessage")->text(),
                 QStringLiteral("The Paychecks paid \"52\" is outside its range: enter a whole number from 0 to 51."));
        type("txtPaid", "26");
        QVERIFY(shown("txtWagesSoFar") && shown("txtWithheldSoFar") && shown("txtSocialSecuritySoFar"));
        QVERIFY(!shown("txtStateSoFar"));  // no state chosen
        auto* withheld = find<QLineEdit>(FormId::YearCheck, "txtWithheldSoFar");
        QCOMPARE(withheld->placeholderText(), QStringLiteral("4,877.34"));  // 26 x 187.59
        QCOMPARE(find<QLineEdit>(FormId::YearCheck, "txtWagesSoFar")->placeholderText(), QStringLiteral("26,000.00"));
        QTest::keyClicks(withheld, QStringLiteral("3000"));
        QTest::keyClick(withheld, Qt::Key_Return);
        QCOMPARE(sentence(), QStringLiteral("You will owe about $1,254. Claim 0 allowances and have $34 more withheld "
                                            "from each of the 26 paychecks left to avoid owing."));
        const QString rows = tableText(find<QTableWidget>(FormId::YearCheck, "tblYear"));
        QVERIFY2(rows.contains(QStringLiteral("Paychecks left|26;")), qPrintable(rows));
        QVERIFY(rows.contains(QStringLiteral("Effective rate (income tax / AGI)|17.56 %;")));
        QVERIFY(rows.contains(QStringLiteral("Marginal rate (rate schedule)|28.00 %;")));

        auto* apply = find<QPushButton>(FormId::YearCheck, "cmdApply");
        QCOMPARE(apply->text(), QStringLiteral("&Claim 0 allowances on the calculator"));
        apply->click();
        QCOMPARE(record->DepsNumber, std::int16_t{0});
        QCOMPARE(settings->get("Settings", "Deps", ""), std::string("0"));
        // Back on the Year Check, the entries so far are kept: 3,000 + 26 x
        // 202.67 = 8,269.42 still leaves 862.08.
        shell->open(FormId::YearCheck);
        QCOMPARE(paid->text(), QStringLiteral("26"));
        QCOMPARE(sentence(), QStringLiteral("You will owe about $862. Claim 0 allowances and have $34 more withheld "
                                            "from each of the 26 paychecks left to avoid owing."));
        find<QPushButton>(FormId::YearCheck, "cmdW4")->click();
        auto* w4 = qobject_cast<w4::W4ViewWindow*>(shell->form(FormId::W4View));
        QVERIFY(w4);
        QCOMPARE(w4->model().lblW4Line5, std::string("0"));
        QCOMPARE(w4->model().lblW4Line6, std::string("$34.00"));

        // A joint return shows the spouse's job; the children count as exemptions.
        shell->open(FormId::YearCheck);
        auto* filing = find<QComboBox>(FormId::YearCheck, "cboFiling");
        filing->setCurrentIndex(1);
        emit filing->activated(1);
        QVERIFY(shown("txtSpouseWages") && shown("txtSpouseWithheld"));
        type("txtChildren", "2");
        QCOMPARE(find<QLineEdit>(FormId::YearCheck, "txtReturnExemptions")->text(), QStringLiteral("4"));
        // 52,000 + 40,000 jointly, 4 exemptions, 2 children: 11,237.50 - 1,000 credit.
        auto* spouse = find<QLineEdit>(FormId::YearCheck, "txtSpouseWages");
        spouse->selectAll();
        QTest::keyClicks(spouse, QStringLiteral("40000"));
        QTest::keyClick(spouse, Qt::Key_Return);
        auto* spouseWithheld = find<QLineEdit>(FormId::YearCheck, "txtSpouseWithheld");
        spouseWithheld->selectAll();
        QTest::keyClicks(spouseWithheld, QStringLiteral("4000"));
        QTest::keyClick(spouseWithheld, Qt::Key_Return);
        // What no paychecks could have withheld is refused, and nothing shown for it.
        auto* ss = find<QLineEdit>(FormId::YearCheck, "txtSocialSecuritySoFar");
        QTest::keyClicks(ss, QStringLiteral("5000"));
        QTest::keyClick(ss, Qt::Key_Return);
        QCOMPARE(find<QLabel>(FormId::YearCheck, "lblMessage")->text(),
                 QStringLiteral("Social Security so far cannot be more than the year's maximum of $4,724.40."));
        QTRY_COMPARE(QApplication::focusWidget(), ss);
        QVERIFY(!apply->isEnabled());
        QCOMPARE(find<QTableWidget>(FormId::YearCheck, "tblYear")->rowCount(), 0);
        ss->clear();
        QTest::keyClick(ss, Qt::Key_Return);
        QVERIFY(find<QLabel>(FormId::YearCheck, "lblMessage")->isHidden());
        QVERIFY(tableText(find<QTableWidget>(FormId::YearCheck, "tblYear"))
                    .contains(QStringLiteral("Adjusted gross income|$92,000.00;")));
        // On paper too.
        const QString pdf = dir->filePath(QStringLiteral("so_far.pdf"));
        QVERIFY(year()->savePdf(pdf));
        if (test::havePdfText()) {
            const std::string text = test::pdfText(pdf.toStdString());
            // "ff" may be one glyph.
            for (const char* row : {"Paychecks left", "Federal income tax withheld so far", "Spouse's wages",
                                    "ective rate (income tax / AGI)", "Marginal rate (rate schedule)",
                                    "26 paychecks left"})
                QVERIFY2(text.find(row) != std::string::npos, row);
        }
        if (const QByteArray snaps = qgetenv("WAGEMARK_SNAPSHOTS"); !snaps.isEmpty()) {
            QCoreApplication::processEvents();  // the layouts settle
            shell->grab().save(QString::fromLocal8Bit(snaps) + QStringLiteral("/year_check_so_far.png"));
        }
    }

    // While an entry is refused nothing of the year is offered: the five
    // commands are off, the table and sentence empty, the focus stays.
    void aRefusedEntryTakesTheCommandsAway()
    {
        calculate(1, 3);
        shell->toolCommand(QStringLiteral("ID_YearCheck"));
        const char* commands[] = {"cmdApply", "cmdW4", "cmdPreview", "cmdSavePdf", "cmdPrint"};
        auto enabled = [&] {
            QString on;
            for (const char* c : commands) on += find<QPushButton>(FormId::YearCheck, c)->isEnabled() ? "1" : "0";
            return on;
        };
        QCOMPARE(enabled(), QStringLiteral("11111"));
        type("txtPaid", "5");
        auto* wages = find<QLineEdit>(FormId::YearCheck, "txtWagesSoFar");
        wages->setFocus();
        QTest::keyClicks(wages, QStringLiteral("abc"));
        QTest::keyClick(wages, Qt::Key_Tab);
        QCOMPARE(enabled(), QStringLiteral("00000"));
        QCOMPARE(find<QTableWidget>(FormId::YearCheck, "tblYear")->rowCount(), 0);
        QCOMPARE(sentence(), QString());
        QVERIFY(find<QLabel>(FormId::YearCheck, "lblMessage")->text().startsWith(QStringLiteral("Wages so far \"abc\"")));
        QTRY_COMPARE(QApplication::focusWidget(), wages);
        wages->clear();
        QTest::keyClick(wages, Qt::Key_Return);
        QCOMPARE(enabled(), QStringLiteral("11111"));
    }

    // The return follows the calculator's status each time it changes; the
    // exemptions the user typed hold while it does not.
    void theFilingStatusFollowsTheCalculator()
    {
        calculate(1, 0);
        shell->toolCommand(QStringLiteral("ID_YearCheck"));
        auto* filing = find<QComboBox>(FormId::YearCheck, "cboFiling");
        auto* exemptions = find<QLineEdit>(FormId::YearCheck, "txtReturnExemptions");
        QCOMPARE(filing->currentText(), QStringLiteral("Single"));
        calculate(0, 0);
        shell->open(FormId::YearCheck);
        QCOMPARE(filing->currentText(), QStringLiteral("Married filing jointly"));
        QCOMPARE(exemptions->text(), QStringLiteral("2"));
        type("txtReturnExemptions", "3");
        calculate(0, 1);
        shell->open(FormId::YearCheck);
        QCOMPARE(exemptions->text(), QStringLiteral("3"));
        calculate(1, 1);
        shell->open(FormId::YearCheck);
        QCOMPARE(filing->currentText(), QStringLiteral("Single"));
        QCOMPARE(exemptions->text(), QStringLiteral("1"));
    }

    void previewIsAWindowOfItsOwnThatEscCloses()
    {
        QTest::keyClicks(find<QLineEdit>(FormId::Main, "txtIncome"), QStringLiteral("900"));
        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_0"), Qt::LeftButton);
        shell->toolCommand(QStringLiteral("ID_YearCheck"));
        QTest::mouseClick(find<QPushButton>(FormId::YearCheck, "cmdPreview"), Qt::LeftButton);
        QPointer<QWidget> preview = year()->findChild<QWidget*>(QStringLiteral("frmYearCheckPreview"));
        QVERIFY(preview && preview->isWindow() && preview->isVisible());
        QCOMPARE(preview->windowTitle(), QStringLiteral("Year Check"));
        QCOMPARE(windows->frmLoaded, std::string("18"));
        preview->activateWindow();
        QTRY_VERIFY(preview->isActiveWindow());
        auto* slider = preview->findChild<QWidget*>("scrPrint");
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Escape);
        QTRY_VERIFY(!preview);
        QVERIFY(year());
    }

    void savesAPdfAndSaysSoOnlyWhenWritten()
    {
        auto* income = find<QLineEdit>(FormId::Main, "txtIncome");
        income->selectAll();
        QTest::keyClicks(income, QStringLiteral("2000"));
        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_0"), Qt::LeftButton);
        shell->toolCommand(QStringLiteral("ID_YearCheck"));
        auto* status = find<QLabel>(FormId::YearCheck, "lblStatus");

        const QString path = dir->filePath(QStringLiteral("year.pdf"));
        settings->save("User", "UName", "Pat Q. Doe");
        QVERIFY(year()->savePdf(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(5), QByteArray("%PDF-"));
        QVERIFY(status->text().contains(QStringLiteral("year.pdf")));
        // The paper says what it is, for whom, and every bar of the chart.
        if (test::havePdfText()) {
            const std::string text = test::pdfText(path.toStdString());
            QVERIFY2(text.find("Year Check, tax year 2000: Pat Q. Doe") != std::string::npos, text.c_str());
            QVERIFY(text.find("Category") == std::string::npos);
            for (int n = 0; n <= year()->model().chartLast(); ++n) {
                const std::string row = std::to_string(n) + (n == 1 ? " allowance" : " allowances");
                QVERIFY2(text.find("\n " + row) != std::string::npos || text.find("\n  " + row) != std::string::npos,
                         row.c_str());
            }
        }
        if (const QByteArray snaps = qgetenv("WAGEMARK_SNAPSHOTS"); !snaps.isEmpty())
            QFile::copy(path, QString::fromLocal8Bit(snaps) + QStringLiteral("/year_check.pdf"));

        // A missing folder and a full disk: a message naming the file and
        // the reason, nothing said to be saved.
        for (const auto& [bad, reason] : {std::pair{dir->filePath(QStringLiteral("missing/year.pdf")),
                                                    QStringLiteral("does not exist")},
                                          std::pair{QStringLiteral("/dev/full"),
                                                    QStringLiteral("No space left on device")}}) {
            QVERIFY(!year()->savePdf(bad));
            QCOMPARE(status->text(), QString());
            QCOMPARE(reports, 0);
            auto* box = year()->findChild<QMessageBox*>(QStringLiteral("msgPdfFailed"));
            QVERIFY(box);
            QVERIFY2(box->text().contains(bad) && box->text().contains(reason), qPrintable(box->text()));
            delete box;
        }
    }
};

}  // namespace wm

QTEST_MAIN(wm::YearCheckShellTest)
#include "year_check_window_test.moc"
