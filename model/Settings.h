#pragma once
// The user's preferences that survive a restart, kept as strings in the per-user settings store.

#include "model/Colour.h"
#include "platform/Platform.h"

#include <array>
#include <string>

namespace vantle {

inline constexpr std::string_view kSettingsKey = "SOFTWARE\\Tekvari\\VANTLE";

struct AppSettings {
    std::array<colourRGB, 16> customColours{}; // the user colours; white marks a free slot
    MarkerColours markers{};
    std::string dirPath;       // folder of the last icon, cursor or animation file
    std::string jDirDrv;       // drive of the picture-file dialog
    std::string jDirPath;      // folder of the picture-file dialog
    std::int32_t pAreaOpt = 0; // area-selection mode of the picture panel: 0 free, 1 square
    bool trueColour = false;   // the window holds 32-bit alpha images up to 256 x 256

    AppSettings() { customColours.fill(kWhite); }
};

// The settings values every window shares.
AppSettings& appSettings();

// The user colours that are not white, each as a decimal number followed by ";".
std::string formatCustomColours(const std::array<colourRGB, 16>& colours);
// Numbers separated by ";" into slots 0 upwards, skipping white; numbers past the sixteenth are ignored.
std::array<colourRGB, 16> parseCustomColours(std::string_view text);

// Reads the store. Without the key nothing is read: the colour defaults apply, folders stay empty and
// the inverted marker 0. A missing value takes its default (folders from startFolder).
AppSettings loadSettings(SettingsStore& store, const std::string& startFolder);

// A marker colour of 0 cannot be kept across a restart: it becomes the colour of the marker's label.
void applyMarkerDefaults(AppSettings& settings);

enum class SaveSettingsOutcome { Saved, EndProgram };

// Writes all seven values, and the true-colour setting once it has been on. When the key can neither be
// opened nor created it shows the message and the caller must end the program at once.
SaveSettingsOutcome saveSettings(SettingsStore& store, const AppSettings& settings, MessageSink& messages);

} // namespace vantle
