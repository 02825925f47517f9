// Game controllers as SDL's virtual joysticks, seen by the real window thread
// (dummy video driver): what they hold and press, and the pointer and
// cross-hair their right sticks move.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "../support/SdlInput.h"
#include "../support/VirtualPad.h"
#include "Wimdows.h"
#include "WimdowsInternal.h"

namespace W = Wimdows;

namespace {

constexpr W::PadButton LEFT = W::PAD_LEFT, UP = W::PAD_UP, RIGHT = W::PAD_RIGHT, DOWN = W::PAD_DOWN;
constexpr int32_t S = 400;

bool Held(W::PadButton b) {
    return W::Pads().held[b];
}

uint32_t Presses(W::PadButton b) {
    return W::Pads().presses[b];
}

std::vector<W::PadButton> Arrows() {
    std::vector<W::PadButton> held;
    for (W::PadButton b : {LEFT, UP, RIGHT, DOWN})
        if (Held(b)) held.push_back(b);
    return held;
}

struct Point {
    int32_t x, y;
    bool operator==(const Point&) const = default;
};

Point Mouse() {
    Point p{};
    W::MousePos(p.x, p.y);
    return p;
}

std::atomic<int> clicks{0};
std::atomic<int32_t> clickX{0}, clickY{0};
void Clicked() {
    int32_t x = 0, y = 0;
    W::MousePos(x, y);
    clickX = x;
    clickY = y;
    ++clicks;
}

// A level runs with its player at (x, y).
void InLevel(int32_t x, int32_t y) {
    W::ShowPointer(false);
    W::AimAround(x, y);
}

class WimdowsGamepad : public testing::Test {
  protected:
    void SetUp() override {
        clicks = 0;
        W::Window("WimdowsGamepad", S, S);
        ASSERT_EQ(W::State(), W::STATE_ACTIVE);
    }
    void TearDown() override {
        W::ShowPointer(true);
        W::KillWindow();
    }
};

TEST_F(WimdowsGamepad, TheLeftStickAndDpadHoldTheFourDirections) {
    InLevel(200, 200);
    VirtualPad pad;
    ASSERT_TRUE(pad.Plugged()) << SDL_GetError();
    struct Case {
        float x, y;
        std::vector<W::PadButton> held;
    };
    const Case cases[] = {{0.2f, -0.1f, {}},                                 // inside the dead zone
                          {-1, 0, {LEFT}},       {0.7f, -0.7f, {UP, RIGHT}}, // a diagonal holds two
                          {0.9f, 0.3f, {RIGHT}},                             // 18 degrees off: one
                          {0, 1, {DOWN}},        {0, 0, {}}};
    for (const Case& c : cases) {
        pad.Stick(false, c.x, c.y);
        EXPECT_EQ(Arrows(), c.held) << c.x << "," << c.y;
    }
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_EQ(Arrows(), std::vector<W::PadButton>{UP});
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    // A push counts one press, however the stick moves while held.
    const uint32_t before = Presses(LEFT);
    pad.Stick(false, -1, 0);
    pad.Stick(false, -1, 0.1f);
    EXPECT_EQ(Presses(LEFT), before + 1);
    pad.Stick(false, 0, 0);
    // The controller no longer fakes keys.
    EXPECT_FALSE(W::KeyDown(0x25));
    EXPECT_TRUE(SdlInput::TakeQueuedKeys().empty());
}

TEST_F(WimdowsGamepad, SeveralControllersDriveTheOnePlayer) {
    InLevel(200, 200);
    VirtualPad one, two;
    one.Stick(false, 1, 0);
    two.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    two.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1);
    one.Stick(false, 0, 0);
    EXPECT_TRUE(Held(RIGHT));
    EXPECT_TRUE(Held(W::PAD_FIRE));
    two.Unplug(); // unplugged while held: let go
    EXPECT_FALSE(Held(RIGHT));
    EXPECT_FALSE(Held(W::PAD_FIRE));
    // Unplugged with A held on a menu: let go, and never a click.
    W::ShowPointer(true);
    W::OnMouseLeftUp(Clicked);
    one.Button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(Held(W::PAD_A));
    EXPECT_FALSE(W::MouseLeft());
    one.Unplug();
    EXPECT_FALSE(Held(W::PAD_A));
    EXPECT_EQ(clicks, 0);
    W::OnMouseLeftUp(nullptr);
}

TEST_F(WimdowsGamepad, AFocusLossLetsGoAndAPushedStickHoldsAgainOnReturn) {
    InLevel(200, 200);
    VirtualPad pad;
    pad.Stick(false, -1, 0);
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    for (const auto& [event, left] : {std::pair{SDL_WINDOWEVENT_FOCUS_LOST, false},
                                      std::pair{SDL_WINDOWEVENT_FOCUS_GAINED, true}}) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = event;
        SDL_PushEvent(&e);
        W::Sync();
        EXPECT_EQ(Held(LEFT), left);
        EXPECT_FALSE(Held(W::PAD_START)); // a button needs a new press
    }
}

TEST_F(WimdowsGamepad, TheRightStickAimsAtAFixedDistanceAndKeepsItsDirection) {
    InLevel(200, 200);
    VirtualPad pad;
    pad.Stick(true, 1, 0);
    EXPECT_EQ(Mouse(), (Point{320, 200}));
    pad.Stick(true, 0, 0); // let go
    EXPECT_EQ(Mouse(), (Point{320, 200}));
    W::AimAround(150, 100); // the player moved
    EXPECT_EQ(Mouse(), (Point{270, 100}));
    pad.Stick(true, 0, -0.5f);
    EXPECT_EQ(Mouse(), (Point{150, 0})); // the edge is nearer: same direction
    pad.Stick(true, -0.6f, 0.6f);
    EXPECT_EQ(Mouse(), (Point{65, 185}));

    // The mouse takes the cross-hair back until the stick moves again.
    pad.Stick(true, 0, 0);
    SdlInput::Move(30, 40);
    W::Sync();
    W::AimAround(160, 100);
    EXPECT_EQ(Mouse(), (Point{30, 40}));
}

TEST_F(WimdowsGamepad, TriggerOrShoulderFiresAndEveryButtonCountsItsPresses) {
    InLevel(200, 200);
    VirtualPad pad;
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0.2f); // resting a finger on it
    EXPECT_FALSE(Held(W::PAD_FIRE));
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0.8f);
    EXPECT_TRUE(Held(W::PAD_FIRE));
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
    EXPECT_FALSE(Held(W::PAD_FIRE));
    pad.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    EXPECT_TRUE(Held(W::PAD_FIRE));
    pad.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
    EXPECT_FALSE(Held(W::PAD_FIRE));
    EXPECT_FALSE(W::MouseLeft()); // fire is the controller's own, not the mouse's

    const W::PadState before = W::Pads();
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_TRUE(Held(W::PAD_START));
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    // A press and release within one look still counts.
    for (auto b : {SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B})
        pad.Press(b);
    const W::PadState after = W::Pads();
    for (W::PadButton b : {W::PAD_START, W::PAD_BACK, W::PAD_A, W::PAD_B}) {
        EXPECT_EQ(after.presses[b], before.presses[b] + 1) << int(b);
        EXPECT_FALSE(after.held[b]) << int(b);
    }
    EXPECT_TRUE(SdlInput::TakeQueuedKeys().empty());
}

TEST_F(WimdowsGamepad, OutsideALevelTheRightStickMovesThePointerAndAClicksNothing) {
    W::OnMouseLeftUp(Clicked);
    SdlInput::Move(100, 100);
    W::Sync();
    VirtualPad pad;
    pad.Stick(false, 1, 0); // the left stick moves the menus' focus instead
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    pad.Stick(false, 0, 0);
    EXPECT_EQ(Mouse(), (Point{100, 100}));
    pad.Stick(true, 0.5f, 0); // half way: slow
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    pad.Stick(true, 0, 0);
    const Point slow = Mouse();
    EXPECT_GT(slow.x, 100);
    EXPECT_LT(slow.x, 100 + S / 4);
    EXPECT_EQ(slow.y, 100);
    // Pushed all the way, the stick crosses the game in about a second, and
    // the pointer stops at its edge.
    pad.Stick(true, 0, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    pad.Stick(true, 0, 0);
    EXPECT_EQ(Mouse(), (Point{slow.x, S - 1}));

    // A chooses the focused button in the menus; it is no mouse click.
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(W::MouseLeft());
    W::OnMouseLeftUp(nullptr);
}

// The pointer goes where a mouse would put it in a scaled window: through the
// same mapping to game pixels, never onto the black bars.
TEST_F(WimdowsGamepad, ThePointerMovesInGamePixelsInAScaledWindow) {
    for (const SDL_Point size : {SDL_Point{1000, 500}, SDL_Point{300, 300}}) {
        W::Internal::AskWindowSize(size.x, size.y);
        W::Sync();
        const float scale = std::min(size.x, size.y) / float(S);
        const int32_t left = static_cast<int32_t>((size.x - scale * S) / 2);
        SdlInput::Move(left + static_cast<int32_t>(100.5f * scale),
                       static_cast<int32_t>(100.5f * scale));
        W::Sync();
        ASSERT_EQ(Mouse(), (Point{100, 100})) << size.x;
        VirtualPad pad;
        pad.Stick(true, 0.5f, 0); // slow: less than a window point per step when shrunk
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        pad.Stick(true, 0, 0);
        EXPECT_GT(Mouse().x, 105) << size.x;
        EXPECT_EQ(Mouse().y, 100) << size.x;
        pad.Stick(true, 1, -1);
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        pad.Stick(true, 0, 0);
        EXPECT_EQ(Mouse(), (Point{S - 1, 0})) << size.x;
    }
}

} // namespace
