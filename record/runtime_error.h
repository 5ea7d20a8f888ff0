#pragma once
// Run-time errors and the uniform handler every procedure runs under.
//
// A fault inside a calculation (a value that cannot be read, an overflow, a
// division by zero) throws `RuntimeError`. It is never caught ad hoc: each
// procedure is written as a short list of numbered statements run by a
// `Procedure`, and the `Procedure` is the one place that catches. It reports
// the error through `ErrorScheme::report` (module, procedure, statement line,
// a snapshot of the variables) to an `ErrorReport` component, then does what
// the component answers:
//   Raise (3)    - throw the same error on to the caller,
//   Retry (4)    - run the failing statement again,
//   Continue (5) - go on with the statement after it,
//   any other    - leave the procedure quietly.
// Statements are numbered from 100 in each procedure, in the order given.
//
// An error raised again (Raise) has been reported: the procedures it passes
// on its way up pass it on without reporting it again, so one fault gives
// one report and Raise ends the whole command.
//
//   Procedure p(errs, "frmMain", "GetPreTax");
//   p.run([&] { r.SSEmp = ...; },     // line 100
//         [&] { r.PreTax = ...; });   // line 101
//
// A raise that reaches a top-level command is caught there (`runCommand`)
// and ends that command only. An event procedure that no command runner
// encloses (a form load run by a window's constructor, a click) is marked
// `topLevel()`: a raise ends it there.

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wm {

struct PayRecord;

// The runtime's error numbers that Wagemark raises.
namespace err {
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kSubscript = 9;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kFileNotFound = 53;
inline constexpr int kPathFileAccess = 75;  // a file that cannot be written
inline constexpr int kPrinterError = 482;
}  // namespace err

std::string standardDescription(int number);

// The five values of the current error that a report must not disturb.
struct ErrorInfo {
    int number = 0;
    std::string description;
    std::string source;
    std::string helpFile;
    int helpContext = 0;
    bool operator==(const ErrorInfo&) const = default;
};

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number, std::string description = {});
    explicit RuntimeError(ErrorInfo info);
    const ErrorInfo& info() const { return info_; }
    int number() const { return info_.number; }
    // Raised again after its report: not to be reported a second time.
    bool reported() const { return reported_; }
    void markReported() { reported_ = true; }

private:
    ErrorInfo info_;
    bool reported_ = false;
};

[[noreturn]] void raise(int number, std::string description = {});

enum class Action : int { Leave = 0, Raise = 3, Retry = 4, Continue = 5 };

// Alternating name/value entries; {"Empty"} when there is nothing.
using VarList = std::vector<std::string>;
using Snapshot = std::array<VarList, 4>;

// The report component. A new one is made for each report; the scheme sets
// its properties in this order, then asks it for the action code.
class ErrorReport {
public:
    virtual ~ErrorReport() = default;
    virtual void setErrDescription(const VarList& list) = 0;
    virtual void setAppPath(const std::string& path) = 0;
    virtual void setAppTitle(const std::string& title) = 0;
    virtual void setUserData(const std::array<std::string, 6>& data) = 0;
    virtual void setVariables(Snapshot& snapshot) = 0;
    virtual int reportError() = 0;
};

// What a report component was given.
struct ReportData {
    VarList description;
    std::string appPath;
    std::string appTitle;
    std::array<std::string, 6> userData;
    Snapshot variables;

    // Values of the description list by label ("Module Name" ...).
    std::string field(std::string_view label) const;
    // A plain-text rendering for logs and terminals.
    std::string text() const;
};

// Keeps what it was given; subclasses decide the action.
class BasicErrorReport : public ErrorReport {
public:
    void setErrDescription(const VarList& list) override { data.description = list; }
    void setAppPath(const std::string& path) override { data.appPath = path; }
    void setAppTitle(const std::string& title) override { data.appTitle = title; }
    void setUserData(const std::array<std::string, 6>& d) override { data.userData = d; }
    void setVariables(Snapshot& snapshot) override { data.variables = snapshot; }

    ReportData data;
};

// A flat view of the error for callers that show or print it.
struct ReportSummary {
    int number = 0;
    std::string description;
    std::string module;
    std::string procedure;
    int line = 0;
};

using WindowVariable = std::function<std::string(std::string_view name)>;

class ErrorScheme {
public:
    using Factory = std::function<std::unique_ptr<ErrorReport>()>;
    using VarsFn = std::function<VarList()>;

    ErrorScheme(PayRecord& record, Factory factory);

    // Slot 2 of a module's reports ("frmMain" contributes "Pic", ...).
    void setModuleVariables(const std::string& module, VarsFn fn);
    void clearModuleVariables(const std::string& module);

    // Builds the report for the current error and returns the component's
    // action code. An error inside it (no component) propagates.
    int report(std::string_view module, std::string_view procedure, int line, VarList params,
               VarList locals);

    // The program-wide current error (what a report saves and restores).
    ErrorInfo current;

    std::string appPath;
    std::string appTitle = "Wagemark";
    std::array<std::string, 6> userData{"Wagemark maintainers", "wagemark@users.noreply.invalid",
                                        "Wagemark", "2000", "desktop", "5"};

    // The most recent report, for the top-level command that ends on it.
    ReportSummary last;
    int reports = 0;

    // How many procedures are running a statement now (nested calls).
    int running = 0;

    // The windows' state by name, for the report's program variables; set by
    // the desktop program (the command-line tool has no windows).
    WindowVariable windowVariable;

private:
    PayRecord& record_;
    Factory factory_;
    std::map<std::string, VarsFn, std::less<>> moduleVars_;
};

// The 110 entries of slot 3: every program-wide variable, in fixed order;
// the windows' variables through `windowVariable`, or as a fresh program has
// them ("0", "") without it.
VarList programVariables(const PayRecord& r, const WindowVariable& windowVariable = {});

class Procedure {
public:
    Procedure(ErrorScheme& scheme, std::string_view module, std::string_view name)
        : scheme_(scheme), module_(module), name_(name)
    {
    }
    // Parameters and locals, gathered only when a report is made.
    Procedure& params(std::function<VarList()> fn)
    {
        params_ = std::move(fn);
        return *this;
    }
    Procedure& locals(std::function<VarList()> fn)
    {
        locals_ = std::move(fn);
        return *this;
    }
    // Runs straight from a window, with no command runner above: a raise
    // ends it, and with it the command, unless another procedure called it.
    Procedure& topLevel()
    {
        topLevel_ = true;
        return *this;
    }

    // Runs the statements in order; false when the handler left early.
    template <class... Steps>
    bool run(Steps&&... steps)
    {
        return runFrom(100, std::forward<Steps>(steps)...);
    }
    // The same, numbered on from `line` (a procedure that stops halfway).
    template <class... Steps>
    bool runFrom(int line, Steps&&... steps)
    {
        return (step(line++, steps) && ...);
    }

    // One statement at an explicit line (for loops over statements).
    template <class F>
    bool step(int line, F&& f)
    {
        const Running running(scheme_);
        for (;;) {
            try {
                f();
                return true;
            } catch (const RuntimeError& e) {
                // Reported further down: on to the top of the command.
                if (e.reported()) {
                    if (endsHere()) return false;
                    throw;
                }
                switch (handle(line, e)) {
                case Action::Retry: continue;
                case Action::Continue: return true;
                case Action::Raise: return raiseAgain();
                default: return false;
                }
            }
        }
    }

private:
    struct Running {
        explicit Running(ErrorScheme& s) : scheme(s) { ++scheme.running; }
        ~Running() { --scheme.running; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
        ErrorScheme& scheme;
    };
    // A raise stops here: top-level, and no other procedure is running.
    bool endsHere() const { return topLevel_ && scheme_.running == 1; }
    // Reports the error; returns the component's action.
    Action handle(int line, const RuntimeError& e);
    // Raise: the reported error goes on to the caller (marked reported), or
    // ends a top-level procedure here (returns false).
    bool raiseAgain() const;

    ErrorScheme& scheme_;
    std::string_view module_;
    std::string_view name_;
    std::function<VarList()> params_;
    std::function<VarList()> locals_;
    bool topLevel_ = false;
};

// Top level of a user command: a raised error ends the command, not the
// program. Returns false when the command ended on an error.
template <class F>
bool runCommand(F&& f)
{
    try {
        f();
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

}  // namespace wm
