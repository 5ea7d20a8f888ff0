#include "ui/form_registry.h"

#include <algorithm>

namespace wm {

void FormRegistry::add(FormEntry entry)
{
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const FormEntry& e) { return e.id == entry.id; });
    if (it != entries_.end())
        *it = std::move(entry);
    else
        entries_.push_back(std::move(entry));
}

const FormEntry* FormRegistry::find(FormId id) const
{
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const FormEntry& e) { return e.id == id; });
    return it == entries_.end() ? nullptr : &*it;
}

}  // namespace wm
