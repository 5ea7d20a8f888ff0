// California: estimated deductions, the low-income limit, the standard
// deduction, the tables and the exemption credit.
#include <gtest/gtest.h>

#include <algorithm>

#include "states/calculators.h"
#include "states/registry.h"
#include "support/harness.h"

namespace wm {
namespace {

struct Case {
    const char* name;
    std::int16_t howOft;
    std::int16_t intSMarried;
    std::int16_t depsNumber;  // federal allowances
    std::int16_t stateDeps;   // allowances for the exemption credit
    const char* staExmp;      // estimated-deduction allowances, as saved
    Currency gross;
    Currency stateAdd;
    Currency taxable;
    Currency persExmp;
    Currency expected;
};

class CaliforniaTax : public ::testing::TestWithParam<Case> {};

TEST_P(CaliforniaTax, StateTax)
{
    const Case& c = GetParam();
    test::Harness h;
    h.r.HowOft = c.howOft;
    h.r.intSMarried = c.intSMarried;
    h.r.DepsNumber = c.depsNumber;
    h.r.StateDeps = c.stateDeps;
    h.r.StateAdd = c.stateAdd;
    h.settings.save("StateInfo", "staExmp", c.staExmp);
    h.state(&CalifTax, c.gross);
    EXPECT_EQ(formatFixed4(h.r.staxBase), formatFixed4(c.taxable));
    EXPECT_EQ(formatFixed4(h.r.PersExmp), formatFixed4(c.persExmp));
    EXPECT_EQ(formatFixed4(h.r.sTax), formatFixed4(c.expected));
    EXPECT_EQ(h.pass.notice, "");
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CaliforniaTax,
    ::testing::Values(
        // At the limit nothing is withheld, not even the additional amount.
        Case{"SingleWeeklyAtLowIncomeLimit", 0, 0, 0, 0, "0", 162_usd, 10_usd, 162_usd, {}, 0_usd},
        // 162.01 - 52 = 110.01: 1.01 + 2 % of 9.01.
        Case{"SingleWeeklyJustAboveLimit", 0, 0, 0, 0, "0", 162.01_usd, {}, 110.01_usd, {}, 1.1902_usd},
        Case{"StatusEightUsesSingleTables", 0, 8, 0, 0, "0", 162.01_usd, {}, 110.01_usd, {}, 1.1902_usd},
        // Married with two federal allowances: limit 323, deduction 104.
        Case{"MarriedTwoAllowancesAtLargerLimit", 0, 3, 2, 0, "0", 323_usd, 5_usd, 323_usd, {}, 0_usd},
        Case{"MarriedTwoAllowancesLargerDeduction", 0, 3, 2, 0, "0", 400_usd, {}, 296_usd, {}, 3.90_usd},
        Case{"MarriedOneAllowanceSmallerDeduction", 0, 3, 1, 0, "0", 400_usd, {}, 348_usd, {}, 4.94_usd},
        Case{"MarriedNegativeAllowancesSmallerPair", 0, 3, -1, 0, "0", 200_usd, {}, 148_usd, {}, 1.48_usd},
        // 72.60 + 8 % of (2,200 - 2,102), measured from the bracket's own threshold.
        Case{"MarriedBiweeklyEightPercentBracket", 2, 3, 0, 0, "0", 2304_usd, {}, 2200_usd, {}, 80.44_usd},
        Case{"HeadOfHouseholdMonthly", 3, 9, 0, 0, "0", 3000_usd, {}, 2548_usd, {}, 51.54_usd},
        // One estimated-deduction allowance: 19.23 becomes 19.
        Case{"EstimatedDeductionInWholeDollars", 0, 0, 0, 0, "1", 500_usd, {}, 429_usd, {}, 12.35_usd},
        // 50 x 83.33 = 4,166.50 goes to the even dollar 4,166.
        Case{"EstimatedDeductionHalfDollarToEven", 3, 0, 0, 0, "50", 10000_usd, {}, 5608_usd, {}, 380.547_usd},
        // Credit 1.3846 rounds to 1.38: 13.49 - 1.38.
        Case{"WeeklyCreditToCents", 0, 0, 0, 1, "0", 500_usd, {}, 448_usd, 1.38_usd, 12.11_usd},
        Case{"SemiMonthlyCreditThreePerAllowance", 1, 0, 0, 2, "0", 1000_usd, {}, 887_usd, 6_usd, 18.21_usd},
        // 3 x 2.7692 = 8.3076 becomes 8.31: 27.00 - 8.31.
        Case{"BiweeklyCreditToCents", 2, 0, 0, 3, "0", 1000_usd, {}, 896_usd, 8.31_usd, 18.69_usd},
        // Credit 2.77 above the tax 1.35: the additional 5.00 less the rest.
        Case{"CreditAboveTaxReducesAdditional", 0, 0, 0, 2, "0", 170_usd, 5_usd, 118_usd, 2.77_usd, 3.58_usd},
        Case{"CreditAboveTaxWithholdsNothing", 0, 0, 0, 2, "0", 170_usd, {}, 118_usd, 2.77_usd, 0_usd},
        // 6,000 x 6 held wide: a 16-bit product would overflow.
        Case{"ManyAllowancesCreditDoesNotOverflow", 3, 0, 0, 6000, "0", 5000_usd, {}, 4774_usd, 36000_usd, 0_usd}),
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
