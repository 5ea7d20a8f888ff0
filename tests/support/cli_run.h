#pragma once
// The command-line tool run in-process, as a shell would run it: its exit
// status and what it wrote to each stream.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace wm::test {

struct CliResult {
    int status;
    std::string out, err;
};

// `args` without the program's name; `input` is its standard input.
inline CliResult runCli(std::vector<std::string> args, const std::string& input = {})
{
    args.insert(args.begin(), "wagemark-cli");
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::run(args, in, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace wm::test
