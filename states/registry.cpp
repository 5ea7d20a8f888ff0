#include "states/registry.h"

#include <cctype>

#include "states/calculators.h"

namespace wm {

namespace {
// A calculator that forms its state wages through the state base; one that
// takes a share of the federal withholding (Arizona, North Dakota) reads
// only the additional amount.
constexpr std::uint16_t A = kStateBaseOptions;

// ---- What the state options dialog offers --------------------------------
constexpr StatusChoice st(std::int16_t code) { return {code, kStatusCaptions[static_cast<std::size_t>(code)]}; }

constexpr std::array<StatusChoice, 5> kAlabamaStatus = {st(1), st(2), st(3), st(4), st(5)};
constexpr std::array<StatusChoice, 4> kCaliforniaStatus = {st(0), st(3), st(8), st(9)};
// The standard deduction is 6,500 for code 0 and 3,250 for codes 1 and 2.
constexpr std::array<StatusChoice, 3> kDelawareStatus = {
    {{0, "Married Filing Jointly"}, {1, "Single"}, {2, "Married Filing Separately"}}};
constexpr std::array<StatusChoice, 3> kDcGeorgiaStatus = {st(0), st(3), st(6)};
constexpr std::array<StatusChoice, 2> kHawaiiStatus = {st(0), st(3)};
constexpr std::array<StatusChoice, 3> kHeadOfFamilyStatus = {st(0), st(3), st(9)};  // Massachusetts, North Carolina
constexpr std::array<StatusChoice, 3> kMichiganStatus = {{st(0), st(3), {9, "Claimed as Dependent by Another"}}};
constexpr std::array<StatusChoice, 4> kSpouseStatus = {st(0), st(7), st(8), st(9)};  // Mississippi, Missouri
constexpr std::array<StatusChoice, 3> kOklahomaStatus = {st(0), st(3), st(8)};

// Connecticut's withholding codes A to D.
constexpr std::array<std::string_view, 4> kConnecticutRateNotes = {
    "You are Single; or You are Married and you are filing separately; or You are married filing jointly, both you "
    "and your spouse work, and your combined income is $100,000 or less.",
    "You will file as Head of Household on your federal tax return.",
    "You are married filing jointly and your spouse is not employed.",
    "You are married filing jointly, have a working spouse, and your combined income is more than $100,500; or You "
    "have a significant nonwage income, and wish to avoid having too little tax withheld; or You are a nonresident "
    "and you have substantial other income.",
};

constexpr std::string_view kExemptionsCaption = "Additional (State) Exemptions";
constexpr std::array<ListItem, 5> kArizonaItems = {{{"10", 10}, {"20", 20}, {"22", 22}, {"28", 28}, {"32", 32}}};
constexpr std::array<ListItem, 11> kCaliforniaItems = {{{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5", 5},
                                                        {"6", 6}, {"7", 7}, {"8", 8}, {"9", 9}, {"10", 10}}};

constexpr SpecialList kArizonaList{"Select Withholding Percentage", kArizonaItems, 1};
constexpr SpecialList kCaliforniaList{"Estimated Deductions", kCaliforniaItems};
constexpr SpecialList kExemptionsList{kExemptionsCaption, {}};  // typed; the items stay
constexpr SpecialList kMarylandList{"Maryland Local Tax Rates", kMarylandCounties, 0, true, "choose your county rate"};
// Michigan's withholding has no rule for special exemptions, so none are offered.
constexpr std::string_view kMichiganNote =
    "Michigan takes no special exemptions: its withholding counts the Number of Exemptions chosen on the "
    "calculator.";

// Order is the state list's order; the index selects the calculator.
constexpr std::array<StateEntry, kStateCount> kStates = {{
    {"No State", "", nullptr, false, 0, {}},
    {"Alabama", "Alabama", &Alabama, true, A | kOptStatus | kOptDeps, {.statuses = kAlabamaStatus}},
    {"Arizona", "Arizona", &Arizona, true, kOptAdd | kOptExemptions, {.special = &kArizonaList}},
    {"Arkansas", "Arkansas", &Arkansas, true, A, {}},
    {"California", "CalifTax", &CalifTax, true, A | kOptStatus | kOptExemptions | kOptDeps,
     {.statuses = kCaliforniaStatus, .special = &kCaliforniaList}},
    {"Colorado", "Colorado", &Colorado, false, A, {}},
    {"Connecticut", "Connecticut", &Connecticut, true, A | kOptRate,
     {.rates = 4, .rateNotes = kConnecticutRateNotes, .statusFromCalculator = true}},
    {"Delaware", "Delaware", &Delaware, true, A | kOptStatus, {.statuses = kDelawareStatus}},
    {"Dist of Columbia", "DCTax", &DCTax, true, A | kOptStatus, {.statuses = kDcGeorgiaStatus}, "District of Columbia"},
    {"Georgia", "Georgia", &Georgia, true, A | kOptStatus | kOptDeps, {.statuses = kDcGeorgiaStatus}},
    {"Hawaii", "HawaiiTax", &HawaiiTax, true, A | kOptStatus | kOptDeps, {.statuses = kHawaiiStatus}},
    {"Idaho", "Idaho", &Idaho, false, A, {}},
    {"Illinois", "Illinois", &Illinois, true, A | kOptDeps | kOptILDeps, {}},
    {"Indiana", "IndianaTax", &IndianaTax, true, A | kOptDeps | kOptILDeps, {}},
    {"Iowa", "IowaTax", &IowaTax, true, A, {}},
    {"Kansas", "Kansas", &Kansas, false, A, {}},
    {"Kentucky", "Kentucky", &Kentucky, true, A, {}},
    {"Louisiana", "Louisiana", &Louisiana, true, A | kOptExemptions | kOptDeps, {.special = &kExemptionsList}},
    {"Maine", "MaineTax", &MaineTax, true, A,
     {.statusNote = "Maine follows the marital status chosen on the calculator."}},
    {"Maryland", "Maryland", &Maryland, true, A | kOptMethod, {.special = &kMarylandList}},
    {"Massachusetts", "Massachusetts", &Massachusetts, true, A | kOptStatus | kOptDeps,
     {.statuses = kHeadOfFamilyStatus}, {}, "Massachusettes"},
    {"Michigan", "MichiganTax", &MichiganTax, true, A | kOptStatus,
     {.statuses = kMichiganStatus, .specialNote = kMichiganNote}},
    {"Minnesota", "Minnesota", &Minnesota, false, A, {}},
    {"Mississippi", "Mississippi", &Mississippi, true, A | kOptStatus | kOptExemptions | kOptMissPart,
     {.statuses = kSpouseStatus, .special = &kExemptionsList}},
    {"Missouri", "Missouri", &Missouri, true, A | kOptStatus, {.statuses = kSpouseStatus}},
    {"Nebraska", "NebraskaTax", &NebraskaTax, false, A, {}},
    {"New Jersey", "NewJersey", &NewJersey, true, A | kOptRate | kOptDeps, {.rates = 5}},
    {"New Mexico", "NewMexico", &NewMexico, true, A, {}},
    {"New York", "NewYork", &NewYork, true, A, {}},
    {"North Carolina", "NCarolina", &NCarolina, true, A | kOptStatus | kOptDeps, {.statuses = kHeadOfFamilyStatus}},
    {"North Dakota", "NorthDakota", &NorthDakota, false, kOptAdd, {}},
    {"Ohio", "Ohio", &Ohio, false, A, {}},
    {"Oklahoma", "Oklahoma", &Oklahoma, true, A | kOptStatus | kOptDeps, {.statuses = kOklahomaStatus}},
    {"Oregon", "Oregon", &Oregon, false, A, {}},
    {"Pennsylvania", "Penn", &Penn, false, A, {}},
    {"Rhode Island", "RhodeIsland", &RhodeIsland, false, A, {}},
    {"South Carolina", "SCarolina", &SCarolina, false, A, {}},
    {"Utah", "Utah", &Utah, false, A, {}},
    {"Vermont", "Vermont", &Vermont, false, A, {}},
    {"Virginia", "Virginia", &Virginia, false, A, {}},
    {"West Virginia", "WestVirginia", &WestVirginia, false, A, {}},
    {"Wisconsin", "Wisconsin", &Wisconsin, false, A, {}},
}};

bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
}  // namespace

const std::array<StateEntry, kStateCount>& stateList() { return kStates; }

const StateEntry& stateAt(int index)
{
    return kStates[index > 0 && index < kStateCount ? static_cast<std::size_t>(index) : 0];
}

const StatusChoice* offeredStatus(const StateEntry& s, int code)
{
    for (const StatusChoice& c : s.dialog.statuses)
        if (c.code == code) return &c;
    return nullptr;
}

namespace {
std::string makeStatusChoiceHint(const StateEntry& s)
{
    std::string out = "Choose ";
    const auto& list = s.dialog.statuses;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out += i + 1 == list.size() ? " or " : ", ";
        out += '"';
        out += list[i].caption;
        out += '"';
    }
    return out + " in Set State Options.";
}
}  // namespace

// Made once per state: a batch gives it on every line whose status the
// state does not offer.
const std::string& statusChoiceHint(const StateEntry& s)
{
    static const std::array<std::string, kStateCount> hints = [] {
        std::array<std::string, kStateCount> h;
        for (std::size_t i = 0; i < kStates.size(); ++i) h[i] = makeStatusChoiceHint(kStates[i]);
        return h;
    }();
    const auto i = static_cast<std::size_t>(&s - kStates.data());
    return i < kStates.size() ? hints[i] : hints[0];
}

std::span<const ListItem> marylandCounties() { return kMarylandCounties; }

int findState(std::string_view s)
{
    auto named = [&](std::string_view n) { return !n.empty() && sameText(n, s); };
    for (std::size_t i = 0; i < kStates.size(); ++i)
        if (sameText(kStates[i].name, s) || named(kStates[i].procedure) || named(kStates[i].fullName) ||
            named(kStates[i].formerName))
            return static_cast<int>(i);
    return -1;
}

}  // namespace wm
