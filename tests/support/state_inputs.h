#pragma once
// The inputs a state calculator reads, as one row of a test table: fields
// left out keep the value a fresh pay record has.

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

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

// One named row of a state calculator table: gross pay, the inputs, and
// the state tax expected.
struct StateCase {
    const char* name;
    void (*calculator)(Pass&);
    Currency gross;
    StateInputs in;
    Currency expected;
};

// Runs the row, and again without the explanation: explaining only reports,
// so the result must be the same.
inline void expectStateTax(const StateCase& c)
{
    Harness h;
    c.in.apply(h);
    h.state(c.calculator, c.gross);
    EXPECT_EQ(formatFixed4(h.r.sTax), formatFixed4(c.expected));
    Harness quiet;
    quiet.pass.trace = nullptr;
    c.in.apply(quiet);
    quiet.state(c.calculator, c.gross);
    EXPECT_EQ(quiet.r.sTax, h.r.sTax);
}

}  // namespace wm::test
