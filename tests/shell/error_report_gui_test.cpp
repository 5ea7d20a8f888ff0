// The error report dialog: what it says, its four answers, Abort as the
// default, the log it writes, and the run-time error scheme acting on it.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "record/pay_record.h"
#include "shell/ui/error_report_dialog.h"
#include "support/widgets.h"

namespace wm {
namespace {

ReportData sample()
{
    ReportData d;
    d.description = {"Error Number  ", "13",       "Description   ", "Type mismatch", "Build Number  ", "5",
                     "Module Name   ", "frmMain",  "Procedure Name", "Calculate",     "Line Number   ", "102",
                     "Date and time ", "12/08/2026 07:00:00 PM"};
    d.appTitle = "Wagemark";
    d.variables = {VarList{"Empty"}, VarList{"Empty"}, VarList{"Pic", "3", "varLocalTaxColor", "0"},
                   VarList{"frmLoaded", "6", "DepsNumber", "2"}};
    return d;
}

// Presses a button of the next error report dialog.
void answerWith(const char* button)
{
    test::onModal([button](QWidget* d) { QTest::mouseClick(d->findChild<QPushButton*>(button), Qt::LeftButton); });
}

class ErrorReportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void saysWhatFailedInPlainWords()
    {
        ErrorReportDialog d(sample(), GuiErrorReport::logNote("/tmp/x/errors.log", true, {}));
        const QString text = d.findChild<QLabel*>("lblSummary")->text();
        for (const char* part : {"Type mismatch", "13", "frmMain", "Calculate", "102"})
            QVERIFY2(text.contains(part), part);
        QVERIFY(d.findChild<QLabel*>("lblLog")->text().contains("errors.log"));
    }

    void detailsHoldTheVariablesAndStartHidden()
    {
        ErrorReportDialog d(sample(), {});
        d.show();
        auto* details = d.findChild<QPlainTextEdit*>("txtDetails");
        QVERIFY(!details->isVisible());
        QTest::mouseClick(d.findChild<QToolButton*>("cmdDetails"), Qt::LeftButton);
        QVERIFY(details->isVisible());
        const QString text = details->toPlainText();
        for (const char* part : {"Module Name", "Line Number", "Pic = 3", "frmLoaded = 6", "Parameters: Empty"})
            QVERIFY2(text.contains(part), part);
    }

    void fourAnswers_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("code");
        QTest::newRow("Abort raises") << "cmdAbort" << 3;
        QTest::newRow("Retry runs the statement again") << "cmdRetry" << 4;
        QTest::newRow("Ignore goes on") << "cmdIgnore" << 5;
        QTest::newRow("Close leaves the procedure") << "cmdClose" << 0;
    }
    void fourAnswers()
    {
        QFETCH(QString, button);
        QFETCH(int, code);
        ErrorReportDialog d(sample(), {});
        QTimer::singleShot(0, [&] { QTest::mouseClick(d.findChild<QPushButton*>(button), Qt::LeftButton); });
        d.exec();
        QCOMPARE(d.action(), code);
    }

    void abortIsTheDefault()
    {
        ErrorReportDialog d(sample(), {});
        QVERIFY(d.findChild<QPushButton*>("cmdAbort")->isDefault());
        QTimer::singleShot(0, [&] { QTest::keyClick(&d, Qt::Key_Return); });
        d.exec();
        QCOMPARE(d.action(), 3);
    }

    void everyReportIsAppendedToTheLog()
    {
        const QString log = dir.filePath("sub/errors.log");
        GuiErrorReport first(log);
        first.setErrDescription(sample().description);
        Snapshot s = sample().variables;
        first.setVariables(s);
        answerWith("cmdIgnore");
        QCOMPARE(first.reportError(), 5);
        GuiErrorReport second(log);
        second.setErrDescription(sample().description);
        answerWith("cmdClose");
        QCOMPARE(second.reportError(), 0);
        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QCOMPARE(text.count("Procedure Name: Calculate"), 2);
        QVERIFY(text.contains("Pic = 3"));
    }

    // The dialog says "written to" only when the whole report was.
    void logThatCannotBeWrittenIsSaidWithTheReason_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("why");
        QTest::newRow("full disk") << "/dev/full" << "No space left on device";
        QTest::newRow("folder in its place") << dir.path() << "";
        QTest::newRow("no folder for it") << "" << "no folder";
    }
    void logThatCannotBeWrittenIsSaidWithTheReason()
    {
        QFETCH(QString, log);
        QFETCH(QString, why);
        QString reason;
        QVERIFY(!GuiErrorReport::appendToLog(log, sample(), &reason));
        QVERIFY2(!reason.isEmpty() && reason.contains(why), qPrintable(reason));
        if (log.isEmpty()) return;  // the report's own default is used then
        GuiErrorReport report(log);
        report.setErrDescription(sample().description);
        QString note;
        test::onModal([&note](QWidget* d) {
            note = d->findChild<QLabel*>("lblLog")->text();
            qobject_cast<QDialog*>(d)->reject();
        });
        report.reportError();
        QVERIFY2(note.contains("could not be written to " + log) && note.contains(reason), qPrintable(note));
        QVERIFY(!note.contains("was also written"));
    }

    void schemeRetriesThenSkipsAsTheUserAnswers()
    {
        PayRecord r;
        const QString log = dir.filePath("errors.log");
        ErrorScheme errors(r, [log] { return std::make_unique<GuiErrorReport>(log); });
        int attempts = 0;
        bool after = false;
        answerWith("cmdRetry");
        QTimer::singleShot(200, [] { answerWith("cmdIgnore"); });
        Procedure p(errors, "frmMain", "GetPreTax");
        const bool finished = p.run(
            [&] {
                ++attempts;
                raise(err::kTypeMismatch);
            },
            [&] { after = true; });
        QVERIFY(finished);
        QCOMPARE(attempts, 2);
        QVERIFY(after);
        QCOMPARE(errors.reports, 2);

        answerWith("cmdAbort");
        bool raised = false;
        try {
            Procedure q(errors, "frmMain", "Calculate");
            q.run([] { raise(err::kOverflow); });
        } catch (const RuntimeError& e) {
            raised = e.number() == err::kOverflow;
        }
        QVERIFY(raised);
    }
};

}  // namespace
}  // namespace wm

QTEST_MAIN(wm::ErrorReportTest)
#include "error_report_gui_test.moc"
