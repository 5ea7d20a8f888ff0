#pragma once
// `wagemark-cli`: the calculation core for scripts and batches.
// Runs in-process so tests call it like the shell does.

#include <iosfwd>
#include <string>
#include <vector>

#include "core/pay_record.h"
#include "core/settings_store.h"

namespace wm::cli {

// Writes the pay statement of a calculation as a PDF file (`calc
// --statement`). Builds that can lay out pages set one; without it the
// option says it is not available.
using StatementWriter = bool (*)(const PayRecord& record, SettingsStore& settings, const std::string& path,
                                 std::string& error);
void setStatementWriter(StatementWriter writer);

struct CalcRequest;

// The options of `calc` from args[first] on into a request, for commands
// that take them too. False with a one-line message naming the option.
bool parseCalcRequest(const std::vector<std::string>& args, std::size_t first, CalcRequest& request,
                      std::string& error);

// Exit status: 0 done, 1 a calculation failed, 2 usage error.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
        bool stderrIsTerminal = false);

}  // namespace wm::cli
