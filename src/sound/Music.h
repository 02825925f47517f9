// Numbered sounds over SDL2_mixer: load, play once or looped, stop, volume.
#pragma once

#include <cstdint>

namespace Music {

// Starts the audio device; FALSE (and every call silent) when there is none.
bool InitMusic();
void StopMusic();
// Handle h is table entry h - 1; 0 is a failed load.
uint32_t LoadSound(const char* file);
// A long piece (music) in the same table, streamed from its file as it plays
// instead of held decoded; one such sound plays at a time, a new play ends
// the one before. Every call below takes either kind.
uint32_t LoadMusic(const char* file);
void UnLoadSound(uint32_t sound);
void PlaySound(uint32_t sound, bool repeat);
void StopSound(uint32_t sound);
void SetSoundVolume(uint32_t sound, uint32_t volume);

// The player's master volume over every sound, 0 to 100% in steps of
// VOLUME_STEP, and a mute that keeps the level; both live in the settings
// file. Safe from any thread: the window thread turns the volume keys into
// these calls while the main thread plays.
constexpr uint32_t VOLUME_STEP = 10;
// Reads the stored volume and hands it to the mixer; InitMusic calls it.
void InitVolume();
uint32_t MasterVolume();
bool Muted();
// Steps louder (positive) or softer (negative), within 0 to 100%; unmutes.
void ChangeVolume(int32_t steps);
void ToggleMute();

// For tests: entries in the sound table (free ones included), and the mixer
// channel of a sound's tracked play (-1 when none or a later play owns it);
// the stream of a streamed sound counts as channel 64.
uint32_t SoundTableLength();
int32_t SoundChannel(uint32_t sound);

} // namespace Music
