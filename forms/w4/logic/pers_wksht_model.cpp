#include "forms/w4/logic/pers_wksht_model.h"

#include <cmath>

namespace wm::w4 {

std::int16_t totalH(const AllowanceLines& l)
{
    const double sum = l.A + l.B + l.C + l.D + l.E + l.F + static_cast<double>(l.G);
    const double h = std::nearbyint(sum);
    if (!(h >= -32768.0 && h <= 32767.0)) raise(err::kOverflow);
    return static_cast<std::int16_t>(h);
}

PersWkSht::PersWkSht(WindowState& state, ErrorScheme& errors) : state_(state), errors_(errors)
{
    errors_.setModuleVariables(kName, [this] {
        return VarList{"A", std::to_string(A_), "B", std::to_string(B_), "C", std::to_string(C_),
                       "D", D_,                 "E", std::to_string(E_), "F", std::to_string(F_),
                       "G", std::to_string(G_)};
    });
}

PersWkSht::~PersWkSht()
{
    errors_.clearModuleVariables(kName);
}

bool PersWkSht::calculateSteps()
{
    Procedure p(errors_, kName, "cmdPersWrkCalc_Click");
    return p.run(
        [&] {
            A_ = chkPersWkShtA[kLineA];
            B_ = chkPersWkShtA[kLineB];
            C_ = chkPersWkShtA[kLineC];
            E_ = chkPersWkShtA[kLineE];
            F_ = chkPersWkShtA[kLineF];
        },
        [&] { G_ = pending_.G; },
        [&] { D_ = formatPlain(pending_.D); },
        [&] {
            AllowanceLines l = pending_;
            l.A = A_, l.B = B_, l.C = C_, l.E = E_, l.F = F_;
            state_.PersWkShtDeps = totalH(l);
        },
        [&] { lblTotalDepsClaim = std::to_string(state_.PersWkShtDeps); },
        // H is line 5; this worksheet has no additional amount.
        [&] { handOver(state_, lblTotalDepsClaim, ""); });
}

std::optional<Refusal> PersWkSht::readEntries()
{
    // Both entries are read before anything changes.
    Read<double> d = readCount(txtPersWkEnterDeps, "D");
    if (!d) return d.refusal;
    Read<std::int16_t> g = readWholeCount(txtChild, "G");
    if (!g) return g.refusal;
    pending_.D = d.value;
    pending_.G = g.value;
    return std::nullopt;
}

std::optional<Refusal> PersWkSht::calculate()
{
    if (auto refused = readEntries()) return refused;
    runCommand([&] { calculateSteps(); });
    return std::nullopt;
}

PersWkSht::InstructionOutcome PersWkSht::instruction(int index)
{
    InstructionOutcome out;
    out.refusal = readEntries();
    if (out.refusal) return out;

    runCommand([&] {
        Procedure p(errors_, kName, "cmdInstructions_Click");
        p.params([index] { return VarList{"Index", std::to_string(index)}; });
        p.run([&] { calculateSteps(); },
              [&] {
                  switch (index) {
                  case 0: out.next.open = FormId::DeductionsWkSht; break;
                  case 1: out.next.open = FormId::TwoEarnerWkSht; break;
                  case 2: out.next.open = FormId::W4View; break;
                  default: raise(err::kSubscript);
                  }
              });
    });
    return out;
}

void PersWkSht::nextPage()
{
    state_.intClick = 1;
    page = 2;
}

void PersWkSht::previousPage() { page = 1; }

}  // namespace wm::w4
