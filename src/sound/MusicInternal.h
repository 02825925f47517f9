// Shared by the files of the sound module; private to src/sound.
#pragma once

namespace Music::Internal {

// Music.cpp: the player's master volume (0 to MIX_MAX_VOLUME) for the music
// stream, which the mixer's own master volume leaves alone. Safe from any thread.
void SetMusicMaster(int master);

} // namespace Music::Internal
