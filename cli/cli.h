#pragma once
// `wagemark-cli`: the calculation core for scripts and batches.
// Runs in-process so tests call it like the shell does.

#include <iosfwd>
#include <string>
#include <vector>

namespace wm::cli {

// Exit status: 0 done, 1 a calculation failed, 2 usage error.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
        bool stderrIsTerminal = false);

}  // namespace wm::cli
