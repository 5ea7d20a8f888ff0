#pragma once
// `wagemark-cli batch`: JSON Lines in, JSON Lines out.
//
// One output line per input line, in order. Each line runs on a fresh pay
// record with its own in-memory settings. A line that is not a JSON object,
// or has a key of the wrong type, gives {"line":K,"error":{"number":0,...}};
// a run-time error in the calculation gives {"id":...,"error":{...}} with
// the first report.
//
// The input is cut into chunks of whole lines that worker threads compute;
// the chunks are written in input order, and only a few are held at a time,
// so memory stays bounded whatever the input size.

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace wm::cli {

struct CalcOutcome;
struct BonusOutcome;

// The output object of one calculation (or its run-time error), with the
// given source text as "id" (what `calc --json` prints). With `explain`,
// the steps of the calculation follow as "explain": [{"step", "amount"}...].
std::string resultObject(std::string_view idRaw, const CalcOutcome& result, bool explain = false);
// The same for the bonus of a Bonus Check, with "bonusMethod" ("aggregate"
// or "flat", the method used) and, when the flat rate was asked for but may
// not be used, "bonusNote".
std::string bonusObject(std::string_view idRaw, const BonusOutcome& result, bool explain = false);

// Lines longer than this are answered with an error and not held in memory.
inline constexpr std::size_t kMaxLineBytes = 1 << 20;
// At most this many worker threads.
inline constexpr int kMaxJobs = 64;

struct BatchResult {
    long lines = 0;
    long failed = 0;
};

// Streams every line, computed by `jobs` threads (1: on the calling thread).
// Stops at once when `out` fails. Progress (when given) is redrawn on one line.
BatchResult runBatch(std::istream& in, std::ostream& out, std::ostream* progress, int jobs);

}  // namespace wm::cli
