// The level's playing time: counted on a clock that only goes forwards, so
// that a suspend, a stopped process or a clock set to another time never
// counts as play.
#include <algorithm>

#include "Kolvemar_spel.h"
#include "Time.h"

namespace Kolvemar_spel {

namespace {

constexpr int64_t FRAME_MS = 30;
// The longest wait of a frame is the game-over picture's 2.5 s.
constexpr int64_t LANGSTE_STAP_MS = 5000;

// Days since 1970-01-01 of a calendar date (proleptic Gregorian).
int64_t Dagnummer(const SYSTEMTIME& t) {
    const unsigned m = std::clamp<unsigned>(t.wMonth, 1, 12);
    const int64_t y = int64_t(t.wYear) - (m <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + int64_t(t.wDay) - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int64_t Milliseconden(const SYSTEMTIME& t, int64_t dagen) {
    return (((dagen * 24 + t.wHour) * 60 + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
}

} // namespace

void tijdverschilbijvoegen(SYSTEMTIME& result, const SYSTEMTIME& begintijd,
                           const SYSTEMTIME& endtijd) {
    // The real elapsed time, so that a level played across the end of a month
    // adds hours rather than a month's worth of days; a clock set back adds nothing.
    speeltijdbijvoegen(result, Milliseconden(endtijd, Dagnummer(endtijd)) -
                                   Milliseconden(begintijd, Dagnummer(begintijd)));
}

void speeltijdbijvoegen(SYSTEMTIME& result, int64_t milliseconden) {
    int64_t totaal = Milliseconden(result, result.wDay) + std::max<int64_t>(0, milliseconden);
    result.wMilliseconds = static_cast<uint16_t>(totaal % 1000);
    totaal /= 1000;
    result.wSecond = static_cast<uint16_t>(totaal % 60);
    totaal /= 60;
    result.wMinute = static_cast<uint16_t>(totaal % 60);
    totaal /= 60;
    result.wHour = static_cast<uint16_t>(totaal % 24);
    result.wDay = static_cast<uint16_t>(std::min<int64_t>(totaal / 24, 65535));
}

void Tellen(Speelstaat& staat, bool geheel) {
    const int64_t nu = Time::GameClock();
    const int64_t stap = std::max<int64_t>(0, nu - staat.klokstand);
    staat.speeltijd += geheel || stap <= LANGSTE_STAP_MS ? stap : FRAME_MS;
    staat.klokstand = nu;
}

} // namespace Kolvemar_spel
