// The calculation pass: gross, 401(k), pre-tax, federal, FICA, state
// dispatch, local tax and the totals.
#include <gtest/gtest.h>

#include "core/federal.h"
#include "core/state_base.h"
#include "core/state_dispatch.h"
#include "support/harness.h"

namespace wm {
namespace {

TEST(Pass, EmptyIncomeIsZeroEverywhere)
{
    test::Harness h;
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.SSBase, 0_usd);
    EXPECT_EQ(h.r.amt401k, 0_usd);
    EXPECT_EQ(h.r.fTax, 0_usd);
    EXPECT_EQ(h.r.amtFICA, 0_usd);
    EXPECT_EQ(h.r.amtTotal, 0_usd);
}

TEST(Pass, FourOhOneKEntries)
{
    struct Row {
        const char* text;
        Currency expected;
    };
    for (const Row& row : {Row{"5", 50_usd}, Row{"5.0", 50_usd}, Row{"0.05", 50_usd}, Row{"1", 10_usd},
                           Row{"0.99", 990_usd}, Row{"0.5", 500_usd}, Row{"", 0_usd}}) {
        SCOPED_TRACE(row.text);
        test::Harness h;
        h.in.txtIncome = "1000";
        h.in.txt401k = row.text;
        ASSERT_TRUE(h.calculate());
        EXPECT_EQ(h.r.amt401k, row.expected);
    }
}

TEST(Pass, FourOhOneKAndPreTaxLowerFederalWages)
{
    test::Harness h;
    h.in.txtIncome = "$1,000.00";
    h.in.txt401k = "6";
    h.in.txtPreTax = "50";
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.amt401k, 60_usd);
    EXPECT_EQ(h.r.taxBase, 890_usd);
}

TEST(Pass, PreTaxAboveGrossFloorsFederalWagesOnly)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    h.in.txtPreTax = "1200";
    h.in.exemptions = "1";
    h.r.HowOft = 0;
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.taxBase, 0_usd);
    EXPECT_EQ(h.r.ftaxBase, Currency() - 53.85_usd);
    EXPECT_EQ(h.r.fTax, 0_usd);
    // -200 less FICA on the full gross.
    EXPECT_EQ(h.r.amtTotal, Currency() - 200_usd - 76.5_usd);
}

struct FedCase {
    const char* name;
    std::int16_t howOft, valMarried;
    Currency ftaxBase, fTax;
};

class Federal : public ::testing::TestWithParam<FedCase> {};

TEST_P(Federal, Withholding)
{
    const FedCase& c = GetParam();
    test::Harness h;
    h.r.HowOft = c.howOft;
    h.r.valMarried = c.valMarried;
    h.r.ftaxBase = c.ftaxBase;
    FedTax(h.pass);
    EXPECT_EQ(formatFixed4(h.r.fTax), formatFixed4(c.fTax));
}

INSTANTIATE_TEST_SUITE_P(
    Tables, Federal,
    ::testing::Values(FedCase{"MarriedWeeklyAtT1", 0, 0, 124_usd, 0_usd},
                      FedCase{"MarriedWeeklyCentAboveT1", 0, 0, 124.01_usd, 0_usd},
                      FedCase{"MarriedWeeklyAtT2", 0, 0, 931_usd, 121.05_usd},
                      FedCase{"HalfCentRoundsAwayFromZero", 0, 0, 124.30_usd, 0.05_usd},
                      FedCase{"SingleWeekly600", 0, 1, 600_usd, 90.67_usd},
                      FedCase{"SingleMonthlyTop", 3, 1, 30000_usd, 9966.34_usd},
                      FedCase{"MarriedSingleRateUsesSingle", 0, 2, 600_usd, 90.67_usd},
                      FedCase{"NegativeIsZero", 2, 0, Currency() - 100_usd, 0_usd},
                      FedCase{"SemiMonthlyMarriedThird", 1, 0, 5000_usd, 1121.20_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Federal, AllowanceAmounts)
{
    EXPECT_EQ(allowanceAmount(2, 0), 107.70_usd);
    EXPECT_EQ(allowanceAmount(3, 3), 699.99_usd);
    EXPECT_EQ(allowanceAmount(0, 1), 0_usd);
}

TEST(Fica, EmployeeAndSelfEmployedRates)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    h.in.txtPreFICA = "100";
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.amtFICA, 68.85_usd);
    EXPECT_EQ(h.r.amtSS, 55.80_usd);
    EXPECT_EQ(h.r.amtMedicare, 13.05_usd);
    // Pre-FICA is not a deduction from the check.
    EXPECT_EQ(h.r.amtDedTot, h.r.fTax + h.r.amtFICA);

    h.in.chkSelfEmployed = true;
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.amtFICA, 137.70_usd);
    EXPECT_EQ(h.r.amtSS, 111.60_usd);
    EXPECT_EQ(h.r.amtMedicare, 26.10_usd);
}

TEST(Fica, PreFicaAboveGrossIsNegative)
{
    test::Harness h;
    h.in.txtIncome = "100";
    h.in.txtPreFICA = "200";
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.amtFICA, Currency() - 7.65_usd);
}

TEST(Pass, ResultLabelsRoundToEven)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    h.r.SPtx = 1;
    h.r.SPval = 0.00125;  // 1.25 exactly: the label keeps what it was before the local step
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.pass.resultLabel(0), formatPlain(h.r.fTax));
    EXPECT_EQ(h.pass.resultLabel(3), "76.5");
    EXPECT_EQ(h.pass.resultLabels()[7], "0");
    EXPECT_EQ(h.r.amtLocalTax, 1.25_usd);

    // A 401(k) of 0.025: the label rounds the half cent to even.
    h.in.txt401k = "0.000025";
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.amt401k, 0.025_usd);
    EXPECT_EQ(h.pass.resultLabel(2), "0.02");
}

TEST(Dispatch, NoStateClearsAnEarlierStateTax)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    h.r.intState = 27;  // New Mexico
    ASSERT_TRUE(h.calculate());
    EXPECT_GT(h.r.sTax, 0_usd);
    h.r.intState = 0;
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.sTax, 0_usd);
    EXPECT_EQ(h.r.PersExmp, 0_usd);
}

TEST(Dispatch, StateBaseExcludesOnlyOnAnExactY)
{
    struct Row {
        const char* sta401;
        Currency stateWagesLess;
    };
    for (const Row& row : {Row{"Y", 60_usd}, Row{"y", 0_usd}, Row{"N", 0_usd}}) {
        SCOPED_TRACE(row.sta401);
        test::Harness h;
        h.in.txtIncome = "1000";
        h.in.txt401k = "6";
        h.settings.save("StateInfo", "sta401", row.sta401);
        ASSERT_TRUE(h.calculate());
        StateBase(h.pass);
        EXPECT_EQ(h.r.Samt401k, row.stateWagesLess);
    }
}

TEST(Dispatch, CheckStateReadsTheSavedIndex)
{
    test::Harness h;
    h.settings.save("Settings", "State", "7");
    EXPECT_TRUE(CheckState(h.r, h.settings, h.errors));
    EXPECT_EQ(h.r.intState, 7);
    h.settings.save("Settings", "State", "15");
    EXPECT_FALSE(CheckState(h.r, h.settings, h.errors));
    EXPECT_FALSE(stateNeedsOptions(0));
    EXPECT_TRUE(stateNeedsOptions(32));
}

struct LocalCase {
    const char* name;
    std::int16_t code;
    Currency expected;
};

class LocalTax : public ::testing::TestWithParam<LocalCase> {};

TEST_P(LocalTax, Base)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    h.in.txt401k = "6";
    h.in.txtPreTax = "100";
    h.r.SPval = 0.01;
    h.r.SPtx = GetParam().code;
    h.r.amtLocalTax = 99_usd;  // left from an earlier pass
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.amtLocalTax, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Codes, LocalTax,
                         ::testing::Values(LocalCase{"None", 0, 99_usd}, LocalCase{"Gross", 1, 10_usd},
                                           LocalCase{"Less401k", 2, 9.40_usd}, LocalCase{"LessPreTax", 3, 9_usd},
                                           LocalCase{"LessBoth", 4, 8.40_usd},
                                           LocalCase{"LessExemptionNoState", 5, 10_usd},
                                           LocalCase{"OutOfRange", 6, 99_usd}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Pass, BadIncomeTextIsReportedWithItsPlace)
{
    test::Harness h;
    h.in.txtIncome = "12x";
    EXPECT_FALSE(h.calculate());
    ASSERT_FALSE(h.log.reports.empty());
    const ReportData& first = h.log.reports.front();
    EXPECT_EQ(first.field("Error Number"), "13");
    EXPECT_EQ(first.field("Procedure Name"), "Calculate");
    EXPECT_EQ(first.field("Line Number"), "100");
}

TEST(Pass, GridRowsInOrder)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    ASSERT_TRUE(h.calculate());
    const auto rows = gridRows(h.r);
    EXPECT_EQ(rows.front().title, "Gross Pay");
    EXPECT_EQ(rows.back().title, "Check Amt");
    EXPECT_EQ(rows.back().amount, h.r.amtTotal);
    EXPECT_EQ(h.r.amtTotal, h.r.SSBase - h.r.amtDedTot);
}

}  // namespace
}  // namespace wm
