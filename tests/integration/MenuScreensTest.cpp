#include <memory>

#include "../support/VirtualPad.h"
#include "LevelCreator.h"
#include "MenuScript.h"
#include "Settings.h"
#include "StandardLib.h"
#include "Taal.h"

namespace K = Kolvemar_Constanten_en_Types;
namespace KM = Kolvemar_Menu;
namespace LC = LevelCreator;
using namespace MenuScript;
using K::next_action;

namespace {

enum StartKnop { START, TUTORIAL, LOAD, HISCORE, SETTINGS, CREDITS, QUIT };
enum IngameKnop { RESUME, SAVE, LADEN, INSTELLINGEN, MENU, AFSLUITEN };
enum TutorialKnop { T_RESUME, T_SETTINGS, T_MENU, T_QUIT };

const Step DOWN = Click(262, 300), UP = Click(587, 300), SELECTOR_BACK = Click(425, 400);

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// White text on the row of slot button `k`, right of the button.
bool SlotLineShown(int32_t k) {
    return AnyPixel(505, 100 + 100 * k + 10, 800, 100 + 100 * k + 40, 0xFFFFFF);
}

// The confirmation above slot button `k` reads `tekst`: white pixels that end
// where that text ends.
bool ConfirmationReads(int32_t k, const char* tekst) {
    uint32_t w = 0, h = 0;
    Wimdows::GetTextSize(tekst, 0, w, h);
    const int32_t y = 75 + 100 * k, eind = 350 + static_cast<int32_t>(w);
    return AnyPixel(eind - 8, y, eind, y + 25, 0xFFFFFF) &&
           !AnyPixel(eind + 1, y, 800, y + 25, 0xFFFFFF);
}

using StartMenuScreen = Screens;
using InGameMenu = Screens;
using SlotScreens = Screens;
using OtherScreens = Screens;
using ClosedWindow = Screens;

} // namespace

TEST_F(StartMenuScreen, StartPlaysLevelOneAtNormalDifficulty) {
    next_action r{};
    Play({Pixel(5, 5, Colour("images/Backgrounds/robotachtergrond.bmp")),
          Pixel(310, 80, Colour("images/Start0.bmp")), Pixel(310, 680, Colour("images/Quit0.bmp")),
          StartMenu(START)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::startup);
    EXPECT_EQ(KM::Getstartlevel(), "levels\\level1.txt");
    EXPECT_EQ(KM::difficultyLevel, 2u);
    EXPECT_FALSE(KM::tutorial);
}

TEST_F(StartMenuScreen, TutorialAndQuit) {
    next_action r{};
    Play({StartMenu(TUTORIAL)}, [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::startup_tutorial);
    EXPECT_TRUE(KM::tutorial);
    Play({StartMenu(QUIT)}, [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::afsluiten);
    EXPECT_FALSE(KM::tutorial); // entering the menu clears it
}

TEST_F(StartMenuScreen, ClickBesideEveryButtonLeavesTheMenuWaiting) {
    next_action r{};
    Play({Stray(300, 70), Stray(500, 95), StartMenu(QUIT)}, [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::afsluiten);
}

TEST_F(StartMenuScreen, HoverShowsTheSecondPicture) {
    next_action r{};
    Play({Pixel(310, 280, Colour("images/Load0.bmp")), Move(420, 295),
          Pixel(310, 280, Colour("images/Load1.bmp")), Click(420, 295),
          Pixel(310, 310, Colour("images/save30.bmp")), Move(420, 320),
          Pixel(310, 310, Colour("images/save31.bmp")), SlotMenu(5), StartMenu(QUIT)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::afsluiten);
}

TEST_F(StartMenuScreen, SettingsStopAtBothEndsAndTheMenuResetsToNormal) {
    uint32_t d = 2;
    const uint32_t lazy = Colour("images/lazy.bmp"), extreme = Colour("images/extreme.bmp");
    Play({Pixel(400, 300, Colour("images/medium.bmp")), DOWN, DOWN, DOWN, Pixel(400, 300, lazy), UP,
          UP, UP, UP, UP, UP, Pixel(400, 300, extreme), DOWN, SELECTOR_BACK},
         [&] { KM::Select(d); });
    EXPECT_EQ(d, 3u);

    next_action r{};
    Play({StartMenu(SETTINGS), UP, SELECTOR_BACK, StartMenu(START)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::startup);
    EXPECT_EQ(KM::difficultyLevel, 3u);
    Play({StartMenu(START)}, [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(KM::difficultyLevel, 2u);
}

TEST_F(SlotScreens, LoadChoosesTheStartLevelAndTheAutosaveRule) {
    for (uint32_t slot = 1; slot <= 5; ++slot)
        WriteSlot(slot, slot);
    next_action r{};
    Play({StartMenu(LOAD), SlotMenu(2), SlotMenu(5), StartMenu(START)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::startup);
    EXPECT_EQ(KM::Getstartlevel(), "levels\\save3.txt");
    EXPECT_TRUE(KM::autosave);

    Play({StartMenu(LOAD), SlotMenu(4), SlotMenu(5), StartMenu(START)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(KM::Getstartlevel(), "levels\\save5.txt");
    EXPECT_FALSE(KM::autosave); // loading the autosave does not overwrite it first

    Play({StartMenu(LOAD), SlotMenu(4), SlotMenu(0), SlotMenu(5), StartMenu(QUIT)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(KM::Getstartlevel(), "levels\\save1.txt");
    EXPECT_TRUE(KM::autosave);

    Play({StartMenu(LOAD), SlotMenu(5), StartMenu(START)}, [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(KM::Getstartlevel(), "levels\\level1.txt"); // no choice, nothing changes
    EXPECT_TRUE(KM::autosave);
}

TEST_F(SlotScreens, ConfirmationStandsAboveTheChosenSlot) {
    const uint32_t sky = Colour("images/Backgrounds/sterrenhemel2.bmp");
    WriteSlot(1, 1);
    WriteSlot(3, 3);
    auto whiteIn = [](int32_t y0) { return AnyPixel(350, y0, 480, y0 + 25, 0xFFFFFF); };
    bool shownAtSlot3 = false, goneFromSlot1 = false;
    Play({Pixel(5, 5, sky), SlotMenu(0), SlotMenu(2), Pause(200), SlotMenu(5)}, [&] {
        std::thread check([&] {
            WaitFor([&] { return whiteIn(275); });
            shownAtSlot3 = whiteIn(275);
            goneFromSlot1 = !whiteIn(75);
        });
        KM::Loadgame();
        check.join();
    });
    EXPECT_TRUE(shownAtSlot3);
    EXPECT_TRUE(goneFromSlot1);
}

TEST_F(SlotScreens, SlotLinesTellLevelAndDateOrEmptyOrDamaged) {
    EmptySlots({1, 3, 5});
    WriteSlot(2, 4);
    DamageSlot(4);
    const KM::SlotInhoud goed = KM::LeesSlot(2), leeg = KM::LeesSlot(1),
                         beschadigd = KM::LeesSlot(4);
    EXPECT_TRUE(goed.bruikbaar);
    EXPECT_EQ(goed.regel, "level 4 \u00b7 7-12 15:42");
    EXPECT_FALSE(leeg.bruikbaar);
    EXPECT_EQ(leeg.regel, "leeg");
    EXPECT_FALSE(beschadigd.bruikbaar);
    EXPECT_EQ(beschadigd.regel, "beschadigd");

    // Every slot button has its line, on the load screen and the save screen.
    auto rows = [](std::initializer_list<int32_t> ks) {
        return Until([=] { return std::all_of(ks.begin(), ks.end(), SlotLineShown); },
                     "a line beside every slot button");
    };
    Play({rows({0, 1, 2, 3, 4}), SlotMenu(5)}, [] { KM::Loadgame(); });
    auto level = std::make_unique<K::Level>();
    level->vordering = 9;
    Play({rows({0, 1, 2, 3}), SlotMenu(0),
          Until([] { return KM::LeesSlot(1).bruikbaar; }, "slot 1"),
          Until([] { return !SlotLineShown(4); }, "nothing beside Back"), SlotMenu(4)},
         [&] { KM::Savegame(*level); });
    EXPECT_EQ(KM::LeesSlot(1).regel.rfind("level 9 \u00b7 ", 0), 0u) << "slot 1 now holds level 9";
}

TEST_F(SlotScreens, EmptyOrDamagedSlotKeepsTheRunningGame) {
    EmptySlots({3, 5});
    WriteSlot(2, 4);
    DamageSlot(4);
    auto level = std::make_unique<K::Level>();
    level->punten = 39;
    KM::tutorial = false;
    const std::string before = KM::Getstartlevel();
    next_action r{};
    // Slot 3 never written, slot 4 damaged, slot 5 empty too: none is taken.
    Play({SlotMenu(LADEN), SlotMenu(2),
          Until([] { return ConfirmationReads(2, "leeg"); }, "\"leeg\" above slot 3"), SlotMenu(3),
          Until([] { return ConfirmationReads(3, "beschadigd"); }, "\"beschadigd\" above slot 4"),
          SlotMenu(4), SlotMenu(5), SlotMenu(RESUME)},
         [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::resume); // back into the level
    EXPECT_EQ(KM::Getstartlevel(), before);
    EXPECT_TRUE(KM::autosave);
    EXPECT_EQ(level->punten, 39);

    // A good slot still restarts from it, whatever empty one was tried after it.
    Play({SlotMenu(LADEN), SlotMenu(1),
          Until([] { return ConfirmationReads(1, "Loading complete"); }, "the confirmation"),
          SlotMenu(2), SlotMenu(5), SlotMenu(RESUME)},
         [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::startup);
    EXPECT_EQ(KM::Getstartlevel(), "levels\\save2.txt");

    // The autosave chosen, then only a refused slot on a second visit: the
    // start level stays the autosave, and so does the rule not to overwrite it.
    WriteSlot(5, 6);
    Play({StartMenu(LOAD), SlotMenu(4), SlotMenu(5), StartMenu(LOAD), SlotMenu(2),
          Until([] { return ConfirmationReads(2, "leeg"); }, "\"leeg\" above slot 3"), SlotMenu(5),
          StartMenu(START)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(KM::Getstartlevel(), "levels\\save5.txt");
    EXPECT_FALSE(KM::autosave);
}

TEST_F(SlotScreens, SaveWritesTheChosenSlot) {
    auto level = std::make_unique<K::Level>();
    level->vordering = 4;
    level->punten = 1234;
    next_action r{};
    Play({SlotMenu(SAVE), SlotMenu(1), SlotMenu(3), SlotMenu(4), SlotMenu(RESUME)},
         [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::resume);
    for (const char* slot : {"levels/save2.txt", "levels/save4.txt"}) {
        auto back = std::make_unique<K::Level>();
        ASSERT_TRUE(LC::Leeslevel(slot, *back)) << slot;
        EXPECT_EQ(back->vordering, 4u);
        EXPECT_EQ(back->punten, 1234);
    }
    EXPECT_FALSE(fs::exists("levels/save1.txt"));
    EXPECT_EQ(KM::SlotFile(5), "levels\\save5.txt");
}

TEST_F(SlotScreens, APlayersFolderThatCannotBeMadeIsReportedAtEverySave) {
    std::ofstream(dir / "blocker") << "a file where the player's folder should go";
    StandardLib::SetFolders("", (dir / "blocker" / "kolvemar-trovix").string());
    auto level = std::make_unique<K::Level>();
    next_action r{};
    testing::internal::CaptureStderr();
    Play({SlotMenu(SAVE), SlotMenu(1), SlotMenu(3), SlotMenu(4), SlotMenu(RESUME)},
         [&] { r = KM::Kolvemar_ingamemenu(*level); });
    const std::string said = testing::internal::GetCapturedStderr();
    StandardLib::SetFolders("", "");
    EXPECT_EQ(r, next_action::resume); // the game plays on
    std::size_t lines = 0;
    for (std::size_t at = said.find("plays on without saving"); at != std::string::npos;
         at = said.find("plays on without saving", at + 1))
        ++lines;
    EXPECT_EQ(lines, 2u) << said;
    EXPECT_FALSE(fs::exists("levels/save2.txt"));
}

TEST_F(SlotScreens, SaveThatFailsIsNotConfirmed) {
    fs::remove_all("levels");
    std::ofstream("levels") << "a file where the folder should be";
    auto level = std::make_unique<K::Level>();
    Play({SlotMenu(1), Pause(300), SlotMenu(4)}, [&] { KM::Savegame(*level); });
    EXPECT_FALSE(AnyPixel(350, 175, 480, 200, 0xFFFFFF)) << "confirmed";
}

TEST_F(InGameMenu, NormalGameHasSixChoices) {
    auto level = std::make_unique<K::Level>();
    KM::tutorial = false;
    next_action r{};
    Play({SlotMenu(RESUME)}, [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::resume);
    Play({SlotMenu(MENU)}, [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::einde);
    Play({SlotMenu(AFSLUITEN)}, [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::afsluiten);
    KM::difficultyLevel = 2;
    Play({SlotMenu(INSTELLINGEN), UP, SELECTOR_BACK, SlotMenu(RESUME)},
         [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::resume);
    EXPECT_EQ(KM::difficultyLevel, 3u); // kept for the rest of the level
    // A visit to the load screen, even without a choice, restarts the game.
    Play({SlotMenu(LADEN), SlotMenu(5), SlotMenu(RESUME)},
         [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::startup);
}

TEST_F(InGameMenu, TutorialHasFourChoices) {
    auto level = std::make_unique<K::Level>();
    KM::tutorial = true;
    next_action r{};
    Play({Pixel(310, 110, Colour("images/Resume0.bmp")),
          Pixel(310, 210, Colour("images/Settings0.bmp")),
          Pixel(310, 310, Colour("images/Menu0.bmp")), SlotMenu(T_MENU)},
         [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::menu);
    Play({SlotMenu(T_SETTINGS), SELECTOR_BACK, SlotMenu(T_RESUME)},
         [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::resume);
    Play({SlotMenu(T_QUIT)}, [&] { r = KM::Kolvemar_ingamemenu(*level); });
    EXPECT_EQ(r, next_action::afsluiten);
    KM::tutorial = false;
}

TEST_F(OtherScreens, RevisitedMenusDoNotGrowThePictureTable) {
    auto level = std::make_unique<K::Level>();
    next_action r{};
    auto visitAll = [&] {
        Play({StartMenu(SETTINGS), SELECTOR_BACK, StartMenu(QUIT)},
             [&] { r = KM::Kolvemar_menu(); });
        KM::tutorial = false;
        Play({SlotMenu(LADEN), SlotMenu(5), SlotMenu(SAVE), SlotMenu(4), SlotMenu(RESUME)},
             [&] { r = KM::Kolvemar_ingamemenu(*level); });
    };
    visitAll();
    const uint32_t length = Wimdows::BitmapTableLength();
    for (int i = 0; i < 10; ++i)
        visitAll();
    EXPECT_EQ(Wimdows::BitmapTableLength(), length);
    KM::MemoryClearMenu(); // and everything the menus loaded is given back
    EXPECT_EQ(Wimdows::BitmapTableLength(), 0u);
}

TEST_F(OtherScreens, HighScoresOfAMissingFileAreEmptyAndTheFileIsWritten) {
    ASSERT_FALSE(fs::exists("Highscores.txt"));
    next_action r{};
    Play({StartMenu(HISCORE), Pixel(5, 5, Colour("images/Backgrounds/wit.bmp")),
          Pixel(320, 20, Colour("images/nummers/rood.bmp")), // the title
          Back(), StartMenu(QUIT)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::afsluiten);
    EXPECT_EQ(Read("Highscores.txt").size(), 1184u);
}

TEST_F(OtherScreens, ResultSheetWaitsForItsBackButton) {
    const uint32_t gameover = Colour("images/Backgrounds/gameover.bmp");
    Play({Pixel(5, 5, gameover), Pixel(500, 550, Colour("images/gameover.bmp")), Stray(400, 95),
          Back()},
         [&] { KM::resultfiche(3, 100, -2, 50, 10, SYSTEMTIME{}, 2); });
    // the title's letters in red 176 somewhere on its line
    EXPECT_TRUE(AnyPixel(200, 20, 380, 40, 0xB0));
}

// ---- Every text ends before whatever follows it ----

namespace {

struct Box {
    int32_t x0, y0, x1, y1; // x1 and y1 just outside
    std::string what;
};

Box Measured(const KM::TekstRegel& r, uint32_t style) {
    uint32_t w = 0, h = 0;
    Wimdows::GetTextSize(r.tekst.c_str(), style, w, h);
    EXPECT_TRUE(r.tekst.empty() || (w > 0 && h > 0)) << "no font for style " << style;
    return {r.x, r.y, r.x + static_cast<int32_t>(w), r.y + static_cast<int32_t>(h),
            "\"" + r.tekst + "\" at " + std::to_string(r.x) + "," + std::to_string(r.y)};
}

// No two boxes share a pixel and each stays inside the area up to (w, h).
void ExpectApart(const std::vector<Box>& boxes, int32_t w, int32_t h, const std::string& screen) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& a = boxes[i];
        EXPECT_TRUE(a.x0 >= 0 && a.y0 >= 0 && a.x1 <= w && a.y1 <= h) << screen << ": " << a.what;
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const Box& b = boxes[j];
            EXPECT_FALSE(a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1)
                << screen << ": " << a.what << " runs into " << b.what;
        }
    }
}

std::vector<Box> Texts(const std::vector<KM::TekstRegel>& regels, uint32_t style) {
    std::vector<Box> boxes;
    for (const KM::TekstRegel& r : regels)
        if (!r.tekst.empty()) boxes.push_back(Measured(r, style));
    return boxes;
}

// The data folder's catalogues in the test's game folder; Dutch again after the test.
class TextLayout : public Screens {
  protected:
    void CopyCatalogues() {
        fs::copy(fs::path(KT_GAME_DIR) / "locale", dir / "locale", fs::copy_options::recursive);
    }
    void TearDown() override {
        Taal::Zet(Taal::NEDERLANDS);
        Screens::TearDown();
    }
};

} // namespace

TEST_F(TextLayout, ResultSheetTextsStayApartForEveryRankDifficultyAndTime) {
    CopyCatalogues();
    const SYSTEMTIME tijden[] = {{0, 0, 0, 0, 1, 2, 3, 4}, {0, 0, 0, 0, 9, 59, 59, 990}};
    for (const char* taal : Taal::TALEN) {
        Taal::Zet(taal);
        ASSERT_EQ(Taal::Code(), taal);
        for (uint32_t rank : {1u, 2u, 10u, 11u})
            for (uint32_t difficulty = 0; difficulty <= 4; ++difficulty)
                for (const SYSTEMTIME& tijd : tijden)
                    for (bool bewaard : {true, false}) {
                        std::vector<Box> boxes =
                            Texts(KM::ResultTeksten(rank, 123456, 100, 100, 99999, tijd, 12,
                                                    difficulty, bewaard),
                                  1);
                        boxes.push_back({400, 500, 800, 620, "the game-over picture"});
                        boxes.push_back({600, 700, 800, 800, "the back button"});
                        ExpectApart(boxes, 800, 800,
                                    std::string(taal) + " sheet of rank " + std::to_string(rank) +
                                        ", minute " + std::to_string(tijd.wMinute));
                    }
    }
}

TEST_F(TextLayout, SlotScreenAndInformationBarTextsStayApart) {
    CopyCatalogues();
    for (const char* taal : Taal::TALEN) {
        Taal::Zet(taal);
        ASSERT_EQ(Taal::Code(), taal);
        const auto regel = [](uint32_t level, int dag, int maand, int uur, int minuut) {
            char r[96];
            std::snprintf(r, sizeof r, Taal::Tekst("level %u \u00b7 %d-%d %02d:%02d"), level, dag,
                          maand, uur, minuut);
            return std::string(r);
        };
        const std::vector<KM::SlotInhoud> sloten = {{true, regel(12, 28, 12, 23, 59)},
                                                    {false, Taal::Tekst("beschadigd")},
                                                    {false, Taal::Tekst("leeg")},
                                                    {true, regel(4294967295u, 30, 11, 20, 8)},
                                                    {true, regel(10, 10, 10, 10, 10)}};
        for (const char* tekst : {"Saving complete", "Loading complete", "leeg", "beschadigd"})
            for (int32_t k = 0; k < 5; ++k) {
                std::vector<Box> boxes =
                    Texts(KM::SlotTeksten(sloten, true, Taal::Tekst(tekst), 75 + 100 * k), 0);
                for (int32_t b = 0; b < 6; ++b)
                    boxes.push_back(
                        {300, 100 + 100 * b, 500, 150 + 100 * b, "button " + std::to_string(b)});
                ExpectApart(boxes, 800, 800, std::string(taal) + " " + tekst);
            }
        const int32_t S = 800, punten = 2 * S / 3;
        std::vector<Box> bar = Texts({{Taal::Tekst("Leven"), 15, 10},
                                      {Taal::Tekst("Punten"), punten, 10},
                                      {"-2147483648", punten, 25},
                                      {Taal::Tekst("Armor"), 15, 60}},
                                     4);
        bar.push_back({15, 25, 201, 41, "the life bar"});
        bar.push_back({15, 75, 166, 91, "the armour bar"});
        ExpectApart(bar, S, static_cast<int32_t>(K::grootte_informatiebalk),
                    std::string(taal) + " information bar");
    }
}

TEST_F(OtherScreens, CreditsEndAtOnceOnBack) {
    const auto begin = std::chrono::steady_clock::now();
    Play({Pixel(5, 5, Colour("images/Backgrounds/wit.bmp")), Pause(300), Back()},
         [&] { KM::Credits(); });
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 10s); // the scroll takes 64 s
    // A click left over from an earlier screen ends them at the first step.
    StandardMenu::RegisterLeftClick(700, 750);
    KM::Credits();
    EXPECT_FALSE(StandardMenu::ClickPending());
}

TEST_F(OtherScreens, TheCreditsPictureLivesOnlyWhileTheCreditsRun) {
    StandardMenu::RegisterLeftClick(700, 750); // a first visit loads what the screens share
    KM::Credits();
    const uint32_t pictures = Wimdows::BitmapTableLength();
    uint32_t during = 0;
    Play({Pixel(5, 5, Colour("images/Backgrounds/wit.bmp")),
          Until([&] { return (during = Wimdows::BitmapTableLength()) > pictures; }, "the picture"),
          Back()},
         [&] { KM::Credits(); });
    EXPECT_EQ(during, pictures + 1);
    EXPECT_EQ(Wimdows::BitmapTableLength(), pictures);
}

TEST_F(ClosedWindow, EveryScreenReturnsWhenTheWindowIsClosed) {
    auto level = std::make_unique<K::Level>();
    const std::vector<std::pair<Step, std::function<void()>>> screens = {
        {StartMenu(HISCORE), [] { EXPECT_EQ(KM::Kolvemar_menu(), next_action::afsluiten); }},
        {StartMenu(SETTINGS), [] { EXPECT_EQ(KM::Kolvemar_menu(), next_action::afsluiten); }},
        {StartMenu(CREDITS), [] { EXPECT_EQ(KM::Kolvemar_menu(), next_action::afsluiten); }},
        {StartMenu(LOAD), [] { EXPECT_EQ(KM::Kolvemar_menu(), next_action::afsluiten); }},
        {SlotMenu(SAVE),
         [&] { EXPECT_EQ(KM::Kolvemar_ingamemenu(*level), next_action::afsluiten); }},
        {Pause(0), [] { KM::resultfiche(11, 0, 0, 0, 0, SYSTEMTIME{}, 1); }},
    };
    for (const auto& [first, screen] : screens) {
        Play({first, Pause(100), Close()}, screen);
        EXPECT_TRUE(Wimdows::WindowClosed());
        // Nothing waits for a click that cannot come any more.
        EXPECT_EQ(KM::Kolvemar_menu(), next_action::afsluiten);
        Wimdows::KillWindow();
        Wimdows::Window("Kolvemar-Trovix", 800, 800);
        TakeClicks();
    }
}

// The right stick walks the pointer from Start down to Tutorial, which takes
// the focus; A chooses it.
TEST_F(StartMenuScreen, APadsStickMovesThePointerAndAChoosesTheButtonUnderIt) {
    next_action r{};
    std::vector<std::string> fouten;
    Play({Do([&] {
             VirtualPad p;
             SdlInput::Move(400, 95);
             Wimdows::Sync();
             p.Stick(true, 0, 0.6f);
             const bool daar = MenuScript::WaitFor([] {
                 int32_t x = 0, y = 0;
                 Wimdows::MousePos(x, y);
                 return y >= 185;
             });
             p.Stick(true, 0, 0);
             std::this_thread::sleep_for(100ms); // the menu sees the pointer stand there
             if (!daar) fouten.push_back("the pointer did not get down to Tutorial");
             p.Press(SDL_CONTROLLER_BUTTON_A);
             return daar;
         })},
         [&] { r = Kolvemar_Menu::Kolvemar_menu(); });
    EXPECT_TRUE(fouten.empty()) << fouten.front();
    EXPECT_EQ(r, next_action::startup_tutorial);
}

// The settings screen's smooth-motion line turns the setting over, clicked or
// chosen with the keys (Up from the first button wraps to Besturing, once
// more to the line), and the settings file keeps it.
TEST_F(StartMenuScreen, TheSmoothMotionLineTurnsTheSettingOver) {
    ASSERT_TRUE(Settings::Store({}));
    uint32_t d = 2;
    const auto smooth = [](bool on) {
        return Until([on] { return Settings::Current().smooth == on; }, "smooth changed");
    };
    // Left with Esc, not a click: a click's move can come after the menu's
    // last look at the pointer, and the next screen would see the pointer
    // move and take the focus to the button under it.
    Play({Click(400, 598), smooth(false), Tap(SDLK_ESCAPE)}, [&] { KM::Select(d); });
    ASSERT_TRUE(Settings::Flush());
    EXPECT_NE(Read(Settings::FilePath()).find("smooth=false\n"), std::string::npos);
    Play({Tap(SDLK_UP), Tap(SDLK_UP), Tap(SDLK_RETURN), smooth(true), SELECTOR_BACK},
         [&] { KM::Select(d); });
    EXPECT_TRUE(Settings::Current().smooth);
    EXPECT_EQ(d, 2u);
    ASSERT_TRUE(Settings::Store({}));
}
