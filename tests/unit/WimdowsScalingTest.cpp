// The window size that fits a screen, and where the game's picture goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WimdowsInternal.h"

namespace I = Wimdows::Internal;

namespace {

TEST(WimdowsFit, TheWindowTakesTheLargestSizeThatFitsTheRoom) {
    // Rooms: the usable area less the decorations.
    EXPECT_EQ(I::FittingSize(800, 800, 3840 - 2, 2160 - 60).x, 1600); // 4K: twice the size
    EXPECT_EQ(I::FittingSize(800, 800, 1920 - 2, 1080 - 60).x, 800);  // 1080p: the game's size
    const SDL_Point laptop = I::FittingSize(800, 800, 1366 - 2, 768 - 30 - 25);
    EXPECT_EQ(laptop.x, 713); // 1366 x 768 with a panel and a title bar
    EXPECT_EQ(laptop.y, 713);
    EXPECT_EQ(I::FittingSize(800, 600, 700, 1000).y, 525); // the game's shape kept
    EXPECT_EQ(I::FittingSize(800, 800, 0, -5).x, 1);       // never an empty window
}

TEST(WimdowsFit, PicturesAreCentredWithBarsAndSharpOnlyAtWholeMultiples) {
    const I::Layout wide = I::Fit(800, 800, 1366, 768, 1366, 768);
    EXPECT_EQ(wide.dst.x, 299);
    EXPECT_EQ(wide.dst.y, 0);
    EXPECT_EQ(wide.dst.w, 768);
    EXPECT_EQ(wide.dst.h, 768);
    EXPECT_FALSE(I::WholeMultiple(wide));
    EXPECT_TRUE(I::WholeMultiple(I::Fit(800, 800, 1600, 1700, 1600, 1700)));
    const I::Layout tall = I::Fit(800, 800, 600, 900, 600, 900);
    EXPECT_EQ(tall.dst.y, 150);
    EXPECT_EQ(tall.dst.w, 600);
}

TEST(WimdowsFit, PointsMapToGamePixelsAlsoWithTwoPixelsAPoint) {
    // A HiDPI window: 743 points, 1486 pixels a side.
    const I::Layout hidpi = I::Fit(800, 800, 743, 743, 1486, 1486);
    const I::Layout plain = I::Fit(800, 800, 743, 743, 743, 743);
    for (int32_t p : {0, 1, 100, 371, 742}) {
        EXPECT_EQ(I::GamePoint(hidpi, p, p).x, I::GamePoint(plain, p, p).x) << p;
        EXPECT_EQ(I::GamePoint(hidpi, p, p).y, I::GamePoint(plain, p, p).y) << p;
    }
    EXPECT_EQ(I::GamePoint(plain, 742, 0).x, 799);
    EXPECT_EQ(I::GamePoint(plain, -1, 0).x, -1);
    // At 1 x every point is its own game pixel.
    const I::Layout one = I::Fit(800, 800, 800, 800, 800, 800);
    for (int32_t p : {-3, 0, 399, 799, 805})
        EXPECT_EQ(I::GamePoint(one, p, 0).x, p) << p;
}

// A controller's pointer is put where a game pixel shows: the window point
// over it maps back to that pixel when the picture is at least its size, and
// to one beside it at most when it is smaller.
TEST(WimdowsFit, TheWindowPointOfAGamePixelMapsBackToIt) {
    const I::Layout layouts[] = {
        I::Fit(800, 800, 1366, 768, 1366, 768), I::Fit(800, 800, 1600, 1600, 1600, 1600),
        I::Fit(800, 800, 743, 743, 1486, 1486), I::Fit(800, 800, 500, 700, 500, 700)};
    for (const I::Layout& l : layouts)
        for (int32_t g : {0, 1, 399, 400, 798, 799}) {
            const SDL_Point w = I::WindowPoint(l, g, g);
            const SDL_Point back = I::GamePoint(l, w.x, w.y);
            const int32_t slack = l.dst.w * l.winW / l.outW >= 800 ? 0 : 1;
            EXPECT_LE(std::abs(back.x - g), slack) << l.winW << " " << g;
            EXPECT_LE(std::abs(back.y - g), slack) << l.winW << " " << g;
        }
}

// Our row-at-a-time smoothing draws every pixel as SDL's linear scaler does,
// up and down, at sizes of every parity, from pictures with sharp edges in
// every channel; only the window rows that read a changed game row are drawn.
TEST(WimdowsStretch, EveryRowIsWhatSdlsLinearScalerDraws) {
    const SDL_Point sizes[][2] = {{{800, 800}, {1080, 1080}}, {{800, 800}, {777, 777}},
                                  {{800, 800}, {1001, 713}},  {{7, 5}, {23, 3}},
                                  {{2, 2}, {9, 9}},           {{13, 11}, {4, 2}}};
    uint32_t seed = 12345;
    for (const auto& [in, out] : sizes) {
        SCOPED_TRACE(std::to_string(in.x) + " x " + std::to_string(in.y) + " to " +
                     std::to_string(out.x) + " x " + std::to_string(out.y));
        std::vector<uint32_t> frame(size_t(in.x) * in.y);
        for (uint32_t& p : frame)
            p = seed = seed * 1103515245u + 12345u;
        SDL_Surface* from = SDL_CreateRGBSurfaceWithFormatFrom(frame.data(), in.x, in.y, 32,
                                                               in.x * 4, SDL_PIXELFORMAT_RGB888);
        SDL_Surface* sdl =
            SDL_CreateRGBSurfaceWithFormat(0, out.x, out.y, 32, SDL_PIXELFORMAT_RGB888);
        ASSERT_TRUE(from && sdl);
        ASSERT_EQ(SDL_SoftStretchLinear(from, nullptr, sdl, nullptr), 0);
        I::Stretcher s;
        s.Fit(in.x, in.y, out.x, out.y);
        std::vector<uint32_t> row(size_t(out.x));
        for (int32_t y = 0; y < out.y; ++y) {
            s.Row(frame.data(), y, row.data());
            const auto* want = reinterpret_cast<const uint32_t*>(
                static_cast<uint8_t*>(sdl->pixels) + int64_t{y} * sdl->pitch);
            for (int32_t x = 0; x < out.x; ++x)
                ASSERT_EQ(row[size_t(x)], want[x]) << "at " << x << ", " << y;
        }
        SDL_FreeSurface(sdl);
        SDL_FreeSurface(from);
    }
}

TEST(WimdowsStretch, OnlyRowsThatReadAChangedGameRowAreDrawnAgain) {
    I::Stretcher s;
    s.Fit(800, 800, 1080, 1080);
    std::vector<uint8_t> changed(800, 0);
    changed[400] = 1;
    std::vector<int32_t> drawn;
    for (int32_t y = 0; y < 1080; ++y)
        if (s.Reads(y, changed)) drawn.push_back(y);
    // Game row 400 lies under window rows 540 and 541, and is read by their neighbours.
    ASSERT_FALSE(drawn.empty());
    EXPECT_LE(drawn.front(), 540);
    EXPECT_GE(drawn.back(), 541);
    EXPECT_LE(drawn.size(), 4u);
    EXPECT_EQ(drawn.back() - drawn.front() + 1, int32_t(drawn.size()));
    changed.assign(800, 0);
    for (int32_t y = 0; y < 1080; ++y)
        EXPECT_FALSE(s.Reads(y, changed));
}

} // namespace
