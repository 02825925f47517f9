// The monsters' aim and the playing-time sum, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "Kolvemar_Constanten_en_Types.h"
#include "Kolvemar_spel.h"
#include "StandardLib.h"

namespace K = Kolvemar_Constanten_en_Types;
using K::Inteligentie;

namespace {

struct Schot {
    float vx, vy;
    bool geschoten;
};

// One armed monster at (mx, my) and the player at (px, py); fires once at tick 100.
Schot Vuur(Inteligentie modus, float mx, float my, float px, float py, float s = 5.0f) {
    static K::Level level;
    level = K::Level{};
    K::maxtime = 100000;
    level.time = 100;
    K::Object& m = level.objecten[1];
    m.levend = true;
    m.x = mx;
    m.y = my;
    m.wapens.actief = true;
    m.wapens.volgendekogeltijd = 100;
    m.wapens.tijdtussenkogels = 7;
    m.wapens.inteligentie = modus;
    m.wapens.soortkogel = K::Kogel{4, s};
    K::Object speler{};
    speler.x = px;
    speler.y = py;
    K::CARDINAL slot = 1;
    Kolvemar_spel::enemyschoot(level, speler, slot);
    const K::Objectkogel& k = level.geschut[1];
    return {k.vx, k.vy, k.leven};
}

void VerwachtRichting(const Schot& s, float vx, float vy) {
    ASSERT_TRUE(s.geschoten);
    EXPECT_FLOAT_EQ(s.vx, vx);
    EXPECT_FLOAT_EQ(s.vy, vy);
}

} // namespace

TEST(SpelAim, AxisModesFollowThePlayersSide) {
    VerwachtRichting(Vuur(Inteligentie::horizontaal, 200, 100, 100, 100), -5, 0);
    VerwachtRichting(Vuur(Inteligentie::horizontaal, 100, 100, 100, 300), 5, 0);
    VerwachtRichting(Vuur(Inteligentie::vertikaal, 100, 200, 100, 100), 0, -5);
    const float d = std::sqrt(25.0f / 2.0f);
    VerwachtRichting(Vuur(Inteligentie::volgens_absissen, 50, 50, 100, 100), d, d);
    VerwachtRichting(Vuur(Inteligentie::volgens_absissen, 150, 150, 100, 100), -d, -d);
}

TEST(SpelAim, NearestAxisWithItsTieBreaks) {
    // dx = 10, dy = -10: exactly diagonal to the right goes right.
    VerwachtRichting(Vuur(Inteligentie::volgens_assen, 100, 100, 110, 90), 5, 0);
    VerwachtRichting(Vuur(Inteligentie::volgens_assen, 100, 100, 90, 110), -5, 0);
    VerwachtRichting(Vuur(Inteligentie::volgens_assen, 100, 100, 103, 80), 0, -5);
    VerwachtRichting(Vuur(Inteligentie::volgens_assen, 100, 100, 100, 100), 5, 0);
}

TEST(SpelAim, EightDirectionsSwitchBetweenAxisAndDiagonal) {
    const float d = std::sqrt(25.0f / 2.0f);
    const float r40 = 40.0f * 3.14159265f / 180.0f;
    VerwachtRichting(Vuur(Inteligentie::volgens_assen_en_absissen, 0, 0, 100 * std::cos(r40),
                          100 * std::sin(r40)),
                     d, d);
    const float r20 = 20.0f * 3.14159265f / 180.0f;
    VerwachtRichting(Vuur(Inteligentie::volgens_assen_en_absissen, 0, 0, 100 * std::cos(r20),
                          100 * std::sin(r20)),
                     5, 0);
}

TEST(SpelAim, StraightAtThePlayerWhateverTheSpeed) {
    VerwachtRichting(Vuur(Inteligentie::naar_speler, 100, 100, 130, 60), 30, -40);
}

TEST(SpelAim, RandomAimGivesWholeStepsAndKeepsTheSpeed) {
    for (int i = 0; i < 200; ++i) {
        const Schot s = Vuur(Inteligentie::lukraak, 100, 100, 0, 0);
        ASSERT_TRUE(s.geschoten);
        EXPECT_EQ(s.vx, std::trunc(s.vx));
        EXPECT_LE(std::fabs(s.vx), 5.0f);
        EXPECT_NEAR(s.vx * s.vx + s.vy * s.vy, 25.0f, 1e-3f);
    }
}

TEST(SpelAim, NegativeOrBrokenRandomSpeedsNeverGiveNaN) {
    for (float s : {-5.0f, -0.3f, NAN, 1e30f, -1e30f}) {
        const Schot schot = Vuur(Inteligentie::lukraak, 100, 100, 0, 0, s);
        ASSERT_TRUE(schot.geschoten);
        EXPECT_TRUE(std::isfinite(schot.vx) && std::isfinite(schot.vy)) << s;
    }
}

TEST(SpelFire, OnlyDueWeaponsOfLivingMonstersFireAndReload) {
    K::Level level{};
    K::maxtime = 1000;
    level.time = 990;
    for (int i = 1; i <= 4; ++i) {
        K::Object& m = level.objecten[i];
        m.levend = true;
        m.wapens.actief = true;
        m.wapens.tijdtussenkogels = 20;
        m.wapens.soortkogel = K::Kogel{3, 5.0f};
    }
    level.objecten[1].wapens.volgendekogeltijd = 990;         // due now
    level.objecten[2].wapens.volgendekogeltijd = 991;         // not yet
    level.objecten[3].wapens.volgendekogeltijd = 990 - 15000; // too long ago: silent
    level.objecten[4].levend = false;
    level.objecten[4].wapens.volgendekogeltijd = 0;
    K::CARDINAL slot = 1;
    Kolvemar_spel::enemyschoot(level, K::Object{}, slot);
    EXPECT_TRUE(level.geschut[1].leven);
    EXPECT_FALSE(level.geschut[2].leven);
    EXPECT_EQ(slot, 2u);
    EXPECT_EQ(level.geschut[1].fase, 1.0f);
    EXPECT_EQ(level.geschut[1].soortkogel.dammage, 3);
    EXPECT_EQ(level.objecten[1].wapens.volgendekogeltijd, 10); // 1010 wrapped at 1000
    EXPECT_EQ(level.objecten[2].wapens.volgendekogeltijd, 991);
}

TEST(SpelTime, PlayingTimeAddsWithCarries) {
    SYSTEMTIME totaal{};
    totaal.wMilliseconds = 900;
    SYSTEMTIME begin{};
    begin.wHour = 10;
    begin.wMilliseconds = 500;
    SYSTEMTIME einde = begin;
    einde.wSecond = 1;
    einde.wMilliseconds = 700;
    Kolvemar_spel::tijdverschilbijvoegen(totaal, begin, einde);
    EXPECT_EQ(totaal.wSecond, 2);
    EXPECT_EQ(totaal.wMilliseconds, 100);

    // Across midnight at the end of a 31-day month: 0.2 seconds, not a day.
    SYSTEMTIME t{};
    t.wYear = 2026;
    begin = SYSTEMTIME{2026, 1, 6, 31, 23, 59, 59, 900};
    einde = SYSTEMTIME{2026, 2, 0, 1, 0, 0, 0, 100};
    Kolvemar_spel::tijdverschilbijvoegen(t, begin, einde);
    EXPECT_EQ(std::make_tuple(t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds),
              std::make_tuple(0, 0, 0, 0, 200));
    EXPECT_EQ(t.wYear, 2026); // untouched

    // From noon on 28 February to noon on 1 March adds one day; hours carry into days.
    t = SYSTEMTIME{};
    t.wHour = 23;
    begin = SYSTEMTIME{2026, 2, 6, 28, 12, 0, 0, 0};
    einde = SYSTEMTIME{2026, 3, 0, 1, 13, 0, 0, 0};
    Kolvemar_spel::tijdverschilbijvoegen(t, begin, einde);
    EXPECT_EQ(std::make_tuple(t.wDay, t.wHour), std::make_tuple(2, 0));

    // A clock set back (the end of summer time) adds nothing.
    t = SYSTEMTIME{};
    Kolvemar_spel::tijdverschilbijvoegen(t, SYSTEMTIME{2026, 10, 0, 25, 2, 30, 0, 0},
                                         SYSTEMTIME{2026, 10, 0, 25, 2, 5, 0, 0});
    EXPECT_EQ(std::make_tuple(t.wDay, t.wHour, t.wMinute), std::make_tuple(0, 0, 0));
}
