// wagemark-cli, run in-process.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <streambuf>

#include "cli/batch.h"
#include "cli/cli.h"
#include "cli/options.h"
#include "support/cli_run.h"
#include "states/registry.h"

namespace wm {
namespace {

using Result = test::CliResult;

// The first state whose calculator reads the state option `name`; 0 for
// any other option.
int stateReading(std::string_view name)
{
    for (const cli::Option& o : cli::options()) {
        if (o.name != name || !o.stateOption) continue;
        for (int i = 1; i < kStateCount; ++i)
            if (stateAt(i).options & o.stateOption) return i;
    }
    return 0;
}

Result cli(std::vector<std::string> args, const std::string& input = {}) { return test::runCli(std::move(args), input); }

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
                                                                  {"calc", "--exemptions", "100"},
                                                                  {"calc", "--income", "-500"},
                                                                  {"calc", "--state", "Atlantis"},
                                                                  {"calc", "--income"},
                                                                  {"calc", "--bogus"},
                                                                  {"calc", "--name", "Pat\nDoe"},
                                                                  {"calc", "--name", "\u202Eevil.exe"},
                                                                  {"calc", "--all-states", "--vs"},
                                                                  {"calc", "--all-states", "--explain"},
                                                                  {"calc", "--vs", "--explain"},
                                                                  {"calc", "--vs", "--income", "1", "--vs"},
                                                                  {"year", "--vs"},
                                                                  {"year", "--all-states"},
                                                                  {"frobnicate"}}) {
        const std::string& named = args.size() > 1 ? args[1] : args[0];
        SCOPED_TRACE(named);
        const Result r = cli(args);
        EXPECT_EQ(r.status, 2);
        // One line that says what is wrong.
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
    }
}

// A state option is taken exactly where the state list says the state's
// calculator reads it, by calc and by year; elsewhere it is refused with
// the option and the state named. Batch keys stay as they are: batch files
// set every key on every line.
TEST(CliCalc, StateOptionsOnlyForAStateThatReadsThem)
{
    for (const cli::Option& o : cli::options()) {
        if (!o.stateOption) continue;
        const std::string example(o.examples.substr(0, o.examples.find('|')));
        for (int state = 0; state < kStateCount; ++state) {
            const StateEntry& s = stateAt(state);
            SCOPED_TRACE(std::string(o.name) + " with " + std::string(s.name));
            const bool reads = (s.options & o.stateOption) != 0;
            for (const char* command : {"calc", "year"}) {
                std::vector<std::string> args = {command, "--income", "1000", std::string(o.name), example, "--state",
                                                 std::to_string(state)};
                if (o.valueName.empty()) args.erase(args.begin() + 4);  // a switch
                const Result r = cli(args);
                EXPECT_EQ(r.status, reads ? 0 : 2) << r.err;
                if (reads) continue;
                const std::string message =
                    "wagemark-cli: " + std::string(o.name) + ": " + std::string(s.name) + " does not read this option";
                EXPECT_EQ(r.err.rfind(message, 0), 0u) << r.err;
            }
        }
    }
    const std::string line = R"({"txtIncome":"1000","intState":24,"StateDeps":2,"StateRate":3,"Method":241})";
    EXPECT_EQ(cli({"batch"}, line + "\n").status, 0);
}

// A name is text, not layout: the message names the character.
TEST(CliCalc, NameWithALineBreakOrAnOverrideIsRefused)
{
    const Result r = cli({"calc", "--income", "1000", "--name", "Pat\nDoe"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("wagemark-cli: --name: a name is text only and cannot hold a line break (U+000A)\n", 0), 0u)
        << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(cli({"calc", "--income", "1000", "--name", "Zoë Müller – 東京"}).status, 0);
}

TEST(CliCalc, JsonIsTheBatchObject)
{
    const Result r = cli({"calc", "--income", "1000", "--state", "New Mexico", "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\"id\":null,\"SSBase\":\"1000.0000\"", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\"lblModified\":\"Tax Code last modified: January 1, 2000\""), std::string::npos);
}

// Each row of --all-states is the single calculation for that state with
// the options the row names; Alabama, the state given, keeps its own.
TEST(CliCalc, EveryStateRowIsThatStatesCalculation)
{
    const std::vector<std::string> pay = {"calc", "--income", "1000", "--frequency", "weekly", "--status", "single",
                                          "--exemptions", "1", "--json"};
    std::vector<std::string> args = pay;
    args.insert(args.end(), {"--state", "Alabama", "--state-status", "4", "--state-deps", "2", "--all-states"});
    const Result all = cli(args);
    ASSERT_EQ(all.status, 0) << all.err;
    std::istringstream lines(all.out);
    std::string line, lastCheck = "1e30";
    int rows = 0;
    while (std::getline(lines, line)) {
        auto field = [&](const std::string& key) {
            const std::size_t at = line.find("\"" + key + "\":\"") + key.size() + 4;
            return line.substr(at, line.find('"', at) - at);
        };
        SCOPED_TRACE(line);
        std::vector<std::string> one = pay;
        one.insert(one.end(), {"--state", field("stateName")});
        std::istringstream words(field("stateOptions"));
        for (std::string w; words >> w;) one.push_back(w);
        const Result single = cli(one);
        EXPECT_EQ(line.rfind(single.out.substr(0, single.out.size() - 2), 0), 0u) << single.err;
        EXPECT_GE(std::stod(lastCheck), std::stod(field("amtTotal")));  // highest check first
        lastCheck = field("amtTotal");
        if (field("stateName") == "Alabama") {
            EXPECT_EQ(field("stateOptions"), "--state-status 4 --state-deps 2");
        }
        ++rows;
    }
    EXPECT_EQ(rows, kStateCount);
}

// A 401(k) of 10 % instead of 5 % of $1,000 a week: $50.00 more off the
// federal wages lowers the federal tax by 28 % of it, $14.00, so the check
// drops by $50.00 - $14.00 = $36.00. Carried options are no repeats.
TEST(CliCalc, VersusShowsTheDifference)
{
    const Result r = cli({"calc", "--income", "1000", "--frequency", "weekly", "--status", "single", "--exemptions",
                          "1", "--401k", "5", "--json", "--vs", "--401k", "10"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string difference = r.out.substr(r.out.find("\"difference\":"));
    for (const char* amount : {"\"amt401k\":\"50.0000\"", "\"fTax\":\"-14.0000\"", "\"amtTotal\":\"-36.0000\""})
        EXPECT_NE(difference.find(amount), std::string::npos) << difference;
    const Result text = cli({"calc", "--income", "1000", "--self-employed", "--state", "Kansas", "--state-401k",
                             "--vs", "--no-self-employed", "--state", "Arizona"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("FICA                       $153.00          $76.50        ($76.50)"), std::string::npos)
        << text.out;
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
    EXPECT_EQ(out[2].rfind("{\"line\":3,\"id\":null,\"error\":{\"number\":0,", 0), 0u);
    EXPECT_EQ(out[3], "{\"line\":4,\"id\":null,\"error\":{\"number\":0,\"description\":\"HowOft must be a whole number, not a string\"}}");
    EXPECT_EQ(out[4].rfind("{\"line\":5,", 0), 0u);
    // 401(k) excluded from state wages: 940 - 0 exemptions.
    EXPECT_NE(out[5].find("\"staxBase\":\"940.0000\""), std::string::npos) << out[5];
}

// A line's settings take time in proportion to their size: 80,000 keys (a
// line just under 1 MiB) once took seconds, a thousand such lines hours.
TEST(CliBatch, SettingsOfAnySizeTakeLittleTime)
{
    const auto line = [](const std::string& section, int keys, bool sameKey) {
        std::string s = "{\"txtIncome\":\"1000\",\"txt401k\":\"6\",\"intState\":27,\"HowOft\":0,\"settings\":{\"" +
                        section + "\":{";
        for (int i = 0; i < keys; ++i) s += "\"" + (sameKey ? std::string("sta401") : std::to_string(i)) + "\":\"N\",";
        // The last word on a key the calculation reads counts.
        return s + "\"sta401\":\"Y\"}}}\n";
    };
    const struct {
        const char* name;
        std::string line;
    } rows[] = {
        {"80,000 keys nobody reads", line("StateInfo", 80000, false)},
        {"80,000 keys in a section nobody reads", line("Elsewhere", 80000, false) + line("StateInfo", 0, false)},
        {"one key read, given 80,000 times", line("StateInfo", 80000, true)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_LT(row.line.size(), 1u << 20);
        const auto start = std::chrono::steady_clock::now();
        const Result r = cli({"batch", "--jobs", "1"}, row.line);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_LT(seconds, 1.0);
        // 401(k) excluded from state wages: 940 - 0 exemptions.
        EXPECT_NE(r.out.find("\"staxBase\":\"940.0000\""), std::string::npos) << r.out.substr(0, 300);
    }
}

TEST(CliBatch, AllGoodLinesExitZero)
{
    const Result r = cli({"batch"}, "{}\n{\"txtIncome\":\"500\",\"valMarried\":1}\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"DepsNumber\":0,\"lblModified\":\"\"}"), std::string::npos) << r.out;
}

// A batch line hands its plain 401(k) percentage and allowances to the pass
// already read: each line gives what calc gives for the same texts, and the
// next line, without them, is not left with them.
TEST(CliBatch, ReadPercentagesAndAllowancesMatchCalc)
{
    const std::string plain = R"({"txtIncome":"1000"})";
    const std::string alone = cli({"calc", "--income", "1000", "--json"}).out;
    for (const char* pct : {"7", "07", "0.05", "5.5", "0.123456", "3.1234567", "0", "15"}) {
        SCOPED_TRACE(pct);
        const std::string line = R"({"txtIncome":"1000","txt401k":")" + std::string(pct) + R"(","DepsNumber":3})";
        const Result r = cli({"batch", "--jobs", "1"}, line + "\n" + plain + "\n");
        const Result c = cli({"calc", "--income", "1000", "--401k", pct, "--exemptions", "3", "--json"});
        ASSERT_EQ(c.status, 0) << c.err;
        EXPECT_EQ(r.out, c.out + alone);
    }
}

// Options mean what they say: values are checked where they are given, a
// switch takes no value, and the order of options does not matter.
TEST(CliCalc, OptionValuesAreCheckedAndTrimmed)
{
    const struct {
        std::vector<std::string> args;
        const char* message;  // "" for accepted
    } cases[] = {
        {{"--self-employed=no"}, "--self-employed: takes no value"},
        {{"--json=0"}, "--json: takes no value"},
        {{"--401k", "-5"}, "--401k: expected a percentage from 0 to 100"},
        {{"--401k", "99999999999999999999"}, "--401k: expected a percentage from 0 to 100"},
        {{"--local-rate", "-3"}, "--local-rate: expected a percentage from 0 to 100"},
        {{"--local-rate", "1e999"}, "--local-rate: \"1e999\" is not a number"},
        {{"--income", "999999999999999"}, "--income: \"999999999999999\" is too large"},
        {{"--income", "9999999999999999999999"}, "--income: \"9999999999999999999999\" is too large"},
        {{"--income", "999,999,999,999.99"}, ""},
        {{"--income", "1,000,000,000,000"}, "--income: expected an amount from 0 to 999,999,999,999.99"},
        {{"--hours", "1e400"}, "--hours: \"1e400\" is not a number"},
        {{"--hours", "-1"}, "--hours: expected hours from 0 to 744, to the hundredth, got \"-1\""},
        {{"--hours", "745"}, "--hours: expected hours from 0 to 744"},
        {{"--hours", "744"}, ""},
        {{"--county-rate", "99999999999999999999"}, "--county-rate: expected one of"},
        {{"--exemptions", " 1"}, ""},
        {{"--exemptions", "1 "}, ""},
        {{"--state", " 27 "}, ""},
        {{"--frequency", "weekly "}, ""},
        {{"--exemptions", "99999999999999999999"}, "--exemptions: expected a whole number from 0 to 99"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front() + (c.args.size() > 1 ? " " + c.args[1] : ""));
        std::vector<std::string> args = {"calc"};
        if (c.args.front() != "--income") args.insert(args.end(), {"--income", "1000"});
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = cli(args);
        if (*c.message == '\0') {
            EXPECT_EQ(r.status, 0) << r.err;
            continue;
        }
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind(std::string("wagemark-cli: ") + c.message, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST(CliCalc, OptionOrderDoesNotMatter)
{
    const std::vector<std::vector<std::string>> pairs[] = {
        {{"--local-base", "0"}, {"--local-rate", "3"}},
        {{"--local-base", "less-401k"}, {"--local-rate", "3"}},
        {{"--state-deps", "3"}, {"--setting", "StateInfo/staDeps=1"}},
        {{"--state-401k"}, {"--setting", "StateInfo/sta401=N"}},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair[0][0] + " " + pair[1][0]);
        std::vector<std::string> ab = {"calc", "--income", "1000", "--401k", "5", "--state", "Georgia", "--json"};
        std::vector<std::string> ba = ab;
        for (const auto& o : pair) ab.insert(ab.end(), o.begin(), o.end());
        for (auto it = pair.rbegin(); it != pair.rend(); ++it) ba.insert(ba.end(), it->begin(), it->end());
        const Result first = cli(ab), second = cli(ba);
        EXPECT_EQ(first.status, 0) << first.err;
        EXPECT_EQ(first.out, second.out);
    }
    // A rate alone taxes gross pay; an explicit base of 0 means none.
    const std::vector<std::string> rate = {"calc", "--income", "1000", "--json", "--local-rate", "3"};
    EXPECT_NE(cli(rate).out.find("\"amtLocalTax\":\"30.0000\""), std::string::npos);
    std::vector<std::string> none = rate;
    none.insert(none.begin() + 1, {"--local-base", "0"});
    EXPECT_NE(cli(none).out.find("\"amtLocalTax\":\"0.0000\""), std::string::npos);
}

// Well-formed UTF-8 with no surrogates and nothing above U+10FFFF.
bool validUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        std::uint32_t cp = n == 1 ? b : b & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[n] || (cp >= 0xD800 && cp < 0xE000) || cp > 0x10FFFF) return false;
        i += n;
    }
    return true;
}

// What the batch reader accepts is RFC 8259 JSON: anything else is answered
// with the line's error object, and every output line is valid UTF-8.
TEST(CliBatch, JsonConformance)
{
    const std::string deep = std::string(200, '[') + std::string(200, ']');
    // A line `levels` deep: its object is level 1, the arrays in it the rest.
    auto nested = [](const char* key, int levels) {
        const auto arrays = static_cast<std::size_t>(levels - 1);
        return "{\"" + std::string(key) + "\":" + std::string(arrays, '[') + std::string(arrays, ']') + "}";
    };
    const struct {
        const char* what;
        std::string line;
        bool accepted;
    } cases[] = {
        {"plain object", R"({"id":1,"HowOft":0})", true},
        {"leading zero", R"({"id":01})", false},
        {"leading zero in a key's value", R"({"HowOft":09})", false},
        {"negative leading zero", R"({"id":-012})", false},
        {"zero and fraction", R"({"id":0.5,"SPval":0})", true},
        {"invalid UTF-8 byte", "{\"id\":\"\xff\"}", false},
        {"overlong encoding", "{\"id\":\"\xc0\xaf\"}", false},
        {"encoded surrogate", "{\"id\":\"\xed\xa0\x80\"}", false},
        {"truncated sequence", "{\"id\":\"\xe2\x82\"}", false},
        {"beyond U+10FFFF", "{\"id\":\"\xf4\x90\x80\x80\"}", false},
        {"valid multi-byte", "{\"id\":\"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\"}", true},
        {"lone high surrogate", R"({"id":1,"txtIncome":"\ud800x"})", false},
        {"lone low surrogate", R"({"id":"\udc00"})", false},
        {"lone surrogate in a key", R"({"settings":{"\ud800":1}})", false},
        {"surrogate pair", R"({"id":"\ud83d\ude00"})", true},
        {"deep nesting", "{\"id\":" + deep + "}", false},
        {"64 levels in the id", nested("id", 64), true},
        {"65 levels in the id", nested("id", 65), false},
        {"64 levels in a key nobody reads", nested("note", 64), true},
        {"65 levels in a key nobody reads", nested("note", 65), false},
        {"a number at the bottom of 64 levels", R"({"id":)" + std::string(63, '[') + "1" + std::string(63, ']') + "}",
         true},
        {"byte-order mark after the first line", "\xEF\xBB\xBF{}", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The first line opens with a byte-order mark, which is skipped.
        const Result r = cli({"batch"}, "\xEF\xBB\xBF{\"id\":0}\n" + c.line + "\n");
        std::istringstream lines(r.out);
        std::vector<std::string> out;
        for (std::string l; std::getline(lines, l);) out.push_back(l);
        ASSERT_EQ(out.size(), 2u) << r.out;
        EXPECT_EQ(out[0].rfind("{\"id\":0,\"SSBase\"", 0), 0u) << out[0];
        EXPECT_EQ(out[1].rfind("{\"line\":2,\"id\":", 0) == 0, !c.accepted) << out[1];
        for (const std::string& l : out) EXPECT_TRUE(validUtf8(l)) << l;
    }
}

// A stream that takes `room` bytes, then fails as a full disk does.
class FullDisk : public std::streambuf {
public:
    explicit FullDisk(std::size_t room) : room_(room) {}
    std::size_t taken = 0;

protected:
    int_type overflow(int_type c) override
    {
        if (taken >= room_) return traits_type::eof();
        ++taken;
        return c;
    }

private:
    std::size_t room_;
};

TEST(CliBatch, StopsAtOnceWhenTheOutputFails)
{
    std::string input;
    for (int i = 0; i < 400000; ++i) input += "{\"txtIncome\":\"1000\"}\n";
    std::istringstream in(input);
    FullDisk disk(1000);
    std::ostream out(&disk);
    std::ostringstream err;
    EXPECT_EQ(cli::run({"wagemark-cli", "batch"}, in, out, err), cli::kWriteFailed);
    EXPECT_NE(err.str().find("cannot write the output"), std::string::npos) << err.str();
    // Not four hundred thousand lines computed into the void.
    ASSERT_TRUE(in.good());
    EXPECT_LT(in.tellg(), std::streampos(input.size() / 4));
}

// Splits an example command line as a shell would (double and single quotes).
std::vector<std::string> shellWords(std::string_view line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = line.find(c, i + 1);
            word.append(line.substr(i + 1, close - i - 1));
            i = close;
            inWord = true;
        } else if (c == ' ') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

TEST(CliHelp, EveryExampleRuns)
{
    const std::string help = cli({"help"}).out;
    std::istringstream lines(help.substr(help.find("Examples:")));
    int examples = 0;
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> words = shellWords(line);
        if (words.empty() || words.front() == "Examples:") continue;
        SCOPED_TRACE(line);
        std::string input;
        if (words.front() == "echo") {  // echo 'LINE' | wagemark-cli batch
            input = words.at(1) + "\n";
            words.erase(words.begin(), words.begin() + 3);
        }
        ASSERT_EQ(words.front(), "wagemark-cli");
        words.erase(words.begin());
        const Result r = cli(words, input);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_FALSE(r.out.empty());
        ++examples;
    }
    EXPECT_GE(examples, 4);
}

// Every option the help shows is taken by its command, with each of the
// examples the help gives for it; every batch key it lists is read.
TEST(CliHelp, HelpAndParserAgree)
{
    const std::string help = cli({"help"}).out;
    std::istringstream lines(help);
    std::string command = "calc";
    int options = 0;
    std::string keys;
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) {
        // A continuation line belongs to the option above it.
        if (line.rfind(std::string(26, ' '), 0) == 0 && !all.empty())
            all.back() += line.substr(25);
        else
            all.push_back(line);
    }
    for (auto it = all.begin(); it != all.end(); ++it) {
        const std::string& line = *it;
        if (line == "Options of batch:") command = "batch";
        if (line.rfind("Options of year", 0) == 0) command = "year";
        if (line.rfind("Keys of a batch line", 0) == 0) {
            for (++it; it != all.end() && !it->empty(); ++it) keys += *it + "\n";
            break;
        }
        if (line.rfind("  --", 0) != 0) continue;
        std::istringstream words(line);
        std::string name, value;
        words >> name >> value;
        const bool takesValue = !value.empty() && std::isupper(static_cast<unsigned char>(value[0]));
        std::vector<std::string> examples;
        if (const auto eg = line.find(", e.g. "); eg != std::string::npos) {
            for (const std::string& w : shellWords(line.substr(eg + 7)))
                examples.push_back(w.back() == ',' ? w.substr(0, w.size() - 1) : w);
        }
        if (!takesValue) examples = {""};
        if (name == "--statement") continue;  // needs the PDF writer; see the print tests
        ASSERT_FALSE(examples.empty()) << line;
        for (const std::string& e : examples) {
            SCOPED_TRACE(name + " " + e);
            std::vector<std::string> args = {command};
            if (command != "batch" && name != "--income") args.insert(args.end(), {"--income", "1000"});
            // The figures so far need paychecks paid that could have paid them,
            // a spouse's withholding the spouse's wages.
            if (command == "year" && name != "--paid") args.insert(args.end(), {"--paid", "13"});
            if (name == "--spouse-withheld") args.insert(args.end(), {"--spouse-wages", "30000"});
            if (name.rfind("--bonus-", 0) == 0) args.insert(args.end(), {"--bonus", "0"});
            // A state option counts only with a state that reads it.
            if (const int state = stateReading(name); state > 0) args.insert(args.end(), {"--state", std::to_string(state)});
            args.push_back(name);
            if (takesValue) args.push_back(e);
            const Result r = cli(args, command == "batch" ? "{}\n" : "");
            EXPECT_EQ(r.status, 0) << r.err;
        }
        ++options;
    }
    EXPECT_GE(options, 25);
    // A key the reader knows answers a value of the wrong type; one it does
    // not know is ignored. The help lists each as "KEY (--option...)".
    int read = 0;
    for (std::size_t paren = keys.find(" ("); paren != std::string::npos; paren = keys.find(" (", paren + 1)) {
        const std::size_t start = keys.find_last_of(" \n", paren - 1) + 1;
        const std::string w = keys.substr(start, paren - start);
        if (w == "id") continue;
        SCOPED_TRACE(w);
        const Result r = cli({"batch"}, "{\"" + w + "\":[[]]}\n");
        EXPECT_NE(r.out.find("\"description\":\"" + w + " must be"), std::string::npos) << r.out;
        ++read;
    }
    EXPECT_GE(read, 19);
}

// The same lines give the same output, in the same order, on one thread or
// several: over 3 MiB, so the ring of chunks in flight (two a thread) wraps.
TEST(CliBatch, JobsDoNotChangeTheOutput)
{
    std::string input;
    const char* kinds[] = {"{\"id\":%d,\"txtIncome\":\"%d.25\",\"HowOft\":%d,\"intState\":%d,\"DepsNumber\":2,",
                           "{\"id\":%d,\"txtIncome\":\"x%d\",\"HowOft\":%d,\"intState\":%d,",
                           "{\"id\":%d,\"HowOft\":\"%d\",\"x\":%d,\"y\":%d,", "not json %d %d %d %d"};
    const std::string note = "\"note\":\"" + std::string(500, 'n') + "\"}";
    for (int i = 0; i < 6000; ++i) {
        char line[200];
        std::snprintf(line, sizeof line, kinds[i % 7 == 0 ? 1 + i % 3 : 0], i, 300 + i % 4000, i % 4, i % 42);
        input += line;
        input += note;
        input += i % 5 == 0 ? "\r\n" : "\n";
    }
    input += "{\"id\":\"last line without a newline\"}";
    ASSERT_GT(input.size(), std::size_t{3} << 20);
    const Result one = cli({"batch", "--jobs", "1"}, input);
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 6001);
    EXPECT_NE(one.out.find("\n{\"line\":15,"), std::string::npos);
    for (const char* jobs : {"--jobs=2", "--jobs=3", "--jobs=4"}) {
        const Result many = cli({"batch", jobs}, input);
        EXPECT_EQ(many.status, 1) << jobs;
        EXPECT_TRUE(one.out == many.out) << "the outputs differ with " << jobs;
    }
}

TEST(CliBatch, OverlongLineIsAnsweredNotHeld)
{
    const std::string longLine = "{\"id\":\"" + std::string(3 << 20, 'x') + "\"}";
    const Result r = cli({"batch"}, "{}\n" + longLine + "\n{\"id\":3}\n" + longLine);
    EXPECT_EQ(r.out.substr(r.out.find('\n') + 1),
              "{\"line\":2,\"id\":null,\"error\":{\"number\":0,\"description\":\"line longer than 1 MiB\"}}\n"
              "{\"id\":3,\"SSBase\":\"0.0000\",\"taxBase\":\"0.0000\",\"ftaxBase\":\"0.0000\",\"amtDed\":\"0.0000\","
              "\"amt401k\":\"0.0000\",\"PreTax\":\"0.0000\",\"SSEmp\":\"0.0000\",\"fTax\":\"0.0000\",\"amtFICA\":"
              "\"0.0000\",\"amtSS\":\"0.0000\",\"amtMedicare\":\"0.0000\",\"sTax\":\"0.0000\",\"amtLocalTax\":\"0.0000\","
              "\"amtDedTot\":\"0.0000\",\"amtTotal\":\"0.0000\",\"staxBase\":\"0.0000\",\"PersExmp\":\"0.0000\","
              "\"DepsNumber\":0,\"lblModified\":\"\"}\n"
              "{\"line\":4,\"id\":null,\"error\":{\"number\":0,\"description\":\"line longer than 1 MiB\"}}\n");
}

TEST(CliStates, ListsEveryIndex)
{
    const Result r = cli({"states"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("27     New Mexico        NewMexico"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("41     Wisconsin"), std::string::npos);
}

TEST(CliVersion, PrintsTheVersionAndExitsZero)
{
    for (const char* option : {"--version", "-V"}) {
        SCOPED_TRACE(option);
        const Result r = cli({option});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "wagemark-cli " WAGEMARK_VERSION "\n");
        EXPECT_EQ(r.err, "");
    }
    EXPECT_NE(cli({"help"}).out.find("\n  -V, --version            print the version\n"), std::string::npos);
}

}  // namespace
}  // namespace wm
