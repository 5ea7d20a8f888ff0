#pragma once
// The pay statement writer of `calc --statement` lives in a module of its
// own, as it needs Qt: loaded on the first statement, so that the tool
// starts (and runs a batch) without Qt's libraries.

#include <string>
#include <vector>

#include "cli/cli.h"

namespace wm::cli {

// The module's file name, and where it is looked for: beside the program
// (a build folder), then in lib/<architecture>/wagemark next to the
// program's bin folder (installed).
inline constexpr const char* kStatementModule = "wagemark-statement.so";
std::vector<std::string> statementModulePaths();

// The writer of the first of `paths` that loads; null with the reason in
// `error` when none does.
StatementWriter loadStatementWriter(const std::vector<std::string>& paths, std::string& error);

// A writer that loads the module on its first call; when it cannot, the
// statement is not written and the reason says why.
bool writeStatementThroughModule(const PayRecord& record, SettingsStore& settings, const std::string& path,
                                 std::string& error);

}  // namespace wm::cli
