#include "forms/main/ui/desktop_apps.h"

#include <QStandardPaths>
#include <QStringList>

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
    const QStringList dirs =
        QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())).split(u':', Qt::SkipEmptyParts);
    if (dirs.isEmpty()) return std::nullopt;  // an empty list would mean the PATH
    for (const DesktopProgram& c : candidates) {
        const QString file = QStandardPaths::findExecutable(QString::fromStdString(c.program), dirs);
        if (file.isEmpty()) continue;
        DesktopProgram found = c;
        found.program = file.toStdString();
        return found;
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
