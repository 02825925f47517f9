#include "Music.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <iostream>
#include <string>
#include <vector>

#include "MusicInternal.h"
#include "StandardLib.h"

namespace Music {

namespace {

constexpr int MIX_RATE = 32000;
constexpr int CHANNELS = 64;
constexpr int CHANNEL_BITS = 6; // 64 channels fit in the low bits of a play id
constexpr int32_t NO_PLAY = -1;
constexpr uint32_t MAX_VOLUME = 255;

// The mixer's one music stream stands beside its channels.
constexpr int MUSIC_CHANNEL = CHANNELS;

struct SndStruct {
    Mix_Chunk* snd;   // a whole decoded sound,
    Mix_Music* music; // or one streamed from its file as it plays; neither: a free entry
    int32_t channel;  // play id of the entry's last play
    bool playing;     // set by a play, cleared only by StopSound
};

bool init = false;
std::vector<SndStruct> sounds;
// Bumped by every play on a channel, so the id of an ended play goes stale.
std::array<uint32_t, CHANNELS> generation{};
// Every play of a streamed sound has its own id; only the latest one sounds.
int32_t musicPlays = 0;
int32_t musicNow = NO_PLAY;
// The stream's own volume and the player's master volume, both 0 to
// MIX_MAX_VOLUME: the mixer's master volume leaves the stream alone.
std::atomic<int> musicLevel{MIX_MAX_VOLUME};
std::atomic<int> musicMaster{MIX_MAX_VOLUME};

bool Used(const SndStruct& s) {
    return s.snd != nullptr || s.music != nullptr;
}

bool Valid(uint32_t sound) {
    return init && sound >= 1 && sound <= sounds.size() && Used(sounds[sound - 1]);
}

void ApplyMusicVolume() {
    Mix_VolumeMusic(musicLevel.load() * musicMaster.load() / MIX_MAX_VOLUME);
}

void SetMusicLevel(int level) {
    musicLevel = level;
    ApplyMusicVolume();
}

// The stream plays this entry's latest play.
bool MusicOf(const SndStruct& s) {
    return s.music != nullptr && s.channel != NO_PLAY && s.channel == musicNow;
}

// A channel's generation, kept small enough that a play id stays positive.
uint32_t Generation(int channel) {
    return generation[channel] & (UINT32_MAX >> (CHANNEL_BITS + 1));
}

int32_t PlayId(int channel) {
    ++generation[channel];
    return static_cast<int32_t>(Generation(channel) << CHANNEL_BITS) | channel;
}

// The channel that a play id addresses, or -1 once a later play owns it.
int ChannelOf(int32_t id) {
    if (id < 0) return -1;
    const int channel = id & (CHANNELS - 1);
    return static_cast<uint32_t>(id) >> CHANNEL_BITS == Generation(channel) ? channel : -1;
}

uint32_t AddSound(Mix_Chunk* add, Mix_Music* music) {
    std::size_t i = 0;
    while (i < sounds.size() && Used(sounds[i]))
        ++i;
    if (i == sounds.size()) sounds.push_back({});
    sounds[i] = {add, music, NO_PLAY, false};
    return static_cast<uint32_t>(i + 1);
}

// Freeing a sound also halts whatever still plays it.
void Free(SndStruct& s) {
    if (MusicOf(s)) musicNow = NO_PLAY;
    if (s.snd) Mix_FreeChunk(s.snd);
    if (s.music) Mix_FreeMusic(s.music);
    s.snd = nullptr;
    s.music = nullptr;
}

void DelSound(std::size_t del) {
    Free(sounds[del]);
    while (!sounds.empty() && !Used(sounds.back()))
        sounds.pop_back();
}

void PlayStream(SndStruct& s, bool repeat) {
    SetMusicLevel(MIX_MAX_VOLUME);
    const bool started = Mix_PlayMusic(s.music, repeat ? -1 : 1) == 0;
    musicPlays = musicPlays == INT32_MAX ? 1 : musicPlays + 1;
    musicNow = started ? musicPlays : NO_PLAY;
    s.channel = musicNow;
}

// Decoded whole into a chunk, or opened to stream from.
uint32_t Load(const char* file, bool streamed) {
    if (!init || file == nullptr) return 0;
    std::string reason;
    SDL_RWops* in = StandardLib::OpenStream(file, &reason);
    Mix_Chunk* chunk = in && !streamed ? Mix_LoadWAV_RW(in, 1) : nullptr;
    Mix_Music* music = in && streamed ? Mix_LoadMUS_RW(in, 1) : nullptr;
    if (chunk == nullptr && music == nullptr) {
        std::cout << "cannot load the sound file \"" << file
                  << "\": " << (in ? Mix_GetError() : reason.c_str()) << std::endl;
        return 0;
    }
    return AddSound(chunk, music);
}

int MixerVolume(uint32_t volume) {
    volume = std::min(volume, MAX_VOLUME);
    return static_cast<int>((volume * MIX_MAX_VOLUME + MAX_VOLUME / 2) / MAX_VOLUME);
}

} // namespace

bool InitMusic() {
    if (init) return true; // already open: keep the device and the table
    if (Mix_Linked_Version()->major < 2) return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(MIX_RATE, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(CHANNELS);
    InitVolume();
    init = true;
    return init;
}

void StopMusic() {
    if (!init) return;
    for (SndStruct& s : sounds)
        Free(s);
    sounds.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    init = false;
}

uint32_t LoadSound(const char* file) {
    return Load(file, false);
}

uint32_t LoadMusic(const char* file) {
    return Load(file, true);
}

void UnLoadSound(uint32_t sound) {
    if (Valid(sound)) DelSound(sound - 1);
}

void PlaySound(uint32_t sound, bool repeat) {
    if (!Valid(sound)) return;
    SndStruct& s = sounds[sound - 1];
    if (s.playing) StopSound(sound);
    s.playing = true;
    if (s.music) {
        PlayStream(s, repeat);
        return;
    }
    // The channel's volume is reset before the play starts, so the mixer never
    // plays its first samples at a volume left over from an earlier play.
    int channel = Mix_GroupAvailable(-1);
    if (channel >= 0) {
        Mix_Volume(channel, MIX_MAX_VOLUME);
        channel = Mix_PlayChannel(channel, s.snd, repeat ? -1 : 0);
    }
    s.channel = channel >= 0 ? PlayId(channel) : NO_PLAY;
}

void StopSound(uint32_t sound) {
    if (!Valid(sound) || !sounds[sound - 1].playing) return;
    SndStruct& s = sounds[sound - 1];
    if (MusicOf(s)) {
        Mix_HaltMusic();
        musicNow = NO_PLAY;
    }
    const int channel = s.music ? -1 : ChannelOf(s.channel);
    if (channel >= 0) Mix_HaltChannel(channel);
    s.playing = false;
}

void SetSoundVolume(uint32_t sound, uint32_t volume) {
    if (!Valid(sound) || !sounds[sound - 1].playing) return;
    const SndStruct& s = sounds[sound - 1];
    if (MusicOf(s)) SetMusicLevel(MixerVolume(volume));
    const int channel = s.music ? -1 : ChannelOf(s.channel);
    if (channel >= 0) Mix_Volume(channel, MixerVolume(volume));
}

uint32_t SoundTableLength() {
    return static_cast<uint32_t>(sounds.size());
}

int32_t SoundChannel(uint32_t sound) {
    if (!Valid(sound) || !sounds[sound - 1].playing) return -1;
    const SndStruct& s = sounds[sound - 1];
    if (s.music) return MusicOf(s) ? MUSIC_CHANNEL : -1;
    return ChannelOf(s.channel);
}

void Internal::SetMusicMaster(int master) {
    musicMaster = master;
    ApplyMusicVolume();
}

} // namespace Music
