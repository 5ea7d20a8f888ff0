#pragma once
// The state options dialog (frmState) without its window: which inputs the
// chosen state uses, their values, and the settings of section "StateInfo".
//
// The dialog's own state list only chooses which inputs are offered; the
// calculation always uses the calculator's state. What each state offers is
// data beside the state list (states/registry.h).

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "forms/main/logic/main_form_model.h"
#include "states/registry.h"

namespace wm {

class StateOptionsModel {
public:
    explicit StateOptionsModel(AppContext& ctx);
    ~StateOptionsModel();
    StateOptionsModel(const StateOptionsModel&) = delete;
    StateOptionsModel& operator=(const StateOptionsModel&) = delete;

    static constexpr int kStatusCount = kStatusCodeCount;
    static constexpr int kRateCount = 5;

    // ---- Inputs as the window shows them ----
    int cboState = 0;
    std::array<std::string, kStatusCount> statusCaption;  // op3Marital
    std::array<bool, kStatusCount> statusEnabled{};
    // An option the state does not offer is hidden where an offered one
    // bears its caption (Delaware's "Married Filing Separately").
    std::array<bool, kStatusCount> statusShown{};
    int statusSelected = -1;                              // -1: none
    std::string statusNote;                               // lblStatusNote: "not chosen", Maine's line
    std::array<bool, kRateCount> rateEnabled{};          // optRateSelect
    int rateSelected = -1;
    std::array<bool, 2> depsEnabled{};                   // cboDeps 0 and 1
    std::array<std::string, 2> depsText{"0", "0"};
    bool specialEnabled = false;                          // cboSpecialDeps
    std::vector<std::string> specialItems;
    std::string specialText;
    std::string specialCaption;                           // lblSpecialDeps
    std::string specialNote;                              // why a state has no special list
    bool additionalEnabled = false;                       // mskAdditional
    std::string additional = "0";
    std::string additionalCaption;
    std::array<bool, 2> deductEnabled{};                  // chkExemp 0 and 1
    bool chk401k = false;                                 // chkExemp 0
    bool chkPreTax = false;                               // chkExemp 1
    bool spouseVisible = false;                           // mskMissSpouseEmp
    std::string spousePart;
    std::string explanation;                              // lblExplain

    // Dialog variables.
    std::string S401k = "N";
    std::string SPreTax = "N";

    static constexpr std::string_view kSpecialCaption = "Additional (State) Exemptions";
    static constexpr std::string_view kAdditionalCaption = "Additional Withholding Amount (State)";
    static constexpr std::string_view kStatusNotChosen =
        "Not chosen: choose the filing status that applies to you.";
    static const std::array<std::string_view, kRateCount> kRateCaptions;

    // The saved options into the pay record as closing the dialog would set
    // them, and the local tax base: for the calculator's start. A value that
    // cannot be read is replaced by its default, and the store says which.
    static void readSaved(PayRecord& r, SettingsStore& s);
    // The state the saved options were last accepted for; -1 when unknown
    // (none accepted yet, or by a version that did not say).
    static int savedFor(SettingsStore& s);

    // ---- Commands ----
    void load();       // Form_Load
    void activate();   // Form_Activate
    void Clear();      // the state-dependent inputs off
    void stateChanged(int index);
    void statusClicked(int i);
    void rateClicked(int i);
    void ratePointed(int i);  // pointer over a rate option
    void rateLeft();          // pointer left it
    void check401kClicked(bool checked);
    void checkPreTaxClicked(bool checked);
    void specialChosen(int position);
    // cmdAccept: the entry that cannot be read stops it (nothing saved).
    std::optional<Refusal> accept();

private:
    const StateEntry& shownState() const { return stateAt(cboState); }
    bool methodList() const;
    void showStatus();      // the option in use, or "not chosen"
    void showRate();        // the rate in use, when the state offers it
    void showSpecialList(bool leavingMethodList);  // the state's list, its caption and text
    void showMethodItem();  // Maryland's county, Michigan's exemptions in use

    AppContext& ctx_;
    std::string exemptionsText_ = "0";  // "staExmp" while a Method list is shown
};

}  // namespace wm
