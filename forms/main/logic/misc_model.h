#pragma once
// The local tax and pay raise tool (frmMisc) without its window: the local
// rate and its base, and a raise by percent or new hourly wage run through
// the calculation pass.

#include <optional>
#include <iterator>
#include <string>

#include "forms/main/logic/main_form_model.h"

namespace wm {

class MiscModel {
public:
    enum class Page { LocalTax = 0, PayRaise = 1 };

    // Opened by the calculator's Local Tax button (raise page disabled) or
    // its Raise button.
    MiscModel(MainFormModel& main, Page page);
    ~MiscModel();
    MiscModel(const MiscModel&) = delete;
    MiscModel& operator=(const MiscModel&) = delete;

    // txtRaise 0, 1, 2
    std::string percent;
    std::string newWage;
    std::string rate;
    int lstGrossPay = -1;  // -1: no base chosen yet
    std::optional<double> currentWage;  // lblOldShow
    std::string oldShow;
    Page page;
    bool raisePageEnabled;
    bool percentSignVisible = true;

    static constexpr std::string_view kBases[5] = {"Gross pay only", "Gross pay less 401k",
                                                   "Gross pay less Pre-tax amount", "Gross pay less 401k and Pre-Tax",
                                                   "Gross pay less Deps Deduction"};
    // Base codes 1.. are the list positions 0..; 0 is no base.
    static_assert(std::size(kBases) == static_cast<std::size_t>(limitOf(Input::LocalBase).hi));

    std::string caption() const;
    void showPage(Page p) { page = p; }

    void load();    // Form_Load
    void unload();  // the calculator is current again

    void baseClicked(int position);
    // cmdExit 0: reads the rate; a problem keeps the dialog open.
    std::optional<Refusal> acceptLocalTax();
    // cmdExit 1.
    std::optional<Refusal> calculateRaise();
    // cmdExit 2: the new wage onto the calculator's Raise button.
    void closeRaise();
    void fieldPressed() { percentSignVisible = false; }

    // Characters the rate and wage fields take.
    static bool keyAllowed(char c) { return (c >= '0' && c <= '9') || c == '.'; }
    // Rounding to two decimals with halves to even, as the labels round.
    static double round2(double x);

private:
    MainFormModel& main_;
    AppContext& ctx_;
    double hours_ = 0;
};

}  // namespace wm
