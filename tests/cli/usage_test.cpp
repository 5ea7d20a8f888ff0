// wagemark-cli's command line as the tools around it take theirs: help on
// every command, one line and exit status 2 for every usage error.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

#include "cli/cli.h"
#include "cli/options.h"
#include "support/cli_run.h"

namespace wm {
namespace {

using Result = test::CliResult;

Result cli(std::vector<std::string> args, const std::string& input = {}) { return test::runCli(std::move(args), input); }

TEST(CliUsage, EachCaseWithItsExitStatus)
{
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* says;  // the message (status 2), or the start of the output
    } rows[] = {
        {"no command", {}, 2, "no command given (see wagemark-cli help)"},
        {"unknown command", {"frobnicate"}, 2, "unknown command \"frobnicate\" (see wagemark-cli help)"},
        {"states takes no option", {"states", "--json"}, 2, "unknown option \"--json\" for states"},
        {"states takes no argument", {"states", "extra"}, 2, "states takes no arguments, got \"extra\""},
        {"help takes no argument", {"help", "extra"}, 2, "help takes no arguments, got \"extra\""},
        {"version takes no argument", {"-V", "extra"}, 2, "--version takes no arguments, got \"extra\""},
        {"calc takes options only", {"calc", "1000"}, 2, "calc takes options only, got \"1000\""},
        {"an option of another command", {"calc", "--jobs", "2"}, 2, "unknown option \"--jobs\" for calc"},
        {"year points to its own help", {"year", "--bogus"}, 2,
         "unknown option \"--bogus\" for year (see wagemark-cli year --help)"},
        {"empty batch file name", {"batch", ""}, 2, "batch: the FILE name is empty"},
        {"two batch files", {"batch", "a", "b"}, 2, "batch takes at most one FILE, got \"a\" and \"b\""},
        {"a dash word is an option", {"batch", "-x"}, 2, "unknown option \"-x\" for batch"},
        {"empty statement name", {"calc", "--statement="}, 2, "--statement: the file name is empty"},
        {"option as a file name", {"calc", "--income", "1000", "--statement", "--json"}, 2,
         "--statement: expected FILE.pdf, got the option \"--json\""},
        {"option as an amount", {"calc", "--income", "--json"}, 2, "--income: expected AMOUNT, got the option \"--json\""},
        {"help where a name would be", {"calc", "--name", "-h"}, 0, "Usage: wagemark-cli COMMAND"},
        {"a negative number is a value", {"calc", "--income", "-5"}, 2, "--income: expected an amount from 0"},
        {"value of a switch", {"calc", "--json=yes"}, 2, "--json: takes no value, got \"yes\""},
        {"missing value", {"calc", "--income"}, 2, "--income: missing value"},
        {"repeated option", {"calc", "--income", "1000", "--income=2000"}, 2,
         "--income: given more than once (\"1000\" and \"2000\")"},
        {"repeated year option", {"year", "--income", "1", "--paid", "1", "--paid", "2"}, 2,
         "--paid: given more than once (\"1\" and \"2\")"},
        {"repeated jobs", {"batch", "--jobs", "1", "--jobs", "2"}, 2, "--jobs: given more than once"},
        {"the help after a bad option", {"calc", "--bogus", "--help"}, 0, "Usage: wagemark-cli COMMAND"},
        {"the help after a bad value", {"year", "--income", "abc", "-h"}, 0, "Usage: wagemark-cli year"},
        {"the help ends the reading", {"calc", "--help", "--income", "abc"}, 0, "Usage: wagemark-cli COMMAND"},
        {"a value may begin with a dash", {"calc", "--income", "1", "--name=-h", "--json"}, 0, "{\"id\":null,"},
        {"a setting without a section", {"calc", "--setting", "/=5"}, 2, "--setting: expected SECTION/KEY=VALUE"},
        {"a setting with two keys", {"calc", "--setting", "A/B/C=5"}, 2, "--setting: expected SECTION/KEY=VALUE"},
        {"a setting without a key", {"calc", "--setting", "Settings/=5"}, 2, "--setting: expected SECTION/KEY=VALUE"},
        {"settings add up", {"calc", "--income", "1", "--setting", "User/a=1", "--setting", "User/b=2", "--json"}, 0,
         "{\"id\":null,"},
        {"a switch twice is the switch", {"calc", "--income", "1", "--json", "--json"}, 0, "{\"id\":null,"},
        {"standard input by name", {"batch", "-"}, 0, ""},
        {"version", {"--version"}, 0, "wagemark-cli "},
        {"year help", {"year", "-h"}, 0, "Usage: wagemark-cli year [OPTIONS]"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Result r = cli(row.args);
        EXPECT_EQ(r.status, row.status) << r.err;
        if (row.status == 2) {
            EXPECT_EQ(r.err.rfind(std::string("wagemark-cli: ") + row.says, 0), 0u) << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line: " << r.err;
            EXPECT_EQ(r.out, "");
        } else {
            EXPECT_EQ(r.out.rfind(row.says, 0), 0u) << r.out;
            EXPECT_EQ(r.err, "");
        }
    }
}

// -h and --help after every command print its help and exit 0.
TEST(CliUsage, EveryCommandTakesTheHelpOption)
{
    for (const cli::CommandInfo& c : cli::commands())
        for (const char* help : {"-h", "--help"}) {
            const std::string command(c.name);
            SCOPED_TRACE(command + " " + help);
            const Result r = cli({command, help});
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.out.rfind(command == "year" ? "Usage: wagemark-cli year" : "Usage: wagemark-cli COMMAND", 0),
                      0u);
            EXPECT_NE(r.out.find("\n  -h, --help "), std::string::npos) << "the help lists it";
            EXPECT_EQ(r.err, "");
        }
}

// --json --explain: the object of --json with the steps of --explain in it,
// each step's text and amount as the explanation prints them.
TEST(CliUsage, JsonExplanationHoldsTheStepsOfTheText)
{
    const std::vector<std::string> args = {"calc", "--income", "2500", "--frequency", "monthly", "--state",
                                           "New Mexico", "--exemptions", "2"};
    auto with = [&](std::initializer_list<const char*> more) {
        std::vector<std::string> a = args;
        a.insert(a.end(), more.begin(), more.end());
        return cli(a);
    };
    const Result json = with({"--json"}), both = with({"--json", "--explain"}), text = with({"--explain"});
    ASSERT_EQ(both.status, 0) << both.err;
    const std::size_t at = both.out.find(",\"explain\":[");
    ASSERT_NE(at, std::string::npos) << both.out;
    EXPECT_EQ(both.out.substr(0, at) + "}\n", json.out) << "the same object, the steps added at its end";
    EXPECT_EQ(both.out.substr(both.out.size() - 3), "]}\n");

    std::istringstream lines(text.out);
    std::string line;
    std::getline(lines, line);
    ASSERT_EQ(line, "How the amounts were reached:");
    const std::regex step(R"re(\{"step":"([^"\\]*)","amount":(null|"(-?[0-9]+\.[0-9]{4})")\})re");
    const std::string steps = both.out.substr(at);
    int count = 0;
    for (auto it = std::sregex_iterator(steps.begin(), steps.end(), step); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        SCOPED_TRACE(m[1].str());
        ASSERT_TRUE(std::getline(lines, line));
        std::string expected = "  " + m[1].str();
        expected.resize(std::max<std::size_t>(expected.size(), 72), ' ');
        EXPECT_EQ(line.rfind(expected, 0), 0u) << line;
        const std::string shown = m[3].matched ? formatAmount(toCurrency(m[3].str())) : "";
        EXPECT_EQ(line.size() >= shown.size() ? line.substr(line.size() - shown.size()) : "", shown) << line;
        ++count;
    }
    EXPECT_GE(count, 15);
    std::getline(lines, line);
    EXPECT_EQ(line, "") << "every step of the text is in the object";
}

// A calculation that stops gives the error object, not half an explanation.
TEST(CliUsage, JsonExplanationOfAStoppedCalculationIsItsError)
{
    // A saved estimate that is no number stops California's calculator.
    const Result r = cli({"calc", "--income", "1000", "--state", "California", "--setting", "StateInfo/staExmp=abc",
                          "--json", "--explain"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("{\"id\":null,\"error\":{\"number\":13,", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find("explain"), std::string::npos);
}

}  // namespace
}  // namespace wm
