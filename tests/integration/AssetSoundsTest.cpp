// The sounds as the game hears them: decoded by SDL_mixer at its 32 kHz, mixed the way the mixer
// mixes channels (each scaled by its volume, summed and clipped), and measured.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "../../tools/assetgen/AssetList.h"
#include "../../tools/assetgen/Loudness.h"

namespace {

const std::string kGame = KT_GAME_DIR;
constexpr int kRate = AssetList::kMixRate;

// Interleaved stereo, as the mixer holds a chunk.
using Pcm = std::vector<int16_t>;

class DecodedSounds : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    }
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    static Pcm Decode(std::string_view name) {
        Mix_Chunk* chunk = Mix_LoadWAV((kGame + "/" + std::string(name)).c_str());
        if (chunk == nullptr) {
            ADD_FAILURE() << name << ": " << Mix_GetError();
            return {};
        }
        const auto* s = reinterpret_cast<const int16_t*>(chunk->abuf);
        Pcm pcm(s, s + chunk->alen / 2);
        Mix_FreeChunk(chunk);
        return pcm;
    }
};

// The mixer's own channel volume for the game's 0-255 scale.
int MixerVolume(int volume) {
    return (volume * MIX_MAX_VOLUME + 127) / 255;
}

double Db(double ratio) {
    return 20 * std::log10(std::max(ratio, 1e-9));
}

// Loudness in LUFS of decoded samples played at gain.
double Lufs(const Pcm& pcm, double gain = 1.0) {
    std::vector<float> stereo(pcm.size());
    for (size_t i = 0; i < pcm.size(); ++i)
        stereo[i] = float(gain * pcm[i] / 32768.0);
    return Loudness::Lufs(stereo, kRate);
}

// Share of a sound's energy between lo and hi Hz, from the spectrum of its mono sum.
double BandShare(const Pcm& pcm, double lo, double hi) {
    size_t n = 1;
    while (n < pcm.size() / 2)
        n *= 2;
    std::vector<std::complex<double>> a(n);
    for (size_t i = 0; i < pcm.size() / 2; ++i)
        a[i] = (pcm[2 * i] + pcm[2 * i + 1]) / 65536.0;
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len *= 2) {
        const std::complex<double> w = std::polar(1.0, -2 * M_PI / double(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> t = 1;
            for (size_t k = 0; k < len / 2; ++k, t *= w) {
                const auto u = a[i + k], v = a[i + k + len / 2] * t;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
    double band = 0, all = 0;
    for (size_t k = 1; k < n / 2; ++k) {
        const double f = double(k) * kRate / double(n), e = std::norm(a[k]);
        all += e;
        if (f >= lo && f < hi) band += e;
    }
    return all > 0 ? band / all : 0;
}

struct MixFigures {
    double peakDb;
    long clipped;
    double loudness;
};

// A level as it sounds: the music looping at the game's volume, the gun held (the game restarts
// its loop every kGunFrames frames) and an explosion every 1.5 s, over one pass of the music.
MixFigures InGameMix(const Pcm& music, const Pcm& gun, const Pcm& boom) {
    const int musicVolume = MixerVolume(AssetList::kGameMusicVolume);
    const size_t restart = size_t(AssetList::kGunLoopMs) * kRate / 1000 * 2;
    const size_t blast = size_t(kRate) * 3; // 1.5 s of stereo samples
    MixFigures f{-200, 0, 0};
    Pcm mixed(music.size());
    double peak = 0;
    for (size_t i = 0; i < music.size(); ++i) {
        // Each channel adds into the stream at its volume and the sum is clipped, as the mixer
        // does.
        int acc = std::clamp(music[i] * musicVolume / MIX_MAX_VOLUME, -32768, 32767);
        int exact = music[i] * musicVolume / MIX_MAX_VOLUME;
        const size_t g = i % restart;
        if (g < gun.size()) acc = std::clamp(acc + gun[g], -32768, 32767), exact += gun[g];
        const size_t b = i % blast;
        if (b < boom.size()) acc = std::clamp(acc + boom[b], -32768, 32767), exact += boom[b];
        peak = std::max(peak, std::abs(double(exact)));
        f.clipped += std::abs(exact) > 32767;
        mixed[i] = int16_t(acc);
    }
    f.peakDb = Db(peak / 32768.0);
    f.loudness = Lufs(mixed);
    return f;
}

double PeakDb(const Pcm& pcm) {
    int peak = 0;
    for (int16_t s : pcm)
        peak = std::max(peak, std::abs(int(s)));
    return Db(peak / 32768.0);
}

} // namespace

TEST_F(DecodedSounds, TheInGameMixHasHeadroomAndTheLayersSitInBalance) {
    const Pcm menu = Decode("muziek/Fire.mp3"), game = Decode("muziek/Metal_Gear_Solid_2.mp3");
    const Pcm gun = Decode("muziek/glock22.mp3"), boom = Decode("muziek/explosion.mp3");
    ASSERT_FALSE(menu.empty() || game.empty() || gun.empty() || boom.empty());
    const MixFigures mix = InGameMix(game, gun, boom);
    const double gameAsPlayed =
        Lufs(game, double(MixerVolume(AssetList::kGameMusicVolume)) / MIX_MAX_VOLUME);
    const double menuAsPlayed = Lufs(menu), gunLevel = Lufs(gun);
    std::printf("mix: peak %.1f dBFS, %ld clipped samples, %.1f LUFS; menu %.1f, game %.1f, "
                "gun %.1f, explosion %.1f LUFS; gun peak %.1f, explosion peak %.1f dBFS\n",
                mix.peakDb, mix.clipped, mix.loudness, menuAsPlayed, gameAsPlayed, gunLevel,
                Lufs(boom), PeakDb(gun), PeakDb(boom));
    EXPECT_EQ(mix.clipped, 0);
    EXPECT_NEAR(menuAsPlayed, gameAsPlayed, 3.0) << "the music jumps when a level starts";
    EXPECT_LT(gunLevel, gameAsPlayed) << "the held gun drowns the music";
    EXPECT_GT(PeakDb(boom), PeakDb(gun)) << "the explosion is the loudest effect";
}

TEST_F(DecodedSounds, TheGunIsOneSeventeenFrameLoopWithBodyAndTheExplosionCracks) {
    const Pcm gun = Decode("muziek/glock22.mp3"), boom = Decode("muziek/explosion.mp3");
    // The game restarts the held gun every kGunFrames frames: one loop, no gap, no double shot.
    EXPECT_EQ(gun.size() / 2, size_t(AssetList::kGunLoopMs) * kRate / 1000);
    const double body = BandShare(gun, 300, 3000), crack = BandShare(boom, 2000, kRate / 2.0);
    std::printf("gun: %.0f%% of its energy in 300 Hz-3 kHz; explosion: %.0f%% above 2 kHz\n",
                100 * body, 100 * crack);
    EXPECT_GT(body, 0.5) << "a thin tick on small speakers";
    EXPECT_GT(crack, 0.10) << "a muffled thud";
}

TEST_F(DecodedSounds, TheGameMusicRunsTwoMinutesAndBothMusicsLoopWithoutAGap) {
    const Pcm menu = Decode("muziek/Fire.mp3"), game = Decode("muziek/Metal_Gear_Solid_2.mp3");
    ASSERT_FALSE(menu.empty() || game.empty());
    EXPECT_GE(game.size() / 2, size_t(120 * kRate));
    for (const Pcm* loop : {&menu, &game}) {
        // No fade at either end: the last 20 ms and the first 20 ms carry the music on.
        const size_t edge = kRate / 50 * 2;
        auto rms = [&](size_t from, size_t count) {
            double sum = 0;
            for (size_t i = from; i < from + count; ++i)
                sum += double((*loop)[i]) * (*loop)[i];
            return std::sqrt(sum / double(count));
        };
        const double whole = rms(0, loop->size());
        EXPECT_GT(rms(0, edge), 0.1 * whole);
        EXPECT_GT(rms(loop->size() - edge, edge), 0.1 * whole);
    }
}

// Decoded as the game streams them, a loop's last sample runs into its first
// as any sample into the next around it (no click), and the level holds up to
// the loop point on both sides (no dip).
TEST_F(DecodedSounds, BothMusicsRunOnAcrossTheirLoopPoint) {
    for (const char* name : {"muziek/Fire.mp3", "muziek/Metal_Gear_Solid_2.mp3"}) {
        SCOPED_TRACE(name);
        const Pcm loop = Decode(name);
        ASSERT_GT(loop.size(), size_t(kRate));
        const size_t n = loop.size(), near = 2 * 64, five = 2 * (kRate / 200);
        int seam = 0, around = 0;
        for (size_t c = 0; c < 2; ++c)
            seam = std::max(seam, std::abs(loop[c] - loop[n - 2 + c]));
        for (size_t i = 2; i < near; ++i) {
            around = std::max(around, std::abs(loop[i] - loop[i - 2]));
            around = std::max(around, std::abs(loop[n - i] - loop[n - i - 2]));
        }
        EXPECT_LE(seam, around);
        auto rms = [&](size_t from) {
            double sum = 0;
            for (size_t i = from; i < from + five; ++i)
                sum += double(loop[i]) * loop[i];
            return std::sqrt(sum / double(five));
        };
        EXPECT_GT(rms(n - five), 0.5 * rms(n - 2 * five)); // within 6 dB
        EXPECT_GT(rms(0), 0.5 * rms(five));
    }
}

// Stored at the mixer's rate, so that nothing is resampled at load and every loop stays exact.
TEST(StoredSounds, EveryFileIsAnMpegOneFileAtTheMixersRate) {
    for (const auto name : AssetList::kSounds) {
        std::ifstream f(kGame + "/" + std::string(name), std::ios::binary);
        std::array<unsigned char, 4> header{};
        f.read(reinterpret_cast<char*>(header.data()), header.size());
        // The first frame's header: sync bits, MPEG-1 layer III, then the rate index (2 = 32 kHz).
        EXPECT_TRUE(f && header[0] == 0xFF && (header[1] & 0xFE) == 0xFA) << name;
        EXPECT_EQ((header[2] >> 2) & 3, 2) << name;
    }
}
