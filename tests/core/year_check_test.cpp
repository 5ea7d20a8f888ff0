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

// The schedules at each threshold, a cent below and above, are in the
// boundary corpus (tests/corpus); here what lies outside them.
TEST(YearCheck, RateSchedulesOutsideTheirThresholds)
{
    EXPECT_EQ(scheduleRate(FilingStatus::Single, 0_usd), 0);
    EXPECT_EQ(scheduleRate(FilingStatus::Single, 0.01_usd), 1500);
    EXPECT_EQ(rateText(3960), "39.60");
    EXPECT_EQ(rateText(5), "0.05");
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
        const char* name;
        const char* income;
        const char* preFica;
        std::int16_t howOft;
        bool selfEmployed;
        SoFarEntries soFar;
        int endsIn;
        Currency ending, total;
        bool reachedSoFar;
        Currency medicare;
    };
    const Row rows[] = {
        // 76,200 / 2,000 = 38.1: 38 x 124.00 = 4,712.00, the 39th withholds 12.40.
        {"weekly", "2100", "100", 0, false, {}, 39, 12.40_usd, 4724.40_usd, false, 1508_usd},
        {"self-employed", "2000", "", 0, true, {}, 39, 24.80_usd, 9448.80_usd, false, 3016_usd},  // 12.4 %
        {"semi-monthly", "5000", "", 1, false, {}, 16, 74.40_usd, 4724.40_usd, false, 1740_usd},  // 15 x 310.00
        {"bi-weekly", "4000", "", 2, false, {}, 20, 12.40_usd, 4724.40_usd, false, 1508_usd},     // 19 x 248.00
        {"monthly", "10000", "", 3, false, {}, 8, 384.40_usd, 4724.40_usd, false, 1740_usd},      // 7 x 620.00
        // Exactly 76,200: the last one in full.
        {"monthly at the base", "6350", "", 3, false, {}, 12, 393.70_usd, 4724.40_usd, false, 1104.90_usd},
        {"monthly below", "6349", "", 3, false, {}, 0, 0_usd, 4723.656_usd, false, 1104.726_usd},  // 12 x 393.638
        // Paid so far as the paycheck: the same year, wherever the base falls.
        {"reached after the first paycheck left", "2000", "", 0, false, {.paid = 10}, 39, 12.40_usd, 4724.40_usd, false,
         1508_usd},
        {"reached in the first paycheck left", "2000", "", 0, false, {.paid = 38}, 39, 12.40_usd, 4724.40_usd, false,
         1508_usd},
        {"reached before", "2000", "", 0, false, {.paid = 39}, 0, 0_usd, 4724.40_usd, true, 1508_usd},
        // A bonus so far: 75,000 in one paycheck, 4,650.00 withheld; 74.40 is left.
        {"bonus, reached in the first paycheck left", "2000", "", 0, false,
         {.paid = 1, .wages = 75000_usd, .socialSecurity = 4650_usd}, 2, 74.40_usd, 4724.40_usd, false,
         1087.50_usd + 29_usd * 51},
        {"wages so far at the base", "2000", "", 0, false,
         {.paid = 20, .wages = 76200_usd, .socialSecurity = 4724.40_usd}, 0, 0_usd, 4724.40_usd, true, 1104.90_usd + 29_usd * 32},
        // Social Security so far from the wages so far: 6.2 % x 60,000 =
        // 3,720.00; 16,200 of the base left is 8 x 2,000 (8 x 124.00 =
        // 992.00) and 200 of paycheck 26 + 9 = 35: 12.40. 3,720 + 992 + 12.40.
        {"wages so far, Social Security from them", "2000", "", 0, false, {.paid = 26, .wages = 60000_usd}, 35,
         12.40_usd, 4724.40_usd, false, 870_usd + 29_usd * 26},
        // Self-employed, 12.4 %: 7,440.00 + 8 x 248.00 + 24.80 = 9,448.80.
        {"self-employed, from the wages so far", "2000", "", 0, true, {.paid = 26, .wages = 60000_usd}, 35, 24.80_usd,
         9448.80_usd, false, 1740_usd + 58_usd * 26},
        {"wages so far past the base", "2000", "", 0, false,
         {.paid = 20, .wages = 80000_usd, .socialSecurity = 4724.40_usd}, 0, 0_usd, 4724.40_usd, true, 1160_usd + 29_usd * 32},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Year y(row.income, row.howOft, 1, 0);
        y.h.in.txtPreFICA = row.preFica;
        y.request.selfEmployed = row.selfEmployed;
        y.request.soFar = row.soFar;
        const auto c = y.check();
        ASSERT_TRUE(c);
        EXPECT_EQ(c->socialSecurityEndsInPeriod, row.endsIn);
        EXPECT_EQ(c->socialSecurityEndingAmount, row.ending);
        EXPECT_EQ(c->socialSecurity, row.total);
        EXPECT_EQ(c->socialSecurityReachedSoFar, row.reachedSoFar);
        EXPECT_EQ(c->medicare, row.medicare);
    }
}

// Wages so far are federal wages; the base counts FICA wages, which keep the
// 401(k) amount of each paycheck paid.
TEST(YearCheck, TheWageBaseCountsTheFicaWagesSoFar)
{
    // 2,000 a week with 10 % to the 401(k): federal wages 1,800, FICA wages
    // 2,000. 30 paid: 60,000 federal so far is 66,000 FICA wages, 4,092.00
    // withheld; the base is reached in paycheck 30 + ceil(10,200 / 2,000) = 36:
    // 4,092 + 5 x 124 = 4,712, and 12.40 in it.
    Year y("2000", 0, 1, 0);
    y.h.in.txt401k = "10";
    y.request.soFar = {.paid = 30, .wages = 60000_usd, .socialSecurity = 4092_usd};
    const auto c = y.check();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->wages, 99600_usd);  // 60,000 + 22 x 1,800
    EXPECT_EQ(c->socialSecurityEndsInPeriod, 36);
    EXPECT_EQ(c->socialSecurityEndingAmount, 12.40_usd);
    EXPECT_EQ(c->socialSecurity, 4724.40_usd);
    EXPECT_EQ(c->medicare, 957_usd + 29_usd * 22);  // 1.45 % of 66,000, then 22 x 29.00
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
        SoFarEntries soFar;
        int advised;
        Currency additional;
        const char* sentence;
    };
    const Row rows[] = {
        // Tax 9,971.50: only 0 allowances cover it.
        {"1000", 1, 0, 3000_usd, {}, 0, 0_usd,
         "You will owe about $217. Claiming 0 allowances keeps you closest without owing."},
        // Tax 11,931.50: 1,392.66 short at 0 allowances, 26.78 a paycheck.
        {"1000", 1, 0, 10000_usd, {}, 0, 27_usd,
         "You will owe about $2,177. Claim 0 allowances and have $27 more withheld from each paycheck "
         "to avoid owing."},
        // No income tax left (credit 397.50): from 4 allowances on nothing is
        // withheld, and more do not withhold less.
        {"300", 0, 1, 0_usd, {}, 4, 0_usd,
         "You will get about $953 back. Claiming 4 allowances keeps you closest without owing."},
        // 6,000 so far: 26 left need 3,131.50 / 26 = 120.44 each; 5 allowances
        // withhold 127.28, 6 only 112.20. 6,000 + 26 x 187.59 = 10,877.34.
        {"1000", 1, 0, 0_usd, {.paid = 26, .wages = 26000_usd, .federal = 6000_usd}, 5, 0_usd,
         "You will get about $1,746 back. Claiming 5 allowances for the 26 paychecks left keeps you closest "
         "without owing."},
        // Nothing withheld in 51 paychecks: the last one cannot make up 9,131.50.
        {"1000", 1, 0, 0_usd, {.paid = 51, .federal = 0_usd}, 0, 8929_usd,
         "You will owe about $8,944. Claim 0 allowances and have $8,929 more withheld from the last paycheck "
         "to avoid owing."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sentence);
        Year y(row.income, 0, row.valMarried, 1);
        y.request.entries.children = row.children;
        y.request.entries.otherIncome = row.otherIncome;
        y.request.soFar = row.soFar;
        const auto c = y.check();
        ASSERT_TRUE(c);
        EXPECT_EQ(c->advisedAllowances, row.advised);
        EXPECT_EQ(c->advisedAdditional, row.additional);
        EXPECT_EQ(yearSentence(*c), row.sentence);
    }
}

TEST(YearCheck, WorkedExampleHalfwayThroughTheYear)
{
    // Single, weekly $1,000, 1 allowance, no state; 26 paychecks paid with
    // $26,000 wages and $3,000 federal tax withheld so far.
    Year y("1000", 0, 1, 1);
    y.request.soFar = {.paid = 26, .wages = 26000_usd, .federal = 3000_usd};
    const auto c = y.check();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->paychecksPaid, 26);
    EXPECT_EQ(c->paychecksLeft, 26);                   // 52 - 26
    EXPECT_EQ(c->wages, 52000_usd);                    // 26,000 + 26 x 1,000
    EXPECT_EQ(c->figures.taxableIncome, 44800_usd);    // 52,000 - 4,400 - 2,800
    EXPECT_EQ(c->figures.incomeTax, 9131.50_usd);      // 3,937.50 + 28 % x 18,550, as with nothing paid
    EXPECT_EQ(c->federalWithholding, 7877.34_usd);     // 3,000 + 26 x 187.59
    EXPECT_EQ(c->refund, -1254.16_usd);                // 7,877.34 - 9,131.50: a balance due
    EXPECT_EQ(c->withholdingByCount[0], 8269.42_usd);  // 3,000 + 26 x 202.67: 862.08 short
    EXPECT_EQ(c->advisedAllowances, 0);
    EXPECT_EQ(c->advisedAdditional, 34_usd);           // 862.08 / 26 = 33.16, up to whole dollars
    // 3,000 + 26 x (202.67 + 34) = 9,153.42 covers it; $33 would leave 9,127.42.
    EXPECT_EQ(3000_usd + (202.67_usd + 34_usd) * 26, 9153.42_usd);
    EXPECT_EQ(3000_usd + (202.67_usd + 33_usd) * 26, 9127.42_usd);
    EXPECT_EQ(rateText(c->figures.effectiveRate), "17.56");  // 9,131.50 / 52,000 = 17.5606 %
    EXPECT_EQ(rateText(c->figures.marginalRate), "28.00");   // 44,800 is above 26,250
    EXPECT_EQ(c->soFar.state, 0_usd);                  // not given: 26 x 0.00
    EXPECT_EQ(c->soFar.socialSecurity, 1612_usd);      // not given: 26 x 62.00
    EXPECT_EQ(yearSentence(*c), "You will owe about $1,254. Claim 0 allowances and have $34 more withheld "
                                "from each of the 26 paychecks left to avoid owing.");
}

// The paychecks paid claimed 3 allowances, the paychecks left 1; wages so far
// are paid x the paycheck, so the return stays that of the whole year.
TEST(YearCheck, PaychecksPaidSoFarForEachFrequency)
{
    struct Row {
        const char* income;
        std::int16_t howOft;
        int paid;
        Currency withheldWith3;  // each paycheck paid
        Currency incomeTax, withholding, refund;
        int advised;
        Currency additional;
    };
    // Withholding = paid x (3 allowances) + left x (1 allowance).
    const Row rows[] = {
        {"1000", 0, 0, 157.44_usd, 9131.50_usd, 9754.68_usd, 623.18_usd, 1, 0_usd},      // 52 x 187.59
        {"1000", 0, 26, 157.44_usd, 9131.50_usd, 8970.78_usd, -160.72_usd, 0, 0_usd},    // 4,093.44 + 26 x 187.59
        {"1000", 0, 51, 157.44_usd, 9131.50_usd, 8217.03_usd, -914.47_usd, 0, 900_usd},  // 8,029.44 + 187.59
        {"2000", 2, 0, 315.01_usd, 9131.50_usd, 9758.32_usd, 626.82_usd, 1, 0_usd},      // 26 x 375.32
        {"2000", 2, 13, 315.01_usd, 9131.50_usd, 8974.29_usd, -157.21_usd, 0, 0_usd},    // 4,095.13 + 13 x 375.32
        {"2000", 2, 25, 315.01_usd, 9131.50_usd, 8250.57_usd, -880.93_usd, 0, 851_usd},  // 7,875.25 + 375.32
        {"2200", 1, 0, 350.70_usd, 9355.50_usd, 9984.72_usd, 629.22_usd, 1, 0_usd},      // 24 x 416.03
        {"2200", 1, 12, 350.70_usd, 9355.50_usd, 9200.76_usd, -154.74_usd, 0, 0_usd},    // 4,208.40 + 12 x 416.03
        {"2200", 1, 23, 350.70_usd, 9355.50_usd, 8482.13_usd, -873.37_usd, 0, 841_usd},  // 8,066.10 + 416.03
        {"4500", 3, 0, 729.12_usd, 9691.50_usd, 10317.48_usd, 625.98_usd, 1, 0_usd},     // 12 x 859.79
        {"4500", 3, 6, 729.12_usd, 9691.50_usd, 9533.46_usd, -158.04_usd, 0, 0_usd},     // 4,374.72 + 6 x 859.79
        {"4500", 3, 11, 729.12_usd, 9691.50_usd, 8880.11_usd, -811.39_usd, 0, 747_usd},  // 8,020.32 + 859.79
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.income) + " frequency " + std::to_string(row.howOft) + ", paid " +
                     std::to_string(row.paid));
        Year y(row.income, row.howOft, 1, 1);
        const Currency income = toCurrency(row.income);
        y.request.soFar = {.paid = row.paid, .wages = income * row.paid, .federal = row.withheldWith3 * row.paid};
        const auto c = y.check();
        ASSERT_TRUE(c);
        EXPECT_EQ(c->paychecksLeft, periodsPerYear(row.howOft) - row.paid);
        EXPECT_EQ(c->wages, income * periodsPerYear(row.howOft));
        EXPECT_EQ(c->figures.incomeTax, row.incomeTax);
        EXPECT_EQ(c->federalWithholding, row.withholding);
        EXPECT_EQ(c->refund, row.refund);
        EXPECT_EQ(c->advisedAllowances, row.advised);
        EXPECT_EQ(c->advisedAdditional, row.additional);

        // Nothing given: the paychecks paid were like this one, and the
        // year is the year with none paid.
        y.request.soFar = {.paid = row.paid};
        const auto same = y.check();
        Year none(row.income, row.howOft, 1, 1);
        const auto whole = none.check();
        ASSERT_TRUE(same && whole);
        EXPECT_EQ(same->wages, whole->wages);
        EXPECT_EQ(same->federalWithholding, whole->federalWithholding);
        EXPECT_EQ(same->socialSecurity, whole->socialSecurity);
        EXPECT_EQ(same->medicare, whole->medicare);
        EXPECT_EQ(same->refund, whole->refund);
    }
}

TEST(YearCheck, JointReturnWithASpouseJobBelowAndAboveEachPhaseOut)
{
    // Married weekly 1,000, 0 allowances: 52 x 140.37 = 7,299.24 withheld;
    // the spouse's wages bring the return to the phase-outs, whose income
    // tax the return table above gives.
    struct Row {
        Currency spouseWages, spouseWithheld;
        int exemptions, children;
        Currency itemized, incomeTax;
        int advised;
        Currency additional;
    };
    const Row rows[] = {
        // AGI 110,000, the child credit in full: 15,000 + 52 x 125.29 (1 allowance) covers 21,257.50.
        {58000_usd, 15000_usd, 1, 2, 0_usd, 21257.50_usd, 1, 0_usd},
        // A cent above: 50 off the credit; 1 allowance (21,515.08) still covers 21,307.50.
        {58000.01_usd, 15000_usd, 1, 2, 0_usd, 21307.50_usd, 1, 0_usd},
        // Exemptions phasing out from 193,400.
        // 30,000 + 7,299.24 leaves 3,373.87: 64.88 a paycheck, 65 in whole dollars.
        {141400.01_usd, 30000_usd, 2, 0, 30000_usd, 40673.11_usd, 0, 65_usd},
        // Exemptions gone above 315,900: 90,000 + 52 x 99.09 (4 allowances)
        // covers both; 5 withhold 91.01, 52 x 91.01 = 4,732.52 too little.
        {263900_usd, 90000_usd, 2, 0, 5000_usd, 94809.35_usd, 4, 0_usd},
        {263900.01_usd, 90000_usd, 2, 0, 5000_usd, 94853.70_usd, 4, 0_usd},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("spouse " + formatAmount(row.spouseWages));
        Year y("1000", 0, 0, 0);
        y.request.entries = {FilingStatus::Joint, row.exemptions, row.children, 0_usd, row.itemized};
        y.request.spouse = {row.spouseWages, row.spouseWithheld};
        const auto c = y.check();
        ASSERT_TRUE(c);
        EXPECT_EQ(c->federalWithholding, 7299.24_usd);  // yours alone
        EXPECT_EQ(c->figures.adjustedGrossIncome, 52000_usd + row.spouseWages);
        EXPECT_EQ(c->figures.incomeTax, row.incomeTax);
        EXPECT_EQ(c->refund, 7299.24_usd + row.spouseWithheld - row.incomeTax);
        EXPECT_EQ(c->withholdingByCount[0], 7299.24_usd + row.spouseWithheld);
        EXPECT_EQ(c->advisedAllowances, row.advised);
        EXPECT_EQ(c->advisedAdditional, row.additional);
    }
}

TEST(YearCheck, EntriesNoYearCanHaveAreRefused)
{
    using E = Input;
    constexpr FilingStatus kJoint = FilingStatus::Joint;
    struct Row {
        const char* name;
        int periods;
        YearRequest q;
        std::optional<E> entry;
        const char* reason;
    };
    const Row rows[] = {
        {"nothing so far", 52, {}, std::nullopt, ""},
        {"the last paycheck left", 52, {.soFar = {.paid = 51}}, std::nullopt, ""},
        {"none left", 52, {.soFar = {.paid = 52}}, E::PaychecksPaid,
         "must be from 0 to 51: of the year's 52 paychecks, the one calculated is still to come"},
        {"none left, monthly", 12, {.soFar = {.paid = 12}}, E::PaychecksPaid, "must be from 0 to 11"},
        {"negative paid", 26, {.soFar = {.paid = -1}}, E::PaychecksPaid, "must be from 0 to 25"},
        {"wages with none paid", 26, {.soFar = {.wages = 26000_usd}}, E::WagesSoFar,
         "must be 0 with no paychecks paid so far"},
        {"0 with none paid", 26, {.soFar = {.federal = 0_usd}}, std::nullopt, ""},
        {"state with none paid", 26, {.soFar = {.state = 0.01_usd}}, E::StateSoFar, "must be 0"},
        {"negative withholding", 26, {.soFar = {.paid = 3, .federal = -1_usd}}, E::FederalSoFar,
         "must be an amount from 0"},
        {"Social Security above the maximum", 26, {.soFar = {.paid = 25, .socialSecurity = 4724.41_usd}},
         E::SocialSecuritySoFar, "cannot be more than the year's maximum of $4,724.40"},
        {"the self-employed maximum", 26, {.selfEmployed = true, .soFar = {.paid = 25, .socialSecurity = 9448.80_usd}},
         std::nullopt, ""},
        {"a spouse on a single return", 26, {.spouse = {.wages = 30000_usd}}, E::SpouseWages,
         "counts only on a joint return"},
        {"a spouse's withholding, separately", 26,
         {.entries = {.filing = FilingStatus::Separate}, .spouse = {.withholding = 1_usd}}, E::SpouseWithholding,
         "counts only on a joint return"},
        {"withheld above the spouse's wages", 26, {.entries = {.filing = kJoint}, .spouse = {1000_usd, 1000.01_usd}},
         E::SpouseWithholding, "cannot be more than the spouse's wages, $1,000.00"},
        {"a loss as other income", 26, {.entries = {.otherIncome = -50_usd}}, E::OtherIncome,
         "must be an amount from 0 to 999,999,999,999.99"},
        {"itemized above the top", 26, {.entries = {.itemized = 1000000000000_usd}}, E::Itemized,
         "must be an amount from 0"},
        {"negative spouse's wages", 26, {.entries = {.filing = kJoint}, .spouse = {.wages = -1_usd}}, E::SpouseWages,
         "must be an amount from 0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<YearRefusal> r = refuseYearEntries(row.q, row.periods);
        ASSERT_EQ(r.has_value(), row.entry.has_value());
        if (!r) continue;
        EXPECT_EQ(r->entry, *row.entry);
        EXPECT_EQ(r->reason.rfind(row.reason, 0), 0u) << r->reason;
    }
}

TEST(YearCheck, ChildrenCountAsExemptionsByDefault)
{
    struct Row {
        std::int16_t valMarried;
        int children;
        FilingStatus filing;
        int exemptions;
    };
    const Row rows[] = {
        {0, 0, FilingStatus::Joint, 2}, {0, 2, FilingStatus::Joint, 4},  // you, your spouse, the children
        {2, 1, FilingStatus::Joint, 3}, {1, 0, FilingStatus::Single, 1}, {1, 3, FilingStatus::Single, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.valMarried) + " with " + std::to_string(row.children));
        const ReturnEntries e = defaultReturn(row.valMarried, row.children);
        EXPECT_EQ(e.filing, row.filing);
        EXPECT_EQ(e.children, row.children);
        EXPECT_EQ(e.exemptions, row.exemptions);
    }
    EXPECT_EQ(defaultExemptions(FilingStatus::Head, 2), 3);
    EXPECT_EQ(defaultExemptions(FilingStatus::Separate, 1), 2);
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
