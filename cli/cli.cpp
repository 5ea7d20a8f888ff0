#include "cli/cli.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

#include "cli/batch.h"
#include "cli/compute.h"
#include "cli/fd_stream.h"
#include "core/federal.h"
#include "states/registry.h"

namespace wm::cli {

namespace {

constexpr const char* kUsage = R"(Usage: wagemark-cli COMMAND [OPTIONS]

Pay calculator for one pay period on the withholding rules of tax year 2000.

Commands:
  calc [OPTIONS]     compute one pay period and print the result grid
  states             list the states, their calculators and state options
  batch [FILE]       JSON Lines in (FILE or standard input), JSON Lines out
  help               show this text

Options of calc:
  --income AMOUNT         gross pay for the period ("1,250.00", "$980")
  --hours N               hours worked in the period (shows the hourly pay)
  --frequency F           weekly | biweekly | semimonthly | monthly (default biweekly)
  --status S              married | single | married-single (default married);
                          married-single withholds at the higher single rate
  --exemptions N          withholding allowances, 0 to 15 (default 0)
  --401k PERCENT          401(k) contribution: 5 and 0.05 both mean 5 %
  --pretax AMOUNT         non-taxable amount (cafeteria plan, ...)
  --prefica AMOUNT        amount on which no FICA is due
  --self-employed         self-employment FICA rates
  --state NAME|INDEX      state by name ("New York"), calculator ("NewYork") or index
State options (see "wagemark-cli states" for which state reads which):
  --state-status CODE     state filing status 0..9
  --state-rate A..E       rate letter (Connecticut, New Jersey)
  --state-deps N          state dependents
  --il-deps N             second dependents count (Illinois, Indiana)
  --state-exemptions N    state special list value (exemptions, percentage, ...)
  --state-add AMOUNT      additional state withholding per period
  --county-rate RATE      Maryland county rate, e.g. 2.41 (or 241)
  --miss-part AMOUNT      Mississippi: your part of the $12,000 spouse exemption
  --state-401k            the 401(k) amount is also excluded from state wages
  --state-pretax          the pre-tax amount is also excluded from state wages
  --setting SECTION/KEY=VALUE   any stored setting, e.g. StateInfo/staDeps=2
Local tax:
  --local-rate RATE       3 or .03 both mean 3 %
  --local-base BASE       gross | less-401k | less-pretax | less-401k-pretax | less-exemption
                          (or 1..5)
Output:
  --json                  print the batch output object instead of the grid
  --explain               show how each amount was reached
  --statement FILE.pdf    also write the pay statement as a PDF file
  --name NAME             name in the statement's header (default "-")

Examples:
  wagemark-cli calc --income 1000 --frequency weekly --status single --exemptions 1
  wagemark-cli calc --income 2500 --frequency monthly --state "New Mexico" --explain
  wagemark-cli calc --income 1000 --state Kansas --401k 6 --state-401k --json
  echo '{"id":1,"txtIncome":"1000","HowOft":0,"intState":27}' | wagemark-cli batch
)";

StatementWriter statementWriter = nullptr;

struct UsageError {
    std::string message;
};

// Blanks around a value are dropped on both sides, as the amount reader does.
std::string trimmed(const std::string& s)
{
    constexpr const char* kBlanks = " \t\n\r";
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

std::string lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::int16_t wholeNumber(const std::string& option, const std::string& value, int lo, int hi)
{
    const std::string t = trimmed(value);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(t.c_str(), &end, 10);
    if (t.empty() || *end != '\0' || errno == ERANGE || v < lo || v > hi)
        throw UsageError{option + ": expected a whole number from " + std::to_string(lo) + " to " +
                         std::to_string(hi) + ", got \"" + value + "\""};
    return static_cast<std::int16_t>(v);
}

// An amount typed as a user would; checked here so the message names the option.
std::string amountText(const std::string& option, const std::string& value)
{
    try {
        toCurrency(value);
    } catch (const RuntimeError& e) {
        if (e.number() == err::kOverflow)
            throw UsageError{option + ": \"" + value + "\" is too large (at most 922,337,203,685,477.5807)"};
        throw UsageError{option + ": \"" + value + "\" is not an amount (examples: 1250, 1,250.00, $980.50)"};
    }
    return value;
}

double number(const std::string& option, const std::string& value)
{
    try {
        return toDouble(value);
    } catch (const RuntimeError& e) {
        if (e.number() == err::kOverflow) throw UsageError{option + ": \"" + value + "\" is too large"};
        throw UsageError{option + ": \"" + value + "\" is not a number"};
    }
}

// A percentage or rate: 3 and .03 both mean 3 %, so 0 to 100 covers every
// meaningful entry.
double percentage(const std::string& option, const std::string& value)
{
    const double d = number(option, value);
    if (d < 0 || d > 100)
        throw UsageError{option + ": expected a percentage from 0 to 100, got \"" + value + "\""};
    return d;
}

std::int16_t frequency(const std::string& v)
{
    static const std::map<std::string, std::int16_t> names = {
        {"weekly", 0}, {"semimonthly", 1}, {"semi-monthly", 1}, {"twice-a-month", 1},
        {"biweekly", 2}, {"bi-weekly", 2}, {"every-two-weeks", 2}, {"monthly", 3}};
    const std::string t = trimmed(v);
    auto it = names.find(lower(t));
    if (it != names.end()) return it->second;
    if (t.size() == 1 && t[0] >= '0' && t[0] <= '3') return static_cast<std::int16_t>(t[0] - '0');
    throw UsageError{"--frequency: expected weekly, biweekly, semimonthly or monthly, got \"" + v + "\""};
}

std::int16_t status(const std::string& v)
{
    const std::string l = lower(trimmed(v));
    if (l == "married" || l == "0") return 0;
    if (l == "single" || l == "1") return 1;
    if (l == "married-single" || l == "2") return 2;
    throw UsageError{"--status: expected married, single or married-single, got \"" + v + "\""};
}

std::int16_t state(const std::string& value)
{
    const std::string v = trimmed(value);
    if (!v.empty() && std::isdigit(static_cast<unsigned char>(v[0]))) return wholeNumber("--state", v, 0, 41);
    const int i = findState(v);
    if (i < 0) throw UsageError{"--state: unknown state \"" + v + "\" (see wagemark-cli states)"};
    return static_cast<std::int16_t>(i);
}

std::int16_t rateLetter(const std::string& v)
{
    const std::string l = lower(trimmed(v));
    if (l.size() == 1 && l[0] >= 'a' && l[0] <= 'e') return static_cast<std::int16_t>(l[0] - 'a');
    if (l.size() == 1 && l[0] >= '0' && l[0] <= '4') return static_cast<std::int16_t>(l[0] - '0');
    throw UsageError{"--state-rate: expected a letter A to E, got \"" + v + "\""};
}

std::int16_t countyRate(const std::string& v)
{
    // The county list stores the rate in hundredths of a percent.
    static const int kCodes[] = {125, 175, 241, 251, 277, 282, 291, 301};
    const double d = number("--county-rate", v);
    if (!(d > 0 && d < 1000))
        throw UsageError{"--county-rate: expected one of 1.25 1.75 2.41 2.51 2.77 2.82 2.91 3.01, got \"" + v + "\""};
    const int code = d < 10 ? static_cast<int>(std::lround(d * 100)) : static_cast<int>(std::lround(d));
    for (int c : kCodes)
        if (c == code) return static_cast<std::int16_t>(c);
    throw UsageError{"--county-rate: expected one of 1.25 1.75 2.41 2.51 2.77 2.82 2.91 3.01, got \"" + v + "\""};
}

std::int16_t localBase(const std::string& v)
{
    static const std::map<std::string, std::int16_t> names = {
        {"gross", 1}, {"less-401k", 2}, {"less-pretax", 3}, {"less-401k-pretax", 4}, {"less-exemption", 5}};
    auto it = names.find(lower(trimmed(v)));
    if (it != names.end()) return it->second;
    return wholeNumber("--local-base", v, 0, 5);
}

struct CalcOptions {
    CalcRequest request;
    bool json = false;
    bool explain = false;
    std::string hours;
    std::string statement;  // PDF file of the pay statement
    std::string name;
};

CalcOptions parseCalc(const std::vector<std::string>& args, std::size_t first)
{
    CalcOptions o;
    CalcRequest& q = o.request;
    // The options below set their own settings after every --setting, so
    // that the more specific one wins whatever the order.
    decltype(q.settings) general;
    auto setting = [&q](const char* section, const char* key, std::string value) {
        q.settings.emplace_back(section, key, std::move(value));
    };
    bool localRate = false;
    bool localBaseGiven = false;
    for (std::size_t i = first; i < args.size(); ++i) {
        std::string opt = args[i];
        std::string value;
        bool inlineValue = false;
        if (auto eq = opt.find('='); opt.rfind("--", 0) == 0 && eq != std::string::npos && opt != "--setting") {
            value = opt.substr(eq + 1);
            opt = opt.substr(0, eq);
            inlineValue = true;
        }
        auto next = [&]() -> std::string {
            if (inlineValue) return value;
            if (i + 1 >= args.size()) throw UsageError{opt + ": missing value"};
            return args[++i];
        };
        auto noValue = [&] {
            if (inlineValue) throw UsageError{opt + ": takes no value, got \"" + value + "\""};
            return true;
        };
        if (opt == "--json") o.json = noValue();
        else if (opt == "--explain") o.explain = noValue();
        else if (opt == "--self-employed") q.input.chkSelfEmployed = noValue();
        else if (opt == "--state-401k" && noValue()) setting("StateInfo", "sta401", "Y");
        else if (opt == "--state-pretax" && noValue()) setting("StateInfo", "staPreTax", "Y");
        else if (opt == "--income") q.input.txtIncome = amountText(opt, next());
        else if (opt == "--statement") {
            o.statement = next();
            if (o.statement.empty()) throw UsageError{"--statement: missing file name"};
            if (!statementWriter)
                throw UsageError{"--statement: PDF output is not available in this build (it was built without Qt)"};
        }
        else if (opt == "--name") o.name = next();
        else if (opt == "--hours") {
            o.hours = next();
            if (number(opt, o.hours) < 0) throw UsageError{"--hours: must not be negative"};
        }
        else if (opt == "--frequency") q.HowOft = frequency(next());
        else if (opt == "--status") q.valMarried = status(next());
        else if (opt == "--exemptions") q.input.exemptions = std::to_string(wholeNumber(opt, next(), 0, 15));
        else if (opt == "--state") q.intState = state(next());
        else if (opt == "--401k") {
            q.input.txt401k = next();
            percentage(opt, q.input.txt401k);
        }
        else if (opt == "--pretax") q.input.txtPreTax = amountText(opt, next());
        else if (opt == "--prefica") q.input.txtPreFICA = amountText(opt, next());
        else if (opt == "--state-status") {
            q.intSMarried = wholeNumber(opt, next(), 0, 9);
            setting("StateInfo", "staMarried", std::to_string(q.intSMarried));
        } else if (opt == "--state-rate") {
            q.StateRate = rateLetter(next());
            setting("StateInfo", "staRate", std::to_string(q.StateRate));
        } else if (opt == "--state-deps") {
            q.StateDeps = wholeNumber(opt, next(), 0, 15);
            setting("StateInfo", "staDeps", std::to_string(q.StateDeps));
        } else if (opt == "--il-deps") {
            q.ILINDeps = wholeNumber(opt, next(), 0, 15);
            setting("StateInfo", "ILINDeps", std::to_string(q.ILINDeps));
        } else if (opt == "--state-exemptions") {
            q.StateExmp = wholeNumber(opt, next(), -32768, 32767);
            setting("StateInfo", "staExmp", std::to_string(q.StateExmp));
        } else if (opt == "--state-add") {
            q.StateAdd = amountText(opt, next());
            setting("StateInfo", "staAdd", formatPlain(toCurrency(q.StateAdd)));
        } else if (opt == "--county-rate") {
            q.Method = countyRate(next());
            setting("StateInfo", "MMethod", std::to_string(q.Method));
        } else if (opt == "--miss-part") {
            setting("StateInfo", "missPart", formatPlain(toCurrency(amountText(opt, next()))));
        } else if (opt == "--local-rate") {
            const double rate = percentage(opt, next());
            q.SPval = rate >= 1 ? rate / 100 : rate;
            localRate = true;
        } else if (opt == "--local-base") {
            q.SPtx = localBase(next());
            localBaseGiven = true;
        } else if (opt == "--setting") {
            const std::string s = next();
            const auto slash = s.find('/');
            const auto eq = s.find('=');
            if (slash == std::string::npos || eq == std::string::npos || eq < slash)
                throw UsageError{"--setting: expected SECTION/KEY=VALUE, got \"" + s + "\""};
            general.emplace_back(s.substr(0, slash), s.substr(slash + 1, eq - slash - 1), s.substr(eq + 1));
        } else {
            throw UsageError{"unknown option \"" + args[i] + "\" (see wagemark-cli help)"};
        }
    }
    // A rate alone is a tax on gross pay.
    if (localRate && !localBaseGiven) q.SPtx = 1;
    general.insert(general.end(), q.settings.begin(), q.settings.end());
    q.settings = std::move(general);
    return o;
}

void printGrid(std::ostream& out, const CalcOutcome& res, const CalcOptions& o)
{
    const PayRecord& r = res.record;
    if (o.explain && !res.trace.lines.empty()) {
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
    if (!o.hours.empty()) {
        const double hours = toDouble(o.hours);
        if (hours > 0) {
            out << std::left << std::setw(18) << "Gross per hour" << std::right << std::setw(16)
                << formatCurrency(Currency::round(r.SSBase.toDouble() / hours)) << '\n';
        }
    }
    if (!res.lblModified.empty()) out << res.lblModified << '\n';
    if (!res.notice.empty()) out << "Note: " << res.notice << '\n';
}

// The settings the statement reports, as the desktop program stores them.
bool writeStatement(const CalcOptions& o, const CalcOutcome& res, std::ostream& err)
{
    MemorySettingsStore settings;
    for (const auto& [section, key, value] : o.request.settings) settings.save(section, key, value);
    if (!o.name.empty()) settings.save("User", "UName", o.name);
    settings.save("Settings", "Deps", o.request.input.exemptions);
    settings.save("Settings", "StateName", stateList()[static_cast<std::size_t>(o.request.intState)].name);
    settings.save("Settings", "Self", o.request.input.chkSelfEmployed ? "-1" : "0");
    std::string error;
    if (!statementWriter(res.record, settings, o.statement, error)) {
        err << "wagemark-cli: the pay statement was not written: " << error << '\n';
        return false;
    }
    return true;
}

int calc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const CalcOptions o = parseCalc(args, 2);
    const CalcOutcome res = compute(o.request, o.explain);
    if (res.error) err << "wagemark-cli: the calculation stopped on a run-time error\n" << res.errorReport;
    if (o.json)
        out << resultObject("null", res) << '\n';
    else if (!res.error)
        printGrid(out, res, o);
    if (res.error) return 1;
    if (!o.statement.empty()) {
        if (!writeStatement(o, res, err)) return 1;
        if (!o.json) out << "Pay statement written to " << o.statement << '\n';
    }
    return 0;
}

std::string optionNames(std::uint16_t bits)
{
    static const std::pair<std::uint16_t, const char*> kNames[] = {
        {kOptStatus, "--state-status"}, {kOptRate, "--state-rate"}, {kOptDeps, "--state-deps"},
        {kOptILDeps, "--il-deps"}, {kOptExemptions, "--state-exemptions"}, {kOptMethod, "--county-rate"},
        {kOptMissPart, "--miss-part"}, {kOptAdd, "--state-add"}};
    std::string s;
    for (const auto& [bit, name] : kNames)
        if (bits & bit) {
            if (!s.empty()) s += ' ';
            s += name;
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
        if (i != 0 && !s.calculate) out << " (not available in this build)";
        out << '\n';
    }
    return 0;
}

int batch(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
          bool stderrIsTerminal)
{
    if (args.size() > 3) throw UsageError{"batch takes at most one FILE"};
    std::unique_ptr<FdInBuf> fileBuf;
    std::istream file(nullptr);
    std::istream* source = &in;
    std::string name = "standard input";
    if (args.size() == 3 && args[2] != "-") {
        name = "\"" + args[2] + "\"";
        const int fd = ::open(args[2].c_str(), O_RDONLY | O_CLOEXEC);
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
    const BatchResult r = runBatch(*source, out, stderrIsTerminal ? &err : nullptr);
    if (!out) return 0;  // the caller reports the failed write
    if (source->bad() || !readFailure(source->rdbuf()).empty()) {
        const std::string reason = readFailure(source->rdbuf());
        err << "wagemark-cli: cannot read " << name << ": " << (reason.empty() ? "read error" : reason) << '\n';
        return 2;
    }
    return r.failed ? 1 : 0;
}

int runCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
               bool stderrIsTerminal)
{
    const std::string command = args.size() > 1 ? args[1] : "help";
    if (command == "help" || command == "--help" || command == "-h") {
        out << kUsage;
        return args.size() > 1 ? 0 : 2;
    }
    if (command == "calc") {
        for (std::size_t i = 2; i < args.size(); ++i)
            if (args[i] == "--help" || args[i] == "-h") {
                out << kUsage;
                return 0;
            }
        return calc(args, out, err);
    }
    if (command == "states") return states(out);
    if (command == "batch") return batch(args, in, out, err, stderrIsTerminal);
    throw UsageError{"unknown command \"" + command + "\""};
}

}  // namespace

void setStatementWriter(StatementWriter writer) { statementWriter = writer; }

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
        bool stderrIsTerminal)
{
    int status = 0;
    try {
        status = runCommand(args, in, out, err, stderrIsTerminal);
    } catch (const UsageError& e) {
        err << "wagemark-cli: " << e.message << "\nTry \"wagemark-cli help\".\n";
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
