// The wall clock in hundredths of a second, frame pacing, and a clock-mixed
// random number.
#pragma once

#include <cstdint>

// The calendar record the game stores in saves and high scores.
struct SYSTEMTIME {
    uint16_t wYear;
    uint16_t wMonth;
    uint16_t wDayOfWeek;
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
};

namespace Time {

struct DateTime {
    uint32_t year, month, day, hour, minute, second, fractions; // fractions: hundredths
    int32_t zone;
    bool SummerTimeFlag;
};

// The local date and time now, to the millisecond.
SYSTEMTIME GetLocalTime();

// The seam through which every clock reading and every wait for the clock
// passes; tests put fakes here. nullptr restores the real clock and sleep. A
// fake clock without a wait of its own is polled without sleeping.
using ClockSource = DateTime (*)();
using WaitSource = void (*)(int32_t microseconds);
void SetClockSource(ClockSource source, WaitSource wait = nullptr);
DateTime ReadClock();

// Milliseconds on a clock that only goes forwards: the wall clock's jumps
// and the time the system sleeps do not count. With a test clock in the seam,
// that clock's readings (each one a reading like ReadClock's).
int64_t Monotonic();

void TimeToHundreds(const DateTime& time, int32_t& hundreds);
int32_t TimeDeltaHundreds(const DateTime& time1, const DateTime& time2);
void StartIterations();
// Returns at the first clock reading at least `duration` hundredths after the
// mark and moves the mark there; a frame that took longer returns at once and
// keeps the mark. Sleeps through most of the wait.
// While the real wait sleeps, `tussendoor` runs whenever it is due: it does
// its work and returns the microseconds until it is due again. A test clock's
// wait never calls it, so the clock is read as often with it as without.
using Tussendoor = int32_t (*)();
void IterationDelay(int32_t duration, Tussendoor tussendoor = nullptr);
int32_t RandomNr(int32_t a, int32_t b);

// The readings that enter the game's rules (the clock mixed into RandomNr and
// the playing time's clock) pass through one filter, so that a demo can
// record them and give them back; pacing reads stay outside. nullptr: as read.
using ReadingFilter = int64_t (*)(int64_t reading);
void SetReadingFilter(ReadingFilter filter);
// Monotonic, through the filter.
int64_t GameClock();
// RandomNr's state, kept with a demo so that a level replays its numbers.
int32_t RandomState();
void SetRandomState(int32_t state);

} // namespace Time
