// The Year Check: the year projected from the real pass, the 2000 return,
// Social Security at the wage base and the allowance advice.
#include <gtest/gtest.h>

#include "core/year_check.h"
#include "support/harness.h"

namespace wm {
namespace {

// A calculator set up as the desktop program leaves it; the check runs on
// copies of its record.
struct Year {
    test::Harness h;
    YearRequest request;

    Year(const char* income, std::int16_t howOft, std::int16_t valMarried, std::int16_t allowances)
    {
        h.in.txtIncome = income;
        h.r.HowOft = howOft;
        h.r.valMarried = valMarried;
        request.allowances = allowances;
        request.entries = defaultReturn(valMarried);
    }
    std::optional<YearCheck> check()
    {
        h.in.chkSelfEmployed = request.selfEmployed;
        return checkYear(request, copyRunner(h.r, h.in, h.settings, h.errors), h.errors);
    }
};

TEST(YearCheck, WorkedExampleSingleWeeklyThousandOneAllowance)
{
    Year y("1000", 0, 1, 1);
    const auto c = y.check();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->periods, 52);
    // Withholding: (1000 - 53.85 - 536) x 28 % + 72.75 = 187.59 a week; 52 x 187.59.
    EXPECT_EQ(c->federalWithholding, 9754.68_usd);
    EXPECT_EQ(c->figures.adjustedGrossIncome, 52000_usd);                // 52 x 1,000
    EXPECT_EQ(c->figures.taxableIncome, 44800_usd);                      // 52,000 - 4,400 - 2,800
    EXPECT_EQ(c->figures.tax, 9131.50_usd);                              // 3,937.50 + 28 % x 18,550
    EXPECT_EQ(c->refund, 623.18_usd);                                    // 9,754.68 - 9,131.50
    EXPECT_EQ(c->socialSecurity, 3224_usd);                              // 52 x 62.00, base not reached
    EXPECT_EQ(c->socialSecurityEndsInPeriod, 0);
    EXPECT_EQ(c->medicare, 754_usd);                                     // 52 x 14.50
    // 2 allowances: (1000 - 107.70 - 536) x 28 % + 72.75 = 172.51; 52 x 172.51 < 9,131.50.
    EXPECT_EQ(c->withholdingByCount[2], 8970.52_usd);
    EXPECT_EQ(c->advisedAllowances, 1);
    EXPECT_EQ(c->advisedAdditional, 0_usd);
    EXPECT_EQ(yearSentence(*c), "You will get about $623 back. Claiming 1 allowance keeps you closest without owing.");
    // The calculator's own record is not touched.
    EXPECT_EQ(y.h.r.fTax, 0_usd);
    EXPECT_EQ(y.h.r.DepsNumber, 0);
}

TEST(YearCheck, RateSchedulesReachThePublishedAmountsAtEachThreshold)
{
    struct Row {
        FilingStatus filing;
        Currency over[4];
        Currency tax[4];
    };
    const Row rows[] = {
        {FilingStatus::Single, {26250_usd, 63550_usd, 132600_usd, 288350_usd},
         {3937.50_usd, 14381.50_usd, 35787_usd, 91857_usd}},
        {FilingStatus::Joint, {43850_usd, 105950_usd, 161450_usd, 288350_usd},
         {6577.50_usd, 23965.50_usd, 41170.50_usd, 86854.50_usd}},
        {FilingStatus::Separate, {21925_usd, 52975_usd, 80725_usd, 144175_usd},
         {3288.75_usd, 11982.75_usd, 20585.25_usd, 43427.25_usd}},
        {FilingStatus::Head, {35150_usd, 90800_usd, 147050_usd, 288350_usd},
         {5272.50_usd, 20854.50_usd, 38292_usd, 89160_usd}},
    };
    for (const Row& row : rows)
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(std::string(filingName(row.filing)) + " " + formatAmount(row.over[k]));
            EXPECT_EQ(scheduleTax(row.filing, row.over[k]), row.tax[k]);
        }
    // 91,857 + 39.6 % x 1.25 = 91,857.495: rounded once, to cents.
    EXPECT_EQ(scheduleTax(FilingStatus::Single, 288351.25_usd), 91857.50_usd);
    EXPECT_EQ(scheduleTax(FilingStatus::Single, -5_usd), 0_usd);
}

TEST(YearCheck, ReturnBelowAndAboveEachPhaseOut)
{
    using enum FilingStatus;
    struct Row {
        FilingStatus filing;
        Currency agi;
        int exemptions, children;
        Currency itemized;
        Currency itemizedAllowed, deduction, exemptionAmount, credit, incomeTax;
    };
    // Child credit from 75,000 / 110,000 / 55,000 / 75,000; exemptions from
    // 128,950 / 193,400 / 96,700 / 161,150, gone 122,500 (61,250) above;
    // itemized deductions limited above 128,950 (64,475).
    const Row rows[] = {
        {Single, 75000_usd, 1, 2, 0_usd, 0_usd, 4400_usd, 2800_usd, 1000_usd, 14699_usd},
        {Single, 75000.01_usd, 1, 2, 0_usd, 0_usd, 4400_usd, 2800_usd, 950_usd, 14749_usd},
        {Single, 128950.01_usd, 2, 0, 30000_usd, 30000_usd, 30000_usd, 5488_usd, 0_usd, 23654.22_usd},
        {Single, 251450_usd, 2, 0, 5000_usd, 1325_usd, 4400_usd, 112_usd, 0_usd, 76948.68_usd},
        {Single, 251450.01_usd, 2, 0, 5000_usd, 1325_usd, 4400_usd, 0_usd, 0_usd, 76989_usd},
        {Joint, 110000_usd, 1, 2, 0_usd, 0_usd, 7350_usd, 2800_usd, 1000_usd, 21257.50_usd},
        {Joint, 110000.01_usd, 1, 2, 0_usd, 0_usd, 7350_usd, 2800_usd, 950_usd, 21307.50_usd},
        {Joint, 193400.01_usd, 2, 0, 30000_usd, 28066.50_usd, 28066.50_usd, 5488_usd, 0_usd, 40673.11_usd},
        {Joint, 315900_usd, 2, 0, 5000_usd, 1000_usd, 7350_usd, 112_usd, 0_usd, 94809.35_usd},
        {Joint, 315900.01_usd, 2, 0, 5000_usd, 1000_usd, 7350_usd, 0_usd, 0_usd, 94853.70_usd},
        {Separate, 55000_usd, 1, 2, 0_usd, 0_usd, 3675_usd, 2800_usd, 1000_usd, 9736.75_usd},
        {Separate, 55000.01_usd, 1, 2, 0_usd, 0_usd, 3675_usd, 2800_usd, 950_usd, 9786.75_usd},
        {Separate, 96700.01_usd, 2, 0, 30000_usd, 29033.25_usd, 29033.25_usd, 5488_usd, 0_usd, 14835.92_usd},
        {Separate, 157950_usd, 2, 0, 5000_usd, 2195.75_usd, 3675_usd, 112_usd, 0_usd, 47382.50_usd},
        {Separate, 157950.01_usd, 2, 0, 5000_usd, 2195.75_usd, 3675_usd, 0_usd, 0_usd, 47426.85_usd},
        {Head, 75000_usd, 1, 2, 0_usd, 0_usd, 6450_usd, 2800_usd, 1000_usd, 12840.50_usd},
        {Head, 75000.01_usd, 1, 2, 0_usd, 0_usd, 6450_usd, 2800_usd, 950_usd, 12890.50_usd},
        {Head, 161150.01_usd, 2, 0, 30000_usd, 29034_usd, 29034_usd, 5488_usd, 0_usd, 31961.18_usd},
        {Head, 283650_usd, 2, 0, 5000_usd, 1000_usd, 6450_usd, 112_usd, 0_usd, 85105.68_usd},
        {Head, 283650.01_usd, 2, 0, 5000_usd, 1000_usd, 6450_usd, 0_usd, 0_usd, 85146_usd},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(filingName(row.filing)) + " AGI " + formatAmount(row.agi));
        const ReturnEntries e{row.filing, row.exemptions, row.children, row.agi - 1000_usd, row.itemized};
        const ReturnFigures f = figureReturn(1000_usd, e);
        EXPECT_EQ(f.adjustedGrossIncome, row.agi);
        EXPECT_EQ(f.itemizedAllowed, row.itemizedAllowed);
        EXPECT_EQ(f.deduction, row.deduction);
        EXPECT_EQ(f.exemptions, row.exemptionAmount);
        EXPECT_EQ(f.childTaxCredit, row.credit);
        EXPECT_EQ(f.incomeTax, row.incomeTax);
    }
    // The credit is not more than the tax: 15 % of 3,000 leaves 450 to take.
    const ReturnFigures low = figureReturn(10200_usd, {Single, 1, 2, 0_usd, 0_usd});
    EXPECT_EQ(low.childTaxCredit, 450_usd);
    EXPECT_EQ(low.incomeTax, 0_usd);
}

TEST(YearCheck, SocialSecurityStopsAtTheWageBaseForEachFrequency)
{
    struct Row {
        const char* income;
        const char* preFica;
        std::int16_t howOft;
        bool selfEmployed;
        int endsIn;
        Currency ending, total;
    };
    const Row rows[] = {
        // 76,200 / 2,000 = 38.1: 38 x 124.00 = 4,712.00, the 39th withholds 12.40.
        {"2100", "100", 0, false, 39, 12.40_usd, 4724.40_usd},
        {"2000", "", 0, true, 39, 24.80_usd, 9448.80_usd},       // 12.4 %, the same paycheck
        {"5000", "", 1, false, 16, 74.40_usd, 4724.40_usd},      // 15 x 310.00
        {"4000", "", 2, false, 20, 12.40_usd, 4724.40_usd},      // 19 x 248.00
        {"10000", "", 3, false, 8, 384.40_usd, 4724.40_usd},     // 7 x 620.00
        {"6350", "", 3, false, 12, 393.70_usd, 4724.40_usd},     // exactly 76,200: the last one in full
        {"6349", "", 3, false, 0, 0_usd, 4723.656_usd},          // 12 x 393.638, never reached
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.income) + " frequency " + std::to_string(row.howOft));
        Year y(row.income, row.howOft, 1, 0);
        y.h.in.txtPreFICA = row.preFica;
        y.request.selfEmployed = row.selfEmployed;
        const auto c = y.check();
        ASSERT_TRUE(c);
        EXPECT_EQ(c->socialSecurityEndsInPeriod, row.endsIn);
        EXPECT_EQ(c->socialSecurityEndingAmount, row.ending);
        EXPECT_EQ(c->socialSecurity, row.total);
    }
}

TEST(YearCheck, AdviceCoversTheTaxOrAsksForMore)
{
    // Single weekly 1,000: 0 allowances withhold 52 x 202.67 = 10,538.84, one
    // 9,754.68. Other income adds 28 % to the tax of 9,131.50.
    struct Row {
        const char* income;
        std::int16_t valMarried;
        int children;
        Currency otherIncome;
        int advised;
        Currency additional;
        const char* sentence;
    };
    const Row rows[] = {
        // Tax 9,971.50: only 0 allowances cover it.
        {"1000", 1, 0, 3000_usd, 0, 0_usd,
         "You will owe about $217. Claiming 0 allowances keeps you closest without owing."},
        // Tax 11,931.50: 1,392.66 short at 0 allowances, 26.78 a paycheck.
        {"1000", 1, 0, 10000_usd, 0, 27_usd,
         "You will owe about $2,177. Claim 0 allowances and have $27 more withheld from each paycheck "
         "to avoid owing."},
        // No income tax left (credit 397.50): from 4 allowances on nothing is
        // withheld, and more do not withhold less.
        {"300", 0, 1, 0_usd, 4, 0_usd,
         "You will get about $953 back. Claiming 4 allowances keeps you closest without owing."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sentence);
        Year y(row.income, 0, row.valMarried, 1);
        y.request.entries.children = row.children;
        y.request.entries.otherIncome = row.otherIncome;
        const auto c = y.check();
        ASSERT_TRUE(c);
        EXPECT_EQ(c->advisedAllowances, row.advised);
        EXPECT_EQ(c->advisedAdditional, row.additional);
        EXPECT_EQ(yearSentence(*c), row.sentence);
    }
}

TEST(YearCheck, AnErrorInThePassEndsTheCheckAfterTheFirstRun)
{
    test::Harness once;
    once.in.txtIncome = "lots";
    EXPECT_FALSE(once.calculate());
    Year y("lots", 0, 1, 1);
    EXPECT_FALSE(y.check());
    EXPECT_EQ(y.h.log.reports.size(), once.log.reports.size());
}

}  // namespace
}  // namespace wm
