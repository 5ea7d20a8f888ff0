#pragma once
// The desktop calculator and word processor the calculator's buttons start:
// the first installed program of a list, found on the PATH.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wm {

struct DesktopProgram {
    std::string name;                // "GNOME Calculator"
    std::string program;             // "gnome-calculator"
    std::vector<std::string> args;   // {"--writer"}
};

const std::vector<DesktopProgram>& calculatorPrograms();
const std::vector<DesktopProgram>& wordProcessorPrograms();

// The first candidate whose program is an executable file in one of the
// folders of `path` (a PATH value, folders separated by ':').
std::optional<DesktopProgram> findProgram(const std::vector<DesktopProgram>& candidates, std::string_view path);

// "gnome-calculator, kcalc, ..." for a tip that says what was looked for.
std::string programNames(const std::vector<DesktopProgram>& candidates);

}  // namespace wm
