#pragma once
// Text of the core (UTF-8) as a QString.

#include <QString>
#include <string_view>

namespace wm {

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace wm
