// Virginia, Kentucky, Arkansas, South Carolina, Wisconsin: annual brackets
// brought back to one pay period.
#include <gtest/gtest.h>

#include <algorithm>

#include "states/calculators.h"
#include "states/table_catalog.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using Case = test::StateCase;

class AnnualBrackets : public ::testing::TestWithParam<Case> {};

TEST_P(AnnualBrackets, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Virginia, AnnualBrackets,
    ::testing::Values(
        // 26,000 - 1,850 = 24,150: 720 + 5.75 % of 7,150 = 1,131.125, over 26 = 43.5048 (not cents).
        Case{"BiweeklyTwoAllowances", &Virginia, 1000_usd, {.DepsNumber = 2}, 43.5048_usd},
        // 52 x 100 - 650 = 4,550: 60 + 3 % of 1,550 = 106.50.
        Case{"WeeklySecondBracket", &Virginia, 100_usd, {.HowOft = 0}, 2.0481_usd},
        // 600 x 100 + 650 is beyond a 16-bit product: 26,000 - 60,650 = -34,650,
        // 2 % of it is -693, over 26 = -26.6538, which takes from the additional 30.
        Case{"AllowancesBeyond16BitReduceTheAdditional", &Virginia, 1000_usd, {.DepsNumber = 100, .StateAdd = 30_usd},
             3.3462_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Kentucky, AnnualBrackets,
    ::testing::Values(
        // 26,000 - 1,700 = 24,300: 280 + 6 % of 16,300 = 1,258, less 2 x 20, over 26.
        Case{"BiweeklyTopBracketLessCredit", &Kentucky, 1000_usd, {.DepsNumber = 2}, 46.8462_usd},
        // 2,600 - 1,700 = 900: 2 % = 18, over 52.
        Case{"WeeklyLowestBracket", &Kentucky, 50_usd, {.HowOft = 0}, 0.3462_usd},
        // Credit 100 above a tax of 18: -82 / 52 = -1.5769 comes off the additional 2.
        Case{"CreditAboveTaxReducesTheAdditional", &Kentucky, 50_usd,
             {.HowOft = 0, .DepsNumber = 5, .StateAdd = 2_usd}, 0.4231_usd},
        Case{"CreditAboveTaxWithoutAdditionalIsZero", &Kentucky, 50_usd, {.HowOft = 0, .DepsNumber = 5}, 0_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Arkansas, AnnualBrackets,
    ::testing::Values(
        // 26,000 - 2,000 = 24,000: 480 + 6 % of 9,000 = 1,020, less 40, over 26.
        Case{"BiweeklyTwoAllowances", &Arkansas, 1000_usd, {.DepsNumber = 2}, 37.6923_usd},
        // The year follows the frequency (x 26), the division the periods per year (/ 52).
        Case{"FrequencyAndPeriodsDiffer", &Arkansas, 1000_usd, {.Freq = 52, .DepsNumber = 2}, 18.8462_usd},
        // An unknown frequency leaves the wages unmultiplied: 10,000 - 2,000 = 8,000,
        // 105 + 3.5 % of 2,000 = 175, over 12.
        Case{"UnknownFrequencyKeepsThePeriod", &Arkansas, 10000_usd, {.HowOft = 7, .Freq = 12}, 14.5833_usd},
        // 52 x 100 - 2,000 = 3,200: 30 + 2.5 % of 200 = 35, over 52.
        Case{"WeeklySecondBracket", &Arkansas, 100_usd, {.HowOft = 0}, 0.6731_usd},
        Case{"WeeklyAdditional", &Arkansas, 100_usd, {.HowOft = 0, .StateAdd = 1_usd}, 1.6731_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    SCarolina, AnnualBrackets,
    ::testing::Values(
        // No exemption, no standard deduction: 7 % of 12,000 - 300 = 540, over 12.
        Case{"ZeroExemptionsTaxTheWholeWages", &SCarolina, 1000_usd, {.HowOft = 3}, 45_usd},
        // 48,000: standard deduction 4,800 limited to 2,600, one exemption 2,300:
        // 7 % of 43,100 - 300 = 2,717, over 12.
        Case{"StandardDeductionLimited", &SCarolina, 4000_usd, {.HowOft = 3, .exemptions = "1"}, 226.4167_usd},
        // 15,600: 1,560 and 2 x 2,300 leave 9,440: 6 % - 200 = 366.40, over 52.
        Case{"StandardDeductionBelowLimit", &SCarolina, 300_usd, {.HowOft = 0, .exemptions = "2"}, 7.0462_usd},
        // A negative count keeps 10 % of the wages and takes no exemption:
        // 12,000 - 1,200 = 10,800: 7 % - 300 = 456, over 12.
        Case{"NegativeExemptionsKeepTenPercent", &SCarolina, 1000_usd, {.HowOft = 3, .exemptions = "-1"}, 38_usd},
        // The main calculator's count, not the allowances field.
        Case{"CountsTheExemptionsText", &SCarolina, 1000_usd, {.HowOft = 3, .DepsNumber = 5}, 45_usd},
        // 1,040 - 104 - 2,300 = -1,364: 2 % = -27.28, over 52 = -0.5246, off the additional 1.
        Case{"NegativeTaxReducesTheAdditional", &SCarolina, 20_usd,
             {.HowOft = 0, .StateAdd = 1_usd, .exemptions = "1"}, 0.4754_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Wisconsin, AnnualBrackets,
    ::testing::Values(
        // 26,000: 1,344 + 6.93 % of 2,000 = 1,482.60, less 40, over 26.
        Case{"MarriedBiweekly", &Wisconsin, 1000_usd, {.DepsNumber = 2}, 55.4846_usd},
        // 1,437 + 6.93 % of 1,000 = 1,506.30, less 40, over 26.
        Case{"Single", &Wisconsin, 1000_usd, {.valMarried = 1, .DepsNumber = 2}, 56.3962_usd},
        Case{"MarriedSingleRateUsesSingle", &Wisconsin, 1000_usd, {.valMarried = 2, .DepsNumber = 2}, 56.3962_usd},
        // Below the first threshold 2.55 % only without an allowance.
        Case{"NoAllowanceLowestBandTaxed", &Wisconsin, 300_usd, {.HowOft = 3, .valMarried = 1}, 7.65_usd},
        Case{"AllowanceLowestBandFree", &Wisconsin, 300_usd, {.HowOft = 3, .valMarried = 1, .DepsNumber = 1}, 0_usd},
        // 12 x 324.99 = 3,899.88 pays 2.55 %; 3,900.00 opens the 4.9 % bracket at zero.
        Case{"JustBelowFirstThreshold", &Wisconsin, 324.99_usd, {.HowOft = 3, .valMarried = 1}, 8.2872_usd},
        Case{"AtFirstThresholdBelongsAbove", &Wisconsin, 325_usd, {.HowOft = 3, .valMarried = 1}, 0_usd},
        // 12,000 belongs to the bracket it starts: 368 a year.
        Case{"MarriedAtTwelveThousand", &Wisconsin, 1000_usd, {.HowOft = 3}, 30.6667_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnnualBracketsCalculators, DateText)
{
    const std::pair<void (*)(Pass&), const char*> cases[] = {{&Virginia, "Tax Code last modified: January 1, 2000"},
                                                              {&Kentucky, "Tax Code last modified: January 1, 2000"},
                                                              {&SCarolina, "Tax Code last modified: January 1, 2000"},
                                                              {&Arkansas, ""},
                                                              {&Wisconsin, ""}};
    for (const auto& [calculator, caption] : cases) {
        SCOPED_TRACE(caption);
        test::Harness h;
        h.r.Freq = 26;
        h.state(calculator, 1000_usd);
        EXPECT_EQ(h.pass.lblModified, caption);
    }
}

// Kentucky's 5 % bracket starts at 5,000 itself; four periods a year make
// the annual taxable amount exactly 5,000.
TEST(AnnualBracketsCalculators, KentuckyAtFiveThousandUsesTheFivePercentBracket)
{
    test::Harness h;
    h.r.Freq = 4;
    h.state(&Kentucky, 1675_usd);
    EXPECT_EQ(h.r.staxBase, 5000_usd);
    EXPECT_EQ(h.r.sTax, 32.5_usd);  // 130 / 4
    const auto& lines = h.trace.lines;
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const TraceLine& l) {
                               return l.text == "Kentucky table: 130.00 + 5 % of the excess over 5,000.00";
                           }),
              lines.end());
}

// Arkansas takes only its allowance credit off the annual tax, whatever
// standard deduction another calculator left behind.
TEST(AnnualBracketsCalculators, ArkansasIgnoresALeftOverStandardDeduction)
{
    test::Harness h;
    h.r.HowOft = 2;
    h.r.Freq = 26;
    h.r.DepsNumber = 2;
    h.r.SSBase = 1000_usd;
    h.r.stdDed = 500_usd;
    Arkansas(h.pass);
    EXPECT_EQ(h.r.DepDed, 40_usd);
    EXPECT_EQ(h.r.sTax, 37.6923_usd);
}

TEST(AnnualBracketsCalculators, SCarolinaLeavesTheStateDependentsAlone)
{
    test::Harness h;
    h.r.Freq = 12;
    h.r.StateDeps = 7;
    h.in.exemptions = "2";
    h.state(&SCarolina, 1000_usd);
    EXPECT_EQ(h.r.StateDeps, 7);
    EXPECT_EQ(h.r.PersExmp, 4600_usd);
    EXPECT_EQ(h.r.stdDed, 1200_usd);
}

TEST(AnnualBracketsCalculators, SCarolinaExemptionsTextNotANumberIsReported)
{
    test::Harness h;
    h.r.Freq = 12;
    h.in.exemptions = "two";
    EXPECT_FALSE(runCommand([&] { h.state(&SCarolina, 1000_usd); }));
    ASSERT_EQ(h.log.reports.size(), 1u);
    EXPECT_EQ(h.errors.last.number, err::kTypeMismatch);
    EXPECT_EQ(h.errors.last.procedure, "SCarolina");
}

TEST(AnnualBracketsCalculators, NoPeriodsPerYearIsADivisionByZero)
{
    for (void (*calculator)(Pass&) : {&Virginia, &Kentucky, &Arkansas, &SCarolina, &Wisconsin}) {
        test::Harness h;
        h.r.Freq = 0;
        EXPECT_FALSE(runCommand([&] { h.state(calculator, 1000_usd); }));
        EXPECT_EQ(h.errors.last.number, err::kDivisionByZero);
    }
}

// With more wages the withholding never drops where a bracket starts
// (the lowest band, which only applies without allowances, aside).
TEST(AnnualBracketsData, WisconsinNeverFallsAtABracketStart)
{
    for (const CatalogTable& t : tableCatalog()) {
        if (t.name.rfind("Wisconsin", 0) != 0) continue;
        SCOPED_TRACE(t.name);
        const auto& rows = t.table.brackets;
        for (std::size_t k = 1; k < rows.size(); ++k) {
            const Currency start = rows[k].over;
            EXPECT_GE(evaluate(t.table, start).tax, evaluate(t.table, start - Currency::cents(1)).tax) << start.toDouble();
        }
    }
}

}  // namespace
}  // namespace wm
