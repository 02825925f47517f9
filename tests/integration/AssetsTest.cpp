// The data folder the build prepares: every picture at the size the game loads it, masks that
// are truly two-coloured, sounds that decode, a fresh high-score table and levels that check.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../../tools/assetgen/AssetList.h"

namespace {

const std::string kGame = KT_GAME_DIR;

std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// True when every pixel is pure black or pure white.
bool TwoColoured(SDL_Surface* s) {
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGB888, 0);
    bool ok = rgb != nullptr;
    for (int y = 0; ok && y < rgb->h; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(rgb->pixels) + y * rgb->pitch);
        for (int x = 0; ok && x < rgb->w; ++x) {
            const uint32_t p = row[x] & 0xFFFFFF;
            ok = p == 0 || p == 0xFFFFFF;
        }
    }
    SDL_FreeSurface(rgb);
    return ok;
}

} // namespace

TEST(DataFolder, EveryPictureLoadsAtItsSizeAndMasksAreTwoColoured) {
    int masks = 0;
    for (const auto& file : AssetList::AllPictures()) {
        SCOPED_TRACE(file.path);
        SDL_Surface* s = SDL_LoadBMP((kGame + "/" + file.path).c_str());
        ASSERT_NE(s, nullptr) << SDL_GetError();
        EXPECT_EQ(s->w, file.width);
        EXPECT_EQ(s->h, file.height);
        const bool isMask = file.path.find("_mask") != std::string::npos ||
                            file.path.find("/nummers/") != std::string::npos ||
                            file.path.ends_with("Tamsel5.bmp");
        if (isMask && file.path.find("rood") == std::string::npos) {
            EXPECT_TRUE(TwoColoured(s));
            ++masks;
        }
        SDL_FreeSurface(s);
    }
    EXPECT_GE(masks, 80);
}

TEST(DataFolder, EverySoundDecodesToAPlausibleLength) {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(32000, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    for (const auto name : AssetList::kSounds) {
        SCOPED_TRACE(std::string(name));
        Mix_Chunk* chunk = Mix_LoadWAV((kGame + "/" + std::string(name)).c_str());
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        const double seconds = chunk->alen / (32000.0 * 2 * 2);
        if (name.ends_with("glock22.mp3")) {
            EXPECT_LT(seconds, 1.0);
        } else if (name.ends_with("Intro.mp3")) {
            EXPECT_NEAR(seconds, 15.5, 1.0);
        } else if (name.ends_with("Fire.mp3") || name.ends_with("Solid_2.mp3")) {
            EXPECT_GT(seconds, 20.0);
        } else {
            EXPECT_GT(seconds, 1.0);
        }
        Mix_FreeChunk(chunk);
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

TEST(DataFolder, HighScoreTableStartsWithTenEmptyEntries) {
    const std::string text = Slurp(kGame + "/Highscores.txt");
    ASSERT_EQ(text.size(), 1184u);
    EXPECT_TRUE(text.starts_with("Dit zijn de Higscores van KolvemarTrovix\r\n"));
    size_t lines = 0, zeros = 0;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line); ++lines) {
        EXPECT_TRUE(line.ends_with('\r'));
        if (line == "         0\r") ++zeros;
    }
    EXPECT_EQ(lines, 102u);
    EXPECT_EQ(zeros, 90u);
}

TEST(DataFolder, EveryLevelAndTutorialPassesTheLevelCheck) {
    const std::filesystem::path tool = std::filesystem::path(kGame) / ".." / "bin" / "levelcreator";
    if (!std::filesystem::exists(tool)) GTEST_SKIP() << "levelcreator is not built";
    std::ifstream constants(kGame + "/Constanten.txt");
    int levels = 0, tutorials = 0;
    constants >> levels >> tutorials;
    ASSERT_GE(levels, 12);
    ASSERT_GE(tutorials, 3);
    auto check = [&](const std::string& stem, int n) {
        const std::string file = kGame + "/levels/" + stem + std::to_string(n) + ".txt";
        SCOPED_TRACE(file);
        ASSERT_TRUE(std::filesystem::exists(file));
        const std::string cmd = tool.string() + " check '" + file + "' > /dev/null";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    };
    for (int n = 1; n <= levels; ++n)
        check("level", n);
    for (int n = 1; n <= tutorials; ++n)
        check("tutorial", n);
}
