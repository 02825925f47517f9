// The window thread owns the SDL window, its presenter and the event loop; the
// main thread draws into a CPU back buffer (pixels 0x00RRGGBB) and presents it
// by copying it into the front buffer that the window thread shows.
#include "WimdowsInternal.h"

#include <condition_variable>
#include <cstdlib>
#include <iostream>
#include <new>
#include <system_error>
#include <thread>

#include "Settings.h"

namespace Wimdows {

using namespace Internal;

namespace Internal {

std::atomic<WinState> state{STATE_DEAD};
Layout layout{};
std::atomic<uint32_t> xlen{0};
std::atomic<uint32_t> ylen{0};
std::mutex bufferLock;
std::vector<uint32_t> back;

void Complain(const std::string& what, const char* detail) {
    std::cerr << "Wimdows: " << what << ": " << detail << '\n';
}

} // namespace Internal

namespace {

enum UserCode : int32_t {
    EV_PRESENT = 1,
    EV_WAKE = 2,
    EV_SYNC = 3,
    EV_POINTER = 4,
    EV_RESIZE = 5,
    EV_READ = 6
};

std::atomic<bool> closedByPlayer{false};
std::atomic<bool> closeAsked{false};
std::thread windowThread;
std::string title;

bool buffering = false; // guarded by bufferLock

std::atomic<bool> presentPending{false};

std::atomic<bool> pointerShown{true};
// Set before the window opens: fullscreen or not for this run, whatever the settings say.
std::optional<bool> fullscreenThisRun;
// Set by the X error handlers, which may run inside any SDL call of the window thread.
std::atomic<bool> displayLost{false};
std::atomic<bool> windowDestroyed{false};
// The display's refresh rate in hertz; 0 where the display does not say.
std::atomic<uint32_t> refreshRate{0};
std::atomic<uint64_t> framesShown{0};

// Owned by the window thread.
SDL_Window* sdlWindow = nullptr;
bool headless = false; // a video driver without a screen: nothing to fit or remember
bool fullscreen = false;
bool decorated = false; // the window manager's borders are known
SDL_Point windowed{};   // the window's size when not fullscreen, to remember

// Sync markers: asked by the main thread, seen by the window thread.
std::mutex syncLock;
std::condition_variable syncSeenChanged;
int32_t syncAsked = 0;
int32_t syncSeen = 0;
bool windowEnded = false; // the window thread has released everything

void SetState(WinState s) {
    state.store(s, std::memory_order_release);
    state.notify_all();
}

} // namespace

uint64_t Internal::FramesShown() {
    return framesShown.load(std::memory_order_relaxed);
}

void Internal::RequestPresent() {
    if (!presentPending.exchange(true)) PushUser(EV_PRESENT);
}

namespace {

// The front buffer's changed rows into the window, or all of it when the
// window needs everything again.
void Show(bool whole) {
    presentPending.store(false);
    if (windowDestroyed) return;
    if (!DrawFront(whole)) return;
    ShowFrame(layout);
    framesShown.fetch_add(1, std::memory_order_relaxed);
}

// After every change of the window's size: where the picture goes, and how the
// mouse maps back.
void UpdateLayout() {
    int winW = 0, winH = 0;
    SDL_GetWindowSize(sdlWindow, &winW, &winH);
    SDL_Point out = OutputSize();
    if (out.x <= 0 || out.y <= 0) out = {winW, winH};
    layout = Fit(static_cast<int32_t>(xlen.load()), static_cast<int32_t>(ylen.load()), winW, winH,
                 out.x, out.y);
    PresenterLayout(layout);
    const bool full = fullscreen || (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN);
    if (!full) windowed = {winW, winH};
}

// SDL keeps the pointer at the same window point across a switch to or from
// fullscreen, which is another game point: the cross-hair would jump, even off
// the arena. The game point is kept instead, again at every move and resize
// while the window manager is still placing the window.
struct KeptAim {
    bool on = false;
    SDL_Point game{};
    uint64_t until = 0;
};
KeptAim keptAim;
constexpr uint64_t KEEP_AIM_MS = 500;

void KeepAim() {
    if (!keptAim.on) return;
    if (SDL_GetTicks64() > keptAim.until) {
        keptAim.on = false;
        return;
    }
    int32_t x = 0, y = 0;
    WarpPointer(keptAim.game.x, keptAim.game.y, x, y);
}

void SetFullscreen(bool on) {
    int32_t mx = 0, my = 0;
    MousePos(mx, my);
    const SDL_Point aim{static_cast<int16_t>(mx), static_cast<int16_t>(my)};
    keptAim = {SDL_GetMouseFocus() == sdlWindow && aim.x >= 0 && aim.y >= 0 &&
                   aim.x < static_cast<int32_t>(xlen.load()) &&
                   aim.y < static_cast<int32_t>(ylen.load()),
               aim, SDL_GetTicks64() + KEEP_AIM_MS};
    fullscreen = on;
    SDL_SetWindowFullscreen(sdlWindow, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    // Back in the window, at the window's own size (not every driver restores it).
    if (!on && windowed.x > 0) SDL_SetWindowSize(sdlWindow, windowed.x, windowed.y);
    UpdateLayout();
    KeepAim();
    Repaint();
}

void ClosePlatform() {
    CloseGamepads();
    ClosePresenter();
    if (sdlWindow) SDL_DestroyWindow(sdlWindow);
    sdlWindow = nullptr;
    UnwatchEvents();
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
        ForgetLaid();
        MakeFront(w, h);
    } catch (const std::bad_alloc&) {
        Complain("no memory for the window", "out of memory");
        return false;
    }
    xlen.store(w, std::memory_order_relaxed);
    ylen.store(h, std::memory_order_relaxed);
    return true;
}

// The usable area of the window's display (without panels).
SDL_Rect Usable() {
    SDL_Rect usable{0, 0, 0, 0};
    const int display = sdlWindow ? std::max(SDL_GetWindowDisplayIndex(sdlWindow), 0) : 0;
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0) SDL_GetDisplayBounds(display, &usable);
    return usable;
}

// The room a window may take on its display: the usable area less the
// decorations the window manager puts around it.
SDL_Point Room(int top, int left, int bottom, int right) {
    const SDL_Rect usable = Usable();
    return {usable.w - left - right, usable.h - top - bottom};
}

// The remembered size while it still fits the room, else the size that fits.
SDL_Point WindowSize(SDL_Point room) {
    const int32_t gw = static_cast<int32_t>(std::min<uint32_t>(xlen.load(), 65535));
    const int32_t gh = static_cast<int32_t>(std::min<uint32_t>(ylen.load(), 65535));
    if (headless) return {gw, gh};
    const Settings::Values v = Settings::Current();
    constexpr int32_t SMALLEST = 64;
    if (v.windowWidth >= SMALLEST && v.windowHeight >= SMALLEST && v.windowWidth <= room.x &&
        v.windowHeight <= room.y)
        return {v.windowWidth, v.windowHeight};
    return FittingSize(gw, gh, room.x, room.y);
}

// Once the window manager has decorated the shown window (a little after it
// appears), its real borders may call for another size; the window is then
// centred in the usable area. Without a window manager there are none.
void FitDecorated() {
    int top = 0, left = 0, bottom = 0, right = 0;
    if (headless || decorated ||
        SDL_GetWindowBordersSize(sdlWindow, &top, &left, &bottom, &right) != 0 ||
        top + left + bottom + right == 0)
        return;
    decorated = true;
    const SDL_Point size = WindowSize(Room(top, left, bottom, right));
    SDL_SetWindowSize(sdlWindow, size.x, size.y);
    const SDL_Rect usable = Usable();
    SDL_SetWindowPosition(sdlWindow, usable.x + left + (usable.w - left - right - size.x) / 2,
                          usable.y + top + (usable.h - top - bottom - size.y) / 2);
}

// The window's size and fullscreen state, for the next run. The size that
// fits is not kept as such (0): on another screen another size fits.
void RememberWindow() {
    if (headless) return;
    int top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowBordersSize(sdlWindow, &top, &left, &bottom, &right);
    const SDL_Point room = Room(top, left, bottom, right);
    const SDL_Point fit = FittingSize(static_cast<int32_t>(xlen.load()),
                                      static_cast<int32_t>(ylen.load()), room.x, room.y);
    const SDL_Point keep = windowed.x == fit.x && windowed.y == fit.y ? SDL_Point{0, 0} : windowed;
    Settings::Values v = Settings::Current();
    // A state asked for this run only is not the player's lasting choice.
    const bool keepFullscreen = fullscreenThisRun ? v.fullscreen : fullscreen;
    if (v.windowWidth == keep.x && v.windowHeight == keep.y && v.fullscreen == keepFullscreen)
        return;
    v.windowWidth = keep.x;
    v.windowHeight = keep.y;
    v.fullscreen = keepFullscreen;
    Settings::StoreLater(v);
}

// True when SDL_VIDEODRIVER names the driver (it may list several, comma-separated).
bool Asked(const std::string& driver) {
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    std::string list = asked ? asked : "";
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        if (SDL_strcasecmp(list.substr(start, end - start).c_str(), driver.c_str()) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

bool OpenPlatform() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        Complain("cannot start the video system", SDL_GetError());
        return false;
    }
    const std::string driver = SDL_GetCurrentVideoDriver();
    headless = driver == "dummy" || driver == "offscreen";
    // SDL falls back to a window nobody sees when there is no display; that
    // is for tests that ask for it, never a game to play blind.
    if (headless && !Asked(driver)) {
        Complain("no display to open the window on", driver.c_str());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    const bool watched = WatchEvents();
    // The game takes no text: a key stroke is one event, not two.
    SDL_EventState(SDL_TEXTINPUT, SDL_IGNORE);
    SDL_EventState(SDL_TEXTEDITING, SDL_IGNORE);
    fullscreen = false;
    decorated = false;
    // Until the window manager tells, a title bar and thin borders are assumed.
    const SDL_Point size = WindowSize(Room(32, 4, 4, 4));
    sdlWindow = SDL_CreateWindow(
        title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.x, size.y,
        SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    const uint32_t gw = xlen.load(), gh = ylen.load();
    const bool shows = sdlWindow && gw > 0 && gh > 0 && gw <= 65535 && gh <= 65535 &&
                       OpenPresenter(sdlWindow, static_cast<int32_t>(gw), static_cast<int32_t>(gh));
    if (!shows || !watched || !MakeBuffers(gw, gh)) {
        Complain("cannot create the window", SDL_GetError());
        ClosePlatform();
        return false;
    }
    windowed = size;
    WatchDisplay(sdlWindow);
    SDL_DisplayMode mode{};
    refreshRate = SDL_GetWindowDisplayMode(sdlWindow, &mode) == 0 && mode.refresh_rate > 0
                      ? static_cast<uint32_t>(mode.refresh_rate)
                      : 0;
    SDL_ShowWindow(sdlWindow);
    FitDecorated();
    SDL_ShowCursor(pointerShown ? SDL_ENABLE : SDL_DISABLE);
    if (!headless && fullscreenThisRun.value_or(Settings::Current().fullscreen))
        SetFullscreen(true);
    UpdateLayout();
    OpenGamepads();
    return true;
}

void FreeWindow() {
    FinishScreenshots();
    ScreenshotsWritten(); // a picture's note goes with its window, not into the next one
    RememberWindow();
    {
        // Drawing stops counting the window as open before anything is released.
        std::lock_guard lock(bufferLock);
        state.store(STATE_DEAD, std::memory_order_release);
        std::vector<uint32_t>().swap(back);
        std::vector<Picture>().swap(pictures);
        buffering = false;
        xlen.store(0, std::memory_order_relaxed);
        ylen.store(0, std::memory_order_relaxed);
        FreeFront();
    }
    ResetInput();
    // A lost display or window cannot be taken down in order (SDL's clean-up
    // would meet the errors it causes without our handlers); the process ends soon.
    if (!displayLost && !windowDestroyed) ClosePlatform();
    std::lock_guard lock(syncLock);
    windowEnded = true;
    syncSeenChanged.notify_all();
}

void OnUser(const SDL_UserEvent& e) {
    if (e.code == EV_PRESENT) Show(false);
    if (e.code == EV_READ) {
        auto* read = static_cast<std::pair<std::vector<uint32_t>, SDL_Point>*>(e.data1);
        read->first = PresentedPixels(read->second);
    }
    if (e.code == EV_POINTER) SDL_ShowCursor(pointerShown ? SDL_ENABLE : SDL_DISABLE);
    if (e.code == EV_RESIZE) {
        SDL_SetWindowSize(sdlWindow, static_cast<int>(reinterpret_cast<intptr_t>(e.data1)),
                          static_cast<int>(reinterpret_cast<intptr_t>(e.data2)));
        UpdateLayout();
    }
    if (e.code != EV_SYNC) return;
    SyncGamepads();
    FinishScreenshots();
    if (ScreenshotsWritten()) Repaint();
    std::lock_guard lock(syncLock);
    syncSeen = std::max(syncSeen, static_cast<int32_t>(reinterpret_cast<intptr_t>(e.data1)));
    syncSeenChanged.notify_all();
}

void OnWindowEvent(const SDL_WindowEvent& e) {
    switch (e.event) {
    case SDL_WINDOWEVENT_EXPOSED:
        Repaint();
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        UpdateLayout();
        KeepAim();
        Repaint();
        break;
    case SDL_WINDOWEVENT_MOVED:
        KeepAim();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        SDL_CaptureMouse(SDL_FALSE);
        ReleaseInput();
        GamepadFocus(false);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        GamepadFocus(true);
        break;
    default:
        break;
    }
    if (!fullscreen) FitDecorated();
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
        OnWindowEvent(e.window);
        break;
    case SDL_KEYDOWN:
        // F11 and Alt+Enter are the window's own; the game never sees them.
        if (e.key.keysym.sym == SDLK_F11 ||
            (e.key.keysym.sym == SDLK_RETURN && (e.key.keysym.mod & KMOD_ALT))) {
            if (!e.key.repeat) SetFullscreen(!fullscreen);
            break;
        }
        if (e.key.keysym.sym == SDLK_F12) {
            if (!e.key.repeat) SaveScreenshot();
            break;
        }
        OnKey(e.key);
        break;
    case SDL_KEYUP:
        OnKey(e.key);
        break;
    case SDL_MOUSEMOTION:
        SetMouse(e.motion.x, e.motion.y);
        PointerMoved(GamePoint(layout, e.motion.x, e.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        OnButton(e.button);
        break;
    default:
        if (IsUserEvent(e))
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
    for (bool open = true; open;) {
        int n = 0;
        const SDL_Event* batch = NextEvents(n);
        for (int i = 0; i < n && open; ++i) {
            // A run of pointer moves counts as its last: the others cannot matter.
            const bool moved = batch[i].type == SDL_MOUSEMOTION;
            if (moved && i + 1 < n && batch[i + 1].type == SDL_MOUSEMOTION) continue;
            open = Handle(batch[i]);
        }
        if (windowDestroyed || displayLost || QuitDropped()) {
            closedByPlayer = true;
            break;
        }
        if (!open) break;
        MovePointerByGamepad();
        const bool volumeGone = VolumeIndicatorExpired();
        if (ScreenshotsWritten()) Repaint();
        if (ScreenshotNoteExpired() || volumeGone) Show(false);
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

// The one message box; without a display it is the console line alone.
void CannotCreate() {
    std::cerr << "Can't create window." << std::endl;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Error", "Can't create window.", nullptr);
}

// A process that exits from inside the window thread (a library that gives
// up on an error) must not wait for that thread to end.
void WaitWindowEnded() {
    if (!windowThread.joinable()) return;
    if (windowThread.get_id() == std::this_thread::get_id())
        windowThread.detach();
    else
        windowThread.join();
}

} // namespace

void Internal::Repaint() {
    Show(true);
}

std::vector<uint32_t> Internal::WindowPixels(SDL_Point& size) {
    std::pair<std::vector<uint32_t>, SDL_Point> read{{}, {0, 0}};
    {
        std::lock_guard lock(bufferLock);
        if (!Active() || !PushUser(EV_READ, reinterpret_cast<intptr_t>(&read))) return {};
    }
    Sync();
    size = read.second;
    return std::move(read.first);
}

void Internal::WindowDestroyed() {
    windowDestroyed = true;
}

void Internal::DisplayLost() {
    displayLost = true;
}

namespace {

// The box, a pixel larger where the drawing may reach further, within the
// back buffer; empty (x0 > x1) outside it.
Box Clipped(const Box& b, Reach reach) {
    const Plane d = BackPlane();
    const int64_t m = reach == Reach::PIXEL_MORE ? 1 : 0;
    return {std::max<int64_t>(b.x0 - m, 0), std::max<int64_t>(b.y0 - m, 0),
            std::min<int64_t>(b.x1 + m, d.w - 1), std::min<int64_t>(b.y1 + m, d.h - 1)};
}

} // namespace

void Internal::ShowUnbuffered(const Box& b, Reach reach) {
    const Box c = Clipped(b, reach);
    if (c.x0 > c.x1 || c.y0 > c.y1) return;
    DrawnOverLaid(c);
    Touch(c);
    if (!buffering) PresentBox(c);
}

void Internal::ShowLaid(const Tiles& restored) {
    Touch(restored);
    if (!buffering) restored.ForEachBox(PresentBox);
}

void Internal::AskWindowSize(int32_t w, int32_t h) {
    std::lock_guard lock(bufferLock);
    if (Active()) PushUser(EV_RESIZE, w, h);
}

void ShowPointer(bool show) {
    pointerShown = show;
    {
        std::lock_guard lock(bufferLock);
        if (Active()) PushUser(EV_POINTER);
    }
    // Held N or M must not reach a level's first frame: the controllers
    // change their meaning before the game reads another key.
    if (LevelRuns(!show)) Sync();
}

void Internal::WarpPointer(int32_t x, int32_t y, int32_t& gameX, int32_t& gameY) {
    const SDL_Point at = WindowPoint(layout, x, y);
    SDL_WarpMouseInWindow(sdlWindow, at.x, at.y);
    SetMouse(at.x, at.y);
    const SDL_Point g = GamePoint(layout, at.x, at.y);
    gameX = g.x;
    gameY = g.y;
}

// ---------------------------------------------------------------- window

void SetStartFullscreen(bool on) {
    fullscreenThisRun = on;
}

void Window(const char* title_, uint32_t x, uint32_t y) {
    if (displayLost) {
        std::cerr << "Can't create window.\n"; // the display is gone for good
        return;
    }
    if (state.load(std::memory_order_acquire) == STATE_ACTIVE) KillWindow();
    WaitWindowEnded(); // closed by the player earlier
    static const bool closesAtExit = std::atexit(KillWindow) == 0;
    (void)closesAtExit;
    title = title_ ? title_ : "";
    xlen.store(x);
    ylen.store(y);
    closedByPlayer = false;
    closeAsked = false;
    windowDestroyed = false;
    {
        std::lock_guard lock(syncLock);
        windowEnded = false;
    }
    try {
        windowThread = std::thread(WinMain);
    } catch (const std::system_error&) {
        CannotCreate();
        title.clear();
        return;
    }
    state.wait(STATE_DEAD, std::memory_order_acquire);
    if (state.load(std::memory_order_acquire) != STATE_ERROR) return;
    windowThread.join();
    state.store(STATE_DEAD, std::memory_order_release);
    CannotCreate();
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
    WaitWindowEnded();
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

uint32_t RefreshRate() {
    return refreshRate.load();
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
        if (!PushUser(EV_SYNC, ticket)) return;
    }
    std::unique_lock lock(syncLock);
    syncSeenChanged.wait(lock, [ticket] { return syncSeen >= ticket || windowEnded; });
}

} // namespace Wimdows
