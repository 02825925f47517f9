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

// The local date and time now, to the millisecond.
SYSTEMTIME GetLocalTime();

} // namespace Time
