// The two ways of presenting (SDL's renderer, SDL's software one under the
// dummy driver, and our own rows into the window surface) show the same
// pixels and map the mouse alike, at 1 x, 2 x and a letterboxed odd size;
// frames that change a few rows, and the volume indicator coming and going,
// leave nothing stale behind.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "../support/SdlInput.h"
#include "Settings.h"
#include "Wimdows.h"
#include "WimdowsInternal.h"

namespace W = Wimdows;
namespace WI = Wimdows::Internal;
using Settings::Present;

namespace {

constexpr uint32_t S = 800;

struct Seen {
    SDL_Point size{};
    std::vector<uint32_t> pixels;
    std::vector<SDL_Point> mouse; // the game point under each probed window point
};

// Every pixel different from its neighbours somewhere, so a row or a column
// off by one shows.
void DrawPattern(uint32_t seed) {
    for (int32_t y = 0; y < static_cast<int32_t>(S); y += 8)
        for (int32_t x = 0; x < static_cast<int32_t>(S); x += 8)
            W::Rectangle(x, y, x + 7, y + 7, (x * 7919u + y * 104729u + seed) & 0xFFFFFF, true);
    W::Ellipse(100, 120, 531, 377, 0x00FF00, false);
}

std::vector<uint32_t> BackPixels() {
    std::vector<uint32_t> px;
    for (int32_t y = 0; y < int32_t(S); ++y)
        for (int32_t x = 0; x < int32_t(S); ++x)
            px.push_back(W::GetPixel(x, y));
    return px;
}

void Use(Present p) {
    Settings::Values v = Settings::Current();
    v.present = p;
    ASSERT_TRUE(Settings::Store(v));
}

// The window's pixels and mouse; at 1 x without the volume indicator the
// window shows the back buffer itself.
Seen Look(int32_t w, int32_t h, bool indicator = false) {
    Seen s;
    s.pixels = WI::WindowPixels(s.size);
    const bool plain = w == S && h == S && !indicator;
    size_t i = 0;
    while (plain && i < s.pixels.size() &&
           s.pixels[i] == WI::SwapRedBlue(W::GetPixel(int32_t(i % S), int32_t(i / S))))
        ++i;
    if (plain) {
        EXPECT_EQ(i, s.pixels.size()) << "at " << i % S << ", " << i / S;
    }
    for (const SDL_Point at :
         {SDL_Point{0, 0}, {w / 2, h / 2}, {w - 1, h - 1}, {w / 3, 7}, {13, h / 5}}) {
        SdlInput::Move(at.x, at.y);
        W::Sync();
        int32_t x = 0, y = 0;
        W::MousePos(x, y);
        s.mouse.push_back({x, y});
    }
    return s;
}

// The window at w x h showing the pattern, then the pattern with a few rows
// changed, then with a few boxes changed.
std::vector<Seen> Show(Present p, int32_t w, int32_t h) {
    Use(p);
    W::Window("WimdowsPresent", S, S);
    EXPECT_EQ(W::State(), W::STATE_ACTIVE);
    W::SetBuffering(true);
    WI::AskWindowSize(w, h);
    DrawPattern(1);
    W::UpdateWindow();
    W::Sync();
    std::vector<Seen> seen{Look(w, h)};
    W::Rectangle(0, 401, 799, 403, 0x123456, true); // three rows
    W::Rectangle(10, 799, 20, 799, 0xFFFFFF, true); // the last row
    W::UpdateWindow();
    W::Sync();
    seen.push_back(Look(w, h));
    // Boxes within rows: two frames in quick succession, most often shown
    // together, then one drawn unbuffered.
    W::Rectangle(200, 100, 209, 104, 0xFF8800, true);
    W::UpdateWindow();
    W::Rectangle(600, 700, 605, 702, 0x0088FF, true);
    W::UpdateWindow();
    W::SetBuffering(false);
    W::Rectangle(333, 500, 340, 503, 0x4400CC, true);
    W::SetBuffering(true);
    W::Sync();
    seen.push_back(Look(w, h));
    W::KillWindow();
    return seen;
}

void ExpectSame(const Seen& a, const Seen& b) {
    ASSERT_EQ(a.size.x, b.size.x);
    ASSERT_EQ(a.size.y, b.size.y);
    ASSERT_EQ(a.pixels.size(), b.pixels.size());
    for (size_t i = 0; i < a.pixels.size(); ++i)
        ASSERT_EQ(a.pixels[i], b.pixels[i]) << "at " << i % a.size.x << ", " << i / a.size.x;
    for (size_t i = 0; i < a.mouse.size(); ++i) {
        EXPECT_EQ(a.mouse[i].x, b.mouse[i].x);
        EXPECT_EQ(a.mouse[i].y, b.mouse[i].y);
    }
}

class WimdowsPresent : public testing::Test {
  protected:
    void TearDown() override { Use(Present::AUTO); }
};

TEST_F(WimdowsPresent, WithoutAGpuTheSurfaceIsChosenAndTheSettingOverrides) {
    for (const auto& [asked, got] : {std::pair{Present::AUTO, WI::PresentPath::SURFACE},
                                     std::pair{Present::RENDERER, WI::PresentPath::RENDERER},
                                     std::pair{Present::SURFACE, WI::PresentPath::SURFACE}}) {
        Use(asked);
        W::Window("WimdowsPresent", S, S);
        ASSERT_EQ(W::State(), W::STATE_ACTIVE);
        EXPECT_EQ(WI::Presenting(), got);
        W::KillWindow();
    }
}

TEST_F(WimdowsPresent, BothPathsShowTheSamePixelsAndMapTheMouseAlike) {
    for (const SDL_Point size : {SDL_Point{800, 800}, {1600, 1600}, {1001, 777}}) {
        SCOPED_TRACE(std::to_string(size.x) + " x " + std::to_string(size.y));
        const std::vector<Seen> surface = Show(Present::SURFACE, size.x, size.y);
        const std::vector<Seen> renderer = Show(Present::RENDERER, size.x, size.y);
        for (size_t i = 0; i < surface.size(); ++i)
            ExpectSame(surface[i], renderer[i]);
    }
}

TEST_F(WimdowsPresent, WholeMultiplesShowEveryGamePixelAsABlock) {
    const Seen twice = Show(Present::SURFACE, 1600, 1600)[1];
    ASSERT_EQ(twice.size.x, 1600);
    Use(Present::AUTO);
    W::Window("WimdowsPresent", S, S);
    W::SetBuffering(true);
    DrawPattern(1);
    W::Rectangle(0, 401, 799, 403, 0x123456, true);
    W::Rectangle(10, 799, 20, 799, 0xFFFFFF, true);
    for (int32_t y = 0; y < 1600; y += 7)
        for (int32_t x = 0; x < 1600; x += 3) {
            const uint32_t game = WI::SwapRedBlue(W::GetPixel(x / 2, y / 2));
            ASSERT_EQ(twice.pixels[size_t(y) * 1600 + x], game) << x << ", " << y;
        }
    W::KillWindow();
}

// The window at w x h with the volume indicator shown over a frame, over the
// next frame, and after it went; again when the first two looks took so long
// on a busy machine that the indicator may have gone already.
std::vector<Seen> ShowIndicator(Present p, int32_t w, int32_t h) {
    constexpr auto SHOWN = std::chrono::milliseconds(1000); // of its 1200
    std::vector<Seen> seen;
    for (int attempt = 0; attempt < 3; ++attempt) {
        seen.clear();
        Use(p);
        W::Window("WimdowsPresent", S, S);
        W::SetBuffering(true);
        WI::AskWindowSize(w, h);
        DrawPattern(2);
        W::UpdateWindow();
        const auto pressed = std::chrono::steady_clock::now();
        SdlInput::Key(SDLK_MINUS, true);
        SdlInput::Key(SDLK_MINUS, false);
        W::Sync();
        seen.push_back(Look(w, h, true));
        DrawPattern(3); // a frame while it shows
        W::UpdateWindow();
        W::Sync();
        seen.push_back(Look(w, h, true));
        const bool inTime = std::chrono::steady_clock::now() - pressed < SHOWN;
        std::this_thread::sleep_for(std::chrono::milliseconds(1400)); // it goes
        W::Sync();
        seen.push_back(Look(w, h));     // and the picture under it is whole again
        SdlInput::Key(SDLK_PLUS, true); // the volume as it was
        W::Sync();
        W::KillWindow();
        if (inTime) break;
    }
    return seen;
}

// At 1 x, and letterboxed where only the window rows that read a changed
// game row are smoothed again.
TEST_F(WimdowsPresent, TheVolumeIndicatorLooksAlikeAndLeavesNothingBehind) {
    for (const SDL_Point size : {SDL_Point{int32_t(S), int32_t(S)}, {1001, 777}}) {
        SCOPED_TRACE(std::to_string(size.x) + " x " + std::to_string(size.y));
        const std::vector<Seen> surface = ShowIndicator(Present::SURFACE, size.x, size.y);
        const std::vector<Seen> renderer = ShowIndicator(Present::RENDERER, size.x, size.y);
        EXPECT_NE(surface[1].pixels, surface[2].pixels); // it showed
        for (size_t i = 0; i < 3; ++i)
            ExpectSame(surface[i], renderer[i]);
    }
}

} // namespace

// A picture laid as the whole back buffer again copies back only what was
// drawn over it, and presenting shows only what was drawn: the back
// buffer and the window still show what drawing everything afresh shows,
// also after the picture changed or was replaced under the same handle.
TEST_F(WimdowsPresent, APictureLaidAgainShowsWhatDrawingAfreshShows) {
    Use(Present::SURFACE);
    W::Window("WimdowsPresent", S, S);
    ASSERT_EQ(W::State(), W::STATE_ACTIVE);
    W::SetBuffering(true);
    const auto grab = [](uint32_t seed) {
        DrawPattern(seed);
        const uint32_t pic = W::CreateBitmap(S, S);
        W::GrabScreen(pic);
        return pic;
    };
    uint32_t ground = grab(1);
    const uint32_t other = grab(2);
    const auto sprites = [](int32_t x) {
        W::Rectangle(x, 300, x + 40, 340, 0x0000FF, true);
        W::Disc(x + 100, 500, 12, 0xFFFFFF);
        W::SetFont(4, 0xC0C0C0);
        W::Text("42", x, 20);
    };
    // The picture drawn afresh, in two halves that are no whole back buffer.
    const uint32_t top = W::CreateBitmap(S, S / 2), bottom = W::CreateBitmap(S, S / 2);
    for (int step = 0; step < 4; ++step) {
        if (step == 2) W::CopyBitmap(other, ground, 0, 0, 100, 100, 200, 200);
        if (step == 3) {
            W::DestroyBitmap(ground);
            ground = grab(3); // the same handle, another picture
        }
        for (const int32_t x : {50, 80 + 30 * step}) {
            W::DrawBitmap(ground, 0, 0);
            sprites(x);
        }
        W::UpdateWindow();
        W::Sync();
        const std::vector<uint32_t> laid = BackPixels();
        Look(S, S); // the window shows the back buffer
        W::CopyBitmap(ground, top, 0, 0, 0, 0, S, S / 2);
        W::CopyBitmap(ground, bottom, 0, S / 2, 0, 0, S, S / 2);
        W::DrawBitmap(top, 0, 0);
        W::DrawBitmap(bottom, 0, S / 2);
        sprites(80 + 30 * step);
        EXPECT_EQ(BackPixels(), laid) << step;
    }
    W::KillWindow();
}

// Presenting swaps the two buffers: whatever is drawn after a present, over
// a laid picture or over the last frame, lands on the whole last frame.
TEST_F(WimdowsPresent, DrawingAfterAPresentBuildsOnTheWholeLastFrame) {
    Use(Present::SURFACE);
    W::Window("WimdowsPresent", S, S);
    ASSERT_EQ(W::State(), W::STATE_ACTIVE);
    W::SetBuffering(true);
    DrawPattern(4);
    const uint32_t ground = W::CreateBitmap(S, S);
    W::GrabScreen(ground);
    const std::vector<uint32_t> pattern = BackPixels();
    std::vector<uint32_t> want = pattern;
    const auto square = [&](int32_t step) {
        const int32_t x = 30 + 90 * step, y = 40 + 70 * step;
        const uint32_t c = 0x102030u * uint32_t(step + 1);
        W::Rectangle(x, y, x + 20, y + 20, c, true);
        for (int32_t j = y; j <= y + 20; ++j)
            std::fill_n(want.begin() + j * S + x, 21, c);
    };
    for (int32_t step = 0; step < 8; ++step) {
        if (step == 2 || step >= 5) { // laid again, and again in a row
            W::DrawBitmap(ground, 0, 0);
            want = pattern;
        }
        square(step);
        if (step == 4) W::UpdateWindow(); // and once more with nothing new
        W::UpdateWindow();
        W::Sync();
        // Read off the presented frame, not the back buffer: reading that
        // brings it up to date before the next step draws.
        const std::vector<uint32_t> shown = WI::ShownFrame();
        ASSERT_EQ(shown.size(), want.size());
        size_t i = 0;
        while (i < shown.size() && shown[i] == WI::SwapRedBlue(want[i]))
            ++i;
        EXPECT_EQ(i, shown.size()) << "step " << step << " at " << i % S << ", " << i / S;
    }
    // The last frame drawn again changes nothing, and nothing is shown for it.
    const uint64_t frames = WI::FramesShown();
    W::DrawBitmap(ground, 0, 0);
    square(7);
    W::UpdateWindow();
    W::Sync();
    EXPECT_EQ(WI::FramesShown(), frames);
    W::KillWindow();
}
