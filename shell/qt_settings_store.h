#pragma once
// The per-user settings store on disk: one INI file per application name in
// the user's configuration folder (~/.config/Wagemark99.ini on Linux), a
// group per section. Every value is read back as exactly the text saved.
//
// A save that cannot be written (read-only file or folder, a folder in the
// file's place, a full disk) leaves the file as it was, is said once per
// run through `onSaveFailed` with the reason, and keeps the value for the
// rest of the run: reads give it back and each later save tries again.

#include <QString>
#include <map>
#include <tuple>

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
    std::string location() const override;

    // Where the store of an application lives.
    QString fileName(std::string_view app) const;

    // Why `file` cannot be written, in words ("Permission denied"), found
    // by trying as the settings file's own writer would.
    static QString whyNotWritable(const QString& file);

private:
    using Key = std::tuple<std::string, std::string, std::string>;
    using KeyView = std::tuple<std::string_view, std::string_view, std::string_view>;

    QString folder_;
    // Values whose save failed, kept for this run.
    std::map<Key, std::string, std::less<>> unsaved_;
};

}  // namespace wm
