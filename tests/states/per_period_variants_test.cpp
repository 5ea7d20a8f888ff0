// Utah, District of Columbia, Ohio, West Virginia.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "states/calculators.h"
#include "states/table_catalog.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using Case = test::StateCase;

class Variants : public ::testing::TestWithParam<Case> {};

TEST_P(Variants, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Utah, Variants,
    ::testing::Values(
        // 69.00 belongs to the 3.1 % bracket: 1 + 0.
        Case{"MarriedWeeklyThresholdBelongsAbove", &Utah, 69_usd, {.HowOft = 0}, 1_usd},
        // 0.023 x 28.99 = 0.66677, rounded to the whole dollar.
        Case{"MarriedWeeklyJustBelowThreshold", &Utah, 68.99_usd, {.HowOft = 0}, 1_usd},
        // Inclusive thresholds would give 1 + 0.039 x 14 = 1.546 -> 2.
        Case{"SingleWeeklyT4BelongsAbove", &Utah, 83_usd, {.HowOft = 0, .valMarried = 1}, 1_usd},
        Case{"SingleWeeklyJustBelowT3", &Utah, 68.99_usd, {.HowOft = 0, .valMarried = 1}, 0_usd},
        Case{"MarriedSingleRateUsesSingleTable", &Utah, 83_usd, {.HowOft = 0, .valMarried = 2}, 1_usd},
        // 0.023 x 108.6957 = 2.5000 (four decimals): the half goes to the even dollar.
        Case{"HalfDollarDownToEven", &Utah, 282.6957_usd, {.HowOft = 3}, 2_usd},
        // 3 + 0.031 x 16.129 = 3.5000: up to the even dollar.
        Case{"HalfDollarUpToEven", &Utah, 315.129_usd, {.HowOft = 3}, 4_usd},
        // 2 x 31 off 200 leaves 138: 3 + 0.048 x 11 = 3.528 -> 4.
        Case{"WholeDollarExemption", &Utah, 200_usd, {.HowOft = 0, .DepsNumber = 2}, 4_usd},
        // The additional amount is added after the rounding.
        Case{"AdditionalNotRounded", &Utah, 68.99_usd, {.HowOft = 0, .StateAdd = 0.40_usd}, 1.40_usd},
        // 32,767 x 135 does not fit 16 bits; the exemption is formed wide.
        Case{"LargestAllowanceCountNoOverflow", &Utah, 5000_usd, {.HowOft = 3, .DepsNumber = 32767, .StateAdd = 5_usd},
             5_usd},
        Case{"UnknownMaritalStatusAdditionalOnly", &Utah, 1000_usd, {.HowOft = 0, .valMarried = 5, .StateAdd = 2_usd},
             2_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DistrictOfColumbia, Variants,
    ::testing::Values(
        Case{"TableAWeeklyAtT1IsZero", &DCTax, 38.46_usd, {.HowOft = 0}, 0_usd},
        Case{"TableAWeeklyCentOverT1", &DCTax, 38.47_usd, {.HowOft = 0}, 0.0005_usd},
        Case{"TableAWeekly", &DCTax, 202.31_usd, {.HowOft = 0}, 8.44_usd},
        // Married (M) uses table A: 33.33 + 0.075 x 100.
        Case{"MarriedBothSpousesUsesTableA", &DCTax, 933.33_usd, {.HowOft = 3, .intSMarried = 3}, 40.83_usd},
        // Married filing separately: table B, 8.65 + 0.075 x 10.
        Case{"FilingSeparatelyUsesTableB", &DCTax, 202.31_usd, {.HowOft = 0, .intSMarried = 6}, 9.40_usd},
        // 2 x 57.08 off 500 leaves 385.84: 0.05 x 302.51.
        Case{"SemiMonthlyExemption", &DCTax, 500_usd, {.HowOft = 1, .DepsNumber = 2}, 15.1255_usd},
        Case{"TopBracket", &DCTax, 869.23_usd, {}, 53.74_usd},
        Case{"OtherFilingStatusAdditionalOnly", &DCTax, 1000_usd, {.HowOft = 0, .intSMarried = 1, .StateAdd = 2_usd},
             2_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Ohio, Variants,
    ::testing::Values(
        // 0.808 % of the amount, four decimals.
        Case{"WeeklyAtT1LowestRate", &Ohio, 96.15_usd, {.HowOft = 0}, 0.7769_usd},
        Case{"WeeklyCentOverT1", &Ohio, 96.16_usd, {.HowOft = 0}, 0.7802_usd},
        // Above 1,923 the top bracket continues from 96.28 at 8.075 %.
        Case{"WeeklyTopBracket", &Ohio, 2023_usd, {.HowOft = 0}, 104.355_usd},
        // Bi-weekly 3 x 25 off 300 leaves 225: 1.55 + 0.01615 x 32.70.
        Case{"BiweeklyWholeDollarExemption", &Ohio, 300_usd, {.DepsNumber = 3}, 2.0781_usd},
        // 2 x 54.17 off 2000 leaves 1891.66: 40.38 + 0.04845 x 225.02.
        Case{"MonthlyExemption", &Ohio, 2000_usd, {.HowOft = 3, .DepsNumber = 2}, 51.2822_usd},
        // 10 x 12.50 off 100 leaves -25: -0.202 takes from the additional 1.00.
        Case{"NegativeTaxableReducesAdditional", &Ohio, 100_usd, {.HowOft = 0, .DepsNumber = 10, .StateAdd = 1_usd},
             0.798_usd},
        Case{"NegativeBelowAdditionalIsZero", &Ohio, 0_usd, {.HowOft = 0, .DepsNumber = 15, .StateAdd = 1_usd}, 0_usd},
        Case{"LargestAllowanceCountNoOverflow", &Ohio, 1000_usd, {.DepsNumber = 32767, .StateAdd = 5_usd}, 0_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    WestVirginia, Variants,
    ::testing::Values(
        Case{"WeeklyLowestRate", &WestVirginia, 100_usd, {.HowOft = 0}, 3_usd},
        Case{"WeeklyAtT1", &WestVirginia, 192_usd, {.HowOft = 0}, 5.76_usd},
        Case{"WeeklyTopBracket", &WestVirginia, 1200_usd, {.HowOft = 0}, 56.37_usd},
        Case{"SemiMonthlySecondBracket", &WestVirginia, 1100_usd, {.HowOft = 1}, 40.12_usd},
        // The monthly table: 3 % up to 833.
        Case{"MonthlyAtT1", &WestVirginia, 833_usd, {.HowOft = 3}, 24.99_usd},
        // 166.67 off 1000 leaves 833.33: 24.99 + 0.04 x 0.33.
        Case{"MonthlyExemption", &WestVirginia, 1000_usd, {.HowOft = 3, .DepsNumber = 1}, 25.0032_usd},
        Case{"MonthlyThirdBracket", &WestVirginia, 3000_usd, {.HowOft = 3}, 116.255_usd},
        Case{"MonthlyTopBracket", &WestVirginia, 6000_usd, {.HowOft = 3}, 296.26_usd},
        // -38.46 x 3 % = -1.1538 takes from the additional 2.00.
        Case{"NegativeTaxableReducesAdditional", &WestVirginia, 0_usd,
             {.HowOft = 0, .DepsNumber = 1, .StateAdd = 2_usd}, 0.8462_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Variants, DateTexts)
{
    const std::pair<void (*)(Pass&), const char*> cases[] = {{&Utah, "January 1, 1999"},
                                                             {&DCTax, "January 1, 2000"},
                                                             {&Ohio, "January 1, 1987"},
                                                             {&WestVirginia, "July 1, 1997"}};
    for (const auto& [calculator, date] : cases) {
        SCOPED_TRACE(date);
        test::Harness h;
        h.state(calculator, 100_usd);
        EXPECT_EQ(h.pass.lblModified, std::string("Tax Code last modified: ") + date);
    }
}

TEST(Variants, NoTableNamesTheOptionToVisit)
{
    test::Harness h;
    h.r.intSMarried = 9;
    h.state(&DCTax, 1000_usd);
    EXPECT_EQ(h.pass.notice,
              "No District of Columbia table applies to the chosen filing status. Choose \"Single\", \"Married, "
              "claiming for both spouses (M)\" or \"Married Filing Separately\" in Set State Options.");
    h.r.intSMarried = 6;
    h.state(&DCTax, 1000_usd);
    EXPECT_EQ(h.pass.notice, "");
}

TEST(Variants, UnknownFrequencyComputesNoBracketAmount)
{
    for (void (*calculator)(Pass&) : {&Utah, &DCTax, &Ohio, &WestVirginia}) {
        test::Harness h;
        h.r.HowOft = 4;
        h.r.DepsNumber = 1;
        h.r.StateAdd = 3_usd;
        h.state(calculator, 1000_usd);
        EXPECT_EQ(h.r.sTax, 3_usd);
        EXPECT_EQ(h.r.PersExmp, Currency());
        EXPECT_NE(h.pass.notice.find("pay frequency"), std::string::npos) << h.pass.notice;
    }
}

TEST(Variants, StateWagesHonourTheStateExclusions)
{
    // West Virginia weekly, gross 1000 with 100 of 401(k) excluded: 900 is
    // in the 6 % bracket, 30.28 + 0.06 x 131.
    test::Harness h;
    h.settings.save("StateInfo", "sta401", "Y");
    h.r.amt401k = 100_usd;
    h.state(&WestVirginia, 1000_usd);
    EXPECT_EQ(formatFixed4(h.r.sTax), "38.1400");
}

TEST(Variants, ExplainRoundingAndTable)
{
    test::Harness h;
    h.r.DepsNumber = 1;
    h.state(&Utah, 100_usd);  // 69 taxable: 1 + 0
    std::vector<std::string> lines;
    for (const TraceLine& l : h.trace.lines) lines.push_back(l.text);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Utah exemption 1 x 31.00"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Utah married weekly table: 1.00 + 3.1 % of the excess over 69.00"),
              lines.end());
    h.trace.lines.clear();
    h.r.DepsNumber = 0;
    h.state(&Utah, 68.99_usd);
    bool rounded = false;
    for (const TraceLine& l : h.trace.lines) rounded |= l.text.rfind("Rounded to whole dollars", 0) == 0 && l.amount == 1_usd;
    EXPECT_TRUE(rounded);
}

TEST(Variants, SameResultWithoutExplanation)
{
    test::Harness h;
    h.pass.trace = nullptr;
    h.r.HowOft = 1;
    h.r.DepsNumber = 2;
    h.state(&Ohio, 3000_usd);
    // 2 x 27.08 off 3000 leaves 2945.84: 60.56 + 0.05653 x 1279.20.
    EXPECT_EQ(formatFixed4(h.r.sTax), "132.8732");
}

// Utah's bases are the schedule's running amounts rounded to whole dollars.
TEST(VariantsTableData, UtahBasesAreWholeDollarRunningAmounts)
{
    int checked = 0;
    for (const CatalogTable& t : perPeriodVariantsCatalog()) {
        if (t.name.rfind("Utah", 0) != 0) continue;
        SCOPED_TRACE(t.name);
        ++checked;
        const auto& rows = t.table.brackets;
        double running = 0;
        for (std::size_t k = 1; k < rows.size(); ++k) {
            running += rows[k - 1].rate * (rows[k].over - rows[k - 1].over).toDouble();
            EXPECT_EQ(rows[k].base, std::floor(rows[k].base)) << "bracket " << k + 1;
            EXPECT_LE(std::abs(rows[k].base - running), 0.5) << "bracket " << k + 1;
        }
    }
    EXPECT_EQ(checked, 8);
}

// Where the lowest bracket has a rate, B(1) is that rate at T(1).
TEST(VariantsTableData, FirstBaseContinuesTheLowestBracket)
{
    for (const CatalogTable& t : perPeriodVariantsCatalog()) {
        if (t.table.lowestRate == 0) continue;
        SCOPED_TRACE(t.name);
        const Bracket& first = t.table.brackets.front();
        EXPECT_NEAR(first.base, t.table.lowestRate * first.over.toDouble(), 0.005);
    }
}

}  // namespace
}  // namespace wm
