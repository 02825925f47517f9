// Headless screens: a temporary game folder with small pictures of known
// colours, the real window thread on the dummy driver, and a player thread
// that clicks one button after another.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "../support/SdlInput.h"
#include "Kolvemar_Constanten_en_Types.h"
#include "Kolvemar_Menu.h"
#include "LevelCreator.h"
#include "StandardLib.h"
#include "StandardMenu.h"
#include "Wimdows.h"

namespace MenuScript {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Every picture the menus load, relative to the game folder.
inline std::vector<std::string> MenuPictures() {
    std::vector<std::string> names = {"Backgrounds/robotachtergrond",
                                      "Backgrounds/pauze",
                                      "Backgrounds/sterrenhemel2",
                                      "Backgrounds/wit",
                                      "Backgrounds/gameover",
                                      "Credits2",
                                      "gameover",
                                      "gameover_mask",
                                      "back0",
                                      "back1",
                                      "back_mask",
                                      "back20",
                                      "back21",
                                      "down",
                                      "down1",
                                      "down_mask",
                                      "up",
                                      "up1",
                                      "up_mask"};
    for (const char* n : {"rood", "slash", ")", "h", "min", "sec", "zondag", "maandag", "dinsdag",
                          "woensdag", "donderdag", "vrijdag", "zaterdag", "highscores"})
        names.push_back(std::string("nummers/") + n);
    for (int d = 0; d < 10; ++d)
        names.push_back("nummers/" + std::to_string(d));
    for (const char* b :
         {"Start", "Tutorial", "Load", "Hiscore", "Settings", "Credits", "Quit", "Resume", "Save",
          "Menu", "save1", "save2", "save3", "save4", "save5", "Controls", "Help"})
        for (const char* v : {"0", "1"})
            names.push_back(std::string(b) + v);
    for (const char* d : {"lazy", "easy", "medium", "hard", "extreme", "taal_nl", "taal_en",
                          "taal_de", "taal_fr"}) {
        names.push_back(d);
        names.push_back(std::string(d) + "_mask");
    }
    for (std::string& n : names)
        n = "images/" + n + ".bmp";
    return names;
}

// The colour (0x00BBGGRR) a picture is filled with: masks white (the digits
// and labels of the high scores are masks too), others by name.
inline uint32_t Colour(const std::string& file) {
    const bool nummer = file.find("nummers/") != std::string::npos;
    if (file.find("mask") != std::string::npos ||
        (nummer && file.find("rood") == std::string::npos))
        return 0xFFFFFF;
    uint32_t h = 2166136261u;
    for (char c : file)
        h = (h ^ static_cast<uint8_t>(c)) * 16777619u;
    return (h & 0x7F7F7F) | 0x202020; // never white, never black
}

inline void WritePicture(const fs::path& path, uint32_t colour) {
    fs::create_directories(path.parent_path());
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 24, SDL_PIXELFORMAT_RGB24);
    SDL_FillRect(s, nullptr,
                 SDL_MapRGB(s->format, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
}

// ---- Save slots, wherever the path helper puts them ----

inline std::string SlotPath(uint32_t slot) {
    return StandardLib::PlatformPath(Kolvemar_Menu::SlotFile(slot));
}

// Slot `slot` holds a level of `vordering`, written on 7 December 2026 at 15:42.
inline void WriteSlot(uint32_t slot, uint32_t vordering) {
    auto level = std::make_unique<Kolvemar_Constanten_en_Types::Level>();
    level->vordering = vordering;
    ASSERT_TRUE(LevelCreator::Schrijflevel(Kolvemar_Menu::SlotFile(slot), *level));
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 15;
    t.tm_min = 42;
    t.tm_isdst = -1;
    const timespec stamp{std::mktime(&t), 0};
    const timespec times[2] = {stamp, stamp};
    ASSERT_EQ(utimensat(AT_FDCWD, SlotPath(slot).c_str(), times, 0), 0);
}

inline void DamageSlot(uint32_t slot) {
    std::ofstream(SlotPath(slot), std::ios::binary) << "(* not a level *)\r\n12\r\n";
}

inline void EmptySlots(std::initializer_list<uint32_t> slots) {
    for (uint32_t slot : slots)
        fs::remove(SlotPath(slot));
}

// The menus take the window's clicks, with none pending.
inline void TakeClicks() {
    StandardMenu::TakeClicks();
    StandardMenu::ClearClick();
}

// A left click at (x, y) as the window thread receives it.
inline void InjectClick(int32_t x, int32_t y) {
    SdlInput::Move(x, y);
    SdlInput::Button(x, y, true);
    SdlInput::Button(x, y, false);
}

template <typename Test> bool WaitFor(Test test, std::chrono::milliseconds limit = 5000ms) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!test()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// TRUE when some pixel of the box from (x0, y0) up to but not including
// (x1, y1) has `colour`.
inline bool AnyPixel(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour) {
    for (int32_t y = y0; y < y1; ++y)
        for (int32_t x = x0; x < x1; ++x)
            if (Wimdows::GetPixel(x, y) == colour) return true;
    return false;
}

// One step of a player: a click that a button must take, a click beside every
// button, a mouse move, a pixel or another sight to wait for, a pause, the
// close box, or any other input (a key, a controller's button).
struct Step {
    enum Kind { CLICK, STRAY, MOVE, PIXEL, UNTIL, CLOSE, PAUSE, DO } kind;
    int32_t x = 0, y = 0;
    uint32_t colour = 0;
    std::function<bool()> seen = {};
    std::string what = {};
};
inline Step Click(int32_t x, int32_t y) {
    return {Step::CLICK, x, y};
}
inline Step Stray(int32_t x, int32_t y) {
    return {Step::STRAY, x, y};
}
inline Step Move(int32_t x, int32_t y) {
    return {Step::MOVE, x, y};
}
inline Step Pixel(int32_t x, int32_t y, uint32_t colour) {
    return {Step::PIXEL, x, y, colour};
}
// Waits until `seen` holds; `what` names it in the failure.
inline Step Until(std::function<bool()> seen, std::string what) {
    return {Step::UNTIL, 0, 0, 0, std::move(seen), std::move(what)};
}
inline Step Close() {
    return {Step::CLOSE};
}
inline Step Pause(int32_t ms) {
    return {Step::PAUSE, ms};
}
inline Step Do(std::function<bool()> input) {
    return {Step::DO, 0, 0, 0, std::move(input)};
}
// A key pressed and let go, as the window thread receives them.
inline Step Tap(SDL_Keycode key) {
    return Do([key] {
        SdlInput::Key(key, true);
        SdlInput::Key(key, false);
        Wimdows::Sync();
        return true;
    });
}

// Plays the steps on its own thread while the test's thread runs a screen.
// A step that does not happen in time is a failure, and the window is closed
// so that the screen under test returns instead of waiting forever.
class Player {
  public:
    explicit Player(std::vector<Step> steps) : thread([this, steps] { Play(steps); }) {}
    ~Player() { Finish(); }
    void Finish() {
        finished = true;
        if (thread.joinable()) thread.join();
    }
    std::vector<std::string> failures;

  private:
    void Play(const std::vector<Step>& steps) {
        for (const Step& s : steps)
            if (!Do(s)) {
                SdlInput::Close();
                return;
            }
        // A screen that still waits once every step is played waits for nothing.
        if (WaitFor([this] { return finished.load(); }, 10s)) return;
        failures.push_back("the screen did not return after the last step");
        SdlInput::Close();
    }
    bool Do(const Step& s) {
        switch (s.kind) {
        case Step::CLICK:
            InjectClick(s.x, s.y);
            Wimdows::Sync();
            if (WaitFor([] { return !StandardMenu::ClickPending(); })) return true;
            failures.push_back("no button took the click at " + std::to_string(s.x) + "," +
                               std::to_string(s.y));
            return false;
        case Step::STRAY:
            InjectClick(s.x, s.y);
            Wimdows::Sync();
            std::this_thread::sleep_for(100ms);
            if (StandardMenu::ClickPending()) return true;
            failures.push_back("a button took the click at " + std::to_string(s.x) + "," +
                               std::to_string(s.y));
            return false;
        case Step::MOVE:
            SdlInput::Move(s.x, s.y);
            Wimdows::Sync();
            return true;
        case Step::PIXEL:
            if (WaitFor([&] { return Wimdows::GetPixel(s.x, s.y) == s.colour; })) return true;
            failures.push_back("pixel " + std::to_string(s.x) + "," + std::to_string(s.y) +
                               " stayed " + std::to_string(Wimdows::GetPixel(s.x, s.y)) +
                               ", expected " + std::to_string(s.colour));
            return false;
        case Step::UNTIL:
            if (WaitFor(s.seen)) return true;
            failures.push_back("not seen: " + s.what);
            return false;
        case Step::CLOSE:
            SdlInput::Close();
            return true;
        case Step::PAUSE:
            std::this_thread::sleep_for(std::chrono::milliseconds(s.x));
            return true;
        case Step::DO:
            return s.seen();
        }
        return false;
    }
    std::atomic<bool> finished{false}; // the screen under test has returned
    std::thread thread;
};

// A game folder with every menu picture, the constants and a levels folder;
// the window is open and the menus' pictures are loaded.
class Screens : public testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        old = fs::current_path();
        dir = fs::temp_directory_path() /
              ("kolvemar_" + std::to_string(getpid()) + "_" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "levels");
        fs::copy_file(fs::path(KT_SOURCE_DIR) / "data" / "Constanten.txt", dir / "Constanten.txt");
        for (const std::string& name : MenuPictures())
            WritePicture(dir / name, Colour(name));
        fs::current_path(dir);
        Kolvemar_Constanten_en_Types::Init();
        Kolvemar_Constanten_en_Types::schermgrootte = 800;
        Kolvemar_Menu::Init();
        Wimdows::Window("Kolvemar-Trovix", 800, 800);
        ASSERT_EQ(Wimdows::State(), Wimdows::STATE_ACTIVE);
        Wimdows::SetBuffering(true);
        TakeClicks();
    }
    void TearDown() override {
        Kolvemar_Menu::MemoryClearMenu();
        Wimdows::KillWindow();
        StandardMenu::ClearClick();
        fs::current_path(old);
        fs::remove_all(dir);
    }
    // Runs `screen` on this thread while a player plays `steps`.
    void Play(std::vector<Step> steps, const std::function<void()>& screen) {
        Player player(std::move(steps));
        screen();
        player.Finish();
        for (const std::string& f : player.failures)
            ADD_FAILURE() << f;
    }
    fs::path old, dir;
};

// Where to click: the middle of a button of a 100-pixel column of 50-high
// buttons starting at `top`.
inline Step Row(int32_t top, int32_t index) {
    return Click(400, top + 100 * index + 25);
}
inline Step StartMenu(int32_t index) {
    return Row(70, index);
}
inline Step SlotMenu(int32_t index) { // in-game, save and load menus
    return Row(100, index);
}
inline Step Back() { // high scores, result sheet, credits
    return Click(700, 750);
}

} // namespace MenuScript
