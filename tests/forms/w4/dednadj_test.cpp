// Deductions and Adjustments Worksheet: lines 2 to 10 and the guard.
#include <gtest/gtest.h>

#include "forms/w4/logic/dednadj_model.h"
#include "support/harness.h"
#include "support/navigation.h"

namespace wm::w4 {
namespace {

struct Line3Case {
    const char* name;
    const char* line1;
    int category;
    const char* line2;
    const char* line3;
};

class DednAdjLine3 : public ::testing::TestWithParam<Line3Case> {};

TEST_P(DednAdjLine3, FromLineOneAndTheCategory)
{
    const Line3Case& c = GetParam();
    test::WindowHarness h;
    DednAdjWkSht w(h.windows, h.errors);
    w.txtGetItemized = c.line1;
    ASSERT_FALSE(w.chooseCategory(c.category));
    EXPECT_EQ(w.lblGetPersDed, c.line2);
    EXPECT_EQ(w.lblSubTotal, c.line3);
    EXPECT_EQ(formatCurrency(w.amtSubTotal), c.line3);
}

INSTANTIATE_TEST_SUITE_P(
    Categories, DednAdjLine3,
    ::testing::Values(Line3Case{"SingleBelowItemized", "10,000.00", 2, "$4,400.00", "$5,600.00"},
                      Line3Case{"SingleAboveItemizedGivesZero", "3,000.00", 2, "$4,400.00", "$0.00"},
                      Line3Case{"MarriedJointly", "$9,000", 0, "$7,350.00", "$1,650.00"},
                      Line3Case{"HeadOfHousehold", "6450.01", 1, "$6,450.00", "$0.01"},
                      Line3Case{"MarriedSeparately", "4000", 3, "$3,675.00", "$325.00"},
                      Line3Case{"EmptyLineOneJointly", "", 0, "$7,350.00", "$0.00"},
                      Line3Case{"EmptyLineOneSeparately", "", 3, "$3,675.00", "$0.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DednAdjLine3, ChangingLineOneAloneLeavesLinesTwoAndThree)
{
    test::WindowHarness h;
    DednAdjWkSht w(h.windows, h.errors);
    w.txtGetItemized = "10000";
    w.chooseCategory(2);
    w.txtGetItemized = "20000";
    EXPECT_EQ(w.lblSubTotal, "$5,600.00");
    w.chooseCategory(2);
    EXPECT_EQ(w.lblSubTotal, "$15,600.00");
}

TEST(DednAdjLine3, UnreadableLineOneKeepsTheCategory)
{
    test::WindowHarness h;
    DednAdjWkSht w(h.windows, h.errors);
    w.txtGetItemized = "10000";
    w.chooseCategory(2);
    w.txtGetItemized = "ten thousand";
    const auto refused = w.chooseCategory(0);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->field, "1");
    EXPECT_EQ(w.optDedCategory, 2);
    EXPECT_EQ(w.lblGetPersDed, "$4,400.00");
    EXPECT_EQ(w.lblSubTotal, "$5,600.00");
}

struct CalcCase {
    const char* name;
    const char* line1;  // with category 2 (single, $4,400)
    const char* line4;
    const char* credits;
    const char* line6;
    std::int16_t deps;
    const char* line5;
    const char* line7;
    const char* line8;
    std::int16_t line10;
};

class DednAdjCalculate : public ::testing::TestWithParam<CalcCase> {};

TEST_P(DednAdjCalculate, LinesFiveToTen)
{
    const CalcCase& c = GetParam();
    test::WindowHarness h;
    h.windows.PersWkShtDeps = c.deps;
    DednAdjWkSht w(h.windows, h.errors);
    w.txtGetItemized = c.line1;
    w.chooseCategory(2);
    w.nextPage();
    w.txtAdjustments = c.line4;
    w.txtP919Wkst7 = c.credits;
    w.txtNonWage = c.line6;
    const auto out = w.calculate();
    ASSERT_FALSE(out.refusal);
    EXPECT_TRUE(out.ran);
    EXPECT_EQ(w.lblTotal5, c.line5);
    EXPECT_EQ(w.lblTotal7, c.line7);
    EXPECT_EQ(w.lblDivide, c.line8);
    EXPECT_EQ(w.lblTotal10, std::to_string(c.line10));
    EXPECT_EQ(h.windows.PersWkShtDeps, c.line10);
    EXPECT_EQ(w.lblPersWrkShtDeps, std::to_string(c.deps));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DednAdjCalculate,
    ::testing::Values(
        CalcCase{"WorkedExample", "10000", "2,000", "", "1,000", 3, "$7,600.00", "$6,600.00", "2", 5},
        CalcCase{"CreditsAddToLineFive", "10000", "2000", "400", "1000", 0, "$8,000.00", "$7,000.00", "2", 2},
        CalcCase{"NonwageAboveLineFiveGivesZero", "10000", "", "", "9,000", 1, "$5,600.00", "$0.00", "0", 1},
        CalcCase{"FractionDropped", "10399.99", "", "", "", 0, "$5,999.99", "$5,999.99", "1", 1},
        CalcCase{"ExactlyOneDivisor", "7400", "", "", "", 0, "$3,000.00", "$3,000.00", "1", 1},
        // Line 7 comes from line 5 as shown, in whole cents.
        CalcCase{"LineFiveRoundsToCentsFirst", "7399.995", "", "", "", 0, "$3,000.00", "$3,000.00", "1", 1},
        CalcCase{"NothingEntered", "", "", "", "", 4, "$0.00", "$0.00", "0", 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DednAdjCalculate, LineSevenKeepsItsNegativeResult)
{
    test::WindowHarness h;
    DednAdjWkSht w(h.windows, h.errors);
    w.txtNonWage = "250";
    w.calculate();
    EXPECT_EQ(w.lblTotal7, "$0.00");
    EXPECT_EQ(w.amtResult, -250_usd);
}

TEST(DednAdjGuard, SecondCalculationBlocksUntilThePageChanges)
{
    test::WindowHarness h;
    h.windows.PersWkShtDeps = 3;
    DednAdjWkSht w(h.windows, h.errors);
    w.txtGetItemized = "10000";
    w.chooseCategory(2);
    w.nextPage();
    w.txtAdjustments = "2000";
    w.txtNonWage = "1000";

    // From 0, two calculations run, each adding line 8 (2) again.
    EXPECT_TRUE(w.calculate().ran);
    EXPECT_EQ(h.windows.PersWkShtDeps, 5);
    EXPECT_TRUE(w.calculate().ran);
    EXPECT_EQ(h.windows.PersWkShtDeps, 7);
    EXPECT_EQ(h.windows.intClick, 2);

    // Blocked: nothing changes, not even after new entries.
    w.txtAdjustments = "9000";
    EXPECT_FALSE(w.calculate().ran);
    EXPECT_EQ(h.windows.PersWkShtDeps, 7);
    EXPECT_EQ(w.lblTotal10, "7");
    EXPECT_EQ(h.windows.intClick, 2);

    // Back to page 1 and forward: one more calculation runs.
    w.previousPage();
    EXPECT_EQ(h.windows.intClick, 1);
    w.nextPage();
    EXPECT_EQ(w.lblPersWrkShtDeps, "7");
    EXPECT_TRUE(w.calculate().ran);
    EXPECT_EQ(w.lblDivide, "4");
    EXPECT_EQ(h.windows.PersWkShtDeps, 11);
    EXPECT_FALSE(w.calculate().ran);
}

TEST(DednAdjGuard, NeverBlocksWhileTheCountIsZero)
{
    test::WindowHarness h;
    h.windows.intClick = 2;
    DednAdjWkSht w(h.windows, h.errors);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(w.calculate().ran);
        EXPECT_EQ(h.windows.PersWkShtDeps, 0);
    }
    EXPECT_EQ(h.windows.intClick, 6);
}

TEST(DednAdjGuard, TheRule)
{
    struct Row {
        std::int16_t intClick, deps;
        bool blocked;
    };
    for (const Row& row : {Row{0, 5, false}, Row{1, 5, false}, Row{2, 5, true}, Row{9, 1, true}, Row{2, 0, false},
                           Row{2, -1, false}}) {
        SCOPED_TRACE(testing::Message() << row.intClick << "/" << row.deps);
        EXPECT_EQ(calculationBlocked(row.intClick, row.deps), row.blocked);
    }
}

TEST(DednAdjCalculate, UnreadableEntryIsRefusedAndNothingChanges)
{
    struct Row {
        const char* line4;
        const char* credits;
        const char* line6;
        const char* line;
    };
    for (const Row& row : {Row{"abc", "", "", "4"}, Row{"", "1..2", "", "5"}, Row{"", "", "$", "6"}}) {
        SCOPED_TRACE(row.line);
        test::WindowHarness h;
        h.windows.PersWkShtDeps = 3;
        DednAdjWkSht w(h.windows, h.errors);
        w.txtAdjustments = row.line4;
        w.txtP919Wkst7 = row.credits;
        w.txtNonWage = row.line6;
        const auto out = w.calculate();
        ASSERT_TRUE(out.refusal);
        EXPECT_EQ(out.refusal->field, row.line);
        EXPECT_FALSE(out.ran);
        EXPECT_EQ(h.windows.PersWkShtDeps, 3);
        EXPECT_EQ(h.windows.intClick, 0);
        EXPECT_EQ(w.lblTotal5, "");
        EXPECT_TRUE(h.log.reports.empty());
    }
}

TEST(DednAdjCalculate, ACountBeyondSixteenBitsGoesToTheReport)
{
    struct Row {
        const char* line4;
        std::int16_t deps;
    };
    // Line 8 itself too large; line 8 = 32,767 fits but line 10 does not.
    for (const Row& row : {Row{"999,999,999", 2}, Row{"98,301,000", 1}}) {
        SCOPED_TRACE(row.line4);
        test::WindowHarness h;
        h.log.answers = {5};  // go on after the failing statement
        h.windows.PersWkShtDeps = row.deps;
        DednAdjWkSht w(h.windows, h.errors);
        w.txtAdjustments = row.line4;
        w.calculate();
        ASSERT_EQ(h.log.reports.size(), 1u);
        EXPECT_EQ(h.log.reports[0].field("Error Number"), "6");
        EXPECT_EQ(h.log.reports[0].field("Module Name"), "frmDednAdj");
        EXPECT_EQ(h.log.reports[0].field("Procedure Name"), "cmdPersWrkCalc_Click");
        // A skipped computation shows nothing and keeps the count.
        EXPECT_EQ(w.lblTotal10, "");
        EXPECT_EQ(h.windows.PersWkShtDeps, row.deps);
    }
}

}  // namespace
}  // namespace wm::w4
