// Shapes drawn by our own rasteriser over the back buffer: rectangles with
// both ends included, ellipses inside a half-open box, counter-clockwise arcs
// and nonzero-winding polygons.
#include "WimdowsInternal.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <new>

namespace Wimdows {

using namespace Internal;

namespace {

Box Ordered(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

void DrawRect(const Plane& d, const Box& b, uint32_t pix, bool fill) {
    const int64_t top = std::max(b.y0, int64_t{-1});
    const int64_t bottom = std::min(b.y1, d.h);
    for (int64_t y = top; y <= bottom; ++y) {
        if (fill || y == b.y0 || y == b.y1) {
            HLine(d, y, b.x0, b.x1, pix);
        } else {
            Plot(d, b.x0, y, pix);
            Plot(d, b.x1, y, pix);
        }
    }
}

// The ellipse inscribed in the half-open box [x0, x1) x [y0, y1): a pixel is
// inside when its centre is. Rows are spans of inside pixels.
struct EllipseShape {
    double cx, cy, a, b;
    int64_t y0, y1;
};

struct Span {
    int64_t l, r; // empty when l > r
};

EllipseShape MakeEllipse(const Box& box) {
    return {(box.x0 + box.x1) / 2.0,
            (box.y0 + box.y1) / 2.0,
            (box.x1 - box.x0) / 2.0,
            (box.y1 - box.y0) / 2.0,
            box.y0,
            box.y1};
}

Span EllipseSpan(const EllipseShape& e, int64_t y) {
    if (y < e.y0 || y >= e.y1 || e.a <= 0) return {1, 0};
    const double dy = (static_cast<double>(y) + 0.5 - e.cy) / e.b;
    const double t = 1.0 - dy * dy;
    if (t < 0) return {1, 0};
    const double dx = e.a * std::sqrt(t);
    return {static_cast<int64_t>(std::ceil(e.cx - dx - 0.5)),
            static_cast<int64_t>(std::floor(e.cx + dx - 0.5))};
}

void FillEllipse(const Plane& d, const EllipseShape& e, uint32_t pix) {
    for (int64_t y = std::max<int64_t>(e.y0, 0); y < std::min(e.y1, d.h); ++y) {
        const Span s = EllipseSpan(e, y);
        HLine(d, y, s.l, s.r, pix);
    }
}

// Calls plot(x, y) for every outline pixel on the buffer's rows: the inside
// pixels with a 4-neighbour outside.
template <class F> void EllipseOutline(const Plane& d, const EllipseShape& e, F&& plot) {
    for (int64_t y = std::max<int64_t>(e.y0, 0); y < std::min(e.y1, d.h); ++y) {
        const Span s = EllipseSpan(e, y);
        const Span up = EllipseSpan(e, y - 1);
        const Span down = EllipseSpan(e, y + 1);
        int64_t innerL = std::max({s.l + 1, up.l, down.l});
        int64_t innerR = std::min({s.r - 1, up.r, down.r});
        if (up.l > up.r || down.l > down.r) innerL = 1, innerR = 0; // edge row: all outline
        const int64_t from = std::max<int64_t>(s.l, 0);
        const int64_t to = std::min<int64_t>(s.r, d.w - 1);
        for (int64_t x = from; x <= to; ++x)
            if (x < innerL || x > innerR) plot(x, y);
    }
}

// Screen angle (counter-clockwise as seen) of (x, y) around (cx, cy), wrapped to [0, 2pi).
double Wrap(double a) {
    constexpr double TWO_PI = 6.283185307179586;
    a = std::fmod(a, TWO_PI);
    return a < 0 ? a + TWO_PI : a;
}

double ScreenAngle(double x, double y, double cx, double cy) {
    return std::atan2(cy - y, x - cx);
}

void DrawArc(const Plane& d, const Box& box, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
             uint32_t pix) {
    const EllipseShape e = MakeEllipse(box);
    const double start = ScreenAngle(x2, y2, e.cx, e.cy);
    const double sweep = Wrap(ScreenAngle(x3, y3, e.cx, e.cy) - start);
    EllipseOutline(d, e, [&](int64_t x, int64_t y) {
        // Equal rays give the whole ellipse.
        const double a = Wrap(ScreenAngle(x + 0.5, y + 0.5, e.cx, e.cy) - start);
        if (sweep == 0 || a <= sweep) Plot(d, x, y, pix);
    });
}

// A line with both end pixels; only the part over the buffer is walked.
void DrawLine(const Plane& d, int64_t xa, int64_t ya, int64_t xb, int64_t yb, uint32_t pix) {
    const int64_t dx = xb - xa;
    const int64_t dy = yb - ya;
    if (dx == 0 && dy == 0) return Plot(d, xa, ya, pix);
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const int64_t from =
        alongX ? std::max<int64_t>(std::min(xa, xb), 0) : std::max<int64_t>(std::min(ya, yb), 0);
    const int64_t to = alongX ? std::min<int64_t>(std::max(xa, xb), d.w - 1)
                              : std::min<int64_t>(std::max(ya, yb), d.h - 1);
    for (int64_t m = from; m <= to; ++m) {
        if (alongX) {
            const double y = ya + static_cast<double>(m - xa) * dy / dx;
            Plot(d, m, static_cast<int64_t>(std::floor(y + 0.5)), pix);
        } else {
            const double x = xa + static_cast<double>(m - ya) * dx / dy;
            Plot(d, static_cast<int64_t>(std::floor(x + 0.5)), m, pix);
        }
    }
}

// Nonzero winding fill, sampled at pixel centres.
void FillPolygon(const Plane& d, uint32_t n, const int32_t* x, const int32_t* y, const Box& bound,
                 std::vector<std::pair<double, int>>& cross, uint32_t pix) {
    for (int64_t row = std::max<int64_t>(bound.y0, 0); row <= std::min(bound.y1, d.h - 1); ++row) {
        const double yc = static_cast<double>(row) + 0.5;
        cross.clear();
        for (uint32_t i = 0; i < n; ++i) {
            const uint32_t j = (i + 1) % n;
            if ((y[i] <= yc) == (y[j] <= yc)) continue;
            const double t = (yc - y[i]) / (static_cast<double>(y[j]) - y[i]);
            cross.emplace_back(x[i] + t * (static_cast<double>(x[j]) - x[i]), y[j] > y[i] ? 1 : -1);
        }
        std::sort(cross.begin(), cross.end());
        int winding = 0;
        double start = 0;
        for (const auto& [cx, dir] : cross) {
            if (winding == 0) start = cx;
            winding += dir;
            if (winding == 0)
                HLine(d, row, static_cast<int64_t>(std::ceil(start - 0.5)),
                      static_cast<int64_t>(std::ceil(cx - 0.5)) - 1, pix);
        }
    }
}

void DrawEllipse(const Box& b, uint32_t color, bool fill) {
    const uint32_t pix = SwapRedBlue(color);
    const EllipseShape e = MakeEllipse(b);
    DrawShape(b, [&](const Plane& d) {
        if (fill)
            FillEllipse(d, e, pix);
        else
            EllipseOutline(d, e, [&](int64_t x, int64_t y) { Plot(d, x, y, pix); });
    });
}

Box BoxAround(int32_t x, int32_t y, uint32_t radius) {
    const int64_t r = radius;
    return {x - r, y - r, x + r, y + r};
}

// A disc's rows around its centre, kept by radius: bullets are hundreds of
// discs a frame. The centre is a whole pixel, and no row of a disc ends
// within 1 / (4 radius) of a pixel's edge, so every disc of a radius has the
// rows of the one at (0, 0), wherever it lies.
constexpr uint32_t KEPT_RADII = 256;
const std::vector<Span>& DiscRows(uint32_t radius) {
    static std::vector<std::vector<Span>> kept(KEPT_RADII);
    std::vector<Span>& rows = kept[radius];
    if (rows.empty() && radius > 0) {
        const EllipseShape e = MakeEllipse(BoxAround(0, 0, radius));
        for (int64_t y = e.y0; y < e.y1; ++y)
            rows.push_back(EllipseSpan(e, y));
    }
    return rows;
}

// A disc of a kept radius around (x0, y0).
void FillDisc(const Plane& d, int32_t x0, int32_t y0, uint32_t radius, uint32_t pix) {
    const std::vector<Span>& rows = DiscRows(radius);
    const Box b = BoxAround(x0, y0, radius);
    if (b.x0 < 0 || b.y0 < 0 || b.x1 >= d.w || b.y1 >= d.h) {
        for (size_t j = 0; j < rows.size(); ++j)
            HLine(d, b.y0 + int64_t(j), x0 + rows[j].l, x0 + rows[j].r, pix);
        return;
    }
    // Wholly inside, as a flying bullet is: no row needs clipping.
    uint32_t* at = d.px + b.y0 * d.w + x0;
    for (const Span& s : rows) {
        for (int64_t x = s.l; x <= s.r; ++x)
            at[x] = pix;
        at += d.w;
    }
}

} // namespace

// ---------------------------------------------------------------- primitives

void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color, bool fill) {
    const Box b = Ordered(x0, y0, x1, y1);
    DrawShape(b, [&](const Plane& d) { DrawRect(d, b, SwapRedBlue(color), fill); });
}

void Ellipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color, bool fill) {
    DrawEllipse(Ordered(x0, y0, x1, y1), color, fill);
}

void Arc(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
         int32_t y3, uint32_t color) {
    const Box b = Ordered(x0, y0, x1, y1);
    DrawShape(b, [&](const Plane& d) { DrawArc(d, b, x2, y2, x3, y3, SwapRedBlue(color)); });
}

void Circle(int32_t x0, int32_t y0, uint32_t radius, uint32_t color) {
    DrawEllipse(BoxAround(x0, y0, radius), color, false);
}

void Disc(int32_t x0, int32_t y0, uint32_t radius, uint32_t color) {
    const Box b = BoxAround(x0, y0, radius);
    if (radius >= KEPT_RADII) return DrawEllipse(b, color, true);
    DrawShape(
        b, [&](const Plane& d) { FillDisc(d, x0, y0, radius, SwapRedBlue(color)); }, Reach::INSIDE);
}

void RimmedDisc(int32_t x0, int32_t y0, uint32_t radius, uint32_t rim, uint32_t color) {
    const uint32_t inner = radius > 0 ? radius - 1 : 0;
    if (radius >= KEPT_RADII) {
        Disc(x0, y0, radius, rim);
        return Disc(x0, y0, inner, color);
    }
    DrawShape(
        BoxAround(x0, y0, radius),
        [&](const Plane& d) {
            FillDisc(d, x0, y0, radius, SwapRedBlue(rim));
            FillDisc(d, x0, y0, inner, SwapRedBlue(color));
        },
        Reach::INSIDE);
}

void ClearScreen() {
    Rectangle(0, 0, static_cast<int32_t>(Width()), static_cast<int32_t>(Height()), 0, true);
}

void Polygon(uint32_t n, const int32_t* x, const int32_t* y, uint32_t color, bool fill) {
    if (n == 0 || !x || !y) return;
    std::vector<std::pair<double, int>> cross;
    try {
        cross.reserve(n);
    } catch (const std::bad_alloc&) {
        std::cout << "OUT OF MEMORY!! (In Wimdows)   " << std::endl;
        return;
    }
    Box bound{x[0], y[0], x[0], y[0]};
    for (uint32_t i = 1; i < n; ++i)
        bound = {std::min<int64_t>(bound.x0, x[i]), std::min<int64_t>(bound.y0, y[i]),
                 std::max<int64_t>(bound.x1, x[i]), std::max<int64_t>(bound.y1, y[i])};
    const uint32_t pix = SwapRedBlue(color);
    DrawShape(bound, [&](const Plane& d) {
        if (fill) FillPolygon(d, n, x, y, bound, cross, pix);
        for (uint32_t i = 0; i < n; ++i) {
            const uint32_t j = (i + 1) % n;
            DrawLine(d, x[i], y[i], x[j], y[j], pix);
        }
    });
}

uint32_t GetPixel(int32_t x, int32_t y) {
    std::lock_guard lock(bufferLock);
    const Plane d = BackPlane();
    if (back.empty() || x < 0 || y < 0 || x >= d.w || y >= d.h) return 0;
    return SwapRedBlue(d.px[int64_t{y} * d.w + x]);
}

} // namespace Wimdows
