#pragma once
// The inputs a state calculator reads, as one row of a test table: fields
// left out keep the value a fresh pay record has.

#include <cstdint>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "support/harness.h"

namespace wm::test {

struct StateInputs {
    std::int16_t HowOft = 2;  // bi-weekly
    std::int16_t Freq = -1;   // -1: from HowOft, as the Calculate command sets it
    std::int16_t valMarried = 0;
    std::int16_t DepsNumber = 0;
    std::int16_t intSMarried = 0;
    std::int16_t StateExmp = 0;
    std::int16_t StateDeps = 0;
    std::int16_t ILINDeps = 0;
    std::int16_t StateRate = 0;
    std::int16_t Method = 0;
    Currency fTax{};
    Currency amtFICA{};
    Currency amt401k{};
    Currency StateAdd{};
    bool sta401 = false;             // 401(k) also excluded from state wages
    const char* exemptions = "0";    // the main calculator's exemptions text
    const char* staExmp = nullptr;   // "StateInfo" settings, when set
    const char* staDeps = nullptr;
    const char* missPart = nullptr;

    void apply(Harness& h) const
    {
        h.r.HowOft = HowOft;
        h.r.Freq = Freq < 0 ? periodsPerYear(HowOft) : Freq;
        h.r.valMarried = valMarried;
        h.r.DepsNumber = DepsNumber;
        h.r.intSMarried = intSMarried;
        h.r.StateExmp = StateExmp;
        h.r.StateDeps = StateDeps;
        h.r.ILINDeps = ILINDeps;
        h.r.StateRate = StateRate;
        h.r.Method = Method;
        h.r.fTax = fTax;
        h.r.amtFICA = amtFICA;
        h.r.amt401k = amt401k;
        h.r.StateAdd = StateAdd;
        h.in.exemptions = exemptions;
        if (sta401) h.settings.save("StateInfo", "sta401", "Y");
        if (staExmp) h.settings.save("StateInfo", "staExmp", staExmp);
        if (staDeps) h.settings.save("StateInfo", "staDeps", staDeps);
        if (missPart) h.settings.save("StateInfo", "missPart", missPart);
    }
};

// One named row of a state calculator table: gross pay, the inputs, the
// state tax expected and, where a row checks them, the taxable amount and
// the exemption the calculator leaves.
struct StateCase {
    const char* name;
    void (*calculator)(Pass&);
    Currency gross;
    StateInputs in;
    Currency expected;
    std::optional<Currency> taxable{};
    std::optional<Currency> persExmp{};
};

// Runs the row, and again without the explanation: explaining only reports,
// so the result must be the same. No row raises a run-time error.
inline void expectStateTax(const StateCase& c)
{
    Harness h;
    c.in.apply(h);
    h.state(c.calculator, c.gross);
    EXPECT_EQ(h.r.sTax, c.expected);
    EXPECT_EQ(h.r.staxBase, c.taxable.value_or(h.r.staxBase));
    EXPECT_EQ(h.r.PersExmp, c.persExmp.value_or(h.r.PersExmp));
    EXPECT_TRUE(h.log.reports.empty());
    Harness quiet;
    quiet.pass.trace = nullptr;
    c.in.apply(quiet);
    quiet.state(c.calculator, c.gross);
    EXPECT_EQ(quiet.r.sTax, h.r.sTax);
}

}  // namespace wm::test
