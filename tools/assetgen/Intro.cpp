// The intro drawings and the credits picture.
#include "AssetList.h"
#include "Canvas.h"
#include "Pictures.h"
#include "Taal.h"
#include "Words.h"

#include <array>
#include <cmath>
#include <string>

namespace Pictures {

using namespace Canvas;

namespace {

constexpr int S = AssetList::S;

// The intro's drawings lie on the same plain white as the screen behind them.
void WhiteSheet(cairo_t* cr) {
    Colour(cr, 0xFFFFFF);
    cairo_paint(cr);
}

void Rings(cairo_t* cr, double cx, double cy, double r) {
    for (int k = 0; k < 3; ++k) {
        cairo_arc(cr, cx, cy, r - k * r / 4, 0, 2 * M_PI);
        Colour(cr, 0x80B0E0, 0.5 - k * 0.12);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, cx - r * 1.1, cy);
    cairo_line_to(cr, cx + r * 1.1, cy);
    cairo_move_to(cr, cx, cy - r * 1.1);
    cairo_line_to(cr, cx, cy + r * 1.1);
    cairo_stroke(cr);
}

void DrawRobotSheet() {
    Pic pic = New(S / 2, S / 2);
    WhiteSheet(pic.cr);
    Rings(pic.cr, 200, 200, 185);
    cairo_translate(pic.cr, 200, 205);
    cairo_scale(pic.cr, 5.6, 5.6);
    RobotFigure(pic.cr);
    Save(pic, "images/Tamsel_images/tekeningen-Tamsel1.bmp");
    Free(pic);
}

// The intro zooms this one up to 600 x 600 at (300, 150): its right 100 columns fall outside
// the window, so the crowd keeps to the left 500.
void DrawMonsterSheet() {
    Pic pic = New(600, 600);
    cairo_t* cr = pic.cr;
    WhiteSheet(cr);
    const std::array<std::array<double, 4>, 6> crowd = {{{85, 100, 21, 2.8},
                                                         {415, 95, 13, 2.8},
                                                         {80, 505, 33, 2.8},
                                                         {420, 505, 25, 2.8},
                                                         {250, 62, 5, 2.2},
                                                         {250, 545, 17, 2.2}}};
    for (const auto& c : crowd)
        MonsterAt(cr, int(c[2]), c[0], c[1], c[3]);
    Rings(cr, 250, 300, 190);
    MonsterAt(cr, 9, 250, 305, 8.5);
    Save(pic, "images/Tamsel_images/tekeningen-Tamsel2.bmp");
    Free(pic);
}

struct Part {
    enum Shape { Box, Disc, Quad } shape;
    std::array<double, 8> v; // box: x, y, w, h, radius; disc: x, y, r; quad: four corners
    int tone;                // 0 armour, 1 joints, 2 light panels, 3 glowing
};

// A standing robot seen from the front, filling the lower part of the screen.
const std::array<Part, 22> kMech = {{
    {Part::Box, {318, 672, 72, 104, 10}, 0},
    {Part::Box, {410, 672, 72, 104, 10}, 0},
    {Part::Box, {296, 764, 104, 34, 8}, 1},
    {Part::Box, {400, 764, 104, 34, 8}, 1},
    {Part::Box, {334, 570, 50, 110, 8}, 1},
    {Part::Box, {416, 570, 50, 110, 8}, 1},
    {Part::Disc, {359, 672, 20}, 2},
    {Part::Disc, {441, 672, 20}, 2},
    {Part::Box, {330, 530, 140, 52, 12}, 1},
    {Part::Quad, {280, 330, 520, 330, 486, 548, 314, 548}, 0},
    {Part::Box, {232, 380, 58, 170, 14}, 1},
    {Part::Box, {510, 380, 58, 170, 14}, 1},
    {Part::Box, {220, 530, 80, 120, 10}, 0},
    {Part::Box, {500, 530, 80, 120, 10}, 0},
    {Part::Disc, {262, 352, 52}, 0},
    {Part::Disc, {538, 352, 52}, 0},
    {Part::Box, {350, 236, 100, 98, 18}, 0},
    {Part::Box, {362, 274, 76, 22, 8}, 3},
    {Part::Quad, {336, 378, 464, 378, 450, 506, 350, 506}, 2},
    {Part::Disc, {400, 440, 32}, 3},
    {Part::Box, {236, 630, 48, 24, 4}, 3},
    {Part::Box, {516, 630, 48, 24, 4}, 3},
}};

void PartPath(cairo_t* cr, const Part& p) {
    switch (p.shape) {
    case Part::Box:
        RoundedRect(cr, p.v[0], p.v[1], p.v[2], p.v[3], p.v[4]);
        break;
    case Part::Disc:
        cairo_arc(cr, p.v[0], p.v[1], p.v[2], 0, 2 * M_PI);
        break;
    case Part::Quad:
        for (int k = 0; k < 4; ++k)
            cairo_line_to(cr, p.v[2 * k], p.v[2 * k + 1]);
        cairo_close_path(cr);
        break;
    }
}

// Vents, rivets, pistons and the eyes behind the visor.
void MechDetails(cairo_t* cr, bool fireLit) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    Colour(cr, 0x0A0C10, 0.8);
    cairo_set_line_width(cr, 4);
    for (double y : {346.0, 360.0, 374.0}) {
        cairo_move_to(cr, 318, y);
        cairo_line_to(cr, 482, y);
    }
    cairo_stroke(cr);
    for (double cx : {262.0, 538.0})
        for (int k = 0; k < 8; ++k) {
            const double a = k * M_PI / 4;
            cairo_arc(cr, cx + 40 * std::cos(a), 352 + 40 * std::sin(a), 3.5, 0, 2 * M_PI);
            Colour(cr, fireLit ? 0xC09070 : 0xE0E8F0);
            cairo_fill(cr);
        }
    // Pistons along the shins.
    for (double x : {340.0, 460.0}) {
        cairo_move_to(cr, x, 690);
        cairo_line_to(cr, x, 760);
    }
    Colour(cr, fireLit ? 0x806050 : 0xC8D4E0);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    for (double x : {386.0, 414.0}) {
        cairo_arc(cr, x, 285, 6, 0, 2 * M_PI);
        Colour(cr, 0xFFFFFF);
        cairo_fill(cr);
    }
    // Hands with three fingers each.
    for (double x : {236.0, 516.0})
        for (int f = 0; f < 3; ++f) {
            RoundedRect(cr, x + 6 + f * 13, 652, 10, 26, 4);
            Colour(cr, fireLit ? 0x3A2C2C : 0x5A6676);
            cairo_fill_preserve(cr);
            Colour(cr, 0x0A0C10);
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
        }
}

// Draws the robot; fireLit bathes it in the orange light of the flames behind it.
void Mech(cairo_t* cr, bool fireLit) {
    const std::array<std::array<uint32_t, 2>, 4> day = {
        {{0x9AB0C8, 0x3C4C60}, {0x5A6676, 0x222A34}, {0xD8E4F0, 0x8094A8}, {0xE0FFFF, 0x20B8E0}}};
    const std::array<std::array<uint32_t, 2>, 4> fire = {
        {{0x6A5450, 0x1E1418}, {0x3A2C2C, 0x100A0C}, {0x8A6A5C, 0x3A2A28}, {0xFFF0C0, 0xFF5020}}};
    const auto& pal = fireLit ? fire : day;
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Antenna.
    cairo_move_to(cr, 430, 240);
    cairo_line_to(cr, 446, 196);
    Colour(cr, 0x101418);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_arc(cr, 446, 194, 7, 0, 2 * M_PI);
    Colour(cr, fireLit ? 0xFFB040 : 0xFF4030);
    cairo_fill(cr);
    for (const Part& p : kMech) {
        PartPath(cr, p);
        cairo_pattern_t* g = p.tone == 3 ? cairo_pattern_create_radial(400, 440, 0, 400, 440, 400)
                                         : cairo_pattern_create_linear(0, 200, 0, 800);
        AddStop(g, 0, pal[p.tone][0]);
        AddStop(g, 1, pal[p.tone][1]);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        Colour(cr, 0x0A0C10);
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
    }
    MechDetails(cr, fireLit);
    if (fireLit) {
        // Rim light from the flames below and behind.
        cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
        cairo_pattern_t* rim = cairo_pattern_create_linear(0, 250, 0, 800);
        AddStop(rim, 0, 0xFF6010, 0.0);
        AddStop(rim, 1, 0xFF7020, 0.65);
        cairo_set_source(cr, rim);
        cairo_paint(cr);
        cairo_pattern_destroy(rim);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    }
}

void DrawMechs() {
    Pic day = New(S, S);
    WhiteSheet(day.cr);
    cairo_push_group(day.cr);
    Mech(day.cr, false);
    cairo_pop_group_to_source(day.cr);
    cairo_paint(day.cr);
    Save(day, "images/Tamsel_images/tekeningen-Tamsel3.bmp");
    Free(day);
    Pic lit = New(S, S);
    cairo_push_group(lit.cr);
    Mech(lit.cr, true);
    cairo_pop_group_to_source(lit.cr);
    cairo_paint(lit.cr);
    Save(lit, "images/Tamsel_images/tekeningen-Tamsel4.bmp");
    Free(lit);
    Pic shape = New(S, S);
    Mech(shape.cr, false);
    SaveMask(shape, "images/Tamsel_images/tekeningen-Tamsel5.bmp");
    Free(shape);
}

void DrawTitleBand() {
    Pic pic = New(S, 115);
    PaintVertical(pic.cr, 115, 0x2A3440, 0x10161C, 0x1C242C);
    Title(pic.cr, S / 2, 52, 60);
    cairo_rectangle(pic.cr, 0, 104, S, 11);
    Colour(pic.cr, 0xE8B820);
    cairo_fill(pic.cr);
    Colour(pic.cr, 0x181818);
    for (double x = -20; x < S; x += 24) {
        cairo_move_to(pic.cr, x, 115);
        cairo_line_to(pic.cr, x + 12, 115);
        cairo_line_to(pic.cr, x + 23, 104);
        cairo_line_to(pic.cr, x + 11, 104);
        cairo_close_path(pic.cr);
    }
    cairo_fill(pic.cr);
    Save(pic, "images/Tamsel_images/tekeningen-Tamsel6.bmp");
    Free(pic);
}

// A line of the credits, centred, translated and kept within the sheet.
void Say(cairo_t* cr, const char* nederlands, double y, const TextStyle& style) {
    const char* text = Words::Tekst(nederlands);
    Text(cr, text, S / 2, y, Fit(text, style, S - 40));
}

// The credits scroll over the plain white screen: a white sheet with dark lettering, so that
// neither end shows an edge.
void DrawCredits() {
    const int H = 3 * S;
    Pic pic = New(S, H);
    cairo_t* cr = pic.cr;
    WhiteSheet(cr);
    Title(cr, S / 2, 130, 64);
    TextStyle heading{Font::SansBold, 30};
    heading.colour = 0x1060A0;
    TextStyle line{Font::Sans, 24};
    line.colour = 0x20262E;
    TextStyle small{Font::Sans, 21};
    small.colour = 0x303840;
    Say(cr, "een arena-shooter met robots en monsters", 200, line);

    cairo_save(cr);
    cairo_translate(cr, S / 2, 340);
    cairo_scale(cr, 3.5, 3.5);
    RobotFigure(cr);
    cairo_restore(cr);

    double y = 500;
    auto section = [&](const char* title, std::initializer_list<const char*> lines,
                       const TextStyle& style, double step) {
        Say(cr, title, y, heading);
        y += 48;
        for (const char* l : lines) {
            Say(cr, l, y, style);
            y += step;
        }
        y += 50;
    };
    section("Ontwerp, code, tekeningen, muziek en levels", {Taal::Nl("het Kolvemar-Trovix-team")},
            line, 36);
    section("Gemaakt met",
            {Taal::Nl("C++20 en CMake"), Taal::Nl("SDL2, SDL2_mixer en SDL2_ttf"),
             Taal::Nl("Cairo (tekeningen)"),
             Taal::Nl("FluidSynth met de TimGM6mb-klankbank (muziek)"),
             Taal::Nl("LAME (MP3-codering)"), Taal::Nl("DejaVu-lettertypen"),
             Taal::Nl("GoogleTest en Google Benchmark")},
            line, 36);
    section("Alles is gemaakt door code",
            {Taal::Nl("elke tekening is getekend door een programma,"),
             Taal::Nl("elke noot is gecomponeerd in code,"),
             Taal::Nl("elk geluid is berekend, niet opgenomen.")},
            line, 36);
    Say(cr, "De monsters", y, heading);
    y += 70;
    for (int n = 1; n <= AssetList::kMonsterCount; ++n)
        MonsterAt(cr, n, 130 + ((n - 1) % 6) * 108, y + ((n - 1) / 6) * 92, 1.9);
    y += 6 * 92 + 30;
    section("Besturing",
            {Taal::Nl("pijltjes of E S D F: bewegen"),
             Taal::Nl("linkermuisknop: schieten naar de muis"),
             Taal::Nl("M of Esc: menu   P: pauze   K: opgeven"),
             Taal::Nl("N: volgend level   Q: stoppen   F1: hulp"),
             Taal::Nl("in de menu's: muis, pijltjes en Enter, Esc: terug"),
             Taal::Nl("of de controller: d-pad, A: kiezen, B: terug")},
            small, 30);
    Title(cr, S / 2, H - 260, 44);
    TextStyle thanks{Font::SansBold, 34};
    thanks.colour = 0xD06010;
    Say(cr, "Bedankt voor het spelen!", H - 180, thanks);
    Save(pic, "images/Credits2.bmp");
    Free(pic);
}

} // namespace

void DrawIntro() {
    DrawRobotSheet();
    DrawMonsterSheet();
    DrawMechs();
    DrawTitleBand();
    DrawCredits();
}

void DrawWordedIntro() {
    DrawCredits();
}

} // namespace Pictures
