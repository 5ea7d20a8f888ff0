// Printing and saving a document the same way in every window: a file is
// written whole or not at all, a failure is one message naming the file and
// the reason, only a run-time error goes to the error report, and nothing
// is said to be done that was not.
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include "support/harness.h"
#include "ui/document_output.h"

namespace wm {
namespace {

// A one-page PDF of a line of text.
QByteArray somePdf()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter w(&buffer);
        QPainter p(&w);
        p.drawText(100, 100, QStringLiteral("Year Check"));
    }
    return bytes;
}

struct Setup {
    test::Harness h;
    QWidget window;
    DocumentOutput out{&window, h.errors, "frmTest"};
    QStringList told;
    bool paints = true;
    bool laysOut = true;
    bool raises = false;

    Setup()
    {
        out.done = [this](const QString& text) { told << text; };
    }
    Printable doc()
    {
        return {QStringLiteral("Year Check"), [](QPrinter&) {},
                [this](QPrinter&) {
                    if (raises) wm::raise(err::kInvalidCall, "No document");
                    return paints;
                },
                [this] {
                    if (raises) wm::raise(err::kInvalidCall, "No document");
                    return laysOut ? somePdf() : QByteArray();
                }};
    }
    // The failure message shown, closed; empty when none is.
    QString message(const char* name)
    {
        auto* box = window.findChild<QMessageBox*>(QLatin1String(name));
        if (!box) return {};
        const QString text = box->text();
        delete box;
        return text;
    }
};

}  // namespace

class DocumentOutputTest : public QObject {
    Q_OBJECT

private slots:
    void savedWholeAndSaidSo()
    {
        Setup s;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("year.pdf"));
        QVERIFY(s.out.savePdf(s.doc(), path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(5), QByteArray("%PDF-"));
        QCOMPARE(s.told, QStringList{QStringLiteral("Year Check saved as %1").arg(path)});
        QVERIFY(s.message(DocumentOutput::kSaveFailed).isEmpty());
        QVERIFY(s.h.log.reports.empty());
    }

    void aFailedSaveNamesTheFileAndTheReasonAndKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString kept = dir.filePath(QStringLiteral("kept.pdf"));
        {
            QFile f(kept);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("the earlier file");
        }
        const struct {
            const char* name;
            QString path;
            bool laysOut;
            const char* reason;
        } rows[] = {
            {"missing folder", dir.filePath(QStringLiteral("missing/year.pdf")), true, "does not exist"},
            {"full disk", QStringLiteral("/dev/full"), true, "No space left on device"},
            {"a folder in its place", dir.path(), true, "A folder of that name"},
            {"not laid out", kept, false, "could not be laid out"},
        };
        for (const auto& row : rows) {
            Setup s;
            s.laysOut = row.laysOut;
            QVERIFY2(!s.out.savePdf(s.doc(), row.path), row.name);
            const QString said = s.message(DocumentOutput::kSaveFailed);
            QVERIFY2(said.contains(QStringLiteral("The Year Check could not be saved as \"%1\"").arg(row.path)),
                     qPrintable(said));
            QVERIFY2(said.contains(QLatin1String(row.reason)), qPrintable(said));
            QVERIFY2(s.told.isEmpty(), row.name);
            QVERIFY2(s.h.log.reports.empty(), row.name);
        }
        QFile f(kept);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("the earlier file"));
    }

    void aRunTimeErrorGoesToTheErrorReportAlone()
    {
        Setup s;
        s.raises = true;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("year.pdf"));
        QVERIFY(!s.out.savePdf(s.doc(), path));
        QVERIFY(!QFile::exists(path));
        s.out.choosePrinter = [](QPrinter&) { return true; };
        QVERIFY(!s.out.print(s.doc()));
        QCOMPARE(s.h.log.reports.size(), std::size_t{2});
        QCOMPARE(s.h.log.reports[0].field("Procedure Name"), std::string("cmdSavePdf_Click"));
        QCOMPARE(s.h.log.reports[1].field("Procedure Name"), std::string("cmdPrint_Click"));
        QCOMPARE(s.h.log.reports[1].field("Module Name"), std::string("frmTest"));
        QVERIFY(s.message(DocumentOutput::kSaveFailed).isEmpty());
        QVERIFY(s.message(DocumentOutput::kPrintFailed).isEmpty());
        QVERIFY(s.told.isEmpty());
    }

    void printingSaysWhatHappened()
    {
        Setup s;
        QString docName;
        s.out.choosePrinter = [&](QPrinter& p) {
            docName = p.docName();
            return false;  // the dialog was cancelled
        };
        QVERIFY(!s.out.print(s.doc()));
        QCOMPARE(docName, QStringLiteral("Year Check"));
        QVERIFY(s.told.isEmpty());
        QVERIFY(s.message(DocumentOutput::kPrintFailed).isEmpty());

        s.out.choosePrinter = [](QPrinter&) { return true; };
        s.paints = false;
        QVERIFY(!s.out.print(s.doc()));
        QCOMPARE(s.message(DocumentOutput::kPrintFailed),
                 QStringLiteral("The Year Check could not be sent to the printer."));
        QVERIFY(s.told.isEmpty());

        s.paints = true;
        QVERIFY(s.out.print(s.doc()));
        QCOMPARE(s.told, QStringList{QStringLiteral("The Year Check was sent to the printer.")});
    }

    void saveAsAddsTheEndingAndACancelSavesNothing()
    {
        Setup s;
        QTemporaryDir dir;
        s.out.choosePdfPath = [] { return QString(); };
        QVERIFY(!s.out.saveAsPdf(s.doc()));
        QVERIFY(s.told.isEmpty());
        QVERIFY(s.message(DocumentOutput::kSaveFailed).isEmpty());
        const QString base = dir.filePath(QStringLiteral("year"));
        s.out.choosePdfPath = [&] { return base; };
        QVERIFY(s.out.saveAsPdf(s.doc()));
        QVERIFY(QFile::exists(base + QStringLiteral(".pdf")));
        QCOMPARE(withPdfEnding(QStringLiteral("a.PDF")), QStringLiteral("a.PDF"));
    }
};

}  // namespace wm

QTEST_MAIN(wm::DocumentOutputTest)
#include "document_output_test.moc"
