// The boundary corpus through `wagemark-cli batch` (every pay-period line, as
// the file stands) and `wagemark-cli year` (every line of the year): each
// figure must be what the corpus keeps. The corpus changes only through
// generate_corpus --update.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/batch.h"
#include "cli/options.h"
#include "cli/year_command.h"
#include "corpus/corpus_check.h"

namespace wm::corpus {
namespace {

TEST(BoundaryCorpus, ReadsWholeAndLarge)
{
    const Corpus& c = corpus();
    EXPECT_TRUE(c.unreadable.empty()) << "first unreadable line: " << c.unreadable.front();
    EXPECT_GT(c.lines.size(), 10000u) << "the corpus is cut short";
}

TEST(BoundaryCorpus, BatchAnswersEveryLineAsKept)
{
    const Corpus& c = corpus();
    std::string input;
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < c.lines.size(); ++i)
        if (c.lines[i].yearArgs.empty()) {
            input += c.raw[i] + "\n";
            rows.push_back(i);
        }
    std::istringstream in(input);
    std::ostringstream out;
    cli::runBatch(in, out, nullptr, 2);
    std::istringstream answers(out.str());
    Mismatches m;
    std::string answer;
    for (std::size_t row : rows) {
        if (!std::getline(answers, answer)) answer.clear();
        m.check(c.lines[row], [&](const std::string& key) { return flatValue(answer, key); });
    }
    EXPECT_TRUE(m.empty()) << m.report("batch");
}

TEST(BoundaryCorpus, YearAnswersEveryLineAsKept)
{
    Mismatches m;
    for (const CorpusLine& l : corpus().lines) {
        if (l.yearArgs.empty()) continue;
        std::vector<std::string> args = {"wagemark-cli", "year"};
        args.insert(args.end(), l.yearArgs.begin(), l.yearArgs.end());
        args.push_back("--json");
        std::ostringstream out, err;
        std::string answer;
        try {
            cli::yearCommand(args, out, err);
            answer = out.str() + err.str();
        } catch (const cli::UsageError& e) {  // the option it names
            answer = "{\"refused\":\"" + e.message.substr(0, e.message.find(':')) + "\"}";
        }
        m.check(l, [&](const std::string& key) { return flatValue(answer, key); });
    }
    EXPECT_TRUE(m.empty()) << m.report("year");
}

}  // namespace
}  // namespace wm::corpus
