#include "record/trace.h"

#include <cstdio>

namespace wm::detail {

void appendPart(std::string& s, std::string_view v) { s.append(v); }

void appendPart(std::string& s, Currency v) { s += formatAmount(v); }

void appendPart(std::string& s, double v) { s += formatPlain(v); }

void appendPart(std::string& s, Pct v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g %%", v.rate * 100.0);
    s += buf;
}

void appendPart(std::string& s, long long v) { s += std::to_string(v); }

}  // namespace wm::detail
