// The 36 monsters. Each is drawn around the centre of its hit circle, fitted inside the circle
// and the picture, and edged with a light rim so that it stands out from every floor.
#include "AssetList.h"
#include "Canvas.h"
#include "Pictures.h"
#include "Shading.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace Pictures {

using namespace Canvas;

namespace {

// ---------------------------------------------------------------- monsters

struct Look {
    int body;        // silhouette family, 0..8
    uint32_t colour; // main colour
    uint32_t eye;    // iris or glow colour
    int eyes;        // 1..4
    int extra;       // limbs or decoration, 0..3
};

// Hues in three sets of four (every third entry): a family takes one set, so its members differ
// in hue and in brightness, not only in a red or a green that colour-blind players cannot tell.
constexpr std::array<uint32_t, 12> kHues = {0x4CC24A, 0xE0452C, 0xA04CD8, 0x3A7BE0,
                                            0x2CC8C0, 0x8AA83A, 0xF07A28, 0x6A60E8,
                                            0x40B8F0, 0xD8408C, 0xE8C830, 0x9A5A30};

Look LookOf(int number) {
    const int i = number - 1, body = i / 4, variant = i % 4;
    Look l;
    l.body = body;
    l.colour = kHues[(body * 5 + variant * 3) % 12];
    l.eye = std::array<uint32_t, 4>{0xFFF060, 0xFF3030, 0x60FFF0, 0xFFFFFF}[(body + variant) % 4];
    l.eyes = 1 + (body * 3 + variant) % 4;
    l.extra = variant;
    return l;
}

void Eye(cairo_t* cr, double x, double y, double r, uint32_t iris, bool glowing) {
    if (glowing) {
        cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r * 1.3);
        AddStop(g, 0, 0xFFFFFF);
        AddStop(g, 0.45, iris);
        AddStop(g, 1, Dark(iris, 0.4));
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        Colour(cr, kInk);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        return;
    }
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    Colour(cr, 0xF4F4EC);
    cairo_fill_preserve(cr);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_arc(cr, x, y + r * 0.2, r * 0.55, 0, 2 * M_PI);
    Colour(cr, Dark(iris, 0.2));
    cairo_fill(cr);
    cairo_arc(cr, x, y + r * 0.25, r * 0.28, 0, 2 * M_PI);
    Colour(cr, kInk);
    cairo_fill(cr);
    cairo_arc(cr, x - r * 0.3, y - r * 0.2, r * 0.18, 0, 2 * M_PI);
    Colour(cr, 0xFFFFFF);
    cairo_fill(cr);
}

void Eyes(cairo_t* cr, const Look& l, double y, double scale) {
    const bool glowing = (l.body + l.extra) % 3 == 0;
    switch (l.eyes) {
    case 1:
        Eye(cr, 0, y, 5.5 * scale, l.eye, glowing);
        break;
    case 2:
        Eye(cr, -5 * scale, y, 3.6 * scale, l.eye, glowing);
        Eye(cr, 5 * scale, y, 3.6 * scale, l.eye, glowing);
        break;
    case 3:
        Eye(cr, -6.5 * scale, y + scale, 2.8 * scale, l.eye, glowing);
        Eye(cr, 0, y - 2 * scale, 3.2 * scale, l.eye, glowing);
        Eye(cr, 6.5 * scale, y + scale, 2.8 * scale, l.eye, glowing);
        break;
    default:
        for (int k = 0; k < 4; ++k)
            Eye(cr, (k % 2 ? 4.5 : -4.5) * scale, y + (k / 2 ? 3.5 : -3) * scale, 2.4 * scale,
                l.eye, glowing);
    }
}

void Mouth(cairo_t* cr, double y, double w) {
    cairo_move_to(cr, -w, y);
    for (int k = 0; k <= 6; ++k)
        cairo_line_to(cr, -w + k * w / 3, y + (k % 2 ? 2.2 : 0));
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
}

void Legs(cairo_t* cr, uint32_t c, int pairs, double reach) {
    for (int k = 0; k < pairs; ++k) {
        const double y = -6 + k * 12.0 / std::max(1, pairs - 1);
        for (int side : {-1, 1}) {
            cairo_move_to(cr, side * 8, y);
            cairo_line_to(cr, side * (reach - 4), y - 3);
            cairo_line_to(cr, side * reach, y + 4);
        }
    }
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 3.6);
    cairo_stroke_preserve(cr);
    Colour(cr, Dark(c, 0.3));
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
}

void Blob(cairo_t* cr, const Look& l) {
    // A slime: a wobbling disc with drips.
    for (int k = 0; k <= 24; ++k) {
        const double a = k * 2 * M_PI / 24;
        const double r = 15 + 1.6 * std::sin(3 * a + l.extra) + (std::sin(a) > 0.6 ? 2.5 : 0);
        cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
    Shade(cr, l.colour, 16);
    cairo_arc(cr, -6, -7, 3, 0, 2 * M_PI);
    Colour(cr, 0xFFFFFF, 0.55);
    cairo_fill(cr);
    Eyes(cr, l, -2, 1.0);
    Mouth(cr, 7, 5);
}

void Urchin(cairo_t* cr, const Look& l) {
    const int spikes = 9 + l.extra * 2;
    for (int k = 0; k < 2 * spikes; ++k) {
        const double a = k * M_PI / spikes, r = k % 2 ? 11 : 19.5;
        cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
    Shade(cr, Dark(l.colour, 0.2), 18);
    cairo_arc(cr, 0, 0, 11.5, 0, 2 * M_PI);
    Shade(cr, l.colour, 12);
    Eyes(cr, l, -1, 0.85);
}

void Beetle(cairo_t* cr, const Look& l) {
    // Mandibles and legs first, then the shell over them.
    for (int side : {-1, 1}) {
        cairo_move_to(cr, side * 3, -14);
        cairo_curve_to(cr, side * 8, -19, side * 3, -21, side * 1, -20);
    }
    Colour(cr, kInk);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    Legs(cr, l.colour, 3, 19);
    cairo_save(cr);
    cairo_scale(cr, 0.78, 1.0);
    cairo_arc(cr, 0, 2, 16, 0, 2 * M_PI);
    cairo_restore(cr);
    Shade(cr, l.colour, 16);
    cairo_move_to(cr, 0, -6);
    cairo_line_to(cr, 0, 18);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int k = 0; k < 3; ++k) {
        cairo_arc(cr, (k % 2 ? 5 : -5), 4 + k * 4.5, 1.8, 0, 2 * M_PI);
        Colour(cr, Dark(l.colour, 0.5));
        cairo_fill(cr);
    }
    cairo_arc(cr, 0, -10, 6.5, 0, 2 * M_PI);
    Shade(cr, Dark(l.colour, 0.35), 7);
    Eyes(cr, l, -11, 0.6);
}

void Squid(cairo_t* cr, const Look& l) {
    const int arms = 4 + l.extra;
    for (int k = 0; k < arms; ++k) {
        const double x = -10 + 20.0 * k / (arms - 1);
        cairo_move_to(cr, x * 0.8, 2);
        cairo_curve_to(cr, x, 10, x * 1.2 + 4 * ((k % 2) ? 1 : -1), 14, x * 1.1, 19);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 5.2);
    cairo_stroke_preserve(cr);
    Colour(cr, Dark(l.colour, 0.15));
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
    cairo_move_to(cr, -15, 4);
    cairo_curve_to(cr, -16, -22, 16, -22, 15, 4);
    cairo_curve_to(cr, 8, 8, -8, 8, -15, 4);
    cairo_close_path(cr);
    Shade(cr, l.colour, 16);
    for (int k = -1; k <= 1; ++k) {
        cairo_arc(cr, k * 7, -12 + std::abs(k) * 2, 1.6, 0, 2 * M_PI);
        Colour(cr, Light(l.colour, 0.45));
        cairo_fill(cr);
    }
    Eyes(cr, l, -3, 0.9);
}

void Crab(cairo_t* cr, const Look& l) {
    Legs(cr, l.colour, 3, 20);
    for (int side : {-1, 1}) {
        // Arm and pincer.
        Line(cr, side * 9, -4, side * 13, -12, 2.4, l.colour);
        cairo_move_to(cr, side * 13, -10);
        cairo_arc(cr, side * 13, -15, 5.5, side > 0 ? M_PI * 0.35 : M_PI * 0.65,
                  side > 0 ? M_PI * 2.05 : M_PI * 2.45);
        cairo_close_path(cr);
        Shade(cr, Light(l.colour, 0.1), 6);
        // The open jaw of the pincer.
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        cairo_move_to(cr, side * 13, -15);
        cairo_line_to(cr, side * 11, -22);
        cairo_line_to(cr, side * 17, -21);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    }
    cairo_save(cr);
    cairo_scale(cr, 1.0, 0.7);
    cairo_arc(cr, 0, 3, 13, 0, 2 * M_PI);
    cairo_restore(cr);
    Shade(cr, l.colour, 13);
    Eyes(cr, l, 0, 0.8);
}

void Drone(cairo_t* cr, const Look& l) {
    for (int k = 0; k < 4; ++k) {
        const double a = M_PI / 4 + k * M_PI / 2, x = 13 * std::cos(a), y = 13 * std::sin(a);
        Line(cr, 0, 0, x, y, 3, 0x707C88);
        cairo_arc(cr, x, y, 6.5, 0, 2 * M_PI);
        Colour(cr, 0x1C2228, 0.95);
        cairo_fill_preserve(cr);
        Colour(cr, kInk);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        // Rotor blur.
        cairo_arc(cr, x, y, 5.5, a + 0.3, a + 1.2);
        cairo_arc(cr, x, y, 5.5, a + M_PI + 0.3, a + M_PI + 1.2);
        Colour(cr, Light(l.colour, 0.5), 0.9);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    for (int k = 0; k < 6; ++k) {
        const double a = k * M_PI / 3 + M_PI / 6;
        cairo_line_to(cr, 10 * std::cos(a), 10 * std::sin(a));
    }
    cairo_close_path(cr);
    Shade(cr, l.colour, 10);
    Eyes(cr, l, 0, 0.75);
}

void Ghost(cairo_t* cr, const Look& l) {
    cairo_move_to(cr, -14, 16);
    cairo_line_to(cr, -14, -2);
    cairo_arc(cr, 0, -3, 14, M_PI, 2 * M_PI);
    cairo_line_to(cr, 14, 16);
    const int waves = 3 + l.extra % 2;
    for (int k = 0; k < waves; ++k) {
        const double x0 = 14 - 28.0 * k / waves, x1 = 14 - 28.0 * (k + 1) / waves;
        cairo_curve_to(cr, x0, 10, x1, 10, x1, 16);
    }
    cairo_close_path(cr);
    Shade(cr, Light(l.colour, 0.35), 16);
    // Dark sockets behind the eyes.
    cairo_save(cr);
    cairo_scale(cr, 1.0, 0.8);
    cairo_arc(cr, 0, -6, 9, 0, 2 * M_PI);
    cairo_restore(cr);
    Colour(cr, Dark(l.colour, 0.7), 0.55);
    cairo_fill(cr);
    Eyes(cr, l, -5, 0.9);
    cairo_arc(cr, 0, 6, 3, 0, M_PI);
    Colour(cr, kInk);
    cairo_fill(cr);
}

void Eyeball(cairo_t* cr, const Look& l) {
    for (int k = 0; k < 5 + l.extra; ++k) {
        const double a = M_PI * (0.15 + 0.7 * k / (4.0 + l.extra));
        cairo_move_to(cr, 10 * std::cos(a), 10 * std::sin(a));
        cairo_curve_to(cr, 15 * std::cos(a - 0.3), 15 * std::sin(a - 0.3), 17 * std::cos(a + 0.2),
                       17 * std::sin(a + 0.2), 19 * std::cos(a), 19 * std::sin(a));
    }
    Colour(cr, kInk);
    cairo_set_line_width(cr, 3.6);
    cairo_stroke_preserve(cr);
    Colour(cr, l.colour);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    cairo_arc(cr, 0, -1, 14, 0, 2 * M_PI);
    Shade(cr, l.extra % 2 ? Light(l.colour, 0.7) : 0xE8E4DA, 14);
    Colour(cr, 0xC03030, 0.7);
    cairo_set_line_width(cr, 0.8);
    for (int k = 0; k < 6; ++k) {
        const double a = k * M_PI / 3 + 0.4;
        cairo_move_to(cr, 13 * std::cos(a), 13 * std::sin(a) - 1);
        cairo_line_to(cr, 8 * std::cos(a + 0.3), 8 * std::sin(a + 0.3) - 1);
    }
    cairo_stroke(cr);
    Eye(cr, 0, 0, 8, l.colour, false);
    if (l.extra >= 2) {
        // A lid half closed over the eye, and a slit pupil.
        cairo_arc(cr, 0, -1, 14, M_PI, 2 * M_PI);
        cairo_close_path(cr);
        Shade(cr, Dark(l.colour, 0.2), 14);
        cairo_save(cr);
        cairo_scale(cr, 0.3, 1);
        cairo_arc(cr, 0, 2, 5, 0, 2 * M_PI);
        cairo_restore(cr);
        Colour(cr, kInk);
        cairo_fill(cr);
    }
}

void Bat(cairo_t* cr, const Look& l) {
    for (int side : {-1, 1}) {
        cairo_move_to(cr, side * 5, -4);
        cairo_line_to(cr, side * 19, -12);
        cairo_line_to(cr, side * 18, 2);
        cairo_line_to(cr, side * 14, -1);
        cairo_line_to(cr, side * 12, 6);
        cairo_line_to(cr, side * 8, 2);
        cairo_line_to(cr, side * 5, 7);
        cairo_close_path(cr);
        Shade(cr, Dark(l.colour, 0.3), 18);
    }
    cairo_arc(cr, 0, 0, 9, 0, 2 * M_PI);
    Shade(cr, l.colour, 9);
    for (int side : {-1, 1}) {
        cairo_move_to(cr, side * 3, -8);
        cairo_line_to(cr, side * 7, -15);
        cairo_line_to(cr, side * 8, -6);
        cairo_close_path(cr);
        Shade(cr, l.colour, 6, 1.1);
    }
    Eyes(cr, l, -1, 0.7);
    Mouth(cr, 5, 3);
}

// Horns for the second of a family and back spines for the third: a silhouette of their own.
void Horns(cairo_t* cr, uint32_t c) {
    for (int side : {-1, 1}) {
        cairo_move_to(cr, side * 3, -10);
        cairo_curve_to(cr, side * 5, -18, side * 10, -21, side * 15, -22);
        cairo_curve_to(cr, side * 12, -17, side * 11, -13, side * 10, -8);
        cairo_close_path(cr);
        Shade(cr, Light(c, 0.6), 8, 1.2);
    }
}

void Spines(cairo_t* cr, uint32_t c) {
    for (int side : {-1, 1})
        for (int k = 0; k < 3; ++k) {
            const double y = -7 + k * 7;
            cairo_move_to(cr, side * 11, y - 3.5);
            cairo_line_to(cr, side * 21, y + 1.5);
            cairo_line_to(cr, side * 11, y + 3.5);
            cairo_close_path(cr);
            Shade(cr, Dark(c, 0.35), 7, 1.1);
        }
}

// The brood: pale eggs on the back of the monsters that burst into young ones.
void Eggs(cairo_t* cr) {
    const std::array<std::array<double, 2>, 4> at = {{{-5, 6}, {5, 6}, {0, 11.5}, {0, 1}}};
    for (const auto& e : at) {
        cairo_save(cr);
        cairo_translate(cr, e[0], e[1]);
        cairo_save(cr);
        cairo_scale(cr, 0.85, 1.0);
        cairo_arc(cr, 0, 0, 3.8, 0, 2 * M_PI);
        cairo_restore(cr);
        Shade(cr, 0xF2ECC8, 4, 1.1);
        cairo_arc(cr, 0.6, 0.8, 1.3, 0, 2 * M_PI);
        Colour(cr, 0x50D060);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

// The mines: a hazard band round the eye and a burning fuse.
void Fuse(cairo_t* cr) {
    cairo_arc(cr, 0, -1, 12.5, 0, 2 * M_PI);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke_preserve(cr);
    const double dash[] = {3.0, 3.0};
    cairo_set_dash(cr, dash, 2, 0);
    Colour(cr, 0xFFA018);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_move_to(cr, 6, -12);
    cairo_curve_to(cr, 8, -17, 12, -16, 12, -20);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    for (int k = 0; k < 8; ++k) {
        const double a = k * M_PI / 4, r = k % 2 ? 2.2 : 4.2;
        cairo_line_to(cr, 12 + r * std::cos(a), -20.5 + r * std::sin(a));
    }
    cairo_close_path(cr);
    Colour(cr, 0xFFF0A0);
    cairo_fill_preserve(cr);
    Colour(cr, 0xFF5010);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// The figure at its radius around its own drawing origin, before it is fitted.
void RawFigure(cairo_t* cr, int number) {
    const Look l = LookOf(number);
    const double scale = AssetList::MonsterRadius(number) / 20.0;
    cairo_scale(cr, scale, scale);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const bool ownShape = l.body == 1 || l.body == 7; // urchins and eyeballs vary by themselves
    if (!ownShape && l.extra == 1) Horns(cr, l.colour);
    if (!ownShape && l.extra == 2) Spines(cr, l.colour);
    switch (l.body) {
    case 0:
        Blob(cr, l);
        break;
    case 1:
        Urchin(cr, l);
        break;
    case 2:
        Beetle(cr, l);
        break;
    case 3:
        Squid(cr, l);
        break;
    case 4:
        Crab(cr, l);
        break;
    case 5:
        Drone(cr, l);
        break;
    case 6:
        Ghost(cr, l);
        break;
    case 7:
        Eyeball(cr, l);
        break;
    default:
        Bat(cr, l);
        break;
    }
    if (AssetList::SpawnerPicture(number)) Eggs(cr);
    if (AssetList::ExploderPicture(number)) Fuse(cr);
}

constexpr double kRim = 1.2;
constexpr uint32_t kRimColour = 0xF0F4F8;

// Where a figure's drawing lies and how much it must shrink: centred on the hit circle, within
// the circle's radius plus 2 and a pixel inside the picture, rim included.
struct Fit {
    double cx = 0, cy = 0, scale = 1;
};

Fit Measure(int number) {
    constexpr int side = 160;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side);
    cairo_t* cr = cairo_create(s);
    cairo_translate(cr, side / 2, side / 2);
    cairo_push_group(cr);
    RawFigure(cr, number);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    auto opaque = [&](int x, int y) {
        return data[y * stride + 4 * x + 3] >= 100; // alpha of a native-endian ARGB pixel
    };
    double left = side, right = 0, top = side, bottom = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (opaque(x, y)) {
                left = std::min(left, double(x));
                right = std::max(right, x + 1.0);
                top = std::min(top, double(y));
                bottom = std::max(bottom, y + 1.0);
            }
    Fit fit;
    fit.cx = (left + right) / 2 - side / 2;
    fit.cy = (top + bottom) / 2 - side / 2;
    double reach = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (opaque(x, y))
                reach = std::max(
                    reach, std::hypot(x + 0.5 - side / 2 - fit.cx, y + 0.5 - side / 2 - fit.cy));
    cairo_surface_destroy(s);
    const double half = std::max(right - left, bottom - top) / 2;
    const double radius = AssetList::MonsterRadius(number);
    fit.scale = std::min({1.0, (19.4 - kRim) / half, (radius + 1.3 - kRim) / reach});
    return fit;
}

// Measured once per monster: the larger pictures draw the same figures again.
const Fit& FitOf(int number) {
    static std::array<std::optional<Fit>, AssetList::kMonsterCount + 1> fits;
    std::optional<Fit>& fit = fits[size_t(number)];
    if (!fit) fit = Measure(number);
    return *fit;
}

} // namespace

void MonsterFigure(cairo_t* cr, int number) {
    const Fit& fit = FitOf(number);
    cairo_save(cr);
    // Drawn in a group of its own: the pincers cut holes that must not reach the background.
    cairo_push_group(cr);
    cairo_scale(cr, fit.scale, fit.scale);
    cairo_translate(cr, -fit.cx, -fit.cy);
    RawFigure(cr, number);
    cairo_pattern_t* figure = cairo_pop_group(cr);
    // The light rim: the silhouette painted a little off-centre in every direction.
    for (int k = 0; k < 12; ++k) {
        const double a = k * M_PI / 6;
        cairo_save(cr);
        cairo_translate(cr, kRim * std::cos(a), kRim * std::sin(a));
        Colour(cr, kRimColour, 0.9);
        cairo_mask(cr, figure);
        cairo_restore(cr);
    }
    cairo_set_source(cr, figure);
    cairo_paint(cr);
    cairo_pattern_destroy(figure);
    cairo_restore(cr);
}

void MonsterAt(cairo_t* cr, int number, double x, double y, double scale) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    MonsterFigure(cr, number);
    cairo_restore(cr);
}

} // namespace Pictures
