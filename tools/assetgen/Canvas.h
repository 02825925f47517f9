// Drawing surfaces of the generator: Cairo for shapes, SDL2_ttf for lettering, SDL2 for BMP files.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace Canvas {

struct Pic {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    int w = 0;
    int h = 0;
};

enum class Font { Sans, SansBold, Condensed, Mono, Serif };

struct TextStyle {
    Font font = Font::SansBold;
    double px = 20;                  // font size in pixels
    cairo_pattern_t* fill = nullptr; // borrowed; a plain colour when null
    uint32_t colour = 0xFFFFFF;      // 0xRRGGBB, used when fill is null
    double outline = 0;              // width of a dark rim around the glyphs
    uint32_t outlineColour = 0x000000;
    double glow = 0; // radius of a soft halo in glowColour
    uint32_t glowColour = 0x40F0FF;
};

// Pictures with words are drawn once per language: after SetLanguage("de") every file goes to
// images/de/ instead of images/, and stays off the contact sheet. "nl" is the game's own.
void SetLanguage(const std::string& code);

// The style shrunk until the text is at most `width` pixels wide; every fit is kept for the
// fit report that Finish writes beside the contact sheet.
TextStyle Fit(std::string_view utf8, TextStyle style, double width);

// Opens the fonts and remembers where files go; false when the fonts cannot be opened.
bool Begin(const std::string& outDir);
// Checks that every listed picture was written and writes the contact sheet.
bool Finish(const std::string& contactSheet);

Pic New(int w, int h);
void Free(Pic& pic);

// Writes the picture as an opaque 24-bit BMP (transparent parts come out black).
void Save(const Pic& pic, std::string_view path);
// Writes stem.bmp and stem_mask.bmp: the mask is white where the picture is mostly opaque.
void SaveMasked(const Pic& pic, std::string_view stem);
// Writes only the mask of the picture.
void SaveMask(const Pic& pic, std::string_view path);

// Lettering, centred on (cx, cy).
void Text(cairo_t* cr, std::string_view utf8, double cx, double cy, const TextStyle& style);
// Lettering with its left edge at x and its vertical centre at cy.
void TextLeft(cairo_t* cr, std::string_view utf8, double x, double cy, const TextStyle& style);
double TextWidth(std::string_view utf8, const TextStyle& style);

// Small helpers shared by the painters.
void Colour(cairo_t* cr, uint32_t rgb, double alpha = 1.0);
void AddStop(cairo_pattern_t* p, double at, uint32_t rgb, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Paints the whole surface with a top-to-bottom gradient over 0..height through three colours.
void PaintVertical(cairo_t* cr, double height, uint32_t top, uint32_t mid, uint32_t bottom,
                   double midAt = 0.5);

// Deterministic random numbers: every painter seeds its own stream.
struct Random {
    uint64_t state;
    explicit Random(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    double Next(); // in [0, 1)
    double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }
};

} // namespace Canvas
