#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "Kolvemar_Artificial_movement.h"
#include "Kolvemar_Botsingen.h"

namespace K = Kolvemar_Constanten_en_Types;
namespace B = Kolvemar_Botsingen;
using K::Object;
using K::Objectkogel;

namespace {

constexpr float MARGE = 20.0f;

class Botsingen : public testing::Test {
  protected:
    void SetUp() override {
        K::schermgrootte = 640;
        K::grootte_informatiebalk = 40;
        K::groottekogels = 3;
    }

    // A living circle that ends the frame at (x, y) after moving by (vx, vy).
    Object& Bol(int slot, float x, float y, float vx, float vy, int grootte = 10) {
        Object& o = objecten[slot];
        o.levend = true;
        o.x = x;
        o.y = y;
        o.vx = vx;
        o.vy = vy;
        o.grootte = grootte;
        return o;
    }

    Objectkogel& Kogel(int slot, float x, float y, float vx, float vy, float fase) {
        Objectkogel& k = geschut[slot];
        k = Objectkogel{x, y, vx, vy, fase, true, {5, 20.0f}};
        return k;
    }

    void Botsing() { B::Botsing(objecten, MARGE, MARGE, MARGE, MARGE); }
    void Geschut() { B::Botsinggeschut(geschut, MARGE, MARGE, MARGE, MARGE); }

    Object objecten[K::OBJECT_MAX + 1] = {};
    Objectkogel geschut[K::GESCHUT_MAX + 1] = {};
};

float Bots(const Object& a, const Object& b) {
    float t = 99.0f;
    B::Exacte_bots(a, b, t);
    return t;
}

Object Cirkel(float x, float y, float vx, float vy, int grootte = 10) {
    Object o{};
    o.levend = true;
    o.x = x;
    o.y = y;
    o.vx = vx;
    o.vy = vy;
    o.grootte = grootte;
    return o;
}

using Ring = Objectkogel[K::GESCHUT_MAX + 1];

// Every pair of live bullets through the exact test, in slot order: what
// the pruned scan must match flag for flag. Returns the pairs that met.
int AlleParen(Ring& geschut) {
    struct Stap {
        Objectkogel* kogel;
        float x, y, xoud, youd;
    };
    std::vector<Stap> stappen;
    for (int slot = 1; slot <= K::GESCHUT_MAX; ++slot) {
        Objectkogel& k = geschut[slot];
        if (!k.leven) continue;
        Stap s{&k, k.x, k.y, k.x, k.y};
        Kolvemar_Artificial_movement::positiekogel(s.x, s.y, k.vx, k.vy, k.fase);
        Kolvemar_Artificial_movement::positiekogel(s.xoud, s.youd, k.vx, k.vy, k.fase - 1.0f);
        stappen.push_back(s);
    }
    const float g = static_cast<float>(K::groottekogels);
    const float scherm = static_cast<float>(K::schermgrootte);
    const float boven = static_cast<float>(K::grootte_informatiebalk) + MARGE;
    int ontmoetingen = 0;
    for (size_t i = 0; i < stappen.size(); ++i) {
        const Stap& a = stappen[i];
        if (!a.kogel->leven) continue;
        for (size_t j = i + 1; j < stappen.size(); ++j) {
            const Stap& b = stappen[j];
            if (b.kogel->leven &&
                B::Exacte_bots_kogels(a.x, a.y, b.x, b.y, a.xoud, a.youd, b.xoud, b.youd)) {
                a.kogel->leven = b.kogel->leven = false;
                ++ontmoetingen;
            }
        }
        const bool buiten = a.x < MARGE + g || a.x > (scherm - MARGE) - g || a.y < boven + g ||
                            a.y > (scherm - MARGE) - g;
        if ((a.kogel->vx == 0.0f && a.kogel->vy == 0.0f) || buiten) a.kogel->leven = false;
    }
    return ontmoetingen;
}

// A field of live bullets in which many pairs meet or nearly meet: a dense
// crowd, axis-parallel pairs a hair inside and outside touching, grazes at
// the arena's edge, shots without direction, and absurd values.
void Veld(std::mt19937& rnd, Ring& geschut) {
    std::uniform_real_distribution<float> kluwen(250.0f, 390.0f);
    std::uniform_real_distribution<float> richting(-1.0f, 1.0f);
    std::uniform_int_distribution<int> fase(1, 8);
    std::uniform_int_distribution<int> soort(0, 9);
    const float reik = 2.0f * static_cast<float>(K::groottekogels);
    const float naast[] = {0.0f, 1e-4f, 0.5f, 2.0f, 3.99f, 4.0f, 4.01f, 6.0f};
    std::uniform_int_distribution<int> kier(0, 7);
    const float inf = std::numeric_limits<float>::infinity();
    for (int slot = 1; slot <= K::GESCHUT_MAX; ++slot) {
        Objectkogel k{
            kluwen(rnd), kluwen(rnd), richting(rnd), richting(rnd), static_cast<float>(fase(rnd)),
            true,        {5, 20.0f}};
        const Objectkogel& vorige = geschut[slot - 1];
        const float teken = soort(rnd) % 2 ? 1.0f : -1.0f;
        switch (soort(rnd)) {
        case 0: // beside the previous one, a hair in or out of reach
        case 1: {
            const float d = reik + teken * naast[kier(rnd)];
            k.x = vorige.x + (soort(rnd) < 5 ? 40.0f : 0.0f);
            k.y = vorige.y + d;
            k.vx = teken;
            k.vy = 0.0f;
            break;
        }
        case 2: // head-on along y, ending a hair from touching
            k.x = vorige.x + teken * naast[kier(rnd)];
            k.y = vorige.y + 40.0f + reik + naast[kier(rnd)];
            k.vx = 0.0f;
            k.vy = -1.0f;
            break;
        case 3: // at the walls
            k.x = MARGE + static_cast<float>(K::groottekogels) + 0.5f - 20.0f * k.fase;
            k.vx = 1.0f;
            k.vy = 0.0f;
            break;
        case 4:
            k.vx = k.vy = 0.0f;
            break;
        case 5: { // far away, fast, old, or not a number at all
            const float absurd[] = {1e30f, -5000.0f, 4095.0f, inf, -inf, std::nanf("")};
            (soort(rnd) < 5 ? k.x : k.vy) = absurd[soort(rnd) % 6];
            if (soort(rnd) == 0) k.fase = 1e7f;
            break;
        }
        default:
            break;
        }
        geschut[slot] = k;
    }
}

} // namespace

TEST_F(Botsingen, PrunedBulletScanMatchesEveryPairScan) {
    std::mt19937 rnd(20);
    int ontmoetingen = 0;
    int overleven = 0;
    for (int straal : {3, 0, -3, 40, 500}) {
        K::groottekogels = straal;
        for (int veld = 0; veld < 12; ++veld) {
            Veld(rnd, geschut);
            Ring verwacht;
            std::copy(std::begin(geschut), std::end(geschut), verwacht);
            ontmoetingen += AlleParen(verwacht);
            Geschut();
            for (int slot = 1; slot <= K::GESCHUT_MAX; ++slot) {
                ASSERT_EQ(geschut[slot].leven, verwacht[slot].leven)
                    << "radius " << straal << ", field " << veld << ", slot " << slot;
                overleven += verwacht[slot].leven;
            }
        }
    }
    // The fields are crowded, yet not so crowded that everything dies.
    EXPECT_GT(ontmoetingen, 3000);
    EXPECT_GT(overleven, 3000);
}

TEST_F(Botsingen, ContactTimeOfTwoCircles) {
    const Object rust = Cirkel(0, 0, 0, 0);
    // Overlapping at the start: the time at which they part again.
    EXPECT_EQ(Bots(Cirkel(15, 0, 10, 0), rust), 1.5f);
    EXPECT_EQ(Bots(rust, Cirkel(15, 0, 10, 0)), 1.5f);
    // 25 apart at the start, touching at 20 halfway.
    EXPECT_EQ(Bots(Cirkel(-15, 0, 10, 0), rust), 0.5f);
    // Equal motion never changes the distance.
    EXPECT_EQ(Bots(Cirkel(0, 0, 3, 4), Cirkel(15, 0, 3, 4)), -1.0f);
    // Motion square to the offset (b = 0): sqrt|c/a| even without contact.
    EXPECT_EQ(Bots(Cirkel(0, 0, 0, 0), Cirkel(30, 20, 0, 20)), std::sqrt(500.0f / 400.0f));
    // Paths that part give a negative time.
    EXPECT_EQ(Bots(Cirkel(-10, 0, -5, 0), Cirkel(25, 0, 5, 0)), -0.5f);
}

TEST_F(Botsingen, ContactTimeAgainstARestingCircle) {
    float t = 99.0f;
    B::Exacte_botshalf(Cirkel(300, 300, 10, 0), Cirkel(318, 300, 0, 0), t);
    EXPECT_EQ(t, 0.8f);
    EXPECT_EQ(t, Bots(Cirkel(300, 300, 10, 0), Cirkel(318, 300, 0, 0)));
    // The resting circle is held still even when it moved: only its end counts.
    B::Exacte_botshalf(Cirkel(300, 300, 10, 0), Cirkel(318, 300, 50, 50), t);
    EXPECT_EQ(t, 0.8f);
    // Never within reach: zero, back to the start of the path.
    B::Exacte_botshalf(Cirkel(300, 300, 10, 0), Cirkel(300, 400, 0, 0), t);
    EXPECT_EQ(t, 0.0f);
}

TEST_F(Botsingen, BulletsMeetingWithinAStep) {
    // Head-on on one line.
    EXPECT_TRUE(B::Exacte_bots_kogels(0, 0, 30, 0, 20, 0, 10, 0));
    // Same step, 30 apart: never.
    EXPECT_FALSE(B::Exacte_bots_kogels(0, 0, 30, 0, 20, 0, 50, 0));
    // Contact exactly at the end of the step counts; a little later does not.
    EXPECT_TRUE(B::Exacte_bots_kogels(0, 0, 16, 0, 10, 0, 16, 0));
    EXPECT_FALSE(B::Exacte_bots_kogels(0, 0, 16.5f, 0, 10, 0, 16.5f, 0));
}

TEST_F(Botsingen, BulletsPassingSquareToTheirOffsetDoNotTouch) {
    // One above the other, crossing in opposite directions by 20 each: they
    // are closest at the start and 30 apart, so there is no contact.
    EXPECT_FALSE(B::Exacte_bots_kogels(100, 100, 100, 130, 120, 100, 80, 130));
    EXPECT_FALSE(B::Exacte_bots_kogels(100, 100, 100, 106.5f, 120, 100, 80, 106.5f));
    // Touching at the start and parting within the step.
    EXPECT_TRUE(B::Exacte_bots_kogels(100, 100, 100, 105, 120, 100, 80, 105));
    // Touching at the start, parting only after the step.
    EXPECT_FALSE(B::Exacte_bots_kogels(100, 100, 100, 105, 101, 100, 99, 105));
    // Exactly touching at the start.
    EXPECT_TRUE(B::Exacte_bots_kogels(100, 100, 100, 106, 120, 100, 80, 106));
}

TEST_F(Botsingen, MovingIntoARestingObjectWorkedThrough) {
    Bol(1, 300, 300, 10, 0);
    Bol(2, 318, 300, 0, 0);
    Botsing();
    EXPECT_EQ(objecten[1].x, 297.2f);
    EXPECT_EQ(objecten[1].y, 300.0f);
    EXPECT_EQ(objecten[1].vx, 0.0f);
    EXPECT_EQ(objecten[2].x, 318.0f);
    EXPECT_EQ(objecten[2].laatstebotstijd, 0.8f);
    EXPECT_EQ(objecten[1].laatstebotstijd, 0.0f);
    EXPECT_EQ(B::AantalPassen(), 2u);
}

TEST_F(Botsingen, RestingObjectFirstInScanOrder) {
    Bol(1, 318, 300, 0, 0);
    Bol(2, 300, 300, 10, 0);
    Botsing();
    EXPECT_EQ(objecten[2].x, 297.2f);
    EXPECT_EQ(objecten[2].vx, 0.0f);
    EXPECT_EQ(objecten[1].x, 318.0f);
    EXPECT_EQ(objecten[1].laatstebotstijd, 0.8f);
}

TEST_F(Botsingen, SideBySideWorkedThrough) {
    Bol(1, 300, 300, 0, 10);
    Bol(2, 319, 300, -2, 10);
    Botsing();
    EXPECT_EQ(objecten[1].x, 300.45f);
    EXPECT_EQ(objecten[1].y, 290.0f);
    // 321 - 0.9 rounds up before the glide back adds 0.45: one step above 320.55f.
    EXPECT_EQ(objecten[2].x, 320.550018310546875f);
    EXPECT_EQ(objecten[2].y, 290.0f);
    for (int k : {1, 2}) {
        EXPECT_EQ(objecten[k].vx, -1.0f);
        EXPECT_EQ(objecten[k].vy, 10.0f);
        EXPECT_EQ(objecten[k].laatstebotstijd, 0.0f);
    }
}

TEST_F(Botsingen, RearEndStopsOnlyTheChaser) {
    Bol(1, 300, 300, 2, 0);  // runs ahead
    Bol(2, 285, 300, 10, 0); // catches up: contact at 0.375
    Botsing();
    EXPECT_EQ(objecten[2].x, 278.375f);
    EXPECT_EQ(objecten[2].vx, 0.0f);
    EXPECT_EQ(objecten[1].x, 300.0f);
    EXPECT_EQ(objecten[1].vx, 2.0f);
    EXPECT_EQ(objecten[1].laatstebotstijd, 0.375f);
}

TEST_F(Botsingen, ChaserWithTheLowerIndex) {
    Bol(1, 312, 300, 10, 0); // catches up
    Bol(2, 325, 300, 2, 0);  // runs ahead
    Botsing();
    EXPECT_EQ(objecten[1].x, 303.125f);
    EXPECT_EQ(objecten[1].vx, 0.0f);
    EXPECT_EQ(objecten[2].vx, 2.0f);
    EXPECT_EQ(objecten[2].x, 325.0f);
    EXPECT_EQ(objecten[2].laatstebotstijd, 0.125f);
}

TEST_F(Botsingen, HeadOnPatrolsTurnRound) {
    Bol(1, 300, 300, 5, 0).soortbeweging = K::bewegingssoort::type2;
    Bol(2, 315, 300, -5, 0).soortbeweging = K::bewegingssoort::type3;
    objecten[1].vtot = 5;
    objecten[2].vtot = -5;
    Botsing();
    EXPECT_EQ(objecten[1].vtot, -5.0f);
    EXPECT_EQ(objecten[2].vtot, 5.0f);
    EXPECT_EQ(objecten[1].x, 297.25f);
    EXPECT_EQ(objecten[2].x, 317.75f);
    EXPECT_EQ(objecten[1].vx, 0.0f);
    EXPECT_EQ(objecten[2].vx, 0.0f);
}

TEST_F(Botsingen, HeadOnOthersStopWithoutTurning) {
    Bol(1, 300, 300, 5, 0).vtot = 5;
    Bol(2, 315, 300, -5, 0).soortbeweging = K::bewegingssoort::type2;
    Botsing();
    EXPECT_EQ(objecten[1].vtot, 5.0f);
    EXPECT_EQ(objecten[1].x, 297.25f);
    EXPECT_EQ(objecten[2].x, 317.75f);
    EXPECT_EQ(objecten[2].vx, 0.0f);
}

TEST_F(Botsingen, PassesAndCandidates) {
    // Nothing overlaps: one pass.
    Bol(1, 100, 100, 3, 0);
    Bol(2, 200, 100, -3, 0);
    Botsing();
    EXPECT_EQ(B::AantalPassen(), 1u);
    // Overlapping and parting only after this frame: no candidate.
    Bol(1, 300, 300, -5, 0);
    Bol(2, 315, 300, 5, 0);
    Botsing();
    EXPECT_EQ(B::AantalPassen(), 1u);
    EXPECT_EQ(objecten[1].x, 300.0f);
    EXPECT_EQ(objecten[2].x, 315.0f);
    // Dead objects take no part.
    Bol(2, 310, 300, -10, 0).levend = false;
    Bol(1, 300, 300, 10, 0);
    Botsing();
    EXPECT_EQ(objecten[1].x, 300.0f);
}

TEST_F(Botsingen, MovingObjectsAreClampedToTheArena) {
    Bol(1, 27, 300, -5, 0);    // 3 beyond the left limit of 30
    Bol(2, 27, 200, 0, 4);     // beyond on the left too, but not moving along x
    Bol(3, 400, 65, 0, -1);    // above the top limit of 40 + 20 + 10
    Bol(4, 615, 615, 2, 2, 5); // exactly on the right and bottom limits
    Botsing();
    EXPECT_EQ(objecten[1].x, 30.0f);
    EXPECT_EQ(objecten[1].vx, -5.0f);
    EXPECT_EQ(objecten[2].x, 27.0f);
    EXPECT_EQ(objecten[3].y, 70.0f);
    EXPECT_EQ(objecten[4].x, 615.0f);
    EXPECT_EQ(objecten[4].y, 615.0f);
    Bol(4, 616.5f, 630, 2, 2, 5);
    Botsing();
    EXPECT_EQ(objecten[4].x, 615.0f);
    EXPECT_EQ(objecten[4].y, 615.0f);
}

TEST_F(Botsingen, NudgeMovesAwayAlongAChain) {
    Bol(1, 300, 300, 0, 0); // reference
    Bol(2, 315, 303, 0, 0); // corrector, overlapping 1
    Bol(3, 333, 307, 0, 0); // 18.4 from 2: nudged on
    Bol(4, 400, 400, 0, 0); // out of reach
    B::botsings_correctie(2, 1, objecten);
    EXPECT_EQ(objecten[2].x, 316.0f);
    EXPECT_EQ(objecten[2].y, 304.0f);
    EXPECT_EQ(objecten[3].x, 334.0f);
    EXPECT_EQ(objecten[3].y, 308.0f);
    EXPECT_EQ(objecten[1].x, 300.0f);
    EXPECT_EQ(objecten[4].x, 400.0f);
    EXPECT_EQ(B::AantalCorrectieStappen(), 2u);
    // Apart: no nudge at all.
    B::botsings_correctie(4, 1, objecten);
    EXPECT_EQ(B::AantalCorrectieStappen(), 0u);
}

TEST_F(Botsingen, NudgeMarksArePerChain) {
    // 2 overlaps 3 and 4, which overlap each other: the chains 2-3-4 and
    // 2-4-3 both run, so 3 and 4 are each nudged twice.
    Bol(1, 300, 300, 0, 0);
    Bol(2, 305.5f, 303.5f, 0, 0);
    Bol(3, 311.25f, 309.75f, 0, 0);
    Bol(4, 316.5f, 301.25f, 0, 0);
    B::botsings_correctie(2, 1, objecten);
    EXPECT_EQ(B::AantalCorrectieStappen(), 5u);
}

TEST_F(Botsingen, NudgeOnEqualCoordinatesReports) {
    Bol(1, 300, 300, 0, 0);
    Bol(2, 300, 310, 0, 0);
    testing::internal::CaptureStdout();
    B::botsings_correctie(2, 1, objecten);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "hier is een probleem x   2    1\n");
    EXPECT_EQ(objecten[2].x, 300.0f);
    EXPECT_EQ(objecten[2].y, 311.0f);
    Bol(12, 290, 300, 0, 0);
    testing::internal::CaptureStdout();
    B::botsings_correctie(1, 12, objecten);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "hier is een probleem y   1   12\n\n");
    EXPECT_EQ(objecten[1].x, 301.0f);
    EXPECT_EQ(objecten[1].y, 300.0f);
}

TEST_F(Botsingen, PickUpSlotsTakePartSafely) {
    // A monster running into the resting life pick-up stops as against any
    // resting object.
    Bol(1, 300, 300, 10, 0);
    Bol(52, 318, 300, 0, 0);
    Botsing();
    EXPECT_EQ(objecten[1].x, 297.2f);
    EXPECT_EQ(objecten[52].laatstebotstijd, 0.8f);
    // A nudge away from a pick-up runs on through monsters, never pick-ups.
    Bol(1, 300, 300, 0, 0);
    Bol(52, 315, 301, 0, 0);
    Bol(55, 290, 290, 0, 0);
    Bol(2, 290, 312, 0, 0);
    B::botsings_correctie(1, 52, objecten);
    EXPECT_EQ(objecten[1].x, 299.0f);
    EXPECT_EQ(objecten[1].y, 299.0f);
    EXPECT_EQ(objecten[2].x, 289.0f);
    EXPECT_EQ(objecten[2].y, 313.0f);
    EXPECT_EQ(objecten[55].x, 290.0f);
    EXPECT_EQ(objecten[52].x, 315.0f);
}

TEST_F(Botsingen, DenseClusterFinishes) {
    // Fifty monsters that all rushed into one spot in this frame.
    for (int k = 1; k <= 50; ++k) {
        const float a = k * 0.7853f + k * k * 0.013f;
        const float r = 2.0f + (k % 7) * 0.37f;
        Bol(k, 320 + r * std::cos(a), 320 + r * std::sin(a), -15 * std::cos(a), -15 * std::sin(a));
    }
    testing::internal::CaptureStdout();
    Botsing();
    testing::internal::GetCapturedStdout();
    EXPECT_LT(B::AantalPassen(), B::MAX_PASSEN);
    // A nudge inside a heap where every chain goes on: it stops at its budget.
    for (int k = 1; k <= 20; ++k)
        Bol(k, 320 + k * 0.37f, 320 + k * 0.29f, 0, 0);
    B::botsings_correctie(1, 2, objecten);
    EXPECT_EQ(B::AantalCorrectieStappen(), B::MAX_CORRECTIE_STAPPEN);
}

TEST_F(Botsingen, BulletsThatMeetDie) {
    Kogel(4, 100, 200, 1, 0, 3);  // from x 139.5 to 159.5
    Kogel(9, 200, 200, -1, 0, 3); // from 159.5 to 139.5
    Kogel(20, 100, 300, 0, -1, 3);
    Geschut();
    EXPECT_FALSE(geschut[4].leven);
    EXPECT_FALSE(geschut[9].leven);
    EXPECT_TRUE(geschut[20].leven);
}

TEST_F(Botsingen, ADeadBulletStillTakesOthersInItsTurn) {
    Kogel(1, 100, 200, 1, 0, 3);
    Kogel(2, 200, 200, -1, 0, 3);
    // Crosses slot 1's path a quarter into the step, after 1 died with 2.
    Kogel(3, 155, 165, 0, 1, 2);
    Geschut();
    EXPECT_FALSE(geschut[1].leven);
    EXPECT_FALSE(geschut[2].leven);
    EXPECT_FALSE(geschut[3].leven);
}

TEST_F(Botsingen, BulletsDieBeyondTheWalls) {
    // Limits for a bullet: x 23 to 617, y 63 to 617.
    Kogel(1, 43.5f, 300, -1, 0, 1); // at 23 exactly: stays
    Kogel(2, 43.4f, 350, -1, 0, 1);
    Kogel(3, 300, 82.5f, 0, -1, 1); // y 62: beyond the top
    Kogel(6, 400, 83.5f, 0, -1, 1); // y 63 exactly
    Kogel(4, 300, 300, 0, 0, 1);    // no direction: fizzles
    Kogel(5, 300, 617.5f, 1, 0, 1); // x 320.5, y 617 exactly
    Geschut();
    EXPECT_TRUE(geschut[1].leven);
    EXPECT_FALSE(geschut[2].leven);
    EXPECT_FALSE(geschut[3].leven);
    EXPECT_FALSE(geschut[4].leven);
    EXPECT_TRUE(geschut[5].leven);
    EXPECT_TRUE(geschut[6].leven);
}
