#include "forms/main/state_options_model.h"

#include "states/registry.h"

namespace wm {

const std::array<std::string_view, StateOptionsModel::kStatusCount> StateOptionsModel::kStatusCaptions = {
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

const std::array<std::string_view, StateOptionsModel::kRateCount> StateOptionsModel::kRateCaptions = {
    "Rate A", "Rate B", "Rate C", "Rate D", "Rate E"};

namespace {

constexpr int kIllinois = 12, kIndiana = 13, kConnecticut = 6, kNewJersey = 26, kMaryland = 19, kMichigan = 21,
              kMississippi = 23;

std::vector<std::string> numbers(int from, int to)
{
    std::vector<std::string> v;
    for (int i = from; i <= to; ++i) v.push_back(std::to_string(i));
    return v;
}

bool isBlank(std::string_view s) { return s.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

StateOptionsModel::StateOptionsModel(AppContext& ctx) : ctx_(ctx)
{
    for (int i = 0; i < kStatusCount; ++i) statusCaption[static_cast<std::size_t>(i)] = kStatusCaptions[static_cast<std::size_t>(i)];
    specialCaption = kSpecialCaption;
    additionalCaption = kAdditionalCaption;
    ctx_.errors.setModuleVariables("frmState", [this] {
        PayRecord& r = ctx_.record;
        return VarList{"Index", "0", "state401kDed", chk401k ? "1" : "0", "statePreTaxDed", chkPreTax ? "1" : "0",
                       "StateRate", std::to_string(r.StateRate), "S401k", S401k, "SPreTax", SPreTax};
    });
}

StateOptionsModel::~StateOptionsModel() { ctx_.errors.clearModuleVariables("frmState"); }

std::string_view StateOptionsModel::rateExplanation(int i)
{
    switch (i) {
    case 0:
        return "You are Single; or You are Married and you are filing separately; or You are married filing "
               "jointly, both you and your spouse work, and your combined income is $100,00 or less.";
    case 1: return "You will file as Head of Household on your federal tax return.";
    case 2: return "You are married filing jointly and your spouse is not employed.";
    case 3:
        return "You are married filing jointly, have a working spouse, and your combined income is more than "
               "$100,500; or You have a significant nonwage income, and wish to avoid having too little tax "
               "withheld; or You are a nonresident and you have substantial other income.";
    default: return {};
    }
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
    proc.run([&] { r.frmLoaded = "15"; },
             [&] { Clear(); },
             [&] { r.intState = s.getInt16("Settings", "State", 0, 0, kStateCount - 1); },
             [&] { stateChanged(r.intState); },
             [&] {
                 if (r.intState == kIllinois || r.intState == kIndiana) {
                     depsEnabled = {true, true};
                     depsText[1] = s.get("StateInfo", "ILINDeps", "0");
                 }
                 if (r.intState == kMississippi) specialEnabled = true;
             },
             [&] { depsText[0] = s.get("StateInfo", "staDeps", "0"); },
             [&] { specialText = specialItems.empty() ? std::string() : specialItems.front(); },
             [&] {
                 S401k = "N";
                 SPreTax = "N";
             },
             [&] { specialText = s.get("StateInfo", "staExmp", "0"); },
             [&] { additional = s.get("StateInfo", "staAdd", "0"); },
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
             [&] {
                 if (r.intSMarried >= 0 && r.intSMarried < kStatusCount) statusClicked(r.intSMarried);
             },
             [&] {
                 if (r.StateRate >= 0 && r.StateRate < kRateCount) {
                     rateSelected = r.StateRate;
                     rateClicked(r.StateRate);
                 }
             });
}

void StateOptionsModel::activate()
{
    PayRecord& r = ctx_.record;
    if (r.intSMarried >= 0 && r.intSMarried < kStatusCount) statusClicked(r.intSMarried);
    if (depsText[1] != "0") depsEnabled[1] = true;
}

void StateOptionsModel::stateChanged(int index)
{
    PayRecord& r = ctx_.record;
    depsEnabled[0] = true;
    Clear();
    if (index < 0 || index >= kStateCount) return;
    cboState = index;
    r.intState = static_cast<std::int16_t>(index);
    if (index == kIllinois) depsEnabled[1] = true;

    auto status = [&](std::initializer_list<int> options) {
        for (int o : options) statusEnabled[static_cast<std::size_t>(o)] = true;
    };
    auto special = [&](std::vector<std::string> items, std::string_view caption, std::size_t textItem = 0) {
        specialItems = std::move(items);
        specialText = specialItems[textItem];
        specialCaption = caption;
        specialEnabled = true;
    };
    switch (index) {
    case 1:  // Alabama
    case 3:  // Arkansas
        status({1, 2, 3, 4, 5});
        break;
    case 2:  // Arizona
        depsEnabled[0] = false;
        special({"10", "20", "22", "28", "32"}, "Select Withholding Percentage", 1);
        break;
    case 4:  // California
        status({0, 3, 8, 9});
        special(numbers(0, 10), "Estimated Deductions");
        break;
    case kConnecticut:
        for (int i = 0; i < 4; ++i) rateEnabled[static_cast<std::size_t>(i)] = true;
        depsEnabled[0] = false;
        r.intSMarried = r.valMarried;
        break;
    case 8:  // District of Columbia
    case 9:  // Georgia
        status({0, 3, 6});
        break;
    case 10:  // Hawaii
    case 20:  // Massachusetts
    case 29:  // North Carolina
        status({0, 3, 9});
        break;
    case 17:  // Louisiana
        specialEnabled = true;
        break;
    case 18:  // Maine
    case 32:  // Oklahoma
        status({0, 3, 8});
        break;
    case kMaryland:
        special({"1.25", "1.75", "2.41", "2.51", "2.77", "2.82", "2.91", "3.01"}, "Maryland Local Tax Rates");
        break;
    case kMichigan:
        status({0, 3, 9});
        statusCaption[9] = kMichiganOption9;
        special(numbers(0, 5), "Special Exemptions");
        break;
    case kMississippi:
        status({0, 7, 8, 9});
        break;
    case kNewJersey:
        rateEnabled.fill(true);
        break;
    case 27:  // New Mexico
    case 28:  // New York
        depsEnabled[0] = false;
        break;
    default: break;
    }
    if (index != kIllinois) {
        depsEnabled[1] = false;
        depsText[1] = "0";
    }
}

void StateOptionsModel::statusClicked(int i)
{
    if (i < 0 || i >= kStatusCount) return;
    statusSelected = i;
    additionalCaption = kAdditionalCaption;
    spouseVisible = i == 8;
    ctx_.record.intSMarried = static_cast<std::int16_t>(i);
    ctx_.settings.save("StateInfo", "staMarried", std::to_string(i));
}

void StateOptionsModel::rateClicked(int i)
{
    if (i < 0 || i >= kRateCount) return;
    rateSelected = i;
    if (ctx_.record.intState == kConnecticut || ctx_.record.intState == kNewJersey)
        ctx_.record.StateRate = static_cast<std::int16_t>(i);
}

void StateOptionsModel::ratePointed(int i)
{
    if (ctx_.record.intState == kConnecticut) explanation = rateExplanation(i);
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

void StateOptionsModel::deps0Clicked()
{
    if (cboState == kIllinois) depsEnabled[1] = true;
}

void StateOptionsModel::specialChosen(int position)
{
    if (position < 0 || position >= static_cast<int>(specialItems.size())) return;
    specialText = specialItems[static_cast<std::size_t>(position)];
    PayRecord& r = ctx_.record;
    static constexpr std::array<std::int16_t, 8> kCounty = {125, 175, 241, 251, 277, 282, 291, 301};
    if (r.intState == kMaryland && position < 8) r.Method = kCounty[static_cast<std::size_t>(position)];
    else if (r.intState == kMichigan) r.Method = static_cast<std::int16_t>(position);
    else return;
    ctx_.settings.save("StateInfo", "MMethod", std::to_string(r.Method));
}

std::optional<FieldProblem> StateOptionsModel::accept()
{
    // Everything is read first, so that nothing is kept from a refused entry.
    if (isBlank(additional)) additional = "0";
    if (auto p = checkAmount(additionalCaption, additional)) return p;
    if (auto p = checkAmount("spouse's part of the exemption", spousePart)) return p;
    std::int16_t exmp = 0;
    try {
        exmp = isBlank(specialText) ? 0 : toInt16(specialText);
    } catch (const RuntimeError&) {
        return FieldProblem{specialCaption, "The " + specialCaption + " \"" + specialText +
                                                "\" is not a number. Choose one of the list or type a whole number."};
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
    r.frmLoaded = "0";
    return std::nullopt;
}

}  // namespace wm
