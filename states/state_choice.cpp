#include "states/state_choice.h"

#include <algorithm>
#include <array>

#include "record/runtime_error.h"

namespace wm {

namespace {

constexpr std::array<StateOptionRow, 10> kRows = {{
    {kOptStatus, "Filing status", OptionSource::MaritalStatus},
    {kOptRate, "Rate", OptionSource::DialogStart},
    {kOptDeps, "Dependents (State)", OptionSource::Exemptions},
    {kOptILDeps, "Dependents (Illinois, Indiana)", OptionSource::DialogStart},
    {kOptExemptions, "Additional (State) Exemptions", OptionSource::DialogStart},
    {kOptMethod, "Maryland Local Tax Rates", OptionSource::DialogStart},
    {kOptAdd, "Additional Withholding Amount (State)", OptionSource::DialogStart},
    {kOpt401k, "401k off the state wages", OptionSource::DialogStart},
    {kOptPreTax, "Pre-Tax Amt off the state wages", OptionSource::DialogStart},
    {kOptMissPart, "Your part of the $12,000 spouse exemption", OptionSource::DialogStart},
}};

bool reads(const StateEntry& s, StateOption o) { return (s.options & o) != 0; }

// The state's first filing status that begins as the marital status does
// ("Single...", "Married..."); its first status when none does.
std::int16_t statusFor(const StateEntry& s, int valMarried)
{
    if (s.dialog.statusFromCalculator) return static_cast<std::int16_t>(valMarried);
    const auto& list = s.dialog.statuses;
    if (list.empty()) return 0;
    const std::string_view word = valMarried == 0 ? "Married" : "Single";
    for (const StatusChoice& c : list)
        if (c.caption.substr(0, word.size()) == word) return c.code;
    return list.front().code;
}

std::string_view captionOf(const StateEntry& s, StateOption o)
{
    if (o == kOptExemptions && s.dialog.special && !s.dialog.special->caption.empty()) return s.dialog.special->caption;
    for (const StateOptionRow& row : kRows)
        if (row.option == o) return row.caption;
    return {};
}

}  // namespace

std::span<const StateOptionRow> stateOptionRows() { return kRows; }

StateOptionValues optionsFromEntries(int state, int valMarried, int exemptions)
{
    const StateEntry& s = stateAt(state);
    StateOptionValues v;
    v.intSMarried = statusFor(s, valMarried);
    const InputLimit& deps = limitOf(Input::StateDeps);
    if (reads(s, kOptDeps)) v.StateDeps = static_cast<std::int16_t>(std::clamp<int>(exemptions, deps.lo, deps.hi));
    if (const SpecialList* l = s.dialog.special; l && !l->items.empty()) {
        if (l->setsMethod) v.Method = l->items.front().value;
        else v.StateExmp = l->items[std::min(l->shown, l->items.size() - 1)].value;
    }
    return v;
}

StateOptionValues optionsInUse(const PayRecord& r, SettingsStore& settings)
{
    StateOptionValues v;
    v.intSMarried = r.intSMarried;
    v.StateRate = r.StateRate;
    v.StateDeps = r.StateDeps;
    v.ILINDeps = r.ILINDeps;
    v.StateExmp = r.StateExmp;
    v.Method = r.Method;
    v.StateAdd = r.StateAdd;
    v.deduct401k = settings.getKnown(knownSetting("StateInfo", "sta401"), "N") != "N";
    v.deductPreTax = settings.getKnown(knownSetting("StateInfo", "staPreTax"), "N") != "N";
    try {
        v.missPart = toCurrency(settings.getKnown(knownSetting("StateInfo", "missPart"), "0"));
    } catch (const RuntimeError&) {
        v.missPart = Currency{};  // the calculator reports it when it reads it
    }
    return v;
}

void applyOptions(const StateOptionValues& v, PayRecord& r)
{
    r.intSMarried = v.intSMarried;
    r.StateRate = v.StateRate;
    r.StateDeps = v.StateDeps;
    r.ILINDeps = v.ILINDeps;
    r.StateExmp = v.StateExmp;
    r.Method = v.Method;
    r.StateAdd = v.StateAdd;
}

void writeOptions(const StateOptionValues& v, SettingList& s)
{
    s.setWhole(knownSetting("StateInfo", "staMarried"), v.intSMarried);
    s.setWhole(knownSetting("StateInfo", "staRate"), v.StateRate);
    s.setWhole(knownSetting("StateInfo", "staDeps"), v.StateDeps);
    s.setWhole(knownSetting("StateInfo", "ILINDeps"), v.ILINDeps);
    s.setWhole(knownSetting("StateInfo", "staExmp"), v.StateExmp);
    s.setWhole(knownSetting("StateInfo", "MMethod"), v.Method);
    s.set(knownSetting("StateInfo", "staAdd"), formatPlain(v.StateAdd));
    s.set(knownSetting("StateInfo", "sta401"), v.deduct401k ? "Y" : "N");
    s.set(knownSetting("StateInfo", "staPreTax"), v.deductPreTax ? "Y" : "N");
    s.set(knownSetting("StateInfo", "missPart"), formatPlain(v.missPart));
}

void saveOptions(const StateOptionValues& v, int state, SettingsStore& s)
{
    const StateEntry& e = stateAt(state);
    // The status and the county are saved when chosen in the dialog: only
    // where the state offers them.
    if (reads(e, kOptStatus)) s.save("StateInfo", "staMarried", std::to_string(v.intSMarried));
    if (reads(e, kOptMethod)) s.save("StateInfo", "MMethod", std::to_string(v.Method));
    s.save("StateInfo", "staDeps", std::to_string(v.StateDeps));
    s.save("StateInfo", "ILINDeps", std::to_string(v.ILINDeps));
    s.save("StateInfo", "staExmp", std::to_string(v.StateExmp));
    s.save("StateInfo", "staAdd", formatPlain(v.StateAdd));
    s.save("StateInfo", "staRate", std::to_string(v.StateRate));
    s.save("StateInfo", "missPart", formatPlain(v.missPart));
    s.save("StateInfo", "sta401", v.deduct401k ? "Y" : "N");
    s.save("StateInfo", "staPreTax", v.deductPreTax ? "Y" : "N");
    s.save("StateInfo", "StateName", std::string(e.name));
}

std::vector<OptionUsed> optionsUsed(int state, const StateOptionValues& v)
{
    const StateEntry& s = stateAt(state);
    std::vector<OptionUsed> out;
    for (const StateOptionRow& row : kRows) {
        if (!reads(s, row.option)) continue;
        std::string value;
        switch (row.option) {
        case kOptStatus: value = std::to_string(v.intSMarried); break;
        case kOptRate: value = std::string(1, static_cast<char>('A' + std::clamp<int>(v.StateRate, 0, 25))); break;
        case kOptDeps: value = std::to_string(v.StateDeps); break;
        case kOptILDeps: value = std::to_string(v.ILINDeps); break;
        case kOptExemptions: value = std::to_string(v.StateExmp); break;
        case kOptMethod: value = formatPlain(v.Method / 100.0); break;
        case kOptAdd: value = v.StateAdd.isZero() ? "" : formatPlain(v.StateAdd); break;
        case kOpt401k: value = v.deduct401k ? "Y" : ""; break;
        case kOptPreTax: value = v.deductPreTax ? "Y" : ""; break;
        case kOptMissPart: value = v.missPart.isZero() ? "" : formatPlain(v.missPart); break;
        }
        if (!value.empty()) out.push_back({row.option, value});
    }
    return out;
}

std::string describeOptions(int state, const StateOptionValues& v)
{
    const StateEntry& s = stateAt(state);
    std::string out;
    for (const OptionUsed& u : optionsUsed(state, v)) {
        if (!out.empty()) out += "; ";
        out += captionOf(s, u.option);
        if (u.option == kOpt401k || u.option == kOptPreTax) continue;
        out += ": ";
        if (u.option == kOptStatus) {
            const StatusChoice* c = offeredStatus(s, v.intSMarried);
            out += c ? c->caption : "code " + u.value;
        } else {
            out += u.value;
        }
    }
    return out.empty() ? "none" : out;
}

std::string howOptionsChosen(std::string_view chosen)
{
    const std::string rest =
        "takes the calculator's marital status as its filing status and the exemptions as its dependents or "
        "allowances, and otherwise the choice its State Options start with.";
    if (chosen == stateAt(0).name) return "Each state " + rest;
    return std::string(chosen) + " keeps the state options set for it; every other state " + rest;
}

}  // namespace wm
