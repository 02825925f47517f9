// Every screen walked with the keyboard alone and with a controller alone:
// the focus starts on the first button, moves with the arrows or the d-pad,
// Enter or A chooses it, Esc or B goes back.
#include <memory>

#include "../support/VirtualPad.h"
#include "Commands.h"
#include "MenuScript.h"

namespace K = Kolvemar_Constanten_en_Types;
namespace KM = Kolvemar_Menu;
using namespace MenuScript;
using K::next_action;

namespace {

const uint32_t ROBOT = Colour("images/Backgrounds/robotachtergrond.bmp");
const uint32_t STERREN = Colour("images/Backgrounds/sterrenhemel2.bmp");
const uint32_t WIT = Colour("images/Backgrounds/wit.bmp");

// Button `i` of the start menu shows its mouse-over picture.
Step Lit(int32_t i, const char* stam) {
    return Pixel(310, 80 + 100 * i, Colour(std::string("images/") + stam + "1.bmp"));
}
Step Difficulty(const char* naam) {
    return Pixel(400, 300, Colour(std::string("images/") + naam + ".bmp"));
}
Step Screen(uint32_t achtergrond) {
    return Pixel(5, 5, achtergrond);
}

using KeyboardOnly = Screens;
using ControllerOnly = Screens;
using StaleInput = Screens;

} // namespace

TEST_F(KeyboardOnly, EverySubScreenOfTheStartMenuAndBackWithEsc) {
    next_action r{};
    Play({Screen(ROBOT),      Tap(SDLK_DOWN),
          Lit(1, "Tutorial"), Tap(SDLK_DOWN),
          Lit(2, "Load"),     Tap(SDLK_RETURN),
          Screen(STERREN),    Pixel(310, 110, Colour("images/save11.bmp")), // the focus on slot 1
          Tap(SDLK_ESCAPE),   Screen(ROBOT),
          Lit(2, "Load"), // where it was
          Tap(SDLK_TAB),      Lit(3, "Hiscore"),
          Tap(SDLK_SPACE),    Screen(WIT),
          Tap(SDLK_ESCAPE),   Screen(ROBOT),
          Tap(SDLK_DOWN),     Lit(4, "Settings"),
          Tap(SDLK_KP_ENTER), Difficulty("medium"),
          Tap(SDLK_LEFT),     Difficulty("easy"),
          Tap(SDLK_RIGHT),    Difficulty("medium"),
          Tap(SDLK_RIGHT),    Difficulty("hard"),
          Tap(SDLK_ESCAPE),   Screen(ROBOT),
          Tap(SDLK_DOWN),     Lit(5, "Credits"),
          Tap(SDLK_RETURN),   Screen(WIT),
          Tap(SDLK_ESCAPE),   Screen(ROBOT),
          Tap(SDLK_ESCAPE), // the first Esc shows Afsluiten
          Lit(6, "Quit"),     Tap(SDLK_ESCAPE)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::afsluiten);
    EXPECT_EQ(KM::difficultyLevel, 3u);
}

TEST_F(KeyboardOnly, ASlotChosenWithEnterAndTheGameStartedFromIt) {
    WriteSlot(2, 4);
    next_action r{};
    Play({Screen(ROBOT), Tap(SDLK_DOWN), Tap(SDLK_DOWN), Lit(2, "Load"), Tap(SDLK_RETURN),
          Screen(STERREN), Tap(SDLK_DOWN), Pixel(310, 210, Colour("images/save21.bmp")),
          Tap(SDLK_RETURN),
          Until([] { return AnyPixel(350, 175, 480, 200, 0xFFFFFF); }, "Loading complete"),
          Tap(SDLK_ESCAPE), Screen(ROBOT), Tap(SDLK_UP), Tap(SDLK_UP), Lit(0, "Start"),
          Tap(SDLK_RETURN)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::startup);
    EXPECT_EQ(KM::Getstartlevel(), "levels\\save2.txt");
}

TEST_F(KeyboardOnly, TheUpAndDownWrapAndTheInGameMenuStartsOnVerder) {
    auto level = std::make_unique<K::Level>();
    KM::tutorial = false;
    next_action r{};
    // Up from Verder wraps to Afsluiten; Down from there back to Verder.
    Play({Screen(Colour("images/Backgrounds/pauze.bmp")), Tap(SDLK_UP),
          Pixel(310, 610, Colour("images/Quit1.bmp")), Tap(SDLK_DOWN),
          Pixel(310, 110, Colour("images/Resume1.bmp")), Tap(SDLK_RETURN)},
         [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::resume);
    Play({Tap(SDLK_ESCAPE)}, [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::resume);
}

TEST_F(KeyboardOnly, TheResultSheetIsLeftWithEnter) {
    Play({Screen(Colour("images/Backgrounds/gameover.bmp")), Tap(SDLK_RETURN)},
         [] { KM::resultfiche(3, 100, 10, 50, 10, SYSTEMTIME{}, 2); });
}

TEST_F(ControllerOnly, EverySubScreenWithTheDpadAAndB) {
    VirtualPad pad;
    ASSERT_TRUE(pad.Plugged()) << SDL_GetError();
    auto press = [&](SDL_GameControllerButton b) {
        return Do([&pad, b] {
            pad.Press(b);
            return true;
        });
    };
    const Step down = press(SDL_CONTROLLER_BUTTON_DPAD_DOWN), a = press(SDL_CONTROLLER_BUTTON_A),
               b = press(SDL_CONTROLLER_BUTTON_B);
    const Step stickRight = Do([&pad] {
        pad.Stick(false, 1, 0);
        pad.Stick(false, 0, 0);
        return true;
    });
    next_action r{};
    Play({Screen(ROBOT),
          down,
          down,
          Lit(2, "Load"),
          a,
          Screen(STERREN),
          b,
          Screen(ROBOT),
          down,
          Lit(3, "Hiscore"),
          a,
          Screen(WIT),
          b,
          Screen(ROBOT),
          down,
          Lit(4, "Settings"),
          a,
          Difficulty("medium"),
          press(SDL_CONTROLLER_BUTTON_DPAD_LEFT),
          Difficulty("easy"),
          stickRight,
          Difficulty("medium"),
          b,
          Screen(ROBOT),
          down,
          Lit(5, "Credits"),
          press(SDL_CONTROLLER_BUTTON_START),
          Screen(WIT),
          b,
          Screen(ROBOT),
          b,
          Lit(6, "Quit"),
          b},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::afsluiten);
    EXPECT_EQ(KM::difficultyLevel, 2u);
}

// The click that chose Instellingen, and a stray click left on the start
// menu, never act on the settings screen; one click on an arrow is one step.
TEST_F(StaleInput, NoClickOfTheStartMenuActsOnTheSettingsScreen) {
    next_action r{};
    const Step settleAndStay = Pause(300);
    Play({Screen(ROBOT), StartMenu(4), Difficulty("medium"), settleAndStay, Difficulty("medium"),
          Click(587, 300), Difficulty("hard"), settleAndStay, Difficulty("hard"), Click(425, 400),
          Screen(ROBOT),
          // A click beside every button, then Instellingen chosen with the keys.
          Stray(262, 300), Tap(SDLK_RETURN), Difficulty("hard"), settleAndStay, Difficulty("hard"),
          Tap(SDLK_ESCAPE), Screen(ROBOT), Tap(SDLK_ESCAPE), Tap(SDLK_ESCAPE)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::afsluiten);
    EXPECT_EQ(KM::difficultyLevel, 3u);
    EXPECT_FALSE(StandardMenu::ClickPending());
}

// Enter held on one screen chooses nothing on the next, however long it is held.
TEST_F(StaleInput, AHeldEnterChoosesOnceOnly) {
    auto key = [](SDL_Keycode k, bool down) {
        return Do([k, down] {
            SdlInput::Key(k, down);
            Wimdows::Sync();
            return true;
        });
    };
    next_action r{};
    Play({Screen(ROBOT), Tap(SDLK_DOWN), Tap(SDLK_DOWN), Tap(SDLK_DOWN), Tap(SDLK_DOWN),
          Lit(4, "Settings"), key(SDLK_RETURN, true), Difficulty("medium"), Pause(700),
          key(SDLK_RETURN, false), Pause(100), Difficulty("medium"), Tap(SDLK_ESCAPE),
          Screen(ROBOT), Tap(SDLK_ESCAPE), Tap(SDLK_ESCAPE)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::afsluiten);
    EXPECT_EQ(KM::difficultyLevel, 2u); // the down arrow, focused on arrival, was never chosen
}

// Hulp shows the help over the in-game menu; the click that closes it is no
// click on the menu beneath (here on Menu or, in the tutorial, Afsluiten).
TEST_F(KeyboardOnly, TheInGameMenusHulpShowsTheHelpAndAnyClickClosesIt) {
    auto level = std::make_unique<K::Level>();
    const uint32_t pauze = Colour("images/Backgrounds/pauze.bmp");
    for (bool oefenen : {false, true}) {
        KM::tutorial = oefenen;
        next_action r{};
        // Hulp is next in the focus's order, and beside Verder.
        Play({Screen(pauze), Tap(oefenen ? SDLK_DOWN : SDLK_RIGHT),
              Pixel(550, 110, Colour("images/Help1.bmp")), Tap(SDLK_RETURN),
              Pixel(145, 145, 0x202020), Pause(200), Click(400, oefenen ? 425 : 525), Screen(pauze),
              Pause(300), Screen(pauze), Tap(SDLK_ESCAPE)},
             [&] { r = KM::Kolvemar_ingamemenu(*level); });
        EXPECT_EQ(r, next_action::resume) << oefenen;
    }
    KM::tutorial = false;
}

// Fire held in the level as M opens the menu: its release over Menu is no click.
TEST_F(StaleInput, AButtonPressedInTheLevelIsNoClickInTheInGameMenu) {
    auto level = std::make_unique<K::Level>();
    KM::tutorial = false;
    SdlInput::Move(400, 525);
    SdlInput::Button(400, 525, true);
    Wimdows::Sync();
    Commands::NextScreen(); // as the level does before its menu
    next_action r{};
    Play({Screen(Colour("images/Backgrounds/pauze.bmp")), Do([] {
              SdlInput::Button(400, 525, false);
              Wimdows::Sync();
              return true;
          }),
          Pause(300), Tap(SDLK_ESCAPE)},
         [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::resume);
}
