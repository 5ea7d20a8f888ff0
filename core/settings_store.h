#pragma once
// The per-user settings store: text values by application, section and key.
//
// Wagemark keeps every entry and preference here as text (amounts as plain
// number text, codes as decimal text, flags as "Y"/"N"). There is no delete
// and no enumeration. The desktop program uses a per-user file store; batch
// lines and tests use `MemorySettingsStore`.

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace wm {

inline constexpr std::string_view kAppName = "Wagemark99";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(std::string_view app, std::string_view section, std::string_view key,
                            std::string_view def) = 0;
    virtual void save(std::string_view app, std::string_view section, std::string_view key,
                      std::string_view value) = 0;

    // The application is always "Wagemark99".
    std::string get(std::string_view section, std::string_view key, std::string_view def)
    {
        return get(kAppName, section, key, def);
    }
    void save(std::string_view section, std::string_view key, std::string_view value)
    {
        save(kAppName, section, key, value);
    }
};

// A handful of values in a flat list: a batch line fills one per line and
// the pass looks a few keys up, so a search beats a tree here.
class MemorySettingsStore final : public SettingsStore {
public:
    using SettingsStore::get;
    using SettingsStore::save;
    std::string get(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view def) override;
    void save(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value) override;
    bool contains(std::string_view section, std::string_view key) const;
    // Forgets every value (the storage is kept for the next use).
    void clear() { size_ = 0; }

private:
    struct Entry {
        std::string app, section, key, value;
    };
    const Entry* find(std::string_view app, std::string_view section, std::string_view key) const;
    std::vector<Entry> entries_;
    std::size_t size_ = 0;  // entries_ beyond this are spare
};

}  // namespace wm
