#pragma once
// Where a worksheet command leads, and what it hands to the Form W-4 view.
//
// The worksheets do not open windows themselves: a command returns a `Next`
// and the window opens the form and writes the lines.

#include <optional>
#include <string>

#include "ui/app_context.h"

namespace wm::w4 {

struct Next {
    std::optional<FormId> open;        // form to show, if any
    std::optional<std::string> line5;  // text for the certificate's line 5
    std::optional<std::string> line6;  // text for line 6 (the view formats it)
    bool closeSelf = false;            // the worksheet closes before the view shows
};

}  // namespace wm::w4
