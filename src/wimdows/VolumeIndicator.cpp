// The volume keys and their indicator. Minus and plus (the keypad's too) step
// the master volume, 0 mutes and unmutes, on every screen. The indicator is
// drawn by the window thread over the presented picture for about a second,
// never into the game's back buffer.
#include "WimdowsInternal.h"

#include <cmath>

#include "Music.h"

namespace Wimdows {

using namespace Internal;

namespace {

constexpr uint64_t SHOWN_MS = 1200;

// Window thread only.
uint64_t shownUntil = 0; // 0: not shown

int Step(SDL_Keycode sym) {
    switch (sym) {
    case SDLK_MINUS:
    case SDLK_KP_MINUS:
        return -1;
    case SDLK_PLUS:
    case SDLK_EQUALS: // plus without shift on most layouts
    case SDLK_KP_PLUS:
        return 1;
    default:
        return 0;
    }
}

struct Painter {
    SDL_Renderer* r;
    SDL_FRect game;
    float unit; // one pixel of a game of 800

    void Fill(float x, float y, float w, float h, SDL_Color c) const {
        SDL_SetRenderDrawColor(r, c.r, c.g, c.b, c.a);
        const SDL_FRect box{game.x + x * unit, game.y + y * unit, w * unit, h * unit};
        SDL_RenderFillRectF(r, &box);
    }
    void Triangle(float x0, float y0, float x1, float y1, float x2, float y2, SDL_Color c) const {
        auto at = [&](float x, float y) {
            return SDL_Vertex{{game.x + x * unit, game.y + y * unit}, c, {0, 0}};
        };
        const SDL_Vertex v[3] = {at(x0, y0), at(x1, y1), at(x2, y2)};
        SDL_RenderGeometry(r, nullptr, v, 3, nullptr, 0);
    }
    // A line as a thin quad, for the mute cross.
    void Line(float x0, float y0, float x1, float y1, float width, SDL_Color c) const {
        const float dx = x1 - x0, dy = y1 - y0;
        const float len = std::max(std::hypot(dx, dy), 1e-3f);
        const float nx = -dy / len * width / 2, ny = dx / len * width / 2;
        Triangle(x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, c);
        Triangle(x0 + nx, y0 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny, c);
    }
};

constexpr SDL_Color PANEL{16, 16, 24, 210};
constexpr SDL_Color EDGE{230, 230, 230, 255};
constexpr SDL_Color LIT{250, 250, 250, 255};
constexpr SDL_Color UNLIT{90, 90, 100, 255};
constexpr SDL_Color CROSS{235, 50, 40, 255};

// The panel, in pixels of a game of 800.
constexpr float X = 290, Y = 8, W = 220, H = 44;

// A speaker and ten bars of growing height, one per step; muted, the bars go
// dark and a red cross stands over the speaker.
void Draw(const Painter& p, uint32_t percent, bool muted) {
    p.Fill(X - 2, Y - 2, W + 4, H + 4, EDGE);
    p.Fill(X, Y, W, H, PANEL);
    p.Fill(X + 12, Y + 16, 10, 12, LIT);
    p.Triangle(X + 20, Y + 16, X + 34, Y + 6, X + 34, Y + 38, LIT);
    p.Triangle(X + 20, Y + 16, X + 34, Y + 38, X + 20, Y + 28, LIT);
    const uint32_t lit = muted ? 0 : percent / Music::VOLUME_STEP;
    for (uint32_t i = 0; i < 10; ++i) {
        const float h = 6 + 3 * static_cast<float>(i);
        p.Fill(X + 48 + 16 * static_cast<float>(i), Y + 38 - h, 11, h, i < lit ? LIT : UNLIT);
    }
    if (!muted) return;
    p.Line(X + 8, Y + 8, X + 40, Y + 36, 4, CROSS);
    p.Line(X + 40, Y + 8, X + 8, Y + 36, 4, CROSS);
}

} // namespace

namespace Internal {

bool OnVolumeKey(const SDL_KeyboardEvent& e) {
    if (e.type != SDL_KEYDOWN) return false;
    const int step = Step(e.keysym.sym);
    if (step != 0) {
        Music::ChangeVolume(step);
    } else if (e.keysym.sym == SDLK_0 || e.keysym.sym == SDLK_KP_0) {
        if (e.repeat) return true; // a held 0 would flip on and off
        Music::ToggleMute();
    } else {
        return false;
    }
    shownUntil = SDL_GetTicks64() + SHOWN_MS;
    return true;
}

void DrawVolumeIndicator(SDL_Renderer* renderer, const SDL_FRect& game) {
    if (shownUntil == 0) return;
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    Draw({renderer, game, game.w / 800.0f}, Music::MasterVolume(), Music::Muted());
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

void HideVolumeIndicator() {
    shownUntil = 0;
}

bool VolumeIndicatorShown() {
    return shownUntil != 0;
}

SDL_Rect VolumeIndicatorBox(const SDL_FRect& game) {
    const float unit = game.w / 800.0f;
    // The edge's outer pixels and one more on every side.
    const int x0 = static_cast<int>(std::floor(game.x + (X - 2) * unit)) - 1;
    const int y0 = static_cast<int>(std::floor(game.y + (Y - 2) * unit)) - 1;
    const int x1 = static_cast<int>(std::ceil(game.x + (X + W + 2) * unit)) + 1;
    const int y1 = static_cast<int>(std::ceil(game.y + (Y + H + 2) * unit)) + 1;
    return {x0, y0, x1 - x0, y1 - y0};
}

bool VolumeIndicatorExpired() {
    if (shownUntil == 0 || SDL_GetTicks64() < shownUntil) return false;
    shownUntil = 0;
    return true;
}

} // namespace Internal

} // namespace Wimdows
