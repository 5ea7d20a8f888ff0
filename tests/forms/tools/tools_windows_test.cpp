// The worksheet and analysis windows, driven as a user would.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "forms/tools/ui/analysis_window.h"
#include "forms/tools/ui/multi_check_window.h"
#include "support/navigation.h"
#include "support/pdf_text.h"
#include "support/widgets.h"

namespace wm {

namespace {
using test::child;
using test::snapshot;

using test::text;

}  // namespace

class ToolsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void multiCheckTransfersTheMonthlyTotal();
    void multiCheckRejectsLettersInAmounts();
    void multiCheckWithNothingEnteredExplainsAndStaysOpen();
    void multiCheckHighlightsTheHoveredColumn();
    void multiCheckCalculatesOnEnter_data();
    void multiCheckCalculatesOnEnter();
    void analysisShowsTheTenFigures();
    void analysisWithoutHoursShowsTheHint();
    void analysisPrintsTheShownFigures();
};

void ToolsWindowsTest::multiCheckTransfersTheMonthlyTotal()
{
    test::Context c;
    auto& [h, nav, ctx] = c;
    QMdiArea area;
    auto* w = new MultiCheckWindow(ctx);
    QMdiSubWindow* sub = area.addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    area.resize(900, 600);
    area.show();
    QCOMPARE(h.windows.frmLoaded, std::string("8"));

    QTest::keyClicks(child<QLineEdit>(w, "txtCheck1"), "500");
    child<QRadioButton>(w, "optSelectWeek_0")->click();
    QTest::keyClicks(child<QLineEdit>(w, "txtCheck3"), "2,000.00");
    child<QRadioButton>(w, "optSelectMonthly_2")->click();
    QCOMPARE(text(w, "lblCheck1"), QStringLiteral("$2,166.67"));
    QCOMPARE(text(w, "lblCheck3"), QStringLiteral("$2,000.00"));
    QCOMPARE(text(w, "lblCheck2"), QStringLiteral("$0.00"));
    child<QPushButton>(w, "cmdCalc")->click();
    QCOMPARE(text(w, "lblMultiTotal"), QStringLiteral("$4,166.67"));
    snapshot(*w, "multi_check.png");

    QSignalSpy spy(w, &MultiCheckWindow::transferred);
    QPointer<QMdiSubWindow> alive(sub);
    child<QPushButton>(w, "cmdGoBack")->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("4166.67"));
    QCOMPARE(spy.at(0).at(1).toInt(), 3);
    QTRY_VERIFY(alive.isNull());  // the worksheet closed
    QCOMPARE(h.windows.amtMultiChk, 4166.67_usd);
    QCOMPARE(h.windows.frmLoaded, std::string("0"));
    QVERIFY(h.log.reports.empty());
}

void ToolsWindowsTest::multiCheckCalculatesOnEnter_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("Enter in an amount") << "txtCheck2" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter in an amount") << "txtCheck1" << int(Qt::Key_Enter);
    QTest::newRow("Enter on a period") << "optSelectETW_1" << int(Qt::Key_Return);
}

void ToolsWindowsTest::multiCheckCalculatesOnEnter()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    test::Context c;
    QMdiArea area;
    auto* w = new MultiCheckWindow(c.ctx);
    area.addSubWindow(w);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QTest::keyClicks(child<QLineEdit>(w, "txtCheck2"), "1000");
    child<QRadioButton>(w, "optSelectETW_1")->click();
    QCOMPARE(text(w, "lblMultiTotal"), QString());
    QWidget* target = child(w, focus.toLatin1().constData());
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(text(w, "lblMultiTotal"), QStringLiteral("$2,166.67"));
    // Alt letters for both commands.
    QCOMPARE(child<QPushButton>(w, "cmdCalc")->text(), QStringLiteral("&Calculate"));
    QCOMPARE(child<QPushButton>(w, "cmdGoBack")->text(), QStringLiteral("&Use on Calculator"));
}

void ToolsWindowsTest::multiCheckRejectsLettersInAmounts()
{
    test::Context c;
    auto& [h, nav, ctx] = c;
    MultiCheckWindow w(ctx);
    auto* edit = child<QLineEdit>(&w, "txtCheck2");
    // Letters and signs are refused; every digit typed stays, a third decimal too.
    QTest::keyClicks(edit, "1a2b.5c6-7");
    QCOMPARE(edit->text(), QStringLiteral("12.567"));
    child<QRadioButton>(&w, "optSelectTAW_1")->click();
    QCOMPARE(text(&w, "lblCheck2"), QStringLiteral("$25.13"));
}

void ToolsWindowsTest::multiCheckWithNothingEnteredExplainsAndStaysOpen()
{
    test::Context c;
    auto& [h, nav, ctx] = c;
    MultiCheckWindow w(ctx);
    w.show();
    QSignalSpy spy(&w, &MultiCheckWindow::transferred);
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    child<QPushButton>(&w, "cmdGoBack")->click();
    QCOMPARE(spy.count(), 0);
    QCOMPARE(shown, QStringLiteral("Enter the amount of at least one check and select its period."));
    QVERIFY(w.isVisible());
}

void ToolsWindowsTest::multiCheckHighlightsTheHoveredColumn()
{
    test::Context c;
    auto& [h, nav, ctx] = c;
    MultiCheckWindow w(ctx);
    QLabel* heading = nullptr;
    for (QLabel* l : w.findChildren<QLabel*>())
        if (l->text() == QLatin1String("Every 2 Weeks")) heading = l;
    QVERIFY(heading);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(child<QRadioButton>(&w, "optSelectETW_3"), &enter);
    QVERIFY(heading->styleSheet().contains(QLatin1String("#8080ff")));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(child<QRadioButton>(&w, "optSelectETW_3"), &leave);
    QVERIFY(heading->styleSheet().isEmpty());
}

namespace {
void exampleRecord(PayRecord& r)
{
    r.Freq = 52;
    r.SSBase = 1000_usd;
    r.fTax = 100_usd;
    r.sTax = 30_usd;
    r.amtSS = 62_usd;
    r.amtMedicare = 14.5_usd;
    r.amtFICA = 76.5_usd;
    r.amt401k = 50_usd;
    formTotals(r);
}
}  // namespace

void ToolsWindowsTest::analysisShowsTheTenFigures()
{
    test::Context c;
    auto& [h, nav, ctx] = c;
    exampleRecord(h.r);
    h.settings.save("Settings", "Hours", "40");
    AnalysisWindow w(ctx);
    const char* want[] = {"$25.00", "$21.75", "$18.59", "13.00%", "25.65%",
                          "10.53%", "10.00%", "3.00%",  "$52,000.00", "$45,240.00"};
    for (int i = 0; i < 10; ++i)
        QCOMPARE(text(&w, QStringLiteral("lblOne_%1").arg(i).toLatin1().constData()), QString::fromLatin1(want[i]));
    QCOMPARE(text(&w, "lblAnalysis_5"), QStringLiteral("Federal tax as a percentage after 401(k) and Non-tax:"));
    QVERIFY(child<QLabel>(&w, "lblMessage")->isHidden());
    QCOMPARE(h.windows.frmLoaded, std::string("3"));
    w.resize(640, 480);
    w.show();
    snapshot(w, "analysis.png");
}

void ToolsWindowsTest::analysisWithoutHoursShowsTheHint()
{
    test::Context c;
    auto& [h, nav, ctx] = c;
    exampleRecord(h.r);
    AnalysisWindow w(ctx);
    w.show();
    auto* message = child<QLabel>(&w, "lblMessage");
    QVERIFY(message->isVisible());
    QCOMPARE(message->text(), QStringLiteral("Enter the hours worked on the calculator to see hourly figures"));
    QCOMPARE(text(&w, "lblOne_0"), QStringLiteral("-"));
    QCOMPARE(text(&w, "lblOne_2"), QStringLiteral("-"));
    QCOMPARE(text(&w, "lblOne_9"), QStringLiteral("$45,240.00"));  // the year needs no hours
    QCOMPARE(text(&w, "lblOne_3"), QStringLiteral("13.00%"));
    QVERIFY(child<QPushButton>(&w, "cmdPrint")->isEnabled());
    QVERIFY(h.log.reports.empty());
}

void ToolsWindowsTest::analysisPrintsTheShownFigures()
{
    if (!test::havePdfText()) QSKIP("pdftotext is not installed");
    test::Context c;
    auto& [h, nav, ctx] = c;
    exampleRecord(h.r);
    h.settings.save("Settings", "Hours", "40");
    AnalysisWindow w(ctx);
    // A later calculation does not change what the open view prints.
    h.r.SSBase = 2000_usd;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("analysis.pdf"));
    int asked = 0;
    w.choosePrinter = [&](QPrinter& p) {
        ++asked;
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(file);
        return true;
    };
    h.windows.intAction = 1;
    child<QPushButton>(&w, "cmdPrint")->click();
    QCOMPARE(asked, 1);
    QCOMPARE(h.windows.FromForm, std::int16_t{1});
    QCOMPARE(h.windows.frmLoaded, std::string("3"));
    const std::string t = test::pdfText(file.toStdString());
    QVERIFY2(t.find("Hourly Wage Before Taxes:") != std::string::npos, t.c_str());
    QVERIFY2(t.find("$25.00") != std::string::npos, t.c_str());
    QVERIFY2(t.find("Federal tax as a percentage after 401(k) and Non-tax:") != std::string::npos, t.c_str());
    QVERIFY2(t.find("$45,240.00") != std::string::npos, t.c_str());
}

}  // namespace wm

QTEST_MAIN(wm::ToolsWindowsTest)
#include "tools_windows_test.moc"
