#pragma once
// Deductions and Adjustments Worksheet (frmDednAdj): lines 1 to 10 of the
// 2000 Form W-4 worksheet. Itemized deductions above the standard
// deduction, adjustments and credits less nonwage income become extra
// allowances (line 8), added to the Personal Allowances total H.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "forms/w4/logic/entry_model.h"
#include "forms/w4/logic/handoff_model.h"
#include "record/currency.h"
#include "app/window_state.h"
#include "record/pay_record.h"
#include "record/runtime_error.h"

namespace wm::w4 {

// Line 2: the 2000 standard deduction amounts.
struct DeductionCategory {
    std::string_view caption;
    Currency amount;
};
inline constexpr std::array<DeductionCategory, 4> kDeductionCategories{{
    {"$7,350 if married filing jointly or qualifying widow(er)", 7350_usd},
    {"$6,450 if head of household", 6450_usd},
    {"$4,400 if single", 4400_usd},
    {"$3,675 if married filing separately", 3675_usd},
}};

// Each extra allowance stands for this much of line 7.
inline constexpr Currency kAllowanceDivisor = 3000_usd;

// Line 3: line 1 less line 2, not below 0; no itemized amount gives 0.
Currency line3(Currency itemized, Currency standardDeduction);

// Lines 5 to 10 from line 3, the entries of lines 4 to 6 and the current
// PersWkShtDeps (line 10 adds to it).
struct DednAdjEntries {
    Currency subTotal;     // line 3
    Currency adjustments;  // line 4
    Currency credits;      // credits included in line 5
    Currency nonWage;      // line 6
};
struct DednAdjLines {
    Currency line5;
    Currency result;  // line 5 as shown less line 6; may be negative
    Currency line7;   // result, not below 0
    std::int16_t line8 = 0;
    std::int16_t line10 = 0;
};
// Line 7 is formed from line 5 as shown (whole cents) and line 8 from line
// 7 as shown, dropping any fraction. Raises overflow (6) when line 8 or
// line 10 does not fit a 16-bit count.
DednAdjLines linesFiveToTen(const DednAdjEntries& e, std::int16_t persWkShtDeps);

// The guard: once two calculations have run since the last page change,
// Calculate does nothing while PersWkShtDeps is positive. It keeps line 8
// from being added into the allowance count again and again.
constexpr bool calculationBlocked(std::int16_t intClick, std::int16_t persWkShtDeps)
{
    return intClick >= 2 && persWkShtDeps > 0;
}

class DednAdjWkSht {
public:
    static constexpr const char* kName = "frmDednAdj";

    DednAdjWkSht(WindowState& state, ErrorScheme& errors);
    ~DednAdjWkSht();
    DednAdjWkSht(const DednAdjWkSht&) = delete;
    DednAdjWkSht& operator=(const DednAdjWkSht&) = delete;

    // Inputs.
    std::string txtGetItemized;  // line 1
    std::string txtAdjustments;  // line 4
    std::string txtP919Wkst7;    // credits of line 5
    std::string txtNonWage;      // line 6
    std::optional<int> optDedCategory;  // chosen line-2 category

    // Outputs, as shown.
    std::string lblGetPersDed;      // line 2
    std::string lblSubTotal;        // line 3
    std::string lblTotal5;          // line 5
    std::string lblTotal7;          // line 7
    std::string lblDivide;          // line 8
    std::string lblPersWrkShtDeps;  // line 9
    std::string lblTotal10;         // line 10
    int page = 1;

    // Choosing a line-2 category: lines 2 and 3 from the current line 1. A
    // line 1 that cannot be read is refused; the category stays as it was.
    std::optional<Refusal> chooseCategory(int index);

    // Calculate: lines 5, 7, 8, 10 and PersWkShtDeps, unless the guard
    // blocks it. `ran` tells whether it changed anything.
    struct CalcOutcome {
        std::optional<Refusal> refusal;
        bool ran = false;
    };
    CalcOutcome calculate();

    void nextPage();      // line 9 shows PersWkShtDeps as it is now
    void previousPage();  // the guard starts again at 1

    // The worksheet's values.
    Currency amtItemized, amtPersDed, amtSubTotal, amtAdjustments, amtP919, amtNonWage, amtResult;
    std::int16_t numDivided = 0;

private:
    WindowState& state_;
    ErrorScheme& errors_;
};

}  // namespace wm::w4
