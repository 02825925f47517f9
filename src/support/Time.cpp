#include "Time.h"

#include <chrono>
#include <ctime>
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

ClockSource clockSource = RealClock;

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

void SetClockSource(ClockSource source) {
    clockSource = source ? source : RealClock;
}

DateTime ReadClock() {
    return clockSource();
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

void IterationDelay(int32_t duration) {
    gTime.now = ReadClock();
    if (TimeDeltaHundreds(gTime.prev, gTime.now) >= duration) return;
    // An active wait, as the game has always paced its frames.
    do {
        gTime.now = ReadClock();
    } while (TimeDeltaHundreds(gTime.prev, gTime.now) < duration);
    gTime.prev = gTime.now;
}

int32_t RandomNr(int32_t a, int32_t b) {
    int32_t h = 0;
    TimeToHundreds(ReadClock(), h);
    gRnd = (gRnd * 4211 + 214013 + h) % 100000;
    // A reversed interval (from a negative speed) must not divide by zero or
    // by a negative width; the width may also exceed 32 bits.
    if (b < a) std::swap(a, b);
    const int64_t width = int64_t(b) - a + 1;
    return static_cast<int32_t>(a + gRnd % width);
}

} // namespace Time
