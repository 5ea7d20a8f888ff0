#pragma once
// The text of a printed table (the document's table definition): cells
// between '|', rows ended by ';'. What a window puts into a cell must hold
// neither, and a cell does not wrap on paper.

#include <string>
#include <string_view>
#include <vector>

namespace wm {

// `text` as one cell: its '|' and ';' become commas.
std::string tableCell(std::string_view text);

// A sentence as lines of at most `width` characters, broken between words
// (a longer word stands alone on its line).
std::vector<std::string> wrappedLines(std::string_view text, std::size_t width);

}  // namespace wm
