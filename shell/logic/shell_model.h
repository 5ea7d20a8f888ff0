#pragma once
// What the main window decides, without the window: the display
// preferences it keeps, which form starts, the "Nothing to Work With!" rule,
// the clear of the main calculator's results and the day's background.

#include <string>
#include <string_view>

#include "app/app_context.h"

namespace wm {

inline constexpr std::string_view kPictures = "Pictures";
inline constexpr std::string_view kPatterns = "Patterns";

// List bar animation styles (`intMenuState`).
enum class MenuAnimation { None = 0, Random = 1, Unfold = 2, Slide = 3 };

class ShellModel {
public:
    explicit ShellModel(AppContext& ctx) : ctx_(ctx) {}

    // Main window load: VarLoadMDI = 1; "DontShow", "BckGndDsgn",
    // "Animations" and "PgInst" into the pay record and intMenuState.
    void load();
    // Main window unload: VarLoadMDI = 0.
    void unload();

    // The form shown after start-up: personal information until the user
    // clears its show-at-start box, then the main calculator.
    FormId startForm() const;

    // Preference tools. Each saves its setting.
    void setBackgroundDesign(std::string_view design);  // kPictures / kPatterns
    void setMenuAnimation(MenuAnimation style);
    void setStateLabel(bool show);  // PgInst 20 / 10

    MenuAnimation menuAnimation() const { return intMenuState_; }
    // Which label tool mirrors "PgInst": +1 show, -1 hide, 0 neither.
    int labelTool() const;
    bool patterns() const { return ctx_.state.strPicSelect == kPatterns; }

    // "Analyze Pay": only once something was calculated.
    bool canAnalyze() const { return !ctx_.record.SSBase.isZero(); }
    static constexpr std::string_view kNothingTitle = "Nothing to Work With!";
    static constexpr std::string_view kNothingText = "You have to make some calculations for me to analyze!";

    // New: clears the main calculator only while it is the current form.
    bool newClearsMain() const { return ctx_.state.frmLoaded == formCode(FormId::Main); }
    // The pay-record half of proClear: the results and the local rate.
    void clearResults();

    // Even or odd background of the main window by the last digit of the day
    // of the month.
    static bool evenDay(int dayOfMonth) { return dayOfMonth % 10 % 2 == 0; }

    std::string moduleVariablesText() const;

private:
    AppContext& ctx_;
    MenuAnimation intMenuState_ = MenuAnimation::None;
};

// SetAppHelp's path rule: the folder, trimmed, plus the help file's name,
// with one separator between them.
std::string helpFilePath(std::string_view folder, std::string_view fileName = "Wagemark.html");

}  // namespace wm
