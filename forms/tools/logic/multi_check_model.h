#pragma once
// Multiple Check Worksheet (frmMultiCheck) without its window.
//
// Up to four checks, each with its own pay period, are turned into monthly
// equivalents; their sum `amtMultiChk` is a monthly gross pay that the
// transfer command hands to the main calculator with the monthly
// frequency.
//
// A monthly equivalent is shown in the "Currency" format and the shown text
// is what counts, so each equivalent is a whole-cent amount.
//
// The equivalent of a check follows its amount and its period: changing
// either recomputes it (and blanks the total until the next Calculate), and
// Calculate recomputes all four from what is entered, so a total on screen
// always matches the rows beside it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "record/currency.h"
#include "app/window_state.h"
#include "record/pay_record.h"
#include "record/runtime_error.h"

namespace wm {

// Column order of the worksheet: optSelectWeek, optSelectETW, optSelectTAW,
// optSelectMonthly.
enum class CheckPeriod : int { Weekly = 0, EveryTwoWeeks = 1, TwiceAMonth = 2, Monthly = 3 };
inline constexpr int kCheckPeriodCount = 4;

// The pay frequency of a column.
const PayFrequency& checkFrequency(CheckPeriod period);

inline constexpr int kCheckCount = 4;

// Monthly equivalent of one check amount, cents-rounded as the worksheet
// shows it: the amount x its periods per year / 12 (multiply first, then
// divide, in double precision; weekly x 52 / 12), monthly the amount
// itself. Raises overflow (6) for an amount beyond the money range.
Currency monthlyEquivalent(double amount, CheckPeriod period);

// The Calculated Total: currency sum of the four monthly equivalents.
Currency multiCheckTotal(const std::array<Currency, kCheckCount>& monthly);

// The name of the period choice's click handler ("optSelectWeek_Click").
std::string_view periodProcedure(CheckPeriod period);

// What the transfer command puts into the main calculator.
struct MultiCheckTransfer {
    std::string incomeText;        // txtIncome: plain number text, "4166.67"
    std::int16_t HowOft = kMonthly;
};

class MultiCheckModel {
public:
    MultiCheckModel(WindowState& state, ErrorScheme& errors);
    ~MultiCheckModel();
    MultiCheckModel(const MultiCheckModel&) = delete;
    MultiCheckModel& operator=(const MultiCheckModel&) = delete;

    // Check n is 1 to 4.
    // The amount as typed. Recomputes the equivalent quietly when a period is
    // chosen and the text reads as a number (an empty entry counts 0); text
    // that does not read yet keeps the last equivalent until the next
    // period choice or Calculate reports it.
    void setAmount(int n, std::string text);
    // A period choice (optSelect..._Click): computes the equivalent. An
    // empty amount gives 0; text that is not a number is a conversion error
    // for the error report, and the equivalent keeps its value.
    void choosePeriod(int n, CheckPeriod period);
    // cmdCalc_Click: every check again from its entry, then the sum into
    // `amtMultiChk`. False when a conversion error ended the command.
    bool calculate();
    // cmdGoBack_Click: the total as it stands after Calculate; nothing when
    // no check has an amount above 0 (the main calculator's income is then
    // left alone).
    std::optional<MultiCheckTransfer> transfer();

    const std::string& amountText(int n) const { return checks_.at(index(n)).text; }
    std::optional<CheckPeriod> period(int n) const { return checks_.at(index(n)).period; }
    // Check1 .. Check4.
    Currency monthly(int n) const { return checks_.at(index(n)).monthly; }
    // lblCheck1 .. lblCheck4 and lblMultiTotal, in the "Currency" format;
    // the total is blank while an entry changed since the last Calculate.
    std::string monthlyText(int n) const;
    std::string totalText() const;
    Currency total() const { return state_.amtMultiChk; }

private:
    struct Check {
        std::string text;
        std::optional<CheckPeriod> period;
        Currency monthly;
    };
    static std::size_t index(int n);
    void compute(std::size_t i);

    WindowState& state_;
    ErrorScheme& errors_;
    std::array<Check, kCheckCount> checks_{};
    bool calculated_ = false;
};

}  // namespace wm
