#pragma once
// What every window of the desktop program works with: the one pay record,
// the windows' state beside it,
// the settings store, the error scheme, and a navigator to open other forms.
//
// Each form is a thin Qt window over a Qt-free class that holds its inputs,
// outputs and commands (tested without a display). The window gets an
// `AppContext&` and never reaches for globals.

#include <string>

#include "app/window_state.h"
#include "record/pay_record.h"
#include "record/runtime_error.h"
#include "record/settings_store.h"

namespace wm {

// Child forms of the main window, by their current-form code where they have
// one (frmLoaded).
enum class FormId {
    Main,             // frmMain, "6"
    StateOptions,     // frmState, "15"
    LocalTaxRaise,    // frmMisc, "7" (opened by the main form, modal)
    PersonalInfo,     // frmName
    W4View,           // frmW4
    PersWkSht,        // frmPersWkSht
    DeductionsWkSht,  // Deductions and Adjustments Worksheet
    TwoEarnerWkSht,   // Two-Earner/Two-Job Worksheet
    TableOne,         // frmTableOne, the table picker
    MultiCheck,       // frmMultiCheck
    Analysis,         // frmAnalysis
    Print,            // frmPrint (print preview / print of intAction, FromForm)
    Calendar,         // frmCalendar, "4"
    About,            // frmAbt, "2"
    YearCheck,        // frmYearCheck, "18"
    YearCheckPreview, // the Year Check's print preview (run by the Year Check)
    BonusCheck,       // frmBonusCheck, "19"
    CompareStates,    // frmCompareStates, "20"
};

// Help contexts: the Form W-4 instructions, the Year Check page.
inline constexpr int kW4HelpContext = 370;
inline constexpr int kYearCheckHelpContext = 380;

class Navigator {
public:
    virtual ~Navigator() = default;
    // Opens (or brings forward) a child form of the main window.
    virtual void open(FormId form) = 0;
    // Help at a context (kW4HelpContext, ...), or its contents.
    virtual void showHelp(int context = 0) = 0;
    // Closes an open child form, as its own Close command would.
    virtual void close(FormId form) { (void)form; }
    // Whether this build has the form at all.
    virtual bool available(FormId form) const
    {
        (void)form;
        return true;
    }
    // Puts an income text into the main calculator (opened if needed) and
    // selects a pay frequency there as the user's click would (HowOft 0..3;
    // -1 leaves the frequency). The Multiple Check Worksheet's transfer.
    virtual void sendToMain(const std::string& incomeText, int howOft)
    {
        (void)incomeText;
        (void)howOft;
    }
    // Chooses an exemptions count on the main calculator (opened if needed)
    // as the user's click would, then runs its Calculate command. The Year
    // Check's advice.
    virtual void calculateWithExemptions(int count) { (void)count; }
    // Chooses a state on the main calculator (opened if needed) as the
    // user's click would, then runs its Calculate command. Compare States.
    virtual void calculateInState(int state) { (void)state; }
};

struct AppContext {
    PayRecord& record;
    WindowState& state;
    SettingsStore& settings;
    ErrorScheme& errors;
    Navigator& nav;
};

}  // namespace wm
