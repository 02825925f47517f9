#include "Time.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>
#include <utility>

namespace Time {

namespace {

constexpr int32_t HOUR_HUNDREDS = 360000;

struct Clocks {
    DateTime now, prev, start;
};

Clocks gTime{};
int32_t gRnd = 0;

DateTime RealClock() {
    const SYSTEMTIME st = GetLocalTime();
    DateTime t{};
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    t.hour = st.wHour;
    t.minute = st.wMinute;
    t.second = st.wSecond;
    t.fractions = st.wMilliseconds / 10u;
    return t;
}

Tussendoor tussendoor = nullptr;
std::chrono::steady_clock::time_point tussendoorDue{};

// Sleeps in the slices between the runs of the work in between.
void RealWait(int32_t microseconds) {
    using namespace std::chrono;
    const auto end = steady_clock::now() + std::chrono::microseconds(microseconds);
    while (tussendoor) {
        const auto now = steady_clock::now();
        if (now >= tussendoorDue) tussendoorDue = now + std::chrono::microseconds(tussendoor());
        if (tussendoorDue >= end) break;
        std::this_thread::sleep_until(tussendoorDue);
    }
    std::this_thread::sleep_until(end);
}

void NoWait(int32_t) {}

ClockSource clockSource = RealClock;
WaitSource waitSource = RealWait;
ReadingFilter readingFilter = nullptr;

int64_t Filtered(int64_t reading) {
    return readingFilter ? readingFilter(reading) : reading;
}

} // namespace

SYSTEMTIME GetLocalTime() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(now);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&secs, &local);
    SYSTEMTIME st{};
    st.wYear = static_cast<uint16_t>(local.tm_year + 1900);
    st.wMonth = static_cast<uint16_t>(local.tm_mon + 1);
    st.wDayOfWeek = static_cast<uint16_t>(local.tm_wday);
    st.wDay = static_cast<uint16_t>(local.tm_mday);
    st.wHour = static_cast<uint16_t>(local.tm_hour);
    st.wMinute = static_cast<uint16_t>(local.tm_min);
    st.wSecond = static_cast<uint16_t>(local.tm_sec);
    st.wMilliseconds = static_cast<uint16_t>(ms);
    return st;
}

void SetClockSource(ClockSource source, WaitSource wait) {
    clockSource = source ? source : RealClock;
    waitSource = source ? (wait ? wait : NoWait) : RealWait;
}

DateTime ReadClock() {
    return clockSource();
}

int64_t Monotonic() {
    if (clockSource == RealClock) {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    // A test clock's date only has to grow with time: gaps between months do not matter.
    const DateTime t = clockSource();
    const int64_t days = int64_t{t.year} * 372 + int64_t{t.month} * 31 + t.day;
    return (((days * 24 + t.hour) * 60 + t.minute) * 60 + t.second) * 1000 + t.fractions * 10;
}

void TimeToHundreds(const DateTime& time, int32_t& hundreds) {
    hundreds = static_cast<int32_t>(time.minute * 6000 + time.second * 100 + time.fractions);
}

int32_t TimeDeltaHundreds(const DateTime& time1, const DateTime& time2) {
    int32_t h1 = 0;
    int32_t h2 = 0;
    TimeToHundreds(time1, h1);
    TimeToHundreds(time2, h2);
    return h2 < h1 ? h2 + HOUR_HUNDREDS - h1 : h2 - h1;
}

void StartIterations() {
    gTime.prev = ReadClock();
}

void IterationDelay(int32_t duration, Tussendoor werk) {
    // The reading now may lie at the very end of its hundredth, so the clock can
    // reach the mark plus duration one hundredth sooner than the readings say:
    // sleep until shortly before that, then look again every half millisecond.
    constexpr int32_t HUNDREDTH_US = 10000;
    constexpr int32_t MARGIN_US = 1000;
    constexpr int32_t POLL_US = 500;
    gTime.now = ReadClock();
    int32_t passed = TimeDeltaHundreds(gTime.prev, gTime.now);
    if (passed >= duration) return;
    tussendoor = werk;
    do {
        const int32_t left = std::min(duration - passed, 100); // a second at most, then look
        waitSource(left > 1 ? (left - 1) * HUNDREDTH_US - MARGIN_US : POLL_US);
        gTime.now = ReadClock();
        passed = TimeDeltaHundreds(gTime.prev, gTime.now);
    } while (passed < duration);
    gTime.prev = gTime.now;
    tussendoor = nullptr;
}

int32_t RandomNr(int32_t a, int32_t b) {
    int32_t h = 0;
    TimeToHundreds(ReadClock(), h);
    h = static_cast<int32_t>(Filtered(h));
    gRnd = (gRnd * 4211 + 214013 + h) % 100000;
    // A reversed interval (from a negative speed) must not divide by zero or
    // by a negative width; the width may also exceed 32 bits.
    if (b < a) std::swap(a, b);
    const int64_t width = int64_t(b) - a + 1;
    return static_cast<int32_t>(a + gRnd % width);
}

void SetReadingFilter(ReadingFilter filter) {
    readingFilter = filter;
}

int64_t GameClock() {
    return Filtered(Monotonic());
}

int32_t RandomState() {
    return gRnd;
}

void SetRandomState(int32_t state) {
    gRnd = state;
}

} // namespace Time
