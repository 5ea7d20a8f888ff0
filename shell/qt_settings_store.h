#pragma once
// The per-user settings store on disk: one INI file per application name in
// the user's configuration folder (~/.config/Wagemark99.ini on Linux), a
// group per section. Every value is read back as exactly the text saved.

#include <QString>

#include "core/settings_store.h"

namespace wm {

class QtSettingsStore final : public SettingsStore {
public:
    using SettingsStore::get;
    using SettingsStore::save;

    // The user's store.
    QtSettingsStore() = default;
    // A store kept in `folder` (tests, portable use).
    explicit QtSettingsStore(QString folder) : folder_(std::move(folder)) {}

    std::string get(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view def) override;
    void save(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value) override;

    // Where the store of an application lives.
    QString fileName(std::string_view app) const;

private:
    QString folder_;
};

}  // namespace wm
