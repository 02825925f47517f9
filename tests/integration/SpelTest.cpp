// Levels played through spel in the headless window, with scripted input and
// a fake clock so that nothing waits.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <thread>

#include "../support/TestSound.h"
#include "../support/VirtualPad.h"
#include "Kolvemar_Menu.h"
#include "LevelCreator.h"
#include "MenuScript.h"
#include "Music.h"
#include "SpelFixture.h"
#include "StandardMenu.h"
#include "Taal.h"

using namespace spelproef;
using K::next_action;

namespace {

constexpr int32_t Q = 'Q';
constexpr int32_t UP = 38, RIGHT = 39, DOWN = 40, LEFT = 37;

class Spel : public testing::Test {
  protected:
    void SetUp() override {
        Opstarten();
        ASSERT_EQ(Wimdows::State(), Wimdows::STATE_ACTIVE);
        // The level's sounds, heard on the dummy audio driver.
        for (const char* geluid : {"glock22", "explosion", "death"})
            TestSound::Write(std::string("muziek/") + geluid + ".mp3");
        Music::InitMusic();
        Kolvemar_Menu::tutorial = false;
        Kolvemar_Menu::autosave = true;
        Kolvemar_Menu::difficultyLevel = 2;
        std::filesystem::remove("levels/save5.txt");
    }
    void TearDown() override { EXPECT_FALSE(klok().gestopt) << "the level had to be quit"; }

    // Holds the keys from the first tick and quits after `frames` frames.
    K::Level Loop(std::vector<int32_t> toetsen, int frames) {
        K::Level l = LeegLevel();
        std::vector<Invoer> script;
        for (int32_t t : toetsen)
            script.push_back({l.time, Soort::toets_neer, t});
        script.push_back({l.time + frames, Soort::toets_neer, Q});
        EXPECT_EQ(Speel(l, script), next_action::afsluiten);
        return l;
    }
};

struct Beweging {
    std::vector<int32_t> toetsen;
    float dx, dy;
};

TEST_F(Spel, BothKeySetsMoveAndDiagonalsGoThreeFifths) {
    const Beweging gevallen[] = {{{RIGHT}, 5, 0},
                                 {{'F'}, 5, 0},
                                 {{UP}, 0, -5},
                                 {{'E'}, 0, -5},
                                 {{DOWN}, 0, 5},
                                 {{'D'}, 0, 5},
                                 {{LEFT}, -5, 0},
                                 {{'S'}, -5, 0},
                                 {{UP, RIGHT}, 3, -3},
                                 {{'E', 'F'}, 3, -3},
                                 {{'D', 'S'}, -3, 3},
                                 {{UP, DOWN}, 0, 5},
                                 {{LEFT, RIGHT}, -5, 0},
                                 {{UP, DOWN, LEFT, RIGHT}, -3, 3},
                                 {{}, 0, 0}};
    for (const Beweging& b : gevallen) {
        const K::Level l = Loop(b.toetsen, 4);
        const K::Object& p = l.objecten[0];
        EXPECT_FLOAT_EQ(p.x, 200.0f + 4 * b.dx) << testing::PrintToString(b.toetsen);
        EXPECT_FLOAT_EQ(p.y, 200.0f + 4 * b.dy) << testing::PrintToString(b.toetsen);
        EXPECT_FLOAT_EQ(p.vtot, std::sqrt(b.dx * b.dx + b.dy * b.dy));
        EXPECT_EQ(l.time, 1004);
    }
}

TEST_F(Spel, HoldingTheButtonFiresOneBulletPerFrameWithTheDifficultyFactor) {
    for (uint32_t moeilijk : {0u, 2u, 4u}) {
        Kolvemar_Menu::difficultyLevel = moeilijk;
        K::Level l = LeegLevel();
        l.stats_kogels = 7;
        const std::vector<Invoer> script = {{l.time, Soort::muis, 200, 100},
                                            {l.time, Soort::knop_neer, 200, 100},
                                            {l.time + 3, Soort::toets_neer, Q}};
        ASSERT_EQ(Speel(l, script), next_action::afsluiten);
        EXPECT_EQ(l.stats_kogels, 10);
        for (int k = 1; k <= 3; ++k) {
            const K::Objectkogel& g = l.geschut[k];
            EXPECT_TRUE(g.leven) << k;
            EXPECT_EQ(g.soortkogel.dammage, 10 * (6 - int(moeilijk)) / 4);
            EXPECT_EQ(g.soortkogel.vtot, 20.0f);
            EXPECT_EQ(g.vx, 0.0f);
            EXPECT_LT(g.vy, 0.0f);
        }
        EXPECT_FALSE(l.geschut[4].leven);
    }
}

// The gun's loop starts with the first shot and stops when the button is let
// go (the level's sounds are loaded for the level and released after it).
TEST_F(Spel, TheGunSoundsWhileTheButtonIsHeld) {
    auto klinkt = [] {
        for (uint32_t s = 1; s <= Music::SoundTableLength(); ++s)
            if (Music::SoundChannel(s) >= 0) return true;
        return false;
    };
    std::map<K::INTEGER, bool> geluid; // by level time
    K::Level l = LeegLevel();
    const K::INTEGER t = l.time;
    EXPECT_EQ(Speel(l,
                    {{t + 1, Soort::muis, 300, 100},
                     {t + 2, Soort::knop_neer, 300, 100},
                     {t + 40, Soort::knop_op, 300, 100},
                     {t + 45, Soort::toets_neer, Q}},
                    [&](const K::Level& nu) { geluid[nu.time] = klinkt(); }),
              next_action::afsluiten);
    EXPECT_FALSE(geluid[t + 1]);
    EXPECT_TRUE(geluid[t + 3]);
    EXPECT_TRUE(geluid[t + 30]); // past the first restart, after 17 ticks
    EXPECT_FALSE(geluid[t + 42]);
}

TEST_F(Spel, TheMouseOnThePlayersCentreFiresNothing) {
    K::Level l = LeegLevel();
    const std::vector<Invoer> script = {{l.time, Soort::muis, 200, 200},
                                        {l.time, Soort::knop_neer, 200, 200},
                                        {l.time + 3, Soort::toets_neer, Q}};
    Speel(l, script);
    EXPECT_EQ(l.stats_kogels, 0);
    EXPECT_FALSE(l.geschut[1].leven);
}

TEST_F(Spel, TheDoorOpensWhenTheLastMonsterIsDeadAndWinsNear) {
    // A living monster keeps the door shut even when the player stands on it.
    K::Level dicht = LeegLevel();
    dicht.objecten[0].x = S / 2.0f;
    dicht.objecten[0].y = S - 47.0f;
    Monster(dicht, 7, 100, 150);
    EXPECT_EQ(Speel(dicht, {{dicht.time + 3, Soort::toets_neer, Q}}), next_action::afsluiten);

    // Walking down to the door point wins the level once within 22 pixels of it.
    K::Level l = LeegLevel();
    l.objecten[0].y = 300.0f; // the door point is (200, 353)
    const next_action a = Speel(l, {{l.time, Soort::toets_neer, DOWN}});
    EXPECT_EQ(a, next_action::next_level);
    EXPECT_LT(S - 47.0f - l.objecten[0].y, 22.0f);
    EXPECT_GE(S - 47.0f - l.objecten[0].y, 17.0f);
    EXPECT_TRUE(std::filesystem::exists("levels/save5.txt"));

    Kolvemar_Menu::tutorial = true;
    l = LeegLevel();
    l.objecten[0].y = 340.0f;
    EXPECT_EQ(Speel(l, {}), next_action::next_level_tutorial);
}

TEST_F(Spel, NSkipsQQuitsAndBothSaveLikeTheDoor) {
    K::Level l = LeegLevel();
    Monster(l, 1, 100, 150);
    EXPECT_EQ(Speel(l, {{l.time + 2, Soort::toets_neer, 'N'}}), next_action::next_level);
    EXPECT_EQ(l.time, 1002);
    EXPECT_TRUE(std::filesystem::remove("levels/save5.txt"));

    Kolvemar_Menu::tutorial = true;
    EXPECT_EQ(Speel(l, {{l.time + 2, Soort::toets_neer, 'N'}}), next_action::next_level_tutorial);
    EXPECT_FALSE(std::filesystem::exists("levels/save5.txt"));

    Kolvemar_Menu::tutorial = false;
    EXPECT_EQ(Speel(l, {{l.time + 2, Soort::toets_neer, Q}}), next_action::afsluiten);
    EXPECT_TRUE(std::filesystem::exists("levels/save5.txt"));
}

TEST_F(Spel, KEndsTheGameWithoutOverwritingTheAutosave) {
    K::Level l = LeegLevel();
    l.punten = 12;
    EXPECT_EQ(Speel(l, {{l.time + 2, Soort::toets_neer, 'K'}}), next_action::einde);
    EXPECT_LE(l.objecten[0].levenspuntentot, 0);
    EXPECT_EQ(l.time, 1003); // K in frame 1002, the death shows in frame 1003
    EXPECT_EQ(l.punten, 12);
    EXPECT_FALSE(std::filesystem::exists("levels/save5.txt"));
    EXPECT_TRUE(Kolvemar_Menu::autosave); // re-armed for the next level
}

TEST_F(Spel, DeathInTheTutorialReplaysTheSameLevel) {
    Kolvemar_Menu::tutorial = true;
    K::Level l = LeegLevel();
    l.vordering = 2;
    l.objecten[0].levenspuntentot = 0;
    EXPECT_EQ(Speel(l, {}), next_action::next_level_tutorial);
    EXPECT_EQ(l.vordering, 1u); // the driver reads vordering + 1: tutorial2 again
    EXPECT_EQ(l.time, 1000);
    EXPECT_TRUE(Kolvemar_Menu::autosave);
    EXPECT_FALSE(std::filesystem::exists("levels/save5.txt"));
}

TEST_F(Spel, AClearedAutosaveSkipsOneSaveAndIsRearmed) {
    Kolvemar_Menu::autosave = false; // slot 5 was just loaded
    K::Level l = LeegLevel();
    EXPECT_EQ(Speel(l, {{l.time + 2, Soort::toets_neer, 'N'}}), next_action::next_level);
    EXPECT_FALSE(std::filesystem::exists("levels/save5.txt"));
    EXPECT_TRUE(Kolvemar_Menu::autosave);
    EXPECT_EQ(Speel(l, {{l.time + 2, Soort::toets_neer, 'N'}}), next_action::next_level);
    EXPECT_TRUE(std::filesystem::exists("levels/save5.txt"));
}

TEST_F(Spel, ASpawnersCloudReleasesItsFourChildren) {
    K::Level l = LeegLevel();
    K::Object& s = Monster(l, 3, 100, 150);
    s.levend = false;
    s.death = K::doodsoort::spawen;
    for (int i = 4; i <= 7; ++i) {
        Monster(l, i, 0, 0).levend = false;
        l.objecten[i].grootte = 4;
    }
    // Three frames of cloud before Q is read in the third.
    EXPECT_EQ(Speel(l, {{l.time + 2, Soort::toets_neer, Q}}), next_action::afsluiten);
    EXPECT_EQ(l.objecten[3].death, K::doodsoort::niets);
    const float verwacht[4][2] = {{110, 160}, {110, 140}, {90, 160}, {90, 140}};
    for (int c = 0; c < 4; ++c) {
        const K::Object& kind = l.objecten[4 + c];
        EXPECT_TRUE(kind.levend) << c;
        EXPECT_FLOAT_EQ(kind.x, verwacht[c][0]) << c;
        EXPECT_FLOAT_EQ(kind.y, verwacht[c][1]) << c;
    }
    EXPECT_FALSE(l.objecten[8].levend);
}

TEST_F(Spel, AnExplosionHurtsItsNeighboursAndThePlayerUnlessArmoured) {
    for (bool armour : {false, true}) {
        K::Level l = LeegLevel();
        K::Object& b = Monster(l, 1, 200, 140, 60); // blast 30
        b.levend = false;
        b.death = K::doodsoort::explosion;
        b.armoraan = armour;
        Monster(l, 2, 260, 140, 50);                // 60 away: hurt
        Monster(l, 3, 300, 300, 50);                // far: untouched
        Monster(l, 4, 150, 140, 20).levend = false; // dead ones are hurt too
        l.objecten[51].levend = true;               // pick-ups never are
        l.objecten[51].x = 210;
        l.objecten[51].y = 150;
        l.objecten[51].levenspuntentot = 5;
        EXPECT_EQ(Speel(l, {{l.time + 2, Soort::toets_neer, Q}}), next_action::afsluiten);
        const int schade = armour ? 0 : 30;
        EXPECT_EQ(l.objecten[2].levenspuntentot, 50 - schade);
        EXPECT_EQ(l.objecten[3].levenspuntentot, 50);
        EXPECT_EQ(l.objecten[4].levenspuntentot, 20 - schade);
        EXPECT_EQ(l.objecten[0].levenspuntentot, 100 - schade); // the player 60 away
        EXPECT_EQ(l.objecten[51].levenspuntentot, 5);
        EXPECT_EQ(l.objecten[1].death, K::doodsoort::niets);
    }
}

TEST_F(Spel, RandomSteeringWithNegativeSpeedsStaysFinite) {
    K::Level l = LeegLevel();
    Monster(l, 1, 100, 150).soortbeweging = K::bewegingssoort::type4;
    l.objecten[1].vtot = -3.0f;
    Monster(l, 2, 300, 150).soortbeweging = K::bewegingssoort::type5;
    l.objecten[2].vtot = -0.3f;
    Monster(l, 3, 300, 300).wapens =
        K::Wapen{true, "lukraak", 1, 0, K::Inteligentie::lukraak, K::Kogel{1, -5.0f}};
    Speel(l, {{l.time + 30, Soort::toets_neer, Q}});
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(std::isfinite(l.objecten[i].x) && std::isfinite(l.objecten[i].y)) << i;
    }
    EXPECT_NE(l.objecten[1].x, 100.0f);
    for (int k = 1; k <= K::GESCHUT_MAX; ++k)
        EXPECT_TRUE(std::isfinite(l.geschut[k].vx) && std::isfinite(l.geschut[k].vy)) << k;
}

TEST_F(Spel, PlayingTimeIsTheClockTimeOfTheLevel) {
    K::Level l = LeegLevel();
    l.stats_tijd.wMinute = 59;
    l.stats_tijd.wSecond = 59;
    l.stats_tijd.wMilliseconds = 990;
    Speel(l, {{l.time + 40, Soort::toets_neer, Q}});
    const uint64_t gelezen = klok().honderdsten; // one hundredth per reading
    const uint64_t ms =
        ((uint64_t(l.stats_tijd.wHour) * 60 + l.stats_tijd.wMinute) * 60 + l.stats_tijd.wSecond) *
            1000 +
        l.stats_tijd.wMilliseconds - (59 * 60 + 59) * 1000 - 990;
    // Every reading but the few after the end time counts; 40 frames need at least 3 each.
    EXPECT_LE(ms, gelezen * 10);
    EXPECT_GE(ms, (gelezen - 10) * 10);
    EXPECT_GE(ms, 40u * 30u);
    EXPECT_EQ(l.stats_tijd.wHour, 1);
}

TEST_F(Spel, AClockJumpingTwoHoursMidLevelAddsOnlyTheLevelsOwnTime) {
    K::Level l = LeegLevel();
    const K::INTEGER begin = l.time;
    constexpr uint64_t TWEE_UUR = 2 * 360000; // hundredths
    bool gesprongen = false;
    Speel(l, {{begin + 40, Soort::toets_neer, Q}}, [&](const K::Level& nu) {
        if (gesprongen || nu.time < begin + 20) return;
        klok().honderdsten += TWEE_UUR;
        gesprongen = true;
    });
    ASSERT_TRUE(gesprongen);
    const uint64_t gelezen = klok().honderdsten - TWEE_UUR; // one hundredth per reading
    const uint64_t ms = (uint64_t(l.stats_tijd.wMinute) * 60 + l.stats_tijd.wSecond) * 1000 +
                        l.stats_tijd.wMilliseconds;
    EXPECT_EQ(l.stats_tijd.wDay, 0);
    EXPECT_EQ(l.stats_tijd.wHour, 0);
    EXPECT_LE(ms, gelezen * 10);
    EXPECT_GE(ms, 40u * 30u);
}

// A player beside the game loop: the pause and the in-game menu wait for
// input that the level's script, fed by the clock, cannot give.
struct Speler {
    std::atomic<bool> klaar{false}; // spel has returned
    std::vector<std::string> fouten;
    std::thread draad;

    bool Wacht(const std::function<bool()>& test, const char* wat) {
        if (MenuScript::WaitFor([&] { return test() || klaar.load(); }) && !klaar) return true;
        fouten.push_back(wat);
        return false;
    }
    void TotHetEinde() {
        MenuScript::WaitFor([&] { return klaar.load(); });
    }
    bool Gepauzeerd() { return Wimdows::GetPixel(5, 5) == PAUZEKLEUR; }
    void Start(std::function<void()> spelen) {
        // A pause picture left by an earlier test must not pass for this one's.
        Wimdows::ClearScreen();
        draad = std::thread(std::move(spelen));
    }
    void Einde() {
        klaar = true;
        if (draad.joinable()) draad.join();
    }
};

TEST_F(Spel, PPausesTheLevelUntilPIsPressedAgain) {
    K::Level l = LeegLevel();
    Speler speler;
    bool bleefStaan = false;
    speler.Start([&] {
        if (!speler.Wacht([&] { return speler.Gepauzeerd(); }, "no pause screen")) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        bleefStaan = speler.Gepauzeerd();
        SdlInput::Key(SDLK_p, true);
        Wimdows::Sync();
        speler.TotHetEinde(); // held until the level has ended
        SdlInput::Key(SDLK_p, false);
    });
    // P pressed and let go within the pause's first tenth of a second.
    const next_action a = Speel(l, {{l.time + 2, Soort::toets_neer, 'P'},
                                    {l.time + 3, Soort::toets_op, 'P'},
                                    {l.time + 6, Soort::toets_neer, Q}});
    speler.Einde();
    EXPECT_EQ(a, next_action::afsluiten);
    EXPECT_TRUE(bleefStaan) << "the pause ended without P";
    EXPECT_EQ(l.time, 1006);
    EXPECT_TRUE(speler.fouten.empty()) << speler.fouten.front();
}

// A press of a fifth of a second is still the press that paused: the pause
// waits for it to be let go and P pressed again, and that press, held on,
// does not pause again.
TEST_F(Spel, PHeldAWhilePausesUntilASecondPress) {
    K::Level l = LeegLevel();
    Speler speler;
    bool gehouden = false, losgelaten = false;
    speler.Start([&] {
        if (!speler.Wacht([&] { return speler.Gepauzeerd(); }, "no pause screen")) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        gehouden = speler.Gepauzeerd();
        SdlInput::Key(SDLK_p, false);
        Wimdows::Sync();
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        losgelaten = speler.Gepauzeerd();
        SdlInput::Key(SDLK_p, true);
        Wimdows::Sync();
        speler.TotHetEinde();
        SdlInput::Key(SDLK_p, false);
    });
    const next_action a =
        Speel(l, {{l.time + 2, Soort::toets_neer, 'P'}, {l.time + 6, Soort::toets_neer, Q}});
    speler.Einde();
    EXPECT_EQ(a, next_action::afsluiten);
    EXPECT_TRUE(gehouden) << "the pause ended while P was still held";
    EXPECT_TRUE(losgelaten) << "the pause ended when P was let go";
    EXPECT_EQ(l.time, 1006);
    EXPECT_TRUE(speler.fouten.empty()) << speler.fouten.front();
}

// The pause picture has a word on it: in English the English one shows.
TEST_F(Spel, PPauseShowsThePictureOfTheLanguageSpoken) {
    namespace fs = std::filesystem;
    constexpr uint32_t ENGELS = 0x206020;
    fs::copy(fs::path(KT_GAME_DIR) / "locale", "locale", fs::copy_options::recursive);
    SchrijfBmp("images/en/Backgrounds/pauze.bmp", S, S, [](int, int) { return ENGELS; });
    Taal::Zet("en");
    K::Level l = LeegLevel();
    Speler speler;
    bool engels = false;
    speler.Start([&] {
        // Whatever the pause shows, P ends it.
        speler.Wacht([] { return Wimdows::GetPixel(5, 5) == ENGELS; }, "no English pause");
        engels = Wimdows::GetPixel(5, 5) == ENGELS;
        SdlInput::Key(SDLK_p, true);
        Wimdows::Sync();
        speler.TotHetEinde();
        SdlInput::Key(SDLK_p, false);
    });
    const next_action a = Speel(l, {{l.time + 2, Soort::toets_neer, 'P'},
                                    {l.time + 3, Soort::toets_op, 'P'},
                                    {l.time + 6, Soort::toets_neer, Q}});
    speler.Einde();
    Taal::Zet(Taal::NEDERLANDS);
    fs::remove_all("locale");
    fs::remove_all("images/en");
    EXPECT_EQ(a, next_action::afsluiten);
    EXPECT_TRUE(engels);
}

// Saving from the in-game menu keeps the score and the playing time the level
// has reached; the level itself goes on and counts its time once.
TEST_F(Spel, ASaveFromTheInGameMenuKeepsTheRunningScoreAndTime) {
    using namespace MenuScript;
    constexpr int32_t X = 350;
    Kolvemar_Menu::Init();
    std::filesystem::remove("levels/save1.txt");
    StandardMenu::ButtonRc iets{};
    iets.visible = true;
    StandardMenu::ButtonSelected(iets); // the menus' click handler, before the first click
    StandardMenu::ClearClick();
    K::Level l = LeegLevel();
    Monster(l, 1, 200, 120, 1000); // in the line of fire
    const K::INTEGER t = l.time;
    K::Level bewaard{};
    {
        Player speler({Pixel(5, 5, PAUZEKLEUR), Click(X, 225), Click(X, 125), Click(X, 525),
                       Pixel(5, 5, PAUZEKLEUR), Click(X, 125)});
        EXPECT_EQ(Speel(l, {{t, Soort::muis, 200, 100},
                            {t, Soort::knop_neer, 200, 100},
                            {t + 10, Soort::toets_neer, 'M'},
                            {t + 11, Soort::toets_op, 'M'},
                            {t + 15, Soort::toets_neer, Q}}),
                  next_action::afsluiten);
        speler.Finish();
        for (const std::string& f : speler.failures)
            ADD_FAILURE() << f;
    }
    ASSERT_TRUE(LevelCreator::Leeslevel("levels\\save1.txt", bewaard));
    const auto ms = [](const SYSTEMTIME& s) {
        return ((uint64_t(s.wHour) * 60 + s.wMinute) * 60 + s.wSecond) * 1000 + s.wMilliseconds;
    };
    EXPECT_EQ(bewaard.time, t + 10);
    EXPECT_GT(bewaard.punten, 0);
    EXPECT_LT(bewaard.punten, l.punten) << "the level scored on after the save";
    EXPECT_LT(bewaard.objecten[1].levenspuntentot, 1000);
    EXPECT_GE(ms(bewaard.stats_tijd), 10u * 30u);
    EXPECT_LT(ms(bewaard.stats_tijd), ms(l.stats_tijd));
    EXPECT_LE(ms(l.stats_tijd), klok().honderdsten * 10) << "time counted twice";
    std::filesystem::remove("levels/save1.txt");
}

TEST_F(Spel, MOpensTheInGameMenuToResumeOrEndTheGame) {
    constexpr int32_t X = 350, VERDER = 125, MENU = 525; // buttons 100 apart from y 100
    Kolvemar_Menu::Init(); // the menu's backgrounds, as the program loads them at start
    for (const int32_t knop : {VERDER, MENU}) {
        K::Level l = LeegLevel();
        Speler speler;
        speler.Start([&] {
            if (!speler.Wacht([&] { return speler.Gepauzeerd(); }, "no in-game menu")) return;
            SdlInput::Key(SDLK_m, false);
            MenuScript::InjectClick(X, knop);
            Wimdows::Sync();
        });
        const next_action a =
            Speel(l, {{l.time + 2, Soort::toets_neer, 'M'}, {l.time + 5, Soort::toets_neer, Q}});
        speler.Einde();
        EXPECT_TRUE(speler.fouten.empty()) << speler.fouten.front();
        if (knop == VERDER) {
            EXPECT_EQ(a, next_action::afsluiten);
            EXPECT_EQ(l.time, 1005);
        } else {
            EXPECT_EQ(a, next_action::einde);
            EXPECT_EQ(l.time, 1002);
        }
    }
}

TEST_F(Spel, LoadingAnEmptySlotInTheMenuGoesBackIntoTheLevel) {
    constexpr int32_t X = 350, VERDER = 125, LADEN = 325, SLOT3 = 325, TERUG = 625;
    Kolvemar_Menu::Init();
    MenuScript::EmptySlots({3});
    MenuScript::TakeClicks();
    K::Level l = LeegLevel();
    Speler speler;
    speler.Start([&] {
        if (!speler.Wacht([&] { return speler.Gepauzeerd(); }, "no in-game menu")) return;
        SdlInput::Key(SDLK_m, false);
        for (const int32_t knop : {LADEN, SLOT3, TERUG, VERDER}) {
            MenuScript::InjectClick(X, knop);
            Wimdows::Sync();
            if (!speler.Wacht([] { return !StandardMenu::ClickPending(); }, "a click not taken"))
                return;
        }
    });
    const next_action a =
        Speel(l, {{l.time + 2, Soort::toets_neer, 'M'}, {l.time + 5, Soort::toets_neer, Q}});
    speler.Einde();
    EXPECT_TRUE(speler.fouten.empty()) << speler.fouten.front();
    EXPECT_EQ(a, next_action::afsluiten); // the level went on until Q
    EXPECT_EQ(l.time, 1005);
}

// The system pointer would stand over the cross-hair: hidden in the level only.
TEST_F(Spel, ThePointerIsHiddenWhileTheLevelRuns) {
    K::Level l = LeegLevel();
    int shownInLevel = -1;
    Speel(l, {{l.time + 4, Soort::toets_neer, Q}}, [&](const K::Level& level) {
        if (level.time != 1002 || shownInLevel != -1) return;
        Wimdows::Sync();
        shownInLevel = SDL_ShowCursor(SDL_QUERY);
    });
    EXPECT_EQ(shownInLevel, SDL_DISABLE);
    Wimdows::Sync();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

Invoer Pad(K::INTEGER tick, std::function<void()> doe) {
    return {tick, Soort::actie, 0, 0, std::move(doe)};
}

void ExpectSameLevel(const K::Level& pad, const K::Level& keys) {
    EXPECT_EQ(pad.time, keys.time);
    EXPECT_FLOAT_EQ(pad.objecten[0].x, keys.objecten[0].x);
    EXPECT_FLOAT_EQ(pad.objecten[0].y, keys.objecten[0].y);
    EXPECT_EQ(pad.stats_kogels, keys.stats_kogels);
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(pad.geschut[k].leven, keys.geschut[k].leven) << k;
        EXPECT_FLOAT_EQ(pad.geschut[k].vx, keys.geschut[k].vx) << k;
        EXPECT_FLOAT_EQ(pad.geschut[k].vy, keys.geschut[k].vy) << k;
    }
}

// Plugged in during the level: the left stick walks right and up-right, the
// right stick aims down-left, the trigger and then the shoulder fire.
TEST_F(Spel, APadPluggedInDuringALevelMovesAimsAndFiresAsKeysAndMouseDo) {
    K::Level keys = LeegLevel();
    const K::INTEGER t = keys.time;
    // The player then stands at (235, 185); 120 pixels down-left of it is the cross-hair.
    const int32_t aimX = 150, aimY = 270;
    ASSERT_EQ(Speel(keys, {{t + 2, Soort::toets_neer, 39},
                           {t + 6, Soort::toets_neer, 38},
                           {t + 11, Soort::toets_op, 39},
                           {t + 11, Soort::toets_op, 38},
                           {t + 11, Soort::muis, aimX, aimY},
                           {t + 12, Soort::knop_neer, aimX, aimY},
                           {t + 15, Soort::knop_op, aimX, aimY},
                           {t + 17, Soort::knop_neer, aimX, aimY},
                           {t + 19, Soort::knop_op, aimX, aimY},
                           {t + 22, Soort::toets_neer, 'Q'}}),
              next_action::afsluiten);
    ASSERT_GT(keys.stats_kogels, 0);

    K::Level pad = LeegLevel();
    std::unique_ptr<VirtualPad> p;
    ASSERT_EQ(
        Speel(pad, {Pad(t + 2,
                        [&] {
                            p = std::make_unique<VirtualPad>();
                            p->Stick(false, 1, 0.1f);
                        }),
                    Pad(t + 6, [&] { p->Stick(false, 0.8f, -0.7f); }),
                    Pad(t + 11, [&] { p->Stick(false, 0.05f, 0); }),
                    Pad(t + 11, [&] { p->Stick(true, -0.5f, 0.5f); }),
                    Pad(t + 11, [&] { p->Stick(true, 0, 0); }),
                    Pad(t + 12, [&] { p->Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1); }),
                    Pad(t + 15, [&] { p->Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0); }),
                    Pad(t + 17, [&] { p->Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true); }),
                    Pad(t + 19, [&] { p->Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false); }),
                    {t + 22, Soort::toets_neer, 'Q'}}),
        next_action::afsluiten);
    ASSERT_TRUE(p && p->Plugged()) << SDL_GetError();
    ExpectSameLevel(pad, keys);
    int32_t x = 0, y = 0;
    Wimdows::MousePos(x, y);
    EXPECT_EQ(x, aimX);
    EXPECT_EQ(y, aimY);
}

// Start opens the in-game menu as M does; A clicks Resume where the pointer is.
TEST_F(Spel, StartOnAPadOpensTheInGameMenuAndAClicksResume) {
    constexpr int32_t X = 350, VERDER = 125; // buttons 100 apart from y 100
    Kolvemar_Menu::Init();
    K::Level l = LeegLevel();
    VirtualPad p;
    Speler speler;
    speler.Start([&] {
        if (!speler.Wacht([&] { return speler.Gepauzeerd(); }, "no in-game menu")) return;
        p.Button(SDL_CONTROLLER_BUTTON_START, false);
        SdlInput::Move(X, VERDER);
        Wimdows::Sync();
        p.Press(SDL_CONTROLLER_BUTTON_A);
    });
    const next_action a =
        Speel(l, {Pad(l.time + 2, [&] { p.Button(SDL_CONTROLLER_BUTTON_START, true); }),
                  {l.time + 5, Soort::toets_neer, Q}});
    speler.Einde();
    EXPECT_TRUE(speler.fouten.empty()) << speler.fouten.front();
    EXPECT_EQ(a, next_action::afsluiten);
    EXPECT_EQ(l.time, 1005); // resumed, then quit
}

Invoer Tik(K::INTEGER tick, SDL_Keycode key) {
    return Pad(tick, [key] {
        SdlInput::Key(key, true);
        SdlInput::Key(key, false);
    });
}

// A tap made and let go between two frames still opens the menu; Esc opens it
// as M does, and Esc, M or B leave it for the level.
TEST_F(Spel, ATapOfMOrEscOpensTheInGameMenuAndEscMOrBLeaveIt) {
    Kolvemar_Menu::Init();
    VirtualPad p;
    const std::pair<SDL_Keycode, std::function<void()>> manieren[] = {
        {SDLK_m, [] { MenuScript::Tap(SDLK_ESCAPE).seen(); }},
        {SDLK_ESCAPE, [] { MenuScript::Tap(SDLK_m).seen(); }},
        {SDLK_ESCAPE, [&] { p.Press(SDL_CONTROLLER_BUTTON_B); }}};
    for (const auto& [open, verder] : manieren) {
        K::Level l = LeegLevel();
        Speler speler;
        speler.Start([&] {
            if (speler.Wacht([&] { return speler.Gepauzeerd(); }, "no in-game menu")) verder();
        });
        const next_action a = Speel(l, {Tik(l.time + 2, open), {l.time + 5, Soort::toets_neer, Q}});
        speler.Einde();
        EXPECT_TRUE(speler.fouten.empty()) << speler.fouten.front();
        EXPECT_EQ(a, next_action::afsluiten);
        EXPECT_EQ(l.time, 1005); // resumed, then quit
    }
}

// Taps shorter than a frame: each counts in the next frame, once.
TEST_F(Spel, ATapBetweenTwoFramesCountsOnce) {
    K::Level l = LeegLevel();
    EXPECT_EQ(Speel(l, {Tik(l.time + 3, SDLK_RIGHT), {l.time + 6, Soort::toets_neer, Q}}),
              next_action::afsluiten);
    EXPECT_FLOAT_EQ(l.objecten[0].x, 200.0f + K::bewegingssnelheid); // one frame's step
    l = LeegLevel();
    EXPECT_EQ(Speel(l, {Tik(l.time + 3, SDLK_n)}), next_action::next_level);
    EXPECT_EQ(l.time, 1003);
    std::filesystem::remove("levels/save5.txt");
}

// Closing the window ends the level as Q would; it runs last, since it takes
// the window with it.
TEST_F(Spel, ZClosingTheWindowQuits) {
    K::Level l = LeegLevel();
    EXPECT_EQ(Speel(l, {{l.time + 3, Soort::sluiten}}), next_action::afsluiten);
    EXPECT_EQ(l.time, 1003);
}

} // namespace
