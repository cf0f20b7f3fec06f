#pragma once
// The per-user settings store: one INI file per key under $XDG_CONFIG_HOME (default ~/.config). The key
// "SOFTWARE\Tekvari\VANTLE" is the file Tekvari/VANTLE.ini there; each named value is a UTF-8 string.

#include "platform/Platform.h"

#include <QString>

#include <optional>
#include <string_view>

namespace vantle {

// The folder the stores live in: $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
QString settingsBaseFolder();

// The INI file of a key, or nothing for a key that names no file ("", "SOFTWARE", "..", empty parts).
// A leading "SOFTWARE" part is dropped; the others are folders, the last one the file's name.
std::optional<QString> settingsFileOfKey(std::string_view key);

class QtSettingsStore : public SettingsStore {
  public:
    bool keyExists(std::string_view key) override;
    bool createKey(std::string_view key) override;
    std::optional<std::string> readString(std::string_view key, std::string_view name) override;
    bool writeString(std::string_view key, std::string_view name, std::string_view value) override;
};

} // namespace vantle
