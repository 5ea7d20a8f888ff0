// The print window: preview, zoom, print on request, Save as PDF, Close.
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include "core/pass.h"
#include "print/ui/print_window.h"
#include "support/navigation.h"
#include "support/pdf_text.h"
#include "support/widgets.h"

namespace wm {

namespace {
using test::child;
using test::havePdfText;
using test::snapshot;

std::string pdfText(const QString& path) { return test::pdfText(path.toStdString()); }

// A calculated pay period and what the main calculator stored.
struct Setup : test::Context {
    int printed = 0;
    QString printFile;

    Setup()
    {
        h.r.SSBase = 1000_usd;
        h.r.amt401k = 60_usd;
        h.r.fTax = 98.17_usd;
        h.r.sTax = 31.2345_usd;
        h.r.amtSS = 62_usd;
        h.r.amtMedicare = 14.5_usd;
        h.r.amtFICA = 76.5_usd;
        h.r.PreTax = 50_usd;
        h.r.valMarried = 1;
        h.r.HowOft = 2;
        formTotals(h.r);
        h.settings.save("User", "UName", "Pat Doe");
        h.settings.save("Settings", "StateName", "Kansas");
        h.settings.save("Settings", "Self", "-1");
        h.windows.FromForm = 0;
    }
    void hook(PrintWindow& w)
    {
        w.choosePrinter = [this](QPrinter& p) {
            ++printed;
            if (!printFile.isEmpty()) {
                p.setOutputFormat(QPrinter::PdfFormat);
                p.setOutputFileName(printFile);
                return true;
            }
            return false;  // the dialog was cancelled
        };
    }
};
}  // namespace

class PrintWindowTest : public QObject {
    Q_OBJECT

private slots:
    void previewWaitsForThePrintCommand();
    void printRequestPrintsOnceBuilt();
    void zoomFollowsTheSlider();
    void saveAsPdfWritesTheStatement();
    void saveAsPdfToAMissingFolderIsReported();
    void closeOrEscEndsTheWindow_data();
    void closeOrEscEndsTheWindow();
    void broughtForwardItFollowsTheCalculator();
};

void PrintWindowTest::previewWaitsForThePrintCommand()
{
    if (!havePdfText()) QSKIP("pdftotext is not installed");
    Setup s;
    s.h.windows.intAction = 1;
    PrintWindow w(s.ctx);
    s.hook(w);
    QCOMPARE(s.h.windows.frmLoaded, std::string("12"));
    QVERIFY(w.makePrint());
    QCOMPARE(s.printed, 0);
    QVERIFY(w.document().has_value());
    QVERIFY(w.document()->table.rfind("<3000|>2500;Category|Amount;  Gross Pay|$1,000.00;", 0) == 0);
    QCOMPARE(w.windowTitle(), QStringLiteral("Pay Statement"));
    w.resize(760, 900);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // The first view fits the page's width and the slider starts there.
    auto* slider = child<QSlider>(&w, "scrPrint");
    auto* preview = child<QPrintPreviewWidget>(&w, "vsPrinter1");
    QTRY_COMPARE(slider->value(), qRound(preview->zoomFactor() * 100));
    QVERIFY(slider->value() < 100);
    QCOMPARE(child<QLabel>(&w, "lblPercent")->text(), QString::number(slider->value()));
    snapshot(w, "print_preview.png");

    QTemporaryDir dir;
    s.printFile = dir.filePath(QStringLiteral("printed.pdf"));
    child<QPushButton>(&w, "cmdPrintMenu_0")->click();
    QCOMPARE(s.printed, 1);
    QCOMPARE(s.h.windows.intAction, std::int16_t{1});  // answered
    const std::string t = pdfText(s.printFile);
    QVERIFY2(t.find("Prepared for Pat Doe on ") != std::string::npos, t.c_str());
    QVERIFY2(t.find("Self Employed:") != std::string::npos, t.c_str());
}

void PrintWindowTest::printRequestPrintsOnceBuilt()
{
    Setup s;
    s.h.windows.intAction = 2;
    PrintWindow w(s.ctx);
    s.hook(w);
    QVERIFY(w.makePrint());
    QCOMPARE(s.printed, 1);  // cancelled in the dialog: nothing else happens
    QVERIFY(s.h.log.reports.empty());
}

void PrintWindowTest::zoomFollowsTheSlider()
{
    Setup s;
    PrintWindow w(s.ctx);
    auto* slider = child<QSlider>(&w, "scrPrint");
    QCOMPARE(child<QLabel>(&w, "lblPercent")->text(), QStringLiteral("100"));
    slider->setValue(150);
    QCOMPARE(child<QLabel>(&w, "lblPercent")->text(), QStringLiteral("150"));
    QCOMPARE(child<QPrintPreviewWidget>(&w, "vsPrinter1")->zoomFactor(), 1.5);
    QTest::keyClick(slider, Qt::Key_Home);
    QCOMPARE(child<QLabel>(&w, "lblPercent")->text(), QString::number(PrintWindow::kMinZoom));
}

void PrintWindowTest::saveAsPdfWritesTheStatement()
{
    if (!havePdfText()) QSKIP("pdftotext is not installed");
    Setup s;
    s.h.windows.intAction = 1;
    PrintWindow w(s.ctx);
    QVERIFY(w.makePrint());
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("statement"));
    w.choosePdfPath = [&] { return base; };
    child<QPushButton>(&w, "cmdSavePdf")->click();
    const QString file = base + QStringLiteral(".pdf");
    QVERIFY(QFile::exists(file));
    const std::string t = pdfText(file);
    for (const char* piece : {"Gross Pay", "$1,000.00", "Check Amount", "$684.10", "Marital Status:", "Single",
                              "State:", "Kansas", "Pay Frequency:", "Every Two Weeks", "Self Employed:", "Yes"})
        QVERIFY2(t.find(piece) != std::string::npos, piece);
    QVERIFY(s.h.log.reports.empty());
}

void PrintWindowTest::saveAsPdfToAMissingFolderIsReported()
{
    Setup s;
    PrintWindow w(s.ctx);
    QVERIFY(w.makePrint());
    w.choosePdfPath = [] { return QStringLiteral("/no/such/folder/statement.pdf"); };
    child<QPushButton>(&w, "cmdSavePdf")->click();
    // A file that cannot be written is a message naming it and the reason,
    // not a run-time error.
    QVERIFY(s.h.log.reports.empty());
    auto* box = w.findChild<QMessageBox*>(QStringLiteral("msgPdfFailed"));
    QVERIFY(box);
    QVERIFY2(box->text().contains(QStringLiteral("\"/no/such/folder/statement.pdf\"")), qPrintable(box->text()));
    QVERIFY2(box->text().contains(QStringLiteral("does not exist")), qPrintable(box->text()));
    QVERIFY(!QFile::exists(QStringLiteral("/no/such/folder/statement.pdf")));
    box->close();
}

void PrintWindowTest::closeOrEscEndsTheWindow_data()
{
    QTest::addColumn<bool>("byEsc");
    QTest::newRow("Close button") << false;
    QTest::newRow("Esc from the zoom slider") << true;  // as from anywhere in the preview
}

void PrintWindowTest::closeOrEscEndsTheWindow()
{
    QFETCH(bool, byEsc);
    Setup s;
    QMdiArea area;
    auto* w = new PrintWindow(s.ctx);
    QMdiSubWindow* sub = area.addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    area.show();
    QPointer<QMdiSubWindow> alive(sub);
    if (byEsc) {
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        auto* slider = child<QSlider>(w, "scrPrint");
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Escape);
    } else {
        child<QPushButton>(w, "cmdPrintMenu_1")->click();
    }
    QTRY_VERIFY(alive.isNull());
    if (!byEsc) QCOMPARE(s.h.windows.frmLoaded, std::string("0"));
}

void PrintWindowTest::broughtForwardItFollowsTheCalculator()
{
    Setup s;
    s.h.windows.intAction = 1;
    QMdiArea area;
    auto* calculator = area.addSubWindow(new QWidget);
    auto* w = new PrintWindow(s.ctx);
    s.hook(w[0]);
    QMdiSubWindow* sub = area.addSubWindow(w);
    area.show();
    QVERIFY(w->makePrint());
    auto bringForward = [&] {
        area.setActiveSubWindow(calculator);
        area.setActiveSubWindow(sub);
    };

    // Nothing changed: coming forward does nothing.
    bringForward();
    QCOMPARE(s.printed, 0);

    // A new calculation, then Print Preview: the preview follows.
    s.h.r.SSBase = 1200_usd;
    formTotals(s.h.r);
    bringForward();
    QCOMPARE(s.printed, 0);
    QVERIFY(w->document()->table.find("  Gross Pay|$1,200.00;") != std::string::npos);

    // Print from the calculator: printed once, not again on the next visit.
    s.h.windows.intAction = 2;
    bringForward();
    QCOMPARE(s.printed, 1);
    bringForward();
    QCOMPARE(s.printed, 1);

    // Another document was asked for meanwhile (the analysis): left alone.
    s.h.windows.FromForm = 1;
    s.h.r.SSBase = 1300_usd;
    bringForward();
    QVERIFY(w->document()->table.find("  Gross Pay|$1,200.00;") != std::string::npos);
}

}  // namespace wm

QTEST_MAIN(wm::PrintWindowTest)
#include "print_window_test.moc"
