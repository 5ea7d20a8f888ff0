#include "cli/compare.h"

#include <algorithm>
#include <iomanip>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/batch.h"
#include "states/state_choice.h"

namespace wm::cli {

namespace {

constexpr const char* kStopped = "wagemark-cli: the calculation stopped on a run-time error\n";

// A negative check refuses the entries, as calc does.
void refuseNegativeCheck(const CalcOutcome& res)
{
    if (!res.error)
        if (auto why = deductionsAboveGross(res.record)) throw UsageError{*why};
}

// The options used, as calc options ("--state-status 3 --state-deps 1").
std::string optionWords(int state, const StateOptionValues& v)
{
    std::string out;
    for (const OptionUsed& u : optionsUsed(state, v))
        for (const Option& o : options())
            if (o.stateOption == u.option && !o.name.empty()) {
                if (!out.empty()) out += ' ';
                out += o.name;
                if (!o.valueName.empty()) out.append(" ").append(u.value);
                break;
            }
    return out;
}

struct StateResult {
    int state = 0;
    StateOptionValues options;
    CalcOutcome res;
    std::string failure;  // why the state has no check, besides a run-time error
    bool ok() const { return !res.error && failure.empty(); }
};

StateResult computeFor(const CalcRequest& given, int state)
{
    StateResult s;
    s.state = state;
    CalcRequest q = given;
    if (state != given.intState) {
        int exemptions = 0;
        try {
            exemptions = toInt16(q.input.exemptions);
        } catch (const RuntimeError&) {
        }
        s.options = optionsFromEntries(state, q.valMarried, exemptions);
        const StateOptionValues& v = s.options;
        q.intState = static_cast<std::int16_t>(state);
        q.intSMarried = v.intSMarried;
        q.StateRate = v.StateRate;
        q.StateDeps = v.StateDeps;
        q.ILINDeps = v.ILINDeps;
        q.StateExmp = v.StateExmp;
        q.Method = v.Method;
        q.StateAdd = formatPlain(v.StateAdd);
        q.optionSettings.clear();
        writeOptions(v, q.optionSettings);
    }
    s.res = compute(q);
    if (state == given.intState) {
        MemorySettingsStore settings;
        settings.lookThrough(&q.optionSettings, &q.settings);
        s.options = optionsInUse(s.res.record, settings);
    } else if (!s.res.error) {
        if (auto why = deductionsAboveGross(s.res.record)) s.failure = *why;
    }
    return s;
}

std::string jsonText(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// The keys of a flat result object whose values are four-decimal amounts.
std::vector<std::pair<std::string, Currency>> amountKeys(const std::string& object)
{
    std::vector<std::pair<std::string, Currency>> out;
    std::size_t at = 0;
    while ((at = object.find("\":\"", at)) != std::string::npos) {
        const std::size_t keyStart = object.rfind('"', at - 1) + 1;
        const std::size_t valueEnd = object.find('"', at + 3);
        const std::string value = object.substr(at + 3, valueEnd - at - 3);
        const std::size_t dot = value.find('.');
        if (dot != std::string::npos && value.size() - dot == 5 &&
            value.find_first_not_of("-0123456789.") == std::string::npos)
            out.emplace_back(object.substr(keyStart, at - keyStart), toCurrency(value));
        at = valueEnd + 1;
    }
    return out;
}

}  // namespace

int calcAllStates(const CalcOptions& o, std::ostream& out, std::ostream& err)
{
    std::vector<StateResult> rows;
    for (int i = 0; i < kStateCount; ++i) rows.push_back(computeFor(o.request, i));
    const int chosen = o.request.intState;
    refuseNegativeCheck(rows[static_cast<std::size_t>(chosen)].res);
    const StateResult& mine = rows[static_cast<std::size_t>(chosen)];
    // Highest check first; a state without one last; ties in list order.
    std::stable_sort(rows.begin(), rows.end(), [](const StateResult& a, const StateResult& b) {
        if (a.ok() != b.ok()) return a.ok();
        return a.ok() && a.res.record.amtTotal > b.res.record.amtTotal;
    });
    const std::optional<Currency> base =
        mine.ok() ? std::optional<Currency>(mine.res.record.amtTotal) : std::nullopt;
    bool failed = false;
    if (!o.json)
        out << std::left << std::setw(20) << "State" << std::right << std::setw(14) << "State Tax" << std::setw(16)
            << "Check Amt" << std::setw(16) << "Difference" << '\n';
    for (const StateResult& s : rows) {
        const std::string name(stateAt(s.state).name);
        const PayRecord& r = s.res.record;
        failed = failed || !s.ok();
        if (s.res.error) err << kStopped << "State: " << name << '\n' << s.res.errorReport;
        if (o.json) {
            std::string line = s.failure.empty() ? resultObject("null", s.res)
                                                 : R"({"id":null,"error":{"number":0,"description":)" +
                                                       jsonText(s.failure) + "}}";
            line.pop_back();
            line += ",\"stateName\":" + jsonText(name);
            if (s.ok())
                line += ",\"checkDifference\":" + (base ? jsonText(formatFixed4(r.amtTotal - *base)) : "null");
            line += ",\"stateOptions\":" + jsonText(optionWords(s.state, s.options)) + "}";
            out << line << '\n';
            continue;
        }
        out << std::left << std::setw(20) << ((s.state == chosen ? "* " : "  ") + name) << std::right;
        if (!s.ok())
            out << "  " << (s.failure.empty() ? "stopped on a run-time error" : s.failure) << '\n';
        else
            out << std::setw(14) << formatCurrency(r.sTax) << std::setw(16) << formatCurrency(r.amtTotal) << std::setw(16)
                << (base ? formatCurrency(r.amtTotal - *base) : "-") << '\n';
    }
    if (!o.json) out << '\n' << howOptionsChosen(stateAt(chosen).name) << '\n';
    return failed ? 1 : 0;
}

int calcVersus(const CalcOptions& o, std::ostream& out, std::ostream& err)
{
    const CalcOutcome before = compute(o.request);
    const CalcOutcome after = compute(*o.after);
    refuseNegativeCheck(before);
    refuseNegativeCheck(after);
    for (const CalcOutcome* r : {&before, &after})
        if (r->error) err << kStopped << r->errorReport;
    const bool failed = before.error || after.error;
    if (o.json) {
        const std::string b = resultObject("null", before), a = resultObject("null", after);
        std::string difference = "null";
        if (!failed) {
            difference = "{";
            const auto was = amountKeys(b);
            for (const auto& [key, now] : amountKeys(a)) {
                const auto old = std::find_if(was.begin(), was.end(), [&](const auto& k) { return k.first == key; });
                if (old == was.end()) continue;
                if (difference.size() > 1) difference += ',';
                difference += jsonText(key) + ":" + jsonText(formatFixed4(now - old->second));
            }
            difference += "}";
        }
        out << "{\"before\":" << b << ",\"after\":" << a << ",\"difference\":" << difference << "}\n";
        return failed ? 1 : 0;
    }
    if (failed) return 1;
    out << std::left << std::setw(18) << "" << std::right << std::setw(16) << "Before" << std::setw(16) << "After"
        << std::setw(16) << "Difference" << '\n';
    const auto was = gridRows(before.record), now = gridRows(after.record);
    for (std::size_t i = 0; i < now.size(); ++i)
        out << std::left << std::setw(18) << now[i].title << std::right << std::setw(16) << formatCurrency(was[i].amount)
            << std::setw(16) << formatCurrency(now[i].amount) << std::setw(16)
            << formatCurrency(now[i].amount - was[i].amount) << '\n';
    return 0;
}

}  // namespace wm::cli
