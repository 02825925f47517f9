// The picture table (handle h is entry h - 1, 0 means none), reading BMP files
// and copying pictures, masked or not.
#include "WimdowsInternal.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "StandardLib.h"

namespace Wimdows {

using namespace Internal;

std::vector<Internal::Picture> Internal::pictures;

namespace {

// A mask pixel is set when it is white-ish.
bool MaskSet(uint32_t p) {
    return (p & 0xFFu) + ((p >> 8) & 0xFFu) + ((p >> 16) & 0xFFu) >= 384;
}

Plane PicturePlane(Picture& p) {
    return {p.pixels.data(), p.width, p.height};
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
        ForEachRun(mask.pixels.data() + size_t{y} * mask.width, mask.width, MaskSet,
                   [&](int64_t begin, int64_t end) { m.runs.emplace_back(begin, end); });
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

// No picture, asked for or in a file, is larger than any screen by far.
bool SizeAllowed(uint64_t w, uint64_t h, const char* what) {
    if (w == 0 || h == 0) return false;
    if (w <= MAX_SIDE && h <= MAX_SIDE && w * h <= MAX_PIXELS) return true;
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

// The picture laid as the whole back buffer, and the boxes drawn over it
// since: a level lays its background under every frame, and only what was
// drawn over it needs copying again. Guarded by bufferLock.
uint32_t laid = 0;
Tiles overLaid;
Tiles putBack; // what a Lay puts back; kept for its room

// Frees entry index del and trims the free entries at the table's end.
void DelBitmap(uint32_t del) {
    if (laid == del + 1) ForgetLaid();
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

// The size a BMP file's header gives, read before decoding so that an absurd
// file is refused without being read whole; the position is left as it was.
// FALSE when there is no such header: the decoder then says what is wrong.
bool HeaderSize(SDL_RWops* in, uint64_t& w, uint64_t& h) {
    uint8_t head[26] = {};
    const Sint64 start = SDL_RWtell(in);
    const size_t got = SDL_RWread(in, head, 1, sizeof head);
    SDL_RWseek(in, start, RW_SEEK_SET);
    const auto le = [&](int at, int bytes) {
        uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = v << 8 | head[at + i];
        return v;
    };
    if (got < 22 || head[0] != 'B' || head[1] != 'M') return false;
    if (le(14, 4) == 12) { // the old OS/2 header: 16-bit sides
        w = le(18, 2);
        h = le(20, 2);
        return true;
    }
    if (got < sizeof head) return false;
    // A negative height means rows stored top-down.
    w = static_cast<uint64_t>(std::abs(int64_t{static_cast<int32_t>(le(18, 4))}));
    h = static_cast<uint64_t>(std::abs(int64_t{static_cast<int32_t>(le(22, 4))}));
    return true;
}

// The file's picture scaled to w x h (0 keeps the file's own size), as 0x00RRGGBB.
bool ReadPicture(const std::string& file, uint32_t w, uint32_t h, Picture& pic) {
    // Opened apart from the decoding, so that a missing file is reported as such.
    std::string reason;
    SDL_RWops* in = StandardLib::OpenStream(file, &reason);
    if (!in) {
        Complain("cannot open picture \"" + file + "\"", reason.c_str());
        return false;
    }
    uint64_t fileW = 0, fileH = 0;
    if (HeaderSize(in, fileW, fileH) && !SizeAllowed(fileW, fileH, file.c_str())) {
        SDL_RWclose(in);
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

// The picture as the whole back buffer; false for any other placing. Laid
// again, only the boxes drawn over it since are copied.
bool Lay(uint32_t bitmap, int32_t x, int32_t y) {
    Picture& p = pictures[bitmap - 1];
    const int64_t w = xlen.load(std::memory_order_relaxed);
    const int64_t h = ylen.load(std::memory_order_relaxed);
    if (x != 0 || y != 0 || p.width != w || p.height != h) return false;
    if (laid != bitmap) {
        laid = bitmap;
        overLaid.Resize(w, h);
    }
    // Where the back buffer is behind the presented frame it is put back too,
    // rather than first brought up to date and then put back. Only what was
    // drawn over the laid picture can differ from the presented frame.
    putBack = overLaid;
    TakeStale(putBack);
    const Plane d = BackPlane();
    putBack.ForEachBox([&](const Box& b) {
        Blit(PicturePlane(p), b.x0, b.y0, d, b.x0, b.y0, b.x1 - b.x0 + 1, b.y1 - b.y0 + 1);
    });
    ShowLaid(overLaid);
    overLaid.Clear();
    return true;
}

} // namespace

void Internal::DrawnOverLaid(const Box& b) {
    if (laid) overLaid.Mark(b);
}

void Internal::ForgetLaid() {
    laid = 0;
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
    if (Lay(bitmap, x, y)) return;
    Picture& p = pictures[bitmap - 1];
    Blit(PicturePlane(p), 0, 0, BackPlane(), x, y, p.width, p.height);
    ShowUnbuffered({x, y, int64_t{x} + p.width - 1, int64_t{y} + p.height - 1}, Reach::INSIDE);
}

void DrawMaskBitmap(uint32_t bitmap, uint32_t maskbitmap, int32_t x, int32_t y) {
    std::lock_guard lock(bufferLock);
    if (!Active() || !Valid(bitmap) || !Valid(maskbitmap)) return;
    Picture& p = pictures[bitmap - 1];
    BlitMasked(PicturePlane(p), pictures[maskbitmap - 1], BackPlane(), x, y);
    ShowUnbuffered({x, y, int64_t{x} + p.width - 1, int64_t{y} + p.height - 1}, Reach::INSIDE);
}

void CopyBitmap(uint32_t srcbitmap, uint32_t destbitmap, int32_t xsrc, int32_t ysrc, int32_t xdest,
                int32_t ydest, uint32_t width, uint32_t height) {
    std::lock_guard lock(bufferLock);
    if (!Valid(srcbitmap) || !Valid(destbitmap)) return;
    Picture& dest = pictures[destbitmap - 1];
    dest.maskRuns.reset();
    if (laid == destbitmap) ForgetLaid();
    Blit(PicturePlane(pictures[srcbitmap - 1]), xsrc, ysrc, PicturePlane(dest), xdest, ydest, width,
         height);
}

void GrabScreen(uint32_t bitmap) {
    std::lock_guard lock(bufferLock);
    if (!Active() || !Valid(bitmap)) return;
    Picture& p = pictures[bitmap - 1];
    p.maskRuns.reset();
    if (laid == bitmap) ForgetLaid();
    Blit(BackPlane(), 0, 0, PicturePlane(p), 0, 0, p.width, p.height);
}

uint32_t BitmapTableLength() {
    std::lock_guard lock(bufferLock);
    return static_cast<uint32_t>(pictures.size());
}

} // namespace Wimdows
