// New Mexico, Rhode Island, Vermont, Kansas: tables applied to one period.
#include <gtest/gtest.h>

#include "states/calculators.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using Case = test::StateCase;

class PerPeriod : public ::testing::TestWithParam<Case> {};

TEST_P(PerPeriod, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Tables, PerPeriod,
    ::testing::Values(
        // A threshold belongs to the lower bracket: 0.017 x (239 - 86).
        Case{"NewMexicoAtThresholdStaysLow", &NewMexico, 239_usd, {.HowOft = 0}, 2.601_usd},
        // Four decimals are kept: 2.62 + 0.032 x 1.
        Case{"NewMexicoKeepsFourDecimals", &NewMexico, 240_usd, {.HowOft = 0}, 2.652_usd},
        Case{"NewMexicoAtT1IsZero", &NewMexico, 86_usd, {.HowOft = 0}, 0_usd},
        Case{"NewMexicoAtT1PlusAdditional", &NewMexico, 86_usd, {.HowOft = 0, .StateAdd = 5_usd}, 5_usd},
        // Single monthly above 5,546 is 8.5 %: 338.13 + 0.085 x 454.
        Case{"NewMexicoSingleMonthlyTopRate", &NewMexico, 6000_usd, {.HowOft = 3, .valMarried = 1}, 376.72_usd},
        // Married at the single rate uses the single table.
        Case{"NewMexicoMarriedSingleRateUsesSingle", &NewMexico, 6000_usd, {.HowOft = 3, .valMarried = 2}, 376.72_usd},
        // Exemption 2 x 52.88 = 105.76 leaves 894.24: 33.23 + 0.071 x 39.24.
        Case{"NewMexicoExemptionComesOff", &NewMexico, 1000_usd, {.HowOft = 0, .DepsNumber = 2}, 36.016_usd},
        Case{"NewMexicoLargeExemptionGivesAdditionalOnly", &NewMexico, 100_usd,
             {.HowOft = 0, .DepsNumber = 15, .StateAdd = 5_usd}, 5_usd},
        // 913 is Rhode Island's second married weekly threshold: 0.039 x 789.
        Case{"RhodeIslandSecondThreshold", &RhodeIsland, 913_usd, {.HowOft = 0}, 30.771_usd},
        Case{"RhodeIslandAboveSecondThreshold", &RhodeIsland, 914_usd, {.HowOft = 0}, 31.533_usd},
        // Vermont's is 931: 0.036 x 807.
        Case{"VermontSecondThreshold", &Vermont, 931_usd, {.HowOft = 0}, 29.052_usd},
        Case{"VermontSingleBiweekly", &Vermont, 1100_usd, {.valMarried = 1}, 39.54_usd},
        // Kansas single bi-weekly is the married weekly table.
        Case{"KansasSingleBiweeklyIsMarriedWeekly", &Kansas, 700_usd, {.valMarried = 1}, 20.69_usd},
        Case{"KansasMarriedWeekly", &Kansas, 700_usd, {.HowOft = 0}, 20.69_usd},
        // 28.13 + 0.0645 x 65: the top bracket continues the one below.
        Case{"KansasSingleWeeklyTop", &Kansas, 700_usd, {.HowOft = 0, .valMarried = 1}, 32.3225_usd}),
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
