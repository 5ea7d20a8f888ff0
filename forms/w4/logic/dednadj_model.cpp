#include "forms/w4/logic/dednadj_model.h"

#include <cmath>

namespace wm::w4 {

Currency line3(Currency itemized, Currency standardDeduction)
{
    if (itemized.isZero()) return Currency();
    const Currency rest = itemized - standardDeduction;
    return rest < Currency() ? Currency() : rest;
}

namespace {
// An amount as the "Currency" format shows it, read back.
Currency asShown(Currency c) { return toCurrency(formatCurrency(c)); }
}  // namespace

DednAdjLines linesFiveToTen(const DednAdjEntries& e, std::int16_t persWkShtDeps)
{
    DednAdjLines l;
    l.line5 = e.subTotal + e.adjustments + e.credits;
    l.result = asShown(l.line5) - e.nonWage;
    l.line7 = l.result < Currency() ? Currency() : l.result;
    const double divided = std::trunc(asShown(l.line7).toDouble() / kAllowanceDivisor.toDouble());
    if (!(divided >= -32768.0 && divided <= 32767.0)) raise(err::kOverflow);
    l.line8 = static_cast<std::int16_t>(divided);
    l.line10 = narrow16(std::int64_t{l.line8} + persWkShtDeps);
    return l;
}

DednAdjWkSht::DednAdjWkSht(WindowState& state, ErrorScheme& errors) : state_(state), errors_(errors)
{
    errors_.setModuleVariables(kName, [this] {
        return VarList{"amtItemized",    formatPlain(amtItemized),    "amtPersDed", formatPlain(amtPersDed),
                       "amtSubTotal",    formatPlain(amtSubTotal),    "amtAdjustments",
                       formatPlain(amtAdjustments),                   "amtP919",    formatPlain(amtP919),
                       "amtNonWage",     formatPlain(amtNonWage),     "amtResult",  formatPlain(amtResult),
                       "numDivided",     std::to_string(numDivided)};
    });
}

DednAdjWkSht::~DednAdjWkSht()
{
    errors_.clearModuleVariables(kName);
}

std::optional<Refusal> DednAdjWkSht::chooseCategory(int index)
{
    Read<Currency> itemized = readMoney(txtGetItemized, "1");
    if (!itemized) return itemized.refusal;
    runCommand([&] {
        Procedure p(errors_, kName, "optDedCategory_Click");
        p.params([index] { return VarList{"Index", std::to_string(index)}; });
        p.run([&] { amtItemized = itemized.value; },
              [&] {
                  if (index < 0 || index >= static_cast<int>(kDeductionCategories.size())) raise(err::kSubscript);
                  optDedCategory = index;
                  amtPersDed = kDeductionCategories[static_cast<std::size_t>(index)].amount;
                  lblGetPersDed = formatCurrency(amtPersDed);
              },
              [&] {
                  amtSubTotal = line3(amtItemized, amtPersDed);
                  lblSubTotal = formatCurrency(amtSubTotal);
              });
    });
    return std::nullopt;
}

DednAdjWkSht::CalcOutcome DednAdjWkSht::calculate()
{
    CalcOutcome out;
    if (calculationBlocked(state_.intClick, state_.PersWkShtDeps)) return out;

    // Every entry is read before anything changes.
    Read<Currency> adjustments = readMoney(txtAdjustments, "4");
    if (!adjustments) return {adjustments.refusal, false};
    Read<Currency> credits = readMoney(txtP919Wkst7, "5");
    if (!credits) return {credits.refusal, false};
    Read<Currency> nonWage = readMoney(txtNonWage, "6");
    if (!nonWage) return {nonWage.refusal, false};

    out.ran = true;
    runCommand([&] {
        Procedure p(errors_, kName, "cmdPersWrkCalc_Click");
        DednAdjLines l;
        bool computed = false;  // a skipped computation must not be shown
        p.run(
            [&] {
                amtAdjustments = adjustments.value;
                amtP919 = credits.value;
                amtNonWage = nonWage.value;
            },
            [&] {
                l = linesFiveToTen({amtSubTotal, amtAdjustments, amtP919, amtNonWage}, state_.PersWkShtDeps);
                computed = true;
            },
            [&] {
                if (!computed) return;
                amtResult = l.result;
                numDivided = l.line8;
                lblTotal5 = formatCurrency(l.line5);
                lblTotal7 = formatCurrency(l.line7);
                lblDivide = std::to_string(l.line8);
                lblTotal10 = std::to_string(l.line10);
                state_.PersWkShtDeps = l.line10;
                // Line 10 is line 5; this worksheet has no additional amount.
                handOver(state_, lblTotal10, "");
            },
            // Only "two or more" matters to the guard, so the count stops
            // at the top of its field instead of overflowing.
            [&] {
                if (state_.intClick < 32767) ++state_.intClick;
            });
    });
    return out;
}

void DednAdjWkSht::nextPage()
{
    page = 2;
    lblPersWrkShtDeps = std::to_string(state_.PersWkShtDeps);
}

void DednAdjWkSht::previousPage()
{
    state_.intClick = 1;
    page = 1;
}

}  // namespace wm::w4
