// The player's master volume over the mixer's channels. The game's own
// volumes (a channel at 210 or 170 of 255, the intro's fade) stay as they are:
// the mixer scales every channel by the master volume, so their relations hold.
#include <SDL_mixer.h>

#include <algorithm>
#include <iostream>
#include <mutex>
#include <string>

#include "Music.h"
#include "Settings.h"
#include "StandardLib.h"

namespace Music {

namespace {

constexpr uint32_t FULL = 100;
const char* const VOLUME_KEY = "volume";
const char* const MUTE_KEY = "mute";

// The window thread changes the volume while the main thread plays sounds.
std::mutex volumeLock;
uint32_t percent = FULL;
bool muted = false;

void Apply() {
    Mix_MasterVolume(muted ? 0 : static_cast<int>((percent * MIX_MAX_VOLUME + FULL / 2) / FULL));
}

void Store() {
    Settings::Set(VOLUME_KEY, std::to_string(percent));
    Settings::Set(MUTE_KEY, muted ? "TRUE" : "FALSE");
}

// A stored level that is no whole step from 0 to 100 is refused, not guessed at.
uint32_t StoredPercent() {
    const std::string stored = Settings::Get(VOLUME_KEY);
    if (stored.empty()) return FULL;
    const uint32_t p = StandardLib::TokenToCard(stored);
    if ((p == 0 && stored != "0") || p > FULL || p % VOLUME_STEP != 0) {
        std::cout << "settings: volume \"" << stored << "\" is no step of " << VOLUME_STEP
                  << " from 0 to " << FULL << "; the volume is " << FULL << std::endl;
        return FULL;
    }
    return p;
}

} // namespace

void InitVolume() {
    std::lock_guard lock(volumeLock);
    percent = StoredPercent();
    muted = StandardLib::TokenToBool(Settings::Get(MUTE_KEY));
    Apply();
}

uint32_t MasterVolume() {
    std::lock_guard lock(volumeLock);
    return percent;
}

bool Muted() {
    std::lock_guard lock(volumeLock);
    return muted;
}

void ChangeVolume(int32_t steps) {
    std::lock_guard lock(volumeLock);
    const int64_t p = int64_t{percent} + int64_t{steps} * VOLUME_STEP;
    percent = static_cast<uint32_t>(std::clamp<int64_t>(p, 0, FULL));
    muted = false;
    Apply();
    Store();
}

void ToggleMute() {
    std::lock_guard lock(volumeLock);
    muted = !muted;
    Apply();
    Store();
}

} // namespace Music
