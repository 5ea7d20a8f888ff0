#include "core/settings_store.h"

namespace wm {

std::string MemorySettingsStore::get(std::string_view app, std::string_view section,
                                     std::string_view key, std::string_view def)
{
    auto it = values_.find(KeyView(app, section, key));
    return it == values_.end() ? std::string(def) : it->second;
}

void MemorySettingsStore::save(std::string_view app, std::string_view section,
                               std::string_view key, std::string_view value)
{
    values_[Key(app, section, key)] = std::string(value);
}

bool MemorySettingsStore::contains(std::string_view section, std::string_view key) const
{
    return values_.find(KeyView(kAppName, section, key)) != values_.end();
}

}  // namespace wm
