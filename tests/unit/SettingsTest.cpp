// The settings file, in the tests' temporary settings folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "Settings.h"

namespace {

class SettingsFile : public testing::Test {
  protected:
    void SetUp() override { Write(nullptr); }
    void TearDown() override { Write(nullptr); }
    static void Write(const char* text) {
        std::filesystem::remove(Settings::FilePath());
        if (text) {
            std::filesystem::create_directories(
                std::filesystem::path(Settings::FilePath()).parent_path());
            std::ofstream(Settings::FilePath(), std::ios::binary) << text;
        }
        Settings::Reload();
    }
};

TEST_F(SettingsFile, LivesInTheSettingsFolderAndIsWrittenOnEverySet) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(Settings::FilePath(), std::string(config) + "/kolvemar-trovix/settings.txt");
    EXPECT_EQ(Settings::Get("volume"), ""); // no file: nothing set
    Settings::Set("volume", "70");
    Settings::Set("a key", "with = in it");
    Settings::Reload();
    EXPECT_EQ(Settings::Get("volume"), "70");
    EXPECT_EQ(Settings::Get("a key"), "with = in it");
}

TEST_F(SettingsFile, DamagedLinesAreSkippedWithAMessageAndTheRestKept) {
    testing::internal::CaptureStdout();
    Write("# comment\r\n volume = 40 \r\nno equals sign\n=no key\n\x01\x02\nmute=TRUE");
    EXPECT_EQ(Settings::Get("volume"), "40");
    EXPECT_EQ(Settings::Get("mute"), "TRUE");
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("settings.txt:3: not a setting"), std::string::npos) << said;
    EXPECT_NE(said.find("settings.txt:4: not a setting"), std::string::npos) << said;
    // Rewriting keeps what was good and drops the damage.
    Settings::Set("volume", "50");
    Settings::Reload();
    EXPECT_EQ(Settings::Get("mute"), "TRUE");
    EXPECT_EQ(Settings::Get("volume"), "50");
}

} // namespace
