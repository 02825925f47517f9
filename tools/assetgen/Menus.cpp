// Buttons, the difficulty fields and the high-score lettering.
#include "Canvas.h"
#include "Pictures.h"
#include "Taal.h"
#include "Words.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

namespace Pictures {

using namespace Canvas;

namespace {

constexpr uint32_t kNeon = 0x40E8FF;

// The metal plate of a button; the mouse-over variant lights up.
void ButtonPlate(cairo_t* cr, double x, double y, double w, double h, bool hover, uint32_t tint) {
    RoundedRect(cr, x, y, w, h, std::min(10.0, h / 4));
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    if (hover) {
        AddStop(g, 0, 0x6C8CA8);
        AddStop(g, 0.5, 0x2C4A66);
        AddStop(g, 1, 0x1A3048);
    } else {
        AddStop(g, 0, 0x5A6470);
        AddStop(g, 0.5, 0x2E3640);
        AddStop(g, 1, 0x1C2228);
    }
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Colour(cr, hover ? kNeon : tint);
    cairo_set_line_width(cr, hover ? 3 : 2);
    cairo_stroke(cr);
    RoundedRect(cr, x + 4, y + 4, w - 8, h - 8, std::min(7.0, h / 5));
    Colour(cr, 0xFFFFFF, hover ? 0.22 : 0.1);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (double rx : {x + 9, x + w - 9}) {
        cairo_arc(cr, rx, y + h / 2, 2.2, 0, 2 * M_PI);
        Colour(cr, hover ? kNeon : 0x9AA4AE);
        cairo_fill(cr);
    }
}

TextStyle Label(bool hover, double px) {
    TextStyle style{Font::SansBold, px};
    style.colour = hover ? 0xFFFFFF : 0xD8E2EC;
    style.outline = 1.5;
    style.outlineColour = 0x05080C;
    if (hover) {
        style.glow = 4;
        style.glowColour = kNeon;
    }
    return style;
}

void Button(const std::string& file, const std::string& text, bool hover) {
    Pic pic = New(200, 50);
    Colour(pic.cr, 0x0A0E12);
    cairo_paint(pic.cr);
    ButtonPlate(pic.cr, 1.5, 1.5, 197, 47, hover, 0x7A8894);
    // Between the rivets.
    Text(pic.cr, text, 100, 25, Fit(text, Label(hover, 22), 164));
    Save(pic, file);
    Free(pic);
}

void ButtonPair(const std::string& stem, const std::string& text) {
    Button("images/" + stem + "0.bmp", text, false);
    Button("images/" + stem + "1.bmp", text, true);
}

// The back button of the high-score, result and credits screens: an arrow-shaped plate.
void BackButton(bool hover) {
    Pic pic = New(200, 100);
    cairo_t* cr = pic.cr;
    cairo_move_to(cr, 6, 50);
    cairo_line_to(cr, 52, 14);
    cairo_line_to(cr, 52, 28);
    cairo_line_to(cr, 186, 28);
    cairo_arc(cr, 184, 38, 10, -M_PI / 2, 0);
    cairo_line_to(cr, 194, 62);
    cairo_arc(cr, 184, 62, 10, 0, M_PI / 2);
    cairo_line_to(cr, 52, 72);
    cairo_line_to(cr, 52, 86);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 14, 0, 86);
    AddStop(g, 0, hover ? 0x70B0D0 : 0x6A7480);
    AddStop(g, 0.5, hover ? 0x245878 : 0x343C46);
    AddStop(g, 1, hover ? 0x183850 : 0x1E242A);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Colour(cr, hover ? kNeon : 0x0C1014);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // Within the plate's body, right of the arrow head.
    const char* terug = Words::Tekst("Terug");
    Text(cr, terug, 118, 50, Fit(terug, Label(hover, 28), 124));
    if (hover) {
        Save(pic, "images/back1.bmp");
    } else {
        Save(pic, "images/back0.bmp");
        SaveMask(pic, "images/back_mask.bmp");
    }
    Free(pic);
}

void Arrow(const std::string& stem, bool pointsRight, bool hover) {
    Pic pic = New(25, 100);
    cairo_t* cr = pic.cr;
    ButtonPlate(cr, 1.5, 1.5, 22, 97, hover, 0x7A8894);
    const double tip = pointsRight ? 19 : 6, back = pointsRight ? 7 : 18;
    cairo_move_to(cr, back, 36);
    cairo_line_to(cr, tip, 50);
    cairo_line_to(cr, back, 64);
    cairo_close_path(cr);
    Colour(cr, hover ? 0xFFFFFF : 0xE8B820);
    cairo_fill_preserve(cr);
    Colour(cr, 0x05080C);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    if (hover) {
        Save(pic, "images/" + stem + "1.bmp");
    } else {
        SaveMasked(pic, "images/" + stem);
    }
    Free(pic);
}

// The plate of a selector's field (difficulty, language), rimmed in `rim`.
Pic SelectorField(uint32_t rim) {
    Pic pic = New(300, 100);
    cairo_t* cr = pic.cr;
    RoundedRect(cr, 3, 8, 294, 84, 18);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 8, 0, 92);
    AddStop(g, 0, 0x4A5460);
    AddStop(g, 1, 0x14181E);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Colour(cr, rim);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    return pic;
}

void DifficultyField(const std::string& stem, const std::string& text, int level) {
    const std::array<uint32_t, 5> colours = {0x40C060, 0x90D040, 0xE8C030, 0xF07820, 0xE02828};
    Pic pic = SelectorField(colours[level]);
    cairo_t* cr = pic.cr;
    TextStyle style = Label(false, 36);
    style.colour = colours[level];
    style.outline = 2;
    Text(cr, text, 150, 42, Fit(text, style, 260));
    // Five pips, as many lit as the level is hard.
    for (int k = 0; k < 5; ++k) {
        cairo_arc(cr, 110 + k * 20, 76, 5, 0, 2 * M_PI);
        Colour(cr, k <= level ? colours[level] : 0x3A424A);
        cairo_fill_preserve(cr);
        Colour(cr, 0x05080C);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    SaveMasked(pic, "images/" + stem);
    Free(pic);
}

// A lettering mask of the high-score screen: white glyphs, drawn in red by the game.
// Centred on cx (the middle when 0); right-aligned when cx is negative.
void Lettering(const std::string& name, const std::string& text, int w, int h, Font font, double px,
               double cx = 0) {
    Pic pic = New(w, h);
    TextStyle style{font, px};
    style.colour = 0xFFFFFF;
    // Centred on cx: as much room on either side; right-aligned: the picture less its edge.
    const double room = cx > 0 ? 2 * std::min(cx, w - cx) : cx < 0 ? w - 2.0 : w;
    style = Fit(text, style, room);
    if (cx < 0) {
        TextLeft(pic.cr, text, w - 4 - TextWidth(text, style), h / 2.0, style);
    } else {
        Text(pic.cr, text, cx > 0 ? cx : w / 2.0, h / 2.0, style);
    }
    SaveMask(pic, "images/nummers/" + name + ".bmp");
    Free(pic);
}

void DrawScoreWords() {
    Lettering("h", Words::Tekst("h"), 20, 28, Font::SansBold, 24);
    Lettering("min", Words::Tekst("min"), 44, 28, Font::Condensed, 22);
    Lettering("sec", Words::Tekst("sec"), 44, 28, Font::Condensed, 22);
    const std::array<const char*, 7> days = {
        Taal::Nl("zondag"),    Taal::Nl("maandag"), Taal::Nl("dinsdag"), Taal::Nl("woensdag"),
        Taal::Nl("donderdag"), Taal::Nl("vrijdag"), Taal::Nl("zaterdag")};
    // Right-aligned: the date follows the weekday on the high-score screen.
    for (const char* day : days)
        Lettering(day, Words::Tekst(day), 120, 28, Font::Condensed, 21, -1);
    Lettering("highscores", Words::Tekst("HIGHSCORES"), 180, 42, Font::Condensed, 25);
}

void DrawScoreLettering() {
    // The screen sets digits 15 pixels apart: each glyph keeps to the first 14 columns.
    for (int d = 0; d <= 9; ++d)
        Lettering(std::to_string(d), std::to_string(d), 20, 28, Font::Condensed, 23, 7);
    Lettering("slash", "/", 20, 28, Font::SansBold, 26);
    Lettering(")", ")", 20, 28, Font::SansBold, 26);
    DrawScoreWords();
    // The red that shows through the lettering: a little metal sheen.
    Pic red = New(180, 42);
    PaintVertical(red.cr, 42, 0xF04030, 0xC01010, 0x800808);
    Save(red, "images/nummers/rood.bmp");
    Free(red);
}

void DrawButtons() {
    const std::array<std::array<const char*, 2>, 11> buttons = {
        {{"Start", Taal::Nl("Start")},
         {"Tutorial", Taal::Nl("Oefenen")},
         {"Load", Taal::Nl("Laden")},
         {"Hiscore", Taal::Nl("Highscores")},
         {"Settings", Taal::Nl("Instellingen")},
         {"Credits", Taal::Nl("Credits")},
         {"Quit", Taal::Nl("Afsluiten")},
         {"Resume", Taal::Nl("Verder")},
         {"Save", Taal::Nl("Opslaan")},
         {"Menu", Taal::Nl("Menu")},
         {"Help", Taal::Nl("Hulp")}}};
    for (const auto& b : buttons)
        ButtonPair(b[0], Words::Tekst(b[1]));
    char slot[64];
    for (int k = 1; k <= 4; ++k) {
        std::snprintf(slot, sizeof slot, Words::Tekst("Slot %d"), k);
        ButtonPair("save" + std::to_string(k), slot);
    }
    ButtonPair("save5", Words::Tekst("Slot 5 (auto)"));
    ButtonPair("back2", Words::Tekst("Terug"));
    ButtonPair("Controls", Words::Tekst("Besturing"));
    BackButton(false);
    BackButton(true);
}

void DrawFields() {
    const std::array<std::array<const char*, 2>, 5> fields = {{{"lazy", Taal::Nl("lazy")},
                                                               {"easy", Taal::Nl("easy")},
                                                               {"medium", Taal::Nl("normaal")},
                                                               {"hard", Taal::Nl("hard")},
                                                               {"extreme", Taal::Nl("extreem")}}};
    for (int k = 0; k < 5; ++k)
        DifficultyField(fields[k][0], Words::Tekst(fields[k][1]), k);
}

// The language selector's fields: each name in its own language, in the game's red.
void DrawLanguageFields() {
    const std::array<std::array<const char*, 2>, 4> names = {
        {{"nl", "Nederlands"}, {"en", "English"}, {"de", "Deutsch"}, {"fr", "Fran\u00e7ais"}}};
    for (const auto& [code, name] : names) {
        Pic pic = SelectorField(kNeon);
        cairo_t* cr = pic.cr;
        TextStyle style = Label(false, 36);
        style.outline = 2;
        Text(cr, name, 150, 50, Fit(name, style, 260));
        SaveMasked(pic, std::string("images/taal_") + code);
        Free(pic);
    }
}

} // namespace

void DrawMenus() {
    DrawButtons();
    Arrow("down", false, false);
    Arrow("down", false, true);
    Arrow("up", true, false);
    Arrow("up", true, true);
    DrawFields();
    DrawScoreLettering();
    DrawLanguageFields();
}

void DrawWordedMenus() {
    DrawButtons();
    DrawFields();
    DrawScoreWords();
}

} // namespace Pictures
