#pragma once
// Where a worksheet command leads, and what it hands to the Form W-4 view.
//
// The worksheets do not open windows themselves: a command returns a `Next`
// and the window opens the form.

#include <optional>
#include <string>

#include "app/app_context.h"
#include "record/pay_record.h"

namespace wm::w4 {

struct Next {
    std::optional<FormId> open;  // form to show, if any
    bool closeSelf = false;      // the worksheet closes before the view shows
};

// A worksheet's result for the certificate: line 5 (allowances) and line 6
// (the additional amount per paycheck, "" for none) into the pay record,
// together, so that a later worksheet never leaves an earlier one's line
// standing beside its own. The certificate shows them when it opens, and
// an open one is brought up to date by the window that calculated.
inline void handOver(WindowState& r, std::string line5, std::string line6)
{
    r.W4Line5 = std::move(line5);
    r.W4Line6 = std::move(line6);
}

}  // namespace wm::w4
