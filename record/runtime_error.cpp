#include "record/runtime_error.h"

#include <chrono>
#include <ctime>
#include <sstream>
#include <utility>

#include "record/pay_record.h"

namespace wm {

std::string standardDescription(int number)
{
    switch (number) {
    case err::kInvalidCall: return "Invalid procedure call or argument";
    case err::kOverflow: return "Overflow";
    case err::kSubscript: return "Subscript out of range";
    case err::kDivisionByZero: return "Division by zero";
    case err::kTypeMismatch: return "Type mismatch";
    case err::kFileNotFound: return "File not found";
    default: return "Application-defined or object-defined error";
    }
}

namespace {
ErrorInfo makeInfo(int number, std::string description)
{
    ErrorInfo i;
    i.number = number;
    i.description = description.empty() ? standardDescription(number) : std::move(description);
    i.source = "Wagemark";
    return i;
}
}  // namespace

RuntimeError::RuntimeError(int number, std::string description)
    : RuntimeError(makeInfo(number, std::move(description)))
{
}

RuntimeError::RuntimeError(ErrorInfo info)
    : std::runtime_error(info.description), info_(std::move(info))
{
}

void raise(int number, std::string description) { throw RuntimeError(number, std::move(description)); }

std::string ReportData::field(std::string_view label) const
{
    for (std::size_t i = 0; i + 1 < description.size(); i += 2) {
        std::string_view l = description[i];
        while (!l.empty() && l.back() == ' ') l.remove_suffix(1);
        std::string_view want = label;
        while (!want.empty() && want.back() == ' ') want.remove_suffix(1);
        if (l == want) return description[i + 1];
    }
    return {};
}

std::string ReportData::text() const
{
    std::ostringstream out;
    out << appTitle << " run-time error report\n";
    for (std::size_t i = 0; i + 1 < description.size(); i += 2)
        out << description[i] << ": " << description[i + 1] << '\n';
    static constexpr const char* kSlotNames[] = {"Parameters", "Local variables",
                                                 "Module variables", "Program variables"};
    for (std::size_t s = 0; s < variables.size(); ++s) {
        out << kSlotNames[s] << ":";
        const VarList& v = variables[s];
        if (v.size() == 1) {
            out << ' ' << v[0] << '\n';
            continue;
        }
        out << '\n';
        for (std::size_t i = 0; i + 1 < v.size(); i += 2) out << "  " << v[i] << " = " << v[i + 1] << '\n';
    }
    return out.str();
}

ErrorScheme::ErrorScheme(PayRecord& record, Factory factory)
    : record_(record), factory_(std::move(factory))
{
}

void ErrorScheme::setModuleVariables(const std::string& module, VarsFn fn)
{
    moduleVars_[module] = std::move(fn);
}

void ErrorScheme::clearModuleVariables(const std::string& module) { moduleVars_.erase(module); }

namespace {
std::string nowText()
{
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[64];
    std::strftime(buf, sizeof buf, "%m/%d/%Y %I:%M:%S %p", &tm);
    return buf;
}

VarList orEmpty(VarList v)
{
    if (v.empty()) return {"Empty"};
    return v;
}
}  // namespace

int ErrorScheme::report(std::string_view module, std::string_view procedure, int line,
                        VarList params, VarList locals)
{
    // The component's own work must not disturb the error raised again.
    const ErrorInfo saved = current;

    std::unique_ptr<ErrorReport> component = factory_ ? factory_() : nullptr;
    if (!component) throw RuntimeError(429, "ActiveX component can't create object");

    Snapshot slots;
    slots[0] = orEmpty(std::move(params));
    slots[1] = orEmpty(std::move(locals));
    auto mv = moduleVars_.find(module);
    slots[2] = orEmpty(mv != moduleVars_.end() && mv->second ? mv->second() : VarList{});
    slots[3] = programVariables(record_, windowVariable);

    const VarList description = {
        "Error Number  ", std::to_string(saved.number),
        "Description   ", saved.description,
        "Build Number  ", "5",
        "Module Name   ", std::string(module),
        "Procedure Name", std::string(procedure),
        "Line Number   ", std::to_string(line),
        "Date and time ", nowText(),
    };
    component->setErrDescription(description);
    component->setAppPath(appPath);
    component->setAppTitle(appTitle);
    component->setUserData(userData);
    component->setVariables(slots);

    last = {saved.number, saved.description, std::string(module), std::string(procedure), line};
    ++reports;
    // The component may run an event loop (a dialog): procedures that run
    // in it are not called by the one that failed.
    struct Restore {
        int& running;
        int depth;
        ~Restore() { running = depth; }
    } restore{running, std::exchange(running, 0)};
    const int action = component->reportError();

    current = saved;
    return action;
}

Action Procedure::handle(int line, const RuntimeError& e)
{
    scheme_.current = e.info();
    const int action = scheme_.report(module_, name_, line, params_ ? params_() : VarList{},
                                      locals_ ? locals_() : VarList{});
    switch (action) {
    case 3: return Action::Raise;
    case 4: return Action::Retry;
    case 5: return Action::Continue;
    default: return Action::Leave;
    }
}

bool Procedure::raiseAgain() const
{
    if (endsHere()) return false;
    RuntimeError again(scheme_.current);
    again.markReported();
    throw again;
}

namespace {
std::string v(Currency c) { return formatPlain(c); }
std::string v(std::int16_t i) { return std::to_string(i); }
std::string v(double d) { return formatPlain(d); }
std::string v(const std::string& s) { return s; }
}  // namespace

VarList programVariables(const PayRecord& r, const WindowVariable& windowVariable)
{
    VarList out;
    out.reserve(110);
    auto add = [&out](const char* name, const auto& value) {
        out.emplace_back(name);
        out.push_back(v(value));
    };
    // Held by the windows' layer; without it, as a fresh program has them.
    auto window = [&](const char* name, std::string fresh) {
        out.emplace_back(name);
        out.push_back(windowVariable ? windowVariable(name) : std::move(fresh));
    };
    window("frmLoaded", "");
    add("DepsNumber", r.DepsNumber);
    add("DepDed", r.DepDed);
    add("TaxCredit", r.TaxCredit);
    add("stdDed", r.stdDed);
    add("staxBase", r.staxBase);
    add("StateRate", r.StateRate);
    add("S401k", r.S401k);
    add("SPreTax", r.SPreTax);
    add("amtDed", r.amtDed);
    add("amtDedTot", r.amtDedTot);
    add("PerCent401k", r.PerCent401k);
    add("SSEmp", r.SSEmp);
    add("PreTax", r.PreTax);
    add("amt401k", r.amt401k);
    add("Samt401k", r.Samt401k);
    add("taxBase", r.taxBase);
    add("ftaxBase", r.ftaxBase);
    add("TaxOrigan", r.TaxOrigan);
    add("valMarried", r.valMarried);
    add("Freq", r.Freq);
    add("SSBase", r.SSBase);
    add("fTax", r.fTax);
    add("sTax", r.sTax);
    add("amtFICA", r.amtFICA);
    add("amtSS", r.amtSS);
    add("amtMedicare", r.amtMedicare);
    add("HowOft", r.HowOft);
    window("amtMultiChk", v(Currency()));
    window("PersWkShtDeps", "0");
    window("Table", "0");
    window("num2Wker", "0");
    window("DollarAmt", v(Currency()));
    add("SPval", r.SPval);
    add("amtLocalTax", r.amtLocalTax);
    add("SPtx", r.SPtx);
    add("StateExmp", r.StateExmp);
    add("StateDeps", r.StateDeps);
    add("intSMarried", r.intSMarried);
    add("StateAdd", r.StateAdd);
    add("Method", r.Method);
    add("PersExmp", r.PersExmp);
    add("StaPreTax", r.StaPreTax);
    add("amtTotal", r.amtTotal);
    add("ILINDeps", r.ILINDeps);
    window("VarLoadMDI", "0");
    window("DontShowMe", "0");
    window("intAction", "0");
    add("intState", r.intState);
    window("strPicSelect", "");
    add("persExmpMiss", r.persExmpMiss);
    window("intClick", "0");
    window("intShowStateLabel", "0");
    window("FromForm", "0");
    window("intHours", "0");
    return out;
}

}  // namespace wm
