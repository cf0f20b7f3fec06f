// Settings persistence through an in-memory settings store.

#include "model/Settings.h"
#include "ModelTestSupport.h"
#include "model/Messages.h"
#include "model/TextCodec.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vantle::test {
namespace {

// Keeps values per key as the bytes of code page 932, as the store of the system does, and fails on
// request.
class MemoryStore : public SettingsStore {
  public:
    bool keyExists(std::string_view key) override {
        ++opens;
        return !failOpen && keys.count(std::string(key)) != 0;
    }
    bool createKey(std::string_view key) override {
        if (failCreate)
            return false;
        keys.insert(std::string(key));
        return true;
    }
    std::optional<std::string> readString(std::string_view key, std::string_view name) override {
        const auto it = values.find(std::string(key) + "|" + std::string(name));
        if (it == values.end())
            return std::nullopt;
        return ansiToUtf8(it->second);
    }
    bool writeString(std::string_view key, std::string_view name, std::string_view value) override {
        written.push_back(std::string(name));
        if (failing.count(std::string(name)) != 0 || keys.count(std::string(key)) == 0)
            return false;
        values[std::string(key) + "|" + std::string(name)] = utf8ToAnsi(value);
        return true;
    }
    void set(std::string_view name, std::string_view value) {
        keys.insert(std::string(kSettingsKey));
        values[std::string(kSettingsKey) + "|" + std::string(name)] = utf8ToAnsi(value);
    }
    std::string stored(std::string_view name) const {
        const Bytes& b = values.at(std::string(kSettingsKey) + "|" + std::string(name));
        return std::string(b.begin(), b.end());
    }

    std::set<std::string> keys;
    std::map<std::string, Bytes> values;
    std::set<std::string> failing;
    std::vector<std::string> written;
    bool failOpen = false;
    bool failCreate = false;
    int opens = 0;
};

TEST(Settings, UserColoursAreSavedWithoutGapsAndComeBackClosedUp) {
    MemoryStore store;
    RecordingMessages messages;
    AppSettings s;
    s.customColours[3] = 0x0000FF;
    s.customColours[9] = 0xFF0000;
    EXPECT_EQ(saveSettings(store, s, messages), SaveSettingsOutcome::Saved);
    EXPECT_EQ(store.stored("COLOR_P"), "255;16711680;");
    const AppSettings back = loadSettings(store, "/start");
    EXPECT_EQ(back.customColours[0], 0x0000FF);
    EXPECT_EQ(back.customColours[1], 0xFF0000);
    for (int k = 2; k < 16; ++k)
        EXPECT_EQ(back.customColours[static_cast<std::size_t>(k)], kWhite) << "slot " << k;
}

TEST(Settings, AllSevenValuesInOrder) {
    MemoryStore store;
    RecordingMessages messages;
    AppSettings s;
    s.markers = {0x112233, 0x445566};
    s.dirPath = "/home/u/icons";
    s.jDirDrv = "/";
    s.jDirPath = "/home/u/pictures";
    s.pAreaOpt = 1;
    saveSettings(store, s, messages);
    EXPECT_EQ(store.written, (std::vector<std::string>{"COLOR_P", "COLOR_C", "COLOR_I", "DIRPATH", "JDIRDRV",
                                                       "JDIRPATH", "PAREAOPT"}));
    EXPECT_EQ(store.stored("COLOR_P"), "");
    EXPECT_EQ(store.stored("COLOR_C"), "1122867");
    EXPECT_EQ(store.stored("COLOR_I"), "4478310");
    EXPECT_EQ(store.stored("PAREAOPT"), "1");
    const AppSettings back = loadSettings(store, "/start");
    EXPECT_EQ(back.markers.transparent, 0x112233);
    EXPECT_EQ(back.markers.inverted, 0x445566);
    EXPECT_EQ(back.dirPath, "/home/u/icons");
    EXPECT_EQ(back.jDirDrv, "/");
    EXPECT_EQ(back.jDirPath, "/home/u/pictures");
    EXPECT_EQ(back.pAreaOpt, 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(Settings, TrueColourIsKeptOnceTurnedOn) {
    MemoryStore store;
    RecordingMessages messages;
    AppSettings s;
    s.trueColour = true;
    saveSettings(store, s, messages);
    EXPECT_EQ(store.stored("TRUECOLOR"), "1");
    EXPECT_TRUE(loadSettings(store, "/start").trueColour);
    s.trueColour = false;
    saveSettings(store, s, messages);
    EXPECT_EQ(store.stored("TRUECOLOR"), "0");
    EXPECT_FALSE(loadSettings(store, "/start").trueColour);
}

TEST(Settings, ColourParsing) {
    // Numbers past the sixteenth are ignored; white closes up; text after the last ";" is not a colour.
    std::string text;
    for (int k = 1; k <= 18; ++k)
        text += std::to_string(k) + ";";
    const auto many = parseCustomColours(text + "99");
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(many[static_cast<std::size_t>(k)], k + 1);
    const auto mixed = parseCustomColours("16777215;12;abc;7.5;;8");
    EXPECT_EQ(mixed[0], 12);
    EXPECT_EQ(mixed[1], 0) << "non-numeric text gives 0";
    EXPECT_EQ(mixed[2], 8) << "7.5 rounds to the even 8";
    EXPECT_EQ(mixed[3], 0) << "an empty text gives 0";
    EXPECT_EQ(mixed[4], kWhite) << "\"8\" has no \";\" after it";
    EXPECT_EQ(formatCustomColours(mixed), "12;0;8;0;");
}

TEST(Settings, MarkerOfZeroBecomesTheLabelColour) {
    MemoryStore store;
    store.set("COLOR_C", "0");
    store.set("COLOR_I", "0");
    AppSettings s = loadSettings(store, "/start");
    EXPECT_EQ(s.markers.transparent, 0);
    applyMarkerDefaults(s);
    EXPECT_EQ(s.markers.transparent, 0xE0E0E0);
    EXPECT_EQ(s.markers.inverted, 0x606060);
    AppSettings other;
    other.markers = {5, 6};
    applyMarkerDefaults(other);
    EXPECT_EQ(other.markers.transparent, 5);
    EXPECT_EQ(other.markers.inverted, 6);
}

TEST(Settings, JapaneseFolderIsStoredAsCodePage932AndReadBack) {
    MemoryStore store;
    RecordingMessages messages;
    AppSettings s;
    s.dirPath = "/home/u/アイコン/ﾃｽﾄ";
    saveSettings(store, s, messages);
    const std::string stored = store.stored("DIRPATH");
    EXPECT_EQ(stored.size(), 8u + 8 + 1 + 3) << "two bytes per full-width, one per half-width character";
    EXPECT_EQ(loadSettings(store, "/start").dirPath, "/home/u/アイコン/ﾃｽﾄ");
}

TEST(Settings, MissingKeyAndMissingValuesGiveDefaults) {
    MemoryStore store;
    const AppSettings first = loadSettings(store, "/start/here");
    for (colourRGB c : first.customColours)
        EXPECT_EQ(c, kWhite);
    EXPECT_EQ(first.markers.transparent, 0xE0E0E0);
    EXPECT_EQ(first.markers.inverted, 0);
    EXPECT_EQ(first.dirPath, "") << "a first run reads nothing";
    EXPECT_EQ(first.jDirDrv, "");
    EXPECT_EQ(first.jDirPath, "");
    EXPECT_EQ(first.pAreaOpt, 0);

    store.set("COLOR_I", "255");
    const AppSettings some = loadSettings(store, "/start/here");
    EXPECT_EQ(some.markers.inverted, 255);
    EXPECT_EQ(some.markers.transparent, 0xE0E0E0);
    EXPECT_EQ(some.dirPath, "/start/here");
    EXPECT_EQ(some.jDirDrv, "/");
    EXPECT_EQ(some.jDirPath, "/start/here");
    EXPECT_EQ(some.pAreaOpt, 0);
}

TEST(Settings, RemovedKeyIsCreatedAgainAtExit) {
    MemoryStore store;
    RecordingMessages messages;
    EXPECT_EQ(saveSettings(store, AppSettings{}, messages), SaveSettingsOutcome::Saved);
    EXPECT_EQ(store.keys.count(std::string(kSettingsKey)), 1u);
    EXPECT_EQ(store.values.size(), 7u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(Settings, FailuresShowTheirMessages) {
    {
        MemoryStore store;
        store.failCreate = true;
        RecordingMessages messages;
        EXPECT_EQ(saveSettings(store, AppSettings{}, messages), SaveSettingsOutcome::EndProgram);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "レジストリキーの作成に失敗しました");
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
        EXPECT_TRUE(store.written.empty());
    }
    {
        MemoryStore store;
        store.failOpen = true; // created, but it cannot be opened
        RecordingMessages messages;
        EXPECT_EQ(saveSettings(store, AppSettings{}, messages), SaveSettingsOutcome::EndProgram);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "レジストリキーのオープンに失敗しました");
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
        EXPECT_TRUE(store.written.empty());
    }
    {
        MemoryStore store;
        store.failing = {"COLOR_C", "JDIRPATH"};
        RecordingMessages messages;
        EXPECT_EQ(saveSettings(store, AppSettings{}, messages), SaveSettingsOutcome::Saved);
        ASSERT_EQ(messages.shown.size(), 2u);
        for (const auto& m : messages.shown) {
            EXPECT_EQ(m.text, "レジストリキーデータの書き込みに失敗しました");
            EXPECT_EQ(m.buttons, MessageButtons::Ok);
            EXPECT_EQ(m.icon, MessageIcon::None);
        }
        EXPECT_EQ(store.values.size(), 5u) << "the other values are still written";
    }
}

} // namespace
} // namespace vantle::test
