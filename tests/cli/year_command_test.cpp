// wagemark-cli year, run in-process.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli.h"

namespace wm {
namespace {

struct Result {
    int status;
    std::string out, err;
};

Result year(std::vector<std::string> args)
{
    args.insert(args.begin(), {"wagemark-cli", "year"});
    std::istringstream in;
    std::ostringstream out, err;
    const int status = cli::run(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(CliYear, JsonOfTheWorkedExample)
{
    const Result r = year({"--income", "1000", "--frequency", "weekly", "--status", "single", "--exemptions", "1", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"wages\":\"52000.0000\",\"federalWithholding\":\"9754.6800\",\"stateWithholding\":\"0.0000\","
              "\"socialSecurity\":\"3224.0000\",\"medicare\":\"754.0000\",\"socialSecurityEndsInPeriod\":null,"
              "\"adjustedGrossIncome\":\"52000.0000\",\"deduction\":\"4400.0000\",\"exemptions\":\"2800.0000\","
              "\"taxableIncome\":\"44800.0000\",\"tax\":\"9131.5000\",\"childTaxCredit\":\"0.0000\","
              "\"incomeTax\":\"9131.5000\",\"refund\":\"623.1800\",\"advisedAllowances\":1,"
              "\"advisedAdditional\":\"0.0000\"}\n");
}

TEST(CliYear, BadValuesNameTheOptionAndExitTwo)
{
    for (const auto& [option, value] : std::vector<std::pair<std::string, std::string>>{
             {"--filing", "married"}, {"--children", "-1"}, {"--return-exemptions", "100"},
             {"--other-income", "abc"}, {"--itemized", "-5"}, {"--income", "abc"}}) {
        SCOPED_TRACE(option);
        const Result r = year({option, value});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.find("wagemark-cli: " + option + ":"), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
    }
}

}  // namespace
}  // namespace wm
