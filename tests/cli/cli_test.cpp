// wagemark-cli, run in-process.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/batch.h"
#include "cli/cli.h"

namespace wm {
namespace {

struct Result {
    int status;
    std::string out, err;
};

Result cli(std::vector<std::string> args, const std::string& input = {})
{
    args.insert(args.begin(), "wagemark-cli");
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::run(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(CliCalc, PrintsTheTwelveRows)
{
    const Result r = cli({"calc", "--income", "1000", "--frequency", "weekly", "--status", "single", "--exemptions", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Gross Pay                $1,000.00"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Federal Tax                $187.59"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Check Amt                  $735.91"), std::string::npos) << r.out;
}

TEST(CliCalc, BadValuesNameTheOptionAndExitTwo)
{
    for (const auto& args : std::vector<std::vector<std::string>>{{"calc", "--income", "abc"},
                                                                  {"calc", "--frequency", "daily"},
                                                                  {"calc", "--exemptions", "16"},
                                                                  {"calc", "--state", "Atlantis"},
                                                                  {"calc", "--income"},
                                                                  {"calc", "--bogus"},
                                                                  {"frobnicate"}}) {
        const std::string& named = args.size() > 1 ? args[1] : args[0];
        SCOPED_TRACE(named);
        const Result r = cli(args);
        EXPECT_EQ(r.status, 2);
        // One line that says what is wrong, one that points to the help.
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
    }
}

TEST(CliCalc, JsonIsTheBatchObject)
{
    const Result r = cli({"calc", "--income", "1000", "--state", "New Mexico", "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\"id\":null,\"SSBase\":\"1000.0000\"", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\"lblModified\":\"Tax Code last modified: January 1, 2000\""), std::string::npos);
}

TEST(CliCalc, ExplainShowsTheSteps)
{
    const Result r = cli({"calc", "--income", "1000", "--frequency", "weekly", "--state", "27", "--exemptions", "2", "--explain"});
    EXPECT_NE(r.out.find("New Mexico exemption 2 x 52.88"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Federal taxable wages after allowances"), std::string::npos);
}

TEST(CliCalc, StatementWithoutAPdfWriterIsNotAvailable)
{
    cli::setStatementWriter(nullptr);
    const Result r = cli({"calc", "--income", "1000", "--statement", "pay.pdf"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--statement: PDF output is not available in this build"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST(CliBatch, OneLineOutPerLineInWithExitStatus)
{
    const std::string input =
        "{\"id\":1,\"txtIncome\":\"1000\",\"HowOft\":0,\"intState\":27}\n"
        "{\"id\":{\"k\":[1,2]},\"txtIncome\":\"12x\"}\n"
        "not json\n"
        "{\"HowOft\":\"2\"}\n"
        "[1]\n"
        "{\"settings\":{\"StateInfo\":{\"sta401\":\"Y\"}},\"txtIncome\":\"1000\",\"txt401k\":\"6\",\"intState\":27,\"HowOft\":0}\n";
    const Result r = cli({"batch"}, input);
    EXPECT_EQ(r.status, 1);
    std::istringstream lines(r.out);
    std::vector<std::string> out;
    for (std::string l; std::getline(lines, l);) out.push_back(l);
    ASSERT_EQ(out.size(), 6u) << r.out;
    EXPECT_EQ(out[0].rfind("{\"id\":1,\"SSBase\":\"1000.0000\",\"taxBase\":\"1000.0000\"", 0), 0u) << out[0];
    EXPECT_NE(out[0].find("\"sTax\":\"43.5250\""), std::string::npos) << out[0];
    EXPECT_EQ(out[1], "{\"id\":{\"k\":[1,2]},\"error\":{\"number\":13,\"description\":\"Type mismatch\",\"module\":\"frmMain\",\"procedure\":\"Calculate\",\"line\":100}}");
    EXPECT_EQ(out[2].rfind("{\"line\":3,\"error\":{\"number\":0,", 0), 0u);
    EXPECT_EQ(out[3], "{\"line\":4,\"error\":{\"number\":0,\"description\":\"HowOft must be a whole number, not a string\"}}");
    EXPECT_EQ(out[4].rfind("{\"line\":5,", 0), 0u);
    // 401(k) excluded from state wages: 940 - 0 exemptions.
    EXPECT_NE(out[5].find("\"staxBase\":\"940.0000\""), std::string::npos) << out[5];
}

TEST(CliBatch, AllGoodLinesExitZero)
{
    const Result r = cli({"batch"}, "{}\n{\"txtIncome\":\"500\",\"valMarried\":1}\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"DepsNumber\":0,\"lblModified\":\"\"}"), std::string::npos) << r.out;
}

TEST(CliStates, ListsEveryIndex)
{
    const Result r = cli({"states"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("27     New Mexico        NewMexico"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("41     Wisconsin"), std::string::npos);
}

}  // namespace
}  // namespace wm
