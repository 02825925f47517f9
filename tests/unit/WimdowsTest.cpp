#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Wimdows.h"

namespace W = Wimdows;

namespace {

constexpr int32_t WIDTH = 64;
constexpr int32_t HEIGHT = 48;
constexpr uint32_t RED = 0x0000FF; // 0x00BBGGRR
constexpr uint32_t GREEN = 0x00FF00;
constexpr uint32_t BLUE = 0xFF0000;
constexpr uint32_t WHITE = 0xFFFFFF;

using Pixels = std::set<std::pair<int32_t, int32_t>>;

Pixels Painted(uint32_t color) {
    Pixels out;
    for (int32_t y = 0; y < HEIGHT; ++y)
        for (int32_t x = 0; x < WIDTH; ++x)
            if (W::GetPixel(x, y) == color) out.emplace(x, y);
    return out;
}

struct Bounds {
    int32_t x0, y0, x1, y1;
    bool operator==(const Bounds&) const = default;
};

Bounds BoundsOf(const Pixels& p) {
    Bounds b{WIDTH, HEIGHT, -1, -1};
    for (auto [x, y] : p)
        b = {std::min(b.x0, x), std::min(b.y0, y), std::max(b.x1, x), std::max(b.y1, y)};
    return b;
}

// What a drawing call paints on a black buffer.
Pixels PaintedBy(const std::function<void()>& draw, uint32_t color) {
    W::ClearScreen();
    draw();
    return Painted(color);
}

// Writes a BMP whose pixel (x, y) is colour(x, y) (0x00BBGGRR) and returns its path.
std::string WriteBmp(const std::string& name, int w, int h,
                     const std::function<uint32_t(int, int)>& colour) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_RGB24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = colour(x, y);
            auto* p = static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * 3;
            p[0] = c & 0xFF;
            p[1] = (c >> 8) & 0xFF;
            p[2] = (c >> 16) & 0xFF;
        }
    const std::string path = testing::TempDir() + name;
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
    return path;
}

std::string Uniform(const std::string& name, uint32_t c, int w = 4, int h = 4) {
    return WriteBmp(name, w, h, [c](int, int) { return c; });
}

void OpenTestWindow() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    W::Window("WimdowsTest", WIDTH, HEIGHT);
}

class WimdowsDraw : public testing::Test {
  protected:
    void SetUp() override {
        OpenTestWindow();
        ASSERT_EQ(W::State(), W::STATE_ACTIVE);
        W::SetBuffering(true);
        W::ClearScreen();
    }
    void TearDown() override { W::KillWindow(); }
};

TEST_F(WimdowsDraw, WindowHasTheAskedSizeAndABlackBuffer) {
    EXPECT_EQ(W::Width(), uint32_t{WIDTH});
    EXPECT_EQ(W::Height(), uint32_t{HEIGHT});
    EXPECT_EQ(Painted(0).size(), size_t{WIDTH * HEIGHT});
}

TEST_F(WimdowsDraw, RectangleOrdersCornersAndIncludesBothEnds) {
    const Pixels reversed = PaintedBy([] { W::Rectangle(10, 10, 5, 5, RED, true); }, RED);
    const Pixels ordered = PaintedBy([] { W::Rectangle(5, 5, 10, 10, RED, true); }, RED);
    EXPECT_EQ(reversed, ordered);
    EXPECT_EQ(ordered.size(), 36u);
    EXPECT_EQ(BoundsOf(ordered), (Bounds{5, 5, 10, 10}));

    EXPECT_EQ(PaintedBy([] { W::Rectangle(20, 20, 20, 20, RED, false); }, RED), (Pixels{{20, 20}}));

    const Pixels frame = PaintedBy([] { W::Rectangle(2, 2, 8, 6, RED, false); }, RED);
    EXPECT_EQ(frame.size(), 2u * 7 + 2u * 3);
    EXPECT_EQ(BoundsOf(frame), (Bounds{2, 2, 8, 6}));
    EXPECT_FALSE(frame.count({5, 4}));
}

TEST_F(WimdowsDraw, ColoursAreBgrAndTheTopByteIsIgnored) {
    W::Rectangle(1, 1, 1, 1, 0xAB123456, true);
    EXPECT_EQ(W::GetPixel(1, 1), 0x123456u);
    W::Disc(10, 10, 3, 0x7F0000FF);
    EXPECT_EQ(W::GetPixel(10, 10), RED);
    W::SetFont(0, 0xFF00FF00);
    W::Text("M", 20, 20);
    EXPECT_FALSE(Painted(GREEN).empty());
}

TEST_F(WimdowsDraw, EllipseFillsItsHalfOpenBoxSymmetrically) {
    const Pixels filled = PaintedBy([] { W::Ellipse(10, 10, 30, 20, RED, true); }, RED);
    EXPECT_EQ(BoundsOf(filled), (Bounds{10, 10, 29, 19}));
    for (auto [x, y] : filled) {
        EXPECT_TRUE(filled.count({39 - x, y})) << x << "," << y;
        EXPECT_TRUE(filled.count({x, 29 - y})) << x << "," << y;
    }
    EXPECT_FALSE(filled.count({10, 10})); // corners lie outside
    EXPECT_TRUE(filled.count({20, 15}));

    const Pixels outline = PaintedBy([] { W::Ellipse(30, 20, 10, 10, RED, false); }, RED);
    EXPECT_EQ(BoundsOf(outline), (Bounds{10, 10, 29, 19}));
    EXPECT_FALSE(outline.count({20, 15}));
    for (const auto& p : outline)
        EXPECT_TRUE(filled.count(p));
    // One pixel thick: every outline pixel touches the outside of the ellipse.
    for (auto [x, y] : outline) {
        const bool edge = !filled.count({x - 1, y}) || !filled.count({x + 1, y}) ||
                          !filled.count({x, y - 1}) || !filled.count({x, y + 1});
        EXPECT_TRUE(edge) << x << "," << y;
    }
}

TEST_F(WimdowsDraw, CircleAndDiscUseTheBoxAroundTheCentre) {
    const Pixels disc = PaintedBy([] { W::Disc(32, 24, 5, RED); }, RED);
    EXPECT_EQ(BoundsOf(disc), (Bounds{27, 19, 36, 28}));
    EXPECT_TRUE(disc.count({32, 24}));
    const Pixels circle = PaintedBy([] { W::Circle(32, 24, 5, RED); }, RED);
    EXPECT_EQ(BoundsOf(circle), (Bounds{27, 19, 36, 28}));
    EXPECT_FALSE(circle.count({32, 24}));
    EXPECT_TRUE(PaintedBy([] { W::Disc(32, 24, 0, RED); }, RED).empty());
}

// Discs keep their rows by radius; each must still be the filled ellipse of
// its box, at the edges and off the buffer too. A rimmed disc is the disc
// with the one a pixel smaller drawn over it.
TEST_F(WimdowsDraw, ADiscIsTheFilledEllipseOfItsBoxWhereverItLies) {
    for (uint32_t r = 1; r <= 40; r += 3)
        for (const auto& [x, y] : {std::pair{32, 24}, {-3, 7}, {61, -2}, {5, 45}, {100, 24}}) {
            const int32_t ri = int32_t(r);
            const Pixels disc = PaintedBy([&] { W::Disc(x, y, r, RED); }, RED);
            ASSERT_EQ(
                disc,
                PaintedBy([&] { W::Ellipse(x - ri, y - ri, x + ri, y + ri, RED, true); }, RED))
                << r << " at " << x << "," << y;
            const Pixels inner = PaintedBy([&] { W::Disc(x, y, r - 1, RED); }, RED);
            Pixels rim = disc;
            for (const auto& p : inner)
                rim.erase(p);
            ASSERT_EQ(PaintedBy([&] { W::RimmedDisc(x, y, r, GREEN, RED); }, RED), inner);
            ASSERT_EQ(PaintedBy([&] { W::RimmedDisc(x, y, r, GREEN, RED); }, GREEN), rim);
        }
}

TEST_F(WimdowsDraw, ArcRunsCounterClockwiseBetweenTheRays) {
    // Box (4,4)-(44,44), centre (24,24): from the east ray to the north ray.
    const Pixels quarter = PaintedBy([] { W::Arc(4, 4, 44, 44, 44, 24, 24, 4, RED); }, RED);
    ASSERT_FALSE(quarter.empty());
    for (auto [x, y] : quarter)
        EXPECT_TRUE(x >= 24 && y <= 23) << x << "," << y;
    EXPECT_TRUE(quarter.count({43, 23}) && quarter.count({24, 4}));

    const Pixels rest = PaintedBy([] { W::Arc(44, 44, 4, 4, 24, 4, 44, 24, RED); }, RED);
    EXPECT_TRUE(rest.count({4, 24}) && rest.count({24, 43}));
    for (auto [x, y] : rest)
        EXPECT_FALSE(x >= 25 && y <= 22) << x << "," << y;

    const Pixels outline = PaintedBy([] { W::Ellipse(4, 4, 44, 44, RED, false); }, RED);
    Pixels both = quarter;
    both.insert(rest.begin(), rest.end());
    EXPECT_EQ(both, outline);
    EXPECT_EQ(PaintedBy([] { W::Arc(4, 4, 44, 44, 30, 2, 30, 2, RED); }, RED), outline);
}

TEST_F(WimdowsDraw, PolygonOutlineAndFill) {
    const int32_t xs[] = {10, 20, 20, 10};
    const int32_t ys[] = {10, 10, 20, 20};
    const Pixels filled = PaintedBy([&] { W::Polygon(4, xs, ys, RED, true); }, RED);
    EXPECT_EQ(filled.size(), 121u);
    EXPECT_EQ(BoundsOf(filled), (Bounds{10, 10, 20, 20}));
    const Pixels outline = PaintedBy([&] { W::Polygon(4, xs, ys, RED, false); }, RED);
    EXPECT_EQ(outline.size(), 40u);
    EXPECT_FALSE(outline.count({15, 15}));

    W::Rectangle(0, 0, WIDTH, HEIGHT, BLUE, true);
    W::Polygon(0, nullptr, nullptr, RED, true);
    EXPECT_EQ(Painted(BLUE).size(), size_t{WIDTH * HEIGHT});
}

TEST_F(WimdowsDraw, PolygonFillsByNonzeroWinding) {
    // A pentagram: its centre is wound twice, so it is filled (even-odd would leave it empty).
    const int32_t xs[] = {32, 43, 14, 50, 21};
    const int32_t ys[] = {4, 40, 17, 17, 40};
    const Pixels star = PaintedBy([&] { W::Polygon(5, xs, ys, RED, true); }, RED);
    EXPECT_TRUE(star.count({32, 24}));
    EXPECT_TRUE(star.count({32, 4}) && star.count({14, 17}) && star.count({43, 40}));
    EXPECT_FALSE(star.count({32, 39})); // between the two lower points
}

TEST_F(WimdowsDraw, EverythingIsClippedAtTheBufferEdges) {
    EXPECT_TRUE(PaintedBy([] { W::Rectangle(-10, -10, 100, 100, RED, false); }, RED).empty());
    EXPECT_EQ(PaintedBy([] { W::Rectangle(-10, -10, 100, 100, RED, true); }, RED).size(),
              size_t{WIDTH * HEIGHT});
    EXPECT_EQ(
        PaintedBy([] { W::Ellipse(-2000000000, -2000000000, 2000000000, 2000000000, RED, true); },
                  RED)
            .size(),
        size_t{WIDTH * HEIGHT});
    const int32_t xs[] = {-2000000000, 2000000000, 0};
    const int32_t ys[] = {-2000000000, -2000000000, 2000000000};
    EXPECT_EQ(PaintedBy([&] { W::Polygon(3, xs, ys, RED, true); }, RED).size(),
              size_t{WIDTH * HEIGHT});
    EXPECT_EQ(PaintedBy([] { W::Disc(32, 24, 4000000000u, RED); }, RED).size(),
              size_t{WIDTH * HEIGHT}); // the box does not wrap around
    const Pixels edge = PaintedBy([] { W::Disc(0, 0, 4, RED); }, RED);
    EXPECT_EQ(BoundsOf(edge), (Bounds{0, 0, 3, 3}));
    EXPECT_EQ(W::GetPixel(-1, 0), 0u);
    EXPECT_EQ(W::GetPixel(WIDTH, 0), 0u);
}

TEST_F(WimdowsDraw, TextDrawsGlyphPixelsOnlyInsideItsMeasuredBox) {
    W::Rectangle(0, 0, WIDTH, HEIGHT, BLUE, true);
    W::SetFont(0, WHITE);
    W::Text("Hallo", 5, 6);
    uint32_t w = 0, h = 0;
    W::GetTextSize("Hallo", 0, w, h);
    ASSERT_GT(w, 10u);
    ASSERT_GT(h, 8u);
    const Pixels glyphs = Painted(WHITE);
    ASSERT_FALSE(glyphs.empty());
    const Bounds b = BoundsOf(glyphs);
    EXPECT_GE(b.x0, 5);
    EXPECT_GE(b.y0, 6);
    EXPECT_LT(b.x1, 5 + int32_t(w));
    EXPECT_LT(b.y1, 6 + int32_t(h));
    // Transparent background: every pixel is either a glyph or still blue.
    EXPECT_EQ(glyphs.size() + Painted(BLUE).size(), size_t{WIDTH * HEIGHT});
    EXPECT_TRUE(PaintedBy([] { W::Text("", 5, 5); }, WHITE).empty());
}

TEST_F(WimdowsDraw, FontStylesAndNumbers) {
    auto drawn = [](uint32_t style, const char* text) {
        return PaintedBy([=] { W::SetFont(style, WHITE), W::Text(text, 2, 2); }, WHITE);
    };
    EXPECT_EQ(drawn(7, "Abc"), drawn(0, "Abc"));
    // A text drawn before comes again in the colour asked now.
    EXPECT_EQ(PaintedBy([] { W::SetFont(0, RED), W::Text("Abc", 2, 2); }, RED), drawn(0, "Abc"));
    for (uint32_t style = 1; style <= 5; ++style) {
        EXPECT_FALSE(drawn(style, "Abc").empty()) << style;
        EXPECT_NE(drawn(style, "Abc"), drawn(0, "Abc")) << style;
    }
    uint32_t narrow = 0, wide = 0, h = 0;
    W::GetTextSize("iii", 4, narrow, h);
    W::GetTextSize("WWW", 4, wide, h);
    EXPECT_EQ(narrow, wide); // the ANSI fixed font is fixed-pitch
    W::GetTextSize("iii", 0, narrow, h);
    W::GetTextSize("WWW", 0, wide, h);
    EXPECT_LT(narrow, wide);

    W::SetFont(0, WHITE);
    EXPECT_EQ(PaintedBy([] { W::TextInt(0, 3, 3); }, WHITE),
              PaintedBy([] { W::Text("0", 3, 3); }, WHITE));
    EXPECT_EQ(PaintedBy([] { W::TextInt(-120, 3, 3); }, WHITE),
              PaintedBy([] { W::Text("-120", 3, 3); }, WHITE));
    EXPECT_EQ(PaintedBy([] { W::TextCard(4000000000u, 3, 3); }, WHITE),
              PaintedBy([] { W::Text("4000000000", 3, 3); }, WHITE));
}

TEST(WimdowsClosed, NothingIsDrawnOrMeasuredWithoutAWindow) {
    W::KillWindow();
    EXPECT_EQ(W::State(), W::STATE_DEAD);
    W::SetBuffering(true); // no effect and no harm before the window exists
    W::Rectangle(0, 0, 10, 10, RED, true);
    W::Text("x", 0, 0);
    W::UpdateWindow();
    W::Sync();
    uint32_t w = 1, h = 1;
    W::GetTextSize("Hallo", 0, w, h);
    EXPECT_EQ(w, 0u);
    EXPECT_EQ(h, 0u);
    EXPECT_EQ(W::GetPixel(0, 0), 0u);
    EXPECT_EQ(W::Width(), 0u);
}

// ---------------------------------------------------------------- pictures

TEST_F(WimdowsDraw, PictureLoadsAtItsSizeAndDrawsOpaque) {
    auto pattern = [](int x, int y) {
        return uint32_t(x * 40) | uint32_t(y * 40) << 8 | 0x800000u;
    };
    const uint32_t pic = W::LoadBitmap(WriteBmp("wt_exact.bmp", 5, 3, pattern).c_str(), 5, 3);
    ASSERT_NE(pic, 0u);
    W::Rectangle(0, 0, WIDTH, HEIGHT, RED, true);
    W::DrawBitmap(pic, 3, 4);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(W::GetPixel(3 + x, 4 + y), pattern(x, y));
    EXPECT_EQ(Painted(RED).size(), size_t{WIDTH * HEIGHT - 15});
}

TEST_F(WimdowsDraw, PictureIsScaledToTheAskedSize) {
    const uint32_t pic = W::LoadBitmap(Uniform("wt_scaled.bmp", GREEN, 3, 3).c_str(), 10, 6);
    W::DrawBitmap(pic, 1, 2);
    EXPECT_EQ(BoundsOf(Painted(GREEN)), (Bounds{1, 2, 10, 7}));
    EXPECT_EQ(Painted(GREEN).size(), 60u);
}

TEST_F(WimdowsDraw, PicturePathsMayUseBackslashes) {
    std::string path = Uniform("wt_slash.bmp", GREEN);
    for (char& c : path)
        if (c == '/') c = '\\';
    EXPECT_NE(W::LoadBitmap(path.c_str(), 4, 4), 0u);
}

TEST_F(WimdowsDraw, MissingPictureReturnsZeroAndSaysWhich) {
    const uint32_t before = W::BitmapTableLength();
    testing::internal::CaptureStderr();
    EXPECT_EQ(W::LoadBitmap("images\\no_such_picture.bmp", 8, 8), 0u);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("images\\no_such_picture.bmp"), std::string::npos) << said;
    EXPECT_EQ(W::BitmapTableLength(), before);
    W::DrawBitmap(0, 0, 0);
    EXPECT_EQ(Painted(0).size(), size_t{WIDTH * HEIGHT});
}

// A two-colour BMP of w x h pixels (a negative h stores its rows top-down),
// its pixel data left as a hole in the file: no disk space, nothing to decode
// before the header is judged.
std::string SparseBmp(const std::string& name, int32_t w, int32_t h) {
    const uint32_t row = ((static_cast<uint32_t>(w) + 31) / 32) * 4;
    const uint64_t data = uint64_t{row} * static_cast<uint32_t>(std::abs(h));
    std::vector<uint8_t> head(62, 0);
    const auto put = [&](int at, uint32_t v) { std::memcpy(&head[at], &v, 4); };
    head[0] = 'B';
    head[1] = 'M';
    put(2, static_cast<uint32_t>(std::min<uint64_t>(62 + data, UINT32_MAX)));
    put(10, 62);
    put(14, 40);
    put(18, static_cast<uint32_t>(w));
    put(22, static_cast<uint32_t>(h));
    head[26] = 1;
    head[28] = 1;
    put(58, 0xFFFFFF); // palette: black, white
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<char*>(head.data()), 62);
    std::filesystem::resize_file(path, 62 + data);
    return path;
}

TEST_F(WimdowsDraw, AnAbsurdPictureIsRefusedByItsHeaderAndNamed) {
    const uint32_t before = W::BitmapTableLength();
    const std::pair<int32_t, int32_t> absurd[] = {{30000, 30000}, {20000, 1}, {100, -30000}};
    for (auto [w, h] : absurd) {
        const std::string file = SparseBmp("wt_huge.bmp", w, h);
        testing::internal::CaptureStderr();
        EXPECT_EQ(W::LoadBitmap(file.c_str(), 800, 800), 0u) << w << " x " << h;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(file + ": picture size refused: " + std::to_string(w) + " x " +
                            std::to_string(std::abs(h))),
                  std::string::npos)
            << said;
        std::filesystem::remove(file);
    }
    EXPECT_EQ(W::BitmapTableLength(), before);
    // The widest a side may be still loads, at the file's own size.
    const uint32_t wide = W::LoadBitmap(SparseBmp("wt_wide.bmp", 16384, 1).c_str(), 0, 0);
    EXPECT_NE(wide, 0u);
    W::DestroyBitmap(wide);
}

TEST_F(WimdowsDraw, MaskedCopyTakesThePictureWhereTheMaskIsWhite) {
    const uint32_t pic = W::LoadBitmap(Uniform("wt_red.bmp", RED, 8, 8).c_str(), 8, 8);
    // Left half white, a light grey column (still set), a dark grey column (clear).
    const uint32_t mask = W::LoadBitmap(
        WriteBmp("wt_mask.bmp", 8, 8,
                 [](int x, int) {
                     return x < 4 ? WHITE : x == 4 ? 0xC8C8C8u : x == 5 ? 0x646464u : 0u;
                 })
            .c_str(),
        8, 8);
    W::Rectangle(0, 0, WIDTH, HEIGHT, BLUE, true);
    W::DrawMaskBitmap(pic, mask, 10, 10);
    EXPECT_EQ(BoundsOf(Painted(RED)), (Bounds{10, 10, 14, 17}));
    EXPECT_EQ(Painted(RED).size(), 40u);

    W::DestroyBitmap(mask);
    W::ClearScreen();
    W::DrawMaskBitmap(pic, mask, 10, 10);
    EXPECT_TRUE(Painted(RED).empty());
}

TEST_F(WimdowsDraw, MaskSmallerThanThePictureLimitsTheCopy) {
    const uint32_t pic = W::LoadBitmap(Uniform("wt_red8.bmp", RED, 8, 8).c_str(), 8, 8);
    const uint32_t mask = W::LoadBitmap(Uniform("wt_white2.bmp", WHITE, 2, 2).c_str(), 3, 2);
    W::DrawMaskBitmap(pic, mask, 0, 0);
    EXPECT_EQ(Painted(RED).size(), 6u);
}

// The mask's shape is remembered after its first use; changing the mask must
// change the shape, and a masked copy is clipped like any other.
TEST_F(WimdowsDraw, AMaskChangedAfterUseMasksWithItsNewShape) {
    const uint32_t pic = W::LoadBitmap(Uniform("wt_red6.bmp", RED, 6, 6).c_str(), 6, 6);
    const uint32_t white = W::LoadBitmap(Uniform("wt_white6.bmp", WHITE, 6, 6).c_str(), 6, 6);
    const uint32_t mask = W::CreateBitmap(6, 6);
    W::CopyBitmap(white, mask, 0, 0, 0, 0, 6, 6);
    W::DrawMaskBitmap(pic, mask, 0, 0);
    EXPECT_EQ(Painted(RED).size(), 36u);

    const uint32_t dark = W::LoadBitmap(Uniform("wt_black2.bmp", 0, 2, 6).c_str(), 2, 6);
    W::CopyBitmap(dark, mask, 0, 0, 2, 0, 2, 6); // columns 2 and 3 now clear
    W::ClearScreen();
    W::DrawMaskBitmap(pic, mask, 0, 0);
    EXPECT_EQ(Painted(RED).size(), 24u);
    EXPECT_EQ(W::GetPixel(2, 3), 0u);

    W::ClearScreen();
    W::DrawMaskBitmap(pic, mask, -5, -4); // only column 5 of rows 4 and 5 is left
    EXPECT_EQ(BoundsOf(Painted(RED)), (Bounds{0, 0, 0, 1}));
    W::DrawMaskBitmap(pic, mask, WIDTH - 1, HEIGHT - 1);
    EXPECT_EQ(W::GetPixel(WIDTH - 1, HEIGHT - 1), RED);
}

TEST_F(WimdowsDraw, PictureCopiesAreClippedAtTheEdges) {
    auto pattern = [](int x, int y) { return uint32_t(10 + x) | uint32_t(10 + y) << 8; };
    const uint32_t pic = W::LoadBitmap(WriteBmp("wt_clip.bmp", 6, 6, pattern).c_str(), 6, 6);
    W::DrawBitmap(pic, -2, -3);
    EXPECT_EQ(W::GetPixel(0, 0), pattern(2, 3));
    EXPECT_EQ(W::GetPixel(3, 2), pattern(5, 5));
    EXPECT_EQ(W::GetPixel(4, 0), 0u);
    W::DrawBitmap(pic, WIDTH - 1, HEIGHT - 1);
    EXPECT_EQ(W::GetPixel(WIDTH - 1, HEIGHT - 1), pattern(0, 0));
    W::DrawBitmap(pic, -2000000000, 2000000000); // far outside: nothing, no fault
}

TEST_F(WimdowsDraw, CopyBitmapCopiesABlockBetweenPictures) {
    auto pattern = [](int x, int y) { return uint32_t(50 + x) | uint32_t(50 + y) << 8; };
    const uint32_t src = W::LoadBitmap(WriteBmp("wt_src.bmp", 4, 4, pattern).c_str(), 4, 4);
    const uint32_t dest = W::CreateBitmap(3, 3);
    ASSERT_NE(dest, 0u);
    W::CopyBitmap(src, dest, 0, 0, 0, 0, 3, 3); // fill it first: its contents start undefined
    W::CopyBitmap(src, dest, 2, 2, 1, 1, 5, 5); // clipped to both pictures
    W::CopyBitmap(src, 99, 0, 0, 0, 0, 3, 3);   // invalid handles are ignored
    W::DrawBitmap(dest, 0, 0);
    EXPECT_EQ(W::GetPixel(0, 0), pattern(0, 0));
    EXPECT_EQ(W::GetPixel(1, 1), pattern(2, 2));
    EXPECT_EQ(W::GetPixel(2, 2), pattern(3, 3));
    EXPECT_EQ(W::GetPixel(2, 0), pattern(2, 0));
    EXPECT_EQ(W::GetPixel(3, 0), 0u);

    W::CopyBitmap(src, src, 0, 0, 1, 1, 3, 3); // overlapping copy inside one picture
    W::DrawBitmap(src, 10, 10);
    EXPECT_EQ(W::GetPixel(13, 13), pattern(2, 2));
    EXPECT_EQ(W::GetPixel(11, 11), pattern(0, 0));
}

TEST_F(WimdowsDraw, TableReusesTheLowestFreeHandleAndTrimsItsEnd) {
    const std::string file = Uniform("wt_table.bmp", GREEN);
    auto load = [&] { return W::LoadBitmap(file.c_str(), 4, 4); };
    EXPECT_EQ(load(), 1u);
    EXPECT_EQ(load(), 2u);
    EXPECT_EQ(load(), 3u);
    W::DestroyBitmap(2);
    EXPECT_EQ(W::BitmapTableLength(), 3u);
    EXPECT_EQ(load(), 2u);
    EXPECT_EQ(W::BitmapTableLength(), 3u);

    W::DestroyBitmap(2);
    W::DestroyBitmap(3);
    EXPECT_EQ(W::BitmapTableLength(), 1u);
    EXPECT_EQ(W::CreateBitmap(2, 2), 2u);
    W::DestroyBitmap(2);
    W::DestroyBitmap(2); // twice: nothing
    W::DestroyBitmap(0);
    W::DestroyBitmap(77);
    EXPECT_EQ(W::BitmapTableLength(), 1u);
    W::DestroyBitmap(1);
    EXPECT_EQ(W::BitmapTableLength(), 0u);
    EXPECT_EQ(load(), 1u);

    EXPECT_EQ(W::CreateBitmap(0, 5), 0u);
    EXPECT_EQ(W::CreateBitmap(5, 0), 0u);
    EXPECT_EQ(W::CreateBitmap(100000, 100000), 0u); // refused, not attempted
    EXPECT_EQ(W::BitmapTableLength(), 1u);
}

TEST(WimdowsPictures, LoadBeforeTheWindowAndReleaseAtItsEnd) {
    W::KillWindow();
    const uint32_t pic = W::LoadBitmap(Uniform("wt_early.bmp", GREEN).c_str(), 4, 4);
    ASSERT_EQ(pic, 1u);
    OpenTestWindow();
    W::DrawBitmap(pic, 0, 0);
    EXPECT_EQ(W::GetPixel(3, 3), GREEN);
    // A second Window closes the first, and with it every picture.
    OpenTestWindow();
    EXPECT_EQ(W::State(), W::STATE_ACTIVE);
    EXPECT_EQ(W::BitmapTableLength(), 0u);
    W::DrawBitmap(pic, 0, 0);
    EXPECT_EQ(W::GetPixel(3, 3), 0u);
    W::KillWindow();
    EXPECT_EQ(W::BitmapTableLength(), 0u);
    EXPECT_EQ(W::State(), W::STATE_DEAD);
}

} // namespace
