#pragma once
// The pay record: the calculation's inputs, intermediate amounts and results.
//
// One instance lives for the whole run, zeroed at start. The forms write
// their inputs into it, the calculation pass turns them into results, and the
// forms read the results back. Field names are the names every part of the
// program uses for them (`taxBase`, `fTax`, `intSMarried`, ...), so a field
// can be followed from the calculator to the error report's variable list.
//
// Codes:
//   HowOft     the pay frequency's code (record/pay_frequency.h)
//   Freq       its periods per year (set by the Calculate command)
//   valMarried 0 married, 1 single, 2 married withholding at the single rate
//   intState   0 "No State", 1..41 in the order of the state list
//   TaxOrigan  0 gross from the income field, 1 placed in taxBase by the raise tool
//   SPtx       local tax base 0 (none) .. 5

#include <cstdint>
#include <string>

#include "record/currency.h"
#include "record/pay_frequency.h"

namespace wm {

struct PayRecord {
    // Inputs and intermediate amounts of one calculation.
    Currency taxBase;       // gross at the start of the pass, then federal wages
    Currency SSBase;        // gross pay: base of FICA, state and local tax
    std::int16_t TaxOrigan = 0;
    double PerCent401k = 0;  // 401(k) contribution as a fraction of gross
    Currency amt401k;
    Currency PreTax;        // "Non-Taxable"
    Currency SSEmp;         // "Pre-FICA"
    std::int16_t DepsNumber = 0;
    Currency amtDed;        // allowances x allowance value
    Currency ftaxBase;      // taxBase - amtDed, may be negative
    std::int16_t HowOft = 0;
    std::int16_t Freq = 0;
    std::int16_t valMarried = 0;
    std::int16_t intState = 0;

    // Results of one calculation.
    Currency fTax;
    Currency amtFICA;
    Currency amtSS;
    Currency amtMedicare;
    Currency sTax;
    Currency amtLocalTax;
    Currency amtDedTot;
    Currency amtTotal;

    // State inputs and the state calculators' working fields.
    std::string S401k;
    std::string SPreTax;
    Currency Samt401k;
    Currency StaPreTax;
    Currency staxBase;
    Currency PersExmp;
    Currency stdDed;
    Currency DepDed;
    Currency TaxCredit;
    Currency persExmpMiss;
    std::int16_t StateExmp = 0;
    std::int16_t StateDeps = 0;
    std::int16_t ILINDeps = 0;
    std::int16_t StateRate = 0;
    std::int16_t intSMarried = 0;
    Currency StateAdd;
    std::int16_t Method = 0;

    // Local tax.
    double SPval = 0;  // rate as a fraction
    std::int16_t SPtx = 0;
};

inline constexpr int kStateCount = 42;  // "No State" and 41 calculators

// The windows' state (the worksheets', tools' and shell's fields) is kept
// beside the record, in app/window_state.h, never in it.
template <class R>
concept HoldsWindowState =
    requires(R r) { r.PersWkShtDeps; } ||
    requires(R r) { r.Table; } ||
    requires(R r) { r.num2Wker; } ||
    requires(R r) { r.DollarAmt; } ||
    requires(R r) { r.W4Line5; } ||
    requires(R r) { r.W4Line6; } ||
    requires(R r) { r.intClick; } ||
    requires(R r) { r.intHours; } ||
    requires(R r) { r.amtMultiChk; } ||
    requires(R r) { r.intAction; } ||
    requires(R r) { r.FromForm; } ||
    requires(R r) { r.frmLoaded; } ||
    requires(R r) { r.VarLoadMDI; } ||
    requires(R r) { r.DontShowMe; } ||
    requires(R r) { r.strPicSelect; } ||
    requires(R r) { r.intShowStateLabel; };
static_assert(!HoldsWindowState<PayRecord>, "window state belongs in WindowState");

}  // namespace wm
