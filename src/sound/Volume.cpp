// The player's master volume over the mixer's channels and its music stream. The game's own
// volumes (a channel at 210 or 170 of 255, the intro's fade) stay as they are:
// the mixer scales every channel by the master volume, so their relations hold.
#include <SDL_mixer.h>

#include <algorithm>
#include <mutex>

#include "Music.h"
#include "MusicInternal.h"
#include "Settings.h"

namespace Music {

namespace {

constexpr uint32_t FULL = 100;

// The window thread changes the volume while the main thread plays sounds.
std::mutex volumeLock;
uint32_t percent = FULL;
bool muted = false;

void Apply() {
    const int master = muted ? 0 : static_cast<int>((percent * MIX_MAX_VOLUME + FULL / 2) / FULL);
    Mix_MasterVolume(master);
    Internal::SetMusicMaster(master);
}

void Store() {
    Settings::Values v = Settings::Current();
    v.volume = static_cast<int32_t>(percent);
    v.muted = muted;
    Settings::StoreLater(v);
}

} // namespace

void InitVolume() {
    const Settings::Values v = Settings::Current();
    std::lock_guard lock(volumeLock);
    // A level between the steps (a file written by hand) goes to the nearest one.
    const uint32_t stored = static_cast<uint32_t>(std::clamp<int32_t>(v.volume, 0, FULL));
    percent = (stored + VOLUME_STEP / 2) / VOLUME_STEP * VOLUME_STEP;
    muted = v.muted;
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
