#pragma once
// The Year Check window (frmYearCheck) without its window.
//
// Starts from the calculator's last calculation: the amounts the pass left in
// the pay record, the frequency, status, state and state options there, the
// exemptions list ("Deps") and the Self Employed box ("Self") as stored. The
// return's own entries default from the marital status and are the user's to
// change here; they are not stored.

#include <optional>
#include <string>
#include <string_view>

#include "core/year_check.h"

namespace wm {

class YearCheckModel {
public:
    static constexpr const char* kName = "frmYearCheck";
    static constexpr const char* kCode = "18";
    static constexpr std::string_view kNoCalculation =
        "Calculate a paycheck first: the Year Check starts from the calculator's last calculation.";
    static constexpr std::string_view kStopped =
        "The Year Check stopped on a run-time error; nothing is shown for the year.";
    // The calculator's exemptions list goes from 0 to this count.
    static constexpr int kCalculatorMaxExemptions = limitOf(Input::Exemptions).hi;

    YearCheckModel(PayRecord& record, SettingsStore& settings, ErrorScheme& errors);
    YearCheckModel(const YearCheckModel&) = delete;
    YearCheckModel& operator=(const YearCheckModel&) = delete;

    // Form_Load: the return's defaults from valMarried, then the check.
    void load();
    // The check again, from the record as it is now.
    void refresh();

    // ---- Entries of the return ----
    ReturnEntries entries;
    std::string txtOtherIncome = "0";
    std::string txtItemized = "0";
    // Reads the two amount texts into `entries`; the sentence that says what
    // is wrong, or "" when both read.
    std::string readAmounts();

    // ---- What the window shows ----
    const std::optional<YearCheck>& check() const { return check_; }
    std::string message;  // why there is no check, or ""
    // The bars drawn: allowance counts 0 .. chartLast().
    int chartLast() const;
    // Whether the advised count fits the calculator's exemptions list.
    bool canApply() const;

    // What the certificate's lines 5 and 6 get: the advised count, and the
    // additional amount ("" when none).
    std::string w4Line5() const;
    std::string w4Line6() const;

    // The printed document's table (column format, header, rows): the
    // year, the sentence, and the withholding of the counts up to three past
    // the advised and claimed ones.
    std::string table() const;

private:
    PayRecord& record_;
    SettingsStore& settings_;
    ErrorScheme& errors_;
    std::optional<YearCheck> check_;
};

}  // namespace wm
