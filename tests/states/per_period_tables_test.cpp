// Colorado, Hawaii, Nebraska, Idaho and Missouri: per-period tables.
#include <gtest/gtest.h>

#include <algorithm>

#include "states/calculators.h"
#include "states/table_catalog.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using Case = test::StateCase;

class PerPeriodTables : public ::testing::TestWithParam<Case> {};

TEST_P(PerPeriodTables, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Colorado, PerPeriodTables,
    ::testing::Values(
        Case{"MarriedWeeklyAtThresholdIsZero", &Colorado, 86_usd, {.HowOft = 0}, 0_usd},
        // 4.75 % of 100 = 4.75, whole dollars 5.
        Case{"MarriedWeeklyRoundsToDollars", &Colorado, 186_usd, {.HowOft = 0}, 5_usd},
        // 4.75 % of 52.6316 = 2.50 and of 73.6842 = 3.50: halves go to the even dollar.
        Case{"HalfDollarDownToEven", &Colorado, 138.6316_usd, {.HowOft = 0}, 2_usd},
        Case{"HalfDollarUpToEven", &Colorado, 159.6842_usd, {.HowOft = 0}, 4_usd},
        // Two exemptions of 106 leave 194 bi-weekly: 4.75 % of 23 = 1.0925.
        Case{"ExemptionsComeOff", &Colorado, 406_usd, {.DepsNumber = 2}, 1_usd},
        // Married at the single rate: the single weekly threshold is 30.
        Case{"MarriedSingleRateUsesSingle", &Colorado, 130_usd, {.HowOft = 0, .valMarried = 2}, 5_usd},
        Case{"SingleMonthly", &Colorado, 2129_usd, {.HowOft = 3, .valMarried = 1}, 95_usd},
        Case{"NothingDueGivesTheAdditionalAmount", &Colorado, 50_usd, {.HowOft = 0, .StateAdd = 3_usd}, 3_usd},
        // 229 x 200 exceeds a 16-bit product; formed wide it only makes the wages negative.
        Case{"ExemptionCountBeyond16BitProduct", &Colorado, 5000_usd,
             {.HowOft = 3, .DepsNumber = 200, .StateAdd = 2_usd}, 2_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Hawaii, PerPeriodTables,
    ::testing::Values(
        // 12.91 + 7.5 % of 77, and one dollar more at 7.8 %.
        Case{"SingleWeeklyAtFifthThreshold", &HawaiiTax, 308_usd, {.HowOft = 0}, 18.685_usd},
        Case{"SingleWeeklyAboveFifthThreshold", &HawaiiTax, 309_usd, {.HowOft = 0}, 18.763_usd},
        // No zero band: 1.6 % from the first dollar.
        Case{"LowestBandIsTaxed", &HawaiiTax, 30_usd, {.HowOft = 0}, 0.48_usd},
        // 74.63 + 7.8 % of 69.
        Case{"MarriedBiweeklyTop", &HawaiiTax, 1300_usd, {.intSMarried = 3}, 80.012_usd},
        // The single bi-weekly table is the married weekly one: 25.79 + 7.5 % of 38.
        Case{"SingleBiweeklyIsMarriedWeekly", &HawaiiTax, 500_usd, {}, 28.64_usd},
        Case{"MarriedWeeklySameAmount", &HawaiiTax, 500_usd, {.HowOft = 0, .valMarried = 1, .intSMarried = 3},
             28.64_usd},
        // Exemptions count the state dependents (2 x 43.35), not the allowances.
        Case{"StateDependentsAreTheExemptions", &HawaiiTax, 500_usd, {.HowOft = 1, .DepsNumber = 5, .StateDeps = 2},
             21.6816_usd},
        // 15 x 20 leaves -200: -3.20 of tax takes part of the additional 5.00.
        Case{"NegativeTaxReducesTheAdditional", &HawaiiTax, 100_usd, {.HowOft = 0, .StateDeps = 15, .StateAdd = 5_usd},
             1.80_usd},
        Case{"NegativeTaxBelowTheAdditionalIsZero", &HawaiiTax, 100_usd,
             {.HowOft = 0, .StateDeps = 15, .StateAdd = 2_usd}, 0_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Nebraska, PerPeriodTables,
    ::testing::Values(
        Case{"MarriedWeeklyAtThresholdIsZero", &NebraskaTax, 101_usd, {.HowOft = 0}, 0_usd},
        Case{"MarriedWeeklySecondThreshold", &NebraskaTax, 159_usd, {.HowOft = 0}, 1.4442_usd},
        // One exemption of 124.17 leaves 1,875.83: 36.68 + 5.32 % of 583.83.
        Case{"SingleMonthlyWithExemption", &NebraskaTax, 2000_usd, {.HowOft = 3, .valMarried = 1, .DepsNumber = 1},
             67.7398_usd},
        Case{"MarriedSingleRateUsesSingle", &NebraskaTax, 500_usd, {.HowOft = 0, .valMarried = 2}, 19.9834_usd},
        Case{"MarriedSemiMonthlyTop", &NebraskaTax, 4135_usd, {.HowOft = 1}, 242.26_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Idaho, PerPeriodTables,
    ::testing::Values(
        // 115.61 + 8.2 % of 204 = 132.338.
        Case{"SingleMonthlyTopRate", &Idaho, 2000_usd, {.HowOft = 3, .valMarried = 1}, 132_usd},
        // 0.38 + 4 % of 3 = 0.50 and 1.14 + 4.5 % of 8 = 1.50.
        Case{"HalfDollarDownToEven", &Idaho, 52_usd, {.HowOft = 0, .valMarried = 1}, 0_usd},
        Case{"HalfDollarUpToEven", &Idaho, 76_usd, {.HowOft = 0, .valMarried = 1}, 2_usd},
        // Two exemptions of 105.77 leave 788.46: 31.74 + 7.8 % of 40.46.
        Case{"MarriedBiweeklyWithExemptions", &Idaho, 1000_usd, {.DepsNumber = 2}, 35_usd},
        Case{"MarriedSingleRateUsesSingle", &Idaho, 2000_usd, {.HowOft = 3, .valMarried = 2}, 132_usd}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Missouri, PerPeriodTables,
    ::testing::Values(
        // 12 x 500 = 6,000 of federal tax, limited to 5,000: (60,000 - 4,400
        // - 5,000) / 12 = 4,216.6667; 26.46 + 6 % of 3,460.6667 = 234.10.
        Case{"SingleFederalDeductionLimited", &Missouri, 5000_usd, {.HowOft = 3, .fTax = 500_usd}, 234_usd},
        // (52,000 - 4,500 - 6,450 - 2,600) / 52 = 739.4231: 6.30 + 6 % of 559.4231.
        Case{"HeadOfFamilyWithExemptions", &Missouri, 1000_usd,
             {.HowOft = 0, .DepsNumber = 2, .intSMarried = 9, .fTax = 50_usd}, 40_usd},
        // Married, spouse not employed: 10,000 limit, 7,350 standard deduction.
        // (312,000 - 7,350 - 10,000) / 24 = 12,277.0833: 13.23 + 6 % of 11,899.0833.
        Case{"SpouseNotEmployedLargerLimit", &Missouri, 13000_usd, {.HowOft = 1, .intSMarried = 7, .fTax = 500_usd},
             727_usd},
        // Spouse employed: 3,675; (12,000 - 3,675 - 1,200) / 12 = 593.75: 17.64 + 5 % of 5.75.
        Case{"SpouseEmployed", &Missouri, 1000_usd, {.HowOft = 3, .intSMarried = 8, .fTax = 100_usd}, 18_usd},
        // Deductions above the wages: a negative amount taxed at 1.5 % takes
        // part of the additional withholding, and the rest is cleared.
        Case{"DeductionsAboveWagesReduceTheAdditional", &Missouri, 10_usd, {.HowOft = 0, .StateAdd = 2_usd}, 1_usd},
        Case{"DeductionsAboveWagesWithholdNothing", &Missouri, 10_usd, {.HowOft = 0}, 0_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PerPeriodTablesData, MissouriBiweeklyFirstStepIsInclusive)
{
    const std::vector<CatalogTable> all = tableCatalog();
    const auto t = std::find_if(all.begin(), all.end(), [](const CatalogTable& c) { return c.name == "Missouri bi-weekly"; });
    ASSERT_NE(t, all.end());
    EXPECT_EQ(evaluate(t->table, 38.50_usd).tax, 0.5775_usd);
    EXPECT_EQ(evaluate(t->table, 38.51_usd).bracket, 1);
    EXPECT_EQ(evaluate(t->table, 38.51_usd).tax, 0.5777_usd);
    // T9 = 9 x 38.50.
    EXPECT_EQ(evaluate(t->table, 346.50_usd).bracket, 8);
    EXPECT_EQ(evaluate(t->table, 346.51_usd).bracket, 9);
}

TEST(PerPeriodTablesCalculators, SetTheirDateText)
{
    const std::pair<void (*)(Pass&), const char*> cases[] = {{&Colorado, "September, 1999"},
                                                              {&HawaiiTax, "January 1, 1999"},
                                                              {&NebraskaTax, "January 1, 1998"},
                                                              {&Idaho, "January 1, 1999"},
                                                              {&Missouri, "January 1, 2000"}};
    for (const auto& [calculator, date] : cases) {
        SCOPED_TRACE(date);
        test::Harness h;
        h.r.Freq = 26;
        h.r.HowOft = 2;
        h.state(calculator, 1000_usd);
        EXPECT_EQ(h.pass.lblModified, std::string("Tax Code last modified: ") + date);
    }
}

TEST(PerPeriodTablesCalculators, ExemptionProductIsFormedWide)
{
    test::Harness h;
    h.r.HowOft = 3;
    h.r.DepsNumber = 200;
    h.state(&Colorado, 5000_usd);
    EXPECT_EQ(h.r.PersExmp, 45800_usd);
    EXPECT_TRUE(h.log.reports.empty());
}

TEST(PerPeriodTablesCalculators, MissouriDeductionFields)
{
    test::Harness h;
    h.r.HowOft = 3;
    h.r.Freq = 12;
    h.r.intSMarried = 0;
    h.r.DepsNumber = 3;
    h.r.fTax = 500_usd;
    h.state(&Missouri, 5000_usd);
    EXPECT_EQ(h.r.stdDed, 4400_usd);
    EXPECT_EQ(h.r.TaxCredit, 5000_usd);
    EXPECT_EQ(h.r.PersExmp, 5700_usd);  // 1,200 x 3 + 2,100
}

// A filing status without a table: the bracket amount is 0, the finishing
// steps still run, and the pass says which input to change.
struct NoTableCase {
    const char* name;
    void (*calculator)(Pass&);
    std::int16_t intSMarried;
    const char* notice;
};

class PerPeriodTablesNoTable : public ::testing::TestWithParam<NoTableCase> {};

TEST_P(PerPeriodTablesNoTable, GivesTheAdditionalAmountAndANotice)
{
    const NoTableCase& c = GetParam();
    test::Harness h;
    h.r.HowOft = 0;
    h.r.Freq = 52;
    h.r.intSMarried = c.intSMarried;
    h.r.StateAdd = 4_usd;
    h.state(c.calculator, 2000_usd);
    EXPECT_EQ(h.r.sTax, 4_usd);
    EXPECT_EQ(h.pass.notice, c.notice);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PerPeriodTablesNoTable,
    ::testing::Values(NoTableCase{"HawaiiHeadOfFamily", &HawaiiTax, 9,
                                  "No Hawaii table applies to the chosen state filing status. Choose \"Single\" or "
                                  "\"Married, claiming for both spouses (M)\" in Set State Options."},
                      NoTableCase{"MissouriMarriedBothSpouses", &Missouri, 3,
                                  "No Missouri table applies to the chosen state filing status. Choose \"Single\", "
                                  "\"Married. Spouse NOT employed\", \"Married. Spouse IS employed.\" or \"Head of "
                                  "Family (Household)\" in Set State Options."}),
    [](const auto& info) { return std::string(info.param.name); });

// Through the dispatch: a second pass with a code that has no table does
// not show the first pass's withholding.
TEST(PerPeriodTablesCalculators, NoTableDoesNotKeepThePreviousPass)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    h.r.HowOft = 0;
    h.r.intState = 10;  // Hawaii
    h.r.intSMarried = 0;
    ASSERT_TRUE(h.calculate());
    EXPECT_GT(h.r.sTax, 0_usd);
    h.r.intSMarried = 9;
    h.pass.notice.clear();
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.sTax, 0_usd);
    EXPECT_NE(h.pass.notice, "");
}

TEST(PerPeriodTablesCalculators, ExplainTheSteps)
{
    test::Harness h;
    h.r.HowOft = 0;
    h.r.DepsNumber = 1;
    h.r.StateAdd = 1_usd;
    h.state(&Colorado, 239_usd);
    std::vector<std::string> texts;
    for (const TraceLine& l : h.trace.lines) texts.push_back(l.text);
    for (const char* expected : {"Colorado exemption 1 x 53", "Colorado taxable wages",
                                 "Colorado married weekly table: 4.75 % of the excess over 86.00",
                                 "Rounded to whole dollars", "Additional state withholding"}) {
        SCOPED_TRACE(expected);
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end());
    }
    EXPECT_EQ(h.r.sTax, 6_usd);  // 4.75 % of 100 = 4.75 -> 5, + 1
}

}  // namespace
}  // namespace wm
