// The window thread's event queue: SDL's events in bounded batches, a close
// taken before whatever waits ahead of it, and the game's own requests as
// user events that wake the thread.
#include <chrono>
#include <condition_variable>

#include "WimdowsInternal.h"

namespace Wimdows::Internal {

namespace {

uint32_t userEvent = 0; // registered by the window thread before it goes active

// The window thread waits for events here, not inside SDL: SDL would wake it
// through a second X connection from the pushing thread, and a lost display
// would then end the process from inside the game's own drawing calls.
std::mutex wakeLock;
std::condition_variable wakeUp;
bool woken = false; // guarded by wakeLock

void Wake() {
    {
        std::lock_guard lock(wakeLock);
        woken = true;
    }
    wakeUp.notify_one();
}

// Set as SDL is about to queue a close or a termination signal's quit, so
// that either is taken before whatever waits in the queue ahead of it.
std::atomic<bool> quitComing{false};

int WatchQueue(void*, SDL_Event* e) {
    if (e->type == SDL_QUIT ||
        (e->type == SDL_WINDOWEVENT && e->window.event == SDL_WINDOWEVENT_CLOSE)) {
        quitComing = true;
        Wake();
    }
    return 1;
}

// At most a batch a wake-up, so that a flood never keeps the thread from its
// other work.
constexpr int BATCH = 256;
SDL_Event batch[BATCH]; // the window thread's

} // namespace

bool WatchEvents() {
    if (userEvent == 0) userEvent = SDL_RegisterEvents(1);
    quitComing = false;
    SDL_AddEventWatch(WatchQueue, nullptr);
    return userEvent != static_cast<uint32_t>(-1);
}

void UnwatchEvents() {
    SDL_DelEventWatch(WatchQueue, nullptr);
}

// SDL turns a termination signal into a quit event only when it pumps, and
// input from the display arrives with the pumping too; without events the
// thread waits a short pause for a wake-up.
const SDL_Event* NextEvents(int& n) {
    constexpr auto PUMP_PAUSE = std::chrono::milliseconds(4);
    SDL_PumpEvents();
    // A close coming goes first: the quit, and the window's own events with it.
    for (const uint32_t type : {uint32_t{SDL_QUIT}, uint32_t{SDL_WINDOWEVENT}}) {
        n = quitComing ? SDL_PeepEvents(batch, BATCH, SDL_GETEVENT, type, type) : 0;
        if (n > 0) return batch;
    }
    n = SDL_PeepEvents(batch, BATCH, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    if (n > 0) return batch;
    n = 0;
    std::unique_lock lock(wakeLock);
    wakeUp.wait_for(lock, PUMP_PAUSE, [] { return woken; });
    woken = false;
    return batch;
}

bool QuitDropped() {
    constexpr int SDL_QUEUE_LIMIT = 65535;
    return quitComing && SDL_PeepEvents(nullptr, SDL_QUEUE_LIMIT, SDL_PEEKEVENT, SDL_FIRSTEVENT,
                                        SDL_LASTEVENT) >= SDL_QUEUE_LIMIT;
}

bool PushUser(int32_t code, intptr_t a, intptr_t b) {
    SDL_Event e{};
    e.type = userEvent;
    e.user.code = code;
    e.user.data1 = reinterpret_cast<void*>(a);
    e.user.data2 = reinterpret_cast<void*>(b);
    const bool pushed = SDL_PushEvent(&e) > 0;
    Wake();
    return pushed;
}

bool IsUserEvent(const SDL_Event& e) {
    return e.type == userEvent;
}

} // namespace Wimdows::Internal
