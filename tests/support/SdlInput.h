// A player's input as the window thread receives it: SDL events pushed on
// SDL's queue. Shared by the integration tests, the benchmark and the playtest
// bot, which all drive the real window thread without a real player.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "Wimdows.h"

namespace SdlInput {

inline void Key(SDL_Keycode key, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    SDL_PushEvent(&e);
}

inline void Move(int32_t x, int32_t y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
}

// The left button pressed or released at (x, y).
inline void Button(int32_t x, int32_t y, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

// The player closes the window with its close box.
inline void Close() {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&e);
}

// Every key press the game has not yet taken, oldest first; the queue is then empty.
inline std::vector<uint32_t> TakeQueuedKeys() {
    std::vector<uint32_t> keys;
    uint32_t k = 0;
    while (Wimdows::GetKeyPressed(k))
        keys.push_back(k);
    return keys;
}

} // namespace SdlInput
