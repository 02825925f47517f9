#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "../support/SdlInput.h"
#include "../support/TestSound.h"
#include "../support/VirtualPad.h"
#include "Kolvemar_Animations.h"
#include "Kolvemar_Constanten_en_Types.h"
#include "Music.h"
#include "Time.h"
#include "Wimdows.h"

namespace K = Kolvemar_Constanten_en_Types;
namespace A = Kolvemar_Animations;
namespace fs = std::filesystem;

namespace {

constexpr int32_t SIZE = 600;
constexpr int32_t BALK = 100;
constexpr uint32_t GROEN = 0xFF00;
constexpr uint32_t BALKKLEUR = 0x456816;

// Colours as 0x00BBGGRR, one per picture so a pixel tells which one is showing.
constexpr uint32_t WIT = 0xFFFFFF;
constexpr uint32_t FIRE[4] = {0x0000C0, 0x0040C0, 0x0080C0, 0x00C0C0}; // fire3 to fire6
constexpr uint32_t TITEL = 0x800080;
constexpr uint32_t TEKENING[7] = {0, 0x400000, 0x004000, 0x000040, 0x404000, 0, 0x202020};
constexpr uint32_t MUREN = 0x808080;
constexpr uint32_t ROBOT = 0x0000FF;
constexpr uint32_t LEVEL = 0x102030;

void SaveBmp(const std::string& name, int32_t w, int32_t h, uint32_t colour,
             int32_t whiteRows = 0) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_BGR24);
    const auto map = [s](uint32_t c) {
        return SDL_MapRGB(s->format, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    };
    SDL_FillRect(s, nullptr, map(colour));
    const SDL_Rect top{0, 0, w, whiteRows};
    if (whiteRows > 0) SDL_FillRect(s, &top, map(WIT));
    fs::create_directories(fs::path(name).parent_path());
    SDL_SaveBMP(s, name.c_str());
    SDL_FreeSurface(s);
}

// The game folder: constants and a distinct picture for everything loaded.
void MakeGameFolder() {
    std::ofstream("Constanten.txt") << "3 2 4.5 5000 600 100 20 30 40 5 60\r\n";
    const std::string bg = "images/Backgrounds/";
    SaveBmp(bg + "wit.bmp", SIZE, SIZE, WIT);
    for (int i = 0; i < 4; ++i)
        SaveBmp(bg + "fire" + std::to_string(i + 3) + ".bmp", SIZE, SIZE, FIRE[i]);
    SaveBmp(bg + "fire_en_tekst.bmp", SIZE, SIZE, TITEL);
    SaveBmp(bg + "level.bmp", SIZE, SIZE, LEVEL);
    const std::string t = "images/Tamsel_images/tekeningen-Tamsel";
    SaveBmp(t + "1.bmp", SIZE / 2, SIZE / 2, TEKENING[1]);
    SaveBmp(t + "2.bmp", SIZE / 2, SIZE / 2, TEKENING[2]);
    SaveBmp(t + "3.bmp", SIZE, SIZE, TEKENING[3]);
    SaveBmp(t + "4.bmp", SIZE, SIZE, TEKENING[4]);
    SaveBmp(t + "5.bmp", SIZE, SIZE, 0, SIZE / 2); // the mask: the upper half shows
    SaveBmp(t + "6.bmp", SIZE, 115, TEKENING[6]);
    SaveBmp("images/ijzerenkanten.bmp", SIZE, SIZE, MUREN);
    int32_t side = 60; // the headings alternate 60 and 65 pixels
    for (const char* r : {"boven", "rechtsboven", "rechts", "rechtsonder", "onder", "linksonder",
                          "links", "linksboven"}) {
        SaveBmp(std::string("images/robot/") + r + ".bmp", side, side, ROBOT);
        SaveBmp(std::string("images/robot/") + r + "_mask.bmp", side, side, WIT);
        side = 125 - side;
    }
    TestSound::Write("muziek/Intro.mp3");
}

// Pushes a key event and waits until the window thread has taken it in.
void Key(SDL_Keycode key, bool down) {
    SdlInput::Key(key, down);
    Wimdows::Sync();
}

void Tap(SDL_Keycode key) {
    Key(key, true);
    Key(key, false);
}

// What the back buffer showed at each pass's wait, read through the clock:
// every read jumps ten seconds, so each wait reads it once and the pacing
// restart once more.
struct Pass {
    uint32_t topLeft, bottomLeft;
};
struct Recorder {
    std::vector<Pass> passes;
    int reads = 0;
    bool paceFirst = false; // the animation restarts the pacing before its first pass
    std::vector<std::pair<int, std::pair<SDL_Keycode, bool>>> script; // pass -> key event
    int endPass = -1;             // the window ends during this pass,
    std::function<void()> ending; // this way
    Time::DateTime now{};
};
Recorder rec;

Time::DateTime FakeClock() {
    const int read = rec.reads++ - (rec.paceFirst ? 1 : 0);
    if (read >= 0 && read % 2 == 0) {
        const int pass = read / 2;
        rec.passes.push_back({Wimdows::GetPixel(5, 5), Wimdows::GetPixel(5, SIZE - 5)});
        for (const auto& [at, event] : rec.script)
            if (at == pass) Key(event.first, event.second);
        if (pass == rec.endPass) {
            rec.ending();
            for (int i = 0; i < 500 && Wimdows::State() == Wimdows::STATE_ACTIVE; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    rec.now.second += 10;
    if (rec.now.second >= 60) {
        rec.now.second -= 60;
        rec.now.minute = (rec.now.minute + 1) % 60;
    }
    return rec.now;
}

class AnimationsTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder = fs::temp_directory_path() / ("kt_animations_" + std::to_string(getpid()));
        fs::create_directories(folder);
        fs::current_path(folder);
        MakeGameFolder();
        K::LeesConstanten("Constanten.txt");
        A::MemoryClearAnimation(); // in case an earlier suite loaded other pictures
        A::Init();
        Wimdows::Window("Kolvemar-Trovix", SIZE, SIZE);
        Wimdows::SetBuffering(true);
        Music::InitMusic();
    }
    static void TearDownTestSuite() {
        Music::StopMusic();
        A::MemoryClearAnimation();
        Wimdows::KillWindow();
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(folder);
    }
    void SetUp() override {
        rec = Recorder{};
        Time::SetClockSource(FakeClock);
        Time::StartIterations(); // so the first wait never sees a zero delay
        rec.reads = 0;
        rec.passes.clear();
        Wimdows::FlushKeys();
    }
    void TearDown() override { Time::SetClockSource(nullptr); }

    static std::unique_ptr<K::Level> Level(float marge) {
        auto level = std::make_unique<K::Level>();
        std::strcpy(level->locatieachtergrond, "images\\Backgrounds\\level.bmp");
        level->margerechts = level->margerelinks = level->margeboven = level->margeonder = marge;
        level->objecten[0].x = 300.7f;
        level->objecten[0].y = 350.2f;
        return level;
    }

    static inline fs::path folder;
};

TEST_F(AnimationsTest, SkipTakesNOnlyAfterItsReleaseAndQAtOnce) {
    Key(SDLK_n, true);
    EXPECT_FALSE(A::skip());
    EXPECT_FALSE(A::skip()); // still held
    Key(SDLK_n, false);
    Tap(SDLK_a); // a waiting press holds the skip back one check
    EXPECT_FALSE(A::skip());
    EXPECT_TRUE(A::skip());
    EXPECT_FALSE(A::skip()); // the release counts once

    Key(SDLK_q, true);
    EXPECT_TRUE(A::skip());
    Key(SDLK_n, true);
    EXPECT_TRUE(A::skip()); // Q wins even while N is held
    Key(SDLK_q, false);
    Key(SDLK_n, false);
    EXPECT_TRUE(A::skip());
}

TEST_F(AnimationsTest, APadsAOrStartSkipsAsNDoes) {
    VirtualPad pad;
    ASSERT_TRUE(pad.Plugged()) << SDL_GetError();
    for (const auto button : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_START}) {
        pad.Button(button, true);
        EXPECT_FALSE(A::skip());
        pad.Button(button, false);
        EXPECT_TRUE(A::skip()) << button;
    }
}

TEST_F(AnimationsTest, StarIsTwoTrianglesInscribedInTheCircle) {
    Wimdows::Rectangle(0, 0, SIZE - 1, SIZE - 1, 0, true);
    A::driehoek(150, 300, 100); // down: (150,350), (193,275), (107,275)
    EXPECT_EQ(Wimdows::GetPixel(150, 300), GROEN);
    EXPECT_EQ(Wimdows::GetPixel(150, 346), GROEN);
    EXPECT_EQ(Wimdows::GetPixel(188, 278), GROEN);
    EXPECT_EQ(Wimdows::GetPixel(150, 354), 0u);
    EXPECT_EQ(Wimdows::GetPixel(150, 271), 0u);
    EXPECT_EQ(Wimdows::GetPixel(180, 320), 0u);

    A::ster(400, 300, 100); // adds the upward triangle: (400,250), (357,325), (443,325)
    EXPECT_EQ(Wimdows::GetPixel(400, 254), GROEN);
    EXPECT_EQ(Wimdows::GetPixel(400, 346), GROEN);
    EXPECT_EQ(Wimdows::GetPixel(438, 322), GROEN);
    EXPECT_EQ(Wimdows::GetPixel(438, 278), GROEN);
    EXPECT_EQ(Wimdows::GetPixel(400, 246), 0u);
    EXPECT_EQ(Wimdows::GetPixel(430, 300 + 40), 0u); // between two points
}

TEST_F(AnimationsTest, TheIntroLoadsItsPicturesOnceAndGivesThemBack) {
    const uint32_t pictures = Wimdows::BitmapTableLength(); // the walls and the robot
    EXPECT_EQ(pictures, 17u);
    uint32_t most = 0;
    rec.ending = [&] { most = std::max(most, Wimdows::BitmapTableLength()); };
    Time::SetClockSource([] {
        rec.ending();
        return FakeClock();
    });
    A::Startup_Animation();
    // Five drawings (of the second only zoomed copies, each gone before its
    // pass ends) and six backgrounds: one picture for the two of the title.
    EXPECT_EQ(most, pictures + 5 + 6);
    EXPECT_EQ(Wimdows::BitmapTableLength(), pictures);
}

TEST_F(AnimationsTest, IntroRunsItsStepsInOrder) {
    const uint32_t pictures = Wimdows::BitmapTableLength();
    A::Startup_Animation();
    EXPECT_EQ(Wimdows::BitmapTableLength(), pictures); // every zoom copy released
    // zoom 150, slide 76, rise 76, fire 50, hold 5, title 15, fade 205
    ASSERT_EQ(rec.passes.size(), 577u);
    for (int p = 0; p < 226; ++p)
        ASSERT_EQ(rec.passes[p].topLeft, TEKENING[6]) << p;
    // The rise: from below the window up to y = 0.
    EXPECT_EQ(rec.passes[226].bottomLeft, WIT);
    EXPECT_EQ(rec.passes[227].bottomLeft, TEKENING[3]);
    EXPECT_EQ(rec.passes[300].topLeft, WIT);
    EXPECT_EQ(rec.passes[301].topLeft, TEKENING[3]);
    for (int n = 1; n <= 50; ++n) {
        EXPECT_EQ(rec.passes[301 + n].topLeft, TEKENING[4]);
        EXPECT_EQ(rec.passes[301 + n].bottomLeft, FIRE[(n / 3) % 4]) << "fire pass " << n;
    }
    for (int p = 352; p < 357; ++p)
        EXPECT_EQ(rec.passes[p].bottomLeft, FIRE[0]);
    for (int p = 357; p < 577; ++p)
        EXPECT_EQ(rec.passes[p].topLeft, TITEL);
    EXPECT_EQ(Music::SoundTableLength(), 0u); // the music is unloaded
}

TEST_F(AnimationsTest, HeldQEndsTheIntroAtTheFirstPass) {
    Key(SDLK_q, true);
    A::Startup_Animation();
    Key(SDLK_q, false);
    EXPECT_EQ(rec.passes.size(), 1u);
    EXPECT_EQ(Music::SoundTableLength(), 0u);
}

TEST_F(AnimationsTest, NEndsTheLevelStartOnlyAfterItIsReleased) {
    rec.paceFirst = true;
    rec.script = {{0, {SDLK_n, true}}, {3, {SDLK_n, false}}};
    A::Startup_gameAnimation(*Level(40));
    EXPECT_EQ(rec.passes.size(), 4u);
}

TEST_F(AnimationsTest, LevelStartSlidesTheWallsInFromTheSecondHalf) {
    rec.paceFirst = true;
    const uint32_t pictures = Wimdows::BitmapTableLength();
    A::Startup_gameAnimation(*Level(40));
    EXPECT_EQ(Wimdows::BitmapTableLength(), pictures); // the background is released
    ASSERT_EQ(rec.passes.size(), 200u);
    EXPECT_EQ(rec.passes[98].bottomLeft, LEVEL);
    EXPECT_EQ(rec.passes[99].bottomLeft, MUREN); // pass 100: walls at half thickness
    EXPECT_EQ(rec.passes[199].topLeft, BALKKLEUR);
    // The last frame stays in the buffer: full walls, bar, robot.
    EXPECT_EQ(Wimdows::GetPixel(39, 300), MUREN);
    EXPECT_EQ(Wimdows::GetPixel(41, 300), LEVEL);
    EXPECT_EQ(Wimdows::GetPixel(SIZE - 40, 300), MUREN);
    EXPECT_EQ(Wimdows::GetPixel(SIZE - 42, 300), LEVEL);
    EXPECT_EQ(Wimdows::GetPixel(300, SIZE - 40), MUREN);
    EXPECT_EQ(Wimdows::GetPixel(300, SIZE - 42), LEVEL);
    EXPECT_EQ(Wimdows::GetPixel(300, BALK + 39), MUREN);
    EXPECT_EQ(Wimdows::GetPixel(300, BALK + 41), LEVEL);
    EXPECT_EQ(Wimdows::GetPixel(300, BALK - 1), BALKKLEUR);
    EXPECT_EQ(Wimdows::GetPixel(270, 320), ROBOT); // top-left at (270, 320)
    EXPECT_EQ(Wimdows::GetPixel(269, 319), LEVEL);
}

TEST_F(AnimationsTest, LevelWithoutMarginsShowsNoWalls) {
    rec.paceFirst = true;
    A::Startup_gameAnimation(*Level(0));
    ASSERT_EQ(rec.passes.size(), 200u);
    for (const Pass& p : rec.passes)
        ASSERT_NE(p.bottomLeft, MUREN);
    for (int32_t i = 0; i < SIZE; i += 7) {
        EXPECT_NE(Wimdows::GetPixel(i, SIZE - 1), MUREN);
        EXPECT_NE(Wimdows::GetPixel(0, BALK + i % (SIZE - BALK)), MUREN);
        EXPECT_NE(Wimdows::GetPixel(SIZE - 1, BALK + i % (SIZE - BALK)), MUREN);
        EXPECT_NE(Wimdows::GetPixel(i, BALK), MUREN);
    }
}

// The close box or a termination signal ends the intro and the level start
// in the pass it came in, as Q would, instead of playing them out blind. It
// runs last in the suite: it takes the window with it.
TEST_F(AnimationsTest, ZAClosedWindowOrASignalEndsBothAnimationsWithinAPass) {
    const std::function<void()> ways[] = {[] { SdlInput::Close(); }, [] { std::raise(SIGTERM); }};
    for (const std::function<void()>& way : ways) {
        for (bool intro : {true, false}) {
            Wimdows::Window("Kolvemar-Trovix", SIZE, SIZE);
            ASSERT_EQ(Wimdows::State(), Wimdows::STATE_ACTIVE);
            Wimdows::SetBuffering(true);
            rec = Recorder{};
            rec.paceFirst = !intro;
            rec.endPass = 20;
            rec.ending = way;
            if (intro)
                A::Startup_Animation();
            else
                A::Startup_gameAnimation(*Level(40));
            EXPECT_NE(Wimdows::State(), Wimdows::STATE_ACTIVE);
            EXPECT_EQ(rec.passes.size(), 21u) << (intro ? "intro" : "level start");
        }
    }
    Wimdows::Window("Kolvemar-Trovix", SIZE, SIZE); // for whatever runs next
}

} // namespace
