// Every state option the state list says a calculator reads changes its
// withholding, and none it does not say so does: the state options dialog
// and wagemark-cli offer exactly these, so an option offered always has an
// effect.
#include <gtest/gtest.h>

#include <set>

#include "states/registry.h"
#include "support/harness.h"

namespace wm {
namespace {

struct StateOptions {
    std::int16_t status = 0;
    std::int16_t rate = 0;
    std::int16_t deps = 1;
    std::int16_t secondDeps = 1;
    std::int16_t exemptions = 1;
    std::int16_t method = 241;
    const char* missPart = "0";
    Currency add;
    const char* sta401 = "N";     // with a 401(k) of 10 %
    const char* staPreTax = "N";  // with a pre-tax amount of 100
};

// One weekly period of $1,000 with the options as the dialog leaves them
// on close: in the pay record and in the settings.
Currency stateTax(int state, const StateOptions& o)
{
    test::Harness h;
    h.r.HowOft = 0;
    h.r.intState = static_cast<std::int16_t>(state);
    h.in.txtIncome = "1000";
    h.in.exemptions = "1";
    h.in.txt401k = "10";
    h.in.txtPreTax = "100";
    h.r.intSMarried = o.status;
    h.r.StateRate = o.rate;
    h.r.StateDeps = o.deps;
    h.r.ILINDeps = o.secondDeps;
    h.r.StateExmp = o.exemptions;
    h.r.Method = o.method;
    h.r.StateAdd = o.add;
    for (auto [key, value] : {std::pair{"staMarried", std::to_string(o.status)}, {"staDeps", std::to_string(o.deps)},
                              {"ILINDeps", std::to_string(o.secondDeps)}, {"staExmp", std::to_string(o.exemptions)},
                              {"MMethod", std::to_string(o.method)}, {"missPart", std::string(o.missPart)},
                              {"sta401", std::string(o.sta401)}, {"staPreTax", std::string(o.staPreTax)}})
        h.settings.save("StateInfo", key, value);
    EXPECT_TRUE(h.calculate());
    return h.r.sTax;
}

// How each option is varied, from a baseline in which the state computes.
struct Variation {
    const char* name;
    StateOption bit;
    void (*set)(StateOptions& o, int k);  // the k-th value, k = 0..n-1
    int n;
};

const Variation kVariations[] = {
    {"filing status", kOptStatus, [](StateOptions& o, int k) { o.status = static_cast<std::int16_t>(k); }, 10},
    {"exemptions", kOptExemptions, [](StateOptions& o, int k) { o.exemptions = static_cast<std::int16_t>(k * 5); }, 3},
    {"dependents", kOptDeps, [](StateOptions& o, int k) { o.deps = static_cast<std::int16_t>(k * 3); }, 2},
    {"second dependents", kOptILDeps, [](StateOptions& o, int k) { o.secondDeps = static_cast<std::int16_t>(k * 3); },
     2},
    {"rate letter", kOptRate, [](StateOptions& o, int k) { o.rate = static_cast<std::int16_t>(k); }, 5},
    {"county rate", kOptMethod, [](StateOptions& o, int k) { o.method = k == 0 ? 125 : 301; }, 2},
    {"spouse's part", kOptMissPart,
     [](StateOptions& o, int k) {
         o.status = 8;  // the spouse's part counts with "Spouse IS employed"
         o.missPart = k == 0 ? "0" : "6000";
     },
     2},
    {"additional withholding", kOptAdd, [](StateOptions& o, int k) { o.add = Currency::dollars(5 * k); }, 2},
    {"401(k) off the state wages", kOpt401k, [](StateOptions& o, int k) { o.sta401 = k ? "Y" : "N"; }, 2},
    {"pre-tax off the state wages", kOptPreTax, [](StateOptions& o, int k) { o.staPreTax = k ? "Y" : "N"; }, 2},
};

TEST(StateOptionsOffered, EachHasAnEffectWhereTheListSaysAndNoneElsewhere)
{
    for (int state = 0; state < kStateCount; ++state) {
        const StateEntry& s = stateAt(state);
        StateOptions base;
        if (!s.dialog.statuses.empty()) base.status = s.dialog.statuses.front().code;
        for (const Variation& v : kVariations) {
            SCOPED_TRACE(std::string(s.name) + ", " + v.name);
            std::set<Currency> taxes;
            for (int k = 0; k < v.n; ++k) {
                StateOptions o = base;
                v.set(o, k);
                taxes.insert(stateTax(state, o));
            }
            EXPECT_EQ(taxes.size() > 1, (s.options & v.bit) != 0);
        }
    }
}

}  // namespace
}  // namespace wm
