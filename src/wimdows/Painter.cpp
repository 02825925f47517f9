// Shapes the window thread draws over the presented picture (the volume
// indicator, the screenshot note), never into the game's back buffer.
#include <cmath>

#include "WimdowsInternal.h"

namespace Wimdows::Internal {

void Painter::Fill(float x, float y, float w, float h, SDL_Color c) const {
    SDL_SetRenderDrawColor(r, c.r, c.g, c.b, c.a);
    const SDL_FRect box{game.x + x * unit, game.y + y * unit, w * unit, h * unit};
    SDL_RenderFillRectF(r, &box);
}

void Painter::Triangle(float x0, float y0, float x1, float y1, float x2, float y2,
                       SDL_Color c) const {
    auto at = [&](float x, float y) {
        return SDL_Vertex{{game.x + x * unit, game.y + y * unit}, c, {0, 0}};
    };
    const SDL_Vertex v[3] = {at(x0, y0), at(x1, y1), at(x2, y2)};
    SDL_RenderGeometry(r, nullptr, v, 3, nullptr, 0);
}

void Painter::Line(float x0, float y0, float x1, float y1, float width, SDL_Color c) const {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len = std::max(std::hypot(dx, dy), 1e-3f);
    const float nx = -dy / len * width / 2, ny = dx / len * width / 2;
    Triangle(x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, c);
    Triangle(x0 + nx, y0 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny, c);
}

void Painter::Disc(float cx, float cy, float radius, SDL_Color c) const {
    constexpr int SEGMENTS = 24;
    constexpr float STEP = 6.2831853f / SEGMENTS;
    for (int i = 0; i < SEGMENTS; ++i) {
        const float a0 = STEP * static_cast<float>(i), a1 = a0 + STEP;
        Triangle(cx, cy, cx + radius * std::cos(a0), cy + radius * std::sin(a0),
                 cx + radius * std::cos(a1), cy + radius * std::sin(a1), c);
    }
}

SDL_Rect Overlay::Box(const SDL_FRect& game) const {
    const float unit = game.w / 800.0f;
    const int x0 = static_cast<int>(std::floor(game.x + area.x * unit)) - 1;
    const int y0 = static_cast<int>(std::floor(game.y + area.y * unit)) - 1;
    const int x1 = static_cast<int>(std::ceil(game.x + (area.x + area.w) * unit)) + 1;
    const int y1 = static_cast<int>(std::ceil(game.y + (area.y + area.h) * unit)) + 1;
    return {x0, y0, x1 - x0, y1 - y0};
}

bool Overlay::Expired() {
    if (shownUntil == 0 || SDL_GetTicks64() < shownUntil) return false;
    shownUntil = 0;
    return true;
}

void Overlay::Draw(SDL_Renderer* renderer, const SDL_FRect& game,
                   void (*draw)(const Painter&)) const {
    if (shownUntil == 0) return;
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    draw({renderer, game, game.w / 800.0f});
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

} // namespace Wimdows::Internal
