#include "shell/logic/shell_model.h"

namespace wm {

void ShellModel::load()
{
    WindowState& s = ctx_.state;
    Procedure proc(ctx_.errors, "MDIOpen", "MDIForm_Load");
    proc.topLevel();
    proc.run([&] { s.VarLoadMDI = 1; },
             [&] { s.DontShowMe = ctx_.settings.getInt16("User", "DontShow", 0); },
             [&] {
                 s.strPicSelect = ctx_.settings.getChoice("Settings", "BckGndDsgn", kPictures, {kPictures, kPatterns});
             },
             [&] {
                 const std::int16_t m = ctx_.settings.getInt16("Settings", "Animations", 0);
                 intMenuState_ = m >= 0 && m <= 3 ? static_cast<MenuAnimation>(m) : MenuAnimation::None;
             },
             [&] { s.intShowStateLabel = ctx_.settings.getInt16("Settings", "PgInst", 10); });
}

void ShellModel::unload() { ctx_.state.VarLoadMDI = 0; }

FormId ShellModel::startForm() const
{
    return ctx_.state.DontShowMe == 0 ? FormId::PersonalInfo : FormId::Main;
}

void ShellModel::setBackgroundDesign(std::string_view design)
{
    ctx_.state.strPicSelect = std::string(design);
    ctx_.settings.save("Settings", "BckGndDsgn", design);
}

void ShellModel::setMenuAnimation(MenuAnimation style)
{
    intMenuState_ = style;
    ctx_.settings.save("Settings", "Animations", std::to_string(static_cast<int>(style)));
}

void ShellModel::setStateLabel(bool show)
{
    ctx_.state.intShowStateLabel = show ? 20 : 10;
    ctx_.settings.save("Settings", "PgInst", show ? "20" : "10");
}

int ShellModel::labelTool() const
{
    switch (ctx_.state.intShowStateLabel) {
    case 20: return 1;
    case 10: return -1;
    default: return 0;
    }
}

void ShellModel::clearResults()
{
    PayRecord& r = ctx_.record;
    r.SPval = 0;
    r.SSBase = r.amt401k = r.PreTax = r.SSEmp = r.fTax = r.sTax = r.amtLocalTax = r.amtSS = r.amtMedicare =
        r.amtFICA = Currency();
}

std::string ShellModel::moduleVariablesText() const
{
    return std::to_string(static_cast<int>(intMenuState_));
}

std::string helpFilePath(std::string_view folder, std::string_view fileName)
{
    const auto first = folder.find_first_not_of(" \t");
    const auto last = folder.find_last_not_of(" \t");
    std::string dir = first == std::string_view::npos ? std::string() : std::string(folder.substr(first, last - first + 1));
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir + std::string(fileName);
}

}  // namespace wm
