// The window's picture, two ways. Where there is a GPU, SDL's renderer scales
// a texture. Where the renderer would be a software rasteriser (Mesa's
// llvmpipe, softpipe, swrast, or SDL's own), drawing the whole window through
// it every frame costs several times the game itself: the rows that changed go
// straight into the window surface instead, whole multiples doubled by our own
// loop, other sizes smoothed only where they read a changed row, as SDL's
// linear scaler draws them. Both show the same pixels.
#include <dirent.h>
#include <unistd.h>

#include <cctype>
#include <cstring>
#include <string>

#include "Settings.h"
#include "WimdowsInternal.h"

namespace Wimdows::Internal {

namespace {

// Window thread only.
SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr; // the renderer path
SDL_Texture* texture = nullptr;
SDL_Surface* surface = nullptr;  // the surface path: the one last drawn into
SDL_Renderer* overlay = nullptr; // SDL's software renderer over it, for the notes over the picture
int32_t gameW = 0, gameH = 0;
bool notesDrawn = false;     // the last frame carries a note over the picture
std::vector<SDL_Rect> shown; // the surface's rectangles drawn since the last update
Stretcher stretcher;

// A GPU's device node: without one, any OpenGL is a software rasteriser.
bool GpuDevice() {
    if (SDL_getenv("LIBGL_ALWAYS_SOFTWARE")) return false;
    bool found = access("/dev/nvidia0", F_OK) == 0;
    if (DIR* dri = opendir("/dev/dri")) {
        while (const dirent* e = readdir(dri))
            found = found || std::strncmp(e->d_name, "card", 4) == 0 ||
                    std::strncmp(e->d_name, "renderD", 7) == 0;
        closedir(dri);
    }
    return found;
}

bool SoftwareRasteriser(SDL_Renderer* r) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(r, &info) != 0 || std::strcmp(info.name, "software") == 0) return true;
    if (std::strncmp(info.name, "opengl", 6) != 0) return false;
    // The renderer's context is current on this thread.
    using GetString = const unsigned char* (*)(unsigned);
    constexpr unsigned GL_RENDERER = 0x1F01;
    const auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = get ? get(GL_RENDERER) : nullptr;
    std::string lower = name ? reinterpret_cast<const char*>(name) : "";
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* soft : {"llvmpipe", "softpipe", "swrast"})
        if (lower.find(soft) != std::string::npos) return true;
    return false;
}

void DropRenderer() {
    if (texture) SDL_DestroyTexture(texture);
    if (renderer) SDL_DestroyRenderer(renderer);
    texture = nullptr;
    renderer = nullptr;
}

void DropOverlay() {
    if (overlay) SDL_DestroyRenderer(overlay);
    overlay = nullptr;
}

// Presents wait for the display's refresh where the driver can do it; SDL's
// own software renderer could only imitate it with a sleep, and the game's
// pacing already caps the frames at the display's rate.
void AskVSync() {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) == 0 && std::strcmp(info.name, "software") != 0)
        SDL_RenderSetVSync(renderer, 1); // refused: the cap of the pacing stays all there is
}

// The renderer and its texture; none when asked for the surface, or when the
// choice is left to us and the renderer would draw on the CPU.
void OpenRenderer(Settings::Present asked) {
    if (asked == Settings::Present::SURFACE) return;
    if (asked == Settings::Present::AUTO && !GpuDevice()) return;
    renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer && asked == Settings::Present::AUTO && SoftwareRasteriser(renderer))
        DropRenderer();
    if (renderer)
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                    gameW, gameH);
    if (!texture) DropRenderer(); // the surface still shows the picture
    if (renderer) AskVSync();
}

// The next run [first, last) of changed rows from `from` on; false when there is none.
bool NextRun(const std::vector<uint8_t>& changed, int32_t& from, int32_t& first, int32_t& last) {
    const int32_t n = static_cast<int32_t>(changed.size());
    while (from < n && !changed[from])
        ++from;
    if (from == n) return false;
    first = from;
    while (from < n && changed[from])
        ++from;
    last = from;
    return true;
}

// The notes over the picture: the volume indicator and the screenshot's camera.
struct Note {
    Overlay& (*overlay)();
    void (*draw)(SDL_Renderer*, const SDL_FRect&);
};
const Note NOTES[] = {{VolumeIndicator, DrawVolumeIndicator}, {ScreenshotNote, DrawScreenshotNote}};

bool NotesShown() {
    return std::any_of(std::begin(NOTES), std::end(NOTES),
                       [](const Note& n) { return n.overlay().Shown(); });
}

SDL_FRect Place(const Layout& l) {
    return {static_cast<float>(l.dst.x), static_cast<float>(l.dst.y), static_cast<float>(l.dst.w),
            static_cast<float>(l.dst.h)};
}

void DrawNotes(SDL_Renderer* r, const Layout& l) {
    notesDrawn = NotesShown();
    for (const Note& n : NOTES)
        n.draw(r, Place(l));
}

// The game rows under every note, which the picture is to cover again.
void MarkNoteRows(const Layout& l, std::vector<uint8_t>& changed) {
    for (const Note& n : NOTES) {
        const SDL_Rect box = n.overlay().Box(Place(l));
        const int64_t top = int64_t{box.y - l.dst.y} * gameH / l.dst.h - 1;
        const int64_t bottom = int64_t{box.y + box.h - l.dst.y} * gameH / l.dst.h + 1;
        for (int64_t y = std::max<int64_t>(top, 0); y <= bottom && y < gameH; ++y)
            changed[y] = 1;
    }
}

// Rows [first, last) of the frame at k times their size, each game pixel a
// k x k block: the window shows a whole multiple of the game far most often.
void Multiply(const uint32_t* frame, int32_t first, int32_t last, const SDL_Rect& d, int32_t k) {
    for (int32_t y = first; y < last; ++y) {
        const uint32_t* in = frame + int64_t{y} * gameW;
        auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                int64_t{d.y + y * k} * surface->pitch) +
                    d.x;
        if (k == 1) {
            std::memcpy(out, in, size_t(gameW) * 4);
            continue;
        }
        if (k == 2)
            for (int32_t x = 0; x < gameW; ++x)
                out[2 * x] = out[2 * x + 1] = in[x];
        else
            for (int32_t x = 0; x < gameW; ++x)
                std::fill_n(out + int64_t{x} * k, k, in[x]);
        for (int32_t r = 1; r < k; ++r)
            std::memcpy(reinterpret_cast<uint8_t*>(out) + int64_t{r} * surface->pitch, out,
                        size_t(d.w) * 4);
    }
}

// Other sizes in other formats, or a game too small to smooth by rows: the
// whole frame through SDL's scaler.
void StretchWhole(const uint32_t* frame, const SDL_Rect& d) {
    SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(frame), gameW, gameH, 32, gameW * 4, SDL_PIXELFORMAT_RGB888);
    if (!src) return;
    SDL_Rect to = d;
    if (surface->format->format == SDL_PIXELFORMAT_RGB888)
        SDL_SoftStretchLinear(src, nullptr, surface, &to);
    else
        SDL_BlitScaled(src, nullptr, surface, &to);
    SDL_FreeSurface(src);
}

// The window rows that read a changed game row, as SDL's linear scaler would
// draw them, in the surface's own format.
void StretchRows(const uint32_t* frame, const std::vector<uint8_t>& changed, const SDL_Rect& d) {
    stretcher.Fit(gameW, gameH, d.w, d.h);
    auto* rows = static_cast<uint8_t*>(surface->pixels) + int64_t{d.y} * surface->pitch + d.x * 4;
    for (int32_t y = 0; y < d.h; ++y) {
        if (!stretcher.Reads(y, changed)) continue;
        stretcher.Row(frame, y, reinterpret_cast<uint32_t*>(rows + int64_t{y} * surface->pitch));
        const int32_t at = d.y + y;
        if (!shown.empty() && shown.back().x == d.x && shown.back().w == d.w &&
            shown.back().y + shown.back().h == at)
            ++shown.back().h;
        else
            shown.push_back({d.x, at, d.w, 1});
    }
}

void DrawSurfaceNotes(const Layout& l) {
    notesDrawn = NotesShown();
    if (!notesDrawn) return;
    if (!overlay) overlay = SDL_CreateSoftwareRenderer(surface);
    if (!overlay) return;
    DrawNotes(overlay, l);
    SDL_RenderFlush(overlay);
    for (const Note& n : NOTES) {
        SDL_Rect box = n.overlay().Box(Place(l));
        if (n.overlay().Shown() && SDL_IntersectRect(&box, &l.dst, &box)) shown.push_back(box);
    }
}

// False when the surface does not hold the layout: a new size whose layout is
// still to come (its event is behind this frame's); the rows wait for it.
bool DrawSurface(const Layout& l, const uint32_t* frame, std::vector<uint8_t>& changed,
                 bool whole) {
    SDL_Surface* now = SDL_GetWindowSurface(window);
    const SDL_Rect& d = l.dst;
    if (!now || now->format->BytesPerPixel != 4 || d.w <= 0 || d.h <= 0 || d.x < 0 || d.y < 0 ||
        d.x + d.w > now->w || d.y + d.h > now->h)
        return false;
    if (now != surface) { // a new size, or the first frame
        DropOverlay();
        surface = now;
        whole = true;
    }
    if (whole) {
        SDL_FillRect(surface, nullptr, 0);
        shown.push_back({0, 0, surface->w, surface->h});
        std::fill(changed.begin(), changed.end(), 1);
    }
    if (notesDrawn) MarkNoteRows(l, changed);
    const bool own = surface->format->format == SDL_PIXELFORMAT_RGB888;
    const bool sharp = own && WholeMultiple(l);
    const int32_t k = l.dst.w / gameW;
    int32_t from = 0, first = 0, last = 0;
    if (!sharp && own && gameW >= 2 && gameH >= 2)
        StretchRows(frame, changed, l.dst);
    else if (!sharp && NextRun(changed, from, first, last)) {
        StretchWhole(frame, l.dst);
        shown.push_back(l.dst);
    }
    from = 0;
    while (sharp && NextRun(changed, from, first, last)) {
        Multiply(frame, first, last, l.dst, k);
        shown.push_back({l.dst.x, l.dst.y + first * k, l.dst.w, (last - first) * k});
    }
    DrawSurfaceNotes(l);
    return true;
}

// The texture takes the rows from the first changed one to the last one.
bool DrawRenderer(const uint32_t* frame, std::vector<uint8_t>& changed, bool whole) {
    if (whole) std::fill(changed.begin(), changed.end(), 1);
    int32_t from = 0, first = 0, last = 0;
    const bool any = NextRun(changed, from, first, last);
    const int32_t top = first;
    while (NextRun(changed, from, first, last)) {
    }
    if (any) {
        const SDL_Rect rows{0, top, gameW, last - top};
        SDL_UpdateTexture(texture, &rows, frame + int64_t{top} * gameW, gameW * 4);
    }
    return any || whole || notesDrawn || NotesShown();
}

void ShowRenderer(const Layout& l) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, &l.dst);
    DrawNotes(renderer, l);
    SDL_RenderPresent(renderer);
}

} // namespace

bool OpenPresenter(SDL_Window* w, int32_t gw, int32_t gh) {
    window = w;
    gameW = gw;
    gameH = gh;
    surface = nullptr;
    // A new window starts without the last one's notes.
    notesDrawn = false;
    for (const Note& n : NOTES)
        n.overlay().shownUntil = 0;
    // The window surface is the display's own (shared memory on X11), not a
    // texture that SDL would draw through OpenGL again.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    OpenRenderer(Settings::Current().present);
    return renderer != nullptr || SDL_GetWindowSurface(window) != nullptr;
}

void ClosePresenter() {
    DropOverlay();
    DropRenderer();
    surface = nullptr;
    window = nullptr;
}

PresentPath Presenting() {
    return renderer ? PresentPath::RENDERER : PresentPath::SURFACE;
}

SDL_Point OutputSize() {
    SDL_Point size{0, 0};
    if (!renderer || SDL_GetRendererOutputSize(renderer, &size.x, &size.y) != 0)
        SDL_GetWindowSizeInPixels(window, &size.x, &size.y);
    return size;
}

void PresenterLayout(const Layout& l) {
    // A new size frees the window surface; the next frame takes the new one.
    DropOverlay();
    surface = nullptr;
    if (texture)
        SDL_SetTextureScaleMode(texture,
                                WholeMultiple(l) ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
}

bool DrawFrame(const Layout& l, const uint32_t* frame, std::vector<uint8_t>& changed, bool whole) {
    if (changed.size() != size_t(gameH)) changed.assign(size_t(gameH), 1);
    if (!renderer && !DrawSurface(l, frame, changed, whole)) return false;
    const bool any = renderer ? DrawRenderer(frame, changed, whole) : !shown.empty();
    std::fill(changed.begin(), changed.end(), 0);
    return any;
}

void ShowFrame(const Layout& l) {
    if (renderer) {
        ShowRenderer(l);
        return;
    }
    if (surface && !shown.empty())
        SDL_UpdateWindowSurfaceRects(window, shown.data(), static_cast<int>(shown.size()));
    shown.clear();
}

std::vector<uint32_t> PresentedPixels(SDL_Point& size) {
    size = OutputSize();
    std::vector<uint32_t> px(size_t(std::max(size.x, 0)) * size_t(std::max(size.y, 0)));
    if (px.empty()) return px;
    if (renderer) {
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, px.data(), size.x * 4);
    } else if (SDL_Surface* s = SDL_GetWindowSurface(window);
               s && s->w == size.x && s->h == size.y) {
        SDL_ConvertPixels(s->w, s->h, s->format->format, s->pixels, s->pitch,
                          SDL_PIXELFORMAT_RGB888, px.data(), size.x * 4);
    }
    for (uint32_t& p : px)
        p &= 0xFFFFFFu;
    return px;
}

} // namespace Wimdows::Internal
