#include "qtcore/qt_settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>
#include <cctype>

#include "qtcore/qt_text.h"
#include "qtcore/whole_file.h"

namespace wm {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("QtSettingsStore", text); }

// A line longer than this holds no setting of the program.
constexpr qint64 kLongestLine = 64 * 1024;

// Every value of the INI file at `path` as QSettings reads it; a key outside
// any section is none of the program's. Returns how many keys the file has.
std::size_t readIni(const QString& path, SettingValues& into)
{
    QSettings s(path, QSettings::IniFormat);
    const QStringList keys = s.allKeys();
    for (const QString& k : keys) {
        const qsizetype slash = k.indexOf(QLatin1Char('/'));
        if (slash <= 0) continue;
        const QVariant v = s.value(k);
        // A value someone wrote by hand as a, b reads as a list; it is kept
        // as the text it was.
        const QString text =
            v.typeId() == QMetaType::QStringList ? v.toStringList().join(QStringLiteral(", ")) : v.toString();
        into.insert_or_assign(SettingKeyText(k.left(slash).toStdString(), k.mid(slash + 1).toStdString()),
                              text.toStdString());
    }
    return static_cast<std::size_t>(keys.size());
}

// The lines of the file at `path` that hold a key the program knows, under
// their section headers. Read a line at a time, so that memory stays small
// whatever the size of the file.
QByteArray knownLines(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) return {};
    QByteArray out, section;
    bool headed = false;
    while (!in.atEnd()) {
        QByteArray line = in.readLine(kLongestLine);
        if (!line.endsWith('\n') && !in.atEnd()) {
            // Longer than any setting: passed over to its end.
            while (!in.atEnd() && !in.readLine(kLongestLine).endsWith('\n')) {
            }
            continue;
        }
        line = line.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            section = line.mid(1, line.size() - 2);
            headed = false;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0 || !isKnownSetting(section.toStdString(), line.left(eq).trimmed().toStdString())) continue;
        if (!std::exchange(headed, true)) out += '[' + section + "]\n";
        out += line + '\n';
    }
    return out;
}

// The known keys of the file at `path`, whatever its size.
void readKnownOnly(const QString& path, SettingValues& into)
{
    const QByteArray lines = knownLines(path);
    QTemporaryFile copy(QDir::temp().filePath(QStringLiteral("wagemark-settings-XXXXXX.ini")));
    if (lines.isEmpty() || !copy.open() || !writeChecked(copy, lines, nullptr)) return;
    copy.close();
    readIni(copy.fileName(), into);
}

bool plainKeyChar(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == '.';
}

// A section or key as QSettings writes it: other characters as %XX or %UXXXX.
QByteArray iniKey(const std::string& name)
{
    QByteArray out;
    for (const QChar ch : qs(name)) {
        const char16_t c = ch.unicode();
        if (plainKeyChar(c))
            out += static_cast<char>(c);
        else if (c < 0x100)
            out += '%' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        else
            out += "%U" + QByteArray::number(c, 16).toUpper().rightJustified(4, '0');
    }
    return out;
}

bool plainValueChar(unsigned char c) { return std::isalnum(c) || c == '.' || c == '-' || c == '+' || c == '_'; }

// A value as QSettings reads it back exactly. Anything but a plain word or
// number is quoted, so that commas, semicolons and blanks at the ends stay
// text; backslashes, quotes and control characters are escaped (a hex digit
// after a \x escape is escaped too, or it would join it); a leading @ is
// doubled, or it would announce a typed value.
QByteArray iniValue(const std::string& value)
{
    const bool plain = std::all_of(value.begin(), value.end(), [](unsigned char c) { return plainValueChar(c); });
    if (plain) return QByteArray::fromStdString(value);
    QByteArray out = "\"";
    if (value.front() == '@') out += '@';
    bool afterHex = false;
    for (const unsigned char c : value) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || (afterHex && std::isxdigit(c))) {
            out += "\\x" + QByteArray::number(c, 16);
            afterHex = true;
            continue;
        } else {
            out += static_cast<char>(c);
        }
        afterHex = false;
    }
    return out + '"';
}

QString sizeText(qint64 bytes) { return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat); }

}  // namespace

QByteArray iniText(const SettingValues& values)
{
    QByteArray out;
    const std::string* section = nullptr;
    for (const auto& [where, value] : values) {
        const auto& [sec, key] = where;
        if (!section || *section != sec) {
            if (section) out += '\n';
            out += '[' + iniKey(sec) + "]\n";
            section = &sec;
        }
        out += iniKey(key) + '=' + iniValue(value) + '\n';
    }
    return out;
}

QString QtSettingsStore::fileName(std::string_view app) const
{
    const QString folder =
        folder_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) : folder_;
    return QDir(folder).filePath(qs(app) + ".ini");
}

std::string QtSettingsStore::location() const { return QDir::toNativeSeparators(fileName(kAppName)).toStdString(); }

QtSettingsStore::File& QtSettingsStore::file(std::string_view app)
{
    auto it = files_.find(app);
    if (it == files_.end()) {
        it = files_.emplace(std::string(app), File{}).first;
        read(app, it->second.values);
    }
    return it->second;
}

void QtSettingsStore::read(std::string_view app, SettingValues& into)
{
    const QString path = fileName(app);
    const QFileInfo info(path);
    if (!info.isFile()) return;  // none yet, or something else in its place: the first save says so
    const bool tooLarge = info.size() > kMaxFileBytes;
    const std::size_t keys = tooLarge ? 0 : readIni(path, into);
    if (!tooLarge && keys <= knownSettings().size()) return;
    QString what;
    if (tooLarge) {
        readKnownOnly(path, into);
        what = tr("It is %1 large; Wagemark's own settings take a few kilobytes, never more than %2.")
                   .arg(sizeText(info.size()), sizeText(kMaxFileBytes));
    } else {
        std::erase_if(into, [](const auto& kv) { return !isKnownSetting(std::get<0>(kv.first), std::get<1>(kv.first)); });
        what = tr("It holds %1 settings; Wagemark knows of %2.").arg(keys).arg(knownSettings().size());
    }
    what += tr(" Wagemark read the settings it knows and leaves the rest out: it is not written back.");
    leftOut(QDir::toNativeSeparators(path).toStdString(), what.toStdString());
}

std::string QtSettingsStore::get(std::string_view app, std::string_view section, std::string_view key,
                                 std::string_view def)
{
    const SettingValues& values = file(app).values;
    const auto it = values.find(std::tuple<std::string_view, std::string_view>(section, key));
    return it == values.end() ? std::string(def) : it->second;
}

void QtSettingsStore::save(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view value)
{
    File& f = file(app);
    const auto [it, added] = f.values.try_emplace(SettingKeyText(section, key), value);
    if (!added) {
        // The same text again costs no write, unless an earlier one failed.
        if (it->second == value && !f.unsaved) return;
        it->second = value;
    }
    const QString path = fileName(app);
    const QString folder = QFileInfo(path).absolutePath();
    QString why;
    f.unsaved = !QDir().mkpath(folder);
    if (f.unsaved)
        why = tr("Its folder %1 cannot be made.").arg(QDir::toNativeSeparators(folder));
    else
        f.unsaved = !saveWholeFile(path, iniText(f.values), &why);
    if (f.unsaved) saveFailed(QDir::toNativeSeparators(path).toStdString(), why.toStdString());
}

}  // namespace wm
