// Real SDL events pushed into the running window thread (dummy video driver).
#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "../support/SdlInput.h"
#include "Music.h"
#include "Settings.h"
#include "StandardLib.h"
#include "Wimdows.h"

namespace W = Wimdows;

namespace {

void Push(SDL_Event e) {
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

void Key(uint32_t type, SDL_Keycode sym, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat;
    e.key.keysym.sym = sym;
    Push(e);
}

void Motion(int32_t x, int32_t y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    Push(e);
}

void Button(uint32_t type, uint8_t button, uint8_t clicks, int32_t x, int32_t y) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    Push(e);
}

// What the left-up callback saw, each time it ran.
struct Seen {
    std::atomic<int> calls{0};
    std::atomic<bool> onWindowThread{false};
    std::atomic<int32_t> x{0}, y{0};
};
Seen seen;
std::thread::id mainThread;

void LeftUp() {
    int32_t x = 0, y = 0;
    W::MousePos(x, y);
    seen.x = x;
    seen.y = y;
    seen.onWindowThread = std::this_thread::get_id() != mainThread;
    ++seen.calls;
}

class WimdowsInput : public testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        mainThread = std::this_thread::get_id();
        seen.calls = 0;
        W::Window("WimdowsInput", 100, 80);
        ASSERT_EQ(W::State(), W::STATE_ACTIVE);
    }
    void TearDown() override { W::KillWindow(); }
};

TEST_F(WimdowsInput, KeysQueueInOrderAndRepeatsQueueAgain) {
    Key(SDL_KEYDOWN, SDLK_a);
    Key(SDL_KEYDOWN, SDLK_b);
    Key(SDL_KEYDOWN, SDLK_c);
    Key(SDL_KEYDOWN, SDLK_c, true);
    W::Sync();
    EXPECT_TRUE(W::KeyDown('A') && W::KeyDown('B') && W::KeyDown('C'));
    EXPECT_EQ(SdlInput::TakeQueuedKeys(), (std::vector<uint32_t>{'A', 'B', 'C', 'C'}));
    uint32_t untouched = 12345;
    EXPECT_FALSE(W::GetKeyPressed(untouched));
    EXPECT_EQ(untouched, 12345u);

    Key(SDL_KEYUP, SDLK_c);
    W::Sync();
    EXPECT_FALSE(W::KeyDown('C'));
    EXPECT_TRUE(W::KeyDown('A'));
    EXPECT_TRUE(SdlInput::TakeQueuedKeys().empty()); // key up queues nothing
    EXPECT_FALSE(W::KeyDown(256));
    EXPECT_FALSE(W::KeyDown(0xFFFFFFFF));
}

TEST_F(WimdowsInput, GameKeysArriveAsVirtualKeyCodes) {
    for (SDL_Keycode sym :
         {SDLK_LEFT, SDLK_UP, SDLK_RIGHT, SDLK_DOWN, SDLK_e, SDLK_s, SDLK_d, SDLK_f, SDLK_k, SDLK_m,
          SDLK_n, SDLK_p, SDLK_q, SDLK_0, SDLK_9, SDLK_ESCAPE, SDLK_RETURN, SDLK_SPACE, SDLK_F13})
        Key(SDL_KEYDOWN, sym);
    W::Sync();
    EXPECT_EQ(SdlInput::TakeQueuedKeys(),
              (std::vector<uint32_t>{0x25, 0x26, 0x27, 0x28, 'E', 'S', 'D', 'F', 'K', 'M', 'N', 'P',
                                     'Q', '0', '9', 0x1B, 0x0D, 0x20}));
}

// Minus, plus (either key, or the keypad's) and 0 work the volume on every
// screen; the indicator goes over the presented picture, not the back buffer.
TEST_F(WimdowsInput, VolumeKeysStepAndMuteAndLeaveTheBackBufferAlone) {
    Settings::Store({});
    Music::InitVolume();
    W::Rectangle(0, 0, 99, 79, 0x123456, true);
    for (SDL_Keycode sym : {SDLK_MINUS, SDLK_KP_MINUS, SDLK_MINUS, SDLK_EQUALS})
        Key(SDL_KEYDOWN, sym);
    W::Sync();
    EXPECT_EQ(Music::MasterVolume(), 80u);
    Key(SDL_KEYDOWN, SDLK_0);
    Key(SDL_KEYDOWN, SDLK_0, true); // held: no second toggle
    W::Sync();
    EXPECT_TRUE(Music::Muted());
    Key(SDL_KEYDOWN, SDLK_KP_0);
    Key(SDL_KEYDOWN, SDLK_KP_PLUS);
    Key(SDL_KEYDOWN, SDLK_PLUS);
    W::Sync();
    EXPECT_FALSE(Music::Muted());
    EXPECT_EQ(Music::MasterVolume(), 100u);
    for (int32_t y = 0; y < 80; y += 7)
        for (int32_t x = 0; x < 100; x += 7)
            ASSERT_EQ(W::GetPixel(x, y), 0x123456u) << x << "," << y;
    // The game still sees the keys, as it always did.
    EXPECT_EQ(SdlInput::TakeQueuedKeys(),
              (std::vector<uint32_t>{0xBD, 0x6D, 0xBD, 0xBB, '0', '0', 0x60, 0x6B}));
    Settings::Store({});
    Music::InitVolume();
}

// A disk that takes seconds to write never holds up the picture or the keys.
TEST_F(WimdowsInput, AVolumeKeyLeavesTheWriteToTheSettingsWriter) {
    Settings::Store({});
    Music::InitVolume();
    Settings::SetFileWriter([](const std::string& path, const std::string& text) {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        return StandardLib::WriteFileAtomic(path, text);
    });
    const auto start = std::chrono::steady_clock::now();
    Key(SDL_KEYDOWN, SDLK_MINUS);
    Key(SDL_KEYDOWN, SDLK_MINUS); // a second value while the first is written
    Key(SDL_KEYDOWN, SDLK_p);
    W::Sync();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_EQ(SdlInput::TakeQueuedKeys(), (std::vector<uint32_t>{0xBD, 0xBD, 'P'}));
    EXPECT_EQ(Music::MasterVolume(), 80u);
    EXPECT_TRUE(Settings::Flush());
    Settings::SetFileWriter(nullptr);
    std::ifstream in(Settings::FilePath());
    std::stringstream file;
    file << in.rdbuf();
    EXPECT_EQ(Settings::Read(file.str()).volume, 80); // the newest value is the one kept
    Settings::Store({});
    Music::InitVolume();
}

TEST_F(WimdowsInput, FlushEmptiesTheQueueButKeepsHeldKeys) {
    Key(SDL_KEYDOWN, SDLK_LEFT);
    Key(SDL_KEYDOWN, SDLK_LEFT, true);
    W::Sync();
    W::FlushKeys();
    uint32_t k = 0;
    EXPECT_FALSE(W::GetKeyPressed(k));
    EXPECT_TRUE(W::KeyDown(0x25));
}

TEST_F(WimdowsInput, KeysPushedWhileTheGameReadsAllArriveInOrder) {
    constexpr uint32_t N = 2000;
    std::thread pusher([] {
        for (uint32_t i = 0; i < N; ++i)
            Key(SDL_KEYDOWN, SDLK_a + static_cast<SDL_Keycode>(i % 26));
    });
    std::vector<uint32_t> got;
    uint32_t k = 0;
    while (got.size() < N) {
        if (W::GetKeyPressed(k)) got.push_back(k);
        int32_t x, y;
        W::MousePos(x, y);
    }
    pusher.join();
    for (uint32_t i = 0; i < N; ++i)
        ASSERT_EQ(got[i], 'A' + i % 26) << i;
}

TEST_F(WimdowsInput, MousePositionsAreSixteenBitUnsigned) {
    Motion(10, 20);
    W::Sync();
    int32_t x = 0, y = 0;
    W::MousePos(x, y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
    // Captured while held: left of and above the window.
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 10, 20);
    Motion(-5, -1);
    W::Sync();
    W::MousePos(x, y);
    EXPECT_EQ(x, 65536 - 5);
    EXPECT_EQ(y, 65536 - 1);
    EXPECT_TRUE(W::MouseLeft());
}

TEST_F(WimdowsInput, LeftUpRunsTheCallbackOnTheWindowThreadUntilUnregistered) {
    W::OnMouseLeftUp(LeftUp);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 30, 40);
    W::Sync();
    EXPECT_TRUE(W::MouseLeft());
    EXPECT_EQ(seen.calls, 0);
    Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 31, 41);
    W::Sync();
    EXPECT_FALSE(W::MouseLeft());
    EXPECT_EQ(seen.calls, 1);
    EXPECT_TRUE(seen.onWindowThread);
    EXPECT_EQ(seen.x, 31); // the callback reads the click's own position
    EXPECT_EQ(seen.y, 41);

    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 5, 5);
    Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, 5, 5);
    W::OnMouseLeftUp(nullptr);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 30, 40);
    Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 30, 40);
    W::Sync();
    EXPECT_EQ(seen.calls, 1);
}

TEST_F(WimdowsInput, DoubleClickIsDownUpDoubleUp) {
    W::OnMouseLeftUp(LeftUp);
    struct Step {
        uint32_t type;
        uint8_t clicks;
        bool left;
        int calls;
    };
    const Step steps[] = {{SDL_MOUSEBUTTONDOWN, 1, true, 0},
                          {SDL_MOUSEBUTTONUP, 1, false, 1},
                          {SDL_MOUSEBUTTONDOWN, 2, false, 1}, // the double click: no press
                          {SDL_MOUSEBUTTONUP, 2, false, 2}};
    for (const Step& s : steps) {
        Button(s.type, SDL_BUTTON_LEFT, s.clicks, 50, 50);
        W::Sync();
        EXPECT_EQ(W::MouseLeft(), s.left) << int(s.clicks);
        EXPECT_EQ(seen.calls, s.calls) << int(s.clicks);
    }
}

TEST_F(WimdowsInput, CloseBoxEndsTheWindowAndTellsTheGame) {
    const uint32_t pic = W::CreateBitmap(4, 4);
    ASSERT_NE(pic, 0u);
    Key(SDL_KEYDOWN, SDLK_q);
    W::Sync();
    EXPECT_FALSE(W::WindowClosed());

    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    Push(close);
    W::Sync(); // returns once the window thread has released everything
    EXPECT_TRUE(W::WindowClosed());
    EXPECT_EQ(W::State(), W::STATE_DEAD);
    EXPECT_FALSE(W::KeyDown('Q'));
    uint32_t k = 0;
    EXPECT_FALSE(W::GetKeyPressed(k));
    EXPECT_EQ(W::BitmapTableLength(), 0u);
    W::Rectangle(0, 0, 10, 10, 0xFFFFFF, true); // no window: no effect, no fault
    W::UpdateWindow();
    EXPECT_EQ(W::GetPixel(0, 0), 0u);

    W::KillWindow(); // the game ends in order
    W::Window("WimdowsInput again", 100, 80);
    EXPECT_EQ(W::State(), W::STATE_ACTIVE);
    EXPECT_FALSE(W::WindowClosed());
}

// kill or Ctrl+C on an idle window: nothing else wakes the window thread.
TEST_F(WimdowsInput, TerminationSignalEndsAnIdleWindowLikeTheCloseBox) {
    std::raise(SIGTERM);
    for (int i = 0; i < 500 && W::State() != W::STATE_DEAD; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(W::WindowClosed());
    EXPECT_EQ(W::State(), W::STATE_DEAD);
    W::KillWindow();
    W::Window("WimdowsInput again", 100, 80);
    EXPECT_EQ(W::State(), W::STATE_ACTIVE);
}

// Whatever waits in the queue, the close box and a termination signal end the
// window at once; the game still takes what came before them.
TEST_F(WimdowsInput, AFloodNeverHoldsUpTheCloseBoxOrASignal) {
    for (const bool signal : {false, true}) {
        for (int i = 0; i < 30000; ++i) {
            Key(SDL_KEYDOWN, SDLK_x);
            Motion(i % 100, i % 80);
        }
        const auto start = std::chrono::steady_clock::now();
        if (signal)
            std::raise(SIGTERM);
        else
            SdlInput::Close();
        while (W::State() != W::STATE_DEAD &&
               std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << signal;
        EXPECT_TRUE(W::WindowClosed());
        W::KillWindow();
        W::Window("WimdowsInput again", 100, 80);
        ASSERT_EQ(W::State(), W::STATE_ACTIVE);
    }
}

TEST_F(WimdowsInput, ClosingWhileTheGameDrawsReleasesNothingInUse) {
    const uint32_t pic = W::CreateBitmap(40, 40);
    W::SetFont(1, 0xFFFFFF);
    std::thread closer([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        SDL_PushEvent(&close);
    });
    // The game keeps drawing until it notices; the window thread frees under the same lock.
    int frames = 0;
    while (!W::WindowClosed() || W::State() == W::STATE_ACTIVE) {
        W::ClearScreen();
        for (int i = 0; i < 20; ++i)
            W::Disc(5 * i, 40, 4, 0x00C0FF);
        W::DrawMaskBitmap(pic, pic, 30, 30);
        W::Text("Score", 2, 2);
        W::UpdateWindow();
        ++frames;
    }
    closer.join();
    W::Sync();
    EXPECT_GT(frames, 0);
    EXPECT_EQ(W::BitmapTableLength(), 0u);
    W::DrawBitmap(pic, 0, 0);
}

TEST_F(WimdowsInput, WindowReturnsWhenTheVideoSystemCannotStart) {
    W::KillWindow();
    const std::string driver = SDL_getenv("SDL_VIDEODRIVER") ? SDL_getenv("SDL_VIDEODRIVER") : "";
    setenv("SDL_VIDEODRIVER", "no_such_driver", 1);
    testing::internal::CaptureStderr();
    W::Window("WimdowsInput", 100, 80);
    const std::string said = testing::internal::GetCapturedStderr();
    setenv("SDL_VIDEODRIVER", driver.c_str(), 1);
    EXPECT_EQ(W::State(), W::STATE_DEAD);
    EXPECT_EQ(W::Width(), 0u);
    EXPECT_NE(said.find("video"), std::string::npos) << said;
    W::Rectangle(0, 0, 10, 10, 0xFFFFFF, true);
    W::Sync();
}

TEST_F(WimdowsInput, PresentingInBothModesKeepsTheBackBuffer) {
    W::Rectangle(0, 0, 9, 9, 0x0000FF, true); // unbuffered: shown at once
    W::SetBuffering(true);
    W::Disc(50, 40, 10, 0x00FF00);
    for (int i = 0; i < 50; ++i)
        W::UpdateWindow();
    W::SetBuffering(false);
    W::Sync();
    EXPECT_EQ(W::GetPixel(5, 5), 0x0000FFu);
    EXPECT_EQ(W::GetPixel(50, 40), 0x00FF00u);
}

} // namespace
