#pragma once
// The Compare States window without its window: the calculator's last
// calculation worked out for No State and each of the 41 states, one row
// each, sortable by any column.
//
// The chosen state keeps its options; every other state takes those of
// optionsFromEntries (states/state_choice.h). A row made the calculator's
// state is saved as the state options dialog saves it.

#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "states/state_choice.h"

namespace wm {

class CompareStatesModel {
public:
    static constexpr const char* kName = "frmCompareStates";
    static constexpr std::string_view kNoCalculation =
        "Calculate a paycheck first: Compare States starts from the calculator's last calculation.";

    explicit CompareStatesModel(AppContext& ctx);

    enum Column { State, StateTax, Check, Difference };
    struct Row {
        int state = 0;
        StateOptionValues options;
        bool chosen = false;
        std::optional<PayRecord> record;  // none when its calculation stopped
        std::string problem;              // why it has no check
        Currency stateTax() const { return record ? record->sTax : Currency{}; }
        Currency check() const { return record ? record->amtTotal : Currency{}; }
    };

    // Every state again from the record as the calculator left it.
    void refresh();
    // Sorted by `column`; the check amount, highest first, at the start.
    void sortBy(Column column, bool descending);
    Column sortColumn() const { return column_; }
    bool descending() const { return descending_; }

    const std::vector<Row>& rows() const { return rows_; }
    Currency difference(const Row& row) const;
    std::string message;  // why there are no rows, or ""
    // The row's tip: the options it used.
    std::string tip(const Row& row) const;
    // The line under the table.
    std::string howChosen() const;
    // "Compare States: $1,000.00 Weekly, Single"
    std::string title() const;
    // The printed table (column format, header, rows).
    std::string table() const;

    // Makes row `i` the calculator's state with its options, saved as the
    // state options dialog saves them, and calculates there.
    void useRow(std::size_t i);

private:
    AppContext& ctx_;
    std::vector<Row> rows_;
    Column column_ = Check;
    bool descending_ = true;
    Currency chosenCheck_;
};

}  // namespace wm
