// Oregon, North Carolina, New York.
#include <gtest/gtest.h>

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
    std::int16_t deps = 0;        // DepsNumber
    std::int16_t stateDeps = 0;   // StateDeps (North Carolina)
    const char* exemptions = "0"; // main form's exemptions text (New York)
    Currency fTax{};
    Currency gross{};
    Currency stateAdd{};
    Currency expected{};
};

class OwnDeductions : public ::testing::TestWithParam<Case> {};

TEST_P(OwnDeductions, StateTax)
{
    const Case& c = GetParam();
    test::Harness h;
    h.r.HowOft = c.howOft;
    h.r.valMarried = c.valMarried;
    h.r.intSMarried = c.intSMarried;
    h.r.DepsNumber = c.deps;
    h.r.StateDeps = c.stateDeps;
    h.in.exemptions = c.exemptions;
    h.r.fTax = c.fTax;
    h.r.StateAdd = c.stateAdd;
    h.state(c.calculator, c.gross);
    EXPECT_EQ(formatFixed4(h.r.sTax), formatFixed4(c.expected));
    EXPECT_TRUE(h.log.reports.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Oregon, OwnDeductions,
    ::testing::Values(
        // 58 x 2 off 500 leaves 384: 14 + 0.09 x 134 - 2 x 2.58.
        Case{.name = "WeeklySubtractionPerAllowance", .calculator = &Oregon, .deps = 2, .fTax = 70_usd,
             .gross = 500_usd, .expected = 20.90_usd},
        // 70 once off 1000 leaves 930: 0.07 x 692 - 2 x 11.16.
        Case{.name = "MonthlySubtractsOnce", .calculator = &Oregon, .howOft = 3, .deps = 2, .fTax = 70_usd,
             .gross = 1000_usd, .expected = 26.12_usd},
        // 40 off 300 leaves 260: 8 + 0.09 x 129 - 2.58.
        Case{.name = "FederalBelowLimitSingle", .calculator = &Oregon, .valMarried = 1, .deps = 1, .fTax = 40_usd,
             .gross = 300_usd, .expected = 17.03_usd},
        // 14 + 0.09 x 50 - 3 x 2.58 (the single table would give 15.47).
        Case{.name = "SingleWithThreeAllowancesUsesMarried", .calculator = &Oregon, .valMarried = 1, .deps = 3,
             .gross = 300_usd, .expected = 10.76_usd},
        Case{.name = "MarriedSingleRateCountsAsSingle", .calculator = &Oregon, .valMarried = 2, .deps = 1,
             .gross = 300_usd, .expected = 20.63_usd},
        // Nothing is credited up to the first threshold.
        Case{.name = "AtT1NoCredit", .calculator = &Oregon, .deps = 2, .gross = 55_usd, .stateAdd = 1_usd,
             .expected = 1_usd},
        // 0.07 x 5 - 5 x 2.58 = -12.55 takes from the additional 20.
        Case{.name = "CreditReducesAdditional", .calculator = &Oregon, .deps = 5, .gross = 60_usd,
             .stateAdd = 20_usd, .expected = 7.45_usd},
        Case{.name = "NegativeTotalIsZero", .calculator = &Oregon, .deps = 5, .gross = 60_usd, .stateAdd = 10_usd,
             .expected = 0_usd},
        Case{.name = "UnknownMaritalStatusAdditionalOnly", .calculator = &Oregon, .valMarried = 4,
             .gross = 1000_usd, .stateAdd = 2_usd, .expected = 2_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    NorthCarolina, OwnDeductions,
    ::testing::Values(
        // Wages of exactly 1153.85 take the lower 38.46: 0.07 x 1115.39 - 6.49.
        Case{.name = "SingleWeeklyAtWageLimitLowerExemption", .calculator = &NCarolina, .stateDeps = 1,
             .gross = 1153.85_usd, .expected = 71.5873_usd},
        // A cent below takes 48.08: 0.07 x 1105.76 - 6.49.
        Case{.name = "SingleWeeklyBelowWageLimitHigherExemption", .calculator = &NCarolina, .stateDeps = 1,
             .gross = 1153.84_usd, .expected = 70.9132_usd},
        Case{.name = "SingleWeeklyAtT1IsZero", .calculator = &NCarolina, .gross = 57.69_usd, .expected = 0_usd},
        // The main form's allowances play no part.
        Case{.name = "SingleWeeklyFirstBracket", .calculator = &NCarolina, .deps = 5, .gross = 100_usd,
             .expected = 2.54_usd},
        Case{.name = "SingleWeeklyTopBracket", .calculator = &NCarolina, .gross = 2000_usd, .expected = 139.42_usd},
        // 2 x 208.33 off 3000: 0.07 x 2583.34 - 23.43.
        Case{.name = "MarriedMonthly", .calculator = &NCarolina, .howOft = 3, .intSMarried = 3, .stateDeps = 2,
             .gross = 3000_usd, .expected = 157.4038_usd},
        // 96.15 off 1000: 0.07 x 903.85 - 18.39.
        Case{.name = "HeadOfFamilyBiweekly", .calculator = &NCarolina, .howOft = 2, .intSMarried = 9,
             .stateDeps = 1, .gross = 1000_usd, .expected = 44.8795_usd},
        Case{.name = "OtherFilingStatusAdditionalOnly", .calculator = &NCarolina, .intSMarried = 6, .stateDeps = 2,
             .gross = 1000_usd, .stateAdd = 4_usd, .expected = 4_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    NewYork, OwnDeductions,
    ::testing::Values(
        // Taxable 154.00 (after the 143.75 allowance) is the upper bracket at zero excess.
        Case{.name = "WeeklyAtT1BelongsAbove", .calculator = &NewYork, .gross = 297.75_usd, .expected = 6.15_usd},
        Case{.name = "WeeklyJustBelowT1", .calculator = &NewYork, .gross = 297.74_usd, .expected = 6.1596_usd},
        // 2 x 83.30 and 581.25 off 3000 leave 2252.15: 81.08 + 0.0685 x 585.15.
        Case{.name = "SingleMonthlyWithExemptions", .calculator = &NewYork, .howOft = 3, .valMarried = 1,
             .exemptions = "2", .gross = 3000_usd, .expected = 121.1628_usd},
        Case{.name = "MarriedSingleRateUsesSingleAllowance", .calculator = &NewYork, .valMarried = 2,
             .gross = 310.15_usd, .expected = 7.14_usd},
        // The top rate, 7.35 %, is lower than the one below: 203.92 + 0.0735 x 115.
        Case{.name = "WeeklyTopBracket", .calculator = &NewYork, .gross = 3143.75_usd, .expected = 212.3725_usd},
        // 4 % of -43.75 takes from the additional 5.00.
        Case{.name = "NegativeTaxableReducesAdditional", .calculator = &NewYork, .gross = 100_usd,
             .stateAdd = 5_usd, .expected = 3.25_usd},
        Case{.name = "SemiMonthlySecondBracket", .calculator = &NewYork, .howOft = 1, .exemptions = "1",
             .gross = 853.10_usd, .expected = 21.165_usd}),
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
