// The player's master volume over the mixer: steps, limits, mute, and the
// settings file that keeps them (in the tests' temporary settings folder).
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Music.h"
#include "Settings.h"

namespace {

std::string SettingsFile() {
    Settings::Flush();
    std::ifstream in(Settings::FilePath());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The mixer's master volume is 0 to 128.
int Mixer() {
    return Mix_MasterVolume(-1);
}

class MasterVolume : public testing::Test {
  protected:
    void SetUp() override { Restart({}); }
    void TearDown() override { Restart({}); }
    // The program starts again with these values in the settings file.
    static void Restart(const Settings::Values& v) {
        ASSERT_TRUE(Settings::Store(v));
        Mix_MasterVolume(MIX_MAX_VOLUME);
        Music::InitVolume();
    }
};

TEST_F(MasterVolume, StepsOfTenPercentStopAtSilenceAndFull) {
    EXPECT_EQ(Music::MasterVolume(), 100u);
    EXPECT_EQ(Mixer(), MIX_MAX_VOLUME);
    Music::ChangeVolume(1);
    EXPECT_EQ(Music::MasterVolume(), 100u);
    const int mixer[] = {115, 102, 90, 77, 64, 51, 38, 26, 13, 0};
    for (uint32_t i = 1; i <= 10; ++i) {
        Music::ChangeVolume(-1);
        EXPECT_EQ(Music::MasterVolume(), 100 - 10 * i);
        EXPECT_EQ(Mixer(), mixer[i - 1]) << i;
    }
    Music::ChangeVolume(-1);
    EXPECT_EQ(Music::MasterVolume(), 0u);
    Music::ChangeVolume(3);
    EXPECT_EQ(Music::MasterVolume(), 30u);
    Music::ChangeVolume(-100);
    EXPECT_EQ(Music::MasterVolume(), 0u);
    EXPECT_FALSE(Music::Muted());
}

TEST_F(MasterVolume, MuteKeepsTheLevelAndAStepUnmutes) {
    Music::ChangeVolume(-3);
    Music::ToggleMute();
    EXPECT_TRUE(Music::Muted());
    EXPECT_EQ(Music::MasterVolume(), 70u);
    EXPECT_EQ(Mixer(), 0);
    Music::ToggleMute();
    EXPECT_FALSE(Music::Muted());
    EXPECT_EQ(Mixer(), 90);
    Music::ToggleMute();
    Music::ChangeVolume(1);
    EXPECT_FALSE(Music::Muted());
    EXPECT_EQ(Music::MasterVolume(), 80u);
    EXPECT_EQ(Mixer(), 102);
}

TEST_F(MasterVolume, TheSettingSurvivesARestart) {
    Music::ChangeVolume(-4);
    Music::ToggleMute();
    const Settings::Values file = Settings::Read(SettingsFile());
    EXPECT_EQ(file.volume, 60);
    EXPECT_TRUE(file.muted);
    Restart(file);
    EXPECT_EQ(Music::MasterVolume(), 60u);
    EXPECT_TRUE(Music::Muted());
    EXPECT_EQ(Mixer(), 0);
}

TEST_F(MasterVolume, ABadStoredVolumeGivesWayToFullOrTheNearestStep) {
    std::vector<std::string> problems;
    Restart(Settings::Read("volume=110\nmute=maybe\n", &problems));
    EXPECT_EQ(problems.size(), 2u);
    EXPECT_EQ(Music::MasterVolume(), 100u);
    EXPECT_FALSE(Music::Muted());
    Settings::Values v;
    v.volume = 55; // written by hand
    Restart(v);
    EXPECT_EQ(Music::MasterVolume(), 60u);
    Music::ChangeVolume(-1);
    EXPECT_EQ(Music::MasterVolume(), 50u);
}

} // namespace
