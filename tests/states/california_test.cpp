// California: estimated deductions, the low-income limit, the standard
// deduction, the tables and the exemption credit.
#include <gtest/gtest.h>

#include <algorithm>

#include "states/calculators.h"
#include "states/registry.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using Case = test::StateCase;

class CaliforniaTax : public ::testing::TestWithParam<Case> {};

TEST_P(CaliforniaTax, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Tables, CaliforniaTax,
    ::testing::Values(
        // At the limit nothing is withheld, not even the additional amount.
        Case{"SingleWeeklyAtLowIncomeLimit", &CalifTax, 162_usd, {.HowOft = 0, .StateAdd = 10_usd}, 0_usd, 162_usd,
             0_usd},
        // 162.01 - 52 = 110.01: 1.01 + 2 % of 9.01.
        Case{"SingleWeeklyJustAboveLimit", &CalifTax, 162.01_usd, {.HowOft = 0}, 1.1902_usd, 110.01_usd, 0_usd},
        Case{"StatusEightUsesSingleTables", &CalifTax, 162.01_usd, {.HowOft = 0, .intSMarried = 8}, 1.1902_usd,
             110.01_usd, 0_usd},
        // Married with two federal allowances: limit 323, deduction 104.
        Case{"MarriedTwoAllowancesAtLargerLimit", &CalifTax, 323_usd,
             {.HowOft = 0, .DepsNumber = 2, .intSMarried = 3, .StateAdd = 5_usd}, 0_usd, 323_usd, 0_usd},
        Case{"MarriedTwoAllowancesLargerDeduction", &CalifTax, 400_usd,
             {.HowOft = 0, .DepsNumber = 2, .intSMarried = 3}, 3.90_usd, 296_usd, 0_usd},
        Case{"MarriedOneAllowanceSmallerDeduction", &CalifTax, 400_usd,
             {.HowOft = 0, .DepsNumber = 1, .intSMarried = 3}, 4.94_usd, 348_usd, 0_usd},
        Case{"MarriedNegativeAllowancesSmallerPair", &CalifTax, 200_usd,
             {.HowOft = 0, .DepsNumber = -1, .intSMarried = 3}, 1.48_usd, 148_usd, 0_usd},
        // 72.60 + 8 % of (2,200 - 2,102), measured from the bracket's own threshold.
        Case{"MarriedBiweeklyEightPercentBracket", &CalifTax, 2304_usd, {.intSMarried = 3}, 80.44_usd, 2200_usd, 0_usd},
        Case{"HeadOfHouseholdMonthly", &CalifTax, 3000_usd, {.HowOft = 3, .intSMarried = 9}, 51.54_usd, 2548_usd,
             0_usd},
        // One estimated-deduction allowance: 19.23 becomes 19.
        Case{"EstimatedDeductionInWholeDollars", &CalifTax, 500_usd, {.HowOft = 0, .staExmp = "1"}, 12.35_usd, 429_usd,
             0_usd},
        // 50 x 83.33 = 4,166.50 goes to the even dollar 4,166.
        Case{"EstimatedDeductionHalfDollarToEven", &CalifTax, 10000_usd, {.HowOft = 3, .staExmp = "50"}, 380.547_usd,
             5608_usd, 0_usd},
        // Credit 1.3846 rounds to 1.38: 13.49 - 1.38.
        Case{"WeeklyCreditToCents", &CalifTax, 500_usd, {.HowOft = 0, .StateDeps = 1}, 12.11_usd, 448_usd, 1.38_usd},
        Case{"SemiMonthlyCreditThreePerAllowance", &CalifTax, 1000_usd, {.HowOft = 1, .StateDeps = 2}, 18.21_usd,
             887_usd, 6_usd},
        // 3 x 2.7692 = 8.3076 becomes 8.31: 27.00 - 8.31.
        Case{"BiweeklyCreditToCents", &CalifTax, 1000_usd, {.StateDeps = 3}, 18.69_usd, 896_usd, 8.31_usd},
        // Credit 2.77 above the tax 1.35: the additional 5.00 less the rest.
        Case{"CreditAboveTaxReducesAdditional", &CalifTax, 170_usd, {.HowOft = 0, .StateDeps = 2, .StateAdd = 5_usd},
             3.58_usd, 118_usd, 2.77_usd},
        Case{"CreditAboveTaxWithholdsNothing", &CalifTax, 170_usd, {.HowOft = 0, .StateDeps = 2}, 0_usd, 118_usd,
             2.77_usd},
        // 6,000 x 6 held wide: a 16-bit product would overflow.
        Case{"ManyAllowancesCreditDoesNotOverflow", &CalifTax, 5000_usd, {.HowOft = 3, .StateDeps = 6000}, 0_usd,
             4774_usd, 36000_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CaliforniaCalculator, StatusWithoutTableGivesCreditAndAdditionalOnly)
{
    test::Harness h;
    h.r.intSMarried = 6;
    h.r.StateDeps = 1;
    h.r.StateAdd = 5_usd;
    h.state(&CalifTax, 1000_usd);
    EXPECT_EQ(h.r.sTax, 3.62_usd);
    EXPECT_EQ(h.pass.notice,
              "No California table applies to the chosen filing status. Choose Single, Married (M), Married with "
              "spouse employed or Head of Family in Set State Options.");
}

TEST(CaliforniaCalculator, EstimatedDeductionsComeFromTheSavedSetting)
{
    test::Harness h;
    h.r.StateExmp = 9;  // left by another state; the saved value counts
    h.settings.save("StateInfo", "staExmp", "2");
    h.state(&CalifTax, 500_usd);
    EXPECT_EQ(h.r.StateExmp, 2);
    EXPECT_EQ(h.r.staxBase, 500_usd - 38_usd - 52_usd);
    EXPECT_EQ(h.pass.lblModified, "Tax Code last modified: January 1, 2000");
}

TEST(CaliforniaCalculator, UnreadableEstimatedDeductionsAreReported)
{
    test::Harness h;
    h.settings.save("StateInfo", "staExmp", "two");
    EXPECT_THROW(h.state(&CalifTax, 500_usd), RuntimeError);
    ASSERT_EQ(h.log.reports.size(), 1u);
    EXPECT_EQ(h.log.reports[0].field("Procedure Name"), "CalifTax");
    EXPECT_EQ(h.log.reports[0].field("Error Number"), "13");
    EXPECT_EQ(h.log.reports[0].field("Line Number"), "101");
}

TEST(CaliforniaCalculator, ExplainsLimitDeductionBracketAndCredit)
{
    test::Harness h;
    h.r.StateDeps = 1;
    h.settings.save("StateInfo", "staExmp", "1");
    h.state(&CalifTax, 500_usd);
    std::vector<std::string> texts;
    for (const TraceLine& l : h.trace.lines) texts.push_back(l.text);
    for (const char* want : {"California estimated deductions 1 x 19.23, in whole dollars", "California standard deduction",
                             "California single weekly table: 9.35 + 6 % of the excess over 379.00",
                             "California exemption credit 1 x 1.3846, to cents"}) {
        SCOPED_TRACE(want);
        EXPECT_NE(std::find(texts.begin(), texts.end(), want), texts.end());
    }
}

TEST(CaliforniaCalculator, ReachedFromTheStateList)
{
    test::Harness h;
    h.in.txtIncome = "162";
    h.r.HowOft = 0;
    h.r.StateAdd = 10_usd;
    h.r.intState = static_cast<std::int16_t>(findState("California"));
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.sTax, 0_usd);
    h.in.txtIncome = "500";
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.sTax, 13.49_usd + 10_usd);
}

}  // namespace
}  // namespace wm
