// Shading helpers shared by the figure painters.
#pragma once

#include "Canvas.h"

#include <cairo.h>

#include <cmath>
#include <cstdint>

namespace Pictures {

inline constexpr uint32_t kInk = 0x101418; // outline colour of every figure

inline uint32_t Mix(uint32_t a, uint32_t b, double t) {
    auto ch = [&](int s) {
        const double x = ((a >> s) & 0xFF) * (1 - t) + ((b >> s) & 0xFF) * t;
        return uint32_t(std::lround(x)) << s;
    };
    return ch(16) | ch(8) | ch(0);
}
inline uint32_t Light(uint32_t c, double t) {
    return Mix(c, 0xFFFFFF, t);
}
inline uint32_t Dark(uint32_t c, double t) {
    return Mix(c, 0x000000, t);
}

// Fills the current path with a lit-from-top-left gradient of the colour, then inks its rim.
// The user-space offset of a highlight `distance` away from the origin towards the picture's
// top left, whichever way the figure is turned: the light stays in one place.
inline void TowardsLight(cairo_t* cr, double distance, double& x, double& y) {
    double ux = distance, uy = 0;
    cairo_user_to_device_distance(cr, &ux, &uy);
    const double length = std::hypot(ux, uy);
    x = -0.66 * length;
    y = -0.75 * length;
    cairo_device_to_user_distance(cr, &x, &y);
}

inline void Shade(cairo_t* cr, uint32_t colour, double radius, double rim = 1.4) {
    double hx = 0, hy = 0;
    TowardsLight(cr, radius * 0.53, hx, hy);
    cairo_pattern_t* g = cairo_pattern_create_radial(hx, hy, radius * 0.1, 0, 0, radius * 1.2);
    Canvas::AddStop(g, 0, Light(colour, 0.55));
    Canvas::AddStop(g, 0.5, colour);
    Canvas::AddStop(g, 1, Dark(colour, 0.55));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Canvas::Colour(cr, kInk);
    cairo_set_line_width(cr, rim);
    cairo_stroke(cr);
}

inline void Line(cairo_t* cr, double x1, double y1, double x2, double y2, double width,
                 uint32_t c) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    Canvas::Colour(cr, kInk);
    cairo_set_line_width(cr, width + 2);
    cairo_stroke_preserve(cr);
    Canvas::Colour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

} // namespace Pictures
