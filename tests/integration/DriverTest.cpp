#include <memory>

#include "Kolvemar_Trovix.h"
#include "LevelCreator.h"
#include "MenuScript.h"

namespace K = Kolvemar_Constanten_en_Types;
namespace KM = Kolvemar_Menu;
namespace KT = Kolvemar_Trovix;
using namespace MenuScript;
using K::next_action;

namespace {

KT::Bijhouden Carried(int32_t leven, int32_t leventot) {
    return {1500, leven, leventot, SYSTEMTIME{0, 0, 0, 1, 2, 3, 4, 5}, 77};
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Same(const KT::Bijhouden& a, const KT::Bijhouden& b) {
    return a.bijhoudenscore == b.bijhoudenscore && a.bijhoudenleven == b.bijhoudenleven &&
           a.bijhoudenleventot == b.bijhoudenleventot &&
           a.bijhoudenkogelcounter == b.bijhoudenkogelcounter &&
           a.bijhoudentijd.wMinute == b.bijhoudentijd.wMinute;
}

using Driver = Screens;

} // namespace

TEST(DriverCarry, ReachingLevelNRestoresNLifeButNeverAboveTheMaximum) {
    auto level = std::make_unique<K::Level>();
    level->vordering = 3;
    level->punten = -20; // the file's own values are overridden
    level->objecten[0].levenspuntentot = 1;
    level->objecten[0].x = 123.0f;
    KT::CarryIn(*level, Carried(40, 100));
    EXPECT_EQ(level->objecten[0].levenspuntentot, 43);
    EXPECT_EQ(level->objecten[0].levenspuntentotbegin, 100);
    EXPECT_EQ(level->punten, 1500);
    EXPECT_EQ(level->stats_kogels, 77);
    EXPECT_EQ(level->stats_tijd.wMinute, 3);
    EXPECT_EQ(level->objecten[0].x, 123.0f); // the rest comes from the file

    KT::CarryIn(*level, Carried(99, 100));
    EXPECT_EQ(level->objecten[0].levenspuntentot, 100);
    KT::CarryIn(*level, Carried(2147483647, 2147483647)); // no overflow on absurd values
    EXPECT_EQ(level->objecten[0].levenspuntentot, 2147483647);

    const KT::Bijhouden out = KT::CarryOut(*level);
    EXPECT_TRUE(Same(out, Carried(2147483647, 2147483647)));
}

TEST_F(Driver, StartingFromASlotThatWentMissingOrBadGoesBackToTheMenu) {
    for (uint32_t slot : {3u, 4u}) {
        WriteSlot(slot, slot);
        next_action r{};
        Play({StartMenu(2), SlotMenu(slot - 1), SlotMenu(5), StartMenu(0)},
             [&] { r = KT::Stap(next_action::menu); });
        ASSERT_EQ(r, next_action::startup);
        if (slot == 3)
            EmptySlots({3});
        else
            DamageSlot(4);
        KT::Carried() = Carried(40, 100);
        KT::CurrentLevel().vordering = 9;
        testing::internal::CaptureStdout();
        EXPECT_EQ(KT::Stap(next_action::startup), next_action::menu);
        const std::string console = testing::internal::GetCapturedStdout();
        EXPECT_NE(console.find("levels\\save" + std::to_string(slot) + ".txt"), std::string::npos)
            << console;
        EXPECT_TRUE(Same(KT::Carried(), Carried(40, 100)));
        EXPECT_EQ(KT::CurrentLevel().vordering, 9u);
    }
}

TEST_F(Driver, EndOfGameEntersANegativeScoreAsZeroAndShowsTheSheet) {
    KT::Carried() = Carried(0, 100);
    KT::Carried().bijhoudenscore = -300;
    next_action r{};
    Play({Pixel(5, 5, Colour("images/Backgrounds/gameover.bmp")), Back()},
         [&] { r = KT::Stap(next_action::einde); });
    EXPECT_EQ(r, next_action::menu);
    EXPECT_EQ(KT::Carried().bijhoudenscore, 0);
    LevelCreator::Highscores t{};
    EXPECT_TRUE(LevelCreator::LeesHigscore(t));
    EXPECT_EQ(t[0].punten, 0u); // 0 never enters, but the file is there
}

TEST_F(Driver, EndOfGameSaysWhenTheScoreCouldNotBeKept) {
    // A damaged table that cannot be put aside is not overwritten, so nothing is kept.
    const std::string tabel = StandardLib::PlatformPath(LevelCreator::HIGHSCORE_BESTAND);
    std::ofstream(tabel, std::ios::binary) << "damaged";
    fs::create_directories(tabel + ".damaged/in the way");
    const int32_t x0 = 250, y0 = 112, x1 = 500, y1 = 125; // under the rank line
    for (bool kept : {false, true}) {
        KT::Carried() = Carried(0, 100);
        Play({Pixel(5, 5, Colour("images/Backgrounds/gameover.bmp")), Back()},
             [&] { EXPECT_EQ(KT::Stap(next_action::einde), next_action::menu); });
        EXPECT_EQ(AnyPixel(x0, y0, x1, y1, 0xB0), !kept);
        EXPECT_EQ(Read(tabel).size(), kept ? 1184u : 7u);
        fs::remove_all(tabel + ".damaged");
    }
}

TEST_F(Driver, LastLevelDoneLeadsToTheEnd) {
    const uint32_t levels = K::aantal_levels, tutorials = K::aantal_tutoriallevels;
    K::aantal_levels = 12;
    KT::CurrentLevel().vordering = 12;
    EXPECT_EQ(KT::Stap(next_action::next_level), next_action::einde);
    K::aantal_tutoriallevels = 3;
    KT::CurrentLevel().vordering = 3;
    EXPECT_EQ(KT::Stap(next_action::next_level_tutorial), next_action::menu);
    EXPECT_EQ(KT::Stap(next_action::resume), next_action::afsluiten); // cannot happen
    // A level file that is missing ends the program in order, as an error stop;
    // nothing carried changes.
    KT::CurrentLevel().vordering = 1;
    KT::Carried() = Carried(40, 100);
    EXPECT_FALSE(KT::Foutstop());
    EXPECT_EQ(KT::Stap(next_action::next_level), next_action::afsluiten);
    EXPECT_TRUE(KT::Foutstop());
    EXPECT_TRUE(Same(KT::Carried(), Carried(40, 100)));
    EXPECT_EQ(KT::CurrentLevel().vordering, 1u);
    K::aantal_levels = levels;
    K::aantal_tutoriallevels = tutorials;
}

TEST_F(Driver, StartAndOefenenBeginAtTheLevelsTheCommandLineNames) {
    KT::StartAt(3, 7);
    next_action r{};
    Play({StartMenu(0)}, [&] { r = KT::Stap(next_action::menu); });
    EXPECT_EQ(r, next_action::startup);
    EXPECT_EQ(KM::Getstartlevel(), "levels\\level3.txt");
    // The tutorial reads its level 7, which the data does not have.
    testing::internal::CaptureStdout();
    EXPECT_EQ(KT::Stap(next_action::startup_tutorial), next_action::afsluiten);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("levels\\tutorial7.txt"),
              std::string::npos);
    KT::StartAt(1, 1);
    Play({StartMenu(0)}, [&] { r = KT::Stap(next_action::menu); });
    EXPECT_EQ(KM::Getstartlevel(), "levels\\level1.txt");
}
