// The batch reader's parts that make it fast: the walk of each SIMD kernel,
// the key table, the plain-amount reader and the amount writer.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <random>
#include <sstream>

#include "cli/batch.h"
#include "cli/cli.h"
#include "cli/line_reader.h"
#include "cli/line_walk.h"
#include "cli/options.h"
#include "record/settings_store.h"

namespace wm::cli {
namespace {

// Keys of the table: near misses of each key find nothing, unless they are
// another key.
TEST(BatchKeys, EachKeyFindsItsRowAndNothingElseFindsOne)
{
    int keys = 0;
    for (const Option& o : options()) {
        if (o.batchKey.empty()) continue;
        const std::string key(o.batchKey);
        SCOPED_TRACE(key);
        EXPECT_EQ(findBatchKey(key), &o);
        ++keys;
        std::string upper = key;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        std::string lastChanged = key, firstChanged = key, middleChanged = key;
        lastChanged.back() ^= 1;
        firstChanged.front() ^= 1;
        middleChanged[key.size() / 2] ^= 0x20;
        for (const std::string& miss : {key.substr(0, key.size() - 1), key + "x", " " + key, key + std::string(1, '\0'),
                                        upper, lastChanged, firstChanged, middleChanged, key + key}) {
            const Option* found = findBatchKey(miss);
            if (found) {
                EXPECT_EQ(found->batchKey, miss) << "a near miss found " << found->batchKey;
            }
        }
    }
    EXPECT_EQ(keys, 24);
    for (const char* none : {"", "i", "d", "txt", "settings.", "txtIncomeX", "SPtX", "Method\n"})
        EXPECT_EQ(findBatchKey(none), nullptr) << none;
}

// What a reader made of a line, as text to compare: read from a padded
// copy, or, with `after`, where it stands in a buffer with `after` behind it.
std::string readLine(LineReader& reader, const std::string& line, const std::string* after = nullptr)
{
    CalcRequest q;
    std::string id, error;
    const std::string buffer = after ? line + *after : std::string();
    const bool read = after ? reader.read(std::string_view(buffer).substr(0, line.size()), buffer.size(), q, id, error)
                            : reader.read(line, q, id, error);
    if (!read) return "error: " + error;
    std::ostringstream s;
    s << id << '|' << q.input.txtIncome << '|' << q.input.txt401k << '|' << q.input.txtPreTax << '|'
      << q.input.txtPreFICA << '|' << q.input.exemptions << '|' << q.input.chkSelfEmployed << '|' << q.HowOft << '|'
      << q.valMarried << '|' << q.intState << '|' << q.intSMarried << '|' << q.StateRate << '|' << q.StateDeps << '|'
      << q.ILINDeps << '|' << q.StateExmp << '|' << q.Method << '|' << q.StateAdd << '|' << q.SPval << '|' << q.SPtx;
    for (const SettingList* l : {&q.settings, &q.optionSettings})
        l->forEach([&](std::string_view section, std::string_view key, std::string_view value) {
            s << '|' << section << '/' << key << '=' << value;
        });
    return s.str();
}

// Lines every walk must read alike: valid ones of every key, and faults of
// every kind the reader tells apart.
std::vector<std::string> lines()
{
    std::vector<std::string> l = {
        R"({"id":7,"txtIncome":"5532.06","txt401k":"5","txtPreTax":"68.00","txtPreFICA":"6.00","chkSelfEmployed":true,)"
        R"("HowOft":0,"valMarried":2,"DepsNumber":1,"intState":20,"intSMarried":0,"StateRate":0,"StateDeps":3,)"
        R"("ILINDeps":1,"StateExmp":0,"Method":251,"StateAdd":"2.00","SPval":0.025,"SPtx":3,)"
        R"("settings":{"StateInfo":{"sta401":"Y","staPreTax":"N","unknown":"x"},"Other":{"a":"b"}}})",
        R"( { "id" : [1, {"k": [true, false, null]}, "x"] , "txtIncome" : "1,250.00" , "HowOft" : 2.0 } )",
        R"({"txtIncome":"caf\u00e9 \"q\"","\u0048owOft":1e0,"HowOft":-0,"id":"\ud83d\ude00"})",
        R"({"txtIncome":"1000.12345","txtPreTax":"999999999999999","txtPreFICA":"5."})",
        R"({"txtIncome":"99999999999999.9999","txtPreTax":"0001000"})",
        R"({"HowOft":4})", R"({"HowOft":1.5})", R"({"HowOft":"1"})", R"({"HowOft":12345678901234567890})",
        R"({"txtIncome":5})", R"({"txtIncome":null})", R"({"chkSelfEmployed":"yes"})", R"({"SPval":1})",
        R"({"SPval":[true]})", R"({"settings":[]})", R"({"settings":{"StateInfo":"x"}})",
        R"({"settings":{"StateInfo":{"staDeps":2}}})", R"({"txtPreTax":"2000","txtIncome":"1000"})",
        R"({"HowOft":9,"intState":"27"})", R"([1, 2])", R"("text")", R"(null)", R"()", R"({"id":01})",
        R"({"txtIncome":tru})", R"({"chkSelfEmployed":fals})", "{\"id\":\"tab\there\"}", R"({"id":1}{"id":2})",
        R"({"a":)", "{\"id\":\"a\xff\"}", R"({"HowOft":1e400})", R"({"id":"\ud800"})",
    };
    for (const int depth : {63, 64, 65})  // the line's object is the first level
        l.push_back(R"({"x":)" + std::string(depth - 1, '[') + std::string(depth - 1, ']') + "}");
    return l;
}

// Every whole-number key reads both ends of its range however a number is
// written (the plain form takes a quicker path than "3.0" or "3e0"), and
// refuses one past either end.
TEST(BatchInput, WholeNumberKeysTakeTheirWholeRangeInEveryForm)
{
    LineReader reader;
    int keys = 0;
    for (const Option& o : options()) {
        if (o.batchType != BatchType::Whole) continue;
        ++keys;
        const InputLimit& l = *o.limit;
        const bool codes = l.unit == InputUnit::Code;
        const int lo = codes ? l.codes.front() : l.lo, hi = codes ? l.codes.back() : l.hi;
        const std::string key(o.batchKey);
        for (const char* form : {"%d", "%d.0", "%de0"}) {
            const auto line = [&](int v) {
                char buf[32];
                std::snprintf(buf, sizeof buf, form, v);
                return "{\"" + key + "\":" + buf + "}";
            };
            SCOPED_TRACE(key + " written as " + form);
            for (const int v : {lo, hi})
                EXPECT_EQ(readLine(reader, line(v)).rfind("error", 0), std::string::npos) << line(v);
            for (const int v : {lo - 1, hi + 1})
                EXPECT_EQ(readLine(reader, line(v)), "error: " + key + " must be " + describe(l) + ", not " + std::to_string(v) +
                                                         (form[2] == '.' ? ".0" : form[2] == 'e' ? "e0" : ""))
                    << line(v);
        }
    }
    EXPECT_GE(keys, 9);
}

// Of a line's stored settings exactly those something reads are kept.
TEST(BatchInput, KnownSettingsAreKeptAndNoOthers)
{
    LineReader reader;
    int kept = 0;
    for (const SettingKey& k : knownSettings()) {
        const std::string section(k.section), key(k.key);
        SCOPED_TRACE(section + "/" + key);
        const std::string other = key + "x";
        const std::string line = R"({"settings":{")" + section + R"(":{")" + key + R"(":"v",")" + other +
                                 R"(":"w"},"x)" + section + R"(":{")" + key + R"(":"x"}}})";
        const std::string read = readLine(reader, line);
        EXPECT_EQ(read.substr(read.rfind('|') + 1), section + "/" + key + "=v");
        ++kept;
    }
    EXPECT_EQ(kept, 39);
}

// Keys and texts are read where the line holds them, escapes apart: each
// way of writing a line reads as its plain form, in every walk.
TEST(LineWalkers, KeysAndTextsReadAlikeHoweverWritten)
{
    const struct {
        const char* written;
        const char* plain;
    } rows[] = {
        {"{\"HowOft\" : 1}", R"({"HowOft":1})"},
        {"{\"HowOft\"\t\r\n:\n 1 }", R"({"HowOft":1})"},
        {R"({"\u0048owOft":1})", R"({"HowOft":1})"},
        {R"({"How\u004fft":1,"x\u0041":"\u0041"})", R"({"HowOft":1})"},
        {R"({"HowOft\u0000":1})", R"({})"},
        {"{\"txtIncome\" :\t\"12.50\" , \"StateAdd\":\"\"}", R"({"txtIncome":"12.50","StateAdd":""})"},
        {R"({"txtIncome":"1\u0032.50","StateAdd":"\"5\\"})", R"({"txtIncome":"12.50","StateAdd":"\"5\\"})"},
        {R"({"settings" : {"StateInfo" : {"sta\u0034\u0030\u0031" : "Y"}}})", R"({"settings":{"StateInfo":{"sta401":"Y"}}})"},
        {R"({"Ho\wOft":1})", R"({"id":"\x"})"},
    };
    for (const LineWalker* w : lineWalkers()) {
        if (!runsHere(*w)) continue;
        LineReader reader(*w);
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(w->kernel) + ": " + row.written);
            EXPECT_EQ(readLine(reader, row.written), readLine(reader, row.plain));
        }
    }
}

// A batch line is read where it stands in its chunk, with the next lines
// (or the blanks after the last) behind it: what follows its end must not
// change how it reads, even where the line ends inside a number or a word.
TEST(LineWalkers, ALineReadWhereItStandsReadsAsItsCopy)
{
    const std::string pad(LineReader::kPadding, ' ');
    const std::string afters[] = {"\n" + pad, "\r\n" + pad, "\n12345e7,\"x\":true}\n" + pad, "\n" + pad + "9"};
    std::vector<std::string> all = lines();
    for (const char* cut : {R"({"HowOft":1)", R"({"SPval":0.0)", R"({"id":12)", R"(12)", R"(-)", R"(tru)", R"(true)",
                            R"({"chkSelfEmployed":true)", R"({"id":nul)", R"({"txtIncome":"12)", R"({"txt)", "{"})
        all.emplace_back(cut);
    LineReader reader;
    for (const std::string& line : all)
        for (const std::string& after : afters) {
            SCOPED_TRACE(line + " followed by " + after.substr(0, after.find(' ')));
            EXPECT_EQ(readLine(reader, line, &after), readLine(reader, line));
        }
}

// Each walk this processor can run reads every line as the generic one does.
TEST(LineWalkers, EveryKernelReadsLikeTheGenericOne)
{
    LineReader generic(*lineWalkers().back());
    ASSERT_EQ(std::string_view(lineWalkers().back()->kernel).empty(), false);
    int ran = 0;
    for (const LineWalker* w : lineWalkers()) {
        SCOPED_TRACE(w->kernel);
        if (!runsHere(*w)) continue;
        LineReader reader(*w);
        for (const std::string& line : lines()) {
            SCOPED_TRACE(line);
            EXPECT_EQ(readLine(reader, line), readLine(generic, line));
        }
        ++ran;
    }
    EXPECT_GE(ran, 1);
    // The walk of the kernel simdjson runs, when this build has it.
    for (const LineWalker* w : lineWalkers())
        if (w->kernel == simdjsonKernel()) {
            EXPECT_EQ(&activeLineWalker(), w);
        }
    EXPECT_TRUE(runsHere(activeLineWalker()));
}

// The output of amounts across the points where the writer changes its way:
// leading zeros, eight digits, 10^8, the ends of the range.
TEST(BatchOutput, AmountsAreExactlyFourDecimals)
{
    auto expected = [](std::int64_t count) {
        const std::uint64_t m = count < 0 ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
        char text[40];
        std::snprintf(text, sizeof text, "%s%" PRIu64 ".%04" PRIu64, count < 0 ? "-" : "", m / 10000, m % 10000);
        return std::string(text);
    };
    std::vector<std::int64_t> counts = {0, 1, 9, 10, 99, 100, 9999, 10000, 10001, 99999999, 100000000, 100000001,
                                        123456789012, INT64_MAX, INT64_MIN, INT64_MIN + 1};
    for (std::int64_t p = 1; p < INT64_MAX / 10; p *= 10) counts.insert(counts.end(), {p - 1, p, p + 1, -p, 1 - p});
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) counts.push_back(static_cast<std::int64_t>(random() >> (random() % 64)));
    CalcOutcome res;
    for (const std::int64_t count : counts) {
        res.record.SSBase = Currency::fromCount(count);
        res.record.PersExmp = Currency::fromCount(-count);
        const std::string object = resultObject("1", res);
        const std::string base = "\"SSBase\":\"" + expected(count) + "\",";
        ASSERT_NE(object.find(base), std::string::npos) << object;
        if (count != INT64_MIN) {
            ASSERT_NE(object.find("\"PersExmp\":\"" + expected(-count) + "\","), std::string::npos) << object;
        }
    }
}

// An amount read on the quick path is the amount the general reader makes
// of it: the same line computes as `calc` does with the same text.
TEST(BatchInput, PlainAmountsReadAsTheCalculatorReadsThem)
{
    for (const char* text : {"1000", "1000.5", "980.06", "0", "0.0001", "0001000", "1000.12345", "1000.00005",
                             "99999999999999.9999", "12345678901234", "5.", ".5", "1,000", "$50", "999999999999999",
                             "123456789012345678"}) {
        SCOPED_TRACE(text);
        std::vector<std::string> args = {"wagemark-cli", "calc", "--income", text, "--json"};
        std::istringstream none;
        std::ostringstream calcOut, err, batchOut;
        const int calc = run(args, none, calcOut, err);
        std::istringstream line(std::string(R"({"txtIncome":")") + text + "\"}\n");
        args = {"wagemark-cli", "batch"};
        const int batch = run(args, line, batchOut, err);
        if (calc == 0) {
            EXPECT_EQ(batch, 0) << batchOut.str();
            EXPECT_EQ(batchOut.str(), calcOut.str());
        } else {  // above the largest amount: refused as calc refuses it
            EXPECT_EQ(batch, 1);
            EXPECT_EQ(batchOut.str().rfind("{\"line\":1,\"id\":null,\"error\":{\"number\":0,\"description\":\"txtIncome "
                                           "must be an amount from 0 to 999,999,999,999.99, not ",
                                           0),
                      0u)
                << batchOut.str();
        }
    }
}

// A percentage in range on the quick path is one the general reader takes:
// the line is refused as out of range exactly when `calc --401k` is.
TEST(BatchInput, PlainPercentagesAreRangedAsTheCalculatorRangesThem)
{
    for (const char* text : {"0", "5", "007", "12.5", "99.999999", "100", "100.0", "100.000000", "100.000001",
                             "100.0000000001", "101", "1000", "5.", "0.000001", "-0", "1e2"}) {
        SCOPED_TRACE(text);
        std::vector<std::string> args = {"wagemark-cli", "calc", "--income", "1000", "--401k", text};
        std::istringstream none;
        std::ostringstream out, err;
        run(args, none, out, err);
        const bool taken = err.str().find("--401k: expected a percentage") == std::string::npos;
        std::istringstream line(std::string(R"({"txtIncome":"1000","txt401k":")") + text + "\"}\n");
        args = {"wagemark-cli", "batch"};
        std::ostringstream batchOut;
        run(args, line, batchOut, err);
        EXPECT_EQ(batchOut.str().find("txt401k must be a percentage") == std::string::npos, taken) << batchOut.str();
    }
}

}  // namespace
}  // namespace wm::cli
