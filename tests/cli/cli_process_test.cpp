// The built wagemark-cli against outputs and inputs that fail, as a shell
// script would meet them.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace wm {
namespace {

struct Outcome {
    int status;
    std::string err;
};

// Runs `script` under bash with $CLI, $BIG (a 20,000-line batch) and $DIR set.
Outcome shell(const std::string& script)
{
    // Files of this process only: other test programs (and other builds)
    // run beside it and share the temporary folder.
    const std::string dir = ::testing::TempDir();
    const std::string tag = std::to_string(::getpid());
    const std::string big = dir + "wagemark_big_" + tag + ".jsonl";
    // Removed when the program ends.
    static const struct Cleanup {
        std::string files[2];
        ~Cleanup()
        {
            for (const std::string& f : files) std::remove(f.c_str());
        }
    } cleanup{{big, dir + "wagemark_err_" + tag + ".txt"}};
    if (!std::ifstream(big)) {
        std::ofstream out(big);
        for (int i = 0; i < 20000; ++i) out << "{\"id\":" << i << ",\"txtIncome\":\"1000\",\"intState\":27}\n";
    }
    const std::string errFile = dir + "wagemark_err_" + tag + ".txt";
    const std::string command = "CLI='" WAGEMARK_CLI "' BIG='" + big + "' DIR='" + dir + "' bash -c '" + script +
                                "' 2>'" + errFile + "'";
    const int raw = std::system(command.c_str());
    std::ifstream in(errFile);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::string(std::istreambuf_iterator<char>(in), {})};
}

TEST(CliProcess, FailedOutputAndUnreadableInput)
{
    const struct {
        const char* script;
        int status;
        const char* message;
    } cases[] = {
        {"\"$CLI\" calc --income 1000 >/dev/full", 3, "cannot write the output: No space left on device"},
        {"\"$CLI\" states >/dev/full", 3, "No space left on device"},
        {"\"$CLI\" batch \"$BIG\" >/dev/full", 3, "No space left on device"},
        {"\"$CLI\" help >&-", 3, "cannot write the output: Bad file descriptor"},
        {"\"$CLI\" batch \"$BIG\" >&-", 3, "Bad file descriptor"},
        // The reader has gone: a quiet end by SIGPIPE, as cat or grep end.
        {"\"$CLI\" batch \"$BIG\" | head -n 1 >/dev/null; exit ${PIPESTATUS[0]}", 128 + SIGPIPE, ""},
        // SIGPIPE ignored: the closed pipe is seen at the next write.
        {"trap \"\" PIPE; \"$CLI\" batch \"$BIG\" | head -n 1 >/dev/null; exit ${PIPESTATUS[0]}", 3, "Broken pipe"},
        {"\"$CLI\" batch \"$DIR\"", 2, "is a directory"},
        {"\"$CLI\" batch < \"$DIR\"", 2, "cannot read standard input: Is a directory"},
        {"\"$CLI\" batch \"$DIR/no such file\"", 2, "cannot open"},
        {"\"$CLI\" batch <&-", 2, "cannot read standard input: Bad file descriptor"},
        {"\"$CLI\" batch \"$BIG\" >/dev/null", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        const Outcome o = shell(c.script);
        EXPECT_EQ(o.status, c.status) << o.err;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
        if (*c.message == '\0') {
            EXPECT_EQ(o.err, "");
        }
        // One line says what went wrong.
        EXPECT_LE(std::count(o.err.begin(), o.err.end(), '\n'), 2) << o.err;
    }
}

// Amounts at the top of the money range through every command: a result,
// the one report of a run-time error (exit 1) or, for a year too large for
// the Year Check, a refusal naming the option (exit 2); never an abort.
TEST(CliProcess, TopOfTheMoneyRangeIsAnAnswerOrAReport)
{
    const std::string m = "M=922337203685477.5807; ";
    // One batch line per state with every amount at the top.
    const std::string lines =
        "for s in $(seq 0 41); do printf \"{\\\"id\\\":$s,\\\"intState\\\":$s,\\\"txtIncome\\\":\\\"$M\\\","
        "\\\"txtPreTax\\\":\\\"$M\\\",\\\"StateAdd\\\":\\\"$M\\\",\\\"SPval\\\":1}\\n\"; done";
    const struct {
        std::string script;
        int status;
    } cases[] = {
        {"\"$CLI\" calc --income $M", 0},
        {"\"$CLI\" calc --income $M --self-employed --frequency monthly --json", 0},
        {"\"$CLI\" calc --income $M --hours 0.0001", 1},
        {"\"$CLI\" calc --income $M --explain --401k 100 --state-401k --state Kansas", 1},
        {"\"$CLI\" calc --income $M --local-rate 100 --json", 1},
        {"\"$CLI\" calc --income $M --state-add $M --state Maryland", 1},
        {"\"$CLI\" year --income 40000000000000", 2},
        {"\"$CLI\" year --income 1000 --other-income 922337203685477", 2},
        {"\"$CLI\" year --income 1 --itemized $M --json", 2},
        {"\"$CLI\" year --income $M --children 99", 2},
        {"\"$CLI\" year --income 1000 --paid 1 --wages-so-far 922337203685477", 2},
        {"\"$CLI\" year --income 1000 --filing joint --spouse-wages 922337203685477", 2},
        {"\"$CLI\" states", 0},
        {"(" + lines + ") | \"$CLI\" batch --jobs 2", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        const Outcome o = shell(m + c.script + " >/dev/null");
        EXPECT_EQ(o.status, c.status) << o.err;
        EXPECT_EQ(o.err.find("terminate"), std::string::npos) << o.err;
        if (c.status == 1 && c.script.find("batch") == std::string::npos) {
            EXPECT_EQ(o.err.rfind("wagemark-cli: the calculation stopped on a run-time error\n", 0), 0u) << o.err;
            EXPECT_NE(o.err.find("Description   : Overflow"), std::string::npos) << o.err;
        }
        if (c.status == 2) EXPECT_EQ(o.err.rfind("wagemark-cli: --", 0), 0u) << o.err;
    }
}

// The tool loads Qt only for a statement, through its module: it links no
// Qt library itself, and without the module a statement is refused with
// the reason while the rest works.
TEST(CliProcess, QtIsLoadedOnlyForAStatement)
{
    EXPECT_EQ(shell("ldd \"$CLI\" | grep -q Qt6").status, 1) << "wagemark-cli links Qt";
    const std::string alone = "T=\"$DIR/wagemark_alone_$$\"; cp \"$CLI\" \"$T\"; ";
    const Outcome noModule = shell(alone + "\"$T\" calc --income 1000 --statement \"$T.pdf\"; s=$?; rm -f \"$T\"; exit $s");
    EXPECT_EQ(noModule.status, 1);
    EXPECT_NE(noModule.err.find("the pay statement was not written to "), std::string::npos) << noModule.err;
    EXPECT_NE(noModule.err.find(": PDF output could not be loaded (") , std::string::npos) << noModule.err;
    EXPECT_NE(noModule.err.find("wagemark-statement.so is missing)"), std::string::npos) << noModule.err;
    EXPECT_EQ(shell(alone + "\"$T\" calc --income 1000 >/dev/null; s=$?; rm -f \"$T\"; exit $s").status, 0);
}

}  // namespace
}  // namespace wm
