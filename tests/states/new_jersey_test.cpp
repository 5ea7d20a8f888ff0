// New Jersey: tables by rate letter and frequency, 1.5 % lowest bracket.
#include <gtest/gtest.h>

#include <algorithm>

#include "states/calculators.h"
#include "states/registry.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using Case = test::StateCase;

class NewJerseyTax : public ::testing::TestWithParam<Case> {};

TEST_P(NewJerseyTax, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Tables, NewJerseyTax,
    ::testing::Values(
        // A threshold stays in the bracket below: 1.5 % of 384.
        Case{"RateAWeeklyAtFirstThreshold", &NewJersey, 384_usd, {.HowOft = 0}, 5.76_usd},
        Case{"RateAWeeklyOneDollarOver", &NewJersey, 385_usd, {.HowOft = 0}, 5.78_usd},
        Case{"RateAWeeklyTopBracket", &NewJersey, 1500_usd, {.HowOft = 0}, 60.40_usd},
        // 49.99 + 5.8 % of 5,417: four decimals kept, no rounding to cents.
        Case{"RateEMonthlyAtTopThreshold", &NewJersey, 8333_usd, {.HowOft = 3, .StateRate = 4}, 364.176_usd},
        Case{"RateEMonthlyOverTopThreshold", &NewJersey, 8334_usd, {.HowOft = 3, .StateRate = 4}, 364.245_usd},
        Case{"RateBSemiMonthly", &NewJersey, 3000_usd, {.HowOft = 1, .StateRate = 1}, 63.266_usd},
        Case{"RateCBiweekly", &NewJersey, 2000_usd, {.StateRate = 2}, 42.695_usd},
        Case{"RateDMonthlyTop", &NewJersey, 13000_usd, {.HowOft = 3, .StateRate = 3}, 586.68_usd},
        // Two allowances: 2 x 19.20 leaves 384.00.
        Case{"TwoAllowancesWeekly", &NewJersey, 422.40_usd, {.HowOft = 0, .StateDeps = 2}, 5.76_usd},
        Case{"AdditionalWithholdingAdded", &NewJersey, 384_usd, {.HowOft = 0, .StateAdd = 4_usd}, 9.76_usd},
        // Allowances above the wages: 1.5 % of the negative amount is taken off
        // the additional withholding before the floor at zero.
        Case{"AllowancesAboveWagesOffsetTheAdditionalAmount", &NewJersey, 100_usd,
             {.HowOft = 0, .StateDeps = 15, .StateAdd = 3_usd}, 0.18_usd},
        Case{"MostAllowancesDoNotOverflow", &NewJersey, 1000_usd, {.HowOft = 3, .StateDeps = 32767}, 0_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NewJerseyCalculator, WritesAllowanceAndTaxable)
{
    test::Harness h;
    h.r.StateDeps = 2;
    h.state(&NewJersey, 1000_usd);
    EXPECT_EQ(h.r.PersExmp, 38.40_usd);
    EXPECT_EQ(h.r.staxBase, 961.60_usd);
    EXPECT_EQ(h.pass.lblModified, "Tax Code last modified: January 1, 1996");
}

TEST(NewJerseyCalculator, RateWithoutTableGivesAdditionalOnly)
{
    for (std::int16_t rate : {std::int16_t(5), std::int16_t(-1)}) {
        SCOPED_TRACE(rate);
        test::Harness h;
        h.r.StateRate = rate;
        h.r.StateAdd = 2_usd;
        h.state(&NewJersey, 1000_usd);
        EXPECT_EQ(h.r.sTax, 2_usd);
        EXPECT_EQ(h.pass.notice,
                  "No New Jersey table applies to the chosen rate. Choose Rate A to E in Set State Options.");
    }
}

TEST(NewJerseyCalculator, UnknownFrequencyGivesAdditionalOnly)
{
    test::Harness h;
    h.r.HowOft = 6;
    h.r.StateDeps = 1;
    h.r.StateAdd = 2_usd;
    h.state(&NewJersey, 1000_usd);
    EXPECT_EQ(h.r.sTax, 2_usd);
    EXPECT_EQ(h.r.PersExmp, 0_usd);
    EXPECT_EQ(h.pass.notice,
              "No New Jersey table applies to the chosen pay frequency. Choose the pay frequency on the calculator.");
}

TEST(NewJerseyCalculator, ExplainsAllowancesAndBracket)
{
    test::Harness h;
    h.r.StateRate = 4;
    h.r.StateDeps = 2;
    h.state(&NewJersey, 1000_usd);
    std::vector<std::string> texts;
    for (const TraceLine& l : h.trace.lines) texts.push_back(l.text);
    for (const char* want : {"New Jersey allowances 2 x 19.20",
                             "New Jersey Rate E weekly table: 11.54 + 5.8 % of the excess over 673.00"}) {
        SCOPED_TRACE(want);
        EXPECT_NE(std::find(texts.begin(), texts.end(), want), texts.end());
    }
}

TEST(NewJerseyCalculator, ReachedFromTheStateList)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    h.r.HowOft = 0;
    h.r.StateRate = 4;
    h.r.StateDeps = 2;
    h.r.StateAdd = 5_usd;
    h.r.intState = static_cast<std::int16_t>(findState("New Jersey"));
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.sTax, 33.2788_usd);
}

}  // namespace
}  // namespace wm
