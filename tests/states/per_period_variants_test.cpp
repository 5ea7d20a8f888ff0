// Utah, District of Columbia, Ohio, West Virginia.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "states/calculators.h"
#include "states/table_catalog.h"
#include "support/harness.h"

namespace wm {
namespace {

struct Case {
    const char* name;
    void (*calculator)(Pass&);
    std::int16_t howOft = 0;
    std::int16_t valMarried = 0;
    std::int16_t intSMarried = 0;
    std::int16_t deps = 0;
    Currency gross{};
    Currency stateAdd{};
    Currency expected{};
};

class Variants : public ::testing::TestWithParam<Case> {};

TEST_P(Variants, StateTax)
{
    const Case& c = GetParam();
    test::Harness h;
    h.r.HowOft = c.howOft;
    h.r.valMarried = c.valMarried;
    h.r.intSMarried = c.intSMarried;
    h.r.DepsNumber = c.deps;
    h.r.StateAdd = c.stateAdd;
    h.state(c.calculator, c.gross);
    EXPECT_EQ(formatFixed4(h.r.sTax), formatFixed4(c.expected));
    EXPECT_TRUE(h.log.reports.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Utah, Variants,
    ::testing::Values(
        // 69.00 belongs to the 3.1 % bracket: 1 + 0.
        Case{.name = "MarriedWeeklyThresholdBelongsAbove", .calculator = &Utah, .gross = 69_usd, .expected = 1_usd},
        // 0.023 x 28.99 = 0.66677, rounded to the whole dollar.
        Case{.name = "MarriedWeeklyJustBelowThreshold", .calculator = &Utah, .gross = 68.99_usd, .expected = 1_usd},
        // Inclusive thresholds would give 1 + 0.039 x 14 = 1.546 -> 2.
        Case{.name = "SingleWeeklyT4BelongsAbove", .calculator = &Utah, .valMarried = 1, .gross = 83_usd, .expected = 1_usd},
        Case{.name = "SingleWeeklyJustBelowT3", .calculator = &Utah, .valMarried = 1, .gross = 68.99_usd, .expected = 0_usd},
        Case{.name = "MarriedSingleRateUsesSingleTable", .calculator = &Utah, .valMarried = 2, .gross = 83_usd, .expected = 1_usd},
        // 0.023 x 108.6957 = 2.5000 (four decimals): the half goes to the even dollar.
        Case{.name = "HalfDollarDownToEven", .calculator = &Utah, .howOft = 3, .gross = 282.6957_usd, .expected = 2_usd},
        // 3 + 0.031 x 16.129 = 3.5000: up to the even dollar.
        Case{.name = "HalfDollarUpToEven", .calculator = &Utah, .howOft = 3, .gross = 315.129_usd, .expected = 4_usd},
        // 2 x 31 off 200 leaves 138: 3 + 0.048 x 11 = 3.528 -> 4.
        Case{.name = "WholeDollarExemption", .calculator = &Utah, .deps = 2, .gross = 200_usd, .expected = 4_usd},
        // The additional amount is added after the rounding.
        Case{.name = "AdditionalNotRounded", .calculator = &Utah, .gross = 68.99_usd, .stateAdd = 0.40_usd, .expected = 1.40_usd},
        // 32,767 x 135 does not fit 16 bits; the exemption is formed wide.
        Case{.name = "LargestAllowanceCountNoOverflow", .calculator = &Utah, .howOft = 3, .deps = 32767,
             .gross = 5000_usd, .stateAdd = 5_usd, .expected = 5_usd},
        Case{.name = "UnknownMaritalStatusAdditionalOnly", .calculator = &Utah, .valMarried = 5, .gross = 1000_usd,
             .stateAdd = 2_usd, .expected = 2_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DistrictOfColumbia, Variants,
    ::testing::Values(
        Case{.name = "TableAWeeklyAtT1IsZero", .calculator = &DCTax, .gross = 38.46_usd, .expected = 0_usd},
        Case{.name = "TableAWeeklyCentOverT1", .calculator = &DCTax, .gross = 38.47_usd, .expected = 0.0005_usd},
        Case{.name = "TableAWeekly", .calculator = &DCTax, .gross = 202.31_usd, .expected = 8.44_usd},
        // Married (M) uses table A: 33.33 + 0.075 x 100.
        Case{.name = "MarriedBothSpousesUsesTableA", .calculator = &DCTax, .howOft = 3, .intSMarried = 3,
             .gross = 933.33_usd, .expected = 40.83_usd},
        // Married filing separately: table B, 8.65 + 0.075 x 10.
        Case{.name = "FilingSeparatelyUsesTableB", .calculator = &DCTax, .intSMarried = 6, .gross = 202.31_usd,
             .expected = 9.40_usd},
        // 2 x 57.08 off 500 leaves 385.84: 0.05 x 302.51.
        Case{.name = "SemiMonthlyExemption", .calculator = &DCTax, .howOft = 1, .deps = 2, .gross = 500_usd,
             .expected = 15.1255_usd},
        Case{.name = "TopBracket", .calculator = &DCTax, .howOft = 2, .gross = 869.23_usd, .expected = 53.74_usd},
        Case{.name = "OtherFilingStatusAdditionalOnly", .calculator = &DCTax, .intSMarried = 1, .gross = 1000_usd,
             .stateAdd = 2_usd, .expected = 2_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Ohio, Variants,
    ::testing::Values(
        // 0.808 % of the amount, four decimals.
        Case{.name = "WeeklyAtT1LowestRate", .calculator = &Ohio, .gross = 96.15_usd, .expected = 0.7769_usd},
        Case{.name = "WeeklyCentOverT1", .calculator = &Ohio, .gross = 96.16_usd, .expected = 0.7802_usd},
        // Above 1,923 the top bracket continues from 96.28 at 8.075 %.
        Case{.name = "WeeklyTopBracket", .calculator = &Ohio, .gross = 2023_usd, .expected = 104.355_usd},
        // Bi-weekly 3 x 25 off 300 leaves 225: 1.55 + 0.01615 x 32.70.
        Case{.name = "BiweeklyWholeDollarExemption", .calculator = &Ohio, .howOft = 2, .deps = 3, .gross = 300_usd,
             .expected = 2.0781_usd},
        // 2 x 54.17 off 2000 leaves 1891.66: 40.38 + 0.04845 x 225.02.
        Case{.name = "MonthlyExemption", .calculator = &Ohio, .howOft = 3, .deps = 2, .gross = 2000_usd,
             .expected = 51.2822_usd},
        // 10 x 12.50 off 100 leaves -25: -0.202 takes from the additional 1.00.
        Case{.name = "NegativeTaxableReducesAdditional", .calculator = &Ohio, .deps = 10, .gross = 100_usd,
             .stateAdd = 1_usd, .expected = 0.798_usd},
        Case{.name = "NegativeBelowAdditionalIsZero", .calculator = &Ohio, .deps = 15, .gross = 0_usd,
             .stateAdd = 1_usd, .expected = 0_usd},
        Case{.name = "LargestAllowanceCountNoOverflow", .calculator = &Ohio, .howOft = 2, .deps = 32767,
             .gross = 1000_usd, .stateAdd = 5_usd, .expected = 0_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    WestVirginia, Variants,
    ::testing::Values(
        Case{.name = "WeeklyLowestRate", .calculator = &WestVirginia, .gross = 100_usd, .expected = 3_usd},
        Case{.name = "WeeklyAtT1", .calculator = &WestVirginia, .gross = 192_usd, .expected = 5.76_usd},
        Case{.name = "WeeklyTopBracket", .calculator = &WestVirginia, .gross = 1200_usd, .expected = 56.37_usd},
        Case{.name = "SemiMonthlySecondBracket", .calculator = &WestVirginia, .howOft = 1, .gross = 1100_usd,
             .expected = 40.12_usd},
        // The monthly table: 3 % up to 833.
        Case{.name = "MonthlyAtT1", .calculator = &WestVirginia, .howOft = 3, .gross = 833_usd, .expected = 24.99_usd},
        // 166.67 off 1000 leaves 833.33: 24.99 + 0.04 x 0.33.
        Case{.name = "MonthlyExemption", .calculator = &WestVirginia, .howOft = 3, .deps = 1, .gross = 1000_usd,
             .expected = 25.0032_usd},
        Case{.name = "MonthlyThirdBracket", .calculator = &WestVirginia, .howOft = 3, .gross = 3000_usd,
             .expected = 116.255_usd},
        Case{.name = "MonthlyTopBracket", .calculator = &WestVirginia, .howOft = 3, .gross = 6000_usd,
             .expected = 296.26_usd},
        // -38.46 x 3 % = -1.1538 takes from the additional 2.00.
        Case{.name = "NegativeTaxableReducesAdditional", .calculator = &WestVirginia, .deps = 1, .gross = 0_usd,
             .stateAdd = 2_usd, .expected = 0.8462_usd}),
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
