// The controls screen walked with the keyboard and a controller: a key and a
// button bound anew act in the command record at once and are kept in the
// settings file; the W A S D preset leaves Q to the letters.
#include <chrono>
#include <initializer_list>
#include <thread>

#include "../support/VirtualPad.h"
#include "Commands.h"
#include "MenuScript.h"
#include "Settings.h"

namespace C = Commands;
namespace KM = Kolvemar_Menu;
using namespace MenuScript;

namespace {

// The first cell, "up"'s key, framed in the menu's red: the screen shows.
const Step SHOWN = Pixel(250, 110, 0xB0);
const Step WAIT = Pause(250); // the cell waits for its key before the next one comes

class ControlsScreen : public Screens {
  protected:
    void SetUp() override {
        Screens::SetUp();
        C::Bind(C::Defaults());
    }
    void TearDown() override {
        C::Bind(C::Defaults());
        Screens::TearDown();
    }
    // Holds the key (and the pad's button) for one record of the live input.
    static C::Command Holding(SDL_Keycode key) {
        SdlInput::Key(key, true);
        Wimdows::Sync();
        const C::Command c = C::Read();
        SdlInput::Key(key, false);
        Wimdows::Sync();
        C::Read();
        return c;
    }
};

} // namespace

TEST_F(ControlsScreen, UpGoesToWWithTheKeysAndFireToXWithTheController) {
    VirtualPad pad;
    ASSERT_TRUE(pad.Plugged()) << SDL_GetError();
    const Step x = Do([&pad] {
        pad.Press(SDL_CONTROLLER_BUTTON_X);
        return true;
    });
    std::vector<Step> steps = {SHOWN, Tap(SDLK_RETURN), WAIT, Tap(SDLK_w), WAIT};
    for (int i = 0; i < 4; ++i) // down to fire's row, right to its controller button
        steps.push_back(Tap(SDLK_DOWN));
    steps.insert(steps.end(), {Tap(SDLK_RIGHT), Tap(SDLK_RIGHT), WAIT, Tap(SDLK_RETURN), WAIT, x,
                               WAIT, Tap(SDLK_ESCAPE)});
    Play(steps, [] { KM::Besturing(); });

    C::Bindings want = C::Defaults();
    want[C::UP].keys = {'W', 'E'};
    want[C::FIRE].pad = Wimdows::PAD_X;
    EXPECT_EQ(C::Current(), want);
    ASSERT_TRUE(Settings::Flush());
    EXPECT_EQ(C::FromSettings(Settings::Load().bindings), want);

    // The record moves and fires with them.
    EXPECT_TRUE(Holding(SDLK_w).up);
    EXPECT_FALSE(Holding(SDLK_UP).up);
    pad.Button(SDL_CONTROLLER_BUTTON_X, true);
    EXPECT_TRUE(C::Read().fire);
    pad.Button(SDL_CONTROLLER_BUTTON_X, false);
    C::Read();
    EXPECT_FALSE(C::Read().fire);
}

TEST_F(ControlsScreen, AKeyTakenIsSwappedAFixedOneRefusedAndDeleteUnbinds) {
    Play({SHOWN, Tap(SDLK_RETURN), WAIT, Tap(SDLK_s), WAIT, // left's S: swapped for Up
          Tap(SDLK_RETURN), WAIT, Tap(SDLK_0), WAIT,        // the volume key: refused
          Tap(SDLK_RIGHT), Tap(SDLK_DELETE), WAIT, Tap(SDLK_ESCAPE)},
         [] { KM::Besturing(); });
    const C::Bindings& b = C::Current();
    EXPECT_EQ(b[C::UP].keys, (std::array<uint32_t, 2>{'S', C::NO_KEY}));
    EXPECT_EQ(b[C::LEFT].keys, (std::array<uint32_t, 2>{0x25, 0x26})); // Left and Up
}

TEST_F(ControlsScreen, TheWasdPresetLeavesNoCollisionAndQDoesNotQuit) {
    std::vector<Step> steps = {SHOWN};
    for (int i = 0; i < C::ACTIONS; ++i)
        steps.push_back(Tap(SDLK_DOWN));
    steps.insert(steps.end(), {Tap(SDLK_RIGHT), Tap(SDLK_RETURN), WAIT, Tap(SDLK_ESCAPE)});
    Play(steps, [] { KM::Besturing(); });
    EXPECT_EQ(C::Current(), C::PresetBindings(C::WASD));
    const C::Command q = Holding(SDLK_q);
    EXPECT_FALSE(q.quit);
    EXPECT_TRUE(Holding(SDLK_a).left);
    EXPECT_TRUE(Holding(SDLK_F10).quit);
}

// Tab and Shift+Tab step through every cell and wrap; the mouse takes the
// focus to the cell under it; B cancels the wait for a key as Esc does.
TEST_F(ControlsScreen, TabWrapsTheMouseLeadsTheFocusAndBCancels) {
    VirtualPad pad;
    ASSERT_TRUE(pad.Plugged()) << SDL_GetError();
    const auto shift = [](bool down) {
        return Do([down] {
            SdlInput::Key(SDLK_LSHIFT, down);
            Wimdows::Sync();
            return true;
        });
    };
    const Step b = Do([&pad] {
        pad.Press(SDL_CONTROLLER_BUTTON_B);
        return true;
    });
    Play({SHOWN,
          Tap(SDLK_TAB),
          Pixel(410, 110, 0xB0),
          Pixel(250, 110, 0x808080),
          shift(true),
          Tap(SDLK_TAB),
          SHOWN,
          Tap(SDLK_TAB),
          Pixel(300, 620, 0xB0),
          shift(false),
          Tap(SDLK_TAB),
          SHOWN,
          Move(300, 250),
          Pixel(250, 238, 0xB0),
          Tap(SDLK_RETURN),
          WAIT,
          b,
          WAIT,
          Tap(SDLK_w),
          WAIT,
          Tap(SDLK_ESCAPE)},
         [] { KM::Besturing(); });
    EXPECT_EQ(C::Current(), C::Defaults());
}

// The controller's Back (pause by default): a short press pauses once let go;
// held half a second it asks for the help, and its release pauses nothing.
TEST_F(ControlsScreen, BackTappedPausesAndHeldAsksForTheHelp) {
    VirtualPad pad;
    ASSERT_TRUE(pad.Plugged()) << SDL_GetError();
    C::NextScreen();
    pad.Press(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_TRUE(C::Read().pause);
    EXPECT_FALSE(C::ReadHelp());
    EXPECT_FALSE(C::Read().pause);

    pad.Button(SDL_CONTROLLER_BUTTON_BACK, true);
    EXPECT_FALSE(C::Read().pause);
    EXPECT_FALSE(C::ReadHelp());
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_TRUE(C::ReadHelp());
    EXPECT_FALSE(C::ReadHelp());
    pad.Button(SDL_CONTROLLER_BUTTON_BACK, false);
    EXPECT_FALSE(C::Read().pause);

    // Bound to fire, Back fires while held and never asks for the help.
    C::Bindings b = C::Defaults();
    b[C::PAUSE].pad = C::NO_PAD;
    b[C::FIRE].pad = Wimdows::PAD_BACK;
    C::Bind(b);
    pad.Button(SDL_CONTROLLER_BUTTON_BACK, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_TRUE(C::Read().fire);
    EXPECT_FALSE(C::ReadHelp());
    pad.Button(SDL_CONTROLLER_BUTTON_BACK, false);
}
