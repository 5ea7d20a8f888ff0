#pragma once
// The state list: index, list text, calculator, the state options each
// calculator reads, and what the state options dialog offers for the state.
//
// The index is the position in the main calculator's state list and selects
// the calculator; the text is only shown. Index 0 is "No State". The dialog
// columns are the one place that says which filing statuses a state offers
// and what they mean there, so the dialog, the calculator's hint and the
// notice after a calculation cannot disagree; the options bits say which
// other state options the calculator reads, so the dialog offers and
// `wagemark-cli` takes only those.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "record/input_limits.h"
#include "record/pay_record.h"

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
    kOptAdd = 1 << 7,         // StateAdd
    kOpt401k = 1 << 8,        // "sta401": the 401(k) amount also off the state wages
    kOptPreTax = 1 << 9,      // "staPreTax": the pre-tax amount also off the state wages
};
// What the state base reads, so every calculator that forms state wages:
// the additional amount and which pre-tax amounts the state also excludes.
inline constexpr std::uint16_t kStateBaseOptions = kOptAdd | kOpt401k | kOptPreTax;

// Filing status options of the dialog (op3Marital 0..9); the index is the
// code kept in "staMarried" (`intSMarried`).
inline constexpr int kStatusCodeCount = 10;
inline constexpr std::array<std::string_view, kStatusCodeCount> kStatusCaptions = {
    "Single",
    "Single, claiming full personal exemption(S)",
    "Single, claiming none (O)",
    "Married, claiming for both spouses (M)",
    "Married, claiming for yourself only (S)",
    "Married, claiming none (O)",
    "Married Filing Separately",
    "Married. Spouse NOT employed",
    "Married. Spouse IS employed.",
    "Head of Family (Household)",
};

// A filing status a state offers: its code and what it means for that state.
struct StatusChoice {
    std::int16_t code;
    std::string_view caption;
};

// One item of the dialog's special list and the number it stands for
// (an exemption count, a percentage, or for the Method lists the `Method`).
struct ListItem {
    std::string_view text;
    std::int16_t value;
};

// Maryland's county rates: the list texts and their `Method` codes (the rate
// in hundredths of a percent). The Maryland calculator's tables follow this
// order.
inline constexpr std::array<ListItem, 8> kMarylandCounties = {{{"1.25", 125},
                                                               {"1.75", 175},
                                                               {"2.41", 241},
                                                               {"2.51", 251},
                                                               {"2.77", 277},
                                                               {"2.82", 282},
                                                               {"2.91", 291},
                                                               {"3.01", 301}}};
// The codes are the limits table's, so every door takes exactly these.
static_assert([] {
    for (std::size_t i = 0; i < kMarylandCounties.size(); ++i)
        if (kMarylandCounties[i].value != kCountyRateCodes[i]) return false;
    return kMarylandCounties.size() == kCountyRateCodes.size();
}());

// The dialog's special list (cboSpecialDeps) for one state.
struct SpecialList {
    std::string_view caption{};        // lblSpecialDeps
    std::span<const ListItem> items{}; // empty: the items of the state before stay
    std::size_t shown = 0;             // item shown when the state is chosen
    // Choosing an item sets `Method` ("MMethod"), not `StateExmp`; the list
    // then shows the item of the `Method` in use, or `placeholder`.
    bool setsMethod = false;
    std::string_view placeholder{};
};

// What the state options dialog offers for one state.
struct DialogLayout {
    std::span<const StatusChoice> statuses{};  // filing statuses the calculator reads
    std::string_view statusNote{};             // shown where no status is offered
    int rates = 0;                           // rate options A.. offered
    std::span<const std::string_view> rateNotes{};  // what each rate means, shown under the pointer
    const SpecialList* special = nullptr;    // null: the special list is off
    std::string_view specialNote{};          // shown where a state has no special list
    bool statusFromCalculator = false;       // `intSMarried` = `valMarried` (Connecticut)
};
// The two dependents boxes (cboDeps 0 and 1) are offered where the state's
// calculator reads them: kOptDeps and kOptILDeps of `StateEntry::options`.

struct StateEntry {
    std::string_view name;        // list item, e.g. "Dist of Columbia"
    std::string_view procedure;   // calculator name, e.g. "DCTax"
    Calculator calculate;         // null for "No State"
    bool needsOptions;            // shows the state options hint
    std::uint16_t options;        // StateOption bits
    DialogLayout dialog;          // the state options dialog for this state
    std::string_view fullName{};  // the name in full where the list item is short
    // The list text of earlier versions, still found where a name is read:
    // saved settings ("StateName") and scripts (`--state`).
    std::string_view formerName{};
};

const std::array<StateEntry, kStateCount>& stateList();
const StateEntry& stateAt(int index);  // "No State" for an index outside the list

// The state's choice of filing status `code`; null when it offers none such.
const StatusChoice* offeredStatus(const StateEntry& s, int code);
// "Choose "Single", "..." or "..." in Set State Options." (`s` is one of
// stateList()).
const std::string& statusChoiceHint(const StateEntry& s);

// Maryland's county rates: the list texts and their `Method` codes.
std::span<const ListItem> marylandCounties();

// Index by list text, full name, former name or procedure name
// (case-insensitive); -1 if none.
int findState(std::string_view nameOrProcedure);

}  // namespace wm
