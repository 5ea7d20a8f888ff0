#pragma once
// The Form W-4 view (frmW4) and the personal information form (frmName).
//
// The personal information form keeps the employee's identity in the
// settings store; the view shows the Employee's Withholding Allowance
// Certificate filled with it, the marital status, today's date and the
// allowance lines the worksheets produced.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/window_state.h"
#include "record/pay_record.h"
#include "record/runtime_error.h"
#include "record/settings_store.h"

namespace wm::w4 {

// What an empty or never-saved identity field holds.
inline constexpr std::string_view kUnknown = "-";

inline constexpr std::string_view kMaritalCaptions[3] = {
    "Married", "Single", "Married, but withhold at higher single rate."};

struct CivilDate {
    int year = 2000;
    int month = 1;
    int day = 1;
};
// The short date of the certificate's date line: "1/5/2000".
std::string formatShortDate(CivilDate d);

// The certificate has separate boxes for the first name with the middle
// initial and for the last name; the stored name is one text. The last word
// is the last name, with a suffix ("Jr.", "III") kept next to it.
struct NameParts {
    std::string first;
    std::string last;
};
NameParts splitName(std::string_view fullName);

// Line 6 as the certificate shows it: a number in the "Currency" format;
// empty stays empty, other text is kept as it is.
std::string formatLine6(std::string_view text);

// The certificate as drawn and printed.
struct Certificate {
    NameParts name;
    std::string address;
    std::string city;
    std::string ssn;
    int maritalBox = -1;  // valMarried: 0 "Married", 1 "Single", 2 the higher Single rate; -1 none
    std::string line5;
    std::string line6;
    bool exempt = false;  // the word "EXEMPT" on line 7
    std::string date;
};

class W4View {
public:
    static constexpr const char* kName = "frmW4";

    // Load: identity from the "User" keys, today's date, the marital box
    // from valMarried, lines 5 and 6 as handed over.
    W4View(PayRecord& record, WindowState& state, SettingsStore& settings, ErrorScheme& errors, CivilDate today);
    W4View(const W4View&) = delete;
    W4View& operator=(const W4View&) = delete;

    std::string lblName, lblAddress, lblCity, lblSSN, lblDate;
    std::string lblW4Line5;
    std::string lblW4Line6;
    int maritalBox = -1;
    bool exemptShown = false;  // Label27, the word "EXEMPT"

    // Lines 5 and 6 as the worksheets last handed them over (handOver).
    void takeLines();
    void setLine5(std::string text) { lblW4Line5 = std::move(text); }
    void setLine6(std::string_view text) { lblW4Line6 = formatLine6(text); }

    // The line 7 text: a click takes the word "EXEMPT" away, a double-click
    // writes it.
    void clickLine7() { exemptShown = false; }
    void doubleClickLine7() { exemptShown = true; }

    Certificate certificate() const;

private:
    PayRecord& r_;
    WindowState& state_;
};

// The personal information form.
class PersonalInfo {
public:
    static constexpr const char* kName = "frmName";

    // Load: the four identity keys, MaritalStat into valMarried, DontShow.
    PersonalInfo(PayRecord& record, WindowState& state, SettingsStore& settings, ErrorScheme& errors);
    PersonalInfo(const PersonalInfo&) = delete;
    PersonalInfo& operator=(const PersonalInfo&) = delete;

    std::string txtName, txtAddress, txtCity, txtSSN;
    std::optional<int> optMaritalStatus;  // the selected option, if valMarried names one
    bool chkShow = true;                  // show this form at start

    // optMaritalStatus_Click: valMarried = index.
    void selectMarital(int index);
    // chkShow_Click: DontShowMe and "DontShow" saved at once.
    void setShowAtStart(bool ticked);
    // The identity fields, in the form's order.
    enum Field { Name, Address, City };
    // A field that holds a character that is layout, not text (a line
    // break, a direction override): which one and the message that says so.
    struct TextProblem {
        Field field;
        std::string message;
    };
    std::optional<TextProblem> textProblem() const;
    // cmdExit_Click: false, and nothing saved, while the name is empty or
    // a field has a text problem; otherwise the identity and MaritalStat
    // are saved.
    bool exit();

    static constexpr std::string_view kSsnMask = "###-##-####";

private:
    PayRecord& r_;
    WindowState& state_;
    SettingsStore& settings_;
    ErrorScheme& errors_;
};

// The text saved for a social security number field: "-" while no digit
// has been entered, so that both forms show the same "not known" mark.
std::string ssnForStore(std::string_view text);

}  // namespace wm::w4
