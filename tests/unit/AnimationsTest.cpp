#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "Kolvemar_Animations.h"
#include "Kolvemar_Constanten_en_Types.h"
#include "Time.h"

namespace K = Kolvemar_Constanten_en_Types;

namespace {

// Every read jumps a second ahead, so each pass's wait reads the clock once
// and the pacing restart once more: two reads per pass.
int reads = 0;
Time::DateTime now{};

Time::DateTime CountingClock() {
    ++reads;
    now.second = (now.second + 1) % 60;
    if (now.second == 0) now.minute = (now.minute + 1) % 60;
    return now;
}

class AnimationPasses : public testing::Test {
  protected:
    void SetUp() override {
        Time::SetClockSource(CountingClock);
        Time::StartIterations();
        reads = 0;
    }
    void TearDown() override { Time::SetClockSource(nullptr); }
};

int IntroPasses(uint32_t schermgrootte) {
    K::schermgrootte = schermgrootte;
    reads = 0;
    Kolvemar_Animations::Startup_Animation();
    return reads / 2;
}

} // namespace

// Without a window nothing is drawn and no key is down: the intro runs its
// full course of zoom 150, slide 76, rise, fire 50, hold 5, title 15, fade 205.
TEST_F(AnimationPasses, IntroRiseTakesOnePassPerEightPixelsPlusOne) {
    const uint32_t saved = K::schermgrootte;
    EXPECT_EQ(IntroPasses(600), 501 + 76);
    EXPECT_EQ(IntroPasses(800), 501 + 101);
    EXPECT_EQ(IntroPasses(604), 501 + 76);
    K::schermgrootte = saved;
}

// A damaged level may place the player anywhere; the ring must not overflow.
TEST_F(AnimationPasses, LevelStartSurvivesAbsurdPlayerPositions) {
    auto level = std::make_unique<K::Level>();
    for (const float v : {1e30f, -1e30f, std::nanf(""), std::numeric_limits<float>::infinity()}) {
        level->objecten[0].x = v;
        level->objecten[0].y = -v;
        reads = 0;
        Kolvemar_Animations::Startup_gameAnimation(*level);
        EXPECT_EQ(reads, 1 + 2 * 200);
    }
}
