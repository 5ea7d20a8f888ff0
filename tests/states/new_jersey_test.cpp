// New Jersey: tables by rate letter and frequency, 1.5 % lowest bracket.
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
    std::int16_t rate;  // 0 = A .. 4 = E
    std::int16_t deps;
    Currency gross;
    Currency stateAdd;
    Currency expected;
};

class NewJerseyTax : public ::testing::TestWithParam<Case> {};

TEST_P(NewJerseyTax, StateTax)
{
    const Case& c = GetParam();
    test::Harness h;
    h.r.HowOft = c.howOft;
    h.r.StateRate = c.rate;
    h.r.StateDeps = c.deps;
    h.r.StateAdd = c.stateAdd;
    h.state(&NewJersey, c.gross);
    EXPECT_EQ(formatFixed4(h.r.sTax), formatFixed4(c.expected));
    EXPECT_EQ(h.pass.notice, "");
}

INSTANTIATE_TEST_SUITE_P(
    Tables, NewJerseyTax,
    ::testing::Values(
        // A threshold stays in the bracket below: 1.5 % of 384.
        Case{"RateAWeeklyAtFirstThreshold", 0, 0, 0, 384_usd, {}, 5.76_usd},
        Case{"RateAWeeklyOneDollarOver", 0, 0, 0, 385_usd, {}, 5.78_usd},
        Case{"RateAWeeklyTopBracket", 0, 0, 0, 1500_usd, {}, 60.40_usd},
        // 49.99 + 5.8 % of 5,417: four decimals kept, no rounding to cents.
        Case{"RateEMonthlyAtTopThreshold", 3, 4, 0, 8333_usd, {}, 364.176_usd},
        Case{"RateEMonthlyOverTopThreshold", 3, 4, 0, 8334_usd, {}, 364.245_usd},
        Case{"RateBSemiMonthly", 1, 1, 0, 3000_usd, {}, 63.266_usd},
        Case{"RateCBiweekly", 2, 2, 0, 2000_usd, {}, 42.695_usd},
        Case{"RateDMonthlyTop", 3, 3, 0, 13000_usd, {}, 586.68_usd},
        // Two allowances: 2 x 19.20 leaves 384.00.
        Case{"TwoAllowancesWeekly", 0, 0, 2, 422.40_usd, {}, 5.76_usd},
        Case{"AdditionalWithholdingAdded", 0, 0, 0, 384_usd, 4_usd, 9.76_usd},
        // Allowances above the wages: 1.5 % of the negative amount is taken off
        // the additional withholding before the floor at zero.
        Case{"AllowancesAboveWagesOffsetTheAdditionalAmount", 0, 0, 15, 100_usd, 3_usd, 0.18_usd},
        Case{"MostAllowancesDoNotOverflow", 3, 0, 32767, 1000_usd, {}, 0_usd}),
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
