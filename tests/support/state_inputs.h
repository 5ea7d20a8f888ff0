#pragma once
// The inputs a state calculator reads, as one row of a test table: fields
// left out keep the value a fresh pay record has.

#include <cstdint>
#include <string>

#include "support/harness.h"

namespace wm::test {

struct StateInputs {
    std::int16_t HowOft = 2;  // bi-weekly
    std::int16_t valMarried = 0;
    std::int16_t DepsNumber = 0;
    std::int16_t intSMarried = 0;
    std::int16_t StateExmp = 0;
    std::int16_t StateDeps = 0;
    std::int16_t ILINDeps = 0;
    Currency fTax{};
    Currency amtFICA{};
    Currency amt401k{};
    Currency StateAdd{};
    bool sta401 = false;          // 401(k) also excluded from state wages
    const char* staDeps = nullptr;   // "StateInfo"/"staDeps" when set
    const char* missPart = nullptr;  // "StateInfo"/"missPart" when set

    // Writes the inputs into the harness; Freq follows HowOft as the
    // Calculate command sets it.
    void apply(Harness& h) const
    {
        h.r.HowOft = HowOft;
        h.r.Freq = periodsPerYear(HowOft);
        h.r.valMarried = valMarried;
        h.r.DepsNumber = DepsNumber;
        h.r.intSMarried = intSMarried;
        h.r.StateExmp = StateExmp;
        h.r.StateDeps = StateDeps;
        h.r.ILINDeps = ILINDeps;
        h.r.fTax = fTax;
        h.r.amtFICA = amtFICA;
        h.r.amt401k = amt401k;
        h.r.StateAdd = StateAdd;
        if (sta401) h.settings.save("StateInfo", "sta401", "Y");
        if (staDeps) h.settings.save("StateInfo", "staDeps", staDeps);
        if (missPart) h.settings.save("StateInfo", "missPart", missPart);
    }
};

}  // namespace wm::test
