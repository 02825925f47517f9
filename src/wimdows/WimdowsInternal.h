// Shared state and helpers of the window layer's files; private to src/wimdows.
// One lock (bufferLock) guards the back buffer, the picture table and the end
// of the window, so the window thread never frees what a drawing call is using.
#pragma once

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Wimdows.h"

namespace Wimdows::Internal {

// Pictures bigger than this are refused rather than risking the process.
constexpr uint64_t MAX_PIXELS = uint64_t{1} << 26;
constexpr uint64_t MAX_SIDE = 16384;

// Window.cpp
extern std::atomic<WinState> state;
extern std::atomic<uint32_t> xlen;
extern std::atomic<uint32_t> ylen;
// Guarded by bufferLock.
extern std::mutex bufferLock;
extern std::vector<uint32_t> back;

void Complain(const std::string& what, const char* detail);

// 0x00BBGGRR <-> 0x00RRGGBB; the same swap both ways, top byte dropped.
inline uint32_t SwapRedBlue(uint32_t c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

struct Plane {
    uint32_t* px;
    int64_t w;
    int64_t h;
};

// Front.cpp, under bufferLock: the back buffer, brought up to date first
// where it shows an older frame than the one presented.
Plane BackPlane();

inline void Plot(const Plane& d, int64_t x, int64_t y, uint32_t pix) {
    if (x >= 0 && y >= 0 && x < d.w && y < d.h) d.px[y * d.w + x] = pix;
}

// Row y from xa to xb, both included.
inline void HLine(const Plane& d, int64_t y, int64_t xa, int64_t xb, uint32_t pix) {
    if (y < 0 || y >= d.h) return;
    xa = std::max<int64_t>(xa, 0);
    xb = std::min<int64_t>(xb, d.w - 1);
    if (xa <= xb) std::fill(d.px + y * d.w + xa, d.px + y * d.w + xb + 1, pix);
}

struct Box {
    int64_t x0, y0, x1, y1;
};

// Calls f(begin, end) for every run [begin, end) of a row's n pixels that
// `set` takes: masks and glyphs are drawn as such runs.
template <class P, class Set, class F> void ForEachRun(const P* row, int64_t n, Set set, F&& f) {
    for (int64_t x = 0; x < n;) {
        if (!set(row[x])) {
            ++x;
            continue;
        }
        const int64_t begin = x;
        while (x < n && set(row[x]))
            ++x;
        f(begin, x);
    }
}

// Tiles.cpp: which parts of a w x h picture were drawn since a moment, in
// tiles, so that sprites drawn over each other are put back and shown once
// and a crowded frame costs no more than its covered area.
class Tiles {
  public:
    static constexpr int64_t WIDE = 8, HIGH = 8; // pixels
    static constexpr int64_t GAP = 4;            // tiles
    // Everything marked.
    void Resize(int64_t w, int64_t h);
    void Mark(const Box& b); // clipped to the picture
    void MarkAll();
    void Mark(const Tiles& other); // what the other marks, of the same picture size
    void Clear();
    // The marked parts as boxes within the picture, a row of tiles at a
    // time. Marked tiles a short gap apart come as one box: copying a few
    // unmarked pixels costs less than another call, and they are equal on
    // both sides anyway.
    template <class F> void ForEachBox(F&& f) const {
        for (int64_t r = 0; r < rows_; ++r) {
            const uint64_t* row = bits_.data() + r * words_;
            int64_t c = Next(row, 0, true);
            while (c < cols_) {
                const int64_t c0 = c;
                int64_t end = Next(row, c, false); // one past the box's last marked tile
                c = Next(row, end, true);
                while (c < cols_ && c - end <= GAP) {
                    end = Next(row, c, false);
                    c = Next(row, end, true);
                }
                f(Box{c0 * WIDE, r * HIGH, std::min(end * WIDE, w_) - 1,
                      std::min((r + 1) * HIGH, h_) - 1});
            }
        }
    }

  private:
    // The first tile from c on that is marked (or not); cols_ when none.
    int64_t Next(const uint64_t* row, int64_t c, bool marked) const {
        for (int64_t w = c / 64; w < words_; ++w) {
            uint64_t bits = marked ? row[w] : ~row[w];
            if (w == c / 64) bits &= ~uint64_t{0} << (c % 64);
            if (bits) return std::min(cols_, w * 64 + std::countr_zero(bits));
        }
        return cols_;
    }
    void MarkRow(int64_t r, int64_t c0, int64_t c1); // both ends included

    int64_t w_ = 0, h_ = 0, cols_ = 0, rows_ = 0, words_ = 0;
    std::vector<uint64_t> bits_; // a bit a tile, rows_ rows of words_ words
};

inline bool Active() {
    return state.load(std::memory_order_acquire) == STATE_ACTIVE && !back.empty();
}

// How far a drawing may reach past the box it names: pictures and discs
// stay inside it, other shapes and text may reach a pixel further.
enum class Reach : uint8_t { INSIDE, PIXEL_MORE };

// Under bufferLock, after every draw into the back buffer: the box (both ends
// included) may now differ from the front buffer and from the picture laid
// as the whole back buffer. Unbuffered, the box is shown at once.
void ShowUnbuffered(const Box& b, Reach reach);
// The same for the parts of the laid picture put back.
void ShowLaid(const Tiles& restored);
// Pictures.cpp, under bufferLock: what ShowUnbuffered tells of a box drawn
// over the laid picture, and that the back buffer shows none (a new window).
void DrawnOverLaid(const Box& b);
void ForgetLaid();

// Draws under the lock while the window is open; unbuffered, the box is shown at once.
template <class F> void DrawShape(const Box& box, F&& draw, Reach reach = Reach::PIXEL_MORE) {
    std::lock_guard lock(bufferLock);
    if (!Active()) return;
    draw(BackPlane());
    ShowUnbuffered(box, reach);
}

// Pictures.cpp: the set pixels of a picture used as a mask, as runs [begin, end) per row:
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
extern std::vector<Picture> pictures; // guarded by bufferLock

// Scaling.cpp: the game's gameW x gameH picture in a window of winW x winH
// points and outW x outH pixels (more pixels than points on a HiDPI display).
struct Layout {
    int32_t gameW, gameH, winW, winH, outW, outH;
    SDL_Rect dst; // the picture in output pixels; black bars around it
};
Layout Fit(int32_t gameW, int32_t gameH, int32_t winW, int32_t winH, int32_t outW, int32_t outH);
// The picture sharp (a whole multiple of the game's size) or smoothed.
bool WholeMultiple(const Layout& l);
// The game pixel under a window point; outside the picture it lies outside the game.
SDL_Point GamePoint(const Layout& l, int32_t x, int32_t y);
// The window point over the centre of a game pixel.
SDL_Point WindowPoint(const Layout& l, int32_t x, int32_t y);
// The window size for a room: the largest whole multiple of the game's size
// that fits, or the largest size below 1 x.
SDL_Point FittingSize(int32_t gameW, int32_t gameH, int32_t roomW, int32_t roomH);
// Stretch.cpp: the game's frame of at least 2 x 2 smoothed to another size a
// window row at a time, as SDL's linear scaler draws it.
class Stretcher {
  public:
    void Fit(int32_t inW, int32_t inH, int32_t outW, int32_t outH);
    // Whether window row `row` reads any game row marked in `changed`.
    bool Reads(int32_t row, const std::vector<uint8_t>& changed) const;
    void Row(const uint32_t* frame, int32_t row, uint32_t* out);

  private:
    struct Tap {
        int32_t index;  // the first of the two source samples read
        int32_t weight; // the second one's, of 128
    };
    static std::vector<Tap> Taps(int32_t in, int32_t out);

    int32_t inW_ = 0, inH_ = 0;
    std::vector<Tap> columns_, rows_;
    std::vector<uint16_t> between_; // a row between two source rows, four channels a pixel
};

// Window.cpp: the window's layout, on the window thread only; none yet
// (positions pass unchanged) until the window has a size. Mouse positions
// arrive in window points and are kept in game pixels through it.
extern Layout layout;

// Window.cpp: the window thread gives the window this size, as the player
// would by dragging its border (for tests of the presentation).
void AskWindowSize(int32_t w, int32_t h);

// Window.cpp: the window was destroyed by another program; the window thread
// ends it as the close box would.
void WindowDestroyed();
// The display is gone (the X server ended or killed the connection): the
// window thread ends the window as the close box would, without SDL's video.
void DisplayLost();

// DisplayLoss.cpp: on X11, the connection's fatal errors end the window in
// order instead of the process. Called on the window thread for a new window.
void WatchDisplay(SDL_Window* window);

// Input.cpp: the window thread's handlers.
void ResetInput();
// Every key and button up, the key queue empty: the window lost the focus.
void ReleaseInput();
void OnKey(const SDL_KeyboardEvent& e);
void SetMouse(int32_t x, int32_t y);     // a window point
void SetGameMouse(int32_t x, int32_t y); // a game pixel
void OnButton(const SDL_MouseButtonEvent& e);
// The sources of input, as bits: a key or the left button is down while any
// source holds it. A press queues the key and counts; a release that clicks
// runs the left-up callback.
enum Source : uint8_t { FROM_KEYBOARD = 1, FROM_MOUSE = 2 };
void HoldKey(uint32_t vk, Source from, bool down);
void HoldLeft(Source from, bool down, bool click);

// Events.cpp, on the window thread: watching the queue from the window's
// opening (false when SDL has no user event left for the game) to its close.
bool WatchEvents();
void UnwatchEvents();
// The next batch of events, n of them; none after a short wait for a wake-up.
const SDL_Event* NextEvents(int& n);
// SDL drops what comes when its queue is full; a close among it must still end the window.
bool QuitDropped();
// Under bufferLock with the window active, so the queue is alive: a request
// of the game's to the window thread, which it wakes.
bool PushUser(int32_t code, intptr_t a = 0, intptr_t b = 0);
bool IsUserEvent(const SDL_Event& e);

// Window.cpp, on the window thread: shows the presented frame again.
void Repaint();
// Window.cpp: asks the window thread to show the front buffer's changes.
void RequestPresent();

// Front.cpp: the front buffer. Under bufferLock: made anew for a back buffer
// of w x h (all of it shown on the next present), or released.
void MakeFront(uint32_t w, uint32_t h);
void FreeFront();
// Under bufferLock: the box (both ends included) drawn into the back buffer.
void Touch(const Box& b);
void Touch(const Tiles& t);
// Under bufferLock: the parts where the back buffer is behind added to
// `into`, and the back buffer no longer counted as behind: for a caller
// about to put back all of `into` itself.
void TakeStale(Tiles& into);
// Under bufferLock: the box, within the back buffer, copied to the front
// buffer and shown at once.
void PresentBox(const Box& b);
// Under bufferLock: what was drawn since the last present shown, the two
// buffers swapped.
void PresentAll();
// On the window thread: the front buffer's changed rows (every row when
// `whole`) into the window; false when there is nothing to show.
bool DrawFront(bool whole);
// The presented frame's pixels (0x00RRGGBB, the game's size).
std::vector<uint32_t> ShownFrame();
// How many frames the window thread has presented, for tests.
uint64_t FramesShown();
// For tests: the pixels the window shows (0x00RRGGBB, its output size), read
// on the window thread.
std::vector<uint32_t> WindowPixels(SDL_Point& size);

// Present.cpp, on the window thread: the window's picture, through SDL's
// renderer where there is a GPU, else straight into the window surface
// (changed rows only, our own doubling for whole multiples). The settings'
// `present` overrides the choice. Both show the same pixels in the same layout.
enum class PresentPath : uint8_t { RENDERER, SURFACE };
// False when the window can show nothing at all.
bool OpenPresenter(SDL_Window* window, int32_t gameW, int32_t gameH);
void ClosePresenter();
PresentPath Presenting();
SDL_Point OutputSize(); // the window's size in output pixels
void PresenterLayout(const Layout& l);
// Puts the frame's rows flagged in `changed` (every row when `whole`: a new
// layout, an exposed window) into the window and clears the flags; true when
// there is anything to show. ShowFrame then shows it, without the frame.
bool DrawFrame(const Layout& l, const uint32_t* frame, std::vector<uint8_t>& changed, bool whole);
void ShowFrame(const Layout& l);
std::vector<uint32_t> PresentedPixels(SDL_Point& size);
// Puts the pointer at (x, y) in game pixels, through the window's mapping,
// and tells the game pixels the game now reads there.
void WarpPointer(int32_t x, int32_t y, int32_t& gameX, int32_t& gameY);

// Gamepad.cpp: game controllers on the window thread.
void OpenGamepads();
void CloseGamepads();
// A level runs (the pointer is hidden) or not; true when that changed.
bool LevelRuns(bool runs);
// The focus went (what the controllers held is let go, their buttons spent)
// or came back (a stick still pushed holds its direction again).
void GamepadFocus(bool has);
bool OnGamepadEvent(const SDL_Event& e); // false for any other event
void SyncGamepads();                     // follows every change made before the call
void MovePointerByGamepad();             // after every event or pause
void PointerMoved(SDL_Point game);       // the mouse moved

// VolumeIndicator.cpp
bool OnVolumeKey(const SDL_KeyboardEvent& e); // true for a volume key
void DrawVolumeIndicator(SDL_Renderer* renderer, const SDL_FRect& game);
bool VolumeIndicatorExpired(); // once, when it is to disappear

// Shapes over the presented picture, in the pixels of a game of 800.
struct Painter {
    SDL_Renderer* r;
    SDL_FRect game;
    float unit; // one pixel of a game of 800

    void Fill(float x, float y, float w, float h, SDL_Color c) const;
    void Triangle(float x0, float y0, float x1, float y1, float x2, float y2, SDL_Color c) const;
    // A line as a thin quad.
    void Line(float x0, float y0, float x1, float y1, float width, SDL_Color c) const;
    // A filled disc as a fan of triangles.
    void Disc(float cx, float cy, float radius, SDL_Color c) const;
};

// A note over the presented picture for a moment (window thread only).
struct Overlay {
    SDL_FRect area;          // what it covers, in the pixels of a game of 800
    uint64_t shownUntil = 0; // 0: not shown
    void Show(uint64_t ms) { shownUntil = SDL_GetTicks64() + ms; }
    bool Shown() const { return shownUntil != 0; }
    // What it covers in output pixels over the game's picture at `game`, and a pixel more.
    SDL_Rect Box(const SDL_FRect& game) const;
    // True once, when it is to disappear.
    bool Expired();
    // While shown, `draw` paints it, blended over the picture of the game's place.
    void Draw(SDL_Renderer* renderer, const SDL_FRect& game, void (*draw)(const Painter&)) const;
};

// Screenshot.cpp, on the window thread: F12 writes the presented frame,
// finished by the next Sync or the window's end. Once written, the note shows
// (true: the window is to be drawn again).
void SaveScreenshot();
void FinishScreenshots();
bool ScreenshotsWritten();
void DrawScreenshotNote(SDL_Renderer* renderer, const SDL_FRect& game);
bool ScreenshotNoteExpired(); // once, when it is to disappear

// The notes over the picture, for presenting them (VolumeIndicator.cpp, Screenshot.cpp).
Overlay& VolumeIndicator();
Overlay& ScreenshotNote();

// Text.cpp
void CloseFonts();

} // namespace Wimdows::Internal
