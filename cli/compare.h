#pragma once
// calc --all-states (the pay period in every state) and calc ... --vs ...
// (before beside after).

#include <iosfwd>

#include "cli/options.h"

namespace wm::cli {

int calcAllStates(const CalcOptions& o, std::ostream& out, std::ostream& err);
int calcVersus(const CalcOptions& o, std::ostream& out, std::ostream& err);

}  // namespace wm::cli
