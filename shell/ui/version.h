#pragma once
// The program's version, from the project version of the build.

#include <QString>

namespace wm {

inline QString versionText()
{
    return QStringLiteral("Version %1.%2.%3").arg(WAGEMARK_VERSION_MAJOR).arg(WAGEMARK_VERSION_MINOR).arg(WAGEMARK_VERSION_PATCH);
}

}  // namespace wm
