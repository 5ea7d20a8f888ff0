#pragma once
// `wagemark-cli batch`: JSON Lines in, JSON Lines out.
//
// One output line per input line, in order. Each line runs on a fresh pay
// record with its own in-memory settings. A line that is not an object, or
// has a key of the wrong type, gives {"line":K,"error":{"number":0,...}}; a
// run-time error in the calculation gives {"id":...,"error":{...}} with the
// first report. Memory stays constant whatever the input size.

#include <iosfwd>
#include <string>
#include <string_view>

namespace wm::cli {

struct CalcOutcome;

// The output object of one computed line (or its run-time error), with the
// given raw JSON as "id".
std::string resultObject(std::string_view idRaw, const CalcOutcome& result);

struct BatchResult {
    long lines = 0;
    long failed = 0;
};

// One input line (1-based number K) to one output line, without newline.
std::string batchLine(std::string_view line, long lineNumber, bool& failed);

// Streams every line; progress (when given) is redrawn on one line.
BatchResult runBatch(std::istream& in, std::ostream& out, std::ostream* progress);

}  // namespace wm::cli
