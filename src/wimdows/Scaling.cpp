// Where the game's picture goes in a window of any size, and back: the game
// draws and reads the mouse in its own pixels; only the presented frame scales.
#include <cmath>

#include "WimdowsInternal.h"

namespace Wimdows::Internal {

namespace {

// The largest w x h of the game's shape inside room, centred in it.
SDL_Rect Inside(int32_t gameW, int32_t gameH, int32_t roomW, int32_t roomH) {
    SDL_Rect r{0, 0, roomW, roomH};
    if (int64_t{roomW} * gameH <= int64_t{roomH} * gameW)
        r.h = static_cast<int>(int64_t{roomW} * gameH / gameW);
    else
        r.w = static_cast<int>(int64_t{roomH} * gameW / gameH);
    r.w = std::max(r.w, 1);
    r.h = std::max(r.h, 1);
    r.x = (roomW - r.w) / 2;
    r.y = (roomH - r.h) / 2;
    return r;
}

// One window coordinate (in points) to the game pixel under it; the pixel's
// centre decides, so that 1 x maps every point onto itself.
int32_t ToGame(int32_t p, int32_t points, int32_t pixels, int32_t at, int32_t size, int32_t game) {
    if (points <= 0 || size <= 0) return p;
    const double px = (p + 0.5) * pixels / points;
    return static_cast<int32_t>(std::floor((px - at) * game / size));
}

// The window point over the centre of game pixel g, the inverse of ToGame.
int32_t ToWindow(int32_t g, int32_t points, int32_t pixels, int32_t at, int32_t size,
                 int32_t game) {
    if (points <= 0 || pixels <= 0 || game <= 0) return g;
    const double px = at + (g + 0.5) * size / game;
    return static_cast<int32_t>(std::floor(px * points / pixels));
}

} // namespace

SDL_Point FittingSize(int32_t gameW, int32_t gameH, int32_t roomW, int32_t roomH) {
    if (gameW <= 0 || gameH <= 0) return {1, 1};
    const int32_t k = std::min(roomW / gameW, roomH / gameH);
    if (k >= 1) return {gameW * k, gameH * k};
    const SDL_Rect r = Inside(gameW, gameH, std::max(roomW, 1), std::max(roomH, 1));
    return {r.w, r.h};
}

Layout Fit(int32_t gameW, int32_t gameH, int32_t winW, int32_t winH, int32_t outW, int32_t outH) {
    Layout l{gameW, gameH, winW, winH, outW, outH, {0, 0, outW, outH}};
    if (gameW > 0 && gameH > 0 && outW > 0 && outH > 0) l.dst = Inside(gameW, gameH, outW, outH);
    return l;
}

bool WholeMultiple(const Layout& l) {
    return l.dst.w % l.gameW == 0 && l.dst.h % l.gameH == 0 &&
           l.dst.w / l.gameW == l.dst.h / l.gameH;
}

SDL_Point GamePoint(const Layout& l, int32_t x, int32_t y) {
    return {ToGame(x, l.winW, l.outW, l.dst.x, l.dst.w, l.gameW),
            ToGame(y, l.winH, l.outH, l.dst.y, l.dst.h, l.gameH)};
}

SDL_Point WindowPoint(const Layout& l, int32_t x, int32_t y) {
    return {ToWindow(x, l.winW, l.outW, l.dst.x, l.dst.w, l.gameW),
            ToWindow(y, l.winH, l.outH, l.dst.y, l.dst.h, l.gameH)};
}

} // namespace Wimdows::Internal
