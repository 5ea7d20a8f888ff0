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

constexpr const char* kYearUsage = R"(Usage: wagemark-cli year [OPTIONS]

Tax year 2000 if every pay period of the year is like this one: the year's
withholding, Social Security up to the $76,200 wage base, the Form 1040 income
tax, the refund or balance due, and the allowance count to claim on Form W-4.

Takes every option of calc (see wagemark-cli help), and for the return:
  --filing F              single | joint | separate | head (default: joint when
                          --status is married or married-single, else single)
  --return-exemptions N   exemptions on the return, 0 to 99 (default 1, joint 2)
  --children N            children under 17 for the child tax credit (default 0)
  --other-income AMOUNT   other income of the year (default 0)
  --itemized AMOUNT       itemized deductions before the limit (default 0)
  --json                  one JSON object, amounts as four-decimal texts

Example:
  wagemark-cli year --income 1000 --frequency weekly --status single --exemptions 1
)";

struct Usage {
    std::string message;
};

struct YearOptions {
    CalcRequest request;
    std::optional<FilingStatus> filing;
    std::optional<int> exemptions;
    int children = 0;
    Currency otherIncome;
    Currency itemized;
    bool json = false;
};

int count(const std::string& option, const std::string& value)
{
    char* end = nullptr;
    const long v = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || v < 0 || v > 99)
        throw Usage{option + ": expected a whole number from 0 to 99, got \"" + value + "\""};
    return static_cast<int>(v);
}

Currency amount(const std::string& option, const std::string& value)
{
    try {
        return toCurrency(value);
    } catch (const RuntimeError&) {
        throw Usage{option + ": \"" + value + "\" is not an amount (examples: 1250, 1,250.00, $980.50)"};
    }
}

FilingStatus filing(const std::string& value)
{
    static const std::pair<const char*, FilingStatus> kNames[] = {
        {"single", FilingStatus::Single}, {"joint", FilingStatus::Joint},
        {"separate", FilingStatus::Separate}, {"head", FilingStatus::Head}};
    for (const auto& [name, f] : kNames)
        if (value == name) return f;
    throw Usage{"--filing: expected single, joint, separate or head, got \"" + value + "\""};
}

// Takes the year's own options out and hands the rest to the calc parser.
YearOptions parse(const std::vector<std::string>& args)
{
    YearOptions o;
    std::vector<std::string> rest(args.begin(), args.begin() + 2);
    for (std::size_t i = 2; i < args.size(); ++i) {
        std::string opt = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = opt.find('='); opt.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = opt.substr(eq + 1);
            opt = opt.substr(0, eq);
        }
        auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= args.size()) throw Usage{opt + ": missing value"};
            return args[++i];
        };
        if (opt == "--json") o.json = true;
        else if (opt == "--filing") o.filing = filing(value());
        else if (opt == "--return-exemptions") o.exemptions = count(opt, value());
        else if (opt == "--children") o.children = count(opt, value());
        else if (opt == "--other-income") o.otherIncome = amount(opt, value());
        else if (opt == "--itemized") {
            o.itemized = amount(opt, value());
            if (o.itemized < Currency()) throw Usage{"--itemized: must not be negative"};
        } else if (opt == "--explain" || opt == "--statement" || opt == "--name")
            throw Usage{opt + ": not an option of year"};
        else rest.push_back(args[i]);
    }
    try {
        o.request = parseCalc(rest, 2, false).request;
    } catch (const UsageError& e) {
        throw Usage{e.message};
    }
    return o;
}

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
    auto money = [&s](const char* key, Currency v) {
        if (s.size() > 1) s += ',';
        // The keys and four-decimal amounts need no escaping.
        s.append("\"").append(key).append("\":\"").append(formatFixed4(v)).append("\"");
    };
    money("wages", c.wages);
    money("federalWithholding", c.federalWithholding);
    money("stateWithholding", c.stateWithholding);
    money("socialSecurity", c.socialSecurity);
    money("medicare", c.medicare);
    s += ",\"socialSecurityEndsInPeriod\":" +
         (c.socialSecurityEndsInPeriod > 0 ? std::to_string(c.socialSecurityEndsInPeriod) : std::string("null"));
    money("adjustedGrossIncome", f.adjustedGrossIncome);
    money("deduction", f.deduction);
    money("exemptions", f.exemptions);
    money("taxableIncome", f.taxableIncome);
    money("tax", f.tax);
    money("childTaxCredit", f.childTaxCredit);
    money("incomeTax", f.incomeTax);
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

int runYear(const YearOptions& o, std::ostream& out, std::ostream& err)
{
    YearRequest q;
    q.allowances = toInt16(o.request.input.exemptions);
    q.selfEmployed = o.request.input.chkSelfEmployed;
    q.entries = defaultReturn(o.request.valMarried);
    if (o.filing) q.entries.filing = *o.filing;
    q.entries.exemptions = o.exemptions.value_or(q.entries.filing == FilingStatus::Joint ? 2 : 1);
    q.entries.children = o.children;
    q.entries.otherIncome = o.otherIncome;
    q.entries.itemized = o.itemized;

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
    PayRecord yearRecord;
    ErrorScheme errors(yearRecord, [&report] { return std::make_unique<RaisingReport>(report); });
    errors.appTitle = "wagemark-cli";
    const std::optional<YearCheck> c = checkYear(q, run, errors);
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
    for (std::size_t i = 2; i < args.size(); ++i)
        if (args[i] == "--help" || args[i] == "-h") {
            out << kYearUsage;
            return 0;
        }
    try {
        return runYear(parse(args), out, err);
    } catch (const Usage& e) {
        err << "wagemark-cli: " << e.message << "\nTry \"wagemark-cli year --help\".\n";
        return 2;
    }
}

}  // namespace wm::cli
