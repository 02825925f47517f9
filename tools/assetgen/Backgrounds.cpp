// Full-screen pictures: arena floors, walls, menu backgrounds, the fire of the intro.
#include "AssetList.h"
#include "Canvas.h"
#include "Pictures.h"
#include "Words.h"

#include <array>
#include <cmath>
#include <string>

namespace Pictures {

using namespace Canvas;

namespace {

constexpr int S = AssetList::S;

uint32_t Scale(uint32_t c, double f) {
    auto ch = [&](int s) {
        const double v = std::min(255.0, std::max(0.0, ((c >> s) & 0xFF) * f));
        return uint32_t(std::lround(v)) << s;
    };
    return ch(16) | ch(8) | ch(0);
}

void Vignette(cairo_t* cr, double strength) {
    cairo_pattern_t* v = cairo_pattern_create_radial(S / 2, S / 2, S * 0.3, S / 2, S / 2, S * 0.75);
    AddStop(v, 0, 0x000000, 0);
    AddStop(v, 1, 0x000000, strength);
    cairo_set_source(cr, v);
    cairo_paint(cr);
    cairo_pattern_destroy(v);
}

void Rivet(cairo_t* cr, double x, double y, double r, uint32_t base) {
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.4, y - r * 0.4, 0, x, y, r);
    AddStop(g, 0, Scale(base, 1.9));
    AddStop(g, 1, Scale(base, 0.5));
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A steel plate with bevelled edges and rivets in its corners.
void Plate(cairo_t* cr, double x, double y, double w, double h, uint32_t base, Random& rnd) {
    const double f = rnd.Range(0.88, 1.1);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x + w, y + h);
    AddStop(g, 0, Scale(base, 1.15 * f));
    AddStop(g, 1, Scale(base, 0.85 * f));
    cairo_rectangle(cr, x, y, w, h);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, x + 1, y + h - 1);
    cairo_line_to(cr, x + 1, y + 1);
    cairo_line_to(cr, x + w - 1, y + 1);
    Colour(cr, 0xFFFFFF, 0.18);
    cairo_stroke(cr);
    cairo_move_to(cr, x + w - 1, y + 1);
    cairo_line_to(cr, x + w - 1, y + h - 1);
    cairo_line_to(cr, x + 1, y + h - 1);
    Colour(cr, 0x000000, 0.45);
    cairo_stroke(cr);
    // Scratches.
    Colour(cr, 0xFFFFFF, 0.05);
    cairo_set_line_width(cr, 1);
    for (int k = 0; k < 4; ++k) {
        const double sx = x + rnd.Range(6, w - 6), sy = y + rnd.Range(6, h - 6);
        cairo_move_to(cr, sx, sy);
        cairo_line_to(cr, sx + rnd.Range(-20, 20), sy + rnd.Range(-8, 8));
    }
    cairo_stroke(cr);
    for (double rx : {x + 7, x + w - 7})
        for (double ry : {y + 7, y + h - 7})
            Rivet(cr, rx, ry, 2.6, base);
}

void DiamondTread(cairo_t* cr, double x, double y, double w, double h, uint32_t base) {
    cairo_save(cr);
    cairo_rectangle(cr, x + 12, y + 12, w - 24, h - 24);
    cairo_clip(cr);
    for (double py = y; py < y + h; py += 12)
        for (double px = x + (int((py - y) / 12) % 2) * 6; px < x + w; px += 12) {
            cairo_save(cr);
            cairo_translate(cr, px, py);
            cairo_rotate(cr, M_PI / 4);
            cairo_rectangle(cr, -4, -1.2, 8, 2.4);
            cairo_restore(cr);
        }
    Colour(cr, Scale(base, 1.45), 0.55);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Grating(cairo_t* cr, double x, double y, double w, double h) {
    cairo_rectangle(cr, x + 14, y + 14, w - 28, h - 28);
    Colour(cr, 0x05070A, 0.7);
    cairo_fill(cr);
    for (double px = x + 18; px < x + w - 14; px += 8) {
        cairo_rectangle(cr, px, y + 14, 3, h - 28);
    }
    Colour(cr, 0x8090A0, 0.45);
    cairo_fill(cr);
}

void HexTiles(cairo_t* cr, double x, double y, double w, double h, uint32_t accent) {
    cairo_save(cr);
    cairo_rectangle(cr, x + 4, y + 4, w - 8, h - 8);
    cairo_clip(cr);
    const double r = 16;
    for (double py = y; py < y + h + r; py += r * 1.5)
        for (double px = x + (int((py - y) / (r * 1.5)) % 2) * r * 0.866; px < x + w + r;
             px += r * 1.732) {
            cairo_new_sub_path(cr);
            for (int k = 0; k < 6; ++k) {
                const double a = k * M_PI / 3 + M_PI / 6;
                cairo_line_to(cr, px + (r - 2) * std::cos(a), py + (r - 2) * std::sin(a));
            }
            cairo_close_path(cr);
        }
    Colour(cr, accent, 0.12);
    cairo_fill_preserve(cr);
    Colour(cr, 0x000000, 0.35);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Circuit(cairo_t* cr, Random& rnd, uint32_t accent, int count) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int k = 0; k < count; ++k) {
        double x = std::round(rnd.Range(0, S) / 20) * 20,
               y = std::round(rnd.Range(100, S) / 20) * 20;
        cairo_move_to(cr, x, y);
        for (int s = 0; s < 5; ++s) {
            const int dir = int(rnd.Range(0, 4));
            const double len = std::round(rnd.Range(2, 6)) * 20;
            x += dir == 0 ? len : dir == 1 ? -len : 0;
            y += dir == 2 ? len : dir == 3 ? -len : 0;
            cairo_line_to(cr, x, y);
        }
        Colour(cr, accent, 0.10);
        cairo_set_line_width(cr, 7);
        cairo_stroke_preserve(cr);
        Colour(cr, accent, 0.45);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_arc(cr, x, y, 3, 0, 2 * M_PI);
        Colour(cr, accent, 0.8);
        cairo_fill(cr);
    }
}

void Hazard(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    Colour(cr, 0xE8B820);
    cairo_paint(cr);
    Colour(cr, 0x181818);
    for (double p = -h - w; p < w + h + x + y + S; p += 24) {
        cairo_move_to(cr, p, y + h + 400);
        cairo_line_to(cr, p + 12, y + h + 400);
        cairo_line_to(cr, p + 12 + 400 + h, y - 400 + 0);
        cairo_line_to(cr, p + 400 + h, y - 400);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

struct Arena {
    uint32_t base;   // steel tint
    uint32_t accent; // glowing lines
    int pattern;     // 0 diamond plate, 1 grating, 2 hex tiles, 3 circuit floor
};

// No red floors: the bullets and the cross-hair are dark red.
constexpr std::array<Arena, AssetList::kArenaCount + 1> kArenas = {{
    {0x4A5868, 0x40E0FF, 0},
    {0x585048, 0xFF9A40, 1},
    {0x3E5A48, 0x60FF80, 2},
    {0x4C4460, 0xC070FF, 3},
    {0x50606A, 0xA0F0FF, 0},
    {0x2E4A5C, 0x40A0FF, 1},
    {0x5A5438, 0xFFD040, 2},
    {0x345658, 0x30FFE0, 3},
    {0x383C44, 0xFF3060, 0},
    {0x644A36, 0xFFB070, 2},
    {0x48385C, 0xFF60E0, 1},
    {0x2C2A3A, 0xFF50C0, 3},
    {0x486050, 0x80FF60, 0}, // the tutorials' training floors
}};

// A painted ring in the middle and the landing strip that leads to the exit door.
void ArenaMarkings(cairo_t* cr, uint32_t accent) {
    cairo_arc(cr, S / 2, S / 2 + 50, 150, 0, 2 * M_PI);
    Colour(cr, accent, 0.16);
    cairo_set_line_width(cr, 10);
    cairo_stroke(cr);
    cairo_arc(cr, S / 2, S / 2 + 50, 128, 0, 2 * M_PI);
    Colour(cr, 0xFFFFFF, 0.06);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    for (int k = 0; k < 4; ++k) {
        const double y = S - 150 - k * 40;
        cairo_move_to(cr, S / 2 - 22, y - 14);
        cairo_line_to(cr, S / 2, y);
        cairo_line_to(cr, S / 2 + 22, y - 14);
    }
    Colour(cr, 0xE8D040, 0.35);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
}

void Floor(cairo_t* cr, const Arena& a, uint64_t seed, bool markings = true) {
    Random rnd(seed);
    Colour(cr, Scale(a.base, 0.5));
    cairo_paint(cr);
    const double cell = 100;
    for (double y = 0; y < S; y += cell)
        for (double x = 0; x < S; x += cell) {
            Plate(cr, x + 1, y + 1, cell - 2, cell - 2, a.base, rnd);
            const bool odd = (int(x / cell) + int(y / cell)) % 2;
            if (a.pattern == 0 && odd) DiamondTread(cr, x, y, cell, cell, a.base);
            if (a.pattern == 1 && odd) Grating(cr, x, y, cell, cell);
        }
    if (a.pattern == 2) HexTiles(cr, 0, 0, S, S, a.accent);
    if (a.pattern == 3) Circuit(cr, rnd, a.accent, 22);
    // Glowing seams along some plate joints.
    for (int k = 0; k < 6; ++k) {
        const bool vertical = rnd.Next() < 0.5;
        const double at = std::round(rnd.Range(1, 7)) * cell;
        const double from = std::round(rnd.Range(1, 5)) * cell,
                     len = std::round(rnd.Range(1, 3)) * cell;
        cairo_move_to(cr, vertical ? at : from, vertical ? from : at);
        cairo_line_to(cr, vertical ? at : from + len, vertical ? from + len : at);
        Colour(cr, a.accent, 0.15);
        cairo_set_line_width(cr, 9);
        cairo_stroke_preserve(cr);
        Colour(cr, a.accent, 0.75);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    if (markings) ArenaMarkings(cr, a.accent);
    Vignette(cr, 0.45);
}

void DrawArenas() {
    for (int k = 1; k <= AssetList::kArenaCount; ++k) {
        Pic pic = New(S, S);
        Floor(pic.cr, kArenas[k - 1], 100 + k);
        Save(pic, std::string(AssetList::kArenaStem) + std::to_string(k) + ".bmp");
        Free(pic);
    }
    // The training floors share the tutorials' green, each with its own plates.
    for (int k = 1; k <= AssetList::kTutorialCount; ++k) {
        Pic pic = New(S, S);
        Floor(pic.cr, kArenas.back(), 90 + k);
        Save(pic, std::string(AssetList::kTutorialStem) + std::to_string(k) + ".bmp");
        Free(pic);
    }
}

// The wall texture: the game shows one edge of it on each side of the arena, so every edge
// carries the hazard band that faces the player.
void DrawWalls() {
    Pic pic = New(S, S);
    cairo_t* cr = pic.cr;
    Random rnd(7);
    Colour(cr, 0x1C2026);
    cairo_paint(cr);
    const double cell = 80;
    for (double y = 0; y < S; y += cell)
        for (double x = 0; x < S; x += cell)
            Plate(cr, x, y, cell, cell, 0x5A626C, rnd);
    const double band = 9, rim = 5;
    // The bottom wall shows the top rows (up to 40), the top wall the bottom rows (from 750 on
    // below the bar) and the side walls rows 130 to 770: the side bands run only where a side wall
    // shows them, so no piece of one ends up at the window's edge in the top or bottom wall.
    Hazard(cr, 0, 0, S, band);
    Hazard(cr, 0, S - band, S, band);
    Hazard(cr, 0, 40, band, S - 70);
    Hazard(cr, S - band, 40, band, S - 70);
    cairo_rectangle(cr, band, band, S - 2 * band, S - 2 * band);
    Colour(cr, 0x0A0C10);
    cairo_set_line_width(cr, rim);
    cairo_stroke(cr);
    cairo_rectangle(cr, 0.5, 0.5, S - 1, S - 1);
    Colour(cr, 0x000000);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Save(pic, "images/ijzerenkanten.bmp");
    Free(pic);
}

void Stars(cairo_t* cr, Random& rnd, int count, double w, double h) {
    for (int k = 0; k < count; ++k) {
        const double x = rnd.Range(0, w), y = rnd.Range(0, h), m = rnd.Next();
        const double r = m < 0.9 ? 0.6 + m : 1.6 + 2 * (m - 0.9) * 10;
        const uint32_t c = m < 0.3 ? 0xA0C0FF : m < 0.6 ? 0xFFFFFF : 0xFFE8C0;
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        Colour(cr, c, 0.4 + 0.6 * rnd.Next());
        cairo_fill(cr);
        if (r > 2.2) {
            cairo_move_to(cr, x - 4 * r, y);
            cairo_line_to(cr, x + 4 * r, y);
            cairo_move_to(cr, x, y - 4 * r);
            cairo_line_to(cr, x, y + 4 * r);
            Colour(cr, c, 0.35);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
        }
    }
}

void Nebula(cairo_t* cr, double x, double y, double r, uint32_t c, double alpha) {
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
    AddStop(g, 0, c, alpha);
    AddStop(g, 1, c, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
}

void DrawStarSky() {
    Pic pic = New(S, S);
    PaintVertical(pic.cr, S, 0x02030A, 0x070A1A, 0x0C1028);
    Nebula(pic.cr, 170, 220, 320, 0x6030A0, 0.35);
    Nebula(pic.cr, 640, 560, 360, 0x106080, 0.35);
    Nebula(pic.cr, 520, 150, 200, 0xA02060, 0.2);
    Random rnd(3);
    Stars(pic.cr, rnd, 900, S, S);
    Save(pic, "images/Backgrounds/sterrenhemel2.bmp");
    Free(pic);
}

void DrawWhite() {
    // Plain white: the intro's drawings slide over it and must not show a seam.
    Pic pic = New(S, S);
    Colour(pic.cr, 0xFFFFFF);
    cairo_paint(pic.cr);
    Save(pic, "images/Backgrounds/wit.bmp");
    Free(pic);
}

void DrawResultSheet() {
    Pic pic = New(S, S);
    cairo_t* cr = pic.cr;
    Colour(cr, 0x3A4048);
    cairo_paint(cr);
    RoundedRect(cr, 8, 8, S - 16, S - 16, 14);
    cairo_pattern_t* paper = cairo_pattern_create_linear(0, 0, S, S);
    AddStop(paper, 0, 0xF6F2E8);
    AddStop(paper, 1, 0xE2DCCC);
    cairo_set_source(cr, paper);
    cairo_fill(cr);
    cairo_pattern_destroy(paper);
    for (int y = 82; y <= 322; y += 40) {
        cairo_move_to(cr, 140, y);
        cairo_line_to(cr, 640, y);
    }
    Colour(cr, 0xB8C4D0);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A faded robot stamped on the sheet.
    cairo_save(cr);
    cairo_translate(cr, 200, 560);
    cairo_scale(cr, 5, 5);
    cairo_push_group(cr);
    RobotFigure(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.12);
    cairo_restore(cr);
    Hazard(cr, 8, S - 30, S - 16, 10);
    Save(pic, "images/Backgrounds/gameover.bmp");
    Free(pic);
}

// A floor darkened to sit quietly behind a menu.
void DimFloor(cairo_t* cr, const Arena& a, uint64_t seed, uint32_t shade, double alpha) {
    Floor(cr, a, seed, false);
    cairo_rectangle(cr, 0, 0, S, S);
    Colour(cr, shade, alpha);
    cairo_fill(cr);
}

void DrawStartMenu() {
    Pic pic = New(S, S);
    cairo_t* cr = pic.cr;
    DimFloor(cr, kArenas[0], 1, 0x05080C, 0.45);
    // The hero on the left, some of its enemies on the right.
    cairo_save(cr);
    cairo_translate(cr, 150, 430);
    cairo_rotate(cr, 0.5);
    cairo_scale(cr, 4.6, 4.6);
    RobotFigure(cr);
    cairo_restore(cr);
    const std::array<std::array<double, 3>, 4> foes = {
        {{650, 230, 9}, {690, 430, 17}, {630, 600, 29}, {700, 730, 5}}};
    for (const auto& f : foes)
        MonsterAt(cr, int(f[2]), f[0], f[1], 3.2);
    cairo_rectangle(cr, 0, 0, S, 62);
    Colour(cr, 0x000000, 0.55);
    cairo_fill(cr);
    Title(cr, S / 2, 32, 44);
    Save(pic, "images/Backgrounds/robotachtergrond.bmp");
    Free(pic);
}

void DrawPause() {
    Pic pic = New(S, S);
    cairo_t* cr = pic.cr;
    // Also the in-game menu's background: the middle stays plain for its buttons, and the pause
    // sign stands beside the word at the top.
    DimFloor(cr, kArenas[8], 5, 0x04060A, 0.7);
    Hazard(cr, 0, 0, S, 14);
    Hazard(cr, 0, S - 14, S, 14);
    TextStyle style{Font::SansBold, 54};
    style.colour = 0xE8F8FF;
    style.outline = 2;
    style.glow = 6;
    const char* pauze = Words::Tekst("PAUZE");
    style = Fit(pauze, style, S - 100);
    const double word = TextWidth(pauze, style), left = S / 2 - (word + 50) / 2;
    for (double x : {left, left + 20}) {
        RoundedRect(cr, x, 33, 13, 44, 3);
        Colour(cr, 0xE8F8FF);
        cairo_fill_preserve(cr);
        Colour(cr, 0x40E0FF, 0.8);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    TextLeft(cr, pauze, left + 50, 55, style);
    Save(pic, "images/Backgrounds/pauze.bmp");
    Free(pic);
}

// Flames rising from the bottom; the phase moves the tongues so four frames flicker.
void FireFrame(cairo_t* cr, int phase) {
    PaintVertical(cr, S, 0x100404, 0x401008, 0x902808, 0.6);
    struct Layer {
        double height, width;
        uint32_t tip, root;
    };
    const std::array<Layer, 4> layers = {{{560, 90, 0x801008, 0xC02808},
                                          {440, 70, 0xD04010, 0xFF7018},
                                          {320, 55, 0xFF8020, 0xFFC040},
                                          {180, 40, 0xFFD060, 0xFFFFC0}}};
    Random rnd(40 + phase);
    for (size_t l = 0; l < layers.size(); ++l) {
        const Layer& L = layers[l];
        for (double x = -L.width; x < S + L.width; x += L.width * 0.6) {
            const double h = L.height * (0.6 + 0.5 * rnd.Next()) *
                             (0.85 + 0.15 * std::sin(x * 0.02 + phase * 1.7 + double(l)));
            const double sway = 25 * std::sin(x * 0.013 + phase * 1.3 + l);
            cairo_move_to(cr, x - L.width, S);
            cairo_curve_to(cr, x - L.width * 0.6, S - h * 0.5, x + sway - L.width * 0.3,
                           S - h * 0.8, x + sway, S - h);
            cairo_curve_to(cr, x + sway + L.width * 0.3, S - h * 0.8, x + L.width * 0.6,
                           S - h * 0.5, x + L.width, S);
            cairo_close_path(cr);
            cairo_pattern_t* g = cairo_pattern_create_linear(0, S - h, 0, S);
            AddStop(g, 0, L.tip, 0.0);
            AddStop(g, 0.3, L.tip, 0.85);
            AddStop(g, 1, L.root, 1.0);
            cairo_set_source(cr, g);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
        }
    }
    for (int k = 0; k < 70; ++k) {
        const double x = rnd.Range(0, S), y = rnd.Range(80, S - 150);
        cairo_arc(cr, x, y, rnd.Range(1, 2.6), 0, 2 * M_PI);
        Colour(cr, 0xFFC060, rnd.Range(0.4, 1));
        cairo_fill(cr);
    }
}

// The intro's title over the flames.
void DrawIntroTitle() {
    Pic pic = New(S, S);
    FireFrame(pic.cr, 3);
    cairo_pattern_t* band = cairo_pattern_create_linear(0, 250, 0, 450);
    AddStop(band, 0, 0x000000, 0);
    AddStop(band, 0.3, 0x000000, 0.55);
    AddStop(band, 0.7, 0x000000, 0.55);
    AddStop(band, 1, 0x000000, 0);
    cairo_rectangle(pic.cr, 0, 250, S, 200);
    cairo_set_source(pic.cr, band);
    cairo_fill(pic.cr);
    cairo_pattern_destroy(band);
    Title(pic.cr, S / 2, 330, 62);
    TextStyle sub{Font::SansBold, 26};
    sub.colour = 0xFFE8C0;
    sub.outline = 2;
    sub.outlineColour = 0x200000;
    const char* ondertitel = Words::Tekst("robots tegen monsters in de arena");
    Text(pic.cr, ondertitel, S / 2, 410, Fit(ondertitel, sub, S - 40));
    Save(pic, "images/Backgrounds/fire_en_tekst.bmp");
    Free(pic);
}

} // namespace

void Title(cairo_t* cr, double cx, double cy, double px) {
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, cy - px / 2, 0, cy + px / 2);
    AddStop(metal, 0, 0xF4FAFF);
    AddStop(metal, 0.48, 0x9AB0C4);
    AddStop(metal, 0.52, 0x50667C);
    AddStop(metal, 1, 0xC8E0F0);
    TextStyle style{Font::SansBold, px};
    style.fill = metal;
    style.outline = std::max(1.5, px / 22);
    style.outlineColour = 0x081018;
    style.glow = px / 6;
    style.glowColour = 0x30D8FF;
    Text(cr, "KOLVEMAR-TROVIX", cx, cy, style);
    cairo_pattern_destroy(metal);
}

void DrawBackgrounds() {
    DrawArenas();
    DrawWalls();
    DrawStarSky();
    DrawWhite();
    DrawResultSheet();
    DrawStartMenu();
    DrawPause();
    for (int k = 3; k <= 6; ++k) {
        Pic pic = New(S, S);
        FireFrame(pic.cr, k);
        Save(pic, "images/Backgrounds/fire" + std::to_string(k) + ".bmp");
        Free(pic);
    }
    DrawIntroTitle();
}

void DrawWordedBackgrounds() {
    DrawPause();
    DrawIntroTitle();
}

} // namespace Pictures
