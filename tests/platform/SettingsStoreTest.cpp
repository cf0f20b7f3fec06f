// The settings store on disk: where a key lives, values round trip as UTF-8, missing keys and values,
// and writes that do not reach the disk are reported as failed.

#include "model/Settings.h"
#include "platform/qt/QtSettingsStore.h"
#include "support/FakePlatform.h"
#include "support/RecordingMessages.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <string>
#include <sys/resource.h>

namespace vantle {
namespace {

constexpr std::string_view kKey = "SOFTWARE\\Tekvari\\VANTLE";

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Points XDG_CONFIG_HOME at a fresh folder for the test and puts the old value back afterwards.
class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        hadOld = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        old = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    }
    void TearDown() override {
        if (hadOld)
            qputenv("XDG_CONFIG_HOME", old);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QString iniFile() const { return home.path() + QStringLiteral("/Tekvari/VANTLE.ini"); }

    QTemporaryDir home;
    bool hadOld = false;
    QByteArray old;
    QtSettingsStore store;
};

TEST_F(SettingsStoreTest, TheProductKeyIsAnIniFileBelowTheMakersFolder) {
    EXPECT_EQ(settingsFileOfKey(kKey).value_or(QString()), iniFile());
    EXPECT_EQ(settingsFileOfKey("software\\Other").value_or(QString()), home.path() + "/Other.ini");
    EXPECT_EQ(settingsFileOfKey("A\\B\\C").value_or(QString()), home.path() + "/A/B/C.ini");
}

TEST_F(SettingsStoreTest, KeysThatNameNoFileAreRefused) {
    for (std::string_view key : {"", "SOFTWARE", "SOFTWARE\\", "SOFTWARE\\..\\x", "SOFTWARE\\a/b",
                                 "SOFTWARE\\\\x", "SOFTWARE\\.", "SOFTWARE\\Tekvari\\.."}) {
        EXPECT_FALSE(settingsFileOfKey(key).has_value()) << key;
        EXPECT_FALSE(store.createKey(key)) << key;
        EXPECT_FALSE(store.keyExists(key)) << key;
    }
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(SettingsStoreTest, BaseFolderIsConfigInHomeWithoutAnAbsoluteXdgConfigHome) {
    EXPECT_EQ(settingsBaseFolder(), home.path());
    qputenv("XDG_CONFIG_HOME", "relative/folder");
    EXPECT_EQ(settingsBaseFolder(), QDir::homePath() + "/.config");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(settingsBaseFolder(), QDir::homePath() + "/.config");
}

TEST_F(SettingsStoreTest, MissingKeyExistsNotAndReadsNothingWithoutCreatingAFile) {
    EXPECT_FALSE(store.keyExists(kKey));
    EXPECT_FALSE(store.readString(kKey, "COLOR_C").has_value());
    EXPECT_FALSE(store.writeString(kKey, "COLOR_C", "1"));
    EXPECT_FALSE(QFileInfo::exists(iniFile()));
}

TEST_F(SettingsStoreTest, CreateKeyMakesFolderAndFileAndKeepsExistingValues) {
    ASSERT_TRUE(store.createKey(kKey));
    EXPECT_TRUE(QFileInfo(iniFile()).isFile());
    EXPECT_TRUE(store.keyExists(kKey));
    ASSERT_TRUE(store.writeString(kKey, "COLOR_C", "14737632"));
    EXPECT_TRUE(store.createKey(kKey));
    EXPECT_EQ(store.readString(kKey, "COLOR_C").value_or("<none>"), "14737632");
}

TEST_F(SettingsStoreTest, ValuesRoundTripAndJapaneseIsStoredAsUtf8) {
    ASSERT_TRUE(store.createKey(kKey));
    const std::string folder = "/home/ユーザー/アイコン集 (2)";
    const std::string colours = "255;16711680;";
    ASSERT_TRUE(store.writeString(kKey, "DIRPATH", folder));
    ASSERT_TRUE(store.writeString(kKey, "COLOR_P", colours));
    ASSERT_TRUE(store.writeString(kKey, "JDIRDRV", ""));
    ASSERT_TRUE(store.writeString(kKey, "JDIRPATH", "C:\\a,b=c;\"d\""));
    EXPECT_EQ(store.readString(kKey, "DIRPATH").value_or("<none>"), folder);
    EXPECT_EQ(store.readString(kKey, "COLOR_P").value_or("<none>"), colours);
    EXPECT_EQ(store.readString(kKey, "JDIRDRV").value_or("<none>"), "");
    EXPECT_EQ(store.readString(kKey, "JDIRPATH").value_or("<none>"), "C:\\a,b=c;\"d\"");
    EXPECT_FALSE(store.readString(kKey, "PAREAOPT").has_value());
    EXPECT_TRUE(fileBytes(iniFile()).contains(QByteArray("ユーザー/アイコン集")))
        << fileBytes(iniFile()).toStdString();
}

TEST_F(SettingsStoreTest, ValuesWrittenByAnotherRunAreRead) {
    QDir().mkpath(home.path() + "/Tekvari");
    QFile file(iniFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nCOLOR_C=65280\nDIRPATH=/tmp/\xe7\x94\xbb\xe5\x83\x8f\nJDIRPATH=a,b\n");
    file.close();
    EXPECT_EQ(store.readString(kKey, "COLOR_C").value_or("<none>"), "65280");
    EXPECT_EQ(store.readString(kKey, "DIRPATH").value_or("<none>"), "/tmp/画像");
    // An unquoted comma is a list to QSettings; the text comes back whole.
    EXPECT_EQ(store.readString(kKey, "JDIRPATH").value_or("<none>"), "a,b");
}

TEST_F(SettingsStoreTest, RemovedKeyIsGoneAndCanBeCreatedAgain) {
    ASSERT_TRUE(store.createKey(kKey));
    ASSERT_TRUE(store.writeString(kKey, "COLOR_C", "1"));
    ASSERT_TRUE(QFile::remove(iniFile()));
    EXPECT_FALSE(store.keyExists(kKey));
    EXPECT_FALSE(store.readString(kKey, "COLOR_C").has_value());
    ASSERT_TRUE(store.createKey(kKey));
    EXPECT_FALSE(store.readString(kKey, "COLOR_C").has_value());
}

TEST_F(SettingsStoreTest, CreateKeyFailsWhereNoFolderCanBeMade) {
    // The maker's folder name is taken by a file.
    QFile blocker(home.path() + "/Tekvari");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(store.createKey(kKey));
    EXPECT_FALSE(store.keyExists(kKey));
}

TEST_F(SettingsStoreTest, AKeyThatIsAFolderIsNoKey) {
    ASSERT_TRUE(QDir().mkpath(iniFile()));
    EXPECT_FALSE(store.keyExists(kKey));
    EXPECT_FALSE(store.createKey(kKey));
    EXPECT_FALSE(store.writeString(kKey, "COLOR_C", "1"));
}

TEST_F(SettingsStoreTest, WriteThatDoesNotReachTheDiskFailsAndLeavesTheOldValue) {
    ASSERT_TRUE(store.createKey(kKey));
    ASSERT_TRUE(store.writeString(kKey, "DIRPATH", "/old"));

    // Files may not grow past 16 bytes for a moment: the write cannot reach the disk, even for root.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool written = store.writeString(kKey, "DIRPATH", std::string(300, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(store.readString(kKey, "DIRPATH").value_or("<none>"), "/old");
    // A later write that succeeds does not carry the failed value to the disk.
    ASSERT_TRUE(store.writeString(kKey, "COLOR_C", "1"));
    EXPECT_FALSE(fileBytes(iniFile()).contains(QByteArray(300, 'x')));
    EXPECT_EQ(store.readString(kKey, "DIRPATH").value_or("<none>"), "/old");
}

TEST_F(SettingsStoreTest, SettingsSavedAtExitComeBackAtTheNextStart) {
    AppSettings saved;
    saved.customColours[3] = 0x0000FF;
    saved.customColours[9] = 0xFF0000;
    saved.markers.transparent = 0x00FF00;
    saved.markers.inverted = 0x606060;
    saved.dirPath = "/home/ユーザー/カーソル";
    saved.jDirDrv = "/";
    saved.jDirPath = "/home/ユーザー/画像";
    saved.pAreaOpt = 1;
    test::RecordingMessages messages;
    ASSERT_EQ(saveSettings(store, saved, messages), SaveSettingsOutcome::Saved);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(store.readString(kKey, "COLOR_P").value_or("<none>"), "255;16711680;");

    const AppSettings loaded = loadSettings(store, "/start");
    EXPECT_EQ(loaded.customColours[0], 0x0000FF);
    EXPECT_EQ(loaded.customColours[1], 0xFF0000);
    EXPECT_EQ(loaded.customColours[2], kWhite);
    EXPECT_EQ(loaded.markers.transparent, 0x00FF00);
    EXPECT_EQ(loaded.markers.inverted, 0x606060);
    EXPECT_EQ(loaded.dirPath, saved.dirPath);
    EXPECT_EQ(loaded.jDirDrv, saved.jDirDrv);
    EXPECT_EQ(loaded.jDirPath, saved.jDirPath);
    EXPECT_EQ(loaded.pAreaOpt, 1);
}

// The fake store of the widget tests answers as the real one does, call for call.
std::vector<std::string> runStoreScript(SettingsStore& store, const std::function<void()>& removeKey) {
    std::vector<std::string> log;
    auto note = [&log](const std::string& what, bool result) {
        log.push_back(what + (result ? " yes" : " no"));
    };
    auto read = [&](std::string_view name) {
        const auto value = store.readString(kKey, name);
        log.push_back("read " + std::string(name) + " " + (value ? "[" + *value + "]" : "none"));
    };
    note("exists", store.keyExists(kKey));
    read("A");
    note("write without key", store.writeString(kKey, "A", "x"));
    note("create", store.createKey(kKey));
    note("exists", store.keyExists(kKey));
    read("A");
    note("write", store.writeString(kKey, "A", "ユーザー"));
    read("A");
    note("write empty", store.writeString(kKey, "B", ""));
    read("B");
    note("create again", store.createKey(kKey));
    read("A");
    removeKey();
    note("exists after removal", store.keyExists(kKey));
    read("A");
    return log;
}

TEST_F(SettingsStoreTest, FakeStoreOfTheWidgetTestsBehavesLikeTheRealOne) {
    test::FakeSettingsStore fake;
    const auto fakeLog = runStoreScript(fake, [&fake] { fake.removeKey(kKey); });
    const auto realLog = runStoreScript(store, [this] { QFile::remove(iniFile()); });
    ASSERT_EQ(fakeLog.size(), realLog.size());
    for (std::size_t i = 0; i < realLog.size(); ++i)
        EXPECT_EQ(fakeLog[i], realLog[i]) << "step " << i;
}

} // namespace
} // namespace vantle
