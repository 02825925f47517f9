// Game controllers as SDL's virtual joysticks, seen by the real window thread
// (dummy video driver) as the same input state the keyboard and mouse feed.
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

constexpr uint32_t LEFT = 0x25, UP = 0x26, RIGHT = 0x27, DOWN = 0x28;
constexpr int32_t S = 400;

std::vector<uint32_t> Arrows() {
    std::vector<uint32_t> held;
    for (uint32_t vk : {LEFT, UP, RIGHT, DOWN})
        if (W::KeyDown(vk)) held.push_back(vk);
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

TEST_F(WimdowsGamepad, InALevelTheLeftStickAndDpadAreTheArrowKeys) {
    InLevel(200, 200);
    VirtualPad pad;
    ASSERT_TRUE(pad.Plugged()) << SDL_GetError();
    struct Case {
        float x, y;
        std::vector<uint32_t> held;
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
    EXPECT_EQ(Arrows(), std::vector<uint32_t>{UP});
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    // A press queues once, as a key does.
    SdlInput::TakeQueuedKeys();
    pad.Stick(false, -1, 0);
    pad.Stick(false, -1, 0.1f);
    EXPECT_EQ(SdlInput::TakeQueuedKeys(), std::vector<uint32_t>{LEFT});

    // The keyboard goes on alongside: letting go of the stick keeps its key.
    SdlInput::Key(SDLK_LEFT, true);
    W::Sync();
    pad.Stick(false, 0, 0);
    EXPECT_TRUE(W::KeyDown(LEFT));
    SdlInput::Key(SDLK_LEFT, false);
    W::Sync();
    EXPECT_FALSE(W::KeyDown(LEFT));
}

TEST_F(WimdowsGamepad, SeveralControllersDriveTheOnePlayer) {
    InLevel(200, 200);
    VirtualPad one, two;
    one.Stick(false, 1, 0);
    two.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    two.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1);
    one.Stick(false, 0, 0);
    EXPECT_TRUE(W::KeyDown(RIGHT));
    EXPECT_TRUE(W::MouseLeft());
    two.Unplug(); // unplugged while held: let go
    EXPECT_FALSE(W::KeyDown(RIGHT));
    EXPECT_FALSE(W::MouseLeft());
    // Unplugged with A held on a menu: let go, but no click.
    W::ShowPointer(true);
    W::OnMouseLeftUp(Clicked);
    one.Button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(W::MouseLeft());
    one.Unplug();
    EXPECT_FALSE(W::MouseLeft());
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
        EXPECT_EQ(W::KeyDown(LEFT), left);
        EXPECT_FALSE(W::KeyDown('M')); // a button needs a new press
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

TEST_F(WimdowsGamepad, TriggerOrShoulderFiresStartIsMAndBackIsP) {
    InLevel(200, 200);
    VirtualPad pad;
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0.2f); // resting a finger on it
    EXPECT_FALSE(W::MouseLeft());
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0.8f);
    EXPECT_TRUE(W::MouseLeft());
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
    EXPECT_FALSE(W::MouseLeft());
    pad.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    EXPECT_TRUE(W::MouseLeft());
    pad.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
    EXPECT_FALSE(W::MouseLeft());

    SdlInput::TakeQueuedKeys();
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_TRUE(W::KeyDown('M'));
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    pad.Press(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(SdlInput::TakeQueuedKeys(), (std::vector<uint32_t>{'M', 'P'}));
    EXPECT_FALSE(W::KeyDown('M') || W::KeyDown('P'));
}

TEST_F(WimdowsGamepad, OutsideALevelTheSticksMoveThePointerAndAClicks) {
    W::OnMouseLeftUp(Clicked);
    SdlInput::Move(100, 100);
    W::Sync();
    VirtualPad pad;
    pad.Stick(false, 0.5f, 0); // half way: slow
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    pad.Stick(false, 0, 0);
    const Point slow = Mouse();
    EXPECT_GT(slow.x, 100);
    EXPECT_LT(slow.x, 100 + S / 4);
    EXPECT_EQ(slow.y, 100);
    // Pushed all the way, either stick crosses the game in about a second,
    // and the pointer stops at its edge.
    pad.Stick(true, 0, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    pad.Stick(true, 0, 0);
    EXPECT_EQ(Mouse(), (Point{slow.x, S - 1}));

    pad.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(clickX, slow.x);
    EXPECT_EQ(clickY, S - 1);
    EXPECT_FALSE(W::MouseLeft());
    // A and Start are N too, which skips the intro.
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(SdlInput::TakeQueuedKeys(), (std::vector<uint32_t>{'N', 'N'}));
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
        pad.Stick(false, 0.5f, 0); // slow: less than a window point per step when shrunk
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        pad.Stick(false, 0, 0);
        EXPECT_GT(Mouse().x, 105) << size.x;
        EXPECT_EQ(Mouse().y, 100) << size.x;
        pad.Stick(false, 1, -1);
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        pad.Stick(false, 0, 0);
        EXPECT_EQ(Mouse(), (Point{S - 1, 0})) << size.x;
    }
}

TEST_F(WimdowsGamepad, AButtonHeldWhileTheScreenChangesIsSpentUntilLetGo) {
    InLevel(200, 200);
    VirtualPad pad;
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_TRUE(W::KeyDown('M'));
    W::ShowPointer(true); // the in-game menu opens
    EXPECT_FALSE(W::KeyDown('M'));
    EXPECT_FALSE(W::KeyDown('N'));
    W::ShowPointer(false); // resumed with Start still held: no new menu
    EXPECT_FALSE(W::KeyDown('M'));
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_TRUE(W::KeyDown('M'));
}

} // namespace
