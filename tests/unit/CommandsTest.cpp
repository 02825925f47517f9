// The command record over the window layer's input state, fed here as the
// window thread would feed it (no window needed).
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

#include "Commands.h"
#include "Wimdows.h"
#include "WimdowsInternal.h"

namespace C = Commands;
namespace WI = Wimdows::Internal;

namespace {

void Key(uint32_t vk, bool down) {
    WI::HoldKey(vk, WI::FROM_KEYBOARD, down);
}

void Tap(uint32_t vk) {
    Key(vk, true);
    Key(vk, false);
}

class CommandsTest : public testing::Test {
  protected:
    void SetUp() override {
        WI::ResetInput();
        C::SetSource(nullptr);
        C::NextScreen();
    }
    void TearDown() override { WI::ResetInput(); }
};

bool Same(const C::Command& a, const C::Command& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Which field of the record each of the game's keys sets.
const std::pair<uint32_t, bool C::Command::*> GAME_KEYS[] = {
    {38, &C::Command::up},     {'E', &C::Command::up},    {39, &C::Command::right},
    {'F', &C::Command::right}, {40, &C::Command::down},   {'D', &C::Command::down},
    {37, &C::Command::left},   {'S', &C::Command::left},  {'M', &C::Command::menu},
    {0x1B, &C::Command::menu}, {'P', &C::Command::pause}, {'K', &C::Command::giveUp},
    {'N', &C::Command::skip},  {'Q', &C::Command::quit}};

TEST_F(CommandsTest, TheDefaultBindingsAreTheGamesKeysAndTheMouse) {
    WI::SetGameMouse(123, 456);
    C::Command none{};
    none.aimX = 123;
    none.aimY = 456;
    EXPECT_TRUE(Same(C::Read(), none));
    for (const auto& [vk, field] : GAME_KEYS) {
        Key(vk, true);
        C::Command want = none;
        want.*field = true;
        EXPECT_TRUE(Same(C::Read(), want)) << "key " << vk;
        Key(vk, false);
        EXPECT_TRUE(Same(C::Read(), none)) << "key " << vk;
    }
    Key('A', true); // no action of the game
    Key('W', true);
    EXPECT_TRUE(Same(C::Read(), none));
    WI::HoldLeft(WI::FROM_MOUSE, true, false);
    EXPECT_TRUE(C::Read().fire);
    WI::HoldLeft(WI::FROM_MOUSE, false, false);
    EXPECT_FALSE(C::Read().fire);
    // 16-bit positions, as the mouse record has them: left of the game is 65536 minus the distance.
    WI::SetGameMouse(-3, 7);
    EXPECT_EQ(C::Read().aimX, 65533);
}

TEST_F(CommandsTest, ATapBetweenTwoReadsCountsOnceAndAHeldKeyEveryRead) {
    Tap('M');
    EXPECT_TRUE(C::Read().menu);
    EXPECT_FALSE(C::Read().menu);
    Tap('E');
    Tap('E'); // twice within one tick: still one tick of movement
    EXPECT_TRUE(C::Read().up);
    EXPECT_FALSE(C::Read().up);
    WI::HoldLeft(WI::FROM_MOUSE, true, false);
    WI::HoldLeft(WI::FROM_MOUSE, false, true);
    EXPECT_TRUE(C::Read().fire);
    EXPECT_FALSE(C::Read().fire);

    Key('D', true);
    Key('P', true);
    for (int tick = 0; tick < 3; ++tick) {
        const C::Command c = C::Read();
        EXPECT_TRUE(c.down && c.pause) << tick;
    }
    Key('D', false);
    Key('P', false);
    EXPECT_FALSE(C::Read().down);
}

TEST_F(CommandsTest, WhatWasPressedOrHeldBeforeANewScreenWaitsForANewPress) {
    Tap('K');
    Key('M', true);
    Key(40, true);
    WI::HoldLeft(WI::FROM_MOUSE, true, false);
    C::NextScreen();
    C::Command c = C::Read();
    EXPECT_FALSE(c.giveUp); // tapped on the screen before
    EXPECT_FALSE(c.menu);   // held over: spent
    EXPECT_TRUE(c.down);    // movement and fire held act at once, as they always did
    EXPECT_TRUE(c.fire);
    Key('M', false);
    EXPECT_FALSE(C::Read().menu);
    Key('M', true);
    EXPECT_TRUE(C::Read().menu); // a new press
    Key('M', false);
    Key(40, false);
    WI::HoldLeft(WI::FROM_MOUSE, false, false);
    // A spent key let go and pressed again between two reads counts too.
    Key('P', true);
    C::NextScreen();
    Key('P', false);
    Key('P', true);
    EXPECT_TRUE(C::Read().pause);
    Key('P', false);
    const uint32_t screen = C::Screen();
    C::NextScreen();
    EXPECT_EQ(C::Screen(), screen + 1);
}

TEST_F(CommandsTest, AHeldKeyAsksTheActionWhateverTheReads) {
    EXPECT_FALSE(C::Held(C::PAUSE));
    Key('P', true);
    C::Read();
    EXPECT_TRUE(C::Held(C::PAUSE));
    C::NextScreen();
    EXPECT_TRUE(C::Held(C::PAUSE)); // spent for the record, held all the same
    Key('P', false);
    EXPECT_FALSE(C::Held(C::PAUSE));
}

// Demos give their own records instead of the live input.
C::Command Recorded() {
    C::Command c{};
    c.left = true;
    c.aimX = 5;
    return c;
}

TEST_F(CommandsTest, ASourceGivesTheRecordsInsteadOfTheLiveInput) {
    Key(39, true);
    C::SetSource(Recorded);
    const C::Command c = C::Read();
    EXPECT_TRUE(c.left && !c.right);
    EXPECT_EQ(c.aimX, 5);
    C::SetSource(nullptr);
    EXPECT_TRUE(C::Read().right);
    Key(39, false);
}

uint32_t Count(const C::MenuInput& m, C::MenuKey k) {
    return m.count[k];
}

TEST_F(CommandsTest, MenuKeysMoveChooseAndGoBack) {
    Tap(40);
    Tap(40);
    Tap(38);
    Tap(0x09);
    Tap(37);
    Tap(0x0D);
    Tap(0x20);
    Tap(0x1B);
    C::MenuInput m = C::ReadMenu();
    EXPECT_EQ(Count(m, C::MENU_DOWN), 3u); // two Downs and Tab
    EXPECT_EQ(Count(m, C::MENU_UP), 1u);
    EXPECT_EQ(Count(m, C::MENU_LEFT), 1u);
    EXPECT_EQ(Count(m, C::MENU_RIGHT), 0u);
    EXPECT_EQ(Count(m, C::CHOOSE), 2u); // Enter and Space
    EXPECT_EQ(Count(m, C::BACK), 1u);
    EXPECT_FALSE(m.menuKey);
    m = C::ReadMenu();
    for (uint32_t n : m.count)
        EXPECT_EQ(n, 0u);

    Key(0x10, true); // Shift+Tab goes up
    Tap(0x09);
    Tap('M');
    m = C::ReadMenu();
    Key(0x10, false);
    EXPECT_EQ(Count(m, C::MENU_UP), 1u);
    EXPECT_EQ(Count(m, C::MENU_DOWN), 0u);
    EXPECT_TRUE(m.menuKey);

    // Enter held from the screen before chooses nothing; a new press does.
    Key(0x0D, true);
    C::NextScreen();
    EXPECT_EQ(Count(C::ReadMenu(), C::CHOOSE), 0u);
    Key(0x0D, false);
    Tap(0x0D);
    EXPECT_EQ(Count(C::ReadMenu(), C::CHOOSE), 1u);
}

TEST_F(CommandsTest, AHeldMenuDirectionRepeatsAfterAPause) {
    Key(40, true);
    EXPECT_EQ(Count(C::ReadMenu(), C::MENU_DOWN), 1u);
    EXPECT_EQ(Count(C::ReadMenu(), C::MENU_DOWN), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(650));
    EXPECT_GE(Count(C::ReadMenu(), C::MENU_DOWN), 2u);
    Key(40, false);
    EXPECT_EQ(Count(C::ReadMenu(), C::MENU_DOWN), 0u);
}

TEST_F(CommandsTest, TheAnimationsAreSkippedBySkipChooseBackAndTheButton) {
    for (uint32_t vk : {uint32_t('N'), 0x0Du, 0x20u, 0x1Bu}) {
        Key(vk, true);
        EXPECT_TRUE(C::ReadSkip().held) << vk;
        Key(vk, false);
        const C::SkipInput s = C::ReadSkip();
        EXPECT_FALSE(s.held || s.pressed) << vk;
        Tap(vk);
        EXPECT_TRUE(C::ReadSkip().pressed) << vk;
    }
    WI::HoldLeft(WI::FROM_MOUSE, true, false);
    WI::HoldLeft(WI::FROM_MOUSE, false, true);
    EXPECT_TRUE(C::ReadSkip().pressed);
    Tap('M');
    EXPECT_FALSE(C::ReadSkip().pressed);
}

} // namespace
