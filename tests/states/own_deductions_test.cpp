// Oregon, North Carolina, New York.
#include <gtest/gtest.h>

#include <cmath>

#include "states/calculators.h"
#include "states/table_catalog.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using Case = test::StateCase;

class OwnDeductions : public ::testing::TestWithParam<Case> {};

TEST_P(OwnDeductions, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Oregon, OwnDeductions,
    ::testing::Values(
        // 58 x 2 off 500 leaves 384: 14 + 0.09 x 134 - 2 x 2.58.
        Case{"WeeklySubtractionPerAllowance", &Oregon, 500_usd, {.HowOft = 0, .DepsNumber = 2, .fTax = 70_usd},
             20.90_usd},
        // 70 once off 1000 leaves 930: 0.07 x 692 - 2 x 11.16.
        Case{"MonthlySubtractsOnce", &Oregon, 1000_usd, {.HowOft = 3, .DepsNumber = 2, .fTax = 70_usd}, 26.12_usd},
        // 40 off 300 leaves 260: 8 + 0.09 x 129 - 2.58.
        Case{"FederalBelowLimitSingle", &Oregon, 300_usd,
             {.HowOft = 0, .valMarried = 1, .DepsNumber = 1, .fTax = 40_usd}, 17.03_usd},
        // 14 + 0.09 x 50 - 3 x 2.58 (the single table would give 15.47).
        Case{"SingleWithThreeAllowancesUsesMarried", &Oregon, 300_usd, {.HowOft = 0, .valMarried = 1, .DepsNumber = 3},
             10.76_usd},
        Case{"MarriedSingleRateCountsAsSingle", &Oregon, 300_usd, {.HowOft = 0, .valMarried = 2, .DepsNumber = 1},
             20.63_usd},
        // Nothing is credited up to the first threshold.
        Case{"AtT1NoCredit", &Oregon, 55_usd, {.HowOft = 0, .DepsNumber = 2, .StateAdd = 1_usd}, 1_usd},
        // 0.07 x 5 - 5 x 2.58 = -12.55 takes from the additional 20.
        Case{"CreditReducesAdditional", &Oregon, 60_usd, {.HowOft = 0, .DepsNumber = 5, .StateAdd = 20_usd}, 7.45_usd},
        Case{"NegativeTotalIsZero", &Oregon, 60_usd, {.HowOft = 0, .DepsNumber = 5, .StateAdd = 10_usd}, 0_usd},
        Case{"UnknownMaritalStatusAdditionalOnly", &Oregon, 1000_usd,
             {.HowOft = 0, .valMarried = 4, .StateAdd = 2_usd}, 2_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    NorthCarolina, OwnDeductions,
    ::testing::Values(
        // Wages of exactly 1153.85 take the lower 38.46: 0.07 x 1115.39 - 6.49.
        Case{"SingleWeeklyAtWageLimitLowerExemption", &NCarolina, 1153.85_usd, {.HowOft = 0, .StateDeps = 1},
             71.5873_usd},
        // A cent below takes 48.08: 0.07 x 1105.76 - 6.49.
        Case{"SingleWeeklyBelowWageLimitHigherExemption", &NCarolina, 1153.84_usd, {.HowOft = 0, .StateDeps = 1},
             70.9132_usd},
        Case{"SingleWeeklyAtT1IsZero", &NCarolina, 57.69_usd, {.HowOft = 0}, 0_usd},
        // The main form's allowances play no part.
        Case{"SingleWeeklyFirstBracket", &NCarolina, 100_usd, {.HowOft = 0, .DepsNumber = 5}, 2.54_usd},
        Case{"SingleWeeklyTopBracket", &NCarolina, 2000_usd, {.HowOft = 0}, 139.42_usd},
        // 2 x 208.33 off 3000: 0.07 x 2583.34 - 23.43.
        Case{"MarriedMonthly", &NCarolina, 3000_usd, {.HowOft = 3, .intSMarried = 3, .StateDeps = 2}, 157.4038_usd},
        // 96.15 off 1000: 0.07 x 903.85 - 18.39.
        Case{"HeadOfFamilyBiweekly", &NCarolina, 1000_usd, {.intSMarried = 9, .StateDeps = 1}, 44.8795_usd},
        Case{"OtherFilingStatusAdditionalOnly", &NCarolina, 1000_usd,
             {.HowOft = 0, .intSMarried = 6, .StateDeps = 2, .StateAdd = 4_usd}, 4_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    NewYork, OwnDeductions,
    ::testing::Values(
        // Taxable 154.00 (after the 143.75 allowance) is the upper bracket at zero excess.
        Case{"WeeklyAtT1BelongsAbove", &NewYork, 297.75_usd, {.HowOft = 0}, 6.15_usd},
        Case{"WeeklyJustBelowT1", &NewYork, 297.74_usd, {.HowOft = 0}, 6.1596_usd},
        // 2 x 83.30 and 581.25 off 3000 leave 2252.15: 81.08 + 0.0685 x 585.15.
        Case{"SingleMonthlyWithExemptions", &NewYork, 3000_usd, {.HowOft = 3, .valMarried = 1, .exemptions = "2"},
             121.1628_usd},
        Case{"MarriedSingleRateUsesSingleAllowance", &NewYork, 310.15_usd, {.HowOft = 0, .valMarried = 2}, 7.14_usd},
        // The top rate, 7.35 %, is lower than the one below: 203.92 + 0.0735 x 115.
        Case{"WeeklyTopBracket", &NewYork, 3143.75_usd, {.HowOft = 0}, 212.3725_usd},
        // 4 % of -43.75 takes from the additional 5.00.
        Case{"NegativeTaxableReducesAdditional", &NewYork, 100_usd, {.HowOft = 0, .StateAdd = 5_usd}, 3.25_usd},
        Case{"SemiMonthlySecondBracket", &NewYork, 853.10_usd, {.HowOft = 1, .exemptions = "1"}, 21.165_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OwnDeductions, DateTexts)
{
    const std::pair<void (*)(Pass&), const char*> cases[] = {
        {&Oregon, "January 1, 1988"}, {&NCarolina, "January 1, 1998"}, {&NewYork, "January 1, 2000"}};
    for (const auto& [calculator, date] : cases) {
        SCOPED_TRACE(date);
        test::Harness h;
        h.state(calculator, 100_usd);
        EXPECT_EQ(h.pass.lblModified, std::string("Tax Code last modified: ") + date);
    }
}

TEST(OwnDeductions, OregonWorkingAmounts)
{
    test::Harness h;
    h.r.DepsNumber = 2;
    h.r.fTax = 70_usd;
    h.state(&Oregon, 500_usd);
    EXPECT_EQ(h.r.PersExmp, 116_usd);
    EXPECT_EQ(h.r.staxBase, 384_usd);
}

TEST(OwnDeductions, NewYorkTakesItsExemptionsFromTheMainForm)
{
    test::Harness h;
    h.r.StateDeps = 9;
    h.in.exemptions = "3";
    h.state(&NewYork, 500_usd);
    EXPECT_EQ(h.r.StateDeps, 3);
    EXPECT_EQ(h.r.stdDed, 57.75_usd);
    EXPECT_EQ(h.r.PersExmp, 143.75_usd);
    EXPECT_EQ(h.r.staxBase, 298.50_usd);
}

TEST(OwnDeductions, NewYorkNonNumericExemptionsIsReported)
{
    test::Harness h;
    h.in.exemptions = "two";
    h.log.answers = {static_cast<int>(Action::Continue)};
    h.state(&NewYork, 297.75_usd);
    ASSERT_EQ(h.log.reports.size(), 1u);
    EXPECT_EQ(h.log.reports[0].field("Procedure Name"), "NewYork");
    EXPECT_EQ(h.log.reports[0].field("Line Number"), "101");
    EXPECT_EQ(h.log.reports[0].field("Error Number"), "13");
    // Going on, the count stays 0.
    EXPECT_EQ(formatFixed4(h.r.sTax), "6.1500");
}

TEST(OwnDeductions, NorthCarolinaNoTableNamesTheOptions)
{
    test::Harness h;
    h.r.intSMarried = 1;
    h.state(&NCarolina, 1000_usd);
    EXPECT_EQ(h.pass.notice,
              "No North Carolina table applies to the chosen filing status. Choose \"Single\", \"Married, claiming "
              "for both spouses (M)\" or \"Head of Family (Household)\" in Set State Options.");
}

TEST(OwnDeductions, ExplainCreditAndExemption)
{
    test::Harness h;
    h.r.DepsNumber = 2;
    h.r.fTax = 70_usd;
    h.state(&Oregon, 500_usd);
    bool sawCredit = false;
    for (const TraceLine& l : h.trace.lines)
        sawCredit |= l.text ==
                     "Oregon married weekly table: 14.00 + 9 % of the excess over 250.00 less the allowance credit 2 x 2.58";
    EXPECT_TRUE(sawCredit);

    h.trace.lines.clear();
    h.r.StateDeps = 1;
    h.state(&NCarolina, 1153.85_usd);
    bool sawExemption = false;
    for (const TraceLine& l : h.trace.lines)
        sawExemption |= l.text == "North Carolina exemption 1 x 38.46 (wages at or above 1,153.85)";
    EXPECT_TRUE(sawExemption);
}

TEST(OwnDeductionsTableData, OregonUpperBaseIsTheLowerBracketInWholeDollars)
{
    for (const CatalogTable& t : ownDeductionsCatalog()) {
        if (t.name.rfind("Oregon", 0) != 0) continue;
        SCOPED_TRACE(t.name);
        const auto& rows = t.table.brackets;
        ASSERT_EQ(rows.size(), 2u);
        const double running = rows[0].rate * (rows[1].over - rows[0].over).toDouble();
        EXPECT_EQ(rows[1].base, std::round(running));
    }
}

// Subtractive form: each S continues the bracket below at its threshold.
TEST(OwnDeductionsTableData, NorthCarolinaAmountsContinue)
{
    int checked = 0;
    for (const CatalogTable& t : ownDeductionsCatalog()) {
        if (t.name.rfind("North Carolina", 0) != 0) continue;
        SCOPED_TRACE(t.name);
        ++checked;
        const auto& rows = t.table.brackets;
        EXPECT_NEAR(rows[0].base, rows[0].rate * rows[0].over.toDouble(), 0.011);
        for (std::size_t k = 1; k < rows.size(); ++k)
            EXPECT_NEAR(rows[k].base, rows[k - 1].base + (rows[k].rate - rows[k - 1].rate) * rows[k].over.toDouble(),
                        0.011)
                << "bracket " << k + 1;
    }
    EXPECT_EQ(checked, 12);
}

TEST(OwnDeductionsTableData, NewYorkBasesBelowTheTopContinue)
{
    for (const CatalogTable& t : ownDeductionsCatalog()) {
        if (t.name.rfind("New York", 0) != 0) continue;
        SCOPED_TRACE(t.name);
        const auto& rows = t.table.brackets;
        // Thresholds are annual amounts rounded to the dollar: allow a dollar at the rate.
        EXPECT_NEAR(rows[0].base, t.table.lowestRate * rows[0].over.toDouble(), t.table.lowestRate + 0.005);
        for (std::size_t k = 1; k + 1 < rows.size(); ++k)
            EXPECT_NEAR(rows[k].base, rows[k - 1].base + rows[k - 1].rate * (rows[k].over - rows[k - 1].over).toDouble(),
                        rows[k - 1].rate + 0.005)
                << "bracket " << k + 1;
    }
}

}  // namespace
}  // namespace wm
