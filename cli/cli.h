#pragma once
// `wagemark-cli`: the calculation core for scripts and batches.
// Runs in-process so tests call it like the shell does.

#include <iosfwd>
#include <string>
#include <vector>

#include "record/pay_record.h"
#include "record/settings_store.h"

namespace wm::cli {

// Writes the pay statement of a calculation as a PDF file (`calc
// --statement`). Builds that can lay out pages set one; without it the
// option says it is not available.
using StatementWriter = bool (*)(const PayRecord& record, SettingsStore& settings, const std::string& path,
                                 std::string& error);
void setStatementWriter(StatementWriter writer);

// Exit status: 0 done, 1 a calculation failed, 2 usage error (or input that
// cannot be read), 3 the output could not be written.
inline constexpr int kWriteFailed = 3;
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
        bool stderrIsTerminal = false);

}  // namespace wm::cli
