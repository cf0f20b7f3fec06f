#include "platform/qt/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace vantle {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A value name is one INI key at the top level: "/" and "\" would make QSettings open groups.
bool validValueName(std::string_view name) {
    return !name.empty() && name.find_first_of("/\\") == std::string_view::npos;
}

} // namespace

QString settingsBaseFolder() {
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured))
        return QDir::cleanPath(configured);
    return QDir::homePath() + QStringLiteral("/.config");
}

std::optional<QString> settingsFileOfKey(std::string_view key) {
    QStringList parts = fromUtf8(key).split(QLatin1Char('\\'));
    if (!parts.isEmpty() && parts.first().compare(QStringLiteral("SOFTWARE"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.isEmpty())
        return std::nullopt;
    for (const QString& part : parts)
        if (part.isEmpty() || part == QStringLiteral(".") || part == QStringLiteral("..") ||
            part.contains(QLatin1Char('/')))
            return std::nullopt;
    return settingsBaseFolder() + QLatin1Char('/') + parts.join(QLatin1Char('/')) + QStringLiteral(".ini");
}

bool QtSettingsStore::keyExists(std::string_view key) {
    const auto file = settingsFileOfKey(key);
    return file && QFileInfo(*file).isFile();
}

bool QtSettingsStore::createKey(std::string_view key) {
    const auto file = settingsFileOfKey(key);
    if (!file)
        return false;
    if (QFileInfo(*file).isFile())
        return true;
    if (!QDir().mkpath(QFileInfo(*file).absolutePath()))
        return false;
    QFile created(*file);
    if (!created.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    created.close();
    return QFileInfo(*file).isFile();
}

std::optional<std::string> QtSettingsStore::readString(std::string_view key, std::string_view name) {
    if (!validValueName(name) || !keyExists(key))
        return std::nullopt;
    QSettings settings(*settingsFileOfKey(key), QSettings::IniFormat);
    const QString valueName = fromUtf8(name);
    if (settings.status() != QSettings::NoError || !settings.contains(valueName))
        return std::nullopt;
    const QVariant value = settings.value(valueName);
    // A hand-edited file may hold an unquoted "a,b", which QSettings reads as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    return value.toString().toStdString();
}

bool QtSettingsStore::writeString(std::string_view key, std::string_view name, std::string_view value) {
    if (!validValueName(name) || !keyExists(key))
        return false;
    QSettings settings(*settingsFileOfKey(key), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError || !settings.isWritable())
        return false;
    const QString valueName = fromUtf8(name);
    const QVariant previous = settings.value(valueName);
    settings.setValue(valueName, fromUtf8(value));
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    // QSettings keeps the values of a file in memory for the whole process: put the old value back, so
    // that a value that never reached the disk is neither read back nor written by a later sync.
    if (previous.isValid())
        settings.setValue(valueName, previous);
    else
        settings.remove(valueName);
    return false;
}

} // namespace vantle
