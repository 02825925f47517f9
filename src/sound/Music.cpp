// Placeholder until the real module lands.
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include "Music.h"

namespace Music {

bool InitMusic() {
    return false;
}
void StopMusic() {}
uint32_t LoadSound(const char* file) {
    return 0;
}
void UnLoadSound(uint32_t sound) {}
void PlaySound(uint32_t sound, bool repeat) {}
void StopSound(uint32_t sound) {}
void SetSoundVolume(uint32_t sound, uint32_t volume) {}

} // namespace Music
