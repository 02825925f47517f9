// The same recorded input on the same clock plays a level to the same end.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Kolvemar_Menu.h"
#include "LevelCreator.h"
#include "SpelFixture.h"

using namespace spelproef;

namespace {

// Monsters of every steering kind and aiming mode that the deterministic
// generator drives; the clock-mixed kinds would follow the real clock.
K::Level Level() {
    K::Level l = LeegLevel();
    l.time = 1190; // the pick-ups move at 1200
    l.Got_bonus = false;
    const K::bewegingssoort kind[] = {K::bewegingssoort::stil, K::bewegingssoort::type1,
                                      K::bewegingssoort::type2, K::bewegingssoort::type3};
    for (int i = 1; i <= 12; ++i) {
        K::Object& m = Monster(l, i, 60.0f + 25 * i, 90.0f + 20 * (i % 5), 30);
        m.soortbeweging = kind[i % 4];
        m.vtot = 1.5f;
        m.wapens = K::Wapen{true,
                            "geweer",
                            9 + i,
                            1190 + i,
                            static_cast<K::Inteligentie>(i % 6),
                            K::Kogel{4, 6.0f}};
    }
    for (int i = 51; i <= 60; ++i) {
        K::Object& o = l.objecten[i];
        o.levend = i >= 54;
        o.x = 40.0f + 30 * (i - 51);
        o.y = 330.0f;
        o.grootte = 8;
        o.levenspuntentotbegin = 10;
    }
    return l;
}

std::vector<Invoer> Opname(K::INTEGER t) {
    return {{t, Soort::muis, 120, 90},
            {t, Soort::knop_neer, 120, 90},
            {t, Soort::toets_neer, 'E'},
            {t + 9, Soort::toets_op, 'E'},
            {t + 9, Soort::toets_neer, 39},
            {t + 15, Soort::muis, 330, 300},
            {t + 20, Soort::knop_op},
            {t + 24, Soort::toets_neer, 'D'},
            {t + 30, Soort::knop_neer, 330, 300},
            {t + 41, Soort::toets_op, 39},
            {t + 60, Soort::toets_neer, 'Q'}};
}

K::Level Speelmee() {
    Kolvemar_Menu::tutorial = false;
    Kolvemar_Menu::autosave = false;
    Kolvemar_Menu::difficultyLevel = 1;
    StandardLib::Init(); // the deterministic generator from its start seed
    K::Level l = Level();
    EXPECT_EQ(Speel(l, Opname(l.time)), K::next_action::afsluiten);
    return l;
}

// Every field: the level file holds all but the velocities and collision times.
std::string Inhoud(const K::Level& l, const char* bestand) {
    LevelCreator::Schrijflevel(bestand, l);
    std::ostringstream s;
    s << std::ifstream(bestand, std::ios::binary).rdbuf();
    for (const K::Object& o : l.objecten)
        s << o.vx << ' ' << o.vy << ' ' << o.laatstebotstijd << '\n';
    return s.str();
}

class SpelReplay : public testing::Test {
  protected:
    void SetUp() override { Opstarten(); }
};

TEST_F(SpelReplay, TheSameInputAndClockEndInTheSameLevelRecord) {
    const K::Level eerste = Speelmee();
    const K::Level tweede = Speelmee();
    EXPECT_EQ(eerste.time, 1250);
    EXPECT_GT(eerste.stats_kogels, 30);
    EXPECT_TRUE(eerste.Got_bonus);
    EXPECT_NE(eerste.objecten[54].x, 40.0f + 30 * 3); // moved at 1200
    EXPECT_EQ(Inhoud(eerste, "replay1.txt"), Inhoud(tweede, "replay2.txt"));
    EXPECT_EQ(eerste.punten, tweede.punten);
}

} // namespace
