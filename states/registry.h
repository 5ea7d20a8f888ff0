#pragma once
// The state list: index, list text, calculator and the state options each
// calculator reads.
//
// The index is the position in the main calculator's state list and selects
// the calculator; the text is only shown. Index 0 is "No State".

#include <array>
#include <cstdint>
#include <string_view>

#include "core/pay_record.h"

namespace wm {

class Pass;
using Calculator = void (*)(Pass&);

// State options a calculator reads (for help texts and `wagemark-cli states`).
enum StateOption : std::uint16_t {
    kOptStatus = 1 << 0,      // intSMarried
    kOptExemptions = 1 << 1,  // StateExmp / "staExmp"
    kOptDeps = 1 << 2,        // StateDeps / "staDeps"
    kOptILDeps = 1 << 3,      // ILINDeps
    kOptRate = 1 << 4,        // StateRate
    kOptMethod = 1 << 5,      // Method
    kOptMissPart = 1 << 6,    // "missPart"
    kOptAdd = 1 << 7,         // StateAdd (every calculator but "No State")
};

struct StateEntry {
    std::string_view name;        // list item, e.g. "Dist of Columbia"
    std::string_view procedure;   // calculator name, e.g. "DCTax"
    Calculator calculate;         // null for "No State"
    bool needsOptions;            // shows the state options hint
    std::uint16_t options;        // StateOption bits
};

const std::array<StateEntry, kStateCount>& stateList();

// Index by list text or procedure name (case-insensitive); -1 if none.
int findState(std::string_view nameOrProcedure);

}  // namespace wm
