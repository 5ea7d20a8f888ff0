#pragma once
// What the windows, worksheets, tools and shell keep between commands: the
// state beside the pay record that the calculation pass never reads. One
// instance lives for the whole run of the desktop program, zeroed at start.
// The names are the ones the error report lists them by.

#include <cstdint>
#include <string>
#include <string_view>

#include "record/currency.h"
#include "record/runtime_error.h"

namespace wm {

struct WindowState {
    // The worksheets: allowances handed on, the two-earner worksheet's line 3
    // and line 9, which of its tables is shown, the deductions page guard.
    std::int16_t PersWkShtDeps = 0;
    std::int16_t Table = 0;
    std::int16_t num2Wker = 0;
    Currency DollarAmt;
    // The certificate's lines 5 and 6 as the last worksheet (or the Year
    // Check) handed them over, always together; "" in line 5 until one has
    // (the certificate then shows PersWkShtDeps), "" in line 6 for no amount.
    std::string W4Line5;
    std::string W4Line6;
    std::int16_t intClick = 0;
    // The tools: the analysis's hours, the multiple check total.
    std::int16_t intHours = 0;
    Currency amtMultiChk;
    // Printing: 1 preview, 2 print; the document, 0 statement, 1 analysis.
    std::int16_t intAction = 0;
    std::int16_t FromForm = 0;
    // The shell: the current-form code, start-up flags, background design,
    // the state options hint (10 hidden, 20 shown).
    std::string frmLoaded;
    std::int16_t VarLoadMDI = 0;
    std::int16_t DontShowMe = 0;
    std::string strPicSelect;
    std::int16_t intShowStateLabel = 0;
};

// The value of a field by its name, as the error report writes it; "" for a
// name that is not one of the fields.
std::string windowVariable(const WindowState& s, std::string_view name);

// Lets the error report list `s`'s fields (they outlive the scheme's use).
inline void reportWindowState(ErrorScheme& errors, const WindowState& s)
{
    errors.windowVariable = [&s](std::string_view name) { return windowVariable(s, name); };
}

}  // namespace wm
