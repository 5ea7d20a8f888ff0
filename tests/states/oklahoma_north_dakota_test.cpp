// Oklahoma (annual table by filing status, cap and surtax) and North Dakota
// (a share of the federal withholding).
#include <gtest/gtest.h>

#include "states/calculators.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using Case = test::StateCase;

class OklahomaNorthDakota : public ::testing::TestWithParam<Case> {};

TEST_P(OklahomaNorthDakota, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Oklahoma, OklahomaNorthDakota,
    ::testing::Values(
        // 22,560 exactly: no surtax. Deduction 2,000, allowance 15 % of 18,160 = 2,724:
        // 17,836 taxed 867.50 + 10 % of 1,836 = 1,051.10, over 24 = 43.7958.
        Case{"AtTheCapNoSurtax", &Oklahoma, 940_usd, {.HowOft = 1}, 44_usd},
        // 30,000: the same 1,051.10 plus 6.75 % of 7,440 = 502.20, over 12 = 129.4417.
        Case{"AboveTheCapSurtax", &Oklahoma, 2500_usd, {.HowOft = 3}, 129_usd},
        // 39,000 capped; 7,350 for both spouses: 18,278.50 taxed 709.50 + 9 % of
        // 278.50, plus 6.75 % of 16,440, over 26 = 70.9333.
        Case{"MarriedWithSurtax", &Oklahoma, 1500_usd, {.intSMarried = 3}, 71_usd},
        // 20,800 less 2,000, 2 x 1,000 and 15 % of (20,800 - 5,600 - 4,400):
        // 15,180 taxed 552.50 + 9 % of 2,680 = 793.70, over 26 = 30.5269.
        Case{"SingleTwoExemptions", &Oklahoma, 800_usd, {.StateDeps = 2}, 31_usd},
        // Spouse employed: 793.70 x 1.16 = 920.692, over 26 = 35.4112.
        Case{"SpouseEmployedTimesOneSixteen", &Oklahoma, 800_usd, {.intSMarried = 8, .StateDeps = 2}, 35_usd},
        // Whole dollars come before the additional withholding.
        Case{"WholeDollarsThenAdditional", &Oklahoma, 800_usd, {.StateDeps = 2, .StateAdd = 0.75_usd}, 31.75_usd},
        // 5,200: 15 % is 780, raised to 1,000; 4,080 taxed 45 + 3 % of 330 = 54.90, over 52.
        Case{"StandardDeductionFloor", &Oklahoma, 100_usd, {.HowOft = 0}, 1_usd},
        // 2,800 x 20 and 1,000 x 20 are beyond 16-bit products; formed wide the
        // allowance is 15 % of -39,600 = -5,940: 4,740 taxed 74.70, over 26.
        Case{"ExemptionProductsBeyond16Bit", &Oklahoma, 800_usd, {.StateDeps = 20}, 3_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    NorthDakota, OklahomaNorthDakota,
    ::testing::Values(Case{"FourteenPercentOfFederal", &NorthDakota, 1000_usd, {.fTax = 100_usd}, 14_usd},
                      Case{"KeepsFourDecimals", &NorthDakota, 1000_usd, {.fTax = 123.45_usd}, 17.283_usd},
                      Case{"NoFederalGivesTheAdditional", &NorthDakota, 1000_usd, {.StateAdd = 3_usd}, 3_usd},
                      Case{"IndependentOfTheStateWages", &NorthDakota, 5_usd, {.fTax = 100_usd}, 14_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OklahomaCalculator, WorkingFields)
{
    test::Harness h;
    h.r.Freq = 52;
    h.state(&Oklahoma, 100_usd);
    EXPECT_EQ(h.r.stdDed, 1000_usd);
    // 5,200 - 1,000 - 15 % of (5,200 - 4,400)
    EXPECT_EQ(h.r.staxBase, 4080_usd);
    EXPECT_EQ(h.pass.lblModified, "Tax Code last modified: January 1, 2000");

    h.r.Freq = 12;
    h.state(&Oklahoma, 2500_usd);
    EXPECT_EQ(h.r.stdDed, 2000_usd);  // 15 % of the capped 22,560 is 3,384
}

// For small wages the federal estimate is negative and raises the taxable
// amount: 2,600 - 1,000 - 15 % of (2,600 - 4,400) = 1,870.
TEST(OklahomaCalculator, NegativeFederalAllowanceRaisesTheTaxableAmount)
{
    test::Harness h;
    h.r.Freq = 52;
    h.state(&Oklahoma, 50_usd);
    EXPECT_EQ(h.r.staxBase, 1870_usd);
}

// A filing status without a table: no bracket amount, but the surtax on
// the wages above the cap, the division and the additional amount remain.
TEST(OklahomaCalculator, FilingStatusWithoutTableKeepsTheSurtax)
{
    test::Harness h;
    h.r.Freq = 12;
    h.r.intSMarried = 5;
    h.r.StateAdd = 1_usd;
    h.state(&Oklahoma, 2500_usd);
    EXPECT_EQ(h.r.sTax, 43_usd);  // 502.20 / 12 = 41.85 -> 42, + 1
    EXPECT_EQ(h.pass.notice,
              "No Oklahoma table applies to the chosen state filing status. Choose \"Single\", \"Married, claiming for "
              "both spouses (M)\" or \"Married. Spouse IS employed.\" in Set State Options.");
}

TEST(OklahomaCalculator, NoPeriodsPerYearIsADivisionByZero)
{
    test::Harness h;
    h.r.Freq = 0;
    EXPECT_FALSE(runCommand([&] { h.state(&Oklahoma, 1000_usd); }));
    EXPECT_EQ(h.errors.last.number, err::kDivisionByZero);
    EXPECT_EQ(h.errors.last.procedure, "Oklahoma");
}

TEST(NorthDakotaCalculator, LeavesTheCaptionAndWorkingFields)
{
    test::Harness h;
    h.r.fTax = 100_usd;
    h.state(&NorthDakota, 1000_usd);
    EXPECT_EQ(h.pass.lblModified, "");
    EXPECT_EQ(h.r.staxBase, 0_usd);
}

// The calculation as the command runs it: the federal withholding of the
// same pass feeds North Dakota.
TEST(NorthDakotaCalculator, UsesThePassFederalWithholding)
{
    test::Harness h;
    h.in.txtIncome = "600";
    h.r.HowOft = 0;
    h.r.valMarried = 1;
    h.r.intState = 30;
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.fTax, 90.67_usd);
    EXPECT_EQ(h.r.sTax, 12.6938_usd);  // 14 % of 90.67
}

}  // namespace
}  // namespace wm
