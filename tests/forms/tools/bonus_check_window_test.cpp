// The Bonus Check in the main window beside the real calculator: the worked
// example on screen, the flat rate refused, on paper.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include "forms/tools/ui/bonus_check_window.h"
#include "shell/ui/mdi_shell.h"
#include "support/pdf_text.h"
#include "support/shell_fixture.h"

namespace wm {

class BonusCheckShellTest : public QObject, test::ShellFixture {
    Q_OBJECT

    QString cell(int row, int column) const
    {
        return find<QTableWidget>(FormId::BonusCheck, "tblGrid")->item(row, column)->text();
    }
    // Single, weekly, 1 allowance, as the user chooses them; then the bonus window.
    void calculate(const char* income)
    {
        find<QListWidget>(FormId::Main, "lstFrequency")->setCurrentRow(0);
        find<QRadioButton>(FormId::Main, "optStatus_1")->click();
        auto* count = find<QComboBox>(FormId::Main, "cboExemptions");
        count->setCurrentIndex(1);
        emit count->activated(1);
        type(FormId::Main, "txtIncome", QString::fromLatin1(income));
        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_0"), Qt::LeftButton);
        shell->toolCommand(QStringLiteral("ID_BonusCheck"));
    }
    void enter(const char* field, const char* text)
    {
        type(FormId::BonusCheck, field, QString::fromLatin1(text));
        QTest::keyClick(find<QLineEdit>(FormId::BonusCheck, field), Qt::Key_Return);
    }

private slots:
    void initTestCase() { registerAllForms(forms); }
    void init() { startCalculator(); }
    void cleanup() { stopClean(); }

    void theWorkedExampleByEitherMethod()
    {
        calculate("1000");
        QCOMPARE(windows->frmLoaded, std::string("19"));
        enter("txtBonus", "2000");
        // Federal Tax, FICA, Check Amt: the bonus, the regular paycheck, the two.
        QCOMPARE(cell(4, 1) + cell(4, 2) + cell(4, 3), QStringLiteral("$632.08$187.59$819.67"));
        QCOMPARE(cell(7, 1), QStringLiteral("$153.00"));
        QCOMPARE(cell(11, 1) + cell(11, 2), QStringLiteral("$1,214.92$735.91"));
        QVERIFY(find<QTableWidget>(FormId::BonusCheck, "tblExplain")->rowCount() > 5);
        if (const QByteArray snaps = qgetenv("WAGEMARK_SNAPSHOTS"); !snaps.isEmpty())
            shell->grab().save(QString::fromLocal8Bit(snaps) + QStringLiteral("/bonus_check.png"));

        auto* method = find<QComboBox>(FormId::BonusCheck, "cboMethod");
        method->setCurrentIndex(1);
        emit method->activated(1);
        QCOMPARE(cell(4, 1) + cell(11, 1), QStringLiteral("$560.00$1,287.00"));
        const QString pdf = dir->filePath(QStringLiteral("bonus.pdf"));
        QVERIFY(qobject_cast<BonusCheckWindow*>(shell->form(FormId::BonusCheck))->savePdf(pdf));
        if (test::havePdfText()) {
            const std::string text = test::pdfText(pdf.toStdString());
            for (const char* row : {"Bonus Check, tax year 2000", "$1,287.00", "flat 28 %"})
                QVERIFY2(text.find(row) != std::string::npos, row);
        }
    }

    void flatIsRefusedWithoutIncomeTaxOnTheRegularPay()
    {
        calculate("100");
        auto* method = find<QComboBox>(FormId::BonusCheck, "cboMethod");
        method->setCurrentIndex(1);
        emit method->activated(1);
        enter("txtBonus", "2000");
        QVERIFY(find<QLabel>(FormId::BonusCheck, "lblMethod")->text().contains(QString::fromLatin1(kFlatNotAllowed.data())));
        QCOMPARE(cell(4, 1), QStringLiteral("$522.42"));
        enter("txtBonus", "-5");
        QVERIFY(find<QLabel>(FormId::BonusCheck, "lblMessage")->text().contains(QStringLiteral("Bonus Amount")));
    }
};

}  // namespace wm

QTEST_MAIN(wm::BonusCheckShellTest)
#include "bonus_check_window_test.moc"
