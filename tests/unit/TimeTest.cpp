#include <gtest/gtest.h>

#include <climits>

#include "Time.h"

namespace {

Time::DateTime At(uint32_t minute, uint32_t second, uint32_t fractions) {
    Time::DateTime t{};
    t.minute = minute;
    t.second = second;
    t.fractions = fractions;
    return t;
}

// A fake clock in hundredths since the hour began; each reading moves it on
// by `step`, so a busy wait ends without any real time passing.
int32_t fakeNow = 0;
int32_t fakeStep = 0;
int fakeReads = 0;

Time::DateTime FakeClock() {
    const int32_t h = fakeNow % 360000;
    fakeNow += fakeStep;
    ++fakeReads;
    return At(h / 6000, h / 100 % 60, h % 100);
}

struct FakeClockTest : testing::Test {
    void SetUp() override {
        fakeNow = 0;
        fakeStep = 0;
        Time::SetClockSource(FakeClock);
    }
    void TearDown() override { Time::SetClockSource(nullptr); }
};

} // namespace

TEST(TimeDelta, WithinAndAcrossTheHour) {
    int32_t h = 0;
    Time::TimeToHundreds(At(59, 59, 99), h);
    EXPECT_EQ(h, 359999);
    EXPECT_EQ(Time::TimeDeltaHundreds(At(59, 59, 90), At(0, 0, 10)), 20);
    EXPECT_EQ(Time::TimeDeltaHundreds(At(12, 3, 4), At(12, 3, 4)), 0);
    Time::DateTime later = At(15, 0, 0);
    later.hour = 1; // 65 minutes after 10:00: seen modulo the hour
    EXPECT_EQ(Time::TimeDeltaHundreds(At(10, 0, 0), later), 30000);
}

TEST_F(FakeClockTest, IterationDelayWaitsOutTheRestOfTheFrame) {
    fakeNow = 100;
    Time::StartIterations(); // mark at 100
    fakeNow = 101;
    fakeStep = 1;
    fakeReads = 0;
    Time::IterationDelay(3);
    EXPECT_EQ(fakeReads, 3); // readings 101, 102, 103
    // The mark moved to 103: a frame of 3 from there needs readings up to 106.
    fakeReads = 0;
    Time::IterationDelay(3);
    EXPECT_EQ(fakeReads, 3);
}

TEST_F(FakeClockTest, ALongFrameReturnsAtOnceAndKeepsTheMark) {
    Time::StartIterations(); // mark at 0
    fakeNow = 5;
    fakeStep = 1;
    fakeReads = 0;
    Time::IterationDelay(3);
    EXPECT_EQ(fakeReads, 1);
    // Mark still at 0: the next reading (6) already satisfies 6.
    fakeReads = 0;
    Time::IterationDelay(6);
    EXPECT_EQ(fakeReads, 1);
}

TEST_F(FakeClockTest, PacingAcrossTheHourBoundary) {
    fakeNow = 359999;
    Time::StartIterations();
    fakeStep = 1;
    fakeReads = 0;
    Time::IterationDelay(3);
    EXPECT_EQ(fakeReads, 4); // 359999, then 0, 1, 2 of the next hour
}

TEST_F(FakeClockTest, RandomNrStaysInItsInterval) {
    fakeStep = 7;
    for (int i = 0; i < 2000; ++i) {
        const int32_t r = Time::RandomNr(-3, 3);
        ASSERT_GE(r, -3);
        ASSERT_LE(r, 3);
    }
    EXPECT_EQ(Time::RandomNr(4, 4), 4);
    // Guarded, not undefined: a reversed interval and the widest one.
    const int32_t r = Time::RandomNr(3, -3);
    EXPECT_GE(r, -3);
    EXPECT_LE(r, 3);
    const int32_t w = Time::RandomNr(INT_MIN, INT_MAX);
    EXPECT_LE(w, INT_MIN + 99999);
}
