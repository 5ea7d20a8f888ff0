// One full calculation (the Calculate command: federal, FICA, the state, the
// local tax and the totals) for every state that has a calculator.
#include <benchmark/benchmark.h>

#include "core/pass.h"
#include "states/registry.h"

namespace wm {
namespace {

class QuietReport final : public BasicErrorReport {
public:
    int reportError() override { return 3; }
};

void fullPass(benchmark::State& st)
{
    const auto index = static_cast<std::int16_t>(st.range(0));
    PayRecord r;
    PassInput in;
    in.txtIncome = "1,250.00";
    in.txt401k = "5";
    in.txtPreTax = "40";
    in.exemptions = "2";
    MemorySettingsStore settings;
    settings.save("StateInfo", "sta401", "Y");
    settings.save("StateInfo", "staDeps", "1");
    ErrorScheme errors(r, [] { return std::make_unique<QuietReport>(); });
    r.HowOft = 2;
    r.intState = index;
    r.intSMarried = 3;
    r.StateDeps = 1;
    r.StateExmp = 1;
    r.SPtx = 1;
    r.SPval = 0.01;
    // One Pass serves every iteration, as in a batch.
    Pass p(r, in, settings, errors);
    for (auto _ : st) {
        p.reset();
        calculateCommand(p);
        benchmark::DoNotOptimize(r.amtTotal);
    }
    st.SetLabel(std::string(stateList()[static_cast<std::size_t>(index)].name));
}

void registerStates()
{
    for (std::size_t i = 0; i < stateList().size(); ++i)
        if (i == 0 || stateList()[i].calculate)
            benchmark::RegisterBenchmark("FullPass", fullPass)->Arg(static_cast<int64_t>(i));
}

const int registered = (registerStates(), 0);

}  // namespace
}  // namespace wm
