#include <gtest/gtest.h>

#include <random>

#include "Kolvemar_upgrades_en_controlers.h"
#include "StandardLib.h"

namespace K = Kolvemar_Constanten_en_Types;
namespace U = Kolvemar_upgrades_en_controlers;
using K::Object;

namespace {

class Upgrades : public testing::Test {
  protected:
    void SetUp() override {
        K::schermgrootte = 640;
        K::grootte_informatiebalk = 40;
        K::maxtime = 10000;
        StandardLib::Init();
        level.margerelinks = level.margerechts = level.margeboven = level.margeonder = 20;
        level.time = 601;
        Bol(0, 300, 300, 70, 100);
    }

    Object& Bol(int slot, float x, float y, int leven, int begin, int grootte = 10) {
        Object& o = level.objecten[slot];
        o.levend = true;
        o.x = x;
        o.y = y;
        o.grootte = grootte;
        o.levenspuntentot = leven;
        o.levenspuntentotbegin = begin;
        return o;
    }

    Object& o(int slot) { return level.objecten[slot]; }

    K::Level level{};
};

// Pick-ups land in x 40 to 600 and y 80 to 600 in this arena; these are the
// first draws of the deterministic generator, x before y.
constexpr float X1 = 436, Y1 = 198, X2 = 506, Y2 = 361, X3 = 221, Y3 = 309;

} // namespace

TEST_F(Upgrades, PickUpsMoveEvery300Ticks) {
    Bol(51, 100, 100, 0, 0);
    Bol(53, 110, 500, 0, 5).levend = false;
    Bol(54, 500, 100, 0, 5);
    level.time = 600;
    U::upgrade(level);
    EXPECT_EQ(o(51).x, X1);
    EXPECT_EQ(o(51).y, Y1);
    EXPECT_EQ(o(53).x, 110.0f);
    EXPECT_EQ(o(54).x, X2);
    EXPECT_EQ(o(54).y, Y2);
    level.time = 601;
    U::upgrade(level);
    EXPECT_EQ(o(54).x, X2);
}

TEST_F(Upgrades, ArmourLastsThreeHundredTicksAcrossTheWrap) {
    Bol(51, 310, 300, 0, 0);
    K::maxtime = 10050;
    level.time = K::maxtime - 100;
    U::upgrade(level);
    EXPECT_FALSE(o(51).levend);
    EXPECT_TRUE(o(0).armoraan);
    EXPECT_EQ(o(51).levenspuntentot, 200);
    level.time = 199;
    U::upgrade(level);
    EXPECT_TRUE(o(0).armoraan);
    level.time = 200;
    U::upgrade(level);
    EXPECT_FALSE(o(0).armoraan);
}

TEST_F(Upgrades, LifePickUpHealsUpToTheMaximum) {
    Bol(52, 300, 324, 0, 20); // 24 < 10 + 10 + 5: touching
    o(0).levenspuntentot = 95;
    U::upgrade(level);
    EXPECT_EQ(o(0).levenspuntentot, 100);
    EXPECT_FALSE(o(52).levend);
    Bol(52, 300, 324, 0, 20);
    o(0).levenspuntentot = 70;
    U::upgrade(level);
    EXPECT_EQ(o(0).levenspuntentot, 90);
    // Out of reach, or already taken: nothing.
    Bol(52, 300, 325, 0, 20);
    U::upgrade(level);
    Bol(52, 300, 310, 0, 20).levend = false;
    U::upgrade(level);
    EXPECT_EQ(o(0).levenspuntentot, 90);
}

TEST_F(Upgrades, MaximumLifePickUpRaisesOnlyTheMaximum) {
    Bol(53, 290, 300, 0, 25);
    U::upgrade(level);
    EXPECT_EQ(o(0).levenspuntentotbegin, 125);
    EXPECT_EQ(o(0).levenspuntentot, 70);
    EXPECT_FALSE(o(53).levend);
}

TEST_F(Upgrades, MonstersAreHealedAndThePickUpMovesAway) {
    Bol(51, 100, 100, 0, 0);
    Bol(56, 200, 200, 0, 15);
    Bol(58, 500, 500, 0, 15);
    Bol(3, 210, 200, 10, 20);  // healed to its maximum
    Bol(9, 190, 200, 10, 40);  // healed by the same pick-up
    Bol(12, 500, 510, 10, 40); // heals at 58
    Bol(13, 520, 510, 10, 40).levend = false;
    U::upgrade(level);
    EXPECT_EQ(o(3).levenspuntentot, 20);
    EXPECT_EQ(o(9).levenspuntentot, 25);
    EXPECT_EQ(o(12).levenspuntentot, 25);
    EXPECT_EQ(o(13).levenspuntentot, 10);
    EXPECT_TRUE(o(56).levend);
    // Only the touched pick-ups move, in index order.
    EXPECT_EQ(o(51).x, 100.0f);
    EXPECT_EQ(o(56).x, X1);
    EXPECT_EQ(o(56).y, Y1);
    EXPECT_EQ(o(58).x, X2);
    EXPECT_EQ(o(58).y, Y2);
}

TEST_F(Upgrades, PeriodicAndHealingMovesFollowEachOther) {
    Bol(55, 100, 100, 0, 5);
    Bol(2, 436, 198, 1, 10); // waits where 55 lands at tick 900
    level.time = 900;
    U::upgrade(level);
    EXPECT_EQ(o(2).levenspuntentot, 6);
    EXPECT_EQ(o(55).x, X2);
    EXPECT_EQ(o(55).y, Y2);
}

TEST_F(Upgrades, AnArenaTooSmallIsReported) {
    Bol(51, 100, 100, 0, 0);
    level.margerelinks = 400;
    level.margerechts = 400;
    level.time = 0;
    testing::internal::CaptureStdout();
    U::upgrade(level);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("ERROR calling RandomCardFromInterval"),
              std::string::npos);
    EXPECT_EQ(o(51).x, 420.0f);
}

TEST(Controls, LevelAndPlayer) {
    K::Level level{};
    level.objecten[0].levend = true;
    for (int p = 51; p <= 60; ++p)
        level.objecten[p].levend = true;
    EXPECT_TRUE(U::ControlLevel(level));
    level.objecten[50].levend = true;
    EXPECT_FALSE(U::ControlLevel(level));

    level.objecten[0].levenspuntentot = 1;
    EXPECT_FALSE(U::Controlleven(level));
    EXPECT_TRUE(level.objecten[0].levend);
    level.objecten[0].levenspuntentot = -4;
    EXPECT_TRUE(U::Controlleven(level));
    EXPECT_FALSE(level.objecten[0].levend);
}

TEST(Controls, TimeWrapsAtMaxtime) {
    K::maxtime = 10000;
    K::INTEGER t = 10000;
    U::Controltime(t);
    EXPECT_EQ(t, 10000);
    t = 10001;
    U::Controltime(t);
    EXPECT_EQ(t, 1);
    t = 10300;
    U::Controltime(t);
    EXPECT_EQ(t, 300);
}

TEST(Controls, NextFreeBulletSlot) {
    K::Objectkogel geschut[K::GESCHUT_MAX + 1] = {};
    K::CARDINAL stand = 300;
    U::Controlstandaantalkogel(stand, geschut);
    EXPECT_EQ(stand, 1u);
    geschut[6].leven = geschut[7].leven = true;
    stand = 5;
    U::Controlstandaantalkogel(stand, geschut);
    EXPECT_EQ(stand, 8u);
    // Every bullet flies: one turn of the ring, then the start slot again.
    for (int k = 1; k <= K::GESCHUT_MAX; ++k)
        geschut[k].leven = true;
    stand = 42;
    U::Controlstandaantalkogel(stand, geschut);
    EXPECT_EQ(stand, 42u);
    geschut[41].leven = false;
    U::Controlstandaantalkogel(stand, geschut);
    EXPECT_EQ(stand, 41u);
    // A number off the ring starts over at slot 1.
    geschut[1].leven = false;
    stand = 0;
    U::Controlstandaantalkogel(stand, geschut);
    EXPECT_EQ(stand, 1u);
}

TEST(Controls, FreeSlotMatchesAWalkRoundTheRing) {
    std::mt19937 rnd(3);
    K::Objectkogel geschut[K::GESCHUT_MAX + 1] = {};
    for (unsigned vol : {0u, 50u, 97u, 100u}) {
        for (int k = 1; k <= K::GESCHUT_MAX; ++k)
            geschut[k].leven = rnd() % 100 < vol;
        for (K::CARDINAL begin = 0; begin <= K::GESCHUT_MAX + 2; ++begin) {
            // One slot at a time round the ring; an off-ring start counts as 300.
            const K::CARDINAL start = begin >= 1 && begin <= K::GESCHUT_MAX ? begin : 300;
            K::CARDINAL verwacht = start % 300 + 1;
            while (geschut[verwacht].leven && verwacht != start)
                verwacht = verwacht % 300 + 1;
            K::CARDINAL stand = begin;
            U::Controlstandaantalkogel(stand, geschut);
            ASSERT_EQ(stand, verwacht) << "fill " << vol << ", start " << begin;
        }
    }
}
