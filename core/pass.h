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
#include <string>
#include <string_view>
#include <utility>

#include "core/pay_record.h"
#include "core/runtime_error.h"
#include "core/settings_store.h"
#include "core/trace.h"

namespace wm {

// The texts of the main calculator's inputs, as typed.
struct PassInput {
    std::string txtIncome;
    std::string txt401k;
    std::string txtPreTax;
    std::string txtPreFICA;
    std::string exemptions = "0";  // text of the exemptions list
    bool chkSelfEmployed = false;
};

inline constexpr std::string_view kModifiedPrefix = "Tax Code last modified: ";

// Everything one pass works with. The calculators are free functions over it.
class Pass {
public:
    Pass(PayRecord& record, const PassInput& input, SettingsStore& settings, ErrorScheme& errors)
        : r(record), in(input), settings(settings), errors(errors)
    {
    }

    PayRecord& r;
    const PassInput& in;
    SettingsStore& settings;
    ErrorScheme& errors;
    Trace* trace = nullptr;  // explanation, off when null

    // What the main calculator shows after the pass.
    std::string lblModified;               // "" until a calculator sets it
    // lbl1 .. lbl8: fTax, sTax, amt401k, amtFICA, SSEmp, amtSS, amtMedicare,
    // amtLocalTax as the federal step left them, rounded to cents (halves to
    // even). Kept as amounts; the texts are made only when asked for.
    std::array<Currency, 8> resultLabelValues{};
    std::string resultLabel(std::size_t i) const { return formatPlain(resultLabelValues.at(i)); }
    std::array<std::string, 8> resultLabels() const;
    std::string notice;                    // e.g. no table for a status code

    bool tracing() const { return trace != nullptr; }

    // Clears what the last pass reported but keeps the storage, so that one
    // Pass serves pass after pass (a batch runs millions) without allocating.
    void reset();

    // Adds a line to the explanation; formats nothing when tracing is off.
    template <class... Parts>
    void explain(Currency amount, const Parts&... parts)
    {
        if (trace) trace->lines.push_back({concat(parts...), amount});
    }
    template <class... Parts>
    void note(const Parts&... parts)
    {
        if (trace) trace->lines.push_back({concat(parts...), std::nullopt});
    }

    // lblModified = "Tax Code last modified: " + date.
    void setModified(std::string_view date);
    // Records that a code has no table: "No New Mexico table applies to the
    // chosen filing status." Later steps still run on a bracket amount of 0.
    void noTable(std::string_view state, std::string_view what, std::string_view hint = {});

    // A "StateInfo" (or other) setting as text.
    std::string setting(std::string_view section, std::string_view key, std::string_view def)
    {
        return settings.get(section, key, def);
    }
};

// The pass and its steps (module "frmMain").
void Calculate(Pass& p);
void GetPreTax(Pass& p);
void FedTax(Pass& p);       // core/federal.cpp
void LocalTaxCalc(Pass& p); // core/local_tax.cpp

// The Calculate command without its window work: TaxOrigan 0, Freq,
// DepsNumber from the exemptions text, amtDed, the pass, the totals.
void calculateCommand(Pass& p);

// amtDedTot and amtTotal from the four-decimal results.
void formTotals(PayRecord& r);

// The twelve rows of the result grid, in order.
struct GridRow {
    std::string_view title;
    Currency amount;
};
std::array<GridRow, 12> gridRows(const PayRecord& r);

}  // namespace wm
