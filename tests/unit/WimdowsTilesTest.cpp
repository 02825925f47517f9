// The record of what was drawn since a moment: every drawn pixel is inside a
// box it hands out, overlapping draws are handed out once, nothing lies
// outside the picture.
#include <gtest/gtest.h>

#include <vector>

#include "WimdowsInternal.h"

namespace I = Wimdows::Internal;

namespace {

// How often each pixel of a w x h picture is covered by the boxes handed out.
std::vector<int> Coverage(const I::Tiles& t, int64_t w, int64_t h) {
    std::vector<int> n(size_t(w * h), 0);
    t.ForEachBox([&](const I::Box& b) {
        EXPECT_TRUE(b.x0 >= 0 && b.y0 >= 0 && b.x1 < w && b.y1 < h && b.x0 <= b.x1 && b.y0 <= b.y1);
        for (int64_t y = std::max<int64_t>(b.y0, 0); y <= std::min(b.y1, h - 1); ++y)
            for (int64_t x = std::max<int64_t>(b.x0, 0); x <= std::min(b.x1, w - 1); ++x)
                ++n[size_t(y * w + x)];
    });
    return n;
}

// Every pixel of a drawn box is handed out exactly once, no other more than once.
void ExpectCovered(const I::Tiles& t, int64_t w, int64_t h, const std::vector<I::Box>& drawn) {
    const std::vector<int> n = Coverage(t, w, h);
    for (int64_t y = 0; y < h; ++y)
        for (int64_t x = 0; x < w; ++x) {
            bool inside = false;
            for (const I::Box& b : drawn)
                inside = inside || (x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1);
            ASSERT_LE(n[size_t(y * w + x)], 1) << x << "," << y;
            if (inside) {
                ASSERT_EQ(n[size_t(y * w + x)], 1) << x << "," << y;
            }
        }
}

TEST(WimdowsTiles, DrawnBoxesComeBackOnceEachAndWithinThePicture) {
    const int64_t w = 37, h = 21; // no whole number of tiles
    I::Tiles t;
    t.Resize(w, h);
    for (int c : Coverage(t, w, h))
        ASSERT_EQ(c, 1); // a new record: all of it
    t.Clear();
    EXPECT_EQ(Coverage(t, w, h), std::vector<int>(size_t(w * h), 0));

    const std::vector<I::Box> drawn{{3, 4, 9, 6},     {5, 5, 12, 12}, {-20, -3, 0, 0},
                                    {36, 20, 90, 90}, {40, 0, 50, 5}, {0, -9, 5, -1}};
    for (const I::Box& b : drawn)
        t.Mark(b);
    ExpectCovered(t, w, h, drawn);
    EXPECT_EQ(Coverage(t, w, h)[size_t(15 * w + 30)], 0); // far from every box

    // A row of tiles wider than a word: boxes across a word's edge and beyond it.
    const int64_t wide = 1100;
    I::Tiles row;
    row.Resize(wide, h);
    row.Clear();
    const std::vector<I::Box> across{{500, 0, 530, 9}, {600, 3, 610, 20}, {-5, 17, 2000, 17}};
    for (const I::Box& b : across)
        row.Mark(b);
    ExpectCovered(row, wide, h, across);
    EXPECT_EQ(Coverage(row, wide, h)[size_t(12 * wide + 300)], 0);

    t.MarkAll();
    for (int c : Coverage(t, w, h))
        ASSERT_EQ(c, 1);

    // One record takes over another's marks; of another size, it marks all.
    I::Tiles other;
    other.Resize(w, h);
    other.Clear();
    other.Mark(I::Box{30, 14, 31, 15});
    t.Clear();
    t.Mark(other);
    EXPECT_EQ(Coverage(t, w, h), Coverage(other, w, h));
    other.Resize(w + 1, h);
    t.Mark(other);
    EXPECT_EQ(Coverage(t, w, h), std::vector<int>(size_t(w * h), 1));
}

} // namespace
