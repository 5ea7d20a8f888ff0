#pragma once
// The manual page and the shell completion of `wagemark-cli`, made from the
// option table at build time so that they list exactly what the tool takes.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"

namespace wm::cli {

// wagemark-cli(1) in man(7) markup. `date` is the date of the release.
std::string manPage(std::string_view version, std::string_view date);
// The bash completion script (function `_wagemark_cli`).
std::string bashCompletion();
// The zsh completion script (#compdef wagemark-cli).
std::string zshCompletion();

// What would make the pages promise something the tool refuses: a value
// completion offers that its option does not take, an option without help.
// Empty when all is well.
std::vector<std::string> tableProblems(std::span<const Option> rows);

// Text for a man(7) text line: backslashes and minus signs escaped, a
// leading control character made harmless.
std::string roffText(std::string_view text);

}  // namespace wm::cli
