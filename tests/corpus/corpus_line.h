#pragma once
// One line of the boundary corpus, as the generator writes it and the
// runner reads it back.
//
// A pay-period line is a batch line with two keys of its own, which the
// batch reader checks as JSON and ignores, so the file can be fed to
// `wagemark-cli batch` as it stands:
//   {"id":"...", "txtIncome":"1249.99", "HowOft":3, ..., "expect":{"sTax":"1.8750", ...}}
// A line of the year carries the options of `wagemark-cli year` instead:
//   {"id":"...", "year":["--income","0",...], "expect":{"tax":"3937.5000", ...}}
// Ids, options and values hold no quotes or backslashes, so a line is read
// with plain string search; every expected value is the JSON text the
// command prints for its key.

#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wm::corpus {

inline constexpr std::string_view kExpectKey = ",\"expect\":{";
inline constexpr std::string_view kYearKey = "\"year\":[";

// The JSON text of `key` in a flat object text ("1.8750" with its quotes, 3,
// null); nothing when the key is absent.
inline std::optional<std::string> flatValue(std::string_view object, std::string_view key)
{
    const std::string pattern = "\"" + std::string(key) + "\":";
    std::size_t at = object.find(pattern);
    while (at != std::string_view::npos && at > 0 && object[at - 1] != '{' && object[at - 1] != ',')
        at = object.find(pattern, at + 1);
    if (at == std::string_view::npos) return std::nullopt;
    std::size_t start = at + pattern.size();
    std::size_t end = start;
    if (end < object.size() && object[end] == '"') {
        end = object.find('"', end + 1);
        if (end == std::string_view::npos) return std::nullopt;
        ++end;
    } else {
        while (end < object.size() && object[end] != ',' && object[end] != '}') ++end;
    }
    return std::string(object.substr(start, end - start));
}

struct CorpusLine {
    std::string id;
    std::string batchLine;                 // the line without "expect" (pay-period lines)
    std::vector<std::string> yearArgs;     // options of `year` (lines of the year)
    std::vector<std::pair<std::string, std::string>> expect;  // key, JSON text
};

// Reads one line; nothing when it is not a corpus line.
inline std::optional<CorpusLine> parseLine(std::string_view text)
{
    CorpusLine c;
    const std::size_t ex = text.find(kExpectKey);
    const std::optional<std::string> id = flatValue(text, "id");
    if (ex == std::string_view::npos || !id || id->size() < 2 || text.back() != '}') return std::nullopt;
    c.id = id->substr(1, id->size() - 2);
    // "expect" is the last key: its object runs to the line's last brace.
    std::string_view expect = text.substr(ex + kExpectKey.size() - 1);
    expect.remove_suffix(1);
    std::size_t pos = 1;
    while (pos < expect.size() && expect[pos] == '"') {
        const std::size_t keyEnd = expect.find('"', pos + 1);
        const std::string key(expect.substr(pos + 1, keyEnd - pos - 1));
        const std::optional<std::string> v = flatValue(expect, key);
        if (!v) return std::nullopt;
        c.expect.emplace_back(key, *v);
        pos = keyEnd + 2 + v->size() + 1;
    }
    if (c.expect.empty()) return std::nullopt;
    const std::string_view head = text.substr(0, ex);
    if (const std::size_t y = head.find(kYearKey); y != std::string_view::npos) {
        std::size_t p = y + kYearKey.size();
        while (p < head.size() && head[p] == '"') {
            const std::size_t e = head.find('"', p + 1);
            c.yearArgs.emplace_back(head.substr(p + 1, e - p - 1));
            p = e + 2;
        }
    } else {
        c.batchLine = std::string(head) + "}";
    }
    return c;
}

// The corpus file's lines in order, with the numbers of lines that do not
// read (a line edited by hand, or a cut file).
struct Corpus {
    std::vector<CorpusLine> lines;
    std::vector<std::string> raw;  // as in the file
    std::vector<long> unreadable;
};

inline Corpus readCorpus(const std::string& path)
{
    Corpus c;
    std::ifstream in(path);
    long number = 0;
    for (std::string text; std::getline(in, text);) {
        ++number;
        if (std::optional<CorpusLine> l = parseLine(text)) {
            c.lines.push_back(std::move(*l));
            c.raw.push_back(std::move(text));
        } else {
            c.unreadable.push_back(number);
        }
    }
    return c;
}

}  // namespace wm::corpus
