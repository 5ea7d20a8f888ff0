#include "forms/main/logic/state_options_model.h"

#include <algorithm>

namespace wm {

const std::array<std::string_view, StateOptionsModel::kRateCount> StateOptionsModel::kRateCaptions = {
    "Rate A", "Rate B", "Rate C", "Rate D", "Rate E"};

StateOptionsModel::StateOptionsModel(AppContext& ctx) : ctx_(ctx)
{
    std::copy(kStatusCaptions.begin(), kStatusCaptions.end(), statusCaption.begin());
    statusShown.fill(true);
    specialCaption = kSpecialCaption;
    additionalCaption = kAdditionalCaption;
    ctx_.errors.setModuleVariables("frmState", [this] {
        PayRecord& r = ctx_.record;
        return VarList{"Index", "0", "state401kDed", chk401k ? "1" : "0", "statePreTaxDed", chkPreTax ? "1" : "0",
                       "StateRate", std::to_string(r.StateRate), "S401k", S401k, "SPreTax", SPreTax};
    });
}

StateOptionsModel::~StateOptionsModel() { ctx_.errors.clearModuleVariables("frmState"); }

void StateOptionsModel::readSaved(PayRecord& r, SettingsStore& s)
{
    // Every default is 0; the store replaces a value it cannot read, or one
    // outside the range of its input, and says so.
    r.intSMarried = s.getInt16("StateInfo", "staMarried", 0);
    r.StateRate = s.getInt16("StateInfo", "staRate", 0);
    r.StateDeps = s.getInt16("StateInfo", "staDeps", 0, limitOf(Input::StateDeps));
    r.ILINDeps = s.getInt16("StateInfo", "ILINDeps", 0, limitOf(Input::SecondDeps));
    r.StateExmp = s.getInt16("StateInfo", "staExmp", 0, limitOf(Input::StateExemptions));
    const std::string add = s.getEntry("StateInfo", "staAdd", "0", limitOf(Input::StateAdd));
    r.StateAdd = isBlank(add) ? Currency{} : toCurrency(add);
    r.SPtx = s.getInt16("Settings", "ApplyTo", 0, limitOf(Input::LocalBase));
}

int StateOptionsModel::savedFor(SettingsStore& s)
{
    const std::string name = s.get("StateInfo", "StateName", "");
    return name.empty() ? -1 : findState(name);
}

bool StateOptionsModel::methodList() const
{
    const SpecialList* l = shownState().dialog.special;
    return l && l->setsMethod;
}

void StateOptionsModel::Clear()
{
    statusEnabled.fill(false);
    statusSelected = -1;
    rateEnabled.fill(false);
    rateSelected = -1;
    specialCaption = kSpecialCaption;
    specialEnabled = false;  // its items stay
}

void StateOptionsModel::load()
{
    PayRecord& r = ctx_.record;
    SettingsStore& s = ctx_.settings;
    Procedure proc(ctx_.errors, "frmState", "Form_Load");
    proc.topLevel();
    proc.run([&] { ctx_.state.frmLoaded = formCode(FormId::StateOptions); },
             [&] { Clear(); },
             [&] { r.intState = s.getInt16("Settings", "State", 0, 0, kStateCount - 1); },
             [&] { stateChanged(r.intState); },
             [&] { depsText[1] = s.getEntry("StateInfo", "ILINDeps", "0", limitOf(Input::SecondDeps)); },
             [&] { depsText[0] = s.getEntry("StateInfo", "staDeps", "0", limitOf(Input::StateDeps)); },
             [&] {
                 S401k = "N";
                 SPreTax = "N";
             },
             [&] { exemptionsText_ = s.getEntry("StateInfo", "staExmp", "0", limitOf(Input::StateExemptions)); },
             [&] {
                 if (!methodList()) specialText = exemptionsText_;
             },
             [&] { additional = s.getEntry("StateInfo", "staAdd", "0", limitOf(Input::StateAdd)); },
             // The spouse's part is shown again, so that closing the dialog
             // does not replace it with an empty field.
             [&] { spousePart = s.get("StateInfo", "missPart", "0"); },
             [&] { r.intSMarried = s.getInt16("StateInfo", "staMarried", 0); },
             [&] { r.StateRate = s.getInt16("StateInfo", "staRate", 0); },
             [&] { S401k = s.get("StateInfo", "sta401", "N"); },
             [&] { SPreTax = s.get("StateInfo", "staPreTax", "N"); },
             [&] {
                 chk401k = S401k != "N";
                 chkPreTax = SPreTax != "N";
             },
             [&] { showStatus(); },
             [&] { showRate(); });
}

void StateOptionsModel::activate() { showStatus(); }

void StateOptionsModel::stateChanged(int index)
{
    PayRecord& r = ctx_.record;
    const bool leavingMethodList = methodList();
    if (!leavingMethodList) exemptionsText_ = specialText;  // what was typed for the state before
    Clear();
    if (index < 0 || index >= kStateCount) return;
    cboState = index;
    r.intState = static_cast<std::int16_t>(index);
    const DialogLayout& d = shownState().dialog;

    std::copy(kStatusCaptions.begin(), kStatusCaptions.end(), statusCaption.begin());
    for (const StatusChoice& c : d.statuses) {
        statusEnabled[static_cast<std::size_t>(c.code)] = true;
        statusCaption[static_cast<std::size_t>(c.code)] = c.caption;
    }
    for (std::size_t i = 0; i < statusShown.size(); ++i)
        statusShown[i] = statusEnabled[i] || std::none_of(d.statuses.begin(), d.statuses.end(), [&](const StatusChoice& c) {
                             return c.caption == statusCaption[i];
                         });
    for (int i = 0; i < d.rates && i < kRateCount; ++i) rateEnabled[static_cast<std::size_t>(i)] = true;
    // Offered only where the calculator reads them; a value another state
    // reads stays as it is.
    const auto reads = [&](std::uint16_t option) { return (shownState().options & option) != 0; };
    depsEnabled = {reads(kOptDeps), reads(kOptILDeps)};
    additionalEnabled = reads(kOptAdd);
    deductEnabled = {reads(kOpt401k), reads(kOptPreTax)};
    specialNote = d.specialNote;
    showSpecialList(leavingMethodList);
    if (d.statusFromCalculator) r.intSMarried = r.valMarried;
    showStatus();
    showRate();
}

void StateOptionsModel::showRate()
{
    const std::int16_t rate = ctx_.record.StateRate;
    rateSelected = rate >= 0 && rate < shownState().dialog.rates && rate < kRateCount ? rate : -1;
}

void StateOptionsModel::showStatus()
{
    const StateEntry& state = shownState();
    const std::int16_t code = ctx_.record.intSMarried;
    statusSelected = -1;
    statusNote = state.dialog.statusNote;
    spouseVisible = false;
    if (state.dialog.statuses.empty()) return;
    if (!offeredStatus(state, code)) {
        statusNote = kStatusNotChosen;
        return;
    }
    statusSelected = code;
    spouseVisible = code == 8 && (state.options & kOptMissPart);
}

void StateOptionsModel::showSpecialList(bool leavingMethodList)
{
    // A county rate or Michigan's list is no exemption count for another state.
    if (leavingMethodList) {
        specialItems.clear();
        specialText = exemptionsText_;
    }
    const SpecialList* l = shownState().dialog.special;
    if (!l) return;
    specialEnabled = true;
    specialCaption = l->caption;
    if (!l->items.empty()) {
        specialItems.clear();
        for (const ListItem& item : l->items) specialItems.emplace_back(item.text);
        specialText = specialItems[std::min(l->shown, specialItems.size() - 1)];
    }
    if (l->setsMethod) showMethodItem();
}

void StateOptionsModel::showMethodItem()
{
    const SpecialList* l = shownState().dialog.special;
    if (!l || !l->setsMethod) return;
    specialItems.clear();
    specialText.clear();
    for (const ListItem& item : l->items) {
        specialItems.emplace_back(item.text);
        if (item.value == ctx_.record.Method) specialText = item.text;
    }
    if (specialText.empty()) {
        specialItems.insert(specialItems.begin(), std::string(l->placeholder));
        specialText = l->placeholder;
    }
}

void StateOptionsModel::statusClicked(int i)
{
    if (i < 0 || i >= kStatusCount) return;
    additionalCaption = kAdditionalCaption;
    ctx_.record.intSMarried = static_cast<std::int16_t>(i);
    ctx_.settings.save("StateInfo", "staMarried", std::to_string(i));
    showStatus();
}

void StateOptionsModel::rateClicked(int i)
{
    if (i < 0 || i >= kRateCount) return;
    rateSelected = i;
    if (stateAt(ctx_.record.intState).dialog.rates > 0) ctx_.record.StateRate = static_cast<std::int16_t>(i);
}

void StateOptionsModel::ratePointed(int i)
{
    const auto& notes = stateAt(ctx_.record.intState).dialog.rateNotes;
    if (i >= 0 && static_cast<std::size_t>(i) < notes.size()) explanation = notes[static_cast<std::size_t>(i)];
}

void StateOptionsModel::rateLeft() { explanation.clear(); }

void StateOptionsModel::check401kClicked(bool checked)
{
    chk401k = checked;
    S401k = checked ? "Y" : "N";
}

void StateOptionsModel::checkPreTaxClicked(bool checked)
{
    chkPreTax = checked;
    SPreTax = checked ? "Y" : "N";
}


void StateOptionsModel::specialChosen(int position)
{
    if (position < 0 || position >= static_cast<int>(specialItems.size())) return;
    specialText = specialItems[static_cast<std::size_t>(position)];
    const SpecialList* l = shownState().dialog.special;
    if (!l || !l->setsMethod) return;
    for (const ListItem& item : l->items) {
        if (item.text != specialText) continue;
        ctx_.record.Method = item.value;
        ctx_.settings.save("StateInfo", "MMethod", std::to_string(item.value));
        showMethodItem();  // the "choose" entry goes once a value is in use
        return;
    }
}

std::optional<Refusal> StateOptionsModel::accept()
{
    // Everything is read first, so that nothing is kept from a refused entry.
    if (isBlank(additional)) additional = "0";
    if (auto p = checkEntry(Input::StateAdd, additional)) return p;
    if (auto p = checkEntry(Input::MississippiPart, spousePart)) return p;
    std::int16_t exmp = 0;
    if (methodList()) {
        // A typed county rate counts as chosen; the exemption count stays.
        const auto at = std::find(specialItems.begin(), specialItems.end(), specialText);
        if (at != specialItems.end()) specialChosen(static_cast<int>(at - specialItems.begin()));
        try {
            exmp = isBlank(exemptionsText_) ? 0 : toInt16(exemptionsText_);
        } catch (const RuntimeError&) {
            exmp = 0;
        }
    } else {
        try {
            exmp = isBlank(specialText) ? 0 : toInt16(specialText);
        } catch (const RuntimeError&) {
            return Refusal{specialCaption,
                                "The " + specialCaption + " \"" + specialText +
                                    "\" is not a number. Choose one of the list or type a whole number."};
        }
        // The list's caption names the field; the range is the exemptions'.
        InputLimit limit = limitOf(Input::StateExemptions);
        limit.field = specialCaption;
        if (!textWithin(limit, specialText)) return Refusal{specialCaption, outOfRange(limit, specialText)};
    }
    PayRecord& r = ctx_.record;
    SettingsStore& s = ctx_.settings;
    r.StateDeps = toInt16(depsText[0]);
    r.ILINDeps = toInt16(depsText[1]);
    r.StateExmp = exmp;
    r.StateAdd = toCurrency(additional);
    s.save("StateInfo", "staDeps", std::to_string(r.StateDeps));
    s.save("StateInfo", "ILINDeps", std::to_string(r.ILINDeps));
    s.save("StateInfo", "staExmp", std::to_string(r.StateExmp));
    // Saved for every state, Mississippi included: what the user typed is kept.
    s.save("StateInfo", "staAdd", formatPlain(r.StateAdd));
    s.save("StateInfo", "staRate", std::to_string(r.StateRate));
    s.save("StateInfo", "missPart", isBlank(spousePart) ? std::string("0") : spousePart);
    r.intState = static_cast<std::int16_t>(cboState);
    s.save("StateInfo", "sta401", S401k);
    s.save("StateInfo", "staPreTax", SPreTax);
    // Which state they were set for: the calculator says when it is on another.
    s.save("StateInfo", "StateName", std::string(shownState().name));
    ctx_.state.frmLoaded = kNoFormCode;
    return std::nullopt;
}

}  // namespace wm
