// Text in the stock-font styles: SDL2_ttf over the DejaVu fonts, one face and
// size per style, glyph pixels only.
#include "WimdowsInternal.h"

#include <SDL_ttf.h>

#include <array>
#include <map>
#include <memory>
#include <mutex>

namespace Wimdows {

using namespace Internal;

namespace {

struct FontStruct {
    uint32_t style = 0;
    uint32_t pixel = 0;
};
FontStruct font;
std::array<TTF_Font*, 6> fonts{};
bool ttfFailed = false;
bool ttfStarted = false; // our own TTF_Init, undone by CloseFonts

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

// A text in a style: its measured size and its glyph pixels as runs
// [from, to) of a row. Kept, as a level draws the same few texts every frame
// and shaping them again costs far more than drawing them. Texts may be
// measured on any thread: textLock guards the fonts and what is kept.
struct Shaped {
    uint32_t w = 0, h = 0;
    struct Run {
        int32_t row, from, to;
    };
    std::vector<Run> runs;
};
std::mutex textLock;
std::map<std::pair<uint32_t, std::string>, std::shared_ptr<const Shaped>> shaped;
constexpr size_t MAX_SHAPED = 256;

void Glyphs(TTF_Font* f, const char* text, Shaped& t) {
    SDL_Surface* s = TTF_RenderUTF8_Solid(f, text, SDL_Color{255, 255, 255, 255});
    if (!s) return;
    SDL_LockSurface(s);
    for (int row = 0; row < s->h; ++row) {
        ForEachRun(
            static_cast<const uint8_t*>(s->pixels) + row * s->pitch, s->w,
            [](uint8_t p) { return p != 0; },
            [&](int64_t from, int64_t to) {
                t.runs.push_back({row, static_cast<int32_t>(from), static_cast<int32_t>(to)});
            });
    }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
}

// Null without a font or a text.
std::shared_ptr<const Shaped> Shape(const char* text, uint32_t style) {
    if (style > 5) style = 0;
    std::lock_guard lock(textLock);
    TTF_Font* f = Font(style);
    if (!f || !text) return nullptr;
    auto key = std::make_pair(style, std::string(text));
    if (const auto found = shaped.find(key); found != shaped.end()) return found->second;
    auto t = std::make_shared<Shaped>();
    int w = 0, h = 0;
    if (TTF_SizeUTF8(f, text, &w, &h) == 0) {
        t->w = static_cast<uint32_t>(w);
        t->h = static_cast<uint32_t>(h);
    }
    if (*text) Glyphs(f, text, *t);
    if (shaped.size() >= MAX_SHAPED) shaped.clear();
    shaped.emplace(std::move(key), t);
    return t;
}

// Glyph pixels only, in the font colour.
void DrawText(const Plane& d, const Shaped& t, int32_t x, int32_t y) {
    for (const Shaped::Run& r : t.runs)
        HLine(d, int64_t{y} + r.row, int64_t{x} + r.from, int64_t{x} + r.to - 1, font.pixel);
}

} // namespace

void Internal::CloseFonts() {
    std::lock_guard lock(textLock);
    shaped.clear();
    for (auto& f : fonts) {
        if (f) TTF_CloseFont(f);
        f = nullptr;
    }
    if (ttfStarted) TTF_Quit();
    ttfStarted = false;
    ttfFailed = false;
}

// ---------------------------------------------------------------- text

void SetFont(uint32_t style, uint32_t color) {
    font.style = style;
    font.pixel = SwapRedBlue(color);
}

void Text(const char* text, int32_t x, int32_t y) {
    if (state.load(std::memory_order_acquire) != STATE_ACTIVE) return;
    const std::shared_ptr<const Shaped> t = Shape(text, font.style);
    if (!t) return;
    DrawShape({x, y, int64_t{x} + t->w - 1, int64_t{y} + t->h - 1},
              [&](const Plane& d) { DrawText(d, *t, x, y); });
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
    if (state.load(std::memory_order_acquire) != STATE_ACTIVE) return;
    if (const std::shared_ptr<const Shaped> t = Shape(text, style)) {
        width = t->w;
        height = t->h;
    }
}

} // namespace Wimdows
