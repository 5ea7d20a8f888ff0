#include "print/logic/table_text.h"

#include <algorithm>

namespace wm {

std::string tableCell(std::string_view text)
{
    std::string s(text);
    std::replace(s.begin(), s.end(), '|', ',');
    std::replace(s.begin(), s.end(), ';', ',');
    return s;
}

std::vector<std::string> wrappedLines(std::string_view text, std::size_t width)
{
    std::vector<std::string> lines(1);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, end - start);
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width) lines.emplace_back();
        if (!lines.back().empty()) lines.back() += ' ';
        lines.back() += word;
        start = end + 1;
    }
    return lines;
}

}  // namespace wm
