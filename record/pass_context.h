#pragma once
// What one calculation pass works on: the pay record, the input texts, the
// settings store, the error scheme and the explanation, with what a window
// shows afterwards. The pass (core/pass.h) and every state calculator take a
// `Pass&`; this header is all a calculator needs of the pass.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "record/pay_record.h"
#include "record/runtime_error.h"
#include "record/settings_store.h"
#include "record/trace.h"

namespace wm {

// The texts of the main calculator's inputs, as typed.
struct PassInput {
    std::string txtIncome;
    std::string txt401k;
    std::string txtPreTax;
    std::string txtPreFICA;
    std::string exemptions = "0";  // text of the exemptions list
    bool chkSelfEmployed = false;
    // The amounts of txtIncome, txtPreTax and txtPreFICA, the number of
    // txt401k and the count of exemptions when the caller has read them
    // already (a batch line's plain values): the pass then does not read
    // those texts again. Whoever changes a text clears its value.
    std::optional<Currency> income, preTax, preFica;
    std::optional<double> percent401k;
    std::optional<std::int16_t> allowances;
    // The 401(k) deduction itself, when the caller fixes it rather than the
    // percentage of gross pay: a bonus the 401(k) does not apply to.
    std::optional<Currency> amount401k;
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

};

}  // namespace wm
