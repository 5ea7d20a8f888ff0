#include "states/registry.h"

#include <cctype>

#include "states/calculators.h"

namespace wm {

namespace {
constexpr std::uint16_t A = kOptAdd;

// Order is the state list's order; the index selects the calculator.
constexpr std::array<StateEntry, kStateCount> kStates = {{
    {"No State", "", nullptr, false, 0},
    {"Alabama", "Alabama", &Alabama, true, A | kOptStatus | kOptDeps},
    {"Arizona", "Arizona", &Arizona, true, A | kOptExemptions},
    {"Arkansas", "Arkansas", &Arkansas, true, A},
    {"California", "CalifTax", &CalifTax, true, A | kOptStatus | kOptExemptions | kOptDeps},
    {"Colorado", "Colorado", &Colorado, false, A},
    {"Connecticut", "Connecticut", &Connecticut, true, A | kOptRate},
    {"Delaware", "Delaware", &Delaware, true, A | kOptStatus},
    {"Dist of Columbia", "DCTax", &DCTax, true, A | kOptStatus},
    {"Georgia", "Georgia", &Georgia, true, A | kOptStatus | kOptDeps},
    {"Hawaii", "HawaiiTax", &HawaiiTax, true, A | kOptStatus | kOptDeps},
    {"Idaho", "Idaho", &Idaho, false, A},
    {"Illinois", "Illinois", &Illinois, true, A | kOptDeps | kOptILDeps},
    {"Indiana", "IndianaTax", &IndianaTax, true, A | kOptDeps | kOptILDeps},
    {"Iowa", "IowaTax", &IowaTax, true, A},
    {"Kansas", "Kansas", &Kansas, false, A},
    {"Kentucky", "Kentucky", &Kentucky, true, A},
    {"Louisiana", "Louisiana", &Louisiana, true, A | kOptExemptions | kOptDeps},
    {"Maine", "MaineTax", &MaineTax, true, A},
    {"Maryland", "Maryland", &Maryland, true, A | kOptMethod},
    {"Massachusettes", "Massachusetts", &Massachusetts, true, A | kOptStatus | kOptDeps},
    {"Michigan", "MichiganTax", &MichiganTax, true, A | kOptStatus},
    {"Minnesota", "Minnesota", &Minnesota, false, A},
    {"Mississippi", "Mississippi", &Mississippi, true, A | kOptStatus | kOptExemptions | kOptMissPart},
    {"Missouri", "Missouri", &Missouri, false, A | kOptStatus},
    {"Nebraska", "NebraskaTax", &NebraskaTax, false, A},
    {"New Jersey", "NewJersey", &NewJersey, true, A | kOptRate | kOptDeps},
    {"New Mexico", "NewMexico", &NewMexico, true, A},
    {"New York", "NewYork", &NewYork, true, A},
    {"North Carolina", "NCarolina", &NCarolina, true, A | kOptStatus | kOptDeps},
    {"North Dakota", "NorthDakota", &NorthDakota, false, A},
    {"Ohio", "Ohio", &Ohio, false, A},
    {"Oklahoma", "Oklahoma", &Oklahoma, true, A | kOptStatus | kOptDeps},
    {"Oregon", "Oregon", &Oregon, false, A},
    {"Pennsylvania", "Penn", &Penn, false, A},
    {"Rhode Island", "RhodeIsland", &RhodeIsland, false, A},
    {"South Carolina", "SCarolina", &SCarolina, false, A},
    {"Utah", "Utah", &Utah, false, A},
    {"Vermont", "Vermont", &Vermont, false, A},
    {"Virginia", "Virginia", &Virginia, false, A},
    {"West Virginia", "WestVirginia", &WestVirginia, false, A},
    {"Wisconsin", "Wisconsin", &Wisconsin, false, A},
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

int findState(std::string_view s)
{
    for (std::size_t i = 0; i < kStates.size(); ++i)
        if (sameText(kStates[i].name, s) || (!kStates[i].procedure.empty() && sameText(kStates[i].procedure, s)))
            return static_cast<int>(i);
    if (sameText(s, "Massachusetts")) return 20;
    if (sameText(s, "District of Columbia")) return 8;
    return -1;
}

}  // namespace wm
