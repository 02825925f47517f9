// The window layer on SDL2. The window thread owns the SDL window, renderer and
// event loop; the main thread draws into a CPU back buffer (pixels 0x00RRGGBB)
// and presents it by copying it into the front buffer that the window thread
// uploads. One lock guards the back buffer, the picture table and the end of
// the window, so the window thread never frees what a drawing call is using.
#include "Wimdows.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "StandardLib.h"

namespace Wimdows {

namespace {

// ---------------------------------------------------------------- state

enum UserCode : int32_t { EV_PRESENT = 1, EV_WAKE = 2, EV_SYNC = 3 };

// Pictures bigger than this are refused rather than risking the process.
constexpr uint64_t MAX_PIXELS = uint64_t{1} << 26;

std::atomic<WinState> state{STATE_DEAD};
std::atomic<bool> closedByPlayer{false};
std::atomic<bool> closeAsked{false};
std::atomic<uint32_t> xlen{0};
std::atomic<uint32_t> ylen{0};
std::thread windowThread;
std::string title;
uint32_t userEvent = 0; // written by the window thread before it goes active

// Guarded by bufferLock.
std::mutex bufferLock;
std::vector<uint32_t> back;
bool buffering = false;

// The set pixels of a picture used as a mask, as runs [begin, end) per row:
// sprites are drawn every frame, their masks hardly ever change.
struct MaskRuns {
    std::vector<uint32_t> rowStart; // height + 1 indices into runs
    std::vector<std::pair<uint32_t, uint32_t>> runs;
};

struct Picture {
    std::vector<uint32_t> pixels;
    uint32_t width = 0;
    uint32_t height = 0;
    bool live = false;
    std::optional<MaskRuns> maskRuns; // made on first use as a mask, dropped on change
};
std::vector<Picture> pictures;

// The presented frame; the window thread uploads it to the texture.
std::mutex frontLock;
std::vector<uint32_t> front;
std::atomic<bool> presentPending{false};

// Owned by the window thread.
SDL_Window* sdlWindow = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* texture = nullptr;

// Input: key states are single values; the queue and the mouse position are guarded.
std::array<std::atomic<bool>, 256> keys{};
std::mutex inputLock;
std::deque<uint32_t> keyQueue;
int32_t mouseX = 0;
int32_t mouseY = 0;
std::atomic<bool> mouseLeft{false};
std::atomic<bool> mouseRight{false};
std::atomic<MouseProc> leftUpProc{nullptr};

// Sync markers: asked by the main thread, seen by the window thread.
std::mutex syncLock;
std::condition_variable syncSeenChanged;
int32_t syncAsked = 0;
int32_t syncSeen = 0;
bool windowEnded = false; // the window thread has released everything

// Text: main thread only.
struct FontStruct {
    uint32_t style = 0;
    uint32_t pixel = 0;
};
FontStruct font;
std::array<TTF_Font*, 6> fonts{};
bool ttfFailed = false;
bool ttfStarted = false; // our own TTF_Init, undone by CloseFonts

void Complain(const std::string& what, const char* detail) {
    std::cerr << "Wimdows: " << what << ": " << detail << '\n';
}

// ---------------------------------------------------------------- pixels

// 0x00BBGGRR <-> 0x00RRGGBB; the same swap both ways, top byte dropped.
uint32_t SwapRedBlue(uint32_t c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// A mask pixel is set when it is white-ish.
bool MaskSet(uint32_t p) {
    return (p & 0xFFu) + ((p >> 8) & 0xFFu) + ((p >> 16) & 0xFFu) >= 384;
}

struct Plane {
    uint32_t* px;
    int64_t w;
    int64_t h;
};

Plane BackPlane() {
    return {back.data(), xlen.load(std::memory_order_relaxed),
            ylen.load(std::memory_order_relaxed)};
}

Plane PicturePlane(Picture& p) {
    return {p.pixels.data(), p.width, p.height};
}

void Plot(const Plane& d, int64_t x, int64_t y, uint32_t pix) {
    if (x >= 0 && y >= 0 && x < d.w && y < d.h) d.px[y * d.w + x] = pix;
}

// Row y from xa to xb, both included.
void HLine(const Plane& d, int64_t y, int64_t xa, int64_t xb, uint32_t pix) {
    if (y < 0 || y >= d.h) return;
    xa = std::max<int64_t>(xa, 0);
    xb = std::min<int64_t>(xb, d.w - 1);
    if (xa <= xb) std::fill(d.px + y * d.w + xa, d.px + y * d.w + xb + 1, pix);
}

// Copies the w x h block at (sx, sy) of src to (dx, dy) of dst, clipped to both.
void Blit(const Plane& src, int64_t sx, int64_t sy, const Plane& dst, int64_t dx, int64_t dy,
          int64_t w, int64_t h) {
    const int64_t i0 = std::max({int64_t{0}, -sx, -dx});
    const int64_t j0 = std::max({int64_t{0}, -sy, -dy});
    const int64_t i1 = std::min({w, src.w - sx, dst.w - dx});
    const int64_t j1 = std::min({h, src.h - sy, dst.h - dy});
    if (i1 <= i0 || j1 <= j0) return;
    // Copies inside one picture may overlap: walk rows away from the overlap.
    const bool upwards = src.px == dst.px && dy > sy;
    for (int64_t n = 0; n < j1 - j0; ++n) {
        const int64_t j = upwards ? j1 - 1 - n : j0 + n;
        const uint32_t* s = src.px + (sy + j) * src.w + sx;
        uint32_t* d = dst.px + (dy + j) * dst.w + dx;
        std::memmove(d + i0, s + i0, static_cast<size_t>(i1 - i0) * sizeof(uint32_t));
    }
}

const MaskRuns& RunsOf(Picture& mask) {
    if (mask.maskRuns) return *mask.maskRuns;
    MaskRuns& m = mask.maskRuns.emplace();
    m.rowStart.reserve(mask.height + 1);
    for (uint32_t y = 0; y < mask.height; ++y) {
        m.rowStart.push_back(static_cast<uint32_t>(m.runs.size()));
        const uint32_t* row = mask.pixels.data() + size_t{y} * mask.width;
        for (uint32_t x = 0; x < mask.width;) {
            if (!MaskSet(row[x])) {
                ++x;
                continue;
            }
            const uint32_t begin = x;
            while (x < mask.width && MaskSet(row[x]))
                ++x;
            m.runs.emplace_back(begin, x);
        }
    }
    m.rowStart.push_back(static_cast<uint32_t>(m.runs.size()));
    return m;
}

// Copies the pixels of src that the mask sets to (dx, dy) of dst, clipped to
// dst and to the smaller of picture and mask.
void BlitMasked(const Plane& src, Picture& mask, const Plane& dst, int64_t dx, int64_t dy) {
    const MaskRuns& m = RunsOf(mask);
    const int64_t i0 = std::max(int64_t{0}, -dx);
    const int64_t j0 = std::max(int64_t{0}, -dy);
    const int64_t i1 = std::min({src.w, int64_t{mask.width}, dst.w - dx});
    const int64_t j1 = std::min({src.h, int64_t{mask.height}, dst.h - dy});
    for (int64_t j = j0; j < j1; ++j) {
        const uint32_t* s = src.px + j * src.w;
        uint32_t* d = dst.px + (dy + j) * dst.w + dx;
        for (uint32_t r = m.rowStart[j]; r < m.rowStart[j + 1]; ++r) {
            const int64_t a = std::max<int64_t>(m.runs[r].first, i0);
            const int64_t b = std::min<int64_t>(m.runs[r].second, i1);
            if (a < b) std::memcpy(d + a, s + a, static_cast<size_t>(b - a) * sizeof(uint32_t));
        }
    }
}

// ---------------------------------------------------------------- shapes

struct Box {
    int64_t x0, y0, x1, y1;
};

Box Ordered(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

void DrawRect(const Plane& d, const Box& b, uint32_t pix, bool fill) {
    const int64_t top = std::max(b.y0, int64_t{-1});
    const int64_t bottom = std::min(b.y1, d.h);
    for (int64_t y = top; y <= bottom; ++y) {
        if (fill || y == b.y0 || y == b.y1) {
            HLine(d, y, b.x0, b.x1, pix);
        } else {
            Plot(d, b.x0, y, pix);
            Plot(d, b.x1, y, pix);
        }
    }
}

// The ellipse inscribed in the half-open box [x0, x1) x [y0, y1): a pixel is
// inside when its centre is. Rows are spans of inside pixels.
struct EllipseShape {
    double cx, cy, a, b;
    int64_t y0, y1;
};

struct Span {
    int64_t l, r; // empty when l > r
};

EllipseShape MakeEllipse(const Box& box) {
    return {(box.x0 + box.x1) / 2.0,
            (box.y0 + box.y1) / 2.0,
            (box.x1 - box.x0) / 2.0,
            (box.y1 - box.y0) / 2.0,
            box.y0,
            box.y1};
}

Span EllipseSpan(const EllipseShape& e, int64_t y) {
    if (y < e.y0 || y >= e.y1 || e.a <= 0) return {1, 0};
    const double dy = (static_cast<double>(y) + 0.5 - e.cy) / e.b;
    const double t = 1.0 - dy * dy;
    if (t < 0) return {1, 0};
    const double dx = e.a * std::sqrt(t);
    return {static_cast<int64_t>(std::ceil(e.cx - dx - 0.5)),
            static_cast<int64_t>(std::floor(e.cx + dx - 0.5))};
}

void FillEllipse(const Plane& d, const EllipseShape& e, uint32_t pix) {
    for (int64_t y = std::max<int64_t>(e.y0, 0); y < std::min(e.y1, d.h); ++y) {
        const Span s = EllipseSpan(e, y);
        HLine(d, y, s.l, s.r, pix);
    }
}

// Calls plot(x, y) for every outline pixel on the buffer's rows: the inside
// pixels with a 4-neighbour outside.
template <class F> void EllipseOutline(const Plane& d, const EllipseShape& e, F&& plot) {
    for (int64_t y = std::max<int64_t>(e.y0, 0); y < std::min(e.y1, d.h); ++y) {
        const Span s = EllipseSpan(e, y);
        const Span up = EllipseSpan(e, y - 1);
        const Span down = EllipseSpan(e, y + 1);
        int64_t innerL = std::max({s.l + 1, up.l, down.l});
        int64_t innerR = std::min({s.r - 1, up.r, down.r});
        if (up.l > up.r || down.l > down.r) innerL = 1, innerR = 0; // edge row: all outline
        const int64_t from = std::max<int64_t>(s.l, 0);
        const int64_t to = std::min<int64_t>(s.r, d.w - 1);
        for (int64_t x = from; x <= to; ++x)
            if (x < innerL || x > innerR) plot(x, y);
    }
}

// Screen angle (counter-clockwise as seen) of (x, y) around (cx, cy), wrapped to [0, 2pi).
double Wrap(double a) {
    constexpr double TWO_PI = 6.283185307179586;
    a = std::fmod(a, TWO_PI);
    return a < 0 ? a + TWO_PI : a;
}

double ScreenAngle(double x, double y, double cx, double cy) {
    return std::atan2(cy - y, x - cx);
}

void DrawArc(const Plane& d, const Box& box, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
             uint32_t pix) {
    const EllipseShape e = MakeEllipse(box);
    const double start = ScreenAngle(x2, y2, e.cx, e.cy);
    const double sweep = Wrap(ScreenAngle(x3, y3, e.cx, e.cy) - start);
    EllipseOutline(d, e, [&](int64_t x, int64_t y) {
        // Equal rays give the whole ellipse.
        const double a = Wrap(ScreenAngle(x + 0.5, y + 0.5, e.cx, e.cy) - start);
        if (sweep == 0 || a <= sweep) Plot(d, x, y, pix);
    });
}

// A line with both end pixels; only the part over the buffer is walked.
void DrawLine(const Plane& d, int64_t xa, int64_t ya, int64_t xb, int64_t yb, uint32_t pix) {
    const int64_t dx = xb - xa;
    const int64_t dy = yb - ya;
    if (dx == 0 && dy == 0) return Plot(d, xa, ya, pix);
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const int64_t from =
        alongX ? std::max<int64_t>(std::min(xa, xb), 0) : std::max<int64_t>(std::min(ya, yb), 0);
    const int64_t to = alongX ? std::min<int64_t>(std::max(xa, xb), d.w - 1)
                              : std::min<int64_t>(std::max(ya, yb), d.h - 1);
    for (int64_t m = from; m <= to; ++m) {
        if (alongX) {
            const double y = ya + static_cast<double>(m - xa) * dy / dx;
            Plot(d, m, static_cast<int64_t>(std::floor(y + 0.5)), pix);
        } else {
            const double x = xa + static_cast<double>(m - ya) * dx / dy;
            Plot(d, static_cast<int64_t>(std::floor(x + 0.5)), m, pix);
        }
    }
}

// Nonzero winding fill, sampled at pixel centres.
void FillPolygon(const Plane& d, uint32_t n, const int32_t* x, const int32_t* y, const Box& bound,
                 std::vector<std::pair<double, int>>& cross, uint32_t pix) {
    for (int64_t row = std::max<int64_t>(bound.y0, 0); row <= std::min(bound.y1, d.h - 1); ++row) {
        const double yc = static_cast<double>(row) + 0.5;
        cross.clear();
        for (uint32_t i = 0; i < n; ++i) {
            const uint32_t j = (i + 1) % n;
            if ((y[i] <= yc) == (y[j] <= yc)) continue;
            const double t = (yc - y[i]) / (static_cast<double>(y[j]) - y[i]);
            cross.emplace_back(x[i] + t * (static_cast<double>(x[j]) - x[i]), y[j] > y[i] ? 1 : -1);
        }
        std::sort(cross.begin(), cross.end());
        int winding = 0;
        double start = 0;
        for (const auto& [cx, dir] : cross) {
            if (winding == 0) start = cx;
            winding += dir;
            if (winding == 0)
                HLine(d, row, static_cast<int64_t>(std::ceil(start - 0.5)),
                      static_cast<int64_t>(std::ceil(cx - 0.5)) - 1, pix);
        }
    }
}

// ---------------------------------------------------------------- presenting

bool Active() {
    return state.load(std::memory_order_acquire) == STATE_ACTIVE && !back.empty();
}

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

void ShowUnbuffered(const Box& b) {
    if (!buffering) PresentBox(b);
}

void PresentAll() {
    {
        std::lock_guard lock(frontLock);
        front = back;
    }
    RequestPresent();
}

// ---------------------------------------------------------------- window thread

void SetState(WinState s) {
    state.store(s, std::memory_order_release);
    state.notify_all();
}

void Repaint() {
    presentPending.store(false);
    {
        std::lock_guard lock(frontLock);
        if (front.empty()) return;
        SDL_UpdateTexture(texture, nullptr, front.data(),
                          static_cast<int>(xlen.load(std::memory_order_relaxed) * 4));
    }
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}

void ClosePlatform() {
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
    return true;
}

void ResetInput() {
    for (auto& k : keys)
        k.store(false, std::memory_order_relaxed);
    {
        std::lock_guard lock(inputLock);
        keyQueue.clear();
        mouseX = 0;
        mouseY = 0;
    }
    mouseLeft = false;
    mouseRight = false;
    leftUpProc = nullptr;
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

// Windows virtual-key code of an SDL key; 0 for keys the game cannot name.
uint32_t VirtualKey(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return 0x41 + static_cast<uint32_t>(k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return 0x30 + static_cast<uint32_t>(k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return 0x70 + static_cast<uint32_t>(k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return 0x61 + static_cast<uint32_t>(k - SDLK_KP_1);
    static const std::pair<SDL_Keycode, uint32_t> others[] = {
        {SDLK_BACKSPACE, 0x08},    {SDLK_TAB, 0x09},         {SDLK_RETURN, 0x0D},
        {SDLK_KP_ENTER, 0x0D},     {SDLK_LSHIFT, 0x10},      {SDLK_RSHIFT, 0x10},
        {SDLK_LCTRL, 0x11},        {SDLK_RCTRL, 0x11},       {SDLK_LALT, 0x12},
        {SDLK_RALT, 0x12},         {SDLK_PAUSE, 0x13},       {SDLK_CAPSLOCK, 0x14},
        {SDLK_ESCAPE, 0x1B},       {SDLK_SPACE, 0x20},       {SDLK_PAGEUP, 0x21},
        {SDLK_PAGEDOWN, 0x22},     {SDLK_END, 0x23},         {SDLK_HOME, 0x24},
        {SDLK_LEFT, 0x25},         {SDLK_UP, 0x26},          {SDLK_RIGHT, 0x27},
        {SDLK_DOWN, 0x28},         {SDLK_INSERT, 0x2D},      {SDLK_DELETE, 0x2E},
        {SDLK_KP_0, 0x60},         {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
        {SDLK_KP_MINUS, 0x6D},     {SDLK_KP_PERIOD, 0x6E},   {SDLK_KP_DIVIDE, 0x6F},
        {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},  {SDLK_SEMICOLON, 0xBA},
        {SDLK_EQUALS, 0xBB},       {SDLK_COMMA, 0xBC},       {SDLK_MINUS, 0xBD},
        {SDLK_PERIOD, 0xBE},       {SDLK_SLASH, 0xBF},       {SDLK_BACKQUOTE, 0xC0},
        {SDLK_LEFTBRACKET, 0xDB},  {SDLK_BACKSLASH, 0xDC},   {SDLK_RIGHTBRACKET, 0xDD},
        {SDLK_QUOTE, 0xDE}};
    for (const auto& [sym, vk] : others)
        if (sym == k) return vk;
    return 0;
}

void OnKey(const SDL_KeyboardEvent& e) {
    const uint32_t vk = VirtualKey(e.keysym.sym);
    if (vk == 0) return;
    keys[vk].store(e.type == SDL_KEYDOWN, std::memory_order_relaxed);
    if (e.type != SDL_KEYDOWN) return;
    std::lock_guard lock(inputLock);
    keyQueue.push_back(vk); // held keys repeat: every repeat queues again
}

// Positions are 16-bit unsigned: left of or above the window is 65536 minus the distance.
void SetMouse(int32_t x, int32_t y) {
    std::lock_guard lock(inputLock);
    mouseX = static_cast<uint16_t>(x);
    mouseY = static_cast<uint16_t>(y);
}

void OnButton(const SDL_MouseButtonEvent& e) {
    const bool down = e.type == SDL_MOUSEBUTTONDOWN;
    const bool left = e.button == SDL_BUTTON_LEFT;
    if (!left && e.button != SDL_BUTTON_RIGHT) return;
    // A second press within the double-click time is the double click, not a press.
    if (down && left && e.clicks % 2 == 0) return;
    std::atomic<bool>& self = left ? mouseLeft : mouseRight;
    const std::atomic<bool>& other = left ? mouseRight : mouseLeft;
    // The callbacks take no position: they read it from MousePos.
    SetMouse(e.x, e.y);
    self = down;
    if (!other) SDL_CaptureMouse(down ? SDL_TRUE : SDL_FALSE);
    const MouseProc proc = leftUpProc.load();
    if (!down && left && proc) proc();
}

void OnUser(const SDL_UserEvent& e) {
    if (e.code == EV_PRESENT) Repaint();
    if (e.code != EV_SYNC) return;
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
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        OnButton(e.button);
        break;
    default:
        if (e.type == userEvent) OnUser(e.user);
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
        if (!SDL_WaitEventTimeout(&e, PUMP_MS)) continue;
        if (!Handle(e)) break;
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

// ---------------------------------------------------------------- text

const char* const FONT_FILES[6] = {"DejaVuSans.ttf",          "DejaVuSans-Bold.ttf",
                                   "DejaVuSansMono-Bold.ttf", "DejaVuSans.ttf",
                                   "DejaVuSansMono.ttf",      "DejaVuSansMono.ttf"};
// Pixel sizes near the classic system fonts' cells; style 1 is as large as
// the result sheet allows: "Proficiat u staat op de" ends before x 395 and a
// two-digit rank within the 15 pixels before "de plaats".
const int FONT_SIZES[6] = {11, 10, 12, 12, 12, 11};

TTF_Font* Font(uint32_t style) {
    if (style > 5) style = 0;
    if (fonts[style] || ttfFailed) return fonts[style];
    if (!ttfStarted && TTF_Init() != 0) {
        Complain("cannot start the font library", TTF_GetError());
        ttfFailed = true;
        return nullptr;
    }
    ttfStarted = true;
    const std::string path = std::string(KT_DEJAVU_DIR) + "/" + FONT_FILES[style];
    fonts[style] = TTF_OpenFont(path.c_str(), FONT_SIZES[style]);
    if (!fonts[style]) {
        Complain("cannot open font " + path, TTF_GetError());
        ttfFailed = true;
        return nullptr;
    }
    TTF_SetFontHinting(fonts[style], TTF_HINTING_MONO);
    return fonts[style];
}

void CloseFonts() {
    for (auto& f : fonts) {
        if (f) TTF_CloseFont(f);
        f = nullptr;
    }
    if (ttfStarted) TTF_Quit();
    ttfStarted = false;
    ttfFailed = false;
}

// Glyph pixels only, in the font colour.
void DrawText(const Plane& d, const char* text, int32_t x, int32_t y) {
    TTF_Font* f = Font(font.style);
    if (!f || !text || !*text) return;
    SDL_Surface* s = TTF_RenderUTF8_Solid(f, text, SDL_Color{255, 255, 255, 255});
    if (!s) return;
    SDL_LockSurface(s);
    for (int row = 0; row < s->h; ++row) {
        const auto* src = static_cast<const uint8_t*>(s->pixels) + row * s->pitch;
        for (int col = 0; col < s->w; ++col)
            if (src[col] != 0) Plot(d, int64_t{x} + col, int64_t{y} + row, font.pixel);
    }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
}

// ---------------------------------------------------------------- pictures

bool SizeAllowed(uint32_t w, uint32_t h, const char* what) {
    if (w == 0 || h == 0) return false;
    if (uint64_t{w} * h <= MAX_PIXELS) return true;
    Complain(what,
             ("picture size refused: " + std::to_string(w) + " x " + std::to_string(h)).c_str());
    return false;
}

// The lowest free entry takes the picture; only without one does the table grow.
uint32_t AddBitmap(Picture&& pic) {
    pic.live = true;
    const auto free =
        std::find_if(pictures.begin(), pictures.end(), [](const Picture& p) { return !p.live; });
    if (free != pictures.end()) {
        *free = std::move(pic);
        return static_cast<uint32_t>(free - pictures.begin()) + 1;
    }
    pictures.push_back(std::move(pic));
    return static_cast<uint32_t>(pictures.size());
}

bool Valid(uint32_t h) {
    return h >= 1 && h <= pictures.size() && pictures[h - 1].live;
}

// Frees entry index del and trims the free entries at the table's end.
void DelBitmap(uint32_t del) {
    pictures[del] = Picture{};
    while (!pictures.empty() && !pictures.back().live)
        pictures.pop_back();
}

// rgb scaled to w x h with a smooth filter; rgb itself when the size matches.
SDL_Surface* Scaled(SDL_Surface* rgb, uint32_t w, uint32_t h) {
    if (static_cast<int>(w) == rgb->w && static_cast<int>(h) == rgb->h) return rgb;
    SDL_Surface* sized = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(w), static_cast<int>(h),
                                                        32, SDL_PIXELFORMAT_RGB888);
    if (sized && SDL_SoftStretchLinear(rgb, nullptr, sized, nullptr) == 0) return sized;
    SDL_FreeSurface(sized);
    return nullptr;
}

// The file's picture scaled to w x h (0 keeps the file's own size), as 0x00RRGGBB.
bool ReadPicture(const std::string& file, uint32_t w, uint32_t h, Picture& pic) {
    // Opened apart from the decoding, so that a missing file is reported as such.
    SDL_RWops* in = SDL_RWFromFile(StandardLib::PlatformPath(file).c_str(), "rb");
    if (!in) {
        Complain("cannot open picture \"" + file + "\"", SDL_GetError());
        return false;
    }
    SDL_Surface* raw = SDL_LoadBMP_RW(in, 1);
    SDL_Surface* rgb = raw ? SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB888, 0) : nullptr;
    SDL_FreeSurface(raw);
    if (!rgb) {
        Complain("cannot load picture \"" + file + "\"", SDL_GetError());
        return false;
    }
    w = w ? w : static_cast<uint32_t>(rgb->w);
    h = h ? h : static_cast<uint32_t>(rgb->h);
    if (!SizeAllowed(w, h, file.c_str())) {
        SDL_FreeSurface(rgb);
        return false;
    }
    SDL_Surface* sized = Scaled(rgb, w, h);
    if (sized) {
        pic.width = w;
        pic.height = h;
        pic.pixels.resize(size_t{w} * h);
        for (uint32_t row = 0; row < h; ++row)
            std::memcpy(pic.pixels.data() + size_t{row} * w,
                        static_cast<const uint8_t*>(sized->pixels) + row * sized->pitch, w * 4);
    } else {
        Complain("cannot scale picture \"" + file + "\"", SDL_GetError());
    }
    if (sized != rgb) SDL_FreeSurface(sized);
    SDL_FreeSurface(rgb);
    return sized != nullptr;
}

// ---------------------------------------------------------------- drawing calls

// Draws under the lock while the window is open; unbuffered, the box is shown at once.
template <class F> void DrawShape(const Box& box, F&& draw) {
    std::lock_guard lock(bufferLock);
    if (!Active()) return;
    draw(BackPlane());
    ShowUnbuffered(box);
}

void DrawEllipse(const Box& b, uint32_t color, bool fill) {
    const uint32_t pix = SwapRedBlue(color);
    const EllipseShape e = MakeEllipse(b);
    DrawShape(b, [&](const Plane& d) {
        if (fill)
            FillEllipse(d, e, pix);
        else
            EllipseOutline(d, e, [&](int64_t x, int64_t y) { Plot(d, x, y, pix); });
    });
}

Box BoxAround(int32_t x, int32_t y, uint32_t radius) {
    const int64_t r = radius;
    return {x - r, y - r, x + r, y + r};
}

} // namespace

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

// ---------------------------------------------------------------- input

bool KeyDown(uint32_t k) {
    return k < keys.size() && keys[k].load(std::memory_order_relaxed);
}

bool GetKeyPressed(uint32_t& key) {
    std::lock_guard lock(inputLock);
    if (keyQueue.empty()) return false;
    key = keyQueue.front();
    keyQueue.pop_front();
    return true;
}

void FlushKeys() {
    std::lock_guard lock(inputLock);
    keyQueue.clear();
}

void MousePos(int32_t& x, int32_t& y) {
    std::lock_guard lock(inputLock);
    x = mouseX;
    y = mouseY;
}

bool MouseLeft() {
    return mouseLeft.load();
}

void OnMouseLeftUp(MouseProc proc) {
    leftUpProc.store(proc);
}

// ---------------------------------------------------------------- primitives

void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color, bool fill) {
    const Box b = Ordered(x0, y0, x1, y1);
    DrawShape(b, [&](const Plane& d) { DrawRect(d, b, SwapRedBlue(color), fill); });
}

void Ellipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color, bool fill) {
    DrawEllipse(Ordered(x0, y0, x1, y1), color, fill);
}

void Arc(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
         int32_t y3, uint32_t color) {
    const Box b = Ordered(x0, y0, x1, y1);
    DrawShape(b, [&](const Plane& d) { DrawArc(d, b, x2, y2, x3, y3, SwapRedBlue(color)); });
}

void Circle(int32_t x0, int32_t y0, uint32_t radius, uint32_t color) {
    DrawEllipse(BoxAround(x0, y0, radius), color, false);
}

void Disc(int32_t x0, int32_t y0, uint32_t radius, uint32_t color) {
    DrawEllipse(BoxAround(x0, y0, radius), color, true);
}

void ClearScreen() {
    Rectangle(0, 0, static_cast<int32_t>(Width()), static_cast<int32_t>(Height()), 0, true);
}

void Polygon(uint32_t n, const int32_t* x, const int32_t* y, uint32_t color, bool fill) {
    if (n == 0 || !x || !y) return;
    std::vector<std::pair<double, int>> cross;
    try {
        cross.reserve(n);
    } catch (const std::bad_alloc&) {
        std::cout << "OUT OF MEMORY!! (In Wimdows)   " << std::endl;
        return;
    }
    Box bound{x[0], y[0], x[0], y[0]};
    for (uint32_t i = 1; i < n; ++i)
        bound = {std::min<int64_t>(bound.x0, x[i]), std::min<int64_t>(bound.y0, y[i]),
                 std::max<int64_t>(bound.x1, x[i]), std::max<int64_t>(bound.y1, y[i])};
    const uint32_t pix = SwapRedBlue(color);
    DrawShape(bound, [&](const Plane& d) {
        if (fill) FillPolygon(d, n, x, y, bound, cross, pix);
        for (uint32_t i = 0; i < n; ++i) {
            const uint32_t j = (i + 1) % n;
            DrawLine(d, x[i], y[i], x[j], y[j], pix);
        }
    });
}

// ---------------------------------------------------------------- text

void SetFont(uint32_t style, uint32_t color) {
    font.style = style;
    font.pixel = SwapRedBlue(color);
}

void Text(const char* text, int32_t x, int32_t y) {
    uint32_t w = 0, h = 0;
    GetTextSize(text, font.style, w, h);
    DrawShape({x, y, int64_t{x} + w - 1, int64_t{y} + h - 1},
              [&](const Plane& d) { DrawText(d, text, x, y); });
}

void TextInt(int32_t number, int32_t x, int32_t y) {
    Text(std::to_string(number).c_str(), x, y);
}

void TextCard(uint32_t number, int32_t x, int32_t y) {
    Text(std::to_string(number).c_str(), x, y);
}

void GetTextSize(const char* text, uint32_t style, uint32_t& width, uint32_t& height) {
    width = 0;
    height = 0;
    if (state.load(std::memory_order_acquire) != STATE_ACTIVE || !text) return;
    TTF_Font* f = Font(style);
    int w = 0, h = 0;
    if (!f || TTF_SizeUTF8(f, text, &w, &h) != 0) return;
    width = static_cast<uint32_t>(w);
    height = static_cast<uint32_t>(h);
}

// ---------------------------------------------------------------- pictures

uint32_t LoadBitmap(const char* file, uint32_t width, uint32_t height) {
    const std::string name = file ? file : "";
    Picture pic;
    try {
        if (!ReadPicture(name, width, height, pic)) return 0;
        std::lock_guard lock(bufferLock);
        return AddBitmap(std::move(pic));
    } catch (const std::bad_alloc&) {
        Complain("no memory for picture \"" + name + "\"", "out of memory");
        return 0;
    }
}

uint32_t CreateBitmap(uint32_t width, uint32_t height) {
    if (!SizeAllowed(width, height, "CreateBitmap")) return 0;
    try {
        Picture pic{std::vector<uint32_t>(size_t{width} * height), width, height, true, {}};
        std::lock_guard lock(bufferLock);
        return AddBitmap(std::move(pic));
    } catch (const std::bad_alloc&) {
        Complain("CreateBitmap", "out of memory");
        return 0;
    }
}

void DestroyBitmap(uint32_t bitmap) {
    std::lock_guard lock(bufferLock);
    if (Valid(bitmap)) DelBitmap(bitmap - 1);
}

void DrawBitmap(uint32_t bitmap, int32_t x, int32_t y) {
    std::lock_guard lock(bufferLock);
    if (!Active() || !Valid(bitmap)) return;
    Picture& p = pictures[bitmap - 1];
    Blit(PicturePlane(p), 0, 0, BackPlane(), x, y, p.width, p.height);
    ShowUnbuffered({x, y, int64_t{x} + p.width - 1, int64_t{y} + p.height - 1});
}

void DrawMaskBitmap(uint32_t bitmap, uint32_t maskbitmap, int32_t x, int32_t y) {
    std::lock_guard lock(bufferLock);
    if (!Active() || !Valid(bitmap) || !Valid(maskbitmap)) return;
    Picture& p = pictures[bitmap - 1];
    BlitMasked(PicturePlane(p), pictures[maskbitmap - 1], BackPlane(), x, y);
    ShowUnbuffered({x, y, int64_t{x} + p.width - 1, int64_t{y} + p.height - 1});
}

void CopyBitmap(uint32_t srcbitmap, uint32_t destbitmap, int32_t xsrc, int32_t ysrc, int32_t xdest,
                int32_t ydest, uint32_t width, uint32_t height) {
    std::lock_guard lock(bufferLock);
    if (!Valid(srcbitmap) || !Valid(destbitmap)) return;
    Picture& dest = pictures[destbitmap - 1];
    dest.maskRuns.reset();
    Blit(PicturePlane(pictures[srcbitmap - 1]), xsrc, ysrc, PicturePlane(dest), xdest, ydest, width,
         height);
}

uint32_t BitmapTableLength() {
    std::lock_guard lock(bufferLock);
    return static_cast<uint32_t>(pictures.size());
}

uint32_t GetPixel(int32_t x, int32_t y) {
    std::lock_guard lock(bufferLock);
    const Plane d = BackPlane();
    if (back.empty() || x < 0 || y < 0 || x >= d.w || y >= d.h) return 0;
    return SwapRedBlue(d.px[int64_t{y} * d.w + x]);
}

} // namespace Wimdows
