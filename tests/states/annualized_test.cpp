// Alabama, Delaware, Maine, Minnesota, Mississippi and Iowa: annual wages,
// annual deductions, an annual table, divided back to one pay period.
#include <gtest/gtest.h>

#include <algorithm>

#include "states/calculators.h"
#include "states/registry.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using test::StateInputs;

using Case = test::StateCase;

class Annualized : public ::testing::TestWithParam<Case> {};

TEST_P(Annualized, StateTax) { test::expectStateTax(GetParam()); }

constexpr std::int16_t kMonthly = 3, kWeekly = 0, kBiweekly = 2, kSemimonthly = 1;

INSTANTIATE_TEST_SUITE_P(
    States, Annualized,
    ::testing::Values(
        // 30,000 a year: the 6,000 standard deduction is held to 2,000;
        // 110 + 5 % x (26,500 - 3,000), over 12.
        Case{"AlabamaStandardDeductionLimited", &Alabama, 2500_usd, {.HowOft = kMonthly, .intSMarried = 1},
             107.0833_usd},
        // 11,250 - 2,250 - 3,000 = 6,000 exactly: 220.00 a year.
        Case{"AlabamaMarriedAtSixThousand", &Alabama, 937.50_usd, {.HowOft = kMonthly, .intSMarried = 3},
             18.3333_usd},
        // 26,000 - (1,300 federal + 1,500 + 2,000 + 600 dependents).
        Case{"AlabamaFederalAndDependentsComeOff", &Alabama, 1000_usd,
             {.intSMarried = 1, .StateDeps = 2, .fTax = 50_usd}, 38.0769_usd},
        Case{"AlabamaLowestBracketTwoPercent", &Alabama, 50_usd, {.HowOft = kMonthly, .intSMarried = 2}, 0.8_usd},
        // 240,000 a year: a standard deduction of 48,000 before the limit.
        Case{"AlabamaHighWagesCompute", &Alabama, 20000_usd, {.HowOft = kMonthly, .intSMarried = 3},
             964.1667_usd},
        Case{"AlabamaStatusWithoutTableGivesAdditionalOnly", &Alabama, 2500_usd,
             {.HowOft = kMonthly, .intSMarried = 0, .StateAdd = 5_usd}, 5_usd},
        // 5,250 - 3,250 = 2,000 exactly: 2.2 % of nothing.
        Case{"DelawareAtFirstThresholdIsZero", &Delaware, 437.50_usd, {.HowOft = kMonthly, .intSMarried = 1}, 0_usd},
        Case{"DelawareAtTopThreshold", &Delaware, 5000_usd, {.HowOft = kMonthly, .intSMarried = 3}, 245.2917_usd},
        // 780 - 2 x 110 credit, over 12.
        Case{"DelawareCreditPerAllowance", &Delaware, 2000_usd,
             {.HowOft = kMonthly, .DepsNumber = 2, .intSMarried = 1}, 46.6667_usd},
        Case{"DelawareMarriedDeduction", &Delaware, 1000_usd, {.HowOft = kSemimonthly, .intSMarried = 0},
             25.875_usd},
        // 37,700 - 11 x 2,850 = 6,350: exactly 40.00 a year is not withheld.
        Case{"MaineMarriedAnnualTaxOfFortyIsZero", &MaineTax, 725_usd, {.HowOft = kWeekly, .DepsNumber = 11},
             0_usd},
        Case{"MaineMarriedJustAboveMinimum", &MaineTax, 725.01_usd, {.HowOft = kWeekly, .DepsNumber = 11}, 1_usd},
        // 37,350 a year: 1,691.00, over 12 = 140.92, whole dollars 141.
        Case{"MaineMarriedAtTopThreshold", &MaineTax, 3112.50_usd, {.HowOft = kMonthly}, 141_usd},
        // Period amounts of exactly 12.50 and 13.50 round to the even dollar.
        Case{"MaineSingleTwelveFiftyRoundsDown", &MaineTax, 590.7407_usd, {.HowOft = kMonthly, .valMarried = 1},
             12_usd},
        Case{"MaineSingleThirteenFiftyRoundsUp", &MaineTax, 612.963_usd, {.HowOft = kMonthly, .valMarried = 1},
             14_usd},
        Case{"MaineAdditionalAfterRounding", &MaineTax, 590.7407_usd,
             {.HowOft = kMonthly, .valMarried = 1, .StateAdd = 0.50_usd}, 12.5_usd},
        Case{"MaineTwelveAllowancesCompute", &MaineTax, 1000_usd, {.HowOft = kWeekly, .DepsNumber = 12}, 8_usd},
        Case{"MaineMarriedTwoIncomesTable", &MaineTax, 1000_usd, {.HowOft = kMonthly, .valMarried = 2}, 32_usd},
        // A period amount far beyond 32,767 still rounds.
        Case{"MaineLargePeriodAmountComputes", &MaineTax, 1000000_usd, {.HowOft = kWeekly, .valMarried = 1},
             84987_usd},
        // A period tax of 20.00 plus 0.50 rounds to the even dollar.
        Case{"MinnesotaHalfDollarAdditionalRoundsToEven", &Minnesota, 492.803_usd,
             {.HowOft = kMonthly, .valMarried = 1, .StateAdd = 0.50_usd}, 20_usd},
        Case{"MinnesotaAdditionalIsRoundedWithTheTax", &Minnesota, 492.803_usd,
             {.HowOft = kMonthly, .valMarried = 1, .StateAdd = 1.50_usd}, 22_usd},
        Case{"MinnesotaSingleTopBracket", &Minnesota, 6000_usd, {.HowOft = kMonthly, .valMarried = 1}, 409_usd},
        Case{"MinnesotaMarriedSingleRateUsesSingle", &Minnesota, 6000_usd, {.HowOft = kMonthly, .valMarried = 2},
             409_usd},
        Case{"MinnesotaTwelveAllowancesCompute", &Minnesota, 2000_usd, {.HowOft = kBiweekly, .DepsNumber = 12},
             31_usd},
        // 21,600 - 16,600 = 5,000 exactly: 150.00, over 12 = 12.50, to even.
        Case{"MississippiAtFiveThousand", &Mississippi, 1800_usd, {.HowOft = kMonthly, .intSMarried = 7}, 12_usd},
        // 41,600 - 16,600 - 10 x 1,500 = 10,000 exactly: 350.00.
        Case{"MississippiAtTenThousand", &Mississippi, 1600_usd, {.intSMarried = 7, .StateExmp = 10}, 13_usd},
        // 770.00 instead of 820.00 a year: 64 + 1,000 rather than 68 + 1,000.
        Case{"MississippiAdditionalComesOffTheAnnualAmount", &Mississippi, 3000_usd,
             {.HowOft = kMonthly, .intSMarried = 7, .StateAdd = 1000_usd}, 1064_usd},
        Case{"MississippiSpousePart", &Mississippi, 1500_usd,
             {.HowOft = kMonthly, .intSMarried = 8, .missPart = "6,000"}, 28_usd},
        Case{"MississippiEmptySpousePartClaimsNone", &Mississippi, 1500_usd,
             {.HowOft = kMonthly, .intSMarried = 8, .missPart = ""}, 53_usd},
        Case{"MississippiStatusOutsideTableHasNoDeductions", &Mississippi, 1500_usd,
             {.HowOft = kMonthly, .intSMarried = 3}, 62_usd},
        Case{"MississippiBelowDeductionsGivesAdditionalOnly", &Mississippi, 500_usd,
             {.HowOft = kMonthly, .intSMarried = 7, .StateAdd = 5_usd}, 5_usd},
        Case{"MississippiManyExemptionsCompute", &Mississippi, 10000_usd, {.HowOft = kMonthly, .StateExmp = 30},
             265_usd},
        // 1,936.52 less the 80 credit of 3 allowances, over 12.
        Case{"IowaCreditForThreeAllowances", &IowaTax, 3000_usd, {.HowOft = kMonthly, .DepsNumber = 3}, 155_usd},
        Case{"IowaSixteenAllowancesNoDeductionNoCredit", &IowaTax, 3000_usd, {.HowOft = kMonthly, .DepsNumber = 16},
             186_usd},
        Case{"IowaFederalComesOffBeforeAnnualizing", &IowaTax, 1000_usd, {.DepsNumber = 1, .fTax = 100_usd},
             43_usd},
        // -1 after rounding; only a negative sum becomes zero.
        Case{"IowaNegativeTaxEatsIntoAdditional", &IowaTax, 80_usd,
             {.HowOft = kWeekly, .DepsNumber = 2, .StateAdd = 1.50_usd}, 0.5_usd}),
    [](const auto& info) { return std::string(info.param.name); });

bool explained(const test::Harness& h, std::string_view text)
{
    return std::any_of(h.trace.lines.begin(), h.trace.lines.end(), [&](const TraceLine& l) { return l.text == text; });
}

TEST(AnnualizedCalculators, AlabamaStatusWithoutTableSaysWhereToChooseOne)
{
    test::Harness h;
    StateInputs{.intSMarried = 6}.apply(h);
    h.state(&Alabama, 1000_usd);
    EXPECT_EQ(h.pass.notice,
              "No Alabama table applies to the chosen state filing status. Choose one in Set State Options.");
}

TEST(AnnualizedCalculators, AlabamaLeavesTheStateOptionsAlone)
{
    test::Harness h;
    StateInputs{.intSMarried = 1, .StateExmp = 22}.apply(h);
    h.state(&Alabama, 2500_usd);
    EXPECT_EQ(h.r.StateExmp, 22);
    EXPECT_TRUE(explained(h, "Alabama standard deduction limited to 2,000.00"));
}

TEST(AnnualizedCalculators, ThresholdBrackets)
{
    test::Harness h;
    // Inclusive: 6,000 stays in Alabama's 4 % bracket.
    StateInputs{.HowOft = kMonthly, .intSMarried = 3}.apply(h);
    h.state(&Alabama, 937.50_usd);
    EXPECT_TRUE(explained(h, "Alabama married table: 20.00 + 4 % of the excess over 1,000.00"));
    // Exclusive: 60,000 is in Delaware's top bracket.
    h.trace.lines.clear();
    h.state(&Delaware, 5000_usd);
    EXPECT_TRUE(explained(h, "Delaware table: 2,943.50 + 5.95 % of the excess over 60,000.00"));
    // Mississippi: 10,000 is still in the 4 % bracket.
    h.trace.lines.clear();
    StateInputs{.intSMarried = 7, .StateExmp = 10}.apply(h);
    h.state(&Mississippi, 1600_usd);
    EXPECT_TRUE(explained(h, "Mississippi table: 150.00 + 4 % of the excess over 5,000.00"));
}

TEST(AnnualizedCalculators, MinnesotaUnknownStatusGivesNotice)
{
    test::Harness h;
    StateInputs{.valMarried = 5, .StateAdd = 2_usd}.apply(h);
    h.state(&Minnesota, 1000_usd);
    EXPECT_EQ(h.r.sTax, 2_usd);
    EXPECT_EQ(h.pass.notice, "No Minnesota table applies to the chosen marital status. Choose one on the main calculator.");
}

TEST(AnnualizedCalculators, MississippiSpousePartThatIsNotAnAmount)
{
    test::Harness h;
    StateInputs{.intSMarried = 8, .missPart = "half"}.apply(h);
    h.log.answers = {static_cast<int>(Action::Leave)};
    h.state(&Mississippi, 1000_usd);
    ASSERT_EQ(h.log.reports.size(), 1u);
    EXPECT_EQ(h.log.reports[0].field("Error Number"), "13");
    EXPECT_EQ(h.log.reports[0].field("Procedure Name"), "Mississippi");
}

TEST(AnnualizedCalculators, IowaOutsideTheTablesSaysThereIsNoDeduction)
{
    test::Harness h;
    StateInputs{.HowOft = kMonthly, .DepsNumber = 16}.apply(h);
    h.state(&IowaTax, 3000_usd);
    EXPECT_EQ(h.r.PersExmp, 0_usd);
    EXPECT_TRUE(explained(h, "Iowa: no standard deduction for 16 allowances"));
}

TEST(AnnualizedCalculators, DateTexts)
{
    struct Row {
        void (*calculator)(Pass&);
        const char* label;
    };
    const Row rows[] = {{&Alabama, ""},
                        {&Delaware, "Tax Code last modified: January 1, 2000"},
                        {&MaineTax, "Tax Code last modified: January 1, 2000"},
                        {&Minnesota, "Tax Code last modified: June 1, 1999"},
                        {&Mississippi, "Tax Code last modified: January 1, 2000"},
                        {&IowaTax, "Tax Code last modified: January 1, 1998"}};
    for (const Row& row : rows) {
        test::Harness h;
        StateInputs{}.apply(h);
        h.state(row.calculator, 500_usd);
        EXPECT_EQ(h.pass.lblModified, row.label);
    }
}

// The Calculate command through the state list, for both families.
TEST(AnnualizedCalculators, EveryOneRunsFromTheStateList)
{
    for (const char* name : {"Alabama", "Arizona", "Delaware", "Illinois", "Indiana", "Iowa", "Louisiana", "Maine",
                             "Massachusetts", "Michigan", "Minnesota", "Mississippi", "Pennsylvania"}) {
        SCOPED_TRACE(name);
        test::Harness h;
        h.in.txtIncome = "1,250.00";
        h.in.exemptions = "2";
        StateInputs{.intSMarried = 1, .StateExmp = 1, .StateDeps = 1, .ILINDeps = 1}.apply(h);
        h.r.intState = static_cast<std::int16_t>(findState(name));
        ASSERT_GT(h.r.intState, 0);
        ASSERT_TRUE(h.calculate());
        EXPECT_TRUE(h.log.reports.empty());
        EXPECT_GT(h.r.sTax, Currency());
    }
}

}  // namespace
}  // namespace wm
