// New Mexico, Rhode Island, Vermont, Kansas: tables applied to one period.
#include <gtest/gtest.h>

#include "states/calculators.h"
#include "support/harness.h"

namespace wm {
namespace {

struct Case {
    const char* name;
    void (*calculator)(Pass&);
    std::int16_t howOft;
    std::int16_t valMarried;
    std::int16_t deps;
    Currency gross;
    Currency stateAdd;
    Currency expected;
};

class PerPeriod : public ::testing::TestWithParam<Case> {};

TEST_P(PerPeriod, StateTax)
{
    const Case& c = GetParam();
    test::Harness h;
    h.r.HowOft = c.howOft;
    h.r.valMarried = c.valMarried;
    h.r.DepsNumber = c.deps;
    h.r.StateAdd = c.stateAdd;
    h.state(c.calculator, c.gross);
    EXPECT_EQ(formatFixed4(h.r.sTax), formatFixed4(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Tables, PerPeriod,
    ::testing::Values(
        // A threshold belongs to the lower bracket: 0.017 x (239 - 86).
        Case{"NewMexicoAtThresholdStaysLow", &NewMexico, 0, 0, 0, 239_usd, {}, 2.601_usd},
        // Four decimals are kept: 2.62 + 0.032 x 1.
        Case{"NewMexicoKeepsFourDecimals", &NewMexico, 0, 0, 0, 240_usd, {}, 2.652_usd},
        Case{"NewMexicoAtT1IsZero", &NewMexico, 0, 0, 0, 86_usd, {}, 0_usd},
        Case{"NewMexicoAtT1PlusAdditional", &NewMexico, 0, 0, 0, 86_usd, 5_usd, 5_usd},
        // Single monthly above 5,546 is 8.5 %: 338.13 + 0.085 x 454.
        Case{"NewMexicoSingleMonthlyTopRate", &NewMexico, 3, 1, 0, 6000_usd, {}, 376.72_usd},
        // Married at the single rate uses the single table.
        Case{"NewMexicoMarriedSingleRateUsesSingle", &NewMexico, 3, 2, 0, 6000_usd, {}, 376.72_usd},
        // Exemption 2 x 52.88 = 105.76 leaves 894.24: 33.23 + 0.071 x 39.24.
        Case{"NewMexicoExemptionComesOff", &NewMexico, 0, 0, 2, 1000_usd, {}, 36.016_usd},
        Case{"NewMexicoLargeExemptionGivesAdditionalOnly", &NewMexico, 0, 0, 15, 100_usd, 5_usd, 5_usd},
        // 913 is Rhode Island's second married weekly threshold: 0.039 x 789.
        Case{"RhodeIslandSecondThreshold", &RhodeIsland, 0, 0, 0, 913_usd, {}, 30.771_usd},
        Case{"RhodeIslandAboveSecondThreshold", &RhodeIsland, 0, 0, 0, 914_usd, {}, 31.533_usd},
        // Vermont's is 931: 0.036 x 807.
        Case{"VermontSecondThreshold", &Vermont, 0, 0, 0, 931_usd, {}, 29.052_usd},
        Case{"VermontSingleBiweekly", &Vermont, 2, 1, 0, 1100_usd, {}, 39.54_usd},
        // Kansas single bi-weekly is the married weekly table.
        Case{"KansasSingleBiweeklyIsMarriedWeekly", &Kansas, 2, 1, 0, 700_usd, {}, 20.69_usd},
        Case{"KansasMarriedWeekly", &Kansas, 0, 0, 0, 700_usd, {}, 20.69_usd},
        // 28.13 + 0.0645 x 65: the top bracket continues the one below.
        Case{"KansasSingleWeeklyTop", &Kansas, 0, 1, 0, 700_usd, {}, 32.3225_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PerPeriodCalculators, SetTheirDateText)
{
    test::Harness h;
    h.state(&Kansas, 100_usd);
    EXPECT_EQ(h.pass.lblModified, "Tax Code last modified: January 1, 1999");
    h.state(&NewMexico, 100_usd);
    EXPECT_EQ(h.pass.lblModified, "Tax Code last modified: January 1, 2000");
}

TEST(PerPeriodCalculators, UnknownFrequencyGivesNoticeAndOnlyTheAdditionalAmount)
{
    test::Harness h;
    h.r.HowOft = 7;
    h.r.StateAdd = 3_usd;
    h.state(&NewMexico, 1000_usd);
    EXPECT_EQ(h.r.sTax, 3_usd);
    EXPECT_EQ(h.pass.notice, "No New Mexico table applies to the chosen pay frequency.");
}

TEST(PerPeriodCalculators, ExplainTheBracket)
{
    test::Harness h;
    h.r.DepsNumber = 2;
    h.state(&NewMexico, 1000_usd);
    bool sawExemption = false, sawTable = false;
    for (const TraceLine& l : h.trace.lines) {
        sawExemption |= l.text == "New Mexico exemption 2 x 52.88";
        sawTable |= l.text == "New Mexico married weekly table: 33.23 + 7.1 % of the excess over 855.00";
    }
    EXPECT_TRUE(sawExemption);
    EXPECT_TRUE(sawTable);
}

}  // namespace
}  // namespace wm
