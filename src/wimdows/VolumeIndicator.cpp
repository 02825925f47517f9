// The volume keys and their indicator. Minus and plus (the keypad's too) step
// the master volume, 0 mutes and unmutes, on every screen. The indicator is
// drawn by the window thread over the presented picture for about a second,
// never into the game's back buffer.
#include "WimdowsInternal.h"

#include "Music.h"

namespace Wimdows {

using namespace Internal;

namespace {

constexpr uint64_t SHOWN_MS = 1200;

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

constexpr SDL_Color PANEL{16, 16, 24, 210};
constexpr SDL_Color EDGE{230, 230, 230, 255};
constexpr SDL_Color LIT{250, 250, 250, 255};
constexpr SDL_Color UNLIT{90, 90, 100, 255};
constexpr SDL_Color CROSS{235, 50, 40, 255};

// The panel, in pixels of a game of 800.
constexpr float X = 290, Y = 8, W = 220, H = 44;

Overlay indicator{{X - 2, Y - 2, W + 4, H + 4}}; // window thread only

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
    indicator.Show(SHOWN_MS);
    return true;
}

void DrawVolumeIndicator(SDL_Renderer* renderer, const SDL_FRect& game) {
    indicator.Draw(renderer, game,
                   [](const Painter& p) { Draw(p, Music::MasterVolume(), Music::Muted()); });
}

Overlay& VolumeIndicator() {
    return indicator;
}

bool VolumeIndicatorExpired() {
    return indicator.Expired();
}

} // namespace Internal

} // namespace Wimdows
