// The pay statement and analysis tables, the page header and the print
// window's order of operations.
#include <gtest/gtest.h>

#include "print/logic/statement_builder.h"
#include "support/harness.h"

namespace wm {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr year_month_day kDay{year{2000}, month{1}, day{3}};

PayRecord statementRecord()
{
    PayRecord r;
    r.SSBase = 1000_usd;
    r.amt401k = 60_usd;
    r.fTax = 98.17_usd;
    r.sTax = 31.2345_usd;
    r.amtLocalTax = 0_usd;
    r.amtSS = 62_usd;
    r.amtMedicare = 14.5_usd;
    r.amtFICA = 76.5_usd;
    r.PreTax = 50_usd;
    r.SSEmp = 25_usd;
    formTotals(r);
    return r;
}

// The rows of a table definition string after its format.
std::vector<std::string> rows(const std::string& s)
{
    std::vector<std::string> out;
    std::size_t start = s.find(';') + 1;
    while (start < s.size()) {
        const std::size_t end = s.find(';', start);
        out.push_back(s.substr(start, end - start + 1));
        start = end + 1;
    }
    return out;
}

TEST(StatementTable, BeginsWithFormatHeaderAndGrossPay)
{
    const std::string s = statementTable(statementRecord(), {});
    EXPECT_EQ(s.rfind("<3000|>2500;Category|Amount;  Gross Pay|$1,000.00;", 0), 0u) << s;
}

TEST(StatementTable, HasTheHeaderAndTwentyFourRowsInOrder)
{
    StatementData d{"Single", "New Mexico", "Every Two Weeks", "Yes", 2};
    const std::vector<std::string> r = rows(statementTable(statementRecord(), d));
    const std::vector<std::string> want = {
        "Category|Amount;",
        "  Gross Pay|$1,000.00;",
        "  401k Deduction|$60.00;",
        "  Federal Tax|$98.17;",
        "  State Tax|$31.23;",
        "  Local Tax|$0.00;",
        "  FICA|$76.50;",
        "|;",
        "Total of Deductions|$315.90;",  // 60 + 76.5 + 98.17 + 31.2345 + 0 + 50
        "Check Amount|$684.10;",
        "|;",
        "Included in FICA|;",
        "  Social Security|$62.00;",
        "  Medicare|$14.50;",
        "|;",
        "Protected Amounts|;",
        "  Non-Taxable|$50.00;",
        "  Pre-FICA|$25.00;",
        "|;",
        "Calculations based on:|;",
        "  Marital Status:|Single;",
        "  Exemptions Claimed:|2;",
        "  State:|New Mexico;",
        "  Pay Frequency:|Every Two Weeks;",
        "  Self Employed:|Yes;",
    };
    EXPECT_EQ(r, want);
}

TEST(StatementTable, NegativeCheckAmountShowsInParentheses)
{
    PayRecord r;
    r.SSBase = 1000_usd;
    r.PreTax = 1200_usd;
    formTotals(r);
    const std::vector<std::string> got = rows(statementTable(r, {}));
    EXPECT_EQ(got[9], "Check Amount|($200.00);");
}

TEST(StatementTable, TextCannotBreakTheTable)
{
    StatementData d{"Single", "New;York|x", "Weekly", "No", 0};
    const std::vector<std::string> r = rows(statementTable(statementRecord(), d));
    ASSERT_EQ(r.size(), 25u);
    EXPECT_EQ(r[22], "  State:|New,York,x;");
}

TEST(AnalysisTable, HasTheHeaderAndTwelveRowsOfTheShownFigures)
{
    PayRecord rec;
    rec.Freq = 52;
    rec.SSBase = 1000_usd;
    rec.fTax = 100_usd;
    rec.sTax = 30_usd;
    rec.amtSS = 62_usd;
    rec.amtMedicare = 14.5_usd;
    rec.amtFICA = 76.5_usd;
    rec.amt401k = 50_usd;
    formTotals(rec);
    const std::string s = analysisTable(analyzePay(rec, 40));
    EXPECT_EQ(s.rfind("<6500|>1500;", 0), 0u);
    const std::vector<std::string> want = {
        "Category|Amount;",
        "  Hourly Wage Before Taxes:|$25.00;",
        "  Hourly Wage After Taxes:|$21.75;",
        "  Hourly Wage After Taxes and Deductions:|$18.59;",
        "|;",
        "  Percentage of gross wages paid in taxes:|13.00%;",
        "  Percentage of gross wages that are being withheld:|25.65%;",
        "  Federal tax as a percentage after 401(k) and Non-tax:|10.53%;",
        "  Federal tax as a percentage of gross wages:|10.00%;",
        "  State tax as a percentage of gross wages:|3.00%;",
        "|;",
        "  Annual Wage BEFORE Taxes:|$52,000.00;",
        "  Annual Wage AFTER Taxes:|$45,240.00;",
    };
    EXPECT_EQ(rows(s), want);
}

TEST(AnalysisTable, FiguresWithoutHoursPrintEmpty)
{
    PayRecord rec;
    rec.SSBase = 1000_usd;
    rec.fTax = 100_usd;
    const std::vector<std::string> r = rows(analysisTable(analyzePay(rec, 0)));
    EXPECT_EQ(r[1], "  Hourly Wage Before Taxes:|;");
    EXPECT_EQ(r[8], "  Federal tax as a percentage of gross wages:|10.00%;");
    EXPECT_EQ(r[12], "  Annual Wage AFTER Taxes:|;");
}

struct DateCase {
    const char* name;
    year_month_day date;
    const char* text;
};

class LongDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(LongDate, NamesWeekdayAndMonthWithTwoDigitDay)
{
    EXPECT_EQ(longDate(GetParam().date), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, LongDate,
    ::testing::Values(DateCase{"SingleDigitDay", kDay, "Monday, January 03, 2000"},
                      DateCase{"LeapDay", {year{2000}, month{2}, day{29}}, "Tuesday, February 29, 2000"},
                      DateCase{"YearEnd", {year{1999}, month{12}, day{31}}, "Friday, December 31, 1999"},
                      DateCase{"Sunday", {year{2024}, month{9}, day{15}}, "Sunday, September 15, 2024"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PageHeader, NamesTheUserAndTheDate)
{
    EXPECT_EQ(pageHeader("Pat Doe", kDay), " Prepared for Pat Doe on Monday, January 03, 2000");
    // A name saved with characters that would lay the header out instead.
    EXPECT_EQ(pageHeader("Pat\nDoe", kDay), " Prepared for PatDoe on Monday, January 03, 2000");
    EXPECT_EQ(pageHeader("\u202Eevil.exe", kDay), " Prepared for evil.exe on Monday, January 03, 2000");
}

TEST(ParseTableDefinition, TakesTheStatementApart)
{
    const TableDefinition t = parseTableDefinition(statementTable(statementRecord(), {}));
    ASSERT_EQ(t.columns.size(), 2u);
    EXPECT_EQ(t.columns[0].twips, 3000);
    EXPECT_FALSE(t.columns[0].right);
    EXPECT_EQ(t.columns[1].twips, 2500);
    EXPECT_TRUE(t.columns[1].right);
    ASSERT_EQ(t.rows.size(), 25u);
    EXPECT_EQ(t.rows[0], (std::vector<std::string>{"Category", "Amount"}));
    EXPECT_EQ(t.rows[1], (std::vector<std::string>{"  Gross Pay", "$1,000.00"}));
    EXPECT_EQ(t.rows[7], (std::vector<std::string>{"", ""}));
    EXPECT_EQ(t.rows[11], (std::vector<std::string>{"Included in FICA", ""}));
}

TEST(ParseTableDefinition, ShortRowsArePaddedAndBadFormatsGiveNoColumns)
{
    EXPECT_EQ(parseTableDefinition("<100|>200|<300;a;").rows[0], (std::vector<std::string>{"a", "", ""}));
    EXPECT_EQ(parseTableDefinition("<100;a|b;").rows[0], (std::vector<std::string>{"a"}));
    for (const char* bad : {"", "100|>200;a|b;", "<|>200;", "<10x;", "<0;"}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(parseTableDefinition(bad).columns.empty());
    }
}

// Body rows as a picture: "x" a row, "." an empty row (a section break).
TEST(PageStarts, SectionsGoOverWholeAndNoPageTakesAFewRows)
{
    struct Row {
        const char* name;
        const char* body;
        std::size_t firstRows, rows;
        std::vector<std::size_t> starts;
    };
    const Row rows[] = {
        {"header only", "", 5, 5, {}},
        {"fits on one page", "xxxx", 10, 10, {1}},
        {"one long section, the last page takes three", "xxxxxxxxxx", 4, 4, {1, 5, 8}},
        {"no page of one row", "xxxxxxxx", 7, 7, {1, 6}},
        {"the cut section starts the next page", "xxxxx.xxxx", 7, 7, {1, 7}},
        {"a section longer than a page is cut", "xx.xxxxxxxx", 6, 6, {1, 7}},
        {"an empty row does not start a page", "xxxx.xxx", 4, 4, {1, 6}},
        {"the Year Check: the allowances over whole", "xxxxxxxxxxxxxxxxxxxx.xx.xxxxxxxxxxxx", 30, 45, {1, 25}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TableDefinition t;
        t.columns = {{3000, false}, {2500, true}};
        t.rows.push_back({"Heading", "Amount"});
        for (const char* c = row.body; *c; ++c)
            t.rows.push_back(*c == 'x' ? std::vector<std::string>{"Row", "$1.00"} : std::vector<std::string>{"", ""});
        EXPECT_EQ(pageStarts(t, row.firstRows, row.rows), row.starts);
    }
}

struct PrintWindow : ::testing::Test {
    test::Harness h;
    // What the window asks of the model.
    struct {
        std::int16_t FromForm = 0, intAction = 0, intHours = 0;
    } state;
    std::optional<PrintModel> m;
    PrintWindow()
    {
        h.r = statementRecord();
        m.emplace(h.r, PrintRequest{state.FromForm, state.intAction, state.intHours}, h.settings, h.errors);
        m->today = [] { return kDay; };
    }
    std::vector<std::string> built()
    {
        auto b = m->subMakePrint();
        return b ? rows(b->document.table) : std::vector<std::string>{};
    }
};

TEST_F(PrintWindow, StatementSettingsRows)
{
    h.r.valMarried = 1;
    h.r.HowOft = 2;
    h.settings.save("Settings", "Self", "-1");
    h.settings.save("Settings", "Deps", "3");
    h.settings.save("Settings", "StateName", "Kansas");
    const std::vector<std::string> r = built();
    ASSERT_EQ(r.size(), 25u);
    EXPECT_EQ(r[20], "  Marital Status:|Single;");
    EXPECT_EQ(r[21], "  Exemptions Claimed:|3;");
    EXPECT_EQ(r[22], "  State:|Kansas;");
    EXPECT_EQ(r[23], "  Pay Frequency:|Every Two Weeks;");
    EXPECT_EQ(r[24], "  Self Employed:|Yes;");
    EXPECT_EQ(h.r.DepsNumber, 3);
}

TEST_F(PrintWindow, StateNameAsTheListSpellsItNow)
{
    struct Row {
        const char* stored;
        const char* shown;
    };
    for (const Row row : {Row{"Massachusettes", "Massachusetts"}, Row{"massachusetts", "Massachusetts"},
                          Row{"Dist of Columbia", "Dist of Columbia"}, Row{"Atlantis", "Atlantis"}}) {
        SCOPED_TRACE(row.stored);
        h.settings.save("Settings", "StateName", row.stored);
        EXPECT_EQ(built().at(22), std::string("  State:|") + row.shown + ";");
    }
}

TEST_F(PrintWindow, OnlyMinusOneIsSelfEmployed)
{
    struct Row {
        const char* stored;
        const char* shown;
    };
    for (const Row row : {Row{"-1", "Yes"}, Row{"1", "No"}, Row{"0", "No"}, Row{"-2", "No"}}) {
        SCOPED_TRACE(row.stored);
        h.settings.save("Settings", "Self", row.stored);
        EXPECT_EQ(built().at(24), std::string("  Self Employed:|") + row.shown + ";");
    }
}

TEST_F(PrintWindow, FrequenciesAndStatuses)
{
    const char* freq[] = {"Weekly", "Twice A Month", "Every Two Weeks", "Monthly"};
    for (std::int16_t f = 0; f < 4; ++f) {
        h.r.HowOft = f;
        EXPECT_EQ(built().at(23), std::string("  Pay Frequency:|") + freq[f] + ";");
    }
    h.r.valMarried = 0;
    EXPECT_EQ(built().at(20), "  Marital Status:|Married;");
    h.r.valMarried = 2;
    EXPECT_EQ(built().at(20), "  Marital Status:|Married, but withhold at higher single rate;");
}

TEST_F(PrintWindow, DefaultsWhenNothingIsStored)
{
    h.r.intState = 27;
    auto b = m->subMakePrint();
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(b->document.header, " Prepared for - on Monday, January 03, 2000");
    EXPECT_EQ(b->document.fontPoints, 12);
    EXPECT_FALSE(b->document.italic);
    EXPECT_FALSE(b->document.border);
    const std::vector<std::string> r = rows(b->document.table);
    EXPECT_EQ(r[21], "  Exemptions Claimed:|0;");
    // No state name stored yet: the name of the state the calculation used.
    EXPECT_EQ(r[22], "  State:|New Mexico;");
    EXPECT_EQ(r[24], "  Self Employed:|No;");
}

TEST_F(PrintWindow, StoredNameHeadsThePage)
{
    h.settings.save("User", "UName", "Pat Doe");
    EXPECT_EQ(m->subMakePrint()->document.header, " Prepared for Pat Doe on Monday, January 03, 2000");
}

TEST_F(PrintWindow, PreviewDoesNotPrintUntilThePrintCommand)
{
    state.FromForm = 0;
    state.intAction = 1;
    auto preview = m->subMakePrint();
    ASSERT_TRUE(preview.has_value());
    EXPECT_FALSE(preview->print);
    auto printed = m->printCommand();
    ASSERT_TRUE(printed.has_value());
    EXPECT_TRUE(printed->print);
    EXPECT_EQ(state.intAction, 2);
    EXPECT_EQ(printed->document.table, preview->document.table);
}

TEST_F(PrintWindow, PrintRequestPrintsAtOnce)
{
    state.intAction = 2;
    EXPECT_TRUE(m->subMakePrint()->print);
}

TEST_F(PrintWindow, AnalysisIsAlwaysPrintedWithTheShownFigures)
{
    state.FromForm = 1;
    state.intAction = 1;
    PayRecord shown;
    shown.SSBase = 1000_usd;
    m->setAnalysis(analyzePay(shown, 37));
    auto b = m->subMakePrint();
    ASSERT_TRUE(b.has_value());
    EXPECT_TRUE(b->print);
    EXPECT_EQ(b->document.table.rfind("<6500|>1500;Category|Amount;  Hourly Wage Before Taxes:|$27.03;", 0), 0u);
}

TEST_F(PrintWindow, AnalysisWithoutAViewUsesTheStoredHours)
{
    state.FromForm = 1;
    h.settings.save("Settings", "Hours", "40");
    const std::vector<std::string> r = built();
    ASSERT_EQ(r.size(), 13u);
    EXPECT_EQ(r[1], "  Hourly Wage Before Taxes:|$25.00;");
}

TEST_F(PrintWindow, UnreadableDepsGoToTheErrorReport)
{
    h.settings.save("Settings", "Deps", "two");
    h.r.DepsNumber = 1;
    h.log.answers = {static_cast<int>(Action::Continue)};
    const std::vector<std::string> r = built();
    ASSERT_EQ(h.log.reports.size(), 1u);
    EXPECT_EQ(h.log.reports[0].field("Module Name"), "frmPrint");
    EXPECT_EQ(h.log.reports[0].field("Procedure Name"), "GetPrintData");
    EXPECT_EQ(h.log.reports[0].field("Line Number"), "102");
    // Continued: the statement shows the exemptions the record holds.
    EXPECT_EQ(r.at(21), "  Exemptions Claimed:|1;");
}

TEST_F(PrintWindow, RaisedErrorBuildsNothing)
{
    h.settings.save("Settings", "Self", "yes");
    EXPECT_FALSE(m->subMakePrint().has_value());
    ASSERT_EQ(h.log.reports.size(), 1u);
    EXPECT_EQ(h.log.reports[0].field("Procedure Name"), "GetPrintData");
    const VarList& vars = h.log.reports[0].variables[2];
    ASSERT_GE(vars.size(), 14u);
    EXPECT_EQ(vars[0], "s");
    EXPECT_EQ(vars[12], "SE");
}

}  // namespace
}  // namespace wm
