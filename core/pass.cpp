#include "core/pass.h"

#include "core/federal.h"

namespace wm {

std::array<std::string, 8> Pass::resultLabels() const
{
    std::array<std::string, 8> out;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = resultLabel(i);
    return out;
}

void Pass::setModified(std::string_view date)
{
    lblModified.assign(kModifiedPrefix);
    lblModified.append(date);
}

void Pass::reset()
{
    lblModified.clear();
    notice.clear();
    resultLabelValues = {};
}

void Pass::noTable(std::string_view state, std::string_view what, std::string_view hint)
{
    notice.clear();
    appendTo(notice, "No ", state, " table applies to the chosen ", what, ".");
    if (!hint.empty()) appendTo(notice, " ", hint);
    note(notice);
}

namespace {
bool isBlankText(std::string_view s) { return s.find_first_not_of(" \t") == std::string_view::npos; }
}  // namespace

void GetPreTax(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "GetPreTax");
    proc.run([&] { r.SSEmp = isBlankText(p.in.txtPreFICA) ? Currency() : toCurrency(p.in.txtPreFICA); },
             [&] { r.PreTax = isBlankText(p.in.txtPreTax) ? Currency() : toCurrency(p.in.txtPreTax); },
             [&] {
                 r.amt401k = Currency::round(r.taxBase.toDouble() * r.PerCent401k);
                 if (r.amt401k != Currency())
                     p.explain(r.amt401k, "401(k) ", Pct{r.PerCent401k}, " of gross pay");
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
                r.taxBase = isBlankText(p.in.txtIncome) ? Currency() : toCurrency(p.in.txtIncome);
        },
        [&] {
            if (r.TaxOrigan == 0 || r.TaxOrigan == 1) r.SSBase = r.taxBase;
            p.explain(r.SSBase, "Gross pay");
        },
        [&] { r.PerCent401k = isBlankText(p.in.txt401k) ? 0.0 : toDouble(p.in.txt401k); },
        // 5 and 0.05 both mean 5 %; 1 means 1 %.
        [&] {
            if (r.PerCent401k >= 1) r.PerCent401k = r.PerCent401k / 100;
        },
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

void formTotals(PayRecord& r)
{
    const Currency deductions = r.amt401k + r.amtFICA + r.fTax + r.sTax + r.amtLocalTax + r.PreTax;
    r.amtDedTot = deductions;
    r.amtTotal = r.SSBase - deductions;
}

void calculateCommand(Pass& p)
{
    PayRecord& r = p.r;
    Procedure proc(p.errors, "frmMain", "cmdToolBar_Click");
    proc.params([] { return VarList{"Index", "0"}; });
    proc.run([&] { r.TaxOrigan = 0; },
             [&] {
                 if (const std::int16_t f = periodsPerYear(r.HowOft)) r.Freq = f;
             },
             [&] { r.DepsNumber = toInt16(p.in.exemptions); },
             [&] {
                 r.amtDed = allowanceAmount(r.DepsNumber, r.HowOft);
                 if (r.HowOft >= 0 && r.HowOft <= 3)
                     p.explain(r.amtDed, "Withholding allowances ", r.DepsNumber, " x ",
                               kAllowanceValue[static_cast<std::size_t>(r.HowOft)]);
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

}  // namespace wm
