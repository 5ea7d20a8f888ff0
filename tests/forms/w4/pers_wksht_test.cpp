// Personal Allowances Worksheet: total H and the commands around it.
#include <gtest/gtest.h>

#include "forms/w4/logic/pers_wksht_model.h"
#include "support/harness.h"
#include "support/navigation.h"

namespace wm::w4 {
namespace {

struct HCase {
    const char* name;
    std::array<bool, 5> ticks;  // A, B, C, F, E
    const char* D;
    const char* G;
    std::int16_t expected;
};

class TotalH : public ::testing::TestWithParam<HCase> {};

TEST_P(TotalH, AddsTheLinesAndRoundsHalfToEven)
{
    const HCase& c = GetParam();
    test::WindowHarness h;
    PersWkSht w(h.windows, h.errors);
    w.chkPersWkShtA = c.ticks;
    w.txtPersWkEnterDeps = c.D;
    w.txtChild = c.G;
    ASSERT_FALSE(w.calculate());
    EXPECT_EQ(h.windows.PersWkShtDeps, c.expected);
    EXPECT_EQ(w.lblTotalDepsClaim, std::to_string(c.expected));
    EXPECT_TRUE(h.log.reports.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TotalH,
    ::testing::Values(
        HCase{"NothingTickedBothEmpty", {}, "", "", 0},
        HCase{"ABCTickedTwoDependents", {true, true, true, false, false}, "2", "", 5},
        HCase{"EveryLine", {true, true, true, true, true}, "3", "2", 10},
        // D keeps its fraction until the total is rounded.
        HCase{"HalfDependentRoundsDownToEven", {true, false, false, false, false}, "1.5", "", 2},
        HCase{"HalfDependentRoundsUpToEven", {true, false, false, false, false}, "2.5", "", 4},
        HCase{"FractionAddsToTicksBeforeRounding", {true, true, false, false, false}, "0.6", "", 3},
        // G is rounded to a whole count on its own, halves to even.
        HCase{"ChildCreditHalfRoundsToEven", {}, "", "2.5", 2},
        HCase{"ChildCreditThreeHalvesRoundsUp", {}, "", "3.5", 4},
        HCase{"BlanksCountAsEmpty", {false, true, false, false, false}, "  ", " ", 1},
        HCase{"ThousandsSeparatorRead", {}, "1,000", "", 1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PersWkShtCalculate, UntickingALineTakesItOutAgain)
{
    test::WindowHarness h;
    PersWkSht w(h.windows, h.errors);
    w.chkPersWkShtA[kLineA] = true;
    w.calculate();
    EXPECT_EQ(h.windows.PersWkShtDeps, 1);
    w.chkPersWkShtA[kLineA] = false;
    w.calculate();
    EXPECT_EQ(h.windows.PersWkShtDeps, 0);
    EXPECT_EQ(w.lblTotalDepsClaim, "0");
}

struct RefusedCase {
    const char* name;
    const char* D;
    const char* G;
    const char* line;
};

class PersWkShtRefusal : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(PersWkShtRefusal, NamesTheLineAndChangesNothing)
{
    const RefusedCase& c = GetParam();
    test::WindowHarness h;
    PersWkSht w(h.windows, h.errors);
    w.chkPersWkShtA[kLineA] = true;
    w.calculate();
    ASSERT_EQ(h.windows.PersWkShtDeps, 1);

    w.chkPersWkShtA[kLineB] = true;
    w.txtPersWkEnterDeps = c.D;
    w.txtChild = c.G;
    const auto refused = w.calculate();
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->field, c.line);
    EXPECT_EQ(refused->message.rfind(std::string("Line ") + c.line + ": ", 0), 0u) << refused->message;
    EXPECT_EQ(h.windows.PersWkShtDeps, 1);
    EXPECT_EQ(w.lblTotalDepsClaim, "1");
    EXPECT_TRUE(h.log.reports.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PersWkShtRefusal,
    ::testing::Values(RefusedCase{"LetterInG", "", "x", "G"}, RefusedCase{"LetterInD", "two", "", "D"},
                      RefusedCase{"NegativeDependents", "-1", "", "D"},
                      RefusedCase{"NegativeChildCredit", "", "-2", "G"},
                      RefusedCase{"ChildCreditBeyondItsField", "", "40000", "G"},
                      RefusedCase{"DependentsBeyondTheCount", "99999", "", "D"},
                      // D is read first, so a bad D is named even when G is bad too.
                      RefusedCase{"BothBadNamesD", "?", "?", "D"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PersWkShtCalculate, TotalBeyondTheCountGoesToTheErrorReport)
{
    test::WindowHarness h;
    h.log.answers = {0};
    PersWkSht w(h.windows, h.errors);
    h.windows.PersWkShtDeps = 7;
    w.txtPersWkEnterDeps = "30000";
    w.txtChild = "30000";
    EXPECT_FALSE(w.calculate());
    ASSERT_EQ(h.log.reports.size(), 1u);
    const ReportData& rep = h.log.reports[0];
    EXPECT_EQ(rep.field("Module Name"), "frmPersWkSht");
    EXPECT_EQ(rep.field("Procedure Name"), "cmdPersWrkCalc_Click");
    EXPECT_EQ(rep.field("Description"), "Overflow");
    // The form's own values are in the report.
    EXPECT_EQ(rep.variables[2], (VarList{"A", "0", "B", "0", "C", "0", "D", "30000", "E", "0", "F", "0", "G", "30000"}));
    EXPECT_EQ(h.windows.PersWkShtDeps, 7);
}

TEST(PersWkShtInstructions, EachLeadsToItsWorksheetAfterCalculating)
{
    struct Row {
        int index;
        FormId form;
    };
    for (const Row& row : {Row{0, FormId::DeductionsWkSht}, Row{1, FormId::TwoEarnerWkSht}, Row{2, FormId::W4View}}) {
        SCOPED_TRACE(row.index);
        test::WindowHarness h;
        PersWkSht w(h.windows, h.errors);
        w.chkPersWkShtA[kLineA] = w.chkPersWkShtA[kLineB] = true;
        const auto out = w.instruction(row.index);
        EXPECT_FALSE(out.refusal);
        EXPECT_EQ(h.windows.PersWkShtDeps, 2);
        EXPECT_EQ(w.lblTotalDepsClaim, "2");
        EXPECT_EQ(out.next.open, row.form);
        // Every command calculates, so H is the certificate's line 5 whichever it is.
        EXPECT_EQ(h.windows.W4Line5, "2");
        EXPECT_EQ(h.windows.W4Line6, "");
        EXPECT_FALSE(out.next.closeSelf);
    }
}

TEST(PersWkShtInstructions, RefusedEntryOpensNothing)
{
    test::WindowHarness h;
    PersWkSht w(h.windows, h.errors);
    w.txtChild = "a";
    const auto out = w.instruction(2);
    ASSERT_TRUE(out.refusal);
    EXPECT_EQ(out.refusal->field, "G");
    EXPECT_FALSE(out.next.open);
}

TEST(PersWkShtLifecycle, PagesAndGuardCounter)
{
    test::WindowHarness h;
    h.windows.intClick = 5;
    {
        PersWkSht w(h.windows, h.errors);
        EXPECT_EQ(w.page, 1);
        w.nextPage();
        EXPECT_EQ(w.page, 2);
        EXPECT_EQ(h.windows.intClick, 1);
        w.previousPage();
        EXPECT_EQ(w.page, 1);
        EXPECT_EQ(h.windows.intClick, 1);
        w.chkPersWkShtA[kLineC] = true;
        w.calculate();
    }
    // H outlives the worksheet; a new one starts empty.
    EXPECT_EQ(h.windows.PersWkShtDeps, 1);
    PersWkSht again(h.windows, h.errors);
    EXPECT_EQ(again.chkPersWkShtA, (std::array<bool, 5>{}));
    EXPECT_EQ(again.lblTotalDepsClaim, "");
}

}  // namespace
}  // namespace wm::w4
