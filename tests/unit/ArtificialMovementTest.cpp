#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "Kolvemar_Artificial_movement.h"

namespace K = Kolvemar_Constanten_en_Types;
namespace A = Kolvemar_Artificial_movement;
using K::Object;
using K::Objectkogel;

namespace {

struct Punt {
    float x, y;
};

Punt Positie(float x, float y, float vx, float vy, float fase) {
    A::positiekogel(x, y, vx, vy, fase);
    return {x, y};
}

class Treffers : public testing::Test {
  protected:
    void SetUp() override { K::groottekogels = 3; }

    Object& Bol(int slot, float x, float y, int leven, int grootte = 10) {
        Object& o = objecten[slot];
        o.levend = true;
        o.x = x;
        o.y = y;
        o.grootte = grootte;
        o.levenspuntentot = leven;
        o.levenspuntentotbegin = leven;
        return o;
    }

    // A bullet that was drawn at (x, y) in the previous frame.
    Objectkogel& Kogel(int slot, float x, float y, float fase = 3, int dammage = 5) {
        Objectkogel& k = geschut[slot];
        k = Objectkogel{x + 0.5f - 20 * (fase - 1), y + 0.5f, 1, 0, fase, true, {dammage, 8}};
        return k;
    }

    Object objecten[K::OBJECT_MAX + 1] = {};
    Objectkogel geschut[K::GESCHUT_MAX + 1] = {};
    K::INTEGER punten = 100;
};

// Bullet hits as plainly as they can be written: the distance for every
// bullet and object. Returns the hits.
int PlainHits(Object (&o)[K::OBJECT_MAX + 1], Objectkogel (&g)[K::GESCHUT_MAX + 1],
              K::INTEGER& punten) {
    int treffers = 0;
    for (int i = 1; i <= K::GESCHUT_MAX; ++i) {
        if (!g[i].leven || !(g[i].fase > 2.0f)) continue;
        const Punt p = Positie(g[i].x, g[i].y, g[i].vx, g[i].vy, g[i].fase - 1.0f);
        for (int j = 0; j <= A::LAATSTE_MONSTER; ++j) {
            if (o[j].levend && !o[j].armoraan &&
                static_cast<float>(o[j].grootte) > A::Distance_Real(o[j].x, o[j].y, p.x, p.y)) {
                o[j].levenspuntentot -= g[i].soortkogel.dammage;
                g[i].leven = false;
                punten += j == 0 ? -3 : 3;
                ++treffers;
            }
            if (o[j].levenspuntentot <= 0) o[j].levend = false;
        }
    }
    return treffers;
}

} // namespace

TEST(BulletPath, TwentyPixelsPerPhaseMinusHalf) {
    const Punt p = Positie(100, 100, 3, 4, 1);
    EXPECT_EQ(p.x, 111.5f);
    EXPECT_EQ(p.y, 115.5f);
    const Punt q = Positie(100, 100, 30, 40, 1);
    EXPECT_EQ(q.x, 111.5f);
    EXPECT_EQ(q.y, 115.5f);
    const Punt r = Positie(100, 100, 3, 4, 0);
    EXPECT_EQ(r.x, 99.5f);
    EXPECT_EQ(r.y, 99.5f);
    const Punt s = Positie(50, 60, -1, 0, 7);
    EXPECT_EQ(s.x, -90.5f);
    EXPECT_EQ(s.y, 59.5f);
}

TEST(BulletPath, NoDirectionStaysAtItsStart) {
    const Punt p = Positie(100, 100, 0, 0, 5);
    EXPECT_EQ(p.x, 99.5f);
    EXPECT_EQ(p.y, 99.5f);
}

TEST(BulletPath, DistanceAndAiming) {
    EXPECT_EQ(A::Distance_Real(1, 2, 4, 6), 5.0f);
    EXPECT_EQ(A::Distance_Real(4, 6, 1, 2), 5.0f);
    float vx = 7, vy = 8;
    A::shoot(10, 20, 13, 16, vx, vy);
    EXPECT_EQ(vx, -3.0f);
    EXPECT_EQ(vy, 4.0f);
    // Target on the shooter: the vector stays as it was.
    A::shoot(13, 16, 13, 16, vx, vy);
    EXPECT_EQ(vx, -3.0f);
    EXPECT_EQ(vy, 4.0f);
    A::shoot(13, 20, 13, 16, vx, vy);
    EXPECT_EQ(vx, 0.0f);
    EXPECT_EQ(vy, 4.0f);
}

TEST(BulletPath, DrawingAdvancesThePhase) {
    K::groottekogels = 3;
    float fase = 1.0f;
    A::draw(100, 100, 3, 4, fase);
    EXPECT_EQ(fase, 2.0f);
    A::draw(100, 100, 3, 4, fase);
    EXPECT_EQ(fase, 3.0f);
    // Far off the screen or without a direction, drawing still only advances.
    A::draw(3.0e9f, -3.0e9f, 0, 0, fase);
    EXPECT_EQ(fase, 4.0f);
}

TEST_F(Treffers, ABulletHurtsEveryObjectItOverlaps) {
    Bol(1, 200, 200, 20);
    Bol(2, 205, 200, 20);
    Bol(3, 230, 200, 20);
    Kogel(1, 202, 200);
    A::levenafdoen(objecten, geschut, punten);
    EXPECT_EQ(objecten[1].levenspuntentot, 15);
    EXPECT_EQ(objecten[2].levenspuntentot, 15);
    EXPECT_EQ(objecten[3].levenspuntentot, 20);
    EXPECT_EQ(punten, 106);
    EXPECT_FALSE(geschut[1].leven);
}

TEST_F(Treffers, YoungBulletsAndArmourAreHarmless) {
    Bol(1, 200, 200, 20);
    Bol(2, 300, 200, 20).armoraan = true;
    Kogel(1, 200, 200, 2.0f); // just fired and drawn once
    Kogel(2, 300, 200);
    A::levenafdoen(objecten, geschut, punten);
    EXPECT_EQ(objecten[1].levenspuntentot, 20);
    EXPECT_EQ(objecten[2].levenspuntentot, 20);
    EXPECT_TRUE(geschut[1].leven);
    EXPECT_TRUE(geschut[2].leven);
    EXPECT_EQ(punten, 100);
}

TEST_F(Treffers, HittingThePlayerCostsAndKills) {
    Bol(0, 200, 200, 5);
    Kogel(1, 195, 200);
    A::levenafdoen(objecten, geschut, punten);
    EXPECT_EQ(punten, 97);
    EXPECT_EQ(objecten[0].levenspuntentot, 0);
    EXPECT_FALSE(objecten[0].levend);
    // The radius counts strictly; the bullet's own radius does not count.
    Bol(4, 100, 100, 10);
    Kogel(2, 110, 100);
    A::levenafdoen(objecten, geschut, punten);
    EXPECT_EQ(objecten[4].levenspuntentot, 10);
    // Pick-up slots are never hit.
    Bol(52, 400, 400, 10);
    Kogel(3, 400, 400);
    A::levenafdoen(objecten, geschut, punten);
    EXPECT_EQ(objecten[52].levenspuntentot, 10);
}

TEST_F(Treffers, ObjectsWithoutLifeDieEvenUnhit) {
    Bol(7, 100, 100, 0).armoraan = true;
    Kogel(1, 500, 500);
    A::levenafdoen(objecten, geschut, punten);
    EXPECT_FALSE(objecten[7].levend);
}

TEST_F(Treffers, TouchingThePlayer) {
    Bol(0, 300, 300, 10);
    Bol(1, 325, 300, 30); // 25 < 20 + 10
    K::INTEGER leven = 10;
    A::levenafdoenspeler(leven, 300, 300, objecten);
    EXPECT_EQ(leven, 0);
    EXPECT_TRUE(objecten[1].levend);
    leven = 10;
    objecten[1].levenspuntentot = 18;
    A::levenafdoenspeler(leven, 300, 300, objecten);
    EXPECT_EQ(leven, 1);
    EXPECT_FALSE(objecten[1].levend);
}

TEST_F(Treffers, OnlyLivingUnarmouredMonstersInReachTouch) {
    Bol(0, 300, 300, 10);
    Bol(1, 330, 300, 8);                 // exactly 20 + 10 away
    Bol(2, 300, 310, 8).armoraan = true; // armoured
    Bol(3, 310, 300, 8).levend = false;  // dead
    Bol(52, 300, 300, 8);                // a pick-up
    K::INTEGER leven = 10;
    A::levenafdoenspeler(leven, 300, 300, objecten);
    EXPECT_EQ(leven, 10);
    EXPECT_TRUE(objecten[1].levend);
}

TEST_F(Treffers, HitsMatchThePlainDistanceTest) {
    std::mt19937 rnd(5);
    std::uniform_real_distribution<float> plaats(150.0f, 250.0f);
    const int groottes[] = {-3, 0, 1, 7, 10, 25};
    // On the rim, a hair inside or outside it, or well inside.
    const float kier[] = {-1e-3f, 0.0f, 1e-3f, -4.0f};
    const float absurd[] = {NAN, INFINITY, 1e30f, -1e30f};
    const int schade[] = {5, 0, -3, 40};
    int treffers = 0;
    for (int ronde = 0; ronde < 20; ++ronde) {
        for (int j = 0; j <= A::LAATSTE_MONSTER; ++j) {
            Object& o = Bol(j, plaats(rnd), plaats(rnd), static_cast<int>(rnd() % 30) - 2,
                            groottes[rnd() % 6]);
            o.armoraan = rnd() % 7 == 0;
            o.levend = rnd() % 9 != 0;
        }
        for (int i = 1; i <= K::GESCHUT_MAX; ++i) {
            const Object& doel = objecten[rnd() % (A::LAATSTE_MONSTER + 1)];
            const float r = static_cast<float>(doel.grootte) + kier[rnd() % 4];
            // Now and then a round without a bullet old enough to hit.
            const float fase = ronde % 5 == 4 || rnd() % 5 == 0 ? 2.0f : 3.0f;
            const int dammage = schade[rnd() % 4];
            switch (rnd() % 4) {
            case 0:
                Kogel(i, doel.x + r, doel.y, fase, dammage);
                break;
            case 1:
                Kogel(i, doel.x, doel.y - r, fase, dammage);
                break;
            case 2:
                Kogel(i, doel.x - 0.6f * r, doel.y + 0.8f * r, fase, dammage);
                break;
            default:
                Kogel(i, absurd[rnd() % 4], doel.y, fase, dammage);
            }
        }
        Object verwacht[K::OBJECT_MAX + 1];
        Objectkogel kogels[K::GESCHUT_MAX + 1];
        std::copy(std::begin(objecten), std::end(objecten), verwacht);
        std::copy(std::begin(geschut), std::end(geschut), kogels);
        K::INTEGER punten_verwacht = punten;
        treffers += PlainHits(verwacht, kogels, punten_verwacht);
        A::levenafdoen(objecten, geschut, punten);
        ASSERT_EQ(punten, punten_verwacht) << "round " << ronde;
        for (int j = 0; j <= K::OBJECT_MAX; ++j) {
            ASSERT_EQ(objecten[j].levend, verwacht[j].levend) << "object " << j;
            ASSERT_EQ(objecten[j].levenspuntentot, verwacht[j].levenspuntentot) << "object " << j;
        }
        for (int i = 1; i <= K::GESCHUT_MAX; ++i)
            ASSERT_EQ(geschut[i].leven, kogels[i].leven) << "bullet " << i;
    }
    EXPECT_GT(treffers, 500);
}
