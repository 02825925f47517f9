#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>
#include <lame/lame.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "Music.h"

namespace {

// CTest runs each case in its own process, often two at once: keep files apart.
std::string FixturePath(const std::string& name) {
    return testing::TempDir() + std::to_string(getpid()) + "_" + name;
}

constexpr int RATE = 32000;

std::vector<int16_t> Tone(double seconds) {
    std::vector<int16_t> pcm(static_cast<std::size_t>(seconds * RATE));
    for (std::size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = static_cast<int16_t>(8000.0 * std::sin(2.0 * M_PI * 440.0 * i / RATE));
    return pcm;
}

template <typename T> void Put(std::ofstream& out, T value) {
    out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

// A mono 16-bit PCM RIFF file.
std::string WriteWav(const std::string& name, double seconds) {
    const std::vector<int16_t> pcm = Tone(seconds);
    const uint32_t bytes = static_cast<uint32_t>(pcm.size() * 2);
    const std::string path = FixturePath(name);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    Put<uint32_t>(out, 36 + bytes);
    out.write("WAVEfmt ", 8);
    Put<uint32_t>(out, 16);
    Put<uint16_t>(out, 1); // PCM
    Put<uint16_t>(out, 1); // mono
    Put<uint32_t>(out, RATE);
    Put<uint32_t>(out, RATE * 2);
    Put<uint16_t>(out, 2);
    Put<uint16_t>(out, 16);
    out.write("data", 4);
    Put<uint32_t>(out, bytes);
    out.write(reinterpret_cast<const char*>(pcm.data()), bytes);
    return path;
}

std::string WriteMp3(const std::string& name, double seconds) {
    std::vector<int16_t> pcm = Tone(seconds);
    lame_global_flags* lame = lame_init();
    lame_set_num_channels(lame, 1);
    lame_set_in_samplerate(lame, RATE);
    lame_set_mode(lame, MONO);
    lame_set_brate(lame, 64);
    lame_init_params(lame);
    std::vector<unsigned char> mp3(pcm.size() * 5 / 4 + 7200 + 7200);
    int n = lame_encode_buffer(lame, pcm.data(), nullptr, static_cast<int>(pcm.size()), mp3.data(),
                               static_cast<int>(mp3.size()));
    n += lame_encode_flush(lame, mp3.data() + n, static_cast<int>(mp3.size()) - n);
    lame_close(lame);
    const std::string path = FixturePath(name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(mp3.data()), n);
    return path;
}

bool WaitUntilSilent(int channel) {
    for (int i = 0; i < 300 && Mix_Playing(channel); ++i)
        SDL_Delay(10);
    return !Mix_Playing(channel);
}

class MusicTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 0); // CTest sets it; a direct run may not
        longWav = WriteWav("music_long.wav", 1.0);
        shortWav = WriteWav("music_short.wav", 0.02);
        mp3 = WriteMp3("music_tone.mp3", 0.5);
    }
    static void TearDownTestSuite() {
        for (const std::string& f : {longWav, shortWav, mp3})
            std::remove(f.c_str());
    }
    void SetUp() override { ASSERT_TRUE(Music::InitMusic()); }
    void TearDown() override { Music::StopMusic(); }

    static inline std::string longWav, shortWav, mp3;
};

TEST_F(MusicTest, LoadsWavAndMp3AndPlaysThem) {
    const uint32_t wav = Music::LoadSound(longWav.c_str());
    const uint32_t tune = Music::LoadSound(mp3.c_str());
    ASSERT_EQ(wav, 1u);
    ASSERT_EQ(tune, 2u);
    Music::PlaySound(wav, false);
    Music::PlaySound(tune, true);
    EXPECT_EQ(Mix_Playing(-1), 2);
    EXPECT_NE(Music::SoundChannel(wav), Music::SoundChannel(tune));
    Music::StopSound(tune);
    EXPECT_EQ(Music::SoundChannel(tune), -1);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(MusicTest, TableReusesLowestFreeEntryAndTrimsTheTail) {
    EXPECT_EQ(Music::LoadSound(longWav.c_str()), 1u);
    EXPECT_EQ(Music::LoadSound(longWav.c_str()), 2u);
    EXPECT_EQ(Music::LoadSound(longWav.c_str()), 3u);
    Music::UnLoadSound(2);
    EXPECT_EQ(Music::SoundTableLength(), 3u);
    EXPECT_EQ(Music::LoadSound(shortWav.c_str()), 2u);
    Music::UnLoadSound(2);
    Music::UnLoadSound(3);
    EXPECT_EQ(Music::SoundTableLength(), 1u);
    EXPECT_EQ(Music::LoadSound(longWav.c_str()), 2u);
}

TEST_F(MusicTest, MissingFileGivesHandleZeroAndOneLineNamingIt) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(Music::LoadSound("muziek\\no_such_sound.mp3"), 0u);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("muziek\\no_such_sound.mp3"), std::string::npos);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1);
    EXPECT_EQ(Music::SoundTableLength(), 0u);
}

TEST_F(MusicTest, InvalidHandlesAreIgnored) {
    const uint32_t h = Music::LoadSound(longWav.c_str());
    Music::PlaySound(h, true);
    Music::UnLoadSound(h);
    for (uint32_t bad : {0u, h, 7u}) {
        Music::PlaySound(bad, true);
        Music::SetSoundVolume(bad, 10);
        Music::StopSound(bad);
        Music::UnLoadSound(bad);
        EXPECT_EQ(Music::SoundChannel(bad), -1);
    }
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(Music::SoundTableLength(), 0u);
}

TEST_F(MusicTest, PlayingAgainRestartsWithOnePlayAtFullVolume) {
    const uint32_t h = Music::LoadSound(longWav.c_str());
    Music::PlaySound(h, true);
    Music::SetSoundVolume(h, 0);
    Music::PlaySound(h, false);
    const int channel = Music::SoundChannel(h);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_EQ(Mix_Volume(channel, -1), MIX_MAX_VOLUME);
}

TEST_F(MusicTest, VolumeScalesClampsAndNeedsATrackedPlay) {
    const uint32_t h = Music::LoadSound(longWav.c_str());
    Music::SetSoundVolume(h, 10); // never played: nothing to change
    Music::PlaySound(h, true);
    const int channel = Music::SoundChannel(h);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(Mix_Volume(channel, -1), MIX_MAX_VOLUME);
    Music::SetSoundVolume(h, 300);
    EXPECT_EQ(Mix_Volume(channel, -1), MIX_MAX_VOLUME);
    Music::SetSoundVolume(h, 170);
    EXPECT_EQ(Mix_Volume(channel, -1), 85);
    Music::SetSoundVolume(h, 0);
    EXPECT_EQ(Mix_Volume(channel, -1), 0);
    Music::StopSound(h);
    Music::SetSoundVolume(h, 200);
    EXPECT_EQ(Mix_Volume(channel, -1), 0);
}

TEST_F(MusicTest, IdOfAnEndedPlayLeavesALaterPlayOnItsChannelAlone) {
    const uint32_t blip = Music::LoadSound(shortWav.c_str());
    const uint32_t tune = Music::LoadSound(longWav.c_str());
    Music::PlaySound(blip, false);
    const int channel = Music::SoundChannel(blip);
    ASSERT_TRUE(WaitUntilSilent(channel));
    Music::PlaySound(tune, true);
    ASSERT_EQ(Music::SoundChannel(tune), channel); // the freed channel is taken again
    EXPECT_EQ(Music::SoundChannel(blip), -1);
    Music::SetSoundVolume(blip, 0);
    Music::StopSound(blip);
    EXPECT_TRUE(Mix_Playing(channel));
    EXPECT_EQ(Mix_Volume(channel, -1), MIX_MAX_VOLUME);
}

TEST_F(MusicTest, FreeingASampleEndsItsPlay) {
    const uint32_t a = Music::LoadSound(longWav.c_str());
    const uint32_t b = Music::LoadSound(mp3.c_str());
    Music::PlaySound(a, true);
    Music::PlaySound(b, true);
    const int channelB = Music::SoundChannel(b);
    Music::UnLoadSound(a);
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_TRUE(Mix_Playing(channelB));
    Music::StopMusic(); // ends b's play and every handle with it
    EXPECT_EQ(Music::LoadSound(longWav.c_str()), 0u);
    EXPECT_TRUE(Music::InitMusic());
    EXPECT_EQ(Music::SoundTableLength(), 0u);
}

TEST_F(MusicTest, WithoutAnAudioDeviceEveryCallIsSilent) {
    Music::StopMusic();
    const char* old = SDL_getenv("SDL_AUDIODRIVER");
    const std::string saved = old ? old : "";
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    const bool opened = Music::InitMusic();
    old ? setenv("SDL_AUDIODRIVER", saved.c_str(), 1) : unsetenv("SDL_AUDIODRIVER");
    ASSERT_FALSE(opened);
    testing::internal::CaptureStdout();
    const uint32_t h = Music::LoadSound(longWav.c_str());
    Music::PlaySound(1, true);
    Music::SetSoundVolume(1, 100);
    Music::StopSound(1);
    Music::UnLoadSound(1);
    Music::StopMusic();
    EXPECT_EQ(h, 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(Music::SoundTableLength(), 0u);
    ASSERT_TRUE(Music::InitMusic()); // for TearDown
}

} // namespace

// Streamed music as the game plays it: it starts, loops, takes its volume
// under the master volume and stops as a chunk did, and a new piece ends the
// one before.
TEST_F(MusicTest, StreamedMusicStartsLoopsAndStopsAsAChunkDid) {
    const uint32_t menu = Music::LoadMusic(shortWav.c_str()); // 20 ms
    const uint32_t game = Music::LoadMusic(mp3.c_str());
    const uint32_t blip = Music::LoadSound(shortWav.c_str());
    ASSERT_EQ(menu, 1u);
    ASSERT_EQ(game, 2u);
    Music::PlaySound(menu, true);
    EXPECT_EQ(Music::SoundChannel(menu), 64);
    SDL_Delay(150);
    EXPECT_TRUE(Mix_PlayingMusic()); // looped long past its end
    Music::SetSoundVolume(menu, 170);
    EXPECT_EQ(Mix_VolumeMusic(-1), 85);
    Music::ChangeVolume(-5); // the player's volume at half
    EXPECT_EQ(Mix_VolumeMusic(-1), 85 * 64 / 128);
    Music::ChangeVolume(5);

    Music::PlaySound(game, true); // the menu music gives way, at full volume
    EXPECT_EQ(Music::SoundChannel(menu), -1);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    Music::SetSoundVolume(menu, 0);
    Music::StopSound(menu); // an ended play's id touches nothing
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    Music::PlaySound(blip, false); // chunks play beside it
    EXPECT_EQ(Mix_Playing(-1), 1);
    Music::StopSound(game);
    EXPECT_FALSE(Mix_PlayingMusic());

    Music::PlaySound(menu, false); // once: it ends by itself
    for (int i = 0; i < 100 && Mix_PlayingMusic(); ++i)
        SDL_Delay(10);
    EXPECT_FALSE(Mix_PlayingMusic());
    Music::PlaySound(game, true);
    Music::UnLoadSound(game); // freeing it ends its play
    EXPECT_FALSE(Mix_PlayingMusic());
    EXPECT_EQ(Music::SoundTableLength(), 3u);
}
