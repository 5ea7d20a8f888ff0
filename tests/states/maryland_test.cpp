// Maryland: state and county tax in one table per county rate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "states/calculators.h"
#include "states/table_catalog.h"
#include "support/state_inputs.h"

namespace wm {
namespace {

using Case = test::StateCase;

class MarylandTax : public ::testing::TestWithParam<Case> {};

TEST_P(MarylandTax, StateTax) { test::expectStateTax(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Counties, MarylandTax,
    ::testing::Values(
        // 15 % of 48 is below 29: taxable 19.00 is taxed at r(0) only.
        Case{"WeeklyMinimumDeductionAtT1", &Maryland, 48_usd, {.HowOft = 0, .Method = 125}, 0.6175_usd},
        // 15 % of 220 = 33 lies inside the limits: taxable 187, 3.09 + 0.0726 x 130.
        Case{"WeeklyDeductionInsideLimits", &Maryland, 220_usd, {.HowOft = 0, .Method = 241}, 12.528_usd},
        // 15 % of 1000 is above 38.50: 3.09 + 0.0726 x 904.50.
        Case{"WeeklyMaximumDeduction", &Maryland, 1000_usd, {.HowOft = 0, .Method = 241}, 68.7567_usd},
        // Taxable 200.00: 7.50 + 0.0786 x 75.
        Case{"Code301SemiMonthly", &Maryland, 262.50_usd, {.HowOft = 1, .Method = 301}, 13.395_usd},
        Case{"Code251SemiMonthlyTop", &Maryland, 5000_usd, {.HowOft = 1, .Method = 251}, 359.5344_usd},
        // 2 x 154.20 and the 167 maximum off 2000: 11.87 + 0.066 x 1274.60.
        Case{"Code175MonthlyExemption", &Maryland, 2000_usd, {.HowOft = 3, .DepsNumber = 2, .Method = 175},
             95.9936_usd},
        // Taxable 167.00 is the second threshold and stays in the bracket below.
        Case{"Code291MonthlyAtT2", &Maryland, 292_usd, {.HowOft = 3, .Method = 291}, 9.0444_usd},
        Case{"Code282BiweeklyCentOverT2", &Maryland, 134.01_usd, {.Method = 282}, 4.0407_usd},
        // 75 and 71.15 off 500: 6.64 + 0.0762 x 238.85.
        Case{"Code277BiweeklyExemption", &Maryland, 500_usd, {.DepsNumber = 1, .Method = 277}, 24.8404_usd},
        // -85.80 at 3.25 % takes 2.7885 from the additional 5.00.
        Case{"NegativeTaxableReducesAdditional", &Maryland, 50_usd,
             {.HowOft = 0, .DepsNumber = 3, .Method = 125, .StateAdd = 5_usd}, 2.2115_usd},
        Case{"NegativeBelowAdditionalIsZero", &Maryland, 50_usd,
             {.HowOft = 0, .DepsNumber = 15, .Method = 125, .StateAdd = 5_usd}, 0_usd},
        // A code left from another state's options (Michigan's 3) or none at all.
        Case{"OtherCodeAdditionalOnly", &Maryland, 1000_usd, {.HowOft = 0, .Method = 3, .StateAdd = 2_usd}, 2_usd},
        Case{"NoCountyChosen", &Maryland, 1000_usd, {.HowOft = 0}, 0_usd}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Maryland, CountyTaxIsNotChargedAgainAsLocalTax)
{
    test::Harness h;
    h.r.Method = 241;
    h.r.amtLocalTax = 12_usd;
    h.state(&Maryland, 500_usd);
    EXPECT_EQ(h.r.amtLocalTax, Currency());
    // The pay record's standard deduction is not Maryland's.
    EXPECT_EQ(h.r.stdDed, Currency());
    EXPECT_EQ(h.pass.lblModified, "Tax Code last modified: January 1, 2000");
}

TEST(Maryland, LocalTaxStepStillRunsAfterwards)
{
    test::Harness h;
    h.in.txtIncome = "1000";
    h.in.exemptions = "1";
    h.r.HowOft = 0;
    h.r.intState = 19;
    h.r.Method = 241;
    h.r.SPtx = 1;
    h.r.SPval = 0.01;
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.r.amtLocalTax, 10_usd);
    // 38.50 and 35.60 off 1000: 3.09 + 0.0726 x 868.90.
    EXPECT_EQ(formatFixed4(h.r.sTax), "66.1721");
}

TEST(Maryland, NoCountyNamesTheOptionToVisit)
{
    test::Harness h;
    h.state(&Maryland, 1000_usd);
    EXPECT_EQ(h.pass.notice, "No Maryland table applies to the chosen county rate. Choose one in Set State Options.");
}

TEST(Maryland, ExplainsDeductionAndCountyTable)
{
    test::Harness h;
    h.r.Method = 241;
    h.state(&Maryland, 1000_usd);
    std::vector<std::string> lines;
    for (const TraceLine& l : h.trace.lines) lines.push_back(l.text);
    auto has = [&](const std::string& s) { return std::find(lines.begin(), lines.end(), s) != lines.end(); };
    EXPECT_TRUE(has("Maryland standard deduction held at the maximum"));
    EXPECT_TRUE(has("Maryland 2.41 % county weekly table: 3.09 + 7.26 % of the excess over 57.00"));
}

// Each combined rate is the state rate plus the county rate of its code.
TEST(MarylandTableData, RatesAreStatePlusCounty)
{
    const double state[] = {0.02, 0.03, 0.04, 0.0485};
    const std::int16_t codes[] = {125, 175, 241, 251, 277, 282, 291, 301};
    int checked = 0;
    for (const CatalogTable& t : marylandCatalog()) {
        SCOPED_TRACE(t.name);
        const double county = codes[checked++ / 4] / 10000.0;
        EXPECT_NEAR(t.table.lowestRate, state[0] + county, 1e-12);
        for (std::size_t k = 0; k < 3; ++k) EXPECT_NEAR(t.table.brackets[k].rate, state[k + 1] + county, 1e-12);
        // B(1) is the lowest rate at T(1), to the cent.
        const Bracket& first = t.table.brackets.front();
        EXPECT_NEAR(first.base, t.table.lowestRate * first.over.toDouble(), 0.0051);  // half a cent, rounded up
    }
    EXPECT_EQ(checked, 32);
}

}  // namespace
}  // namespace wm
