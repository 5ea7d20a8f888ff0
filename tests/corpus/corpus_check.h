#pragma once
// The corpus file, read once per test program, and the comparison of one
// line's kept figures with what an interface answered.

#include <functional>
#include <optional>
#include <string>

#include "corpus/corpus_line.h"

namespace wm::corpus {

inline const Corpus& corpus()
{
    static const Corpus c = readCorpus(WAGEMARK_CORPUS);
    return c;
}

// Every figure that differs, for a report that names the line, its inputs
// and the figure kept and found.
class Mismatches {
public:
    using Answer = std::function<std::optional<std::string>(const std::string& key)>;

    void check(const CorpusLine& l, const Answer& answer)
    {
        bool noticeKept = false;
        for (const auto& [key, kept] : l.expect) {
            noticeKept = noticeKept || key == "notice";
            const std::string found = answer(key).value_or("(none)");
            if (found != kept) add(l, key, kept, found);
        }
        // A line without a notice kept is one that has none.
        if (!noticeKept && l.yearArgs.empty())
            if (const std::optional<std::string> n = answer("notice")) add(l, "notice", "(none)", *n);
    }
    bool empty() const { return count_ == 0; }
    std::string report(const std::string& interface) const
    {
        return std::to_string(count_) + " figures differ through " + interface + " (the first " +
               std::to_string(std::min(count_, kShown)) + " below)" + text_;
    }

private:
    static constexpr long kShown = 25;
    void add(const CorpusLine& l, const std::string& key, const std::string& kept, const std::string& found)
    {
        if (count_++ >= kShown) return;
        std::string input = l.batchLine;
        for (const std::string& a : l.yearArgs) input += (input.empty() ? "year " : " ") + a;
        text_ += "\n  " + l.id + ": " + key + " kept " + kept + ", now " + found + "\n    " + input;
    }
    long count_ = 0;
    std::string text_;
};

}  // namespace wm::corpus
