#pragma once
// Personal Allowances Worksheet (frmPersWkSht): lines A to H of the 2000
// Form W-4 worksheet. H becomes the program-wide allowance count
// `PersWkShtDeps`, which the other worksheets and the certificate read.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "forms/w4/logic/entry_model.h"
#include "forms/w4/logic/handoff_model.h"
#include "app/window_state.h"
#include "record/pay_record.h"
#include "record/runtime_error.h"

namespace wm::w4 {

// The seven lines as numbers.
struct AllowanceLines {
    bool A = false, B = false, C = false, E = false, F = false;
    double D = 0;  // dependents; a fraction is kept until the total is rounded
    std::int16_t G = 0;
};

// Line H: the lines added as numbers, then rounded half to even into a
// 16-bit count. Raises overflow (6) when the total does not fit.
std::int16_t totalH(const AllowanceLines& lines);

// Tick boxes by index, as the worksheet numbers them (F before E).
enum TickLine : int { kLineA = 0, kLineB = 1, kLineC = 2, kLineF = 3, kLineE = 4 };

class PersWkSht {
public:
    static constexpr const char* kName = "frmPersWkSht";

    // Load: every line empty, page 1. Unload discards the lines;
    // PersWkShtDeps keeps its value. (The shell keeps the current-form code.)
    PersWkSht(WindowState& state, ErrorScheme& errors);
    ~PersWkSht();
    PersWkSht(const PersWkSht&) = delete;
    PersWkSht& operator=(const PersWkSht&) = delete;

    // Inputs.
    std::array<bool, 5> chkPersWkShtA{};  // by TickLine index
    std::string txtPersWkEnterDeps;       // line D
    std::string txtChild;                 // line G

    // Outputs.
    std::string lblTotalDepsClaim;  // line H
    int page = 1;

    // Calculate (cmdPersWrkCalc): H into PersWkShtDeps and line H. An
    // entry that cannot be read is refused and nothing changes.
    std::optional<Refusal> calculate();

    // Instruction command 0, 1 or 2: Calculate, then the destination
    // (Deductions and Adjustments, Two-Earner/Two-Job, Form W-4 with H on
    // line 5). A refused entry stops the command before it opens anything.
    struct InstructionOutcome {
        std::optional<Refusal> refusal;
        Next next;
    };
    InstructionOutcome instruction(int index);

    // cmdW4Back 0: to page 2 (the Deductions and Adjustments guard counter
    // starts again at 1); cmdW4Back 1: back to page 1.
    void nextPage();
    void previousPage();

private:
    std::optional<Refusal> readEntries();
    bool calculateSteps();  // false when a report ended it early

    WindowState& state_;
    ErrorScheme& errors_;
    // The worksheet's values as the error report lists them.
    std::int16_t A_ = 0, B_ = 0, C_ = 0, E_ = 0, F_ = 0, G_ = 0;
    std::string D_;
    AllowanceLines pending_;
};

}  // namespace wm::w4
