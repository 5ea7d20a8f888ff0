// The worksheet, the analysis and the print window opened from the main
// window next to the real calculator, with a temporary settings folder.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "forms/tools/ui/analysis_window.h"
#include "forms/tools/ui/multi_check_window.h"
#include "print/ui/print_window.h"
#include "support/shell_fixture.h"

namespace wm {

using test::onModal;
using test::snapshot;

class ToolsShellTest : public QObject, test::ShellFixture {
    Q_OBJECT

    void calculate(const QString& income)
    {
        type(FormId::Main, "txtIncome", income);
        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_0"), Qt::LeftButton);
    }
    QString grossOnTheGrid() const
    {
        auto* grid = find<QTableWidget>(FormId::Main, "dbgDisplay");
        return grid->item(0, 1) ? grid->item(0, 1)->text() : QString();
    }
    const PrintWindow* printWindow() const { return qobject_cast<PrintWindow*>(shell->form(FormId::Print)); }

private slots:
    void initTestCase() { registerAllForms(forms); }
    void init() { startCalculator(); }
    void cleanup() { stopClean(); }

    void worksheetTotalBecomesMonthlyIncome()
    {
        find<QListWidget>(FormId::Main, "lstFrequency")->setCurrentRow(0);
        shell->toolCommand(QStringLiteral("ID_Multiple"));
        QVERIFY(qobject_cast<MultiCheckWindow*>(shell->form(FormId::MultiCheck)));
        QCOMPARE(windows->frmLoaded, std::string("8"));
        type(FormId::MultiCheck, "txtCheck1", QStringLiteral("500"));
        find<QRadioButton>(FormId::MultiCheck, "optSelectWeek_0")->click();
        type(FormId::MultiCheck, "txtCheck3", QStringLiteral("2000"));
        find<QRadioButton>(FormId::MultiCheck, "optSelectMonthly_2")->click();
        find<QPushButton>(FormId::MultiCheck, "cmdCalc")->click();
        snapshot(*shell, "shell_multi_check.png");
        find<QPushButton>(FormId::MultiCheck, "cmdGoBack")->click();

        QTRY_VERIFY(!shell->form(FormId::MultiCheck));
        QCOMPARE(find<QListWidget>(FormId::Main, "lstFrequency")->currentRow(), 3);
        QCOMPARE(settings->get("Settings", "Frequency", ""), std::string("3"));
        QVERIFY2(find<QLineEdit>(FormId::Main, "txtIncome")->text().contains(QLatin1String("4,166.67")),
                 qPrintable(find<QLineEdit>(FormId::Main, "txtIncome")->text()));
        QMdiSubWindow* mainSub = shell->subWindow(FormId::Main);
        QCOMPARE(shell->mdiArea()->activeSubWindow(), mainSub);

        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_0"), Qt::LeftButton);
        QCOMPARE(grossOnTheGrid(), QStringLiteral("$4,166.67"));
        QCOMPARE(record->Freq, std::int16_t{12});
    }

    void previewAnalysisAndPrintFollowTheCalculator()
    {
        find<QListWidget>(FormId::Main, "lstFrequency")->setCurrentRow(0);
        type(FormId::Main, "txtHours", QString());
        calculate(QStringLiteral("1000"));
        QCOMPARE(grossOnTheGrid(), QStringLiteral("$1,000.00"));

        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_1"), Qt::LeftButton);
        QVERIFY(printWindow());
        QTRY_VERIFY(printWindow()->document().has_value());
        QVERIFY(printWindow()->document()->table.find("  Gross Pay|$1,000.00;") != std::string::npos);
        QVERIFY(printWindow()->document()->table.find("  Pay Frequency:|Weekly;") != std::string::npos);
        QTRY_VERIFY(printWindow()->isVisible());
        snapshot(*shell, "shell_print.png");

        shell->toolCommand(QStringLiteral("ID_AnalyzePay"));
        QVERIFY(qobject_cast<AnalysisWindow*>(shell->form(FormId::Analysis)));
        QCOMPARE(find<QLabel>(FormId::Analysis, "lblOne_0")->text(), QStringLiteral("$25.00"));
        QCOMPARE(find<QLabel>(FormId::Analysis, "lblOne_8")->text(), QStringLiteral("$52,000.00"));
        snapshot(*shell, "shell_analysis.png");

        // A new calculation and Print Preview again: the open preview follows.
        shell->open(FormId::Main);
        calculate(QStringLiteral("1200"));
        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_1"), Qt::LeftButton);
        QCOMPARE(shell->mdiArea()->activeSubWindow(), shell->subWindow(FormId::Print));
        QVERIFY(printWindow()->document()->table.find("  Gross Pay|$1,200.00;") != std::string::npos);

        // Print from the calculator: the print dialog opens; cancelled, the
        // preview stays.
        shell->open(FormId::Main);
        QString dialogTitle;
        onModal([&](QWidget* w) {
            dialogTitle = w->windowTitle();
            if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
        });
        QTest::mouseClick(find<QToolButton>(FormId::Main, "cmdToolBar_2"), Qt::LeftButton);
        QTRY_VERIFY(!dialogTitle.isEmpty());
        QCOMPARE(dialogTitle, QStringLiteral("Print Pay Statement"));
        QVERIFY(printWindow());
        QCOMPARE(windows->intAction, std::int16_t{1});
    }
};

}  // namespace wm

QTEST_MAIN(wm::ToolsShellTest)
#include "tools_shell_test.moc"
