// Numbered sounds over SDL2_mixer: load, play once or looped, stop, volume.
#pragma once

#include <cstdint>

namespace Music {

// Starts the audio device; FALSE (and every call silent) when there is none.
bool InitMusic();
void StopMusic();
// Handle h is table entry h - 1; 0 is a failed load.
uint32_t LoadSound(const char* file);
void UnLoadSound(uint32_t sound);
void PlaySound(uint32_t sound, bool repeat);
void StopSound(uint32_t sound);
void SetSoundVolume(uint32_t sound, uint32_t volume);

} // namespace Music
