#include "core/pass.h"

#include <utility>
#include <vector>

#include "core/federal.h"
#include "record/input_limits.h"

namespace wm {

namespace {
// An entry's amount: as the caller read it, else from its text (blank is 0).
Currency amountOf(const std::optional<Currency>& read, const std::string& text)
{
    if (read) return *read;
    return isBlank(text) ? Currency() : toCurrency(text);
}
}  // namespace

void GetPreTax(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "GetPreTax");
    proc.run([&] { r.SSEmp = amountOf(p.in.preFica, p.in.txtPreFICA); },
             [&] { r.PreTax = amountOf(p.in.preTax, p.in.txtPreTax); },
             [&] {
                 if (p.in.amount401k) {
                     r.amt401k = *p.in.amount401k;
                     p.explain(r.amt401k, "401(k) as fixed for this paycheck");
                 } else {
                     r.amt401k = Currency::round(r.taxBase.toDouble() * r.PerCent401k);
                     if (r.amt401k != Currency())
                         p.explain(r.amt401k, "401(k) ", Pct{r.PerCent401k}, " of gross pay");
                 }
                 if (r.PreTax != Currency()) p.explain(r.PreTax, "Pre-tax (non-taxable) amount");
                 if (r.SSEmp != Currency()) p.explain(r.SSEmp, "Pre-FICA amount");
             });
}

void Calculate(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "Calculate");
    proc.run(
        [&] {
            if (r.TaxOrigan == 0)
                r.taxBase = amountOf(p.in.income, p.in.txtIncome);
        },
        [&] {
            if (r.TaxOrigan == 0 || r.TaxOrigan == 1) r.SSBase = r.taxBase;
            p.explain(r.SSBase, "Gross pay");
        },
        [&] {
            if (p.in.percent401k)
                r.PerCent401k = *p.in.percent401k;
            else
                r.PerCent401k = isBlank(p.in.txt401k) ? 0.0 : toDouble(p.in.txt401k);
        },
        // 5 and 0.05 both mean 5 %; 1 means 1 %.
        [&] { r.PerCent401k = percentFraction(r.PerCent401k); },
        [&] { GetPreTax(p); },
        [&] { r.taxBase = r.taxBase - (r.amt401k + r.PreTax); },
        [&] {
            if (r.taxBase < Currency()) r.taxBase = Currency();
            p.explain(r.taxBase, "Federal wages (gross less 401(k) and pre-tax, not below 0)");
        },
        [&] {
            r.ftaxBase = r.taxBase - r.amtDed;
            p.explain(r.ftaxBase, "Federal taxable wages after allowances");
        },
        [&] { FedTax(p); },
        [&] { LocalTaxCalc(p); });
}

PassInput lastInput(const PayRecord& r, bool selfEmployed)
{
    PassInput in;
    in.txtIncome = formatPlain(r.SSBase);
    in.txt401k = formatPlain(r.PerCent401k >= 1 ? r.PerCent401k * 100 : r.PerCent401k);
    in.txtPreTax = formatPlain(r.PreTax);
    in.txtPreFICA = formatPlain(r.SSEmp);
    in.exemptions = std::to_string(r.DepsNumber);
    in.chkSelfEmployed = selfEmployed;
    return in;
}

void formTotals(PayRecord& r)
{
    const Currency deductions = r.amt401k + r.amtFICA + r.fTax + r.sTax + r.amtLocalTax + r.PreTax;
    r.amtDedTot = deductions;
    r.amtTotal = r.SSBase - deductions;
}

void calculateCommand(Pass& p, std::int16_t origin)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "cmdToolBar_Click");
    proc.params([] { return VarList{"Index", "0"}; });
    proc.run([&] { r.TaxOrigan = origin; },
             [&] {
                 if (const std::int16_t f = periodsPerYear(r.HowOft)) r.Freq = f;
             },
             [&] { r.DepsNumber = p.in.allowances ? *p.in.allowances : toInt16(p.in.exemptions); },
             [&] {
                 r.amtDed = allowanceAmount(r.DepsNumber, r.HowOft);
                 if (const PayFrequency* f = payFrequency(r.HowOft))
                     p.explain(r.amtDed, "Withholding allowances ", r.DepsNumber, " x ", f->allowanceValue);
             },
             [&] { Calculate(p); },
             [&] {
                 formTotals(r);
                 p.explain(r.amtDedTot, "Total deductions");
                 p.explain(r.amtTotal, "Check amount");
             });
}

std::array<GridRow, 12> gridRows(const PayRecord& r)
{
    return {{{"Gross Pay", r.SSBase},
             {"401k Deduction", r.amt401k},
             {"Non-Taxable", r.PreTax},
             {"Pre-FICA", r.SSEmp},
             {"Federal Tax", r.fTax},
             {"State Tax", r.sTax},
             {"Local Tax", r.amtLocalTax},
             {"FICA", r.amtFICA},
             {"Social Security", r.amtSS},
             {"Medicare", r.amtMedicare},
             {"Total Ded", r.amtDedTot},
             {"Check Amt", r.amtTotal}}};
}

std::optional<std::string> deductionsAboveGross(const PayRecord& r)
{
    if (r.amtTotal >= Currency()) return std::nullopt;
    // The amounts the user chose, which can take the check below zero; the
    // taxes follow from them.
    const std::pair<const char*, Currency> chosen[] = {
        {"the additional state withholding", r.intState > 0 ? r.StateAdd : Currency()},
        {"the local tax", r.amtLocalTax},
        {"the 401(k)", r.amt401k},
        {"the pre-tax amount", r.PreTax},
    };
    std::vector<std::string> named;
    for (const auto& [what, amount] : chosen)
        if (amount > Currency()) named.push_back(std::string(what) + " (" + formatCurrency(amount) + ")");
    std::string remedy;
    for (std::size_t i = 0; i < named.size(); ++i)
        remedy += (i == 0 ? "" : i + 1 == named.size() ? " or " : ", ") + named[i];
    return "The deductions (" + formatCurrency(r.amtDedTot) + ") are more than the gross pay (" +
           formatCurrency(r.SSBase) + ")" + (remedy.empty() ? "." : ": lower " + remedy + ".");
}

}  // namespace wm
