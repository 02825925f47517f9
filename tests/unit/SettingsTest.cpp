// The settings file: what it reads from damaged text, and what it stores.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Settings.h"
#include "StandardLib.h"

namespace {

TEST(Settings, ReadsBackWhatItWritesAndDefaultsWithoutText) {
    const Settings::Values none = Settings::Read("");
    EXPECT_EQ(none.windowWidth, 0);
    EXPECT_EQ(none.windowHeight, 0);
    EXPECT_FALSE(none.fullscreen);
    EXPECT_TRUE(none.smooth);

    std::vector<std::string> smooth;
    EXPECT_FALSE(Settings::Read("smooth=false\n").smooth);
    EXPECT_TRUE(Settings::Read("smooth=sometimes\n", &smooth).smooth);
    EXPECT_EQ(smooth.size(), 1u);

    const Settings::Values v{1024, 900, true};
    std::vector<std::string> problems;
    const Settings::Values back = Settings::Read(Settings::Write(v), &problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(back.windowWidth, 1024);
    EXPECT_EQ(back.windowHeight, 900);
    EXPECT_TRUE(back.fullscreen);
}

TEST(Settings, ThePresentingChoiceGoesByNameAndAnUnknownOneIsAuto) {
    std::vector<std::string> problems;
    EXPECT_EQ(Settings::Read("present=surface").present, Settings::Present::SURFACE);
    EXPECT_EQ(Settings::Read("present = renderer").present, Settings::Present::RENDERER);
    EXPECT_EQ(Settings::Read("present=gpu\npresent=2", &problems).present, Settings::Present::AUTO);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "line 1: expected auto, renderer or surface");
    Settings::Values v;
    v.present = Settings::Present::SURFACE;
    EXPECT_NE(Settings::Write(v).find("present=surface\n"), std::string::npos);
    EXPECT_EQ(Settings::Read(Settings::Write(v)).present, Settings::Present::SURFACE);
}

TEST(Settings, DamagedLinesKeepTheirDefaultAndAreToldByLine) {
    std::vector<std::string> problems;
    const Settings::Values v = Settings::Read("# a comment\r\n"
                                              "window_width = 700\r\n"
                                              "window_height=99999\n"
                                              "fullscreen=maybe\n"
                                              "colour=3\n"
                                              "no equals sign\n"
                                              "window_width=-5\n"
                                              "window_height=12abc\n"
                                              "\n"
                                              "window_width=2147483648",
                                              &problems);
    EXPECT_EQ(v.windowWidth, 700); // the later absurd values leave it
    EXPECT_EQ(v.windowHeight, 0);
    EXPECT_FALSE(v.fullscreen);
    ASSERT_EQ(problems.size(), 7u);
    EXPECT_EQ(problems[0].rfind("line 3: out of range", 0), 0u) << problems[0];
    EXPECT_EQ(problems[2], "line 5: unknown setting");
    EXPECT_EQ(problems[3], "line 6: expected key=value");
    EXPECT_EQ(problems[6].rfind("line 10:", 0), 0u) << problems[6];
}

TEST(Settings, ReadsOnlyTheStartOfAHugeText) {
    std::string text = "fullscreen=true\n" + std::string(200000, 'x') + "\nwindow_width=640\n";
    std::vector<std::string> problems;
    const Settings::Values v = Settings::Read(text, &problems);
    EXPECT_TRUE(v.fullscreen);
    EXPECT_EQ(v.windowWidth, 0);
    EXPECT_EQ(problems.size(), 1u);
}

TEST(Settings, StoreCreatesTheFolderAndReplacesTheFile) {
    std::filesystem::remove_all(StandardLib::ConfigFolder());
    ASSERT_TRUE(Settings::Store({640, 480, true}));
    std::ifstream in(Settings::FilePath());
    std::stringstream text;
    text << in.rdbuf();
    const Settings::Values back = Settings::Read(text.str());
    EXPECT_EQ(back.windowWidth, 640);
    EXPECT_EQ(back.windowHeight, 480);
    EXPECT_TRUE(back.fullscreen);
    EXPECT_EQ(Settings::Current().windowWidth, 640);
}

TEST(Settings, AFileTooLongIsToldAndAFolderThatCannotBeMadeGivesItsReason) {
    std::filesystem::create_directories(StandardLib::ConfigFolder());
    std::ofstream(Settings::FilePath()) << "mute=true\n"
                                        << std::string(70000, '#') << "\nvolume=30\n";
    testing::internal::CaptureStderr();
    const Settings::Values v = Settings::Load();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(v.muted);
    EXPECT_NE(said.find("only the first 65536 bytes are read"), std::string::npos) << said;

    // The folder's place is taken by a file: the message says so, not "no such file".
    const std::string config = StandardLib::ConfigFolder();
    std::filesystem::remove_all(config);
    std::ofstream(config) << "in the way";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Settings::Store({}));
    const std::string told = testing::internal::GetCapturedStderr();
    std::filesystem::remove(config);
    EXPECT_NE(told.find("Not a directory"), std::string::npos) << told;
}

} // namespace
