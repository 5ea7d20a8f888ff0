#pragma once
// The pay statement as a PDF file, for callers without a window (the
// command-line tool). Uses the running Qt application, or starts one on the
// offscreen platform for the duration of the call.

#include <string>

#include "record/pay_record.h"
#include "record/settings_store.h"

namespace wm {

// Builds the statement of `record` (the settings supply "UName", "Deps",
// "StateName" and "Self") and writes it to `path`, whole or not at all: a
// file already there stays as it was. False with a sentence in `error` when
// the statement cannot be built or the file not written.
bool writeStatementPdf(const PayRecord& record, SettingsStore& settings, const std::string& path,
                       std::string& error);

}  // namespace wm
