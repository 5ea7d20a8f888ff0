// Multiple Check Worksheet: monthly equivalents, the total and the transfer.
#include <gtest/gtest.h>

#include "forms/tools/logic/multi_check_model.h"
#include "support/harness.h"
#include "support/navigation.h"

namespace wm {
namespace {

struct EquivalentCase {
    const char* name;
    double amount;
    CheckPeriod period;
    Currency expected;
};

class MonthlyEquivalent : public ::testing::TestWithParam<EquivalentCase> {};

TEST_P(MonthlyEquivalent, IsShownInWholeCents)
{
    const EquivalentCase& c = GetParam();
    EXPECT_EQ(formatFixed4(monthlyEquivalent(c.amount, c.period)), formatFixed4(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Periods, MonthlyEquivalent,
    ::testing::Values(
        // 4,333.3333 before the label rounds it.
        EquivalentCase{"WeeklyThousand", 1000, CheckPeriod::Weekly, 4333.33_usd},
        EquivalentCase{"EveryTwoWeeksThousand", 1000, CheckPeriod::EveryTwoWeeks, 2166.67_usd},
        EquivalentCase{"TwiceAMonthThousand", 1000, CheckPeriod::TwiceAMonth, 2000_usd},
        EquivalentCase{"MonthlyThousand", 1000, CheckPeriod::Monthly, 1000_usd},
        EquivalentCase{"WeeklyFiveHundred", 500, CheckPeriod::Weekly, 2166.67_usd},
        // Half a cent goes up, as the shown text does; half to even would keep 0.12.
        EquivalentCase{"MonthlyHalfCentRoundsAway", 0.125, CheckPeriod::Monthly, 0.13_usd},
        EquivalentCase{"TwiceAMonthHalfCentRoundsAway", 0.0025, CheckPeriod::TwiceAMonth, 0.01_usd},
        EquivalentCase{"ZeroStaysZero", 0, CheckPeriod::Weekly, 0_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MultiCheckTotal, IsTheCurrencySumOfTheShownEquivalents)
{
    EXPECT_EQ(multiCheckTotal({2166.67_usd, 2000_usd, 0_usd, 0_usd}), 4166.67_usd);
    // Three thirds of a weekly dollar each show 4.33: 12.99, not 13.00.
    EXPECT_EQ(multiCheckTotal({4.33_usd, 4.33_usd, 4.33_usd, 0_usd}), 12.99_usd);
}

struct Worksheet : ::testing::Test {
    test::WindowHarness h;
    MultiCheckModel m{h.windows, h.errors};
};

TEST_F(Worksheet, TwoChecksOfDifferentPeriodsTransferAsMonthlyIncome)
{
    m.setAmount(1, "500.00");
    m.choosePeriod(1, CheckPeriod::Weekly);
    m.setAmount(3, "$2,000.00");
    m.choosePeriod(3, CheckPeriod::Monthly);
    EXPECT_EQ(m.monthlyText(1), "$2,166.67");
    EXPECT_EQ(m.monthlyText(3), "$2,000.00");
    ASSERT_TRUE(m.calculate());
    EXPECT_EQ(h.windows.amtMultiChk, 4166.67_usd);
    EXPECT_EQ(m.totalText(), "$4,166.67");

    const auto t = m.transfer();
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->incomeText, "4166.67");
    EXPECT_EQ(t->HowOft, 3);
    EXPECT_TRUE(h.log.reports.empty());
}

TEST_F(Worksheet, ClearedAmountCountsZero)
{
    m.setAmount(2, "1000");
    m.choosePeriod(2, CheckPeriod::EveryTwoWeeks);
    m.setAmount(4, "1000");
    m.choosePeriod(4, CheckPeriod::Monthly);
    m.setAmount(2, "");
    ASSERT_TRUE(m.calculate());
    EXPECT_EQ(m.monthly(2), 0_usd);
    EXPECT_EQ(h.windows.amtMultiChk, 1000_usd);
}

TEST_F(Worksheet, ChangedAmountIsUsedWithoutChoosingThePeriodAgain)
{
    m.setAmount(1, "1000");
    m.choosePeriod(1, CheckPeriod::Weekly);
    ASSERT_TRUE(m.calculate());
    m.setAmount(1, "2000");
    EXPECT_EQ(m.totalText(), "") << "a total that no longer matches the rows is not shown";
    ASSERT_TRUE(m.calculate());
    EXPECT_EQ(h.windows.amtMultiChk, 8666.67_usd);
}

TEST_F(Worksheet, ChangingThePeriodRecomputes)
{
    m.setAmount(1, "1000");
    m.choosePeriod(1, CheckPeriod::Weekly);
    m.choosePeriod(1, CheckPeriod::TwiceAMonth);
    EXPECT_EQ(m.monthly(1), 2000_usd);
    EXPECT_EQ(m.period(1), CheckPeriod::TwiceAMonth);
}

TEST_F(Worksheet, PeriodChosenBeforeTheAmountIsNoError)
{
    m.choosePeriod(1, CheckPeriod::Weekly);
    EXPECT_EQ(m.monthly(1), 0_usd);
    m.setAmount(1, "1000");
    EXPECT_EQ(m.monthly(1), 4333.33_usd);
    EXPECT_TRUE(h.log.reports.empty());
}

TEST_F(Worksheet, UnreadableAmountIsReportedAndKeepsTheLastEquivalent)
{
    m.setAmount(2, "1000");
    m.choosePeriod(2, CheckPeriod::Monthly);
    m.setAmount(2, "1O00");  // a letter O: still being typed, no report yet
    EXPECT_TRUE(h.log.reports.empty());
    h.log.answers = {static_cast<int>(Action::Continue)};
    m.choosePeriod(2, CheckPeriod::Weekly);
    ASSERT_EQ(h.log.reports.size(), 1u);
    const ReportData& rep = h.log.reports[0];
    EXPECT_EQ(rep.field("Module Name"), "frmMultiCheck");
    EXPECT_EQ(rep.field("Procedure Name"), "optSelectWeek_Click");
    EXPECT_EQ(rep.field("Error Number"), "13");
    EXPECT_EQ(rep.variables[0], (VarList{"Index", "1"}));
    EXPECT_EQ(rep.variables[2], (VarList{"Check1", "0", "Check2", "1000", "Check3", "0", "Check4", "0"}));
    EXPECT_EQ(m.monthly(2), 1000_usd);
}

TEST_F(Worksheet, CalculateReportsAnUnreadableAmountAndShowsNoTotal)
{
    m.setAmount(1, "abc");
    m.choosePeriod(1, CheckPeriod::Weekly);  // answered Raise: the click ends
    EXPECT_FALSE(m.calculate());
    ASSERT_EQ(h.log.reports.size(), 2u);
    EXPECT_EQ(h.log.reports[1].field("Procedure Name"), "cmdCalc_Click");
    EXPECT_EQ(h.log.reports[1].field("Line Number"), "100");
    EXPECT_EQ(m.totalText(), "");
    EXPECT_FALSE(m.transfer().has_value());
}

TEST_F(Worksheet, TransferRecalculatesFirst)
{
    h.windows.amtMultiChk = 99_usd;  // left by an earlier worksheet of this run
    m.setAmount(1, "1000");
    m.choosePeriod(1, CheckPeriod::TwiceAMonth);
    const auto t = m.transfer();
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->incomeText, "2000");
    EXPECT_EQ(m.totalText(), "$2,000.00");
}

TEST_F(Worksheet, NothingEnteredTransfersNothing)
{
    EXPECT_FALSE(m.transfer().has_value());
    m.setAmount(1, "0");
    m.choosePeriod(1, CheckPeriod::Weekly);
    EXPECT_FALSE(m.transfer().has_value());
    EXPECT_EQ(h.windows.amtMultiChk, 0_usd);
}

TEST(WorksheetLifetime, SetsTheCurrentFormCode)
{
    test::WindowHarness h;
    h.windows.amtMultiChk = 5_usd;
    {
        MultiCheckModel m(h.windows, h.errors);
        EXPECT_EQ(h.windows.frmLoaded, "8");
    }
    EXPECT_EQ(h.windows.frmLoaded, "0");
    EXPECT_EQ(h.windows.amtMultiChk, 5_usd) << "the total outlives the worksheet";
}

}  // namespace
}  // namespace wm
