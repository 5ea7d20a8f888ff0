#include "cli/cli.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iomanip>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/batch.h"
#include "cli/compare.h"
#include "cli/compute.h"
#include "cli/fd_stream.h"
#include "cli/options.h"
#include "cli/year_command.h"
#include "states/registry.h"

namespace wm::cli {

namespace {

StatementWriter statementWriter = nullptr;

void printGrid(std::ostream& out, const CalcOutcome& res, std::optional<Currency> perHour)
{
    const PayRecord& r = res.record;
    if (!res.trace.lines.empty()) {
        out << "How the amounts were reached:\n";
        for (const TraceLine& t : res.trace.lines) {
            out << "  " << std::left << std::setw(70) << t.text;
            if (t.amount) out << std::right << std::setw(14) << formatAmount(*t.amount);
            out << '\n';
        }
        out << '\n';
    }
    for (const GridRow& row : gridRows(r))
        out << std::left << std::setw(18) << row.title << std::right << std::setw(16) << formatCurrency(row.amount) << '\n';
    if (perHour)
        out << std::left << std::setw(18) << "Gross per hour" << std::right << std::setw(16) << formatCurrency(*perHour)
            << '\n';
    if (!res.lblModified.empty()) out << res.lblModified << '\n';
    if (!res.notice.empty()) out << "Note: " << res.notice << '\n';
}

// The gross pay per hour for `--hours`, under the run-time error scheme (a
// huge pay over a few hours is an overflow). False when it stopped.
bool grossPerHour(const CalcOutcome& res, const std::string& hours, std::optional<Currency>& perHour,
                  std::ostream& err)
{
    if (hours.empty()) return true;
    PayRecord r = res.record;
    FirstReport first;
    const bool done = runReported(r, "calc", [&] {
        const double h = toDouble(hours);
        if (h > 0) perHour = Currency::round(r.SSBase.toDouble() / h);
    }, first);
    if (!done) err << "wagemark-cli: the calculation stopped on a run-time error\n" << first.text;
    return done;
}

// The settings the statement reports, as the desktop program stores them.
bool writeStatement(const CalcOptions& o, const CalcOutcome& res, std::ostream& err)
{
    MemorySettingsStore settings;
    settings.lookThrough(&o.request.optionSettings, &o.request.settings);
    if (!o.name.empty()) settings.save("User", "UName", o.name);
    settings.save("Settings", "Deps", o.request.input.exemptions);
    settings.save("Settings", "StateName", stateList()[static_cast<std::size_t>(o.request.intState)].name);
    settings.save("Settings", "Self", o.request.input.chkSelfEmployed ? "-1" : "0");
    std::string error;
    if (!statementWriter(res.record, settings, o.statement, error)) {
        err << "wagemark-cli: " << error << '\n';
        return false;
    }
    return true;
}

// calc --bonus: the bonus alone, as one paycheck's grid or object.
int bonusCheck(const CalcOptions& o, std::ostream& out, std::ostream& err)
{
    const BonusOutcome b = computeBonus(o.request, o.explain);
    const CalcOutcome& res = b.bonus;
    if (res.error) {
        err << "wagemark-cli: the calculation stopped on a run-time error\n" << res.errorReport;
        if (o.json) out << resultObject("null", res) << '\n';
        return 1;
    }
    if (b.refusal) throw UsageError{*b.refusal};
    if (!b.note.empty()) err << "wagemark-cli: " << b.note << '\n';
    if (o.json) {
        out << bonusObject("null", b, o.explain) << '\n';
        return 0;
    }
    printGrid(out, res, std::nullopt);
    out << "Bonus method: " << bonusRule(b.method).caption << '\n';
    if (b.stateOrLocal) out << kStateLocalAggregate << '\n';
    return 0;
}

int calc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const CalcOptions o = parseCalc(args, 2, statementWriter != nullptr);
    if (o.help) {
        out << usageText();
        return 0;
    }
    if (o.request.bonus) return bonusCheck(o, out, err);
    if (o.allStates) return calcAllStates(o, out, err);
    if (o.after) return calcVersus(o, out, err);
    const CalcOutcome res = compute(o.request, o.explain);
    if (!res.error)
        if (auto why = deductionsAboveGross(res.record)) throw UsageError{*why};
    if (res.error) err << "wagemark-cli: the calculation stopped on a run-time error\n" << res.errorReport;
    std::optional<Currency> perHour;
    if (!res.error && !o.json && !grossPerHour(res, o.hours, perHour, err)) return 1;
    if (o.json)
        out << resultObject("null", res, o.explain) << '\n';
    else if (!res.error)
        printGrid(out, res, perHour);
    if (res.error) return 1;
    if (!o.statement.empty()) {
        if (!writeStatement(o, res, err)) return 1;
        if (!o.json) out << "Pay statement written to " << o.statement << '\n';
    }
    return 0;
}

// The options that set what a state's calculator reads, as `states` lists them.
std::string optionNames(std::uint16_t bits)
{
    std::string s;
    for (const Option& o : options())
        if (bits & o.stateOption) {
            if (!s.empty()) s += ' ';
            s += o.name;
        }
    return s.empty() ? "-" : s;
}

int states(std::ostream& out)
{
    out << std::left << std::setw(7) << "Index" << std::setw(18) << "State" << std::setw(15) << "Calculator"
        << "State options\n";
    const auto& list = stateList();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const StateEntry& s = list[i];
        out << std::left << std::setw(7) << i << std::setw(18) << s.name << std::setw(15)
            << (s.procedure.empty() ? "-" : s.procedure) << (i == 0 ? "-" : optionNames(s.options));
        out << '\n';
    }
    return 0;
}

// The cores this process may run on.
int cores()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
    return 1;
}

int batch(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
          bool stderrIsTerminal)
{
    const BatchOptions b = parseBatch(args, 2);
    if (b.help) {
        out << usageText();
        return 0;
    }
    const int jobs = b.jobs > 0 ? b.jobs : std::min(cores(), kMaxJobs);
    std::unique_ptr<FdInBuf> fileBuf;
    std::istream file(nullptr);
    std::istream* source = &in;
    std::string name = "standard input";
    if (!b.file.empty() && b.file != "-") {
        name = "\"" + b.file + "\"";
        const int fd = ::open(b.file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            err << "wagemark-cli: cannot open " << name << ": " << std::strerror(errno) << '\n';
            return 2;
        }
        fileBuf = std::make_unique<FdInBuf>(fd, true);
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            err << "wagemark-cli: " << name << " is a directory, not a file\n";
            return 2;
        }
        file.rdbuf(fileBuf.get());
        source = &file;
    }
    const BatchResult r = runBatch(*source, out, stderrIsTerminal ? &err : nullptr, jobs);
    if (!out) return 0;  // the caller reports the failed write
    const std::string reason = readFailure(source->rdbuf());
    if (!reason.empty() || source->bad()) {
        err << "wagemark-cli: cannot read " << name << ": " << (reason.empty() ? "read error" : reason) << '\n';
        return 2;
    }
    return r.failed ? 1 : 0;
}

int dispatch(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
             bool stderrIsTerminal)
{
    if (args.size() < 2) throw UsageError{"no command given (see wagemark-cli help)"};
    const std::string& command = args[1];
    if (command == "calc") return calc(args, out, err);
    if (command == "batch") return batch(args, in, out, err, stderrIsTerminal);
    if (command == "year") return yearCommand(args, out, err);
    const bool help = command == "help" || command == "--help" || command == "-h";
    const bool version = command == "--version" || command == "-V";
    if (!help && !version && command != "states")
        throw UsageError{"unknown command \"" + command + "\" (see wagemark-cli help)"};
    // The others take no argument but the help option.
    if (parseBare(args, 2, help ? "help" : version ? "--version" : command) || help) {
        out << usageText();
        return 0;
    }
    if (version) {
        out << "wagemark-cli " << WAGEMARK_VERSION << '\n';
        return 0;
    }
    return states(out);
}

}  // namespace

void setStatementWriter(StatementWriter writer) { statementWriter = writer; }

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
        bool stderrIsTerminal)
{
    int status = 0;
    try {
        // Every command under the run-time error scheme: what no procedure
        // below handled is one report and exit status 1, never an abort.
        PayRecord record;
        FirstReport first;
        const std::string command = args.size() > 1 ? args[1] : "wagemark-cli";
        if (!runReported(record, command, [&] { status = dispatch(args, in, out, err, stderrIsTerminal); }, first)) {
            err << "wagemark-cli: the command stopped on a run-time error\n" << first.text;
            status = 1;
        }
    } catch (const UsageError& e) {
        err << "wagemark-cli: " << e.message << '\n';
        status = 2;
    }
    // Output that did not arrive is a failure of its own, whatever the command said.
    out.flush();
    if (!out) {
        const std::string reason = writeFailure(out.rdbuf());
        err << "wagemark-cli: cannot write the output: " << (reason.empty() ? "write error" : reason) << '\n';
        return kWriteFailed;
    }
    return status;
}

}  // namespace wm::cli
