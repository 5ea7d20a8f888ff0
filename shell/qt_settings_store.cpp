#include "shell/qt_settings_store.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace wm {

namespace {
QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

QString QtSettingsStore::fileName(std::string_view app) const
{
    const QString folder =
        folder_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) : folder_;
    return QDir(folder).filePath(q(app) + ".ini");
}

std::string QtSettingsStore::get(std::string_view app, std::string_view section, std::string_view key,
                                 std::string_view def)
{
    QSettings s(fileName(app), QSettings::IniFormat);
    s.beginGroup(q(section));
    const QVariant v = s.value(q(key));
    if (!v.isValid()) return std::string(def);
    // A value someone wrote by hand as a, b reads as a list; give it back as
    // the text it was.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QStringLiteral(", ")).toStdString();
    return v.toString().toStdString();
}

void QtSettingsStore::save(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view value)
{
    QSettings s(fileName(app), QSettings::IniFormat);
    s.beginGroup(q(section));
    s.setValue(q(key), q(value));
    s.endGroup();
    s.sync();
}

}  // namespace wm
