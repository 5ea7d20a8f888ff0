#pragma once
// The Year Check window (frmYearCheck) without its window.
//
// Starts from the calculator's last calculation: the amounts the pass left in
// the pay record, the frequency, status, state and state options there, the
// exemptions list ("Deps") and the Self Employed box ("Self") as stored. The
// return's own entries default from the marital status, the paychecks paid
// so far from none; they are the user's to change here and are not stored.
// Entries are kept as typed: one that does not read, or is outside its
// range, is refused by name and nothing is shown for the year.

#include <optional>
#include <string>
#include <string_view>

#include "core/year_check.h"

namespace wm {

class YearCheckModel {
public:
    static constexpr const char* kName = "frmYearCheck";
    static constexpr std::string_view kNoCalculation =
        "Calculate a paycheck first: the Year Check starts from the calculator's last calculation.";
    static constexpr std::string_view kStopped =
        "The Year Check stopped on a run-time error; nothing is shown for the year.";

    YearCheckModel(PayRecord& record, SettingsStore& settings, ErrorScheme& errors);
    YearCheckModel(const YearCheckModel&) = delete;
    YearCheckModel& operator=(const YearCheckModel&) = delete;

    // Form_Load: the return's defaults from valMarried, then the check.
    void load();
    // The check again, from the record and the entries as they are now. The
    // filing status and the exemptions follow the calculator's marital
    // status whenever it is not the one they last followed.
    void refresh();

    // ---- Entries of the return, as typed ----
    ReturnEntries entries;  // as last read
    // The exemptions follow the filing status and the children
    // (defaultExemptions) until the user sets them.
    bool exemptionsGiven = false;
    std::string txtExemptions = "1";
    std::string txtChildren = "0";
    std::string txtOtherIncome = "0";
    std::string txtItemized = "0";
    // A spouse's job: on a joint return only.
    std::string txtSpouseWages = "0";
    std::string txtSpouseWithheld = "0";

    // ---- So far this year ----
    std::string txtPaid = "0";
    int paid = 0;  // as last read
    // Blank: the paychecks paid x the calculated paycheck's figure.
    std::string txtWagesSoFar;
    std::string txtWithheldSoFar;
    std::string txtStateSoFar;
    std::string txtSocialSecuritySoFar;

    // Which entries apply: the spouse's job on a joint return; the figures
    // so far once paychecks were paid, the state's with a state chosen.
    bool showsSpouse() const { return entries.filing == FilingStatus::Joint; }
    bool showsSoFar() const { return paid > 0; }
    bool showsStateSoFar() const;
    // The paychecks in the calculator's year; paid goes to one less.
    int periods() const;
    // What the blank figures so far stand for.
    SoFar soFarDefaults() const;

    // ---- What the window shows ----
    const std::optional<YearCheck>& check() const { return check_; }
    std::string message;  // why there is no check, or ""
    // The entry `message` refuses, as typed or as no year can have it.
    std::optional<Input> refused;
    // The bars drawn: allowance counts 0 .. chartLast().
    int chartLast() const;
    // Whether the advised count fits the calculator's exemptions list.
    bool canApply() const;

    // What the certificate's lines 5 and 6 get: the advised count, and the
    // additional amount ("" when none).
    std::string w4Line5() const;
    std::string w4Line6() const;

    // The printed document's title: the check, the tax year and whom it is
    // for (`name` blank or "-": nobody named).
    static std::string title(std::string_view name);
    // The printed document's table (column format, header, rows): the
    // year, the sentence, and the withholding of every count the chart draws.
    std::string table() const;

private:
    bool selfEmployed() const;
    // Every entry that applies into `entries`, `paid`, soFar_ and spouse_;
    // false, with `message` and `refused`, at the first that does not read
    // or is outside its range.
    bool readEntries();
    void refuse(Input entry, std::string text);

    PayRecord& record_;
    SettingsStore& settings_;
    ErrorScheme& errors_;
    std::optional<YearCheck> check_;
    SoFarEntries soFar_;  // as read; applied when showsSoFar()
    SpouseJob spouse_;    // as read; applied when showsSpouse()
    std::optional<std::int16_t> followedStatus_;  // valMarried the filing status last followed
};

}  // namespace wm
