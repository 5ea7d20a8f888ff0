#include "core/settings_store.h"

namespace wm {

const MemorySettingsStore::Entry* MemorySettingsStore::find(std::string_view app, std::string_view section,
                                                            std::string_view key) const
{
    for (std::size_t i = 0; i < size_; ++i) {
        const Entry& e = entries_[i];
        if (e.key == key && e.section == section && e.app == app) return &e;
    }
    return nullptr;
}

std::string MemorySettingsStore::get(std::string_view app, std::string_view section,
                                     std::string_view key, std::string_view def)
{
    const Entry* e = find(app, section, key);
    return e ? e->value : std::string(def);
}

void MemorySettingsStore::save(std::string_view app, std::string_view section,
                               std::string_view key, std::string_view value)
{
    if (const Entry* found = find(app, section, key)) {
        const_cast<Entry*>(found)->value = value;
        return;
    }
    if (size_ == entries_.size()) entries_.emplace_back();
    Entry& e = entries_[size_++];
    e.app = app;
    e.section = section;
    e.key = key;
    e.value = value;
}

bool MemorySettingsStore::contains(std::string_view section, std::string_view key) const
{
    return find(kAppName, section, key) != nullptr;
}

}  // namespace wm
