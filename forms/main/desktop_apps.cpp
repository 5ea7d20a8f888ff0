#include "forms/main/desktop_apps.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace wm {

const std::vector<DesktopProgram>& calculatorPrograms()
{
    static const std::vector<DesktopProgram> k = {
        {"GNOME Calculator", "gnome-calculator", {}},
        {"KCalc", "kcalc", {}},
        {"Galculator", "galculator", {}},
        {"MATE Calculator", "mate-calc", {}},
        {"Qalculate!", "qalculate-gtk", {}},
        {"SpeedCrunch", "speedcrunch", {}},
        {"xcalc", "xcalc", {}},
    };
    return k;
}

const std::vector<DesktopProgram>& wordProcessorPrograms()
{
    static const std::vector<DesktopProgram> k = {
        {"LibreOffice Writer", "libreoffice", {"--writer"}},
        {"AbiWord", "abiword", {}},
        {"gedit", "gedit", {}},
        {"GNOME Text Editor", "gnome-text-editor", {}},
        {"Mousepad", "mousepad", {}},
        {"Kate", "kate", {}},
        {"KWrite", "kwrite", {}},
        {"Xed", "xed", {}},
        {"Pluma", "pluma", {}},
        {"FeatherPad", "featherpad", {}},
    };
    return k;
}

std::optional<DesktopProgram> findProgram(const std::vector<DesktopProgram>& candidates, std::string_view path)
{
    std::vector<std::string> dirs;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        if (end > start) dirs.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    for (const DesktopProgram& c : candidates) {
        for (const std::string& d : dirs) {
            const std::filesystem::path file = std::filesystem::path(d) / c.program;
            std::error_code ec;
            if (std::filesystem::is_regular_file(file, ec) && ::access(file.c_str(), X_OK) == 0) {
                DesktopProgram found = c;
                found.program = file.string();
                return found;
            }
        }
    }
    return std::nullopt;
}

std::string programNames(const std::vector<DesktopProgram>& candidates)
{
    std::string out;
    for (const DesktopProgram& c : candidates) {
        if (!out.empty()) out += ", ";
        out += c.program;
    }
    return out;
}

}  // namespace wm
