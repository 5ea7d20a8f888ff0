// Connecticut: annual wages, the phased-out exemption, the two-rate tax,
// the single-precision credit fraction and the division back to a period.
#include <gtest/gtest.h>

#include <algorithm>

#include "states/calculators.h"
#include "states/registry.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using Case = test::StateCase;

class ConnecticutTax : public ::testing::TestWithParam<Case> {};

TEST_P(ConnecticutTax, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Codes, ConnecticutTax,
    ::testing::Values(
        // 24,000 a year: exemption 12,000, tax 390, credit row 0.15 held as
        // 0.15000000596: 331.4999977 -> 331.5000, / 12.
        Case{"RateAAtFullExemptionLimit", &Connecticut, 2000_usd, {.HowOft = 3}, 27.625_usd, 12000_usd},
        // 24,000.12 a year: one step over the limit, exemption 11,000.
        Case{"RateAJustOverLimitLosesOneStep", &Connecticut, 2000.01_usd, {.HowOft = 3}, 30.8129_usd, 13000.12_usd},
        // 34,999.92: the last step, exemption 1,000; 35,000.04: none.
        Case{"RateALastExemptionStep", &Connecticut, 2916.66_usd, {.HowOft = 3}, 103.4997_usd, 33999.92_usd},
        Case{"RateAAboveLastStepNoExemption", &Connecticut, 2916.67_usd, {.HowOft = 3}, 106.8751_usd, 35000.04_usd},
        // 36,000: tax 300 + 4.5 % of 26,000 = 1,470, credit 0.10: 1,323.
        Case{"RateANoExemptionTenPercentCredit", &Connecticut, 3000_usd, {.HowOft = 3}, 110.25_usd, 36000_usd},
        // Rate B: threshold 16,000, exemption 19,000, credit 0.15.
        Case{"RateBThresholdSixteenThousand", &Connecticut, 3000_usd, {.HowOft = 3, .StateRate = 1}, 37.1875_usd,
             17000_usd},
        // Rate C: threshold 20,000, credit 0.35 (0.34999999404).
        Case{"RateCThreePercentOnly", &Connecticut, 3000_usd, {.HowOft = 3, .StateRate = 2}, 19.5_usd, 12000_usd},
        Case{"RateCAboveLastCreditLimit", &Connecticut, 3865.39_usd, {.StateRate = 2}, 162.4041_usd, 100500.14_usd},
        // Rate D has no credit: 390 / 12.
        Case{"RateDNoCredit", &Connecticut, 3000_usd, {.HowOft = 3, .StateRate = 3}, 32.5_usd, 12000_usd},
        Case{"RateBBiweekly", &Connecticut, 1500_usd, {.StateRate = 1}, 23.0481_usd, 21000_usd},
        Case{"AdditionalWithholdingAdded", &Connecticut, 3000_usd, {.HowOft = 3, .StateRate = 3, .StateAdd = 2.5_usd},
             35_usd, 12000_usd},
        // Exemption above the wages: the negative 3 % amount is taken off the
        // additional withholding before the floor at zero.
        Case{"ExemptionAboveWagesOffsetsTheAdditionalAmount", &Connecticut, 100_usd, {.HowOft = 3, .StateAdd = 5_usd},
             0_usd, -10800_usd}),
    [](const auto& info) { return std::string(info.param.name); });

// Periods per year come from the pay frequency that annualized the wages, so
// a frequency the Calculate command has not set yet does not divide by zero.
TEST(ConnecticutCalculator, DividesByTheFrequencysPeriods)
{
    test::Harness h;
    h.r.HowOft = 3;
    h.r.Freq = 0;
    h.r.StateRate = 3;
    h.state(&Connecticut, 3000_usd);
    EXPECT_EQ(h.r.sTax, 32.5_usd);
    EXPECT_EQ(h.log.reports.size(), 0u);
}

struct NoTableCase {
    const char* name;
    std::int16_t howOft;
    std::int16_t rate;
    const char* notice;
};

class ConnecticutNoTable : public ::testing::TestWithParam<NoTableCase> {};

TEST_P(ConnecticutNoTable, AdditionalOnlyAndNotice)
{
    const NoTableCase& c = GetParam();
    test::Harness h;
    h.r.HowOft = c.howOft;
    h.r.Freq = 12;
    h.r.StateRate = c.rate;
    h.r.StateAdd = 3_usd;
    h.state(&Connecticut, 3000_usd);
    EXPECT_EQ(h.r.sTax, 3_usd);
    EXPECT_EQ(h.pass.notice, c.notice);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ConnecticutNoTable,
    ::testing::Values(NoTableCase{"RateE", 3, 4,
                                  "No Connecticut table applies to the chosen withholding code. Choose Rate A to D "
                                  "in Set State Options."},
                      NoTableCase{"NegativeRate", 3, -1,
                                  "No Connecticut table applies to the chosen withholding code. Choose Rate A to D "
                                  "in Set State Options."},
                      NoTableCase{"UnknownFrequency", 9, 0,
                                  "No Connecticut table applies to the chosen pay frequency. Choose the pay frequency "
                                  "on the calculator."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConnecticutCalculator, ExplainsEachStage)
{
    test::Harness h;
    h.r.HowOft = 2;
    h.r.StateRate = 1;
    h.state(&Connecticut, 1500_usd);
    std::vector<std::string> texts;
    for (const TraceLine& l : h.trace.lines) texts.push_back(l.text);
    for (const char* want : {"Connecticut annual wages (26 pay periods)", "Connecticut personal exemption, Rate B",
                             "Connecticut Rate B annual table: 480.00 + 4.5 % of the excess over 16,000.00",
                             "Connecticut tax less the personal credit of 15 %",
                             "Annual amount over 26 pay periods"}) {
        SCOPED_TRACE(want);
        EXPECT_NE(std::find(texts.begin(), texts.end(), want), texts.end());
    }
    EXPECT_EQ(h.pass.lblModified, "Tax Code last modified: July 1, 1998");
}

TEST(ConnecticutCalculator, ReachedFromTheStateList)
{
    test::Harness h;
    h.in.txtIncome = "1500";
    h.r.HowOft = 2;
    h.r.StateRate = 1;
    h.r.intState = static_cast<std::int16_t>(findState("Connecticut"));
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.sTax, 23.0481_usd);
}

}  // namespace
}  // namespace wm
