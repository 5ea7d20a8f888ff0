#pragma once
// The state options a state takes when one paycheck is worked out for every
// state (Compare States, `wagemark-cli calc --all-states`).
//
// The state the user chose keeps the options set for it. Every other state
// takes them from the calculator's entries where it has an equivalent (the
// marital status as its filing status, the exemptions as its dependents or
// allowances) and otherwise the choice its state options dialog starts with
// (Arizona's preselected percentage, Maryland's first county, rate A, no
// additional amount), so no state is left on a status it does not offer.

#include <cstdint>
#include <string>
#include <vector>

#include "record/currency.h"
#include "record/settings_store.h"
#include "states/registry.h"

namespace wm {

// The values of the state options, as the pay record and "StateInfo" keep them.
struct StateOptionValues {
    std::int16_t intSMarried = 0;
    std::int16_t StateRate = 0;
    std::int16_t StateDeps = 0;
    std::int16_t ILINDeps = 0;
    std::int16_t StateExmp = 0;
    std::int16_t Method = 0;
    Currency StateAdd;
    bool deduct401k = false;    // "sta401"
    bool deductPreTax = false;  // "staPreTax"
    Currency missPart;          // "missPart"
};

// Where a state option's value comes from for a state not chosen.
enum class OptionSource { MaritalStatus, Exemptions, DialogStart };

// One state option: its bit, the dialog's caption, where its value comes from.
struct StateOptionRow {
    StateOption option;
    std::string_view caption;
    OptionSource source;
};
// In the order the dialog shows them.
std::span<const StateOptionRow> stateOptionRows();

// The options `state` takes from the calculator's marital status
// (`valMarried`: 0 married, otherwise single) and exemptions.
StateOptionValues optionsFromEntries(int state, int valMarried, int exemptions);

// The options in use: the pay record's fields and the "StateInfo" keys.
StateOptionValues optionsInUse(const PayRecord& r, SettingsStore& settings);

// Into a pay record and the settings the calculators read.
void applyOptions(const StateOptionValues& v, PayRecord& r);
void writeOptions(const StateOptionValues& v, SettingList& settings);
// Saved as the state options dialog saves them on closing, for `state`.
void saveOptions(const StateOptionValues& v, int state, SettingsStore& settings);

// The options `state` reads with their values as texts: a status as its
// code, a rate as its letter, a county as its rate ("1.25"), amounts plain;
// switches only when on, amounts only when not zero.
struct OptionUsed {
    StateOption option;
    std::string value;
};
std::vector<OptionUsed> optionsUsed(int state, const StateOptionValues& v);

// "Filing status: Single; Dependents (State): 1" ("none" for no options).
std::string describeOptions(int state, const StateOptionValues& v);

// The line under a comparison: how each state's options were chosen, the
// chosen state (list text) named.
std::string howOptionsChosen(std::string_view chosen);

}  // namespace wm
