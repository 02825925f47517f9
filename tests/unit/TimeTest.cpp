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

namespace {

// Simulated time in microseconds: a reading costs 2 us, a wait passes as asked.
int64_t simUs = 0;
int64_t slept = 0;
int waits = 0;
int64_t lastReadUs = 0;

Time::DateTime SimClock() {
    lastReadUs = simUs;
    const int64_t h = simUs / 10000 % 360000;
    simUs += 2;
    return At(static_cast<uint32_t>(h / 6000), static_cast<uint32_t>(h / 100 % 60),
              static_cast<uint32_t>(h % 100));
}

void SimWait(int32_t us) {
    simUs += us;
    slept += us;
    ++waits;
}

struct SleepingDelay : testing::Test {
    void SetUp() override { Time::SetClockSource(SimClock, SimWait); }
    void TearDown() override { Time::SetClockSource(nullptr); }
    // A frame that starts `start` us into the simulation, takes `work` us and
    // waits for `duration`: checks that IterationDelay returns at the first
    // reading on which the polling version would have returned, sleeping for
    // most of the wait.
    void Frame(int64_t start, int64_t work, int32_t duration) {
        simUs = start;
        Time::StartIterations();
        const int64_t markHundredth = lastReadUs / 10000;
        simUs += work;
        slept = 0;
        waits = 0;
        Time::IterationDelay(duration);
        const int64_t due = (markHundredth + duration) * 10000; // the clock shows mark + duration
        const int64_t waited = lastReadUs - (start + 2 + work);
        if (start + 2 + work >= due) {
            EXPECT_EQ(waits, 0) << start << " " << work;
            return;
        }
        EXPECT_GE(lastReadUs, due) << start << " " << work;
        EXPECT_LT(lastReadUs, due + 600) << start << " " << work; // a poll late at most
        EXPECT_GE(slept, waited - 600) << start << " " << work;
        EXPECT_LE(waits, 25) << start << " " << work;
    }
};

} // namespace

TEST_F(SleepingDelay, ReturnsAtTheSameReadingAsPollingWhateverThePhase) {
    for (int64_t phase = 0; phase < 10000; phase += 370)
        for (int64_t work : {0, 1000, 9999, 10000, 15000, 25000})
            Frame(1234560000 + phase, work, 3);
}

TEST_F(SleepingDelay, AcrossTheHourAndAfterAnOverlongFrame) {
    for (int64_t phase = 0; phase < 10000; phase += 1000)
        Frame(3599990000LL + phase, 0, 3); // from 59:59.99 into the next hour
    Frame(5000000, 45000, 3);              // the frame took 4.5 hundredths: no wait
    // The mark stays where it was: the next frame is due from the same mark.
    simUs = 7000000;
    Time::StartIterations();
    simUs += 50000;
    Time::IterationDelay(3);
    waits = 0;
    Time::IterationDelay(5); // 5 hundredths after the kept mark
    EXPECT_EQ(waits, 0);
}

namespace {

int tussendoorRuns = 0;

int32_t Tussendoor() {
    ++tussendoorRuns;
    return 4000; // again 4 ms later
}

} // namespace

TEST(WorkInTheWait, RunsAtItsRateOnTheRealClockAndNeverOnATestClock) {
    tussendoorRuns = 0;
    Time::StartIterations();
    Time::IterationDelay(5, Tussendoor); // 40 to 50 ms of real waiting
    EXPECT_GE(tussendoorRuns, 3); // a loaded machine oversleeps
    EXPECT_LE(tussendoorRuns, 14);
    // Plain waits after it run nothing.
    tussendoorRuns = 0;
    Time::IterationDelay(2);
    EXPECT_EQ(tussendoorRuns, 0);
    Time::SetClockSource(SimClock, SimWait);
    simUs = 0;
    Time::StartIterations();
    Time::IterationDelay(3, Tussendoor);
    Time::SetClockSource(nullptr);
    EXPECT_EQ(tussendoorRuns, 0);
}
