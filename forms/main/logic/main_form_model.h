#pragma once
// The main calculator (frmMain) without its window: the entries as typed,
// what the window shows, and the commands. The window (main_form.h) only
// copies texts in and out and runs these commands.
//
// Entries are checked before anything is calculated or saved: a field that
// cannot be read stops the Calculate command with a message naming it.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/entry.h"
#include "core/pass.h"
#include "record/input_limits.h"

namespace wm {

// Colours of the Local Tax and Raise button texts (0 black, 192 dark red).
inline constexpr int kBlack = 0;
inline constexpr int kDarkRed = 192;

class MainFormModel {
public:
    explicit MainFormModel(AppContext& ctx);
    ~MainFormModel();
    MainFormModel(const MainFormModel&) = delete;
    MainFormModel& operator=(const MainFormModel&) = delete;

    AppContext& context() { return ctx_; }

    // ---- Entries (texts as typed, list positions) ----
    std::string txtIncome;
    std::string txtHours;
    std::string txt401k;
    std::string txtPreTax;
    std::string txtPreFICA;
    int cboState = 0;        // 0 "No State" .. 41
    int cboExemptions = 0;   // the Exemptions input's range
    int lstFrequency = kDefaultFrequency;  // HowOft
    int optStatus = 0;       // 0 Married, 1 Single, 2 Married Claiming Single
    bool chkSelfEmployed = false;

    // ---- What the window shows ----
    std::vector<GridRow> grid;            // dbgDisplay, empty until Calculate
    std::string lblModified;
    std::string notice;                   // beside the grid
    std::array<std::string, 8> resultLabels;  // lbl1 .. lbl8
    std::vector<TraceLine> explanation;   // "How was this calculated?"
    bool stateHintVisible = false;        // lblStatePgInst
    // Says so when the saved state options are for another state than the
    // one chosen (they are used all the same); "" when they are not.
    std::string optionsHint;
    bool printEnabled = false;            // cmdToolBar 1 and 2
    bool raiseVisible = false;            // cmdAdditional 1
    std::string raiseCaption = "Raise";
    int raiseColor = kBlack;
    int varLocalTaxColor = kBlack;        // cmdAdditional 0's text
    int Pic = 1;                          // background picture 1..38

    static constexpr std::string_view kStateHint =
        "You have selected a state that requires additional input - please visit the \"State Page\" by "
        "clicking the \"Set State Options\" button to the left.";

    // The options hint shows where the state alert does not.
    bool optionsHintVisible() const { return !optionsHint.empty() && !stateHintVisible; }

    // ---- Commands ----
    // Form_Load: frmLoaded formCode(FormId::Main), the settings, the picture, the lists.
    void load();
    // Form_Activate: CheckState and the "PgInst" rule for the hint.
    void activate();
    // Form_Unload: frmLoaded kNoFormCode.
    void unload();

    // The entry that cannot be read, if any (nothing is changed).
    std::optional<Refusal> check() const;
    // The Calculate command. Refuses unreadable entries (returns the
    // problem; nothing calculated or saved). Returns nothing when it ran,
    // also when a run-time error ended it (the error report told the user).
    std::optional<Refusal> calculate();
    // What every command button does first: the Raise button back to
    // "Raise" in black.
    void beforeCommand();
    // Clear (cmdToolBar 3) and the shell's New: empty entries and results.
    void clear();
    // The pay record half of the shell's clear while this form is current.
    void clearResults();

    // List and option clicks (each saves its setting).
    void stateClicked(int index);
    void exemptionsClicked(int index);
    void frequencyClicked(int index);
    void statusClicked(int option);
    void selfEmployedClicked(bool checked);
    void stateHintClicked();
    // The shell's Show Label and Hide Label: the alert, unless the options
    // are set for the chosen state.
    void setStateHint(bool visible);
    // The income field got the focus: the Raise button hides.
    void incomeFocused();

    // ProperPicture and the next-picture command.
    void properPicture();
    void nextPicture();

    // An income from another tool, and the frequency chosen as a click
    // would; then Calculate, or no results when it cannot.
    void receiveIncome(const std::string& text, int howOft);

    // Whether the grid shows the results of the entries and options as they
    // are now.
    bool resultsCurrent() const;
    // Before printing: calculates again when the entries changed since the
    // last Calculate; the problem when the results still do not match.
    std::optional<Refusal> freshForPrint();
    // The Calculate command's pass on the entries and lists as they are,
    // with the gross pay already in taxBase (the raise tool): the grid and
    // the statement show the raised period, and Calculate would give the
    // same. Nothing is saved.
    void calculateRaised();

    // ---- Keep for Comparison (not saved: for this run only) ----
    // The result kept, and the entries it came from for its tip.
    struct Kept {
        std::vector<GridRow> grid;
        std::string entries;  // "Income $1,000.00, Weekly, Single, 1 exemption, No State, 401(k) 5 %"
    };
    std::optional<Kept> kept;
    // Keeps the result in the grid; false when there is none.
    bool keepForComparison();
    void clearComparison() { kept.reset(); }

    // The Local Tax button's colour after the local tax page closed: dark
    // red for any non-zero rate, as at load.
    void localRateChanged();

    // Default hours of a frequency (record/pay_frequency.h); 0 for none.
    static int defaultHours(int howOft);
    // Whether the hint shows at activation with "PgInst" 20.
    static bool hintAtActivation(int state);
    // The picture number wrapped into the range of the design.
    static int wrapPicture(int pic, std::string_view design);

private:
    // The state alert and the options hint after the state or the saved
    // options changed: no alert for options set for the chosen state.
    void followOptions();
    PassInput passInput() const;
    void runPass(const PassInput& in, std::int16_t origin);
    // The results of a pass into the window's fields (caption, notice,
    // labels, explanation), and the record's results into the grid.
    void takeResults(Pass& pass, Trace& trace);
    void showResults();
    void dropResults(const std::string& why);
    std::string inputsKey() const;

    AppContext& ctx_;
    std::string shownInputs_;  // inputsKey() of the results in the grid
};

// Reading an entry: nullopt when it reads; the problem otherwise.
std::optional<Refusal> checkAmount(std::string_view label, std::string_view text);
std::optional<Refusal> checkNumber(std::string_view label, std::string_view text);
// An entry that must read within the range of its input; the refusal names
// the field and the range.
std::optional<Refusal> checkEntry(Input input, std::string_view text);
// A kept percentage (a fraction such as 0.05, or a whole percentage) as the
// percentage to show in a field: "5". Text that is not a number stays.
std::string shownPercent(const std::string& kept);

}  // namespace wm
