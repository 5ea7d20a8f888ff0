// Documents written as PDF hold the rows of their table, in order.
#include <gtest/gtest.h>

#include <memory>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "cli/cli.h"
#include "core/pass.h"
#include "print/render/document_renderer.h"
#include "print/render/statement_pdf.h"
#include "support/pdf_text.h"

namespace wm {
namespace {

// The application a test that lays out text needs (fonts, the screen's
// resolution), offscreen unless a platform is given.
struct RenderingApp {
    int argc = 1;
    char name[5] = "test";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    RenderingApp()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
};

using test::havePdfText;
using test::pdfText;

QByteArray readAll(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        if (l.find_first_not_of(" \f") != std::string::npos) out.push_back(l);
    return out;
}

// Each expected line holds its pieces, and the lines come in this order.
void expectRowsInOrder(const std::vector<std::string>& got, const std::vector<std::vector<std::string>>& want)
{
    std::size_t at = 0;
    for (const auto& pieces : want) {
        SCOPED_TRACE(pieces.front());
        bool found = false;
        for (; at < got.size() && !found; ++at) {
            found = true;
            for (const std::string& p : pieces) found = found && got[at].find(p) != std::string::npos;
        }
        EXPECT_TRUE(found);
    }
}

PayRecord statementRecord()
{
    PayRecord r;
    r.SSBase = 1000_usd;
    r.amt401k = 60_usd;
    r.fTax = 98.17_usd;
    r.sTax = 31.2345_usd;
    r.amtSS = 62_usd;
    r.amtMedicare = 14.5_usd;
    r.amtFICA = 76.5_usd;
    r.PreTax = 50_usd;
    r.SSEmp = 25_usd;
    r.valMarried = 1;
    r.HowOft = 2;
    formTotals(r);
    return r;
}

TEST(StatementPdf, HoldsTheHeaderAndAllTwentyFourRows)
{
    if (!havePdfText()) GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    const std::string path = dir.filePath("statement.pdf").toStdString();
    MemorySettingsStore settings;
    settings.save("User", "UName", "Pat Doe");
    settings.save("Settings", "Deps", "2");
    settings.save("Settings", "StateName", "New Mexico");
    settings.save("Settings", "Self", "-1");
    std::string error;
    ASSERT_TRUE(writeStatementPdf(statementRecord(), settings, path, error)) << error;
    const std::vector<std::string> got = lines(pdfText(path));
    expectRowsInOrder(got, {{"Prepared for Pat Doe on "},
                            {"Category", "Amount"},
                            {"Gross Pay", "$1,000.00"},
                            {"401k Deduction", "$60.00"},
                            {"Federal Tax", "$98.17"},
                            {"State Tax", "$31.23"},
                            {"Local Tax", "$0.00"},
                            {"FICA", "$76.50"},
                            {"Total of Deductions", "$315.90"},
                            {"Check Amount", "$684.10"},
                            {"Included in FICA"},
                            {"Social Security", "$62.00"},
                            {"Medicare", "$14.50"},
                            {"Protected Amounts"},
                            {"Non-Taxable", "$50.00"},
                            {"Pre-FICA", "$25.00"},
                            {"Calculations based on:"},
                            {"Marital Status:", "Single"},
                            {"Exemptions Claimed:", "2"},
                            {"State:", "New Mexico"},
                            {"Pay Frequency:", "Every Two Weeks"},
                            {"Self Employed:", "Yes"}});
    EXPECT_EQ(QCoreApplication::instance(), nullptr) << "the application started for the file is gone";
}

TEST(StatementPdf, MissingFolderIsAClearFailure)
{
    MemorySettingsStore settings;
    std::string error;
    EXPECT_FALSE(writeStatementPdf(statementRecord(), settings, "/no/such/folder/pay.pdf", error));
    EXPECT_NE(error.find("/no/such/folder/pay.pdf"), std::string::npos) << error;
}

TEST(StatementPdf, UnreadableSettingIsAClearFailure)
{
    MemorySettingsStore settings;
    settings.save("Settings", "Deps", "two");
    QTemporaryDir dir;
    std::string error;
    EXPECT_FALSE(writeStatementPdf(statementRecord(), settings, dir.filePath("x.pdf").toStdString(), error));
    EXPECT_NE(error.find("Type mismatch"), std::string::npos) << error;
    EXPECT_NE(error.find("GetPrintData"), std::string::npos) << error;
}

TEST(DocumentPdf, LongTablesContinueOnANewPageUnderTheirHeader)
{
    if (!havePdfText()) GTEST_SKIP() << "pdftotext is not installed";
    const RenderingApp app;
    PrintDocument doc;
    doc.header = " Prepared for - on Monday, January 03, 2000";
    doc.table = "<3000|>2500;Category|Amount;";
    for (int i = 1; i <= 60; ++i) doc.table += "  Row " + std::to_string(i) + "|$" + std::to_string(i) + ".00;";
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(writeDocumentPdf(doc, dir.filePath("long.pdf"), QStringLiteral("Long"), &error))
        << error.toStdString();
    const std::string text = pdfText(dir.filePath("long.pdf").toStdString());
    std::vector<std::string> pages;
    std::istringstream in(text);
    for (std::string page; std::getline(in, page, '\f');)
        if (page.find_first_not_of(" \n") != std::string::npos) pages.push_back(page);
    ASSERT_GE(pages.size(), 2u) << text;
    for (const std::string& page : pages) {
        const std::vector<std::string> got = lines(page);
        expectRowsInOrder(got, {{"Prepared for -"}, {"Category", "Amount"}, {"Row "}});
    }
    // Every row once, in order, across the break.
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= 60; ++i) rows.push_back({"Row " + std::to_string(i) + " ", "$" + std::to_string(i) + ".00"});
    const std::vector<std::string> got = lines(text);
    expectRowsInOrder(got, rows);
}

// Smaller type keeps a table on one page where the document allows it.
// 36 rows take two pages at 11 points and one at 8 in each face the
// renderer may find.
TEST(DocumentPdf, SmallerTypeKeepsATableOnOnePage)
{
    if (!havePdfText()) GTEST_SKIP() << "pdftotext is not installed";
    const RenderingApp app;
    const struct {
        int rows, minPoints;
        bool onePage;
    } cases[] = {{36, 8, true}, {36, 0, false}, {90, 8, false}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + " rows, down to " + std::to_string(c.minPoints));
        PrintDocument doc;
        doc.header = " Prepared for -";
        doc.fontPoints = 11;
        doc.minFontPoints = c.minPoints;
        doc.table = "<3000|>2500;Category|Amount;";
        for (int i = 1; i <= c.rows; ++i) doc.table += "  Row " + std::to_string(i) + "|$" + std::to_string(i) + ".00;";
        ASSERT_TRUE(writeDocumentPdf(doc, dir.filePath("fit.pdf"), QStringLiteral("Fit"), nullptr));
        const std::string text = pdfText(dir.filePath("fit.pdf").toStdString());
        std::size_t pages = 0;
        std::istringstream in(text);
        for (std::string page; std::getline(in, page, '\f');)
            if (page.find_first_not_of(" \n") != std::string::npos) ++pages;
        EXPECT_EQ(pages == 1, c.onePage) << pages << " pages";
        EXPECT_NE(text.find("Row " + std::to_string(c.rows) + " "), std::string::npos);
    }
}

TEST(CliStatement, WritesThePdfBesideTheGrid)
{
    if (!havePdfText()) GTEST_SKIP() << "pdftotext is not installed";
    cli::setStatementWriter(&writeStatementPdf);
    QTemporaryDir dir;
    const std::string path = dir.filePath("cli.pdf").toStdString();
    std::istringstream in;
    std::ostringstream out, err;
    const int status = cli::run({"wagemark-cli", "calc", "--income", "1000", "--frequency", "weekly", "--status",
                                 "single", "--exemptions", "1", "--self-employed", "--state", "Kansas",
                                 "--name", "Pat Doe", "--statement", path},
                                in, out, err);
    ASSERT_EQ(status, 0) << err.str();
    EXPECT_NE(out.str().find("Pay statement written to " + path), std::string::npos);
    const std::vector<std::string> got = lines(pdfText(path));
    expectRowsInOrder(got, {{"Prepared for Pat Doe on "},
                            {"Gross Pay", "$1,000.00"},
                            {"Exemptions Claimed:", "1"},
                            {"State:", "Kansas"},
                            {"Pay Frequency:", "Weekly"},
                            {"Self Employed:", "Yes"}});
}

// A file that cannot be written whole is a failure with its reason, and
// nothing claims it was written.
TEST(CliStatement, UnwritableFileExitsOne)
{
    cli::setStatementWriter(&writeStatementPdf);
    QTemporaryDir dir;
    const struct {
        std::string path, reason;
    } cases[] = {{"/no/such/folder/pay.pdf", "Its folder /no/such/folder does not exist."},
                 {"/dev/full", "No space left on device"},
                 {dir.path().toStdString(), "A folder of that name is in its place."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::istringstream in;
        std::ostringstream out, err;
        const int status = cli::run({"wagemark-cli", "calc", "--income", "1000", "--statement", c.path}, in, out, err);
        EXPECT_EQ(status, 1);
        EXPECT_NE(err.str().find("the pay statement was not written to " + c.path + ": "), std::string::npos)
            << err.str();
        EXPECT_NE(err.str().find(c.reason), std::string::npos) << err.str();
        EXPECT_EQ(out.str().find("written"), std::string::npos) << out.str();
    }
}

// The tool itself when the disk fills up half-way (a file-size limit stands
// in for it): exit 1 with the reason, and the statement that was there is
// still the good one.
TEST(CliStatement, FullDiskKeepsTheStatementThatWasThere)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("pay.pdf").toStdString();
    const std::string errFile = dir.filePath("err.txt").toStdString();
    const std::string outFile = dir.filePath("out.txt").toStdString();
    const std::string cli = WAGEMARK_CLI;
    ASSERT_EQ(std::system(("'" + cli + "' calc --income 1000 --statement '" + path + "' >/dev/null").c_str()), 0);
    const QByteArray good = readAll(path);
    for (int kib : {1, 8}) {  // room for the tool's own output, not for the statement
        SCOPED_TRACE(kib);
        const std::string command = "bash -c \"ulimit -f " + std::to_string(kib) + "; '" + cli +
                                    "' calc --income 2000 --statement '" + path + "'\" >'" + outFile + "' 2>'" +
                                    errFile + "'";
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), 1);
        EXPECT_EQ(readAll(errFile).toStdString(),
                  "wagemark-cli: the pay statement was not written to " + path + ": File too large\n");
        EXPECT_FALSE(readAll(outFile).contains("written"));
        EXPECT_EQ(readAll(path), good);
    }
}

}  // namespace
}  // namespace wm
