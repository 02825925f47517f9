// The data folder the build prepares: every picture at the size the game loads it, masks that
// are truly two-coloured, sounds that decode, a fresh high-score table and levels that check.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../../tools/assetgen/AssetList.h"
#include "Kolvemar_Constanten_en_Types.h"
#include "LevelCreator.h"
#include "Music.h"
#include "Wimdows.h"

namespace {

namespace K = Kolvemar_Constanten_en_Types;

const std::string kGame = KT_GAME_DIR;
constexpr float S = AssetList::S, kBar = AssetList::kBar;

struct Designed {
    std::string file;
    int number;
    bool tutorial;
};

// Every level and tutorial file named by the shipped Constanten.txt.
std::vector<Designed> LevelFiles() {
    std::ifstream constants(kGame + "/Constanten.txt");
    int levels = 0, tutorials = 0;
    constants >> levels >> tutorials;
    std::vector<Designed> files;
    for (int n = 1; n <= levels; ++n)
        files.push_back({kGame + "/levels/level" + std::to_string(n) + ".txt", n, false});
    for (int n = 1; n <= tutorials; ++n)
        files.push_back({kGame + "/levels/tutorial" + std::to_string(n) + ".txt", n, true});
    return files;
}

std::string PlatformName(const char* gamePath) {
    std::string p(gamePath);
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

bool Inside(const K::Level& l, const K::Object& o) {
    const float r = float(o.grootte);
    return o.x >= l.margerelinks + r && o.x <= S - l.margerechts - r &&
           o.y >= kBar + l.margeboven + r && o.y <= S - l.margeonder - r;
}

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

// Runs in the data folder, as the game does, and goes back afterwards. Sound goes to SDL's
// dummy device, so that a machine without a sound card still decodes every file.
struct InGameFolder {
    std::filesystem::path before = std::filesystem::current_path();
    InGameFolder() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::filesystem::current_path(kGame);
    }
    ~InGameFolder() { std::filesystem::current_path(before); }
};

// The name as the game spells it: backslashes between the folders.
std::string GameName(const std::string& path) {
    std::string name = path;
    for (char& c : name)
        if (c == '/') c = '\\';
    return name;
}

} // namespace

TEST(DataFolder, TheGameLayersLoadEveryPictureAndSoundByTheGamesOwnNames) {
    InGameFolder here;
    for (const auto& file : AssetList::AllPictures()) {
        const uint32_t bitmap =
            Wimdows::LoadBitmap(GameName(file.path).c_str(), file.width, file.height);
        EXPECT_NE(bitmap, 0u) << file.path;
        Wimdows::DestroyBitmap(bitmap);
    }
    Music::InitMusic();
    for (const auto name : AssetList::kSounds) {
        const uint32_t sound = Music::LoadSound(std::string(name).c_str());
        EXPECT_NE(sound, 0u) << name;
        Music::UnLoadSound(sound);
    }
    Music::StopMusic();
}

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
    InGameFolder here;
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(32000, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    for (const auto name : AssetList::kSounds) {
        SCOPED_TRACE(std::string(name));
        Mix_Chunk* chunk = Mix_LoadWAV(std::string(name).c_str());
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        const double seconds = chunk->alen / (32000.0 * 2 * 2);
        if (name.ends_with("glock22.mp3")) {
            EXPECT_LT(seconds, 1.0);
        } else if (name.ends_with("Intro.mp3")) {
            EXPECT_NEAR(seconds, 19.0, 1.0); // as long as the intro animation
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
    ASSERT_TRUE(std::filesystem::exists(tool));
    const auto files = LevelFiles();
    ASSERT_GE(files.size(), 15u);
    for (const Designed& d : files) {
        SCOPED_TRACE(d.file);
        ASSERT_TRUE(std::filesystem::exists(d.file));
        const std::string cmd = tool.string() + " check '" + d.file + "' > /dev/null";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }
}

// What a designer can get wrong without the file format noticing.
TEST(LevelDesigns, EveryLevelIsPlayableAsDrawn) {
    static K::Level level; // large: keep it off the stack
    for (const Designed& d : LevelFiles()) {
        SCOPED_TRACE(d.file);
        ASSERT_TRUE(LevelCreator::Leeslevel(d.file, level));
        EXPECT_EQ(level.vordering, unsigned(d.number)) << "the driver builds the next name from it";
        SDL_Surface* bg =
            SDL_LoadBMP((kGame + "/" + PlatformName(level.locatieachtergrond)).c_str());
        ASSERT_NE(bg, nullptr) << level.locatieachtergrond;
        EXPECT_EQ(bg->w, int(S));
        SDL_FreeSurface(bg);
        const K::Object& player = level.objecten[0];
        // The exit's centre (S / 2, S - 47) must be within 22 of where the player can stand.
        EXPECT_LT(level.margeonder + float(player.grootte), 47.0f + 22.0f);
        bool armoured = false, exploding = false;
        for (int i = 0; i <= K::OBJECT_MAX; ++i) {
            const K::Object& o = level.objecten[i];
            SCOPED_TRACE("object " + std::to_string(i));
            EXPECT_TRUE(!o.levend || Inside(level, o)) << o.x << ", " << o.y;
            if (i < 1 || i > 50 || (!o.levend && o.death == K::doodsoort::niets)) continue;
            // The picture is drawn for one radius; anything else looks off its circle.
            ASSERT_LT(o.tekennummer, unsigned(AssetList::kMonsterCount));
            EXPECT_EQ(o.grootte, AssetList::MonsterRadius(int(o.tekennummer) + 1));
            armoured = armoured || o.armoraan;
            exploding = exploding || o.death == K::doodsoort::explosion;
            if (o.death == K::doodsoort::spawen) {
                ASSERT_LE(i + 4, 50);
                for (int c = i + 1; c <= i + 4; ++c)
                    EXPECT_FALSE(level.objecten[c].levend);
            }
        }
        // Bullets pass through armour: only a blast can kill an armoured monster.
        EXPECT_TRUE(!armoured || exploding);
    }
}

TEST(LevelDesigns, TogetherTheyUseEveryKindOfMonster) {
    static K::Level level;
    std::set<K::bewegingssoort> moves;
    std::set<K::Inteligentie> aims;
    std::set<std::array<float, 4>> margins;
    std::set<int> pickups;
    bool spawner = false, exploder = false, armour = false;
    for (const Designed& d : LevelFiles()) {
        ASSERT_TRUE(LevelCreator::Leeslevel(d.file, level));
        margins.insert({level.margerelinks, level.margerechts, level.margeboven, level.margeonder});
        for (int i = 1; i <= 50; ++i) {
            const K::Object& o = level.objecten[i];
            moves.insert(o.soortbeweging);
            if (o.wapens.actief) aims.insert(o.wapens.inteligentie);
            spawner = spawner || o.death == K::doodsoort::spawen;
            exploder = exploder || o.death == K::doodsoort::explosion;
            armour = armour || o.armoraan;
        }
        for (int i = 51; i <= 60; ++i)
            if (level.objecten[i].levend) pickups.insert(i);
    }
    EXPECT_EQ(moves.size(), 6u);
    EXPECT_EQ(aims.size(), 7u);
    EXPECT_EQ(pickups.size(), 10u);
    EXPECT_GE(margins.size(), 5u);
    EXPECT_TRUE(spawner && exploder && armour);
}
