#pragma once
// The printed documents as text: the pay statement and the pay analysis.
//
// A document is a page header and one table. The table travels as a table
// definition string, the format the renderer lays out:
//
//   <3000|>2500;Category|Amount;  Gross Pay|$1,000.00;...
//
// first the column format (each column a width in twips, 1440 to the inch,
// after "<" for left or ">" for right alignment), then the header row, then
// the body rows; each part ends with ";" and cells are separated by "|".
//
// `PrintModel` is the print window (frmPrint) without its window: it gathers
// the statement data from the pay record and the settings and builds the
// document that `FromForm` asks for; `intAction` says whether it is printed.
// Both are its caller's (the windows' state, or the statement writer's own).

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/pay_analysis.h"
#include "record/pay_record.h"
#include "record/runtime_error.h"
#include "record/settings_store.h"

namespace wm {

inline constexpr std::string_view kStatementFormat = "<3000|>2500;";
inline constexpr std::string_view kAnalysisFormat = "<6500|>1500;";
inline constexpr std::string_view kTableHeader = "Category|Amount;";

// "Monday, January 03, 2000": weekday, month, two-digit day, year.
std::string longDate(std::chrono::year_month_day date);
// " Prepared for " + name + " on " + long date.
std::string pageHeader(std::string_view name, std::chrono::year_month_day date);

// What the statement says about the settings the calculation used.
struct StatementData {
    std::string mStatus;    // "Married", "Single"
    std::string stateName;  // state list text
    std::string pd;         // pay frequency text
    std::string SE;         // "Yes" or "No"
    std::int16_t DepsNumber = 0;
};

// The statement's table: format, header and the 24 rows.
std::string statementTable(const PayRecord& r, const StatementData& d);
// The analysis table: format, header and the 12 rows of the shown figures.
std::string analysisTable(const Analysis& a);

// A table definition string taken apart for layout.
struct TableColumn {
    int twips = 0;
    bool right = false;
};
struct TableDefinition {
    std::vector<TableColumn> columns;
    std::vector<std::vector<std::string>> rows;  // rows[0] is the header row
};
// Missing cells of a row are empty; cells beyond the format are dropped.
// A format part that does not read as columns gives no columns.
TableDefinition parseTableDefinition(std::string_view s);

// Where the body rows of `t` go on paper: the index into `t.rows` of the
// first row of each page (rows[0] is the header row, repeated on every page).
// `firstRows` body rows fit on the first page, `rows` on each later one. A
// section (the rows after an empty row) that would be cut and fits on one
// page starts the next page whole; otherwise no page takes over fewer than
// three rows of the page before; no page starts with an empty row.
std::vector<std::size_t> pageStarts(const TableDefinition& t, std::size_t firstRows, std::size_t rows);

// A document ready for the renderer.
struct PrintDocument {
    std::string header;  // page header, on every page
    std::string title;   // above the table on the first page; "" for none
    std::string table;   // table definition string
    int fontPoints = 12;
    // Above 0: smaller type, down to this size, where it keeps the table on
    // one page.
    int minFontPoints = 0;
    bool italic = false;
    bool border = false;
};

// What the caller asks of the print model and lends it: which document
// (FromForm), whether it is printed (intAction), where the analysis's hours
// are kept (intHours).
struct PrintRequest {
    std::int16_t& FromForm;
    std::int16_t& intAction;
    std::int16_t& intHours;
};

class PrintModel {
public:
    PrintModel(PayRecord& record, PrintRequest request, SettingsStore& settings, ErrorScheme& errors);
    ~PrintModel();
    PrintModel(const PrintModel&) = delete;
    PrintModel& operator=(const PrintModel&) = delete;

    // The figures the analysis view shows. Without them an analysis is
    // computed from the record and the "Hours" setting.
    void setAnalysis(const Analysis& a) { analysis_ = a; }

    // GetPrintData: mStatus, pd, DepsNumber, stateName, SE.
    void GetPrintData();

    struct Built {
        PrintDocument document;
        bool print = false;  // intAction 2, or an analysis
    };
    // subMakePrint: the document for `FromForm` (0 statement, 1 analysis);
    // nothing when a run-time error ended it or `FromForm` is another code.
    std::optional<Built> subMakePrint();
    // cmdPrintMenu 0: intAction = 2, then the document again, to be printed.
    std::optional<Built> printCommand();

    const StatementData& data() const { return data_; }
    const std::string& s() const { return s_; }

    // Today's date for the header; replaceable for tests.
    std::function<std::chrono::year_month_day()> today;

private:
    PayRecord& record_;
    PrintRequest state_;
    SettingsStore& settings_;
    ErrorScheme& errors_;
    std::optional<Analysis> analysis_;
    StatementData data_;
    std::string s_;
    std::string fmt_;
    std::string whosit_;
};

// The local date of the system clock.
std::chrono::year_month_day localToday();

}  // namespace wm
