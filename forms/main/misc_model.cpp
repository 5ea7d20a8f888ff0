#include "forms/main/misc_model.h"

#include <cfenv>
#include <cmath>

namespace wm {

namespace {
bool isBlank(std::string_view s) { return s.find_first_not_of(" \t") == std::string_view::npos; }
}  // namespace

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
    proc.run([&] { r.frmLoaded = "7"; },
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
             [&] { r.SPval = toDouble(s.get("Settings", "Local", "0")); },
             [&] { r.SPtx = toInt16(s.get("Settings", "ApplyTo", "0")); },
             [&] {
                 // No base is shown chosen until one is: a preselected item that
                 // the calculation does not use would promise a local tax.
                 const std::int16_t shown = toInt16(s.get("Settings", "ApplyToDisp", "0"));
                 lstGrossPay = r.SPtx >= 1 && r.SPtx <= 5 && shown >= 0 && shown <= 4 ? shown : -1;
             },
             [&] { rate = formatPlain(r.SPval); });
}

void MiscModel::unload() { ctx_.record.frmLoaded = "6"; }

void MiscModel::baseClicked(int position)
{
    if (position < 0 || position > 4) return;
    lstGrossPay = position;
    PayRecord& r = ctx_.record;
    r.SPtx = static_cast<std::int16_t>(position + 1);
    ctx_.settings.save("Settings", "ApplyTo", std::to_string(r.SPtx));
    ctx_.settings.save("Settings", "ApplyToDisp", std::to_string(position));
}

std::optional<FieldProblem> MiscModel::acceptLocalTax()
{
    PayRecord& r = ctx_.record;
    double value = 0;
    if (!isBlank(rate)) {
        if (auto p = checkNumber("Local Tax rate", rate)) return p;
        value = toDouble(rate);
        if (value >= 1) value = value / 100;
        if (value != 0 && lstGrossPay < 0)
            return FieldProblem{"Local Tax base",
                                "Select the option below that applies: what the local tax rate is applied to."};
    }
    r.SPval = value;
    main_.localRateChanged();
    ctx_.settings.save("Settings", "Local", formatPlain(r.SPval));
    return std::nullopt;
}

std::optional<FieldProblem> MiscModel::calculateRaise()
{
    if (!currentWage || *currentWage == 0)
        return FieldProblem{"Old", "Your current hourly wage is not known. Enter the Income Amount and the Hours on "
                                   "the calculator, press Calculate, then open the raise again."};
    // The pass reads the calculator's other entries too.
    if (auto p = main_.check()) return p;
    if (auto p = checkNumber("raise percentage", percent)) return p;
    if (auto p = checkNumber("new hourly wage", newWage)) return p;

    PayRecord& r = ctx_.record;
    const double cur = *currentWage;
    runCommand([&] {
        Procedure proc(ctx_.errors, "frmMisc", "cmdExit_Click");
        proc.params([] { return VarList{"Index", "1"}; });
        double wage = 0;
        bool byPercent = false;
        proc.run(
            [&] {
                if (isBlank(percent) && isBlank(newWage)) percent = "0";
            },
            [&] { r.TaxOrigan = 1; },
            [&] {
                if (isBlank(percent) && !isBlank(newWage))
                    percent = formatPlain(round2((toDouble(newWage) - cur) / cur * 100));
            },
            [&] {
                if (!isBlank(newWage)) {
                    wage = toDouble(newWage);
                    return;
                }
                byPercent = true;
                double f = toDouble(percent);
                if (f >= 1) {
                    f = f / 100;
                    percent = formatPlain(f);
                }
                wage = round2(cur * f + cur);
                newWage = formatPlain(wage);
                r.taxBase = Currency::round(f * r.SSBase.toDouble()) + r.SSBase;
            },
            [&] {
                main_.txtIncome = formatPlain(round2(wage * hours_));
                if (!byPercent) r.taxBase = toCurrency(main_.txtIncome);
            },
            [&] {
                PassInput in;
                in.txtIncome = main_.txtIncome;
                in.txt401k = main_.txt401k;
                in.txtPreTax = main_.txtPreTax;
                in.txtPreFICA = main_.txtPreFICA;
                in.exemptions = std::to_string(main_.cboExemptions);
                in.chkSelfEmployed = main_.chkSelfEmployed;
                Trace trace;
                Pass pass(r, in, ctx_.settings, ctx_.errors);
                pass.trace = &trace;
                Calculate(pass);
                // The calculator's grid, totals and statement show the raised period.
                formTotals(r);
                main_.takeResults(pass, trace);
                main_.showResults();
            },
            [&] { newWage = formatCurrency(Currency::round(round2(wage))); },
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
