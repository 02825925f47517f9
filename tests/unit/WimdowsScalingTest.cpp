// The window size that fits a screen, and where the game's picture goes.
#include <gtest/gtest.h>

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

} // namespace
