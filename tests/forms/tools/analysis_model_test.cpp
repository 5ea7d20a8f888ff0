// Pay analysis: the ten figures, their rounding order, missing hours, and
// the same year as the Year Check.
#include <gtest/gtest.h>

#include "core/year_check.h"
#include "forms/tools/logic/analysis_model.h"
#include "support/harness.h"
#include "support/navigation.h"

namespace wm {
namespace {

std::array<std::string, kAnalysisFigureCount> texts(const Analysis& a)
{
    std::array<std::string, kAnalysisFigureCount> t;
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = a.figures[i].text();
    return t;
}

// A weekly period as the pass leaves it, totals included.
PayRecord exampleRecord()
{
    PayRecord r;
    r.HowOft = 0;
    r.Freq = 52;
    r.SSBase = 1000_usd;
    r.fTax = 100_usd;
    r.sTax = 30_usd;
    r.amtSS = 62_usd;
    r.amtMedicare = 14.5_usd;
    r.amtFICA = 76.5_usd;
    r.amt401k = 50_usd;
    formTotals(r);  // Total Ded 256.50, Check Amt 743.50
    return r;
}

TEST(AnalyzePay, AllTenFiguresOfAWeeklyExample)
{
    const Analysis a = analyzePay(exampleRecord(), 40);
    // The withheld share and the hourly pay after deductions count Medicare
    // as the grid's Total Ded does: 256.50 of 1,000 and 743.50 / 40.
    const std::array<std::string, kAnalysisFigureCount> want = {
        "$25.00", "$21.75", "$18.59", "13.00%", "25.65%", "10.53%", "10.00%", "3.00%", "$52,000.00", "$45,240.00"};
    EXPECT_EQ(texts(a), want);
    EXPECT_EQ(a.message, "");
    for (int i = 3; i <= 7; ++i) EXPECT_TRUE(a.figures[static_cast<std::size_t>(i)].percent) << i;
}

// The year is the period's exact pay times its periods, as the Year Check
// projects it from the same pass, for every frequency (no 401(k) or
// pre-tax, so its federal wages are the gross); the rounded hourly wage
// times 2080 would be off by up to $10 a year.
TEST(AnalyzePay, TheYearIsTheYearChecksWages)
{
    for (std::int16_t howOft = 0; howOft <= 3; ++howOft) {
        for (const char* income : {"4759.23", "4533.34", "1234.57", "0.01"}) {
            SCOPED_TRACE(testing::Message() << "frequency " << howOft << ", " << income);
            test::WindowHarness h;
            h.r.HowOft = howOft;
            h.in.txtIncome = income;
            h.in.exemptions = "1";
            ASSERT_TRUE(h.calculate());
            const auto year = checkYear(YearRequest{1, false, defaultReturn(0)},
                                        copyRunner(h.r, h.in, h.settings, h.errors), h.errors);
            ASSERT_TRUE(year);
            EXPECT_EQ(analyzePay(h.r, 40).figures[8].amount, centsRound(year->wages));
        }
    }
}

TEST(AnalyzePay, WithoutHoursTheOtherFiguresStillShow)
{
    for (int hours : {0, -40}) {
        SCOPED_TRACE(hours);
        const Analysis a = analyzePay(exampleRecord(), hours);
        EXPECT_EQ(a.message, kNoHoursMessage);
        for (int i : {0, 1, 2}) EXPECT_FALSE(a.figures[static_cast<std::size_t>(i)].available) << i;
        EXPECT_EQ(a.figures[3].text(), "13.00%");
        EXPECT_EQ(a.figures[7].text(), "3.00%");
        EXPECT_EQ(a.figures[8].text(), "$52,000.00");
    }
}

TEST(AnalyzePay, NoCalculationGivesNoFigures)
{
    PayRecord r;
    const Analysis a = analyzePay(r, 40);
    EXPECT_EQ(a.message, kNoCalculationMessage);
    for (const AnalysisFigure& f : a.figures) EXPECT_EQ(f.text(), "");
}

TEST(AnalyzePay, FederalShareWithNothingLeftAfterDeductionsIsLeftBlank)
{
    PayRecord r = exampleRecord();
    r.PreTax = 950_usd;  // 1,000 - 50 - 950 = 0
    const Analysis a = analyzePay(r, 40);
    EXPECT_FALSE(a.figures[5].available);
    EXPECT_EQ(a.figures[6].text(), "10.00%");
}

TEST(AnalyzePay, LocalTaxCountsAsTax)
{
    PayRecord r = exampleRecord();
    r.amtLocalTax = 10_usd;
    formTotals(r);
    const Analysis a = analyzePay(r, 40);
    EXPECT_EQ(a.figures[1].text(), "$21.50");  // (1,000 - 140) / 40
    EXPECT_EQ(a.figures[2].text(), "$18.34");  // 733.50 / 40
    EXPECT_EQ(a.figures[3].text(), "14.00%");
    EXPECT_EQ(a.figures[4].text(), "26.65%");
    EXPECT_EQ(a.figures[9].text(), "$44,720.00");
}

// The hourly figures divide the amounts the grid shows, in whole cents.
TEST(AnalyzePay, HourlyFiguresDivideTheGridsAmounts)
{
    PayRecord r = exampleRecord();
    r.SSBase = 1000.005_usd;  // shown $1,000.01
    r.fTax = 100.0049_usd;    // shown $100.00
    formTotals(r);            // Check Amt 743.5001, shown $743.50
    const Analysis a = analyzePay(r, 2);
    EXPECT_EQ(a.figures[0].text(), "$500.01");  // not 1,000.005 / 2
    EXPECT_EQ(a.figures[1].text(), "$435.01");  // (1,000.01 - 130.00) / 2
    EXPECT_EQ(a.figures[2].text(), "$371.75");
}

struct ShownCase {
    const char* name;
    double value;
    bool percent;
    std::int64_t units;
};

class ShownUnits : public ::testing::TestWithParam<ShownCase> {};

TEST_P(ShownUnits, RoundsThePlainTextHalfAway)
{
    const ShownCase& c = GetParam();
    EXPECT_EQ(shownUnits(c.value, c.percent), c.units);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ShownUnits,
    ::testing::Values(
        ShownCase{"CentsUp", 27.027027027027, false, 2703},
        // 21.745 is stored a hair below; its 15-digit text is 21.745 and rounds up.
        ShownCase{"DecimalTextHalfUp", 21.745, false, 2175},
        ShownCase{"HalfCentAwayFromZero", 0.125, false, 13},
        ShownCase{"NegativeHalfCentAwayFromZero", -0.125, false, -13},
        ShownCase{"PercentHundredths", 100.0 / 950.0, true, 1053},
        ShownCase{"PercentHalfUp", 0.12345, true, 1235},
        ShownCase{"TinyIsZero", 1e-9, false, 0},
        ShownCase{"Zero", 0.0, true, 0},
        ShownCase{"LargeMoney", 1234567.891, false, 123456789}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShownUnitsRange, BeyondTheMoneyRangeIsOverflow)
{
    EXPECT_THROW(shownUnits(1e18, false), RuntimeError);
    EXPECT_THROW(shownUnits(std::numeric_limits<double>::infinity(), true), RuntimeError);
}

struct View : ::testing::Test {
    test::WindowHarness h;
    View() { h.r = exampleRecord(); }
};

TEST_F(View, LoadReadsTheStoredHours)
{
    h.settings.save("Settings", "Hours", "40");
    AnalysisModel m(h.r, h.windows, h.settings, h.errors);
    m.load();
    EXPECT_EQ(h.windows.frmLoaded, "3");
    EXPECT_EQ(h.windows.intHours, 40);
    EXPECT_EQ(m.analysis().figures[2].text(), "$18.59");
}

TEST_F(View, HoursAreAWholeNumberHalvesToEven)
{
    h.settings.save("Settings", "Hours", "37.5");
    AnalysisModel m(h.r, h.windows, h.settings, h.errors);
    m.load();
    EXPECT_EQ(h.windows.intHours, 38);
}

TEST_F(View, NoStoredOrEmptyHoursShowTheHint)
{
    for (const char* stored : {"", "0"}) {
        SCOPED_TRACE(stored);
        if (*stored) h.settings.save("Settings", "Hours", stored);
        AnalysisModel m(h.r, h.windows, h.settings, h.errors);
        m.load();
        EXPECT_EQ(m.analysis().message, kNoHoursMessage);
        EXPECT_EQ(m.analysis().figures[4].text(), "25.65%");
    }
    EXPECT_TRUE(h.log.reports.empty());
}

TEST_F(View, UnreadableHoursCountAsNoHours)
{
    h.settings.save("Settings", "Hours", "forty");
    h.windows.intHours = 0;
    AnalysisModel m(h.r, h.windows, h.settings, h.errors);
    m.load();
    EXPECT_TRUE(h.log.reports.empty());
    EXPECT_EQ(m.analysis().message, kNoHoursMessage);
    EXPECT_EQ(h.settings.get("Settings", "Hours", "?"), "0");
}

TEST_F(View, PrintAsksForTheAnalysisDocument)
{
    AnalysisModel m(h.r, h.windows, h.settings, h.errors);
    m.print();
    EXPECT_EQ(h.windows.FromForm, 1);
}

TEST_F(View, UnloadResetsTheCurrentFormCode)
{
    {
        AnalysisModel m(h.r, h.windows, h.settings, h.errors);
        m.load();
    }
    EXPECT_EQ(h.windows.frmLoaded, "0");
}

}  // namespace
}  // namespace wm
