#include "model/Settings.h"

#include "model/FileKinds.h"
#include "model/Messages.h"
#include "model/TextNumber.h"

namespace vantle {

AppSettings& appSettings() {
    static AppSettings settings;
    return settings;
}

std::string formatCustomColours(const std::array<colourRGB, 16>& colours) {
    std::string text;
    for (colourRGB c : colours)
        if (c != kWhite)
            text += std::to_string(c) + ";";
    return text;
}

std::array<colourRGB, 16> parseCustomColours(std::string_view text) {
    std::array<colourRGB, 16> colours{};
    colours.fill(kWhite);
    std::size_t slot = 0;
    std::size_t pos = 0;
    for (;;) {
        const auto semicolon = text.find(';', pos);
        if (semicolon == std::string_view::npos)
            break;
        const colourRGB value = leadingInteger(text.substr(pos, semicolon - pos));
        if (value != kWhite && slot < colours.size())
            colours[slot++] = value;
        pos = semicolon + 1;
    }
    return colours;
}

AppSettings loadSettings(SettingsStore& store, const std::string& startFolder) {
    AppSettings s;
    s.markers.transparent = 0xE0E0E0;
    s.markers.inverted = 0;
    if (!store.keyExists(kSettingsKey))
        return s;
    auto read = [&](std::string_view name) { return store.readString(kSettingsKey, name); };
    if (auto v = read("COLOR_P"))
        s.customColours = parseCustomColours(*v);
    if (auto v = read("COLOR_C"))
        s.markers.transparent = leadingInteger(*v);
    if (auto v = read("COLOR_I"))
        s.markers.inverted = leadingInteger(*v);
    s.dirPath = read("DIRPATH").value_or(startFolder);
    s.jDirDrv = read("JDIRDRV").value_or(driveOf(startFolder));
    s.jDirPath = read("JDIRPATH").value_or(startFolder);
    s.pAreaOpt = leadingInteger(read("PAREAOPT").value_or("0"));
    s.trueColour = read("TRUECOLOR").value_or("0") == "1";
    return s;
}

void applyMarkerDefaults(AppSettings& settings) {
    if (settings.markers.transparent == 0)
        settings.markers.transparent = 0xE0E0E0;
    if (settings.markers.inverted == 0)
        settings.markers.inverted = 0x606060;
}

SaveSettingsOutcome saveSettings(SettingsStore& store, const AppSettings& s, MessageSink& messages) {
    if (!store.keyExists(kSettingsKey)) {
        if (!store.createKey(kSettingsKey)) {
            messages.showMessage(text::kKeyCreateFailed);
            return SaveSettingsOutcome::EndProgram;
        }
        if (!store.keyExists(kSettingsKey)) {
            messages.showMessage(text::kKeyOpenFailed);
            return SaveSettingsOutcome::EndProgram;
        }
    }
    const std::pair<std::string_view, std::string> values[] = {
        {"COLOR_P", formatCustomColours(s.customColours)},
        {"COLOR_C", std::to_string(s.markers.transparent)},
        {"COLOR_I", std::to_string(s.markers.inverted)},
        {"DIRPATH", s.dirPath},
        {"JDIRDRV", s.jDirDrv},
        {"JDIRPATH", s.jDirPath},
        {"PAREAOPT", std::to_string(s.pAreaOpt)},
    };
    for (const auto& [name, value] : values)
        if (!store.writeString(kSettingsKey, name, value))
            messages.showMessage(text::kValueWriteFailed);
    // The true-colour setting is written once it has been turned on, so that the store of a user who never
    // did holds just the seven values.
    if (s.trueColour || store.readString(kSettingsKey, "TRUECOLOR"))
        if (!store.writeString(kSettingsKey, "TRUECOLOR", s.trueColour ? "1" : "0"))
            messages.showMessage(text::kValueWriteFailed);
    return SaveSettingsOutcome::Saved;
}

} // namespace vantle
