#pragma once
// `wagemark-cli year`: tax year 2000 projected from one pay period, the
// refund or balance due and the allowances to claim. Takes the options of
// `calc` and those of the return (--filing, --return-exemptions, --children,
// --other-income, --itemized), and --json.

#include <iosfwd>
#include <string>
#include <vector>

namespace wm::cli {

// Exit status: 0 done, 1 a calculation failed, 2 usage error.
int yearCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace wm::cli
