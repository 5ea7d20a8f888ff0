#include "app/window_state.h"

namespace wm {

std::string windowVariable(const WindowState& s, std::string_view name)
{
    struct Field {
        std::string_view name;
        std::string (*value)(const WindowState&);
    };
    static constexpr Field kFields[] = {
        {"PersWkShtDeps", [](const WindowState& w) { return std::to_string(w.PersWkShtDeps); }},
        {"Table", [](const WindowState& w) { return std::to_string(w.Table); }},
        {"num2Wker", [](const WindowState& w) { return std::to_string(w.num2Wker); }},
        {"DollarAmt", [](const WindowState& w) { return formatPlain(w.DollarAmt); }},
        {"W4Line5", [](const WindowState& w) { return w.W4Line5; }},
        {"W4Line6", [](const WindowState& w) { return w.W4Line6; }},
        {"intClick", [](const WindowState& w) { return std::to_string(w.intClick); }},
        {"intHours", [](const WindowState& w) { return std::to_string(w.intHours); }},
        {"amtMultiChk", [](const WindowState& w) { return formatPlain(w.amtMultiChk); }},
        {"intAction", [](const WindowState& w) { return std::to_string(w.intAction); }},
        {"FromForm", [](const WindowState& w) { return std::to_string(w.FromForm); }},
        {"frmLoaded", [](const WindowState& w) { return w.frmLoaded; }},
        {"VarLoadMDI", [](const WindowState& w) { return std::to_string(w.VarLoadMDI); }},
        {"DontShowMe", [](const WindowState& w) { return std::to_string(w.DontShowMe); }},
        {"strPicSelect", [](const WindowState& w) { return w.strPicSelect; }},
        {"intShowStateLabel", [](const WindowState& w) { return std::to_string(w.intShowStateLabel); }},
    };
    for (const Field& f : kFields)
        if (f.name == name) return f.value(s);
    return {};
}

}  // namespace wm
