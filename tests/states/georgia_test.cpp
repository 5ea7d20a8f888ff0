// Georgia: deductions by the state filing status, tables by the federal
// marital status, thresholds that belong to the bracket above.
#include <gtest/gtest.h>

#include <algorithm>

#include "states/calculators.h"
#include "states/registry.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using Case = test::StateCase;

class GeorgiaTax : public ::testing::TestWithParam<Case> {};

TEST_P(GeorgiaTax, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Tables, GeorgiaTax,
    ::testing::Values(
        // Without dependents only the standard deduction 44.25 comes off.
        Case{"MarriedWeeklyAtFirstThreshold", &Georgia, 64.25_usd, {.HowOft = 0}, 0.20_usd, 20_usd},
        Case{"MarriedWeeklyBelowFirstThresholdIsOnePercent", &Georgia, 64.24_usd, {.HowOft = 0}, 0.1999_usd, 19.99_usd},
        // A threshold belongs to the bracket above: 4.43 + 6 % of nothing
        // (the 5 % bracket would give 4.4275).
        Case{"SingleWeeklyAtTopThresholdTakesTopBracket", &Georgia, 179_usd, {.HowOft = 0, .valMarried = 1}, 4.43_usd,
             134.75_usd},
        // Married filing separately: 28.75 deducted, the 57.50 exemption
        // taken off and given back. 6.55 + 6 % of 7.50.
        Case{"SeparateFilerWithoutDependentsDeductsOnlyStandard", &Georgia, 228.75_usd,
             {.HowOft = 0, .intSMarried = 6}, 7_usd, 200_usd},
        // Married monthly with two dependents: 250 + 250 + 2 x 208.
        Case{"MarriedMonthlyTwoDependents", &Georgia, 2000_usd, {.HowOft = 3, .intSMarried = 3, .StateDeps = 2},
             43.39_usd, 1084_usd},
        // The single filing status still uses the married table when the
        // federal status is married (the single table would give 8.345).
        Case{"TableFollowsFederalMaritalStatus", &Georgia, 244.25_usd, {.HowOft = 0}, 7_usd, 200_usd},
        Case{"MarriedTwoIncomesWeekly", &Georgia, 144.25_usd, {.HowOft = 0, .valMarried = 2}, 3.495_usd, 100_usd},
        Case{"SingleSemiMonthlyTop", &Georgia, 395.75_usd, {.HowOft = 1, .valMarried = 1}, 10.085_usd, 300_usd},
        Case{"MarriedBiweeklyThreePercent", &Georgia, 265_usd, {.intSMarried = 3}, 2.95_usd, 150_usd},
        // 208.50 is a threshold of the two-incomes monthly table: 4.59 + 4 % of 0.50.
        Case{"TwoIncomesMonthlyOneDependent", &Georgia, 800_usd, {.HowOft = 3, .valMarried = 2, .StateDeps = 1},
             4.61_usd, 209_usd},
        Case{"AdditionalWithholdingAdded", &Georgia, 179_usd, {.HowOft = 0, .valMarried = 1, .StateAdd = 10_usd},
             14.43_usd, 134.75_usd},
        // Deductions above the wages: 1 % of -132.50 is taken off the
        // additional withholding before the floor at zero.
        Case{"DeductionsAboveWagesOffsetTheAdditionalAmount", &Georgia, 100_usd,
             {.HowOft = 0, .valMarried = 1, .StateDeps = 3, .StateAdd = 5_usd}, 3.675_usd, -132.50_usd},
        // Dependent deduction held wide: 32,767 x 208 does not overflow.
        Case{"MostDependentsDoNotOverflow", &Georgia, 1000_usd,
             {.HowOft = 3, .intSMarried = 3, .StateDeps = 32767, .StateAdd = 2_usd}, 0_usd, -6815036_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GeorgiaCalculator, WritesDeductionFields)
{
    test::Harness h;
    h.r.HowOft = 2;
    h.r.intSMarried = 6;
    h.r.StateDeps = 3;
    h.state(&Georgia, 1000_usd);
    EXPECT_EQ(h.r.stdDed, 57.50_usd);
    EXPECT_EQ(h.r.PersExmp, 115_usd);
    EXPECT_EQ(h.r.DepDed, 288_usd);
    EXPECT_EQ(h.r.staxBase, 539.50_usd);
    EXPECT_EQ(h.pass.lblModified, "Tax Code last modified: May 1, 1998");
}

struct NoTableCase {
    const char* name;
    std::int16_t howOft;
    std::int16_t valMarried;
    std::int16_t intSMarried;
    const char* notice;
};

class GeorgiaNoTable : public ::testing::TestWithParam<NoTableCase> {};

// A code without a table withholds only the additional amount and says
// which input to change.
TEST_P(GeorgiaNoTable, AdditionalOnlyAndNotice)
{
    const NoTableCase& c = GetParam();
    test::Harness h;
    h.r.HowOft = c.howOft;
    h.r.valMarried = c.valMarried;
    h.r.intSMarried = c.intSMarried;
    h.r.StateAdd = 4_usd;
    h.state(&Georgia, 2000_usd);
    EXPECT_EQ(h.r.sTax, 4_usd);
    EXPECT_EQ(h.pass.notice, c.notice);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, GeorgiaNoTable,
    ::testing::Values(NoTableCase{"HeadOfFamilyStatus", 0, 0, 9,
                                  "No Georgia table applies to the chosen filing status. Choose Single, Married (M) "
                                  "or Married Filing Separately in Set State Options."},
                      NoTableCase{"UnknownMaritalStatus", 0, 3, 0,
                                  "No Georgia table applies to the chosen marital status. Choose the marital status "
                                  "on the calculator."},
                      NoTableCase{"UnknownFrequency", 4, 0, 0,
                                  "No Georgia table applies to the chosen pay frequency. Choose the pay frequency on "
                                  "the calculator."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GeorgiaCalculator, ExplainsDeductionsAndBracket)
{
    test::Harness h;
    h.r.valMarried = 1;
    h.r.StateDeps = 1;
    h.state(&Georgia, 800_usd);
    std::vector<std::string> texts;
    for (const TraceLine& l : h.trace.lines) texts.push_back(l.text);
    for (const char* want : {"Georgia standard deduction, single weekly", "Georgia personal exemption",
                             "Georgia dependent deduction 1 x 48.00",
                             "Georgia single weekly table: 4.43 + 6 % of the excess over 134.75"}) {
        SCOPED_TRACE(want);
        EXPECT_NE(std::find(texts.begin(), texts.end(), want), texts.end());
    }
}

TEST(GeorgiaCalculator, ReachedFromTheStateList)
{
    test::Harness h;
    h.in.txtIncome = "800";
    h.r.HowOft = 0;
    h.r.valMarried = 1;
    h.r.StateDeps = 1;
    h.r.intState = static_cast<std::int16_t>(findState("Georgia"));
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.sTax, 36.155_usd);
}

}  // namespace
}  // namespace wm
