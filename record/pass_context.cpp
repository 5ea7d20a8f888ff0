#include "record/pass_context.h"

namespace wm {

std::array<std::string, 8> Pass::resultLabels() const
{
    std::array<std::string, 8> out;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = resultLabel(i);
    return out;
}

void Pass::setModified(std::string_view date)
{
    lblModified.assign(kModifiedPrefix);
    lblModified.append(date);
}

void Pass::reset()
{
    lblModified.clear();
    notice.clear();
    resultLabelValues = {};
}

void Pass::noTable(std::string_view state, std::string_view what, std::string_view hint)
{
    notice.clear();
    appendTo(notice, "No ", state, " table applies to the chosen ", what, ".");
    if (!hint.empty()) appendTo(notice, " ", hint);
    note(notice);
}

}  // namespace wm
