// The arena's objects. The game places a monster or pick-up picture with its top-left corner
// 21 pixels up and left of the object's centre, and the robot 30 pixels up and left, so every
// figure is drawn around that point and kept inside the object's circle.
#include "AssetList.h"
#include "Canvas.h"
#include "Pictures.h"

#include <array>
#include <cmath>
#include <string>

namespace Pictures {

using namespace Canvas;

namespace {

constexpr double kObjectCentre = 21; // where the game puts an object's centre in its picture
constexpr double kRobotCentre = 30;
constexpr uint32_t kInk = 0x101418; // outline colour of every figure

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    auto ch = [&](int s) {
        const double x = ((a >> s) & 0xFF) * (1 - t) + ((b >> s) & 0xFF) * t;
        return uint32_t(std::lround(x)) << s;
    };
    return ch(16) | ch(8) | ch(0);
}
uint32_t Light(uint32_t c, double t) {
    return Mix(c, 0xFFFFFF, t);
}
uint32_t Dark(uint32_t c, double t) {
    return Mix(c, 0x000000, t);
}

// Fills the current path with a lit-from-top-left gradient of the colour, then inks its rim.
void Shade(cairo_t* cr, uint32_t colour, double radius, double rim = 1.4) {
    cairo_pattern_t* g = cairo_pattern_create_radial(-radius * 0.35, -radius * 0.4, radius * 0.1, 0,
                                                     0, radius * 1.2);
    AddStop(g, 0, Light(colour, 0.55));
    AddStop(g, 0.5, colour);
    AddStop(g, 1, Dark(colour, 0.55));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Colour(cr, kInk);
    cairo_set_line_width(cr, rim);
    cairo_stroke(cr);
}

void Line(cairo_t* cr, double x1, double y1, double x2, double y2, double width, uint32_t c) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    Colour(cr, kInk);
    cairo_set_line_width(cr, width + 2);
    cairo_stroke_preserve(cr);
    Colour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// ---------------------------------------------------------------- robot

void Tread(cairo_t* cr, double x) {
    RoundedRect(cr, x - 5, -19, 10, 38, 3);
    Colour(cr, 0x2A3038);
    cairo_fill_preserve(cr);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    Colour(cr, 0x5A6472);
    cairo_set_line_width(cr, 1.6);
    for (double y = -16; y <= 16; y += 4) {
        cairo_move_to(cr, x - 3.5, y);
        cairo_line_to(cr, x + 3.5, y);
    }
    cairo_stroke(cr);
}

void Octagon(cairo_t* cr, double r) {
    for (int k = 0; k < 8; ++k) {
        const double a = (k + 0.5) * M_PI / 4;
        cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
}

// ---------------------------------------------------------------- monsters

struct Look {
    int body;        // silhouette family, 0..8
    uint32_t colour; // main colour
    uint32_t eye;    // iris or glow colour
    int eyes;        // 1..4
    int extra;       // limbs or decoration, 0..3
};

constexpr std::array<uint32_t, 12> kHues = {0x4CC24A, 0xE0452C, 0x3A7BE0, 0xE8B830,
                                            0xA04CD8, 0x2CC8C0, 0xF07A28, 0xD8408C,
                                            0x8AA83A, 0x6A60E8, 0xC02020, 0x30A070};

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

void Antennae(cairo_t* cr, uint32_t c) {
    for (int side : {-1, 1}) {
        cairo_move_to(cr, side * 4, -10);
        cairo_curve_to(cr, side * 6, -16, side * 12, -17, side * 13, -19);
        Colour(cr, kInk);
        cairo_set_line_width(cr, 2.6);
        cairo_stroke(cr);
        cairo_arc(cr, side * 13, -18.5, 2.2, 0, 2 * M_PI);
        Colour(cr, Light(c, 0.5));
        cairo_fill_preserve(cr);
        Colour(cr, kInk);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
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

void Extras(cairo_t* cr, const Look& l) {
    // A second cue besides colour: antennae for some, a spiky crest for others.
    if (l.body == 0 || l.body == 6) {
        if (l.extra == 1) Antennae(cr, l.colour);
        if (l.extra == 2) Legs(cr, l.colour, 2, 19);
    }
    if (l.body == 5 && l.extra >= 2) {
        cairo_arc(cr, 0, 0, 19, 0, 2 * M_PI);
        Colour(cr, l.extra == 2 ? 0xFF4040 : 0x40FF80, 0.8);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
}

void DrawPickup(std::string_view stem, uint32_t colour, int kind) {
    Pic pic = New(30, 30);
    cairo_t* cr = pic.cr;
    cairo_translate(cr, kObjectCentre, kObjectCentre);
    if (kind == 0) {
        // Armour: a shield.
        cairo_move_to(cr, 0, -9);
        cairo_curve_to(cr, 4, -7, 7, -7.5, 8.5, -7.5);
        cairo_curve_to(cr, 8.5, 2, 5, 6, 0, 9);
        cairo_curve_to(cr, -5, 6, -8.5, 2, -8.5, -7.5);
        cairo_curve_to(cr, -7, -7.5, -4, -7, 0, -9);
        cairo_close_path(cr);
        Shade(cr, colour, 9, 1.3);
        cairo_move_to(cr, 0, -5);
        cairo_line_to(cr, 0, 5);
        cairo_move_to(cr, -4.5, -1.5);
        cairo_line_to(cr, 4.5, -1.5);
        Colour(cr, 0xE0FCFF);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    } else {
        // Life and maximum life share one heart outline (and one mask).
        cairo_move_to(cr, 0, 8.5);
        cairo_curve_to(cr, -6, 4, -9.2, 0, -9.2, -3.5);
        cairo_curve_to(cr, -9.2, -7.5, -4, -9.5, 0, -5.2);
        cairo_curve_to(cr, 4, -9.5, 9.2, -7.5, 9.2, -3.5);
        cairo_curve_to(cr, 9.2, 0, 6, 4, 0, 8.5);
        cairo_close_path(cr);
        Shade(cr, colour, 9, 1.3);
        cairo_move_to(cr, 0, -4);
        cairo_line_to(cr, 0, 3);
        cairo_move_to(cr, -3.5, -0.5);
        cairo_line_to(cr, 3.5, -0.5);
        Colour(cr, kind == 1 ? 0xFFFFFF : 0x602000);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    if (kind == 2) {
        Save(pic, std::string(stem) + ".bmp");
    } else {
        SaveMasked(pic, stem);
    }
    Free(pic);
}

void Puffs(cairo_t* cr, Random& rnd, int count, double spread, double rMin, double rMax,
           uint32_t light, uint32_t dark) {
    for (int k = 0; k < count; ++k) {
        const double a = rnd.Range(0, 2 * M_PI), d = spread * std::sqrt(rnd.Next());
        const double x = d * std::cos(a), y = d * std::sin(a), r = rnd.Range(rMin, rMax);
        cairo_pattern_t* g =
            cairo_pattern_create_radial(x - r * 0.3, y - r * 0.35, r * 0.1, x, y, r);
        AddStop(g, 0, light);
        AddStop(g, 0.75, Mix(light, dark, 0.6));
        AddStop(g, 1, dark, 0.0);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

void DrawCloud() {
    Pic pic = New(150, 150);
    cairo_translate(pic.cr, 75, 75);
    Random rnd(11);
    Puffs(pic.cr, rnd, 26, 42, 16, 30, 0xC8C0E0, 0x504870);
    Puffs(pic.cr, rnd, 10, 28, 10, 20, 0xF0ECFF, 0x8078A8);
    // Green sparks: something is hatching inside.
    for (int k = 0; k < 9; ++k) {
        const double a = rnd.Range(0, 2 * M_PI), d = rnd.Range(10, 45);
        cairo_arc(pic.cr, d * std::cos(a), d * std::sin(a), rnd.Range(1.5, 3.5), 0, 2 * M_PI);
        Colour(pic.cr, 0x80FF90);
        cairo_fill(pic.cr);
    }
    SaveMasked(pic, "images/wolk");
    Free(pic);
}

void DrawExplosion() {
    Pic pic = New(150, 150);
    cairo_t* cr = pic.cr;
    cairo_translate(cr, 75, 75);
    Random rnd(23);
    Puffs(cr, rnd, 14, 46, 14, 24, 0x8A7060, 0x2A2020);
    for (int layer = 0; layer < 3; ++layer) {
        const double outer = 68 - layer * 18, inner = outer * 0.55;
        const int points = 13 + layer * 2;
        for (int k = 0; k < 2 * points; ++k) {
            const double a = k * M_PI / points + layer * 0.2;
            const double r = k % 2 ? inner : outer * rnd.Range(0.75, 1.0);
            cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
        }
        cairo_close_path(cr);
        const std::array<uint32_t, 3> colours = {0xE03A10, 0xFF9020, 0xFFE070};
        cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, outer);
        AddStop(g, 0, Light(colours[layer], 0.5));
        AddStop(g, 1, colours[layer]);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    cairo_arc(cr, 0, 0, 14, 0, 2 * M_PI);
    Colour(cr, 0xFFFFF0);
    cairo_fill(cr);
    for (int k = 0; k < 14; ++k) {
        const double a = rnd.Range(0, 2 * M_PI), d = rnd.Range(50, 70);
        Line(cr, 0.8 * d * std::cos(a), 0.8 * d * std::sin(a), d * std::cos(a), d * std::sin(a), 2,
             0xFFD040);
    }
    SaveMasked(pic, "images/explosie");
    Free(pic);
}

void DrawDoor() {
    Pic pic = New(60, 95);
    cairo_t* cr = pic.cr;
    cairo_pattern_t* frame = cairo_pattern_create_linear(0, 0, 60, 0);
    AddStop(frame, 0, 0x3A4452);
    AddStop(frame, 0.5, 0x9AA6B4);
    AddStop(frame, 1, 0x2A323C);
    cairo_rectangle(cr, 0, 0, 60, 95);
    cairo_set_source(cr, frame);
    cairo_fill(cr);
    cairo_pattern_destroy(frame);
    // The open doorway, glowing green from within.
    RoundedRect(cr, 8, 14, 44, 81, 6);
    cairo_pattern_t* glow = cairo_pattern_create_radial(30, 70, 4, 30, 60, 50);
    AddStop(glow, 0, 0xE0FFE0);
    AddStop(glow, 0.35, 0x40F060);
    AddStop(glow, 1, 0x063010);
    cairo_set_source(cr, glow);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glow);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (int k = 0; k < 3; ++k) {
        const double y = 30 + k * 14;
        cairo_move_to(cr, 20, y);
        cairo_line_to(cr, 30, y + 8);
        cairo_line_to(cr, 40, y);
    }
    Colour(cr, 0x0A4018, 0.8);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // Signal lamp and rivets.
    cairo_arc(cr, 30, 7, 4, 0, 2 * M_PI);
    Colour(cr, 0x60FF70);
    cairo_fill_preserve(cr);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (double y : {6.0, 40.0, 80.0})
        for (double x : {4.0, 56.0}) {
            cairo_arc(cr, x, y, 1.5, 0, 2 * M_PI);
            Colour(cr, 0xD0D8E0);
            cairo_fill(cr);
        }
    Save(pic, "images/deurtje.bmp");
    Free(pic);
}

void DrawGameOver() {
    Pic pic = New(400, 120);
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, 20, 0, 100);
    AddStop(metal, 0, 0xFFD0C0);
    AddStop(metal, 0.45, 0xF03020);
    AddStop(metal, 0.55, 0xA01010);
    AddStop(metal, 1, 0xFF6040);
    TextStyle style{Font::Condensed, 64};
    style.fill = metal;
    style.outline = 3;
    style.outlineColour = 0x200404;
    Text(pic.cr, "GAME OVER", 200, 60, style);
    cairo_pattern_destroy(metal);
    SaveMasked(pic, "images/gameover");
    Free(pic);
}

} // namespace

void RobotFigure(cairo_t* cr) {
    Tread(cr, -17);
    Tread(cr, 17);
    // Shoulder struts between treads and hull.
    cairo_rectangle(cr, -14, -6, 28, 12);
    Colour(cr, 0x3C4654);
    cairo_fill_preserve(cr);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Gun barrel, pointing forward (up).
    cairo_rectangle(cr, -3, -29, 6, 22);
    cairo_pattern_t* barrel = cairo_pattern_create_linear(-3, 0, 3, 0);
    AddStop(barrel, 0, 0x505A66);
    AddStop(barrel, 0.5, 0xC8D2DC);
    AddStop(barrel, 1, 0x3A424C);
    cairo_set_source(cr, barrel);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(barrel);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_rectangle(cr, -3.5, -29, 7, 3.5);
    Colour(cr, 0xFF8A2A);
    cairo_fill(cr);
    // Hull.
    Octagon(cr, 13.5);
    Shade(cr, 0x7A8CA2, 14, 1.6);
    cairo_rectangle(cr, -8, 7, 16, 3);
    Colour(cr, 0xFF8A2A);
    cairo_fill(cr);
    // Dome with a visor looking forward.
    cairo_arc(cr, 0, -1, 7.5, 0, 2 * M_PI);
    cairo_pattern_t* dome = cairo_pattern_create_radial(-2.5, -4, 1, 0, -1, 8);
    AddStop(dome, 0, 0xE8FCFF);
    AddStop(dome, 0.5, 0x40C8E8);
    AddStop(dome, 1, 0x0C4860);
    cairo_set_source(cr, dome);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(dome);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_arc(cr, 0, -1, 5.5, -M_PI * 0.8, -M_PI * 0.2);
    Colour(cr, 0xFF5030);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void MonsterFigure(cairo_t* cr, int number) {
    const Look l = LookOf(number);
    cairo_save(cr);
    // Drawn in a group of its own: the pincers cut holes that must not reach the background.
    cairo_push_group(cr);
    const double scale = AssetList::MonsterRadius(number) / 20.0;
    cairo_scale(cr, scale, scale);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (l.body != 2 && l.body != 4) Extras(cr, l);
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
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    cairo_restore(cr);
}

void MonsterAt(cairo_t* cr, int number, double x, double y, double scale) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    MonsterFigure(cr, number);
    cairo_restore(cr);
}

void DrawSprites() {
    struct Heading {
        const char* name;
        int side;
    };
    const std::array<Heading, 8> headings = {{{"boven", 60},
                                              {"rechtsboven", 65},
                                              {"rechts", 60},
                                              {"rechtsonder", 65},
                                              {"onder", 60},
                                              {"linksonder", 65},
                                              {"links", 60},
                                              {"linksboven", 65}}};
    for (size_t k = 0; k < headings.size(); ++k) {
        Pic pic = New(headings[k].side, headings[k].side);
        cairo_translate(pic.cr, kRobotCentre, kRobotCentre);
        cairo_rotate(pic.cr, double(k) * M_PI / 4);
        RobotFigure(pic.cr);
        SaveMasked(pic, std::string("images/robot/") + headings[k].name);
        Free(pic);
    }
    for (int n = 1; n <= AssetList::kMonsterCount; ++n) {
        Pic pic = New(AssetList::kMonsterSide, AssetList::kMonsterSide);
        cairo_translate(pic.cr, kObjectCentre, kObjectCentre);
        MonsterFigure(pic.cr, n);
        SaveMasked(pic, std::string(AssetList::kMonsterStem) + std::to_string(n));
        Free(pic);
    }
    DrawPickup("images/armor", 0x3A8AE0, 0);
    DrawPickup("images/leven", 0xE02A3A, 1);
    DrawPickup("images/leven2", 0xF0C030, 2);
    DrawCloud();
    DrawExplosion();
    DrawDoor();
    DrawGameOver();
}

} // namespace Pictures
