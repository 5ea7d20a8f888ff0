// Arizona, Pennsylvania, Michigan, Illinois, Indiana, Massachusetts and
// Louisiana: one rate on the period's taxable amount.
#include <gtest/gtest.h>

#include <algorithm>

#include "states/calculators.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using test::StateInputs;

using Case = test::StateCase;

class PercentageRate : public ::testing::TestWithParam<Case> {};

TEST_P(PercentageRate, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    States, PercentageRate,
    ::testing::Values(
        Case{"ArizonaShareOfFederal", &Arizona, 1000_usd, {.StateExmp = 20, .fTax = 100_usd}, 20_usd},
        Case{"ArizonaKeepsFourDecimals", &Arizona, 1000_usd, {.StateExmp = 22, .fTax = 123.45_usd}, 27.159_usd},
        Case{"ArizonaNoPercentageGivesAdditionalOnly", &Arizona, 1000_usd,
             {.fTax = 100_usd, .StateAdd = 5_usd}, 5_usd},
        Case{"PennsylvaniaFlatRate", &Penn, 1000_usd, {}, 28_usd},
        Case{"PennsylvaniaKeepsFourDecimals", &Penn, 100.01_usd, {}, 2.8003_usd},
        Case{"PennsylvaniaExcludes401kWhenAsked", &Penn, 1000_usd, {.amt401k = 100_usd, .sta401 = true}, 25.2_usd},
        // 776.92 x 4.2 % after 2 x 111.54.
        Case{"MichiganExemptionPerAllowance", &MichiganTax, 1000_usd, {.DepsNumber = 2}, 32.6306_usd},
        Case{"MichiganDependentOfAnotherHasNoExemption", &MichiganTax, 1000_usd,
             {.DepsNumber = 2, .intSMarried = 9}, 42_usd},
        // (100 - 836.55) x 4.2 % + 5 is still negative.
        Case{"MichiganAdditionalCannotLiftANegativeTax", &MichiganTax, 100_usd,
             {.HowOft = 0, .DepsNumber = 15, .StateAdd = 5_usd}, 0_usd},
        Case{"IllinoisPersonalAndAdditionalExemption", &Illinois, 500_usd,
             {.HowOft = 0, .StateDeps = 1, .ILINDeps = 1}, 13.2693_usd},
        Case{"IllinoisMonthly", &Illinois, 3000_usd, {.HowOft = 3, .StateDeps = 2}, 79.9998_usd},
        // (1000 - 38.46 - 2 x 57.69) x 3.4 %.
        Case{"IndianaDependentsLowerTheTax", &IndianaTax, 1000_usd, {.StateDeps = 1, .ILINDeps = 2}, 28.7694_usd},
        Case{"IndianaMonthlyDependents", &IndianaTax, 2000_usd, {.HowOft = 3, .ILINDeps = 3}, 55.25_usd},
        Case{"IndianaWithoutExemptions", &IndianaTax, 500_usd, {.HowOft = 0}, 17_usd},
        // 3 allowances: 39 x 3 + 130; the whole FICA comes off too.
        Case{"MassachusettsMarriedAddsStateDependents", &Massachusetts, 1000_usd,
             {.DepsNumber = 1, .amtFICA = 76.44_usd, .staDeps = "2"}, 39.5788_usd},
        Case{"MassachusettsSingleIgnoresStateDependents", &Massachusetts, 1000_usd,
             {.valMarried = 1, .DepsNumber = 1, .staDeps = "2"}, 48.6135_usd},
        Case{"MassachusettsWeeklyExemption", &Massachusetts, 500.10_usd,
             {.HowOft = 0, .valMarried = 1, .DepsNumber = 1}, 24.3126_usd},
        Case{"MassachusettsHeadOfHousehold", &Massachusetts, 1000_usd, {.valMarried = 1, .intSMarried = 9},
             45.495_usd},
        Case{"MassachusettsHouseholdAmountOnlyForHeadOfFamily", &Massachusetts, 1000_usd,
             {.valMarried = 1, .intSMarried = 3}, 50.895_usd},
        Case{"MassachusettsTaxBelowHouseholdAmountIsZero", &Massachusetts, 200_usd,
             {.valMarried = 1, .intSMarried = 9}, 0_usd},
        // 625 x 2 % + (625 - 5,000 / 12) x 1 %.
        Case{"LouisianaOneExemptionMonthly", &Louisiana, 1000_usd, {.HowOft = 3, .StateExmp = 1}, 14.5833_usd},
        Case{"LouisianaSecondRateNeverNegative", &Louisiana, 600_usd, {.HowOft = 3, .StateExmp = 1}, 4.5_usd},
        Case{"LouisianaTwoExemptionsExclude15000", &Louisiana, 3000_usd, {.HowOft = 3, .StateExmp = 2}, 55_usd},
        // Three exemptions: the second rate starts above the 1,125 exemption.
        Case{"LouisianaThreeExemptionsKeepTheirExemption", &Louisiana, 3000_usd, {.HowOft = 3, .StateExmp = 3},
             45_usd},
        Case{"LouisianaWeeklyDependents", &Louisiana, 800_usd, {.HowOft = 0, .StateExmp = 1, .StateDeps = 2},
             19.2885_usd},
        // 375 x 200 does not fit 16 bits; the exemption is still 75,000.
        Case{"LouisianaManyExemptionsCompute", &Louisiana, 100000_usd, {.HowOft = 3, .StateExmp = 200}, 500_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PercentageRateCalculators, MassachusettsCountsStateDependentsOnce)
{
    test::Harness h;
    StateInputs{.DepsNumber = 1, .staDeps = "2"}.apply(h);
    h.state(&Massachusetts, 1000_usd);
    // Married: 1 claimed + 2 state dependents; the record keeps the 3.
    EXPECT_EQ(h.r.DepsNumber, 3);
    EXPECT_EQ(h.r.StateDeps, 2);
    EXPECT_EQ(h.r.PersExmp, 247_usd);
    // A pass of the raise tool on the same record starts from the exemptions
    // list again and gives the same result.
    const Currency first = h.r.sTax;
    h.in.exemptions = "1";
    h.r.TaxOrigan = 1;
    h.state(&Massachusetts, 1000_usd);
    EXPECT_EQ(h.r.DepsNumber, 3);
    EXPECT_EQ(h.r.sTax, first);
}

TEST(PercentageRateCalculators, MassachusettsStateDependentsThatAreNotANumber)
{
    test::Harness h;
    StateInputs{.staDeps = "two"}.apply(h);
    h.log.answers = {static_cast<int>(Action::Leave)};
    h.state(&Massachusetts, 1000_usd);
    ASSERT_EQ(h.log.reports.size(), 1u);
    EXPECT_EQ(h.log.reports[0].field("Error Number"), "13");
    EXPECT_EQ(h.log.reports[0].field("Procedure Name"), "Massachusetts");
    EXPECT_EQ(h.log.reports[0].field("Line Number"), "101");
}

TEST(PercentageRateCalculators, DateTexts)
{
    struct Row {
        void (*calculator)(Pass&);
        const char* label;
    };
    const Row rows[] = {{&Arizona, ""},
                        {&Penn, ""},
                        {&MichiganTax, "Tax Code last modified: January 1, 2000"},
                        {&Illinois, "Tax Code last modified: January 1, 2000"},
                        {&IndianaTax, "Tax Code last modified: July 1, 1999"},
                        {&Massachusetts, "Tax Code last modified: January 1, 2000"},
                        {&Louisiana, "Tax Code last modified: January 1, 1998"}};
    for (const Row& row : rows) {
        test::Harness h;
        StateInputs{}.apply(h);
        h.state(row.calculator, 500_usd);
        EXPECT_EQ(h.pass.lblModified, row.label);
    }
}

TEST(PercentageRateCalculators, ArizonaWithoutPercentageSaysWhereToChooseIt)
{
    test::Harness h;
    StateInputs{.fTax = 100_usd}.apply(h);
    h.state(&Arizona, 1000_usd);
    EXPECT_EQ(h.pass.notice, "No Arizona withholding percentage is chosen. Choose one in Set State Options.");
    h.r.StateExmp = 10;
    h.state(&Arizona, 1000_usd);
    EXPECT_EQ(h.pass.notice, "");
    EXPECT_EQ(h.r.sTax, 10_usd);
}

TEST(PercentageRateCalculators, UnknownFrequencyHasNoExemptionAndSaysSo)
{
    test::Harness h;
    StateInputs{.HowOft = 7, .DepsNumber = 2}.apply(h);
    h.state(&MichiganTax, 1000_usd);
    EXPECT_EQ(h.r.PersExmp, 0_usd);
    EXPECT_EQ(h.r.sTax, 42_usd);
    EXPECT_EQ(h.pass.notice, "No Michigan table applies to the chosen pay frequency.");
}

TEST(PercentageRateCalculators, LouisianaWithoutPayPeriodsReportsDivisionByZero)
{
    test::Harness h;
    StateInputs{.HowOft = 7}.apply(h);
    h.log.answers = {static_cast<int>(Action::Leave)};
    h.state(&Louisiana, 1000_usd);
    ASSERT_EQ(h.log.reports.size(), 1u);
    EXPECT_EQ(h.log.reports[0].field("Error Number"), "11");
}

TEST(PercentageRateCalculators, IndianaExplainsBothExemptions)
{
    test::Harness h;
    StateInputs{.StateDeps = 1, .ILINDeps = 2}.apply(h);
    h.state(&IndianaTax, 1000_usd);
    std::vector<std::string> texts;
    for (const TraceLine& l : h.trace.lines) texts.push_back(l.text);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Indiana exemption 1 x 38.46"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Indiana dependent exemption 2 x 57.69"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Indiana 3.4 % of the taxable wages"), texts.end());
}

}  // namespace
}  // namespace wm
