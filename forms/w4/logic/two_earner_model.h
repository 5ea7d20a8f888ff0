#pragma once
// Two-Earner/Two-Job Worksheet (frm2Workers) and its table picker
// (frmTableOne): lines 1 to 9 of the 2000 Form W-4 worksheet with Tables 1
// and 2. Lines 1 to 3 reduce the allowance count when there are two
// earners or two jobs; lines 4 to 9 give an additional amount to withhold
// from each pay period.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/w4/logic/entry_model.h"
#include "forms/w4/logic/handoff_model.h"
#include "record/currency.h"
#include "app/window_state.h"
#include "record/pay_record.h"
#include "record/runtime_error.h"

namespace wm::w4 {

// Table 1 (line 2): wages from the LOWEST paying job. A row's value is its
// position in its column.
inline constexpr std::array<std::string_view, 16> kTable1MarriedJointly{
    "0 - $4,000",          "$4,001 - $7,000",     "$7,001 - $13,000",   "$13,001 - $19,000",
    "$19,001 - $25,000",   "$25,001 - $31,000",   "$31,001 - $37,000",  "$37,001 - $41,000",
    "$41,001 - $45,000",   "$45,001 - $55,000",   "$55,001 - $63,000",  "$63,001 - $70,000",
    "$70,001 - $85,000",   "$85,001 - $100,000",  "$100,001 - $110,000", "$110,001 and over",
};
inline constexpr std::array<std::string_view, 11> kTable1AllOthers{
    "0 - $5,000",         "$5,001 - $11,000",   "$11,001 - $17,000",  "$17,001 - $22,000",
    "$22,001 - $27,000",  "$27,001 - $40,000",  "$40,001 - $50,000",  "$50,001 - $65,000",
    "$65,001 - $80,000",  "$80,001 - $100,000", "$100,001 and over",
};

// Table 2 (line 7): wages from the HIGHEST paying job, with the whole-dollar
// amount of each row.
struct Table2Row {
    std::string_view marriedJointly;
    std::string_view allOthers;
    std::int16_t amount;
};
inline constexpr std::array<Table2Row, 5> kTable2{{
    {"0 - $50,000", "0 - $30,000", 420},
    {"$50,001 - $100,000", "$30,001 - $60,000", 780},
    {"$100,001 - $130,000", "$60,001 - $120,000", 870},
    {"$130,001 - $250,000", "$120,001 - $270,000", 1000},
    {"$250,001 and over", "$270,001 and over", 1100},
}};

// The two choices of the picker (optTableOne).
enum class TableGroup : int { MarriedJointly = 0, AllOthers = 1 };

struct TableRow {
    std::string_view label;
    std::int16_t value;  // Table 1: position; Table 2: dollars
};
// The rows of one column of Table 1 (table 1) or Table 2 (any other).
std::vector<TableRow> tableRows(int table, TableGroup group);
std::string_view tableHeading(int table);  // "Table 1" / "Table 2"
std::string_view tableTitle(int table);    // the picker's window title

// Line 3: line 1 less line 2 when line 1 is at least line 2 (the rest of
// the worksheet is then not needed), otherwise 0.
struct Line3 {
    std::int16_t num2Wker = 0;
    bool lineOneCovers = false;  // line 1 >= line 2
};
Line3 line3(double line1, double line2);
// Line 8: the Table 2 amount times line 6.
Currency line8(Currency line7, std::int16_t line6);
// Line 9: line 8 spread over the pay periods left, to four decimals.
Currency line9(Currency line8, double payPeriods);

class TwoEarnerWkSht {
public:
    static constexpr const char* kName = "frm2Workers";

    // Load: line 1 from PersWkShtDeps, line 2 "0", page 1.
    TwoEarnerWkSht(WindowState& state, ErrorScheme& errors);
    ~TwoEarnerWkSht();
    TwoEarnerWkSht(const TwoEarnerWkSht&) = delete;
    TwoEarnerWkSht& operator=(const TwoEarnerWkSht&) = delete;

    // Lines as shown.
    std::string lblDedFromG;      // 1
    std::string lbl2WkerT1;       // 2
    std::string lbl2Wker3;        // 3 (never below 0)
    std::string lbl2WkerResult4;  // 4
    std::string lbl2WkerResult5;  // 5
    std::string lbl2WkerResult6;  // 6
    std::string lblTable2;        // 7
    std::string lblMultiply8;     // 8
    std::string lblDollarAmt;     // 9
    std::string txtNumPayDays;    // the pay-days entry of line 9
    int page = 1;
    // Lines 4 to 9 need line 2, so the next page opens once a Table 1 row
    // has been applied; the page-1 "Form W4" command shows once line 3 has
    // a result to carry.
    bool nextPageEnabled = false;
    bool formW4OnPage1Visible = false;

    // cmdTable1Show 0 or 1: which table the picker is to show (Table).
    void showTable(int index);
    // A row picked in Table 1 (its value) or Table 2 (its amount).
    void applyTable1Row(std::int16_t value);
    void applyTable2Row(std::int16_t amount);

    // cmdW4Back 0, 1, 2.
    void nextPage();
    void previousPage();
    Next calendar();

    // cmdPersWrkCalc 0: lines 8 and 9, DollarAmt. A pay-days entry that
    // cannot be read, or 0, is refused and nothing changes.
    std::optional<Refusal> calculate();
    // cmdPersWrkCalc 1 (page 2: closes the worksheet) or 2 (page 1: the
    // worksheet stays open). Each table pick, Calculate and these hand the
    // certificate line 3 as line 5 with line 9 as line 6 (none until line 9
    // is calculated for the lines shown).
    Next formW4(int index);

private:
    void handOverLines();
    void normalisePage2();   // before every cmdPersWrkCalc press
    void normaliseLines45(); // before every cmdW4Back press
    void setLine3(std::string text);

    WindowState& state_;
    ErrorScheme& errors_;
    std::int16_t numLine6_ = 0;
    Currency amtLine7_;
    Currency amtResult_;
};

// The table picker: which rows it lists for the table in `Table`.
class TablePicker {
public:
    static constexpr const char* kName = "frmTableOne";

    // Opening: Married Filing Jointly, that column of the current table.
    explicit TablePicker(WindowState& state);
    // The worksheet that opened the picker is current again. (The
    // worksheet runs the picker itself, so the picker keeps the code.)
    ~TablePicker();
    TablePicker(const TablePicker&) = delete;
    TablePicker& operator=(const TablePicker&) = delete;

    int table() const { return table_; }
    TableGroup group = TableGroup::MarriedJointly;
    std::vector<TableRow> lstTableOne;
    std::string lblCboTable;  // "Table 1" / "Table 2"
    std::string caption;      // window title

    void chooseGroup(TableGroup g);  // optTableOne

private:
    WindowState& state_;
    int table_;
    std::string previousCode_;
};

}  // namespace wm::w4
