#pragma once
// What the main window asks of the main calculator form, whichever library
// builds it: clear it (New), redraw its background after a design change,
// show or hide its state options hint, take an income from another tool.

#include <string>

namespace wm {

class MainCalculatorHooks {
public:
    virtual ~MainCalculatorHooks() = default;
    // proClear: empty inputs, grid and results; print commands disabled.
    virtual void proClear() = 0;
    // ProperPicture after the background design changed.
    virtual void properPicture() = 0;
    // The "Show Label" / "Hide Label" tools.
    virtual void setStateHintVisible(bool visible) = 0;
    // Income text into the income field, frequency selected as a click would
    // (-1 leaves it).
    virtual void receiveIncome(const std::string& incomeText, int howOft) = 0;
    // An exemptions count chosen as a click would (the calculator's list), then Calculate.
    virtual void calculateWithExemptions(int count) { (void)count; }
    // A state chosen as a click would (the calculator's list), then Calculate.
    virtual void calculateInState(int state) { (void)state; }
    // Keep for Comparison (true) and Clear Comparison (false).
    virtual void keepForComparison(bool keep) { (void)keep; }
};

}  // namespace wm
