#include "Music.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <vector>

#include "StandardLib.h"

namespace Music {

namespace {

constexpr int MIX_RATE = 32000;
constexpr int CHANNELS = 64;
constexpr int CHANNEL_BITS = 6; // 64 channels fit in the low bits of a play id
constexpr int32_t NO_PLAY = -1;
constexpr uint32_t MAX_VOLUME = 255;

struct SndStruct {
    Mix_Chunk* snd;  // nullptr marks a free entry
    int32_t channel; // play id of the entry's last play
    bool playing;    // set by a play, cleared only by StopSound
};

bool init = false;
std::vector<SndStruct> sounds;
// Bumped by every play on a channel, so the id of an ended play goes stale.
std::array<uint32_t, CHANNELS> generation{};

bool Valid(uint32_t sound) {
    return init && sound >= 1 && sound <= sounds.size() && sounds[sound - 1].snd != nullptr;
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

uint32_t AddSound(Mix_Chunk* add) {
    std::size_t i = 0;
    while (i < sounds.size() && sounds[i].snd != nullptr)
        ++i;
    if (i == sounds.size()) sounds.push_back({});
    sounds[i] = {add, NO_PLAY, false};
    return static_cast<uint32_t>(i + 1);
}

void DelSound(std::size_t del) {
    // Freeing the chunk also halts any channel still playing it.
    Mix_FreeChunk(sounds[del].snd);
    sounds[del].snd = nullptr;
    while (!sounds.empty() && sounds.back().snd == nullptr)
        sounds.pop_back();
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
        if (s.snd != nullptr) Mix_FreeChunk(s.snd);
    sounds.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    init = false;
}

uint32_t LoadSound(const char* file) {
    if (!init || file == nullptr) return 0;
    std::string reason;
    SDL_RWops* in = StandardLib::OpenStream(file, &reason);
    Mix_Chunk* chunk = in ? Mix_LoadWAV_RW(in, 1) : nullptr;
    if (chunk == nullptr) {
        std::cout << "cannot load the sound file \"" << file
                  << "\": " << (in ? Mix_GetError() : reason.c_str()) << std::endl;
        return 0;
    }
    return AddSound(chunk);
}

void UnLoadSound(uint32_t sound) {
    if (Valid(sound)) DelSound(sound - 1);
}

void PlaySound(uint32_t sound, bool repeat) {
    if (!Valid(sound)) return;
    SndStruct& s = sounds[sound - 1];
    if (s.playing) StopSound(sound);
    // The channel's volume is reset before the play starts, so the mixer never
    // plays its first samples at a volume left over from an earlier play.
    int channel = Mix_GroupAvailable(-1);
    if (channel >= 0) {
        Mix_Volume(channel, MIX_MAX_VOLUME);
        channel = Mix_PlayChannel(channel, s.snd, repeat ? -1 : 0);
    }
    s.channel = channel >= 0 ? PlayId(channel) : NO_PLAY;
    s.playing = true;
}

void StopSound(uint32_t sound) {
    if (!Valid(sound) || !sounds[sound - 1].playing) return;
    const int channel = ChannelOf(sounds[sound - 1].channel);
    if (channel >= 0) Mix_HaltChannel(channel);
    sounds[sound - 1].playing = false;
}

void SetSoundVolume(uint32_t sound, uint32_t volume) {
    if (!Valid(sound) || !sounds[sound - 1].playing) return;
    const int channel = ChannelOf(sounds[sound - 1].channel);
    if (channel >= 0) Mix_Volume(channel, MixerVolume(volume));
}

uint32_t SoundTableLength() {
    return static_cast<uint32_t>(sounds.size());
}

int32_t SoundChannel(uint32_t sound) {
    if (!Valid(sound) || !sounds[sound - 1].playing) return -1;
    return ChannelOf(sounds[sound - 1].channel);
}

} // namespace Music
