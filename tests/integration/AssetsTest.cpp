// The data folder the build prepares: every picture at the size the game loads it, masks that
// are truly two-coloured, sounds that decode, and levels that check and play as drawn.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
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

// Where the white pixels of a mask lie, in pixel-centre coordinates.
struct Shape {
    int w = 0, h = 0;
    std::vector<std::array<double, 2>> points;
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9; // extreme pixel edges
    double CentreX() const { return (left + right) / 2; }
    double CentreY() const { return (top + bottom) / 2; }
    // Distance of the farthest pixel centre from (x, y).
    double Reach(double x, double y) const {
        double r = 0;
        for (const auto& p : points)
            r = std::max(r, std::hypot(p[0] - x, p[1] - y));
        return r;
    }
};

Shape ShapeOf(const std::string& path) {
    Shape shape;
    SDL_Surface* s = SDL_LoadBMP((kGame + "/" + path).c_str());
    SDL_Surface* rgb = s ? SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGB888, 0) : nullptr;
    SDL_FreeSurface(s);
    if (rgb == nullptr) {
        ADD_FAILURE() << path << ": " << SDL_GetError();
        return shape;
    }
    shape.w = rgb->w;
    shape.h = rgb->h;
    for (int y = 0; y < rgb->h; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(rgb->pixels) + y * rgb->pitch);
        for (int x = 0; x < rgb->w; ++x) {
            if ((row[x] & 0xFFFFFF) == 0) continue;
            shape.points.push_back({x + 0.5, y + 0.5});
            shape.left = std::min(shape.left, double(x));
            shape.right = std::max(shape.right, x + 1.0);
            shape.top = std::min(shape.top, double(y));
            shape.bottom = std::max(shape.bottom, y + 1.0);
        }
    }
    SDL_FreeSurface(rgb);
    return shape;
}

// True when the shape keeps `margin` pixels clear on every side of its picture.
bool ClearOfEdges(const Shape& s, int margin) {
    return !s.points.empty() && s.left >= margin && s.top >= margin && s.right <= s.w - margin &&
           s.bottom <= s.h - margin;
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

TEST(DataFolder, EveryWordedPictureFitsItsBoxInEveryLanguage) {
    // The generator's report beside the data folder: language, width, box, size asked, size drawn.
    std::ifstream in(kGame + "/../fit-report.txt");
    std::map<std::string, int> fits;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream row(line);
        std::string language;
        double width = 0, box = 0, asked = 0, drawn = 0;
        ASSERT_TRUE(row >> language >> width >> box >> asked >> drawn) << line;
        EXPECT_LE(width, box) << line;
        // Shrunk, never beyond legibility; the Dutch as designed.
        EXPECT_GE(drawn, asked * 0.65) << line;
        EXPECT_TRUE(language != "nl" || drawn == asked) << line;
        ++fits[language];
    }
    ASSERT_GT(fits["nl"], 60);
    for (std::string_view code : AssetList::kLanguages)
        // The digits, "/", ")" and the four language names are drawn once.
        EXPECT_EQ(fits[std::string(code)], fits["nl"] - 16) << code;
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

// The game draws a monster or pick-up at (x - 21, y - 21) around its hit circle's centre.
TEST(DataFolder, FiguresSitOnTheirHitCirclesAndFitWhereTheGameDrawsThem) {
    constexpr double kCentre = 21;
    for (int n = 1; n <= AssetList::kMonsterCount; ++n) {
        SCOPED_TRACE("monster " + std::to_string(n));
        const Shape m =
            ShapeOf(std::string(AssetList::kMonsterStem) + std::to_string(n) + "_mask.bmp");
        EXPECT_TRUE(ClearOfEdges(m, 1));
        EXPECT_NEAR(m.CentreX(), kCentre, 2.0);
        EXPECT_NEAR(m.CentreY(), kCentre, 2.0);
        EXPECT_LE(m.Reach(kCentre, kCentre), AssetList::MonsterRadius(n) + 2.0);
    }
    for (const char* pickup : {"images/armor_mask.bmp", "images/leven_mask.bmp"})
        EXPECT_TRUE(ClearOfEdges(ShapeOf(pickup), 1)) << pickup;
    // The high-score screen sets digits 15 pixels apart.
    for (int d = 0; d <= 9; ++d) {
        const Shape digit = ShapeOf("images/nummers/" + std::to_string(d) + ".bmp");
        EXPECT_TRUE(!digit.points.empty() && digit.left >= 0 && digit.right <= 14) << d;
    }
    // In a level the picture stands at x = 300, on the result sheet at x = 400 in front of a
    // frame at 792: the lettering belongs around x = 100 of the picture, 200 wide at most.
    const Shape over = ShapeOf("images/gameover_mask.bmp");
    EXPECT_NEAR(over.CentreX(), 100.0, 6.0);
    EXPECT_LE(over.right - over.left, 210.0);
    EXPECT_TRUE(ClearOfEdges(over, 1));
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
            const int picture = int(o.tekennummer) + 1;
            EXPECT_EQ(o.grootte, AssetList::MonsterRadius(picture));
            // A player tells by sight which monsters explode and which ones spawn.
            EXPECT_EQ(o.death == K::doodsoort::explosion, AssetList::ExploderPicture(picture));
            EXPECT_EQ(o.death == K::doodsoort::spawen, AssetList::SpawnerPicture(picture));
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
