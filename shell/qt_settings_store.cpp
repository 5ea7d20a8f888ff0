#include "shell/qt_settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include "ui/qt_text.h"

namespace wm {

namespace {
QString tr(const char* text) { return QCoreApplication::translate("QtSettingsStore", text); }
}  // namespace

QString QtSettingsStore::fileName(std::string_view app) const
{
    const QString folder =
        folder_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) : folder_;
    return QDir(folder).filePath(qs(app) + ".ini");
}

std::string QtSettingsStore::location() const { return QDir::toNativeSeparators(fileName(kAppName)).toStdString(); }

std::string QtSettingsStore::get(std::string_view app, std::string_view section, std::string_view key,
                                 std::string_view def)
{
    auto kept = unsaved_.find(KeyView(app, section, key));
    if (kept != unsaved_.end()) return kept->second;
    QSettings s(fileName(app), QSettings::IniFormat);
    s.beginGroup(qs(section));
    const QVariant v = s.value(qs(key));
    if (!v.isValid()) return std::string(def);
    // A value someone wrote by hand as a, b reads as a list; give it back as
    // the text it was.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QStringLiteral(", ")).toStdString();
    return v.toString().toStdString();
}

void QtSettingsStore::save(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view value)
{
    unsaved_[Key(app, section, key)] = std::string(value);
    const QString file = fileName(app);
    QSettings s(file, QSettings::IniFormat);
    // What earlier saves could not write goes along with this one.
    for (const auto& [k, v] : unsaved_)
        if (std::get<0>(k) == app) s.setValue(qs(std::get<1>(k)) + '/' + qs(std::get<2>(k)), qs(v));
    s.sync();
    if (s.status() != QSettings::AccessError) {
        std::erase_if(unsaved_, [app](const auto& kv) { return std::get<0>(kv.first) == app; });
        return;
    }
    saveFailed(QDir::toNativeSeparators(file).toStdString(), whyNotWritable(file).toStdString());
}

QString QtSettingsStore::whyNotWritable(const QString& file)
{
    const QFileInfo info(file);
    if (info.isDir()) return tr("A folder of that name is in its place.");
    if (!QDir().mkpath(info.absolutePath()))
        return tr("Its folder %1 cannot be made.").arg(QDir::toNativeSeparators(info.absolutePath()));
    // The file is written as a new copy beside it that then takes its place.
    QSaveFile probe(file);
    if (!probe.open(QIODevice::WriteOnly)) return probe.errorString() + '.';
    const QByteArray filler(info.size() + 4096, '\n');
    const bool written = probe.write(filler) == filler.size() && probe.flush();
    const QString why = probe.errorString();
    probe.cancelWriting();
    if (!written) return why + '.';
    return tr("The file could not be written.");
}

}  // namespace wm
