// The arena's objects. The game places a monster or pick-up picture with its top-left corner
// 21 pixels up and left of the object's centre, and the robot 30 pixels up and left, so every
// figure is drawn around that point and kept inside the object's circle.
#include "AssetList.h"
#include "Canvas.h"
#include "Pictures.h"
#include "Shading.h"
#include "Words.h"

#include <array>
#include <cmath>
#include <string>
#include <utility>

namespace Pictures {

using namespace Canvas;

namespace {

constexpr double kObjectCentre = 21; // where the game puts an object's centre in its picture
constexpr double kRobotCentre = 30;

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

void DrawPickup(std::string_view stem, uint32_t colour, int kind) {
    Pic pic = New(30, 30);
    cairo_t* cr = pic.cr;
    cairo_translate(cr, kObjectCentre, kObjectCentre);
    // Only 8 pixels lie right of and below the centre: the figure keeps one of them clear.
    cairo_scale(cr, 0.78, 0.78);
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

// The door stands at the bottom of the arena, where the wall band (30 to 40 pixels) hides its
// lower part: its lamp, doorway glow and arrows sit in the top 55 rows.
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
    RoundedRect(cr, 8, 13, 44, 90, 6);
    cairo_pattern_t* glow = cairo_pattern_create_radial(30, 36, 3, 30, 36, 34);
    AddStop(glow, 0, 0xE0FFE0);
    AddStop(glow, 0.4, 0x40F060);
    AddStop(glow, 1, 0x063010);
    cairo_set_source(cr, glow);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glow);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Arrows pointing down into the way out, like the strip on the floor that leads here.
    for (int k = 0; k < 3; ++k) {
        const double y = 24 + k * 10;
        cairo_move_to(cr, 20, y);
        cairo_line_to(cr, 30, y + 7);
        cairo_line_to(cr, 40, y);
    }
    Colour(cr, 0x0A4018, 0.85);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // Signal lamp and rivets.
    cairo_arc(cr, 30, 6.5, 4, 0, 2 * M_PI);
    Colour(cr, 0x60FF70);
    cairo_fill_preserve(cr);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (double y : {6.0, 28.0, 50.0})
        for (double x : {4.0, 56.0}) {
            cairo_arc(cr, x, y, 1.5, 0, 2 * M_PI);
            Colour(cr, 0xD0D8E0);
            cairo_fill(cr);
        }
    Save(pic, "images/deurtje.bmp");
    Free(pic);
}

// Drawn at x = 300 in a level (the window's centre is 100 pixels in) and at x = 400 on the
// result sheet, whose frame starts at 792: two lines, centred 100 pixels from the left edge.
void DrawGameOver() {
    Pic pic = New(400, 120);
    TextStyle style{Font::Condensed, 52};
    style.outline = 3;
    style.outlineColour = 0x200404;
    // Two lines, one above the other.
    const std::string words = Words::Tekst("GAME\nOVER");
    const std::size_t split = std::min(words.find('\n'), words.size());
    const std::string top = words.substr(0, split),
                      bottom = words.substr(std::min(split + 1, words.size()));
    for (const auto& [word, y] : {std::pair{top, 32.0}, std::pair{bottom, 88.0}}) {
        cairo_pattern_t* metal = cairo_pattern_create_linear(0, y - 22, 0, y + 22);
        AddStop(metal, 0, 0xFFD0C0);
        AddStop(metal, 0.45, 0xF03020);
        AddStop(metal, 0.55, 0xA01010);
        AddStop(metal, 1, 0xFF6040);
        style.fill = metal;
        Text(pic.cr, word, 100, y, Fit(word, style, 196));
        cairo_pattern_destroy(metal);
    }
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
    double hx = 0, hy = 0;
    TowardsLight(cr, 3.3, hx, hy);
    cairo_pattern_t* dome = cairo_pattern_create_radial(hx, hy - 1, 1, 0, -1, 8);
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

void DrawWordedSprites() {
    DrawGameOver();
}

} // namespace Pictures
