// The Year Check in the main window, next to the real calculator and the
// Form W-4 view, with a temporary settings folder.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "forms/tools/year_check_window.h"
#include "forms/w4/w4_view_window.h"
#include "shell/mdi_shell.h"
#include "shell/qt_settings_store.h"
#include "support/shell_fixture.h"
#include "ui/form_registry.h"

namespace wm {

class YearCheckShellTest : public QObject, test::ShellFixture {
    Q_OBJECT

    YearCheckWindow* year() const { return qobject_cast<YearCheckWindow*>(shell->form(FormId::YearCheck)); }
    QString sentence() const { return find<QLabel>(FormId::YearCheck, "lblSentence")->text(); }

private slots:
    void initTestCase() { registerAllForms(forms); }
    void init() { startCalculator(); }
    void cleanup() { stopClean(); }

    void adviceGoesOntoTheCalculatorAndFormW4()
    {
        // Single, weekly 1,000 with 3 allowances: 52 x 157.44 = 8,186.88
        // withheld against a tax of 9,131.50.
        find<QListWidget>(FormId::Main, "lstFrequency")->setCurrentRow(0);
        find<QRadioButton>(FormId::Main, "optStatus_1")->click();
        auto* exemptions = find<QComboBox>(FormId::Main, "cboExemptions");
        exemptions->setCurrentIndex(3);
        emit exemptions->activated(3);  // the user's choice
        auto* income = find<QLineEdit>(FormId::Main, "txtIncome");
        income->selectAll();
        QTest::keyClicks(income, QStringLiteral("1000"));
        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_0"), Qt::LeftButton);

        shell->toolCommand(QStringLiteral("ID_YearCheck"));
        QVERIFY(year());
        QCOMPARE(record->frmLoaded, std::string("18"));
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

    void savesAPdfAndSaysSoOnlyWhenWritten()
    {
        auto* income = find<QLineEdit>(FormId::Main, "txtIncome");
        income->selectAll();
        QTest::keyClicks(income, QStringLiteral("2000"));
        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_0"), Qt::LeftButton);
        shell->toolCommand(QStringLiteral("ID_YearCheck"));
        auto* status = find<QLabel>(FormId::YearCheck, "lblStatus");

        const QString path = dir->filePath(QStringLiteral("year.pdf"));
        QVERIFY(year()->savePdf(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(5), QByteArray("%PDF-"));
        QVERIFY(status->text().contains(QStringLiteral("year.pdf")));
        if (const QByteArray snaps = qgetenv("WAGEMARK_SNAPSHOTS"); !snaps.isEmpty())
            QFile::copy(path, QString::fromLocal8Bit(snaps) + QStringLiteral("/year_check.pdf"));

        // A missing folder and a full disk: reported with the reason, nothing
        // said to be saved.
        for (const auto& [bad, reason] : {std::pair{dir->filePath(QStringLiteral("missing/year.pdf")),
                                                    QStringLiteral("does not exist")},
                                          std::pair{QStringLiteral("/dev/full"),
                                                    QStringLiteral("No space left on device")}}) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("(?s)^error report.*") + reason));
            QVERIFY(!year()->savePdf(bad));
            QCOMPARE(status->text(), QString());
            QCOMPARE(reports, 1);
            reports = 0;
        }
    }
};

}  // namespace wm

QTEST_MAIN(wm::YearCheckShellTest)
#include "year_check_window_test.moc"
