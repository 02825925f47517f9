#include <gtest/gtest.h>

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
