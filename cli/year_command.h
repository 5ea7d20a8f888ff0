#pragma once
// `wagemark-cli year`: tax year 2000 from what was paid so far and the pay
// periods left like this one, the refund or balance due and the allowances
// to claim for the periods left. Takes the options of `calc`, those of the
// return (--filing, --return-exemptions, --children, --other-income,
// --itemized, --spouse-wages, --spouse-withheld), those of the year so far
// (--paid, --wages-so-far, --withheld-so-far, --state-withheld-so-far,
// --ss-so-far), and --json.

#include <iosfwd>
#include <string>
#include <vector>

namespace wm::cli {

// Exit status: 0 done, 1 a calculation failed. Throws UsageError.
int yearCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace wm::cli
