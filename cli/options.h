#pragma once
// The inputs of `wagemark-cli`, declared once.
//
// Each row is one input of a calculation: its `calc` option with the value
// it takes, its help text and examples, and the key that carries the same
// input on a batch line with the JSON type that key takes. The option
// parser, the help text and the batch reader all read this table, so they
// cannot drift apart.

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <optional>

#include "cli/compute.h"
#include "cli/line_walk.h"
#include "core/year_check.h"
#include "record/input_limits.h"

namespace wm::cli {

// A bad command line: one line that names the option (or the argument),
// exit status 2.
struct UsageError {
    std::string message;
};

struct CalcOptions {
    CalcRequest request;
    bool help = false;  // -h or --help: the help, and nothing else
    bool json = false;
    bool explain = false;
    std::string hours;
    std::string statement;  // PDF file of the pay statement
    std::string name;
    bool allStates = false;  // --all-states: the pay period in every state
    // --vs: the request the options after it make of those before it.
    std::optional<CalcRequest> after;
};

// `year`: the calc inputs and the entries of the return.
struct YearOptions {
    CalcRequest request;
    bool help = false;
    std::optional<FilingStatus> filing;
    std::optional<int> exemptions;
    int children = 0;
    Currency otherIncome;
    Currency itemized;
    SoFarEntries soFar;
    SpouseJob spouse;
    // The option and the value given for each entry of the year, for a
    // refusal to quote.
    std::map<Input, std::pair<std::string, std::string>> given;
    bool json = false;
};

struct BatchOptions {
    std::string file;  // "" (none given) or "-" for standard input
    int jobs = 0;      // 0: one per core
    bool help = false;
};

// Which command takes an option, and where the help lists it. `year` takes
// the Calc, State and Local rows and its own; every command takes Every.
enum class Section { Calc, State, Local, Bonus, Output, Batch, Year, Every };

// A batch value as read, for the row's `read`.
struct BatchValue {
    std::string_view text;
    bool flag = false;
    std::int16_t whole = 0;
    double number = 0;
};

struct ParseState;

// One row of the table, written with designated initializers: what a row
// leaves out is empty (no batch key, no range, no choices).
struct Option {
    std::string_view name = {};       // "--income"; empty for a key of batch lines only
    std::string_view valueName = {};  // "AMOUNT"; empty for a switch
    std::string_view help = {};       // '\n' starts a continuation line
    std::string_view examples = {};   // values the help shows (and a test runs), '|' between
    Section section = Section::Calc;
    void (*apply)(ParseState& state, std::string_view option, const std::string& value) = nullptr;
    std::string_view batchKey = {};   // "txtIncome"; empty when batch lines do not take it
    BatchType batchType = BatchType::None;
    void (*read)(CalcRequest& request, const BatchValue& value) = nullptr;
    std::uint16_t stateOption = 0;  // the StateOption bit it sets: only a state that reads it takes it
    const InputLimit* limit = nullptr;  // the range of the input (record/input_limits.h): the only one it has
    // The values shell completion offers; each one is accepted by `apply`.
    // Null: any value (a FILE... value name completes file names).
    std::vector<std::string> (*choices)() = nullptr;
    std::string_view alias = {};  // "-h" for "--help"; empty for none
    bool many = false;            // each time it is given adds one (--setting); others are refused twice
};

// A command of the tool, as the help, the manual page and the shell
// completion list it.
struct CommandInfo {
    std::string_view name;   // "calc"
    std::string_view alias;  // "-V" for "--version"; empty for none
    std::string_view args;   // "[FILE] [OPTIONS]"
    std::string_view help;   // '\n' starts a continuation line
};

// A command line the help shows (and a test runs), with what it shows.
struct Example {
    std::string_view what;
    std::string_view line;
};

std::span<const Option> options();
std::span<const CommandInfo> commands();
std::span<const Example> examples();
// "Pay calculator for one pay period on the withholding rules of tax year 2000."
std::string_view toolSummary();
// The heading the help gives a section ("Options of calc:").
std::string_view sectionTitle(Section s);
// Whether `command` ("calc", "states", ...) takes the options of `s`.
bool commandTakes(std::string_view command, Section s);
// The row of a batch key, or null; found in the table below.
const Option* findBatchKey(std::string_view key);
// The batch keys of the option table by slot.
const BatchKeyTable& batchKeyTable();

// The help text (`wagemark-cli help`; `wagemark-cli year --help`).
std::string usageText();
std::string yearUsageText();

// The options of `calc` from args[first] on. `pdf` says whether --statement
// can be honoured. Throws UsageError.
CalcOptions parseCalc(const std::vector<std::string>& args, std::size_t first, bool pdf);
// The FILE and options of `batch` from args[first] on. Throws UsageError.
BatchOptions parseBatch(const std::vector<std::string>& args, std::size_t first);
// The options of `year` from args[first] on. Throws UsageError.
YearOptions parseYear(const std::vector<std::string>& args, std::size_t first);
// The arguments of a command that takes none but -h/--help ("states",
// "help", "--version"): true when they ask for the help. Throws UsageError.
bool parseBare(const std::vector<std::string>& args, std::size_t first, std::string_view command);

}  // namespace wm::cli
