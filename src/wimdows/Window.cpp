// The window thread owns the SDL window, renderer and event loop; the main
// thread draws into a CPU back buffer (pixels 0x00RRGGBB) and presents it by
// copying it into the front buffer that the window thread uploads.
#include "WimdowsInternal.h"

#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>
#include <system_error>
#include <thread>

namespace Wimdows {

using namespace Internal;

namespace Internal {

std::atomic<WinState> state{STATE_DEAD};
std::atomic<uint32_t> xlen{0};
std::atomic<uint32_t> ylen{0};
std::mutex bufferLock;
std::vector<uint32_t> back;

void Complain(const std::string& what, const char* detail) {
    std::cerr << "Wimdows: " << what << ": " << detail << '\n';
}

} // namespace Internal

namespace {

enum UserCode : int32_t { EV_PRESENT = 1, EV_WAKE = 2, EV_SYNC = 3 };

std::atomic<bool> closedByPlayer{false};
std::atomic<bool> closeAsked{false};
std::thread windowThread;
std::string title;
uint32_t userEvent = 0; // written by the window thread before it goes active

bool buffering = false; // guarded by bufferLock

// The presented frame; the window thread uploads it to the texture.
std::mutex frontLock;
std::vector<uint32_t> front;
std::atomic<bool> presentPending{false};

// Owned by the window thread.
SDL_Window* sdlWindow = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* texture = nullptr;

// Sync markers: asked by the main thread, seen by the window thread.
std::mutex syncLock;
std::condition_variable syncSeenChanged;
int32_t syncAsked = 0;
int32_t syncSeen = 0;
bool windowEnded = false; // the window thread has released everything

// Under bufferLock with the window active, so the event queue is alive.
bool PushUser(UserCode code) {
    SDL_Event e{};
    e.type = userEvent;
    e.user.code = code;
    return SDL_PushEvent(&e) > 0;
}

void RequestPresent() {
    if (!presentPending.exchange(true)) PushUser(EV_PRESENT);
}

// Copies the box (both ends included) from the back to the front buffer.
void PresentBox(Box b) {
    const Plane d = BackPlane();
    b = {std::max<int64_t>(b.x0, 0), std::max<int64_t>(b.y0, 0), std::min(b.x1, d.w - 1),
         std::min(b.y1, d.h - 1)};
    if (b.x0 > b.x1 || b.y0 > b.y1) return;
    {
        std::lock_guard lock(frontLock);
        for (int64_t y = b.y0; y <= b.y1; ++y)
            std::memcpy(front.data() + y * d.w + b.x0, back.data() + y * d.w + b.x0,
                        static_cast<size_t>(b.x1 - b.x0 + 1) * sizeof(uint32_t));
    }
    RequestPresent();
}

void PresentAll() {
    {
        std::lock_guard lock(frontLock);
        front = back;
    }
    RequestPresent();
}

void SetState(WinState s) {
    state.store(s, std::memory_order_release);
    state.notify_all();
}

} // namespace

void Internal::Repaint() {
    presentPending.store(false);
    {
        std::lock_guard lock(frontLock);
        if (front.empty()) return;
        SDL_UpdateTexture(texture, nullptr, front.data(),
                          static_cast<int>(xlen.load(std::memory_order_relaxed) * 4));
    }
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    DrawVolumeIndicator(renderer, {0, 0, static_cast<float>(w), static_cast<float>(h)});
    SDL_RenderPresent(renderer);
}

namespace {

void ClosePlatform() {
    CloseGamepads();
    if (texture) SDL_DestroyTexture(texture);
    if (renderer) SDL_DestroyRenderer(renderer);
    if (sdlWindow) SDL_DestroyWindow(sdlWindow);
    texture = nullptr;
    renderer = nullptr;
    sdlWindow = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool MakeBuffers(uint32_t w, uint32_t h) {
    if (w == 0 || h == 0 || uint64_t{w} * h > MAX_PIXELS) {
        Complain("window size refused", (std::to_string(w) + " x " + std::to_string(h)).c_str());
        return false;
    }
    try {
        std::lock_guard lock(bufferLock);
        back.assign(size_t{w} * h, 0);
        std::lock_guard frontGuard(frontLock);
        front.assign(size_t{w} * h, 0);
    } catch (const std::bad_alloc&) {
        Complain("no memory for the window", "out of memory");
        return false;
    }
    xlen.store(w, std::memory_order_relaxed);
    ylen.store(h, std::memory_order_relaxed);
    return true;
}

bool OpenPlatform() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        Complain("cannot start the video system", SDL_GetError());
        return false;
    }
    if (userEvent == 0) userEvent = SDL_RegisterEvents(1);
    const int w = static_cast<int>(std::min<uint32_t>(xlen.load(), 65535));
    const int h = static_cast<int>(std::min<uint32_t>(ylen.load(), 65535));
    sdlWindow = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, w,
                                 h, SDL_WINDOW_SHOWN);
    if (sdlWindow) renderer = SDL_CreateRenderer(sdlWindow, -1, 0);
    int cw = 0, ch = 0;
    if (renderer) SDL_GetWindowSize(sdlWindow, &cw, &ch);
    if (cw > 0 && ch > 0)
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                    cw, ch);
    if (!texture || userEvent == static_cast<uint32_t>(-1) ||
        !MakeBuffers(static_cast<uint32_t>(cw), static_cast<uint32_t>(ch))) {
        Complain("cannot create the window", SDL_GetError());
        ClosePlatform();
        return false;
    }
    OpenGamepads();
    return true;
}

void FreeWindow() {
    {
        // Drawing stops counting the window as open before anything is released.
        std::lock_guard lock(bufferLock);
        state.store(STATE_DEAD, std::memory_order_release);
        std::vector<uint32_t>().swap(back);
        std::vector<Picture>().swap(pictures);
        buffering = false;
        xlen.store(0, std::memory_order_relaxed);
        ylen.store(0, std::memory_order_relaxed);
        std::lock_guard frontGuard(frontLock);
        std::vector<uint32_t>().swap(front);
    }
    ResetInput();
    ClosePlatform();
    std::lock_guard lock(syncLock);
    windowEnded = true;
    syncSeenChanged.notify_all();
}

void OnUser(const SDL_UserEvent& e) {
    if (e.code == EV_PRESENT) Repaint();
    if (e.code != EV_SYNC) return;
    SyncGamepads();
    std::lock_guard lock(syncLock);
    syncSeen = std::max(syncSeen, static_cast<int32_t>(reinterpret_cast<intptr_t>(e.data1)));
    syncSeenChanged.notify_all();
}

// False when the window is to end.
bool Handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        closedByPlayer = true;
        return false;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
            closedByPlayer = true;
            return false;
        }
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED) Repaint();
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        OnKey(e.key);
        break;
    case SDL_MOUSEMOTION:
        SetMouse(e.motion.x, e.motion.y);
        PointerMoved(e.motion.x, e.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        OnButton(e.button);
        break;
    default:
        if (e.type == userEvent)
            OnUser(e.user);
        else
            OnGamepadEvent(e);
    }
    return !closeAsked.load();
}

void RunWindow() {
    SDL_RaiseWindow(sdlWindow);
    Repaint();
    SetState(STATE_ACTIVE);
    // SDL turns a termination signal into a quit event only when it pumps,
    // so the thread never waits longer than this for an event.
    constexpr int PUMP_MS = 100;
    SDL_Event e;
    for (;;) {
        const bool got =
            SDL_WaitEventTimeout(&e, VolumeIndicatorWaitMs(GamepadWaitMs(PUMP_MS))) != 0;
        if (got && !Handle(e)) break;
        MovePointerByGamepad();
        if (VolumeIndicatorExpired()) Repaint();
    }
    FreeWindow();
}

void WinMain() {
    if (OpenPlatform())
        RunWindow();
    else
        SetState(STATE_ERROR);
    SDL_TLSCleanup(); // SDL's per-thread data is ours to release on a thread SDL did not start
}

} // namespace

void Internal::ShowUnbuffered(const Box& b) {
    if (!buffering) PresentBox(b);
}

void Internal::WarpPointer(int32_t x, int32_t y, int32_t& gameX, int32_t& gameY) {
    SDL_WarpMouseInWindow(sdlWindow, x, y);
    gameX = x;
    gameY = y;
    SetMouse(gameX, gameY);
}

// ---------------------------------------------------------------- window

void Window(const char* title_, uint32_t x, uint32_t y) {
    if (state.load(std::memory_order_acquire) == STATE_ACTIVE) KillWindow();
    if (windowThread.joinable()) windowThread.join(); // closed by the player earlier
    static const bool closesAtExit = std::atexit(KillWindow) == 0;
    (void)closesAtExit;
    title = title_ ? title_ : "";
    xlen.store(x);
    ylen.store(y);
    closedByPlayer = false;
    closeAsked = false;
    {
        std::lock_guard lock(syncLock);
        windowEnded = false;
    }
    try {
        windowThread = std::thread(WinMain);
    } catch (const std::system_error&) {
        std::cerr << "Can't create window.\n";
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Error", "Can't create window.", nullptr);
        title.clear();
        return;
    }
    state.wait(STATE_DEAD, std::memory_order_acquire);
    if (state.load(std::memory_order_acquire) != STATE_ERROR) return;
    windowThread.join();
    state.store(STATE_DEAD, std::memory_order_release);
    title.clear();
    xlen.store(0);
    ylen.store(0);
}

void KillWindow() {
    {
        std::lock_guard lock(bufferLock);
        if (Active()) {
            closeAsked = true;
            PushUser(EV_WAKE);
        }
    }
    if (windowThread.joinable()) windowThread.join();
    title.clear();
    CloseFonts();
}

void SetBuffering(bool on) {
    std::lock_guard lock(bufferLock);
    if (!Active()) return;
    if (buffering && !on) PresentAll();
    buffering = on;
}

void UpdateWindow() {
    std::lock_guard lock(bufferLock);
    if (Active()) PresentAll();
}

WinState State() {
    return state.load(std::memory_order_acquire);
}

bool WindowClosed() {
    return closedByPlayer.load();
}

uint32_t Width() {
    return xlen.load();
}

uint32_t Height() {
    return ylen.load();
}

void Sync() {
    int32_t ticket = 0;
    {
        std::lock_guard lock(bufferLock);
        if (!Active()) return;
        ticket = ++syncAsked;
        SDL_Event e{};
        e.type = userEvent;
        e.user.code = EV_SYNC;
        e.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(ticket));
        if (SDL_PushEvent(&e) <= 0) return;
    }
    std::unique_lock lock(syncLock);
    syncSeenChanged.wait(lock, [ticket] { return syncSeen >= ticket || windowEnded; });
}

} // namespace Wimdows
