#include "print/logic/statement_builder.h"

#include <algorithm>
#include <charconv>
#include <ctime>

#include "record/plain_text.h"
#include "states/registry.h"

namespace wm {

namespace {
constexpr const char* kModule = "frmPrint";

constexpr std::array<std::string_view, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonths = {"January", "February", "March",     "April",
                                                      "May",     "June",     "July",      "August",
                                                      "September", "October", "November", "December"};

// Text inside a cell must not end the cell or the row.
std::string cellText(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        if (c == '|' || c == ';') c = ',';
    return s;
}

void amountRow(std::string& s, std::string_view label, Currency amount)
{
    s += label;
    s += formatCurrency(amount);
    s += ';';
}

void textRow(std::string& s, std::string_view label, std::string_view text)
{
    s += label;
    s += cellText(text);
    s += ';';
}

void headingRow(std::string& s, std::string_view label)
{
    s += label;
    s += ';';
}

void blankRow(std::string& s) { s += "|;"; }

std::vector<std::string> split(std::string_view s, char sep)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = s.find(sep, start);
        if (at == std::string_view::npos) {
            parts.emplace_back(s.substr(start));
            return parts;
        }
        parts.emplace_back(s.substr(start, at - start));
        start = at + 1;
    }
}
}  // namespace

std::string longDate(std::chrono::year_month_day date)
{
    const std::chrono::weekday wd{std::chrono::sys_days{date}};
    const unsigned day = static_cast<unsigned>(date.day());
    std::string s(kWeekdays[wd.c_encoding()]);
    s += ", ";
    s += kMonths[static_cast<unsigned>(date.month()) - 1];
    s += ' ';
    if (day < 10) s += '0';
    s += std::to_string(day);
    s += ", ";
    s += std::to_string(static_cast<int>(date.year()));
    return s;
}

std::string pageHeader(std::string_view name, std::chrono::year_month_day date)
{
    // A name saved before such characters were refused prints without them.
    return " Prepared for " + withoutLayoutCharacters(name) + " on " + longDate(date);
}

std::string statementTable(const PayRecord& r, const StatementData& d)
{
    std::string s(kStatementFormat);
    s += kTableHeader;
    amountRow(s, "  Gross Pay|", r.SSBase);
    amountRow(s, "  401k Deduction|", r.amt401k);
    amountRow(s, "  Federal Tax|", r.fTax);
    amountRow(s, "  State Tax|", r.sTax);
    amountRow(s, "  Local Tax|", r.amtLocalTax);
    amountRow(s, "  FICA|", r.amtFICA);
    blankRow(s);
    amountRow(s, "Total of Deductions|", r.amtDedTot);
    amountRow(s, "Check Amount|", r.amtTotal);
    blankRow(s);
    headingRow(s, "Included in FICA|");
    amountRow(s, "  Social Security|", r.amtSS);
    amountRow(s, "  Medicare|", r.amtMedicare);
    blankRow(s);
    headingRow(s, "Protected Amounts|");
    amountRow(s, "  Non-Taxable|", r.PreTax);
    amountRow(s, "  Pre-FICA|", r.SSEmp);
    blankRow(s);
    headingRow(s, "Calculations based on:|");
    textRow(s, "  Marital Status:|", d.mStatus);
    textRow(s, "  Exemptions Claimed:|", std::to_string(d.DepsNumber));
    textRow(s, "  State:|", d.stateName);
    textRow(s, "  Pay Frequency:|", d.pd);
    textRow(s, "  Self Employed:|", d.SE);
    return s;
}

std::string analysisTable(const Analysis& a)
{
    std::string s(kAnalysisFormat);
    s += kTableHeader;
    for (std::size_t i = 0; i < kAnalysisCaptions.size(); ++i) {
        if (startsAnalysisGroup(i)) blankRow(s);
        // A figure the view could not show prints as an empty cell.
        textRow(s, "  " + std::string(kAnalysisCaptions[i]) + "|", a.figures[i].text());
    }
    return s;
}

TableDefinition parseTableDefinition(std::string_view s)
{
    TableDefinition t;
    std::vector<std::string> parts = split(s, ';');
    // The text ends with ";", which leaves one empty part behind.
    if (!parts.empty() && parts.back().empty()) parts.pop_back();
    if (parts.empty()) return t;
    for (const std::string& col : split(parts.front(), '|')) {
        if (col.size() < 2 || (col[0] != '<' && col[0] != '>')) return {};
        int twips = 0;
        const auto [end, ec] = std::from_chars(col.data() + 1, col.data() + col.size(), twips);
        if (ec != std::errc() || end != col.data() + col.size() || twips <= 0) return {};
        t.columns.push_back({twips, col[0] == '>'});
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
        std::vector<std::string> cells = split(parts[i], '|');
        cells.resize(t.columns.size());
        t.rows.push_back(std::move(cells));
    }
    return t;
}

namespace {
bool emptyRow(const std::vector<std::string>& row)
{
    for (const std::string& cell : row)
        if (!cell.empty()) return false;
    return true;
}
}  // namespace

std::vector<std::size_t> pageStarts(const TableDefinition& t, std::size_t firstRows, std::size_t rows)
{
    constexpr std::size_t kFewest = 3;  // rows a page takes over at least
    const std::size_t n = t.rows.size();
    const auto sectionStart = [&](std::size_t i) { return !emptyRow(t.rows[i]) && emptyRow(t.rows[i - 1]); };
    std::vector<std::size_t> starts;
    std::size_t start = 1;
    std::size_t room = std::max<std::size_t>(firstRows, 1);
    while (start < n) {
        starts.push_back(start);
        std::size_t next = start + room;
        if (next >= n) break;
        // The last section that began on this page, and where it ends.
        std::size_t section = next;
        while (section > start + 1 && !sectionStart(section)) --section;
        std::size_t sectionEnd = section + 1;
        while (sectionEnd < n && !sectionStart(sectionEnd)) ++sectionEnd;
        if (sectionStart(section) && section > start + 1 && sectionEnd - section <= rows) next = section;
        else if (n - next < kFewest && n - kFewest > start) next = n - kFewest;
        while (next < n && emptyRow(t.rows[next])) ++next;
        start = next;
        room = std::max<std::size_t>(rows, 1);
    }
    return starts;
}

std::chrono::year_month_day localToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return std::chrono::year_month_day{std::chrono::year{tm.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(tm.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(tm.tm_mday)}};
}

PrintModel::PrintModel(PayRecord& record, PrintRequest request, SettingsStore& settings, ErrorScheme& errors)
    : today(localToday), record_(record), state_(request), settings_(settings), errors_(errors)
{
    errors_.setModuleVariables(kModule, [this] {
        return VarList{"s",     s_,           "fmt",       fmt_,           "whosit", whosit_,
                       "mStatus", data_.mStatus, "stateName", data_.stateName, "pd",     data_.pd,
                       "SE",    data_.SE};
    });
}

PrintModel::~PrintModel()
{
    errors_.clearModuleVariables(kModule);
}

void PrintModel::GetPrintData()
{
    Procedure p(errors_, kModule, "GetPrintData");
    p.run(
        [&] {
            switch (record_.valMarried) {
            case 0: data_.mStatus = "Married"; break;
            case 1: data_.mStatus = "Single"; break;
            // Set by the personal information form; a blank row would hide it.
            case 2: data_.mStatus = "Married, but withhold at higher single rate"; break;
            default: break;
            }
        },
        [&] {
            if (const PayFrequency* f = payFrequency(record_.HowOft)) data_.pd = f->listText;
        },
        [&] { record_.DepsNumber = toInt16(settings_.get("Settings", "Deps", "0")); },
        [&] { data_.DepsNumber = record_.DepsNumber; },
        [&] {
            data_.stateName = settings_.get("Settings", "StateName", "0");
            // Until the state list is first clicked no name is stored; the
            // calculation used the state of the record.
            if (data_.stateName == "0" && record_.intState >= 0 && record_.intState < kStateCount)
                data_.stateName = stateList()[static_cast<std::size_t>(record_.intState)].name;
            // A name saved by an earlier version shows as the list spells it now.
            if (const int known = findState(data_.stateName); known >= 0) data_.stateName = stateAt(known).name;
        },
        [&] { data_.SE = toInt16(settings_.get("Settings", "Self", "0")) == -1 ? "Yes" : "No"; });
}

std::optional<PrintModel::Built> PrintModel::subMakePrint()
{
    std::optional<Built> built;
    runCommand([&] {
        Procedure p(errors_, kModule, "subMakePrint");
        Built b;
        const bool finished = p.run(
            [&] {
                if (state_.FromForm == 0) GetPrintData();
            },
            [&] {
                whosit_ = settings_.get("User", "UName", "-");
                if (whosit_.find_first_not_of(' ') == std::string::npos) whosit_ = "-";
                b.document.header = pageHeader(whosit_, today());
            },
            [&] {
                if (state_.FromForm == 0) {
                    fmt_ = kStatementFormat;
                    s_ = statementTable(record_, data_);
                    b.print = state_.intAction == 2;
                } else if (state_.FromForm == 1) {
                    fmt_ = kAnalysisFormat;
                    if (!analysis_) {
                        state_.intHours = readHours(settings_);
                        analysis_ = analyzePay(record_, state_.intHours);
                    }
                    s_ = analysisTable(*analysis_);
                    b.print = true;
                } else {
                    s_.clear();
                }
            });
        if (finished && !s_.empty()) {
            b.document.table = s_;
            built = std::move(b);
        }
    });
    return built;
}

std::optional<PrintModel::Built> PrintModel::printCommand()
{
    state_.intAction = 2;
    return subMakePrint();
}

}  // namespace wm
