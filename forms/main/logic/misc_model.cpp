#include "forms/main/logic/misc_model.h"

#include <cfenv>
#include <cmath>
#include <iterator>

namespace wm {

MiscModel::MiscModel(MainFormModel& main, Page p)
    : page(p), raisePageEnabled(p == Page::PayRaise), main_(main), ctx_(main.context())
{
    ctx_.errors.setModuleVariables("frmMisc", [] { return VarList{"Empty"}; });
}

MiscModel::~MiscModel() { ctx_.errors.clearModuleVariables("frmMisc"); }

double MiscModel::round2(double x)
{
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(x * 100.0) / 100.0;
    std::fesetround(mode);
    return r;
}

std::string MiscModel::caption() const
{
    return page == Page::LocalTax ? "Local Tax - Enter Percentage" : "Pay Raise - Enter Percent or New Rate";
}

void MiscModel::load()
{
    PayRecord& r = ctx_.record;
    SettingsStore& s = ctx_.settings;
    Procedure proc(ctx_.errors, "frmMisc", "Form_Load");
    proc.topLevel();
    proc.run([&] { ctx_.state.frmLoaded = formCode(FormId::LocalTaxRaise); },
             [&] {
                 // The current wage needs a readable income and hours other than 0;
                 // without them the raise page says what to enter.
                 currentWage.reset();
                 oldShow.clear();
                 if (isBlank(main_.txtIncome) || isBlank(main_.txtHours)) return;
                 try {
                     const double income = toDouble(main_.txtIncome);
                     hours_ = toDouble(main_.txtHours);
                     if (hours_ == 0) return;
                     currentWage = income / hours_;
                     oldShow = formatCurrency(Currency::round(*currentWage));
                 } catch (const RuntimeError&) {
                     currentWage.reset();
                 }
             },
             [&] { r.SPval = s.getFraction("Settings", "Local", 0, limitOf(Input::LocalRate)); },
             [&] { r.SPtx = s.getInt16("Settings", "ApplyTo", 0, limitOf(Input::LocalBase)); },
             [&] {
                 // No base is shown chosen until one is: a preselected item that
                 // the calculation does not use would promise a local tax.
                 const std::int16_t shown = s.getInt16("Settings", "ApplyToDisp", 0);
                 constexpr int kListed = static_cast<int>(std::size(kBases));
                 lstGrossPay = r.SPtx >= 1 && shown >= 0 && shown < kListed ? shown : -1;
             },
             // The rate as the percentage it is ("1.5"), not the fraction kept.
             [&] { rate = percentText(r.SPval); });
}

void MiscModel::unload() { ctx_.state.frmLoaded = formCode(FormId::Main); }

void MiscModel::baseClicked(int position)
{
    if (position < 0 || position >= static_cast<int>(std::size(kBases))) return;
    lstGrossPay = position;
    PayRecord& r = ctx_.record;
    r.SPtx = static_cast<std::int16_t>(position + 1);
    ctx_.settings.save("Settings", "ApplyTo", std::to_string(r.SPtx));
    ctx_.settings.save("Settings", "ApplyToDisp", std::to_string(position));
}

std::optional<Refusal> MiscModel::acceptLocalTax()
{
    PayRecord& r = ctx_.record;
    double value = 0;
    if (!isBlank(rate)) {
        if (auto p = checkEntry(Input::LocalRate, rate)) return p;
        value = percentFraction(toDouble(rate));
        if (value != 0 && lstGrossPay < 0)
            return Refusal{"Local Tax base",
                           "Select the option below that applies: what the local tax rate is applied to.",
                           Input::LocalBase};
    }
    r.SPval = value;
    main_.localRateChanged();
    ctx_.settings.save("Settings", "Local", formatPlain(r.SPval));
    return std::nullopt;
}

std::optional<Refusal> MiscModel::calculateRaise()
{
    if (!currentWage || *currentWage == 0)
        return Refusal{"Old", "Your current hourly wage is not known. Enter the Income Amount and the Hours on "
                                   "the calculator, press Calculate, then open the raise again."};
    // The pass reads the calculator's other entries too.
    if (auto p = main_.check()) return p;
    if (auto p = checkEntry(Input::RaisePercent, percent)) return p;
    if (auto p = checkEntry(Input::NewWage, newWage)) return p;

    PayRecord& r = ctx_.record;
    const double cur = *currentWage;
    runCommand([&] {
        Procedure proc(ctx_.errors, "frmMisc", "cmdExit_Click");
        proc.params([] { return VarList{"Index", "1"}; });
        Currency gross;
        proc.run(
            [&] {
                if (isBlank(percent) && isBlank(newWage)) percent = "0";
            },
            [&] { r.TaxOrigan = 1; },
            [&] {
                if (isBlank(percent) && !isBlank(newWage))
                    percent = formatPlain(round2((toDouble(newWage) - cur) / cur * 100));
            },
            // The new gross pay in whole cents: the one figure the income
            // field, the grid and the statement show, and Calculate keeps.
            // The percentage field keeps what was typed.
            [&] {
                if (!isBlank(newWage)) {
                    gross = Currency::round(round2(toDouble(newWage) * hours_));
                    return;
                }
                const Currency income = isBlank(main_.txtIncome) ? Currency() : toCurrency(main_.txtIncome);
                gross = centsRound(Currency::round(percentFraction(toDouble(percent)) * income.toDouble()) + income);
            },
            [&] {
                r.taxBase = gross;
                main_.txtIncome = formatPlain(gross);
            },
            [&] { main_.calculateRaised(); },
            [&] { newWage = formatCurrency(Currency::round(gross.toDouble() / hours_)); },
            [&] { percentSignVisible = true; });
    });
    return std::nullopt;
}

void MiscModel::closeRaise()
{
    if (!isBlank(newWage)) {
        main_.raiseCaption = newWage;
        main_.raiseColor = kDarkRed;
    }
}

}  // namespace wm
