#pragma once
// What every window of the desktop program works with: the one pay record,
// the windows' state beside it,
// the settings store, the error scheme, and a navigator to open other forms.
//
// Each form is a thin Qt window over a Qt-free class that holds its inputs,
// outputs and commands (tested without a display). The window gets an
// `AppContext&` and never reaches for globals.

#include <string>

#include "app/form_id.h"
#include "app/window_state.h"
#include "record/pay_record.h"
#include "record/runtime_error.h"
#include "record/settings_store.h"

namespace wm {

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
