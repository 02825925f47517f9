// The game's 800 x 800 pixels in windows of other sizes and in fullscreen
// (dummy video driver, whose one display is 1024 x 768): clicks map back to
// game pixels, the black bars outside the game area, and a lost focus lets go
// of every key and button.
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "../support/SdlInput.h"
#include "StandardMenu.h"
#include "Wimdows.h"
#include "WimdowsInternal.h"

namespace W = Wimdows;

namespace {

constexpr uint32_t S = 800;

SDL_Point Mouse() {
    int32_t x = 0, y = 0;
    W::MousePos(x, y);
    return {x, y};
}

SDL_Point MovedTo(int32_t x, int32_t y) {
    SdlInput::Move(x, y);
    W::Sync();
    return Mouse();
}

void WindowEvent(SDL_WindowEventID id) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = id;
    SDL_PushEvent(&e);
}

class WimdowsScaling : public testing::Test {
  protected:
    void SetUp() override {
        W::Window("WimdowsScaling", S, S);
        ASSERT_EQ(W::State(), W::STATE_ACTIVE);
        button = StandardMenu::ButtonRc{300, 70, 200, 50, true, {}, {}, {}};
        StandardMenu::ButtonSelected(button); // takes the left-up callback
        StandardMenu::ClearClick();
    }
    void TearDown() override {
        StandardMenu::ClearClick();
        W::KillWindow();
    }
    // A click at window point (x, y): whether it selected the button.
    bool Clicked(int32_t x, int32_t y) {
        SdlInput::Move(x, y);
        SdlInput::Button(x, y, true);
        SdlInput::Button(x, y, false);
        W::Sync();
        const bool hit = StandardMenu::ButtonSelected(button);
        StandardMenu::ClearClick();
        return hit;
    }
    StandardMenu::ButtonRc button{};
};

TEST_F(WimdowsScaling, WithoutAScreenTheWindowHasTheGamesSize) {
    EXPECT_EQ(W::Width(), S);
    EXPECT_EQ(W::Height(), S);
    EXPECT_EQ(MovedTo(0, 0).x, 0);
    EXPECT_EQ(MovedTo(799, 799).y, 799);
    EXPECT_TRUE(Clicked(400, 95));
}

TEST_F(WimdowsScaling, AWideWindowLetterboxesAndMapsClicksBack) {
    W::Internal::AskWindowSize(1000, 500); // the picture: 500 x 500 from x = 250
    W::Sync();
    EXPECT_EQ(W::Width(), S); // the game keeps its own pixels
    EXPECT_TRUE(Clicked(250 + 400 * 500 / 800, 95 * 500 / 800));
    EXPECT_FALSE(Clicked(400, 95)); // where the button is in game pixels
    const SDL_Point corner = MovedTo(749, 499);
    EXPECT_EQ(corner.x, 799);
    EXPECT_EQ(corner.y, 799);
    // Over the bars: left of the game area 65536 minus the distance, right of it past S.
    EXPECT_EQ(MovedTo(100, 0).x, 65536 - 240);
    EXPECT_EQ(MovedTo(999, 0).x, 1199);
}

TEST_F(WimdowsScaling, ATallWindowAndATwiceAsLargeOneMapAlike) {
    W::Internal::AskWindowSize(400, 700); // 400 x 400 from y = 150
    W::Sync();
    EXPECT_TRUE(Clicked(200, 150 + 95 / 2));
    EXPECT_EQ(MovedTo(0, 100).y, 65536 - 99);
    W::Internal::AskWindowSize(1600, 1600);
    W::Sync();
    EXPECT_TRUE(Clicked(800, 190));
    const SDL_Point p = MovedTo(1599, 1);
    EXPECT_EQ(p.x, 799);
    EXPECT_EQ(p.y, 0);
}

TEST_F(WimdowsScaling, F11AndAltEnterToggleFullscreenAndTheGameNeverSeesThem) {
    SdlInput::Key(SDLK_F11, true);
    SdlInput::Key(SDLK_F11, false);
    W::Sync();
    // Fullscreen on the 1024 x 768 display: the picture 768 x 768 from x = 128.
    EXPECT_TRUE(Clicked(128 + 400 * 768 / 800, 95 * 768 / 800));
    EXPECT_EQ(MovedTo(10, 0).x, 65536 - 123);
    EXPECT_EQ(MovedTo(1000, 767).x, 908);
    EXPECT_EQ(Mouse().y, 799);

    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_RETURN;
    e.key.keysym.mod = KMOD_LALT;
    SDL_PushEvent(&e);
    W::Sync();
    EXPECT_TRUE(Clicked(400, 95)); // the window again, at the game's size
    uint32_t key = 0;
    EXPECT_FALSE(W::GetKeyPressed(key)) << key;
}

TEST_F(WimdowsScaling, ALostFocusReleasesKeysAndButtonsAndEmptiesTheQueue) {
    SdlInput::Key(SDLK_RIGHT, true);
    SdlInput::Key(SDLK_SPACE, true);
    SdlInput::Button(400, 400, true);
    W::Sync();
    ASSERT_TRUE(W::KeyDown(0x27) && W::KeyDown(0x20) && W::MouseLeft());
    WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    W::Sync();
    EXPECT_FALSE(W::KeyDown(0x27));
    EXPECT_FALSE(W::KeyDown(0x20));
    EXPECT_FALSE(W::MouseLeft());
    uint32_t key = 0;
    EXPECT_FALSE(W::GetKeyPressed(key));
    // The button's release after the focus came back selects nothing.
    WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    SdlInput::Button(400, 95, false);
    W::Sync();
    EXPECT_FALSE(StandardMenu::ButtonSelected(button));
}

} // namespace
