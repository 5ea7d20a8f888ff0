#pragma once
// The per-user settings store on disk: one INI file per application name in
// the user's configuration folder (~/.config/Wagemark99.ini on Linux), a
// group per section. Every value is read back as exactly the text saved.
//
// The file is read once, when it is first needed, and written whole at each
// save. A file larger than `kMaxFileBytes`, or with more keys than the
// program knows of, is not the program's own any more: it is read for the
// known keys only, the rest is left out and not written back, and
// `onLeftOut` hears of it once.
//
// A save that cannot be written (read-only file or folder, a folder in the
// file's place, a full disk) leaves the file as it was, is said once per
// run through `onSaveFailed` with the reason, and keeps the value for the
// rest of the run: reads give it back and each later save tries again.

#include <QByteArray>
#include <QString>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "record/settings_store.h"

namespace wm {

// Section and key.
using SettingKeyText = std::tuple<std::string, std::string>;
using SettingValues = std::map<SettingKeyText, std::string, std::less<>>;

class QtSettingsStore : public SettingsStore {
public:
    using SettingsStore::get;
    using SettingsStore::save;

    // Larger than a settings file of this program can grow (a few
    // kilobytes), small enough to read at once.
    static constexpr qint64 kMaxFileBytes = 1 << 20;

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

private:
    struct File {
        SettingValues values;
        bool unsaved = false;  // the last save failed
    };
    // An application's file, read at the first call.
    File& file(std::string_view app);
    void read(std::string_view app, SettingValues& into);

    QString folder_;
    std::map<std::string, File, std::less<>> files_;
};

// The text of an INI file holding `values` ([section] then key=value lines)
// that QSettings reads back as exactly these texts.
QByteArray iniText(const SettingValues& values);

}  // namespace wm
