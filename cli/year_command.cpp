#include "cli/year_command.h"

#include <iomanip>
#include <iostream>
#include <optional>

#include "cli/cli.h"
#include "cli/compute.h"
#include "cli/options.h"
#include "core/year_check.h"

namespace wm::cli {

namespace {

// Keeps the first report's text; every report ends what it reports on.
class RaisingReport final : public BasicErrorReport {
public:
    explicit RaisingReport(std::string& text) : text_(text) {}
    int reportError() override
    {
        if (text_.empty()) text_ = data.text();
        return static_cast<int>(Action::Raise);
    }

private:
    std::string& text_;
};

void printJson(std::ostream& out, const YearCheck& c)
{
    const ReturnFigures& f = c.figures;
    std::string s = "{";
    // The keys, four-decimal amounts and rates need no escaping.
    auto text = [&s](const char* key, const std::string& v) {
        if (s.size() > 1) s += ',';
        s.append("\"").append(key).append("\":\"").append(v).append("\"");
    };
    auto money = [&text](const char* key, Currency v) { text(key, formatFixed4(v)); };
    s += "\"paychecksPaid\":" + std::to_string(c.paychecksPaid);
    s += ",\"paychecksLeft\":" + std::to_string(c.paychecksLeft);
    money("wages", c.wages);
    money("federalWithholding", c.federalWithholding);
    money("stateWithholding", c.stateWithholding);
    money("socialSecurity", c.socialSecurity);
    money("medicare", c.medicare);
    s += ",\"socialSecurityEndsInPeriod\":" +
         (c.socialSecurityEndsInPeriod > 0 ? std::to_string(c.socialSecurityEndsInPeriod) : std::string("null"));
    s += std::string(",\"socialSecurityReachedSoFar\":") + (c.socialSecurityReachedSoFar ? "true" : "false");
    money("spouseWages", c.spouseWages);
    money("spouseWithholding", c.spouseWithholding);
    money("adjustedGrossIncome", f.adjustedGrossIncome);
    money("deduction", f.deduction);
    money("exemptions", f.exemptions);
    money("taxableIncome", f.taxableIncome);
    money("tax", f.tax);
    money("childTaxCredit", f.childTaxCredit);
    money("incomeTax", f.incomeTax);
    text("effectiveRate", rateText(f.effectiveRate));
    text("marginalRate", rateText(f.marginalRate));
    money("refund", c.refund);
    s += ",\"advisedAllowances\":" + std::to_string(c.advisedAllowances);
    money("advisedAdditional", c.advisedAdditional);
    out << s << "}\n";
}

void printTable(std::ostream& out, const YearCheck& c)
{
    for (const YearRow& row : yearRows(c))
        out << std::left << std::setw(40) << row.label << std::right << std::setw(24) << row.value << '\n';
    out << '\n' << yearSentence(c) << '\n';
}

// A refusal as the option's usage error, quoting the value given.
void refuse(const YearOptions& o, const std::optional<YearRefusal>& no)
{
    if (!no) return;
    std::string what;
    if (no->entry == Input::Income) what = "--income: \"" + o.request.input.txtIncome + "\" ";
    else if (const auto given = o.given.find(no->entry); given != o.given.end())
        what = given->second.first + ": \"" + given->second.second + "\" ";
    throw UsageError{what + no->reason};
}

// The request of the options; throws UsageError, naming the option, for
// entries no year can have.
YearRequest yearRequest(const YearOptions& o)
{
    YearRequest q;
    q.allowances = toInt16(o.request.input.exemptions);
    q.selfEmployed = o.request.input.chkSelfEmployed;
    q.entries = defaultReturn(o.request.valMarried);
    if (o.filing) q.entries.filing = *o.filing;
    q.entries.children = o.children;
    q.entries.exemptions = o.exemptions.value_or(defaultExemptions(q.entries.filing, o.children));
    q.entries.otherIncome = o.otherIncome;
    q.entries.itemized = o.itemized;
    q.soFar = o.soFar;
    q.spouse = o.spouse;
    refuse(o, refuseYearEntries(q, periodsPerYear(o.request.HowOft)));
    return q;
}

int runYear(const YearOptions& o, std::ostream& out, std::ostream& err)
{
    const YearRequest q = yearRequest(o);

    // Each count is a calculation of its own, as `calc --exemptions N` runs it.
    std::string report;
    const PassRunner run = [&](std::int16_t allowances) -> std::optional<PayRecord> {
        CalcRequest each = o.request;
        each.input.exemptions = std::to_string(allowances);
        const CalcOutcome res = compute(each);
        if (!res.error) return res.record;
        if (report.empty()) report = res.errorReport;
        return std::nullopt;
    };
    // What the paychecks paid so far could not have paid is a usage error
    // too, found on this paycheck before the year is computed.
    if (const std::optional<PayRecord> paycheck = run(q.allowances)) refuse(o, refuseYearEntries(q, *paycheck));
    PayRecord yearRecord;
    ErrorScheme errors(yearRecord, [&report] { return std::make_unique<RaisingReport>(report); });
    errors.appTitle = "wagemark-cli";
    // The top of the command: a raised error ends it with its report.
    std::optional<YearCheck> c;
    runCommand([&] { c = checkYear(q, run, errors); });
    if (!c) {
        err << "wagemark-cli: the calculation stopped on a run-time error\n" << report;
        return 1;
    }
    if (o.json) printJson(out, *c);
    else printTable(out, *c);
    return 0;
}

}  // namespace

int yearCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const YearOptions o = parseYear(args, 2);
    if (o.help) {
        out << yearUsageText();
        return 0;
    }
    return runYear(o, out, err);
}

}  // namespace wm::cli
