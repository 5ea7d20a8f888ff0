// wagemark-cli year, run in-process.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli.h"
#include "support/cli_run.h"

namespace wm {
namespace {

using Result = test::CliResult;

Result year(std::vector<std::string> args)
{
    args.insert(args.begin(), "year");
    return test::runCli(std::move(args));
}

TEST(CliYear, JsonOfTheWorkedExample)
{
    const Result r = year({"--income", "1000", "--frequency", "weekly", "--status", "single", "--exemptions", "1", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"paychecksPaid\":0,\"paychecksLeft\":52,\"wages\":\"52000.0000\",\"federalWithholding\":\"9754.6800\",\"stateWithholding\":\"0.0000\","
              "\"socialSecurity\":\"3224.0000\",\"medicare\":\"754.0000\",\"socialSecurityEndsInPeriod\":null,"
              "\"socialSecurityReachedSoFar\":false,\"spouseWages\":\"0.0000\",\"spouseWithholding\":\"0.0000\","
              "\"adjustedGrossIncome\":\"52000.0000\",\"deduction\":\"4400.0000\",\"exemptions\":\"2800.0000\","
              "\"taxableIncome\":\"44800.0000\",\"tax\":\"9131.5000\",\"childTaxCredit\":\"0.0000\","
              "\"incomeTax\":\"9131.5000\",\"effectiveRate\":\"17.56\",\"marginalRate\":\"28.00\","
              "\"refund\":\"623.1800\",\"advisedAllowances\":1,"
              "\"advisedAdditional\":\"0.0000\"}\n");
}

// Half the year paid with $3,000 withheld: 3,000 + 26 x 187.59 = 7,877.34
// against 9,131.50; 0 allowances leave 862.08, $34 a paycheck left.
TEST(CliYear, HalfwayThroughTheYear)
{
    const Result r = year({"--income", "1000", "--frequency", "weekly", "--status", "single", "--exemptions", "1",
                           "--paid", "26", "--wages-so-far", "26,000", "--withheld-so-far", "3000", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char* key : {"\"paychecksPaid\":26,\"paychecksLeft\":26,", "\"wages\":\"52000.0000\"",
                            "\"federalWithholding\":\"7877.3400\"", "\"refund\":\"-1254.1600\"",
                            "\"advisedAllowances\":0,\"advisedAdditional\":\"34.0000\"}"})
        EXPECT_NE(r.out.find(key), std::string::npos) << key << "\n" << r.out;
}

// Married with 2 children: 4 exemptions unless --return-exemptions says
// otherwise; a spouse's job joins the return.
TEST(CliYear, ChildrenAndASpouseJoinTheReturn)
{
    struct Row {
        std::vector<std::string> args;
        const char* expect;
    };
    const Row rows[] = {
        {{"--status", "married", "--children", "2"}, "\"exemptions\":\"11200.0000\""},
        {{"--status", "married", "--children", "2", "--return-exemptions", "2"}, "\"exemptions\":\"5600.0000\""},
        {{"--status", "single", "--children", "1"}, "\"exemptions\":\"5600.0000\""},
        // 26 x 2,000 + 30,000 on the return.
        {{"--status", "married", "--spouse-wages", "30000", "--spouse-withheld", "3500"},
         "\"spouseWages\":\"30000.0000\",\"spouseWithholding\":\"3500.0000\",\"adjustedGrossIncome\":\"82000.0000\""},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"--income", "2000", "--json"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        SCOPED_TRACE(row.expect);
        const Result r = year(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(row.expect), std::string::npos) << r.out;
    }
}

TEST(CliYear, BadValuesNameTheOptionAndExitTwo)
{
    struct Row {
        std::vector<std::string> args;
        std::string option;
        const char* says;
    };
    const Row rows[] = {
        {{"--filing", "married"}, "--filing", ""},
        {{"--children", "-1"}, "--children", ""},
        {{"--return-exemptions", "100"}, "--return-exemptions", ""},
        {{"--other-income", "abc"}, "--other-income", ""},
        {{"--itemized", "-5"}, "--itemized", ""},
        {{"--income", "abc"}, "--income", ""},
        {{"--paid", "x"}, "--paid", "expected a whole number"},
        // Biweekly by default: 26 paychecks, the one calculated still to come.
        {{"--paid", "26"}, "--paid", "\"26\" must be from 0 to 25"},
        // Weekly pay has the most paychecks: no frequency allows 52 paid.
        {{"--frequency", "weekly", "--paid", "52"}, "--paid", "expected a whole number from 0 to 51, got \"52\""},
        {{"--wages-so-far", "26000"}, "--wages-so-far", "\"26000\" must be 0 with no paychecks paid so far"},
        {{"--paid", "3", "--state-withheld-so-far", "-1"}, "--state-withheld-so-far",
         "expected an amount from 0 to 999,999,999,999.99, got \"-1\""},
        {{"--other-income", "-50"}, "--other-income", "expected an amount from 0 to 999,999,999,999.99"},
        // 5 x 2,000 paid: 6.2 % x 10,000 = 620.00, half a cent a paycheck allowed.
        {{"--income", "2000", "--paid", "5", "--ss-so-far", "620.03"}, "--ss-so-far", "cannot be more than $620.02: 6.2 %"},
        {{"--paid", "25", "--ss-so-far", "4724.41"}, "--ss-so-far",
         "cannot be more than the year's maximum of $4,724.40"},
        {{"--status", "single", "--spouse-wages", "1"}, "--spouse-wages", "\"1\" counts only on a joint return"},
        {{"--filing", "head", "--spouse-withheld", "1"}, "--spouse-withheld", "counts only on a joint return"},
        {{"--spouse-wages", "lots"}, "--spouse-wages", "\"lots\" is not an amount"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.option + " " + row.says);
        const Result r = year(row.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.find("wagemark-cli: " + row.option + ":"), 0u) << r.err;
        EXPECT_NE(r.err.find(row.says), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    // Self-employed, the maximum is twice as high.
    EXPECT_EQ(year({"--self-employed", "--paid", "25", "--wages-so-far", "76200", "--ss-so-far", "9448.80"}).status,
              0);
}

}  // namespace
}  // namespace wm
