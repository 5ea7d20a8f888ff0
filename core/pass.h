#pragma once
// The calculation pass: from one pay period's entries to the check amount.
//
// `Calculate` runs, in this order: the gross amount, the 401(k) fraction,
// `GetPreTax`, the federal wages, `ftaxBase`, `FedTax` (federal withholding,
// FICA and the state dispatch), and `LocalTaxCalc`. The pass reads the input
// texts from a `PassInput` rather than from a window, and reports what a
// window would show (the "Tax Code last modified: " caption, the eight
// result labels, a notice) through `Pass`.
//
// `calculateCommand` is what the Calculate command and a batch line do
// around the pass: the origin, periods per year, exemptions and allowance
// amount before it, the totals after it.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "record/pass_context.h"

namespace wm {

// The pass and its steps (module "frmMain").
void Calculate(Pass& p);
void GetPreTax(Pass& p);
void FedTax(Pass& p);       // core/federal.cpp
void LocalTaxCalc(Pass& p); // core/local_tax.cpp

// The Calculate command without its window work: TaxOrigan 0, Freq,
// DepsNumber from the exemptions text, amtDed, the pass, the totals. The
// raise tool runs it with origin 1: the gross pay is already in taxBase.
void calculateCommand(Pass& p, std::int16_t origin = 0);

// The input texts that read back as the amounts the record's last pass
// used (a 401(k) fraction of 1 or more was typed as a percentage): for a
// window that runs the pass again on the calculator's last calculation.
PassInput lastInput(const PayRecord& r, bool selfEmployed);

// amtDedTot and amtTotal from the four-decimal results.
void formTotals(PayRecord& r);

// The twelve rows of the result grid, in order.
struct GridRow {
    std::string_view title;
    Currency amount;
};
std::array<GridRow, 12> gridRows(const PayRecord& r);

// Why the results of a pass cannot be paid: deductions above the gross pay
// would make the check negative, which no payroll pays out. Every interface
// refuses such entries instead of showing the negative check.
std::optional<std::string> deductionsAboveGross(const PayRecord& r);

}  // namespace wm
