#include "Canvas.h"

#include "AssetList.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

namespace Canvas {

namespace {

constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";
constexpr int kThumb = 110; // contact sheet cell
constexpr int kLabel = 14;

struct SheetEntry {
    std::string name;
    cairo_surface_t* thumb;
};

std::string outRoot;
std::map<std::string, AssetList::File> expected;
std::set<std::string> written;
std::vector<SheetEntry> sheet;
std::string language = "nl";
std::string fitReport; // one line per fitted text: language, width, box, size, text
std::map<std::pair<Font, int>, TTF_Font*> fonts;

const char* FontFile(Font f) {
    switch (f) {
    case Font::Sans:
        return "DejaVuSans.ttf";
    case Font::SansBold:
        return "DejaVuSans-Bold.ttf";
    case Font::Condensed:
        return "DejaVuSansCondensed-Bold.ttf";
    case Font::Mono:
        return "DejaVuSansMono-Bold.ttf";
    case Font::Serif:
        return "DejaVuSerif-Bold.ttf";
    }
    return "DejaVuSans.ttf";
}

TTF_Font* OpenFont(Font f, int px) {
    auto& slot = fonts[{f, px}];
    if (!slot) {
        slot = TTF_OpenFont((std::string(kFontDir) + FontFile(f)).c_str(), px);
        if (!slot) std::fprintf(stderr, "assetgen: cannot open font %s\n", FontFile(f));
    }
    return slot;
}

// The glyphs as an alpha-only Cairo surface; null when nothing renders.
cairo_surface_t* GlyphMask(std::string_view utf8, const TextStyle& style) {
    TTF_Font* font = OpenFont(style.font, static_cast<int>(std::lround(style.px)));
    if (!font || utf8.empty()) return nullptr;
    const std::string text(utf8);
    SDL_Surface* rendered =
        TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) return nullptr;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!argb) return nullptr;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, argb->w, argb->h);
    cairo_surface_flush(mask);
    unsigned char* dst = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < argb->w; ++x)
            dst[y * stride + x] = static_cast<unsigned char>(row[x] >> 24);
    }
    cairo_surface_mark_dirty(mask);
    SDL_FreeSurface(argb);
    return mask;
}

void Paint(cairo_t* cr, cairo_surface_t* mask, double x, double y, const TextStyle& style) {
    if (style.glow > 0) {
        // A halo from stacked, widening copies of the glyphs.
        for (int i = 8; i >= 1; --i) {
            const double r = style.glow * i / 8.0;
            Colour(cr, style.glowColour, 0.06);
            for (int k = 0; k < 12; ++k) {
                const double a = k * M_PI / 6;
                cairo_mask_surface(cr, mask, x + r * std::cos(a), y + r * std::sin(a));
            }
        }
    }
    if (style.outline > 0) {
        Colour(cr, style.outlineColour);
        const int steps = 16;
        for (int k = 0; k < steps; ++k) {
            const double a = k * 2 * M_PI / steps;
            cairo_mask_surface(cr, mask, x + style.outline * std::cos(a),
                               y + style.outline * std::sin(a));
        }
    }
    if (style.fill) {
        cairo_set_source(cr, style.fill);
    } else {
        Colour(cr, style.colour);
    }
    cairo_mask_surface(cr, mask, x, y);
}

// Colour channels of one premultiplied ARGB pixel, undone from the alpha.
void Unpremultiply(uint32_t px, uint8_t& r, uint8_t& g, uint8_t& b, uint8_t& a) {
    a = px >> 24;
    auto un = [a](uint32_t c) -> uint8_t {
        if (a == 0) return 0;
        return static_cast<uint8_t>(std::min<uint32_t>(255, (c * 255 + a / 2) / a));
    };
    r = un((px >> 16) & 0xFF);
    g = un((px >> 8) & 0xFF);
    b = un(px & 0xFF);
}

enum class Kind { Opaque, Colours, Mask };

// images/X in the language being drawn.
std::string Localised(std::string_view path) {
    if (language == "nl" || path.rfind("images/", 0) != 0) return std::string(path);
    return AssetList::Localised(path, language);
}

void WriteBmp(const Pic& pic, std::string_view path, Kind kind) {
    const std::string rel = Localised(path);
    const auto it = expected.find(rel);
    if (it == expected.end() || it->second.width != pic.w || it->second.height != pic.h) {
        std::fprintf(stderr, "assetgen: %s (%d x %d) is not in the asset list\n", rel.c_str(),
                     pic.w, pic.h);
        std::exit(1);
    }
    cairo_surface_flush(pic.surface);
    const unsigned char* src = cairo_image_surface_get_data(pic.surface);
    const int stride = cairo_image_surface_get_stride(pic.surface);
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, pic.w, pic.h, 24, SDL_PIXELFORMAT_BGR24);
    for (int y = 0; y < pic.h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(src + y * stride);
        auto* dst = static_cast<uint8_t*>(out->pixels) + y * out->pitch;
        for (int x = 0; x < pic.w; ++x) {
            uint8_t r, g, b, a;
            if (kind == Kind::Opaque) {
                a = 255;
                r = (row[x] >> 16) & 0xFF;
                g = (row[x] >> 8) & 0xFF;
                b = row[x] & 0xFF;
            } else {
                Unpremultiply(row[x], r, g, b, a);
            }
            if (kind == Kind::Mask) r = g = b = (a >= 128 ? 255 : 0);
            dst[3 * x] = b;
            dst[3 * x + 1] = g;
            dst[3 * x + 2] = r;
        }
    }
    const std::filesystem::path file = std::filesystem::path(outRoot) / rel;
    std::filesystem::create_directories(file.parent_path());
    if (SDL_SaveBMP(out, file.c_str()) != 0) {
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", file.c_str(), SDL_GetError());
        std::exit(1);
    }
    SDL_FreeSurface(out);
    written.insert(rel);
}

void AddToSheet(const Pic& pic, std::string_view name, bool checker) {
    if (language != "nl") return; // the sheet shows the game's own pictures
    const double scale = std::min(1.0, std::min(double(kThumb) / pic.w, double(kThumb) / pic.h));
    const int tw = std::max(1, int(pic.w * scale)), th = std::max(1, int(pic.h * scale));
    cairo_surface_t* thumb = cairo_image_surface_create(CAIRO_FORMAT_RGB24, tw, th);
    cairo_t* cr = cairo_create(thumb);
    Colour(cr, checker ? 0x808890 : 0x000000);
    cairo_paint(cr);
    if (checker) {
        Colour(cr, 0x6A7078);
        for (int y = 0; y < th; y += 8)
            for (int x = (y / 8 % 2) * 8; x < tw; x += 16)
                cairo_rectangle(cr, x, y, 8, 8);
        cairo_fill(cr);
    }
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, pic.surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_paint(cr);
    cairo_destroy(cr);
    sheet.push_back({std::string(name), thumb});
}

} // namespace

double Random::Next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return double((state * 0x2545F4914F6CDD1Dull) >> 11) / double(1ull << 53);
}

bool Begin(const std::string& outDir) {
    outRoot = outDir;
    for (const auto& f : AssetList::AllPictures())
        expected[f.path] = f;
    if (SDL_Init(0) != 0 || TTF_Init() != 0) return false;
    return OpenFont(Font::SansBold, 20) != nullptr;
}

void SetLanguage(const std::string& code) {
    language = code;
}

TextStyle Fit(std::string_view utf8, TextStyle style, double width) {
    constexpr double kSmallest = 8, kStep = 1; // fonts open at whole pixel sizes
    const double px = style.px;
    while (style.px > kSmallest && TextWidth(utf8, style) > width)
        style.px -= kStep;
    char line[96];
    std::snprintf(line, sizeof line, "%s\t%.1f\t%.1f\t%.1f\t%.1f\t", language.c_str(),
                  TextWidth(utf8, style), width, px, style.px);
    fitReport += line + std::string(utf8) + "\n";
    return style;
}

bool Finish(const std::string& contactSheet) {
    bool ok = true;
    const auto report = std::filesystem::path(contactSheet).parent_path() / "fit-report.txt";
    std::filesystem::create_directories(report.parent_path());
    std::FILE* f = std::fopen(report.c_str(), "w");
    ok = f && std::fputs(fitReport.c_str(), f) >= 0;
    if (f) std::fclose(f);
    for (const auto& [path, file] : expected) {
        if (!written.count(path)) {
            std::fprintf(stderr, "assetgen: %s was not drawn\n", path.c_str());
            ok = false;
        }
    }
    const int cols = 12, cellW = kThumb + 8, cellH = kThumb + kLabel + 8;
    const int rows = int(sheet.size() + cols - 1) / cols;
    Pic all = New(cols * cellW, rows * cellH);
    Colour(all.cr, 0x202428);
    cairo_paint(all.cr);
    TextStyle label{Font::Condensed, 10};
    label.colour = 0xD0D8E0;
    for (size_t i = 0; i < sheet.size(); ++i) {
        const double x = double(i % cols) * cellW + 4, y = double(i / cols) * cellH + 4;
        cairo_set_source_surface(all.cr, sheet[i].thumb, x, y);
        cairo_paint(all.cr);
        std::string name = sheet[i].name.substr(sheet[i].name.find_last_of('/') + 1);
        if (name.size() > 22) name = name.substr(0, 22);
        TextLeft(all.cr, name, x, y + kThumb + kLabel / 2 + 1, label);
        cairo_surface_destroy(sheet[i].thumb);
    }
    sheet.clear();
    std::filesystem::create_directories(std::filesystem::path(contactSheet).parent_path());
    if (cairo_surface_write_to_png(all.surface, contactSheet.c_str()) != CAIRO_STATUS_SUCCESS)
        ok = false;
    Free(all);
    for (auto& [key, font] : fonts)
        if (font) TTF_CloseFont(font);
    fonts.clear();
    TTF_Quit();
    SDL_Quit();
    return ok;
}

Pic New(int w, int h) {
    Pic pic;
    pic.w = w;
    pic.h = h;
    pic.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    pic.cr = cairo_create(pic.surface);
    cairo_set_antialias(pic.cr, CAIRO_ANTIALIAS_BEST);
    return pic;
}

void Free(Pic& pic) {
    if (pic.cr) cairo_destroy(pic.cr);
    if (pic.surface) cairo_surface_destroy(pic.surface);
    pic = Pic{};
}

void Save(const Pic& pic, std::string_view path) {
    WriteBmp(pic, path, Kind::Opaque);
    AddToSheet(pic, path, false);
}

void SaveMasked(const Pic& pic, std::string_view stem) {
    const std::string s(stem);
    WriteBmp(pic, s + ".bmp", Kind::Colours);
    WriteBmp(pic, s + "_mask.bmp", Kind::Mask);
    AddToSheet(pic, s + ".bmp", true);
}

void SaveMask(const Pic& pic, std::string_view path) {
    WriteBmp(pic, path, Kind::Mask);
    Pic shown = New(pic.w, pic.h);
    Colour(shown.cr, 0x000000);
    cairo_paint(shown.cr);
    Colour(shown.cr, 0xFFFFFF);
    cairo_mask_surface(shown.cr, pic.surface, 0, 0);
    AddToSheet(shown, path, false);
    Free(shown);
}

void Text(cairo_t* cr, std::string_view utf8, double cx, double cy, const TextStyle& style) {
    cairo_surface_t* mask = GlyphMask(utf8, style);
    if (!mask) return;
    const double w = cairo_image_surface_get_width(mask), h = cairo_image_surface_get_height(mask);
    Paint(cr, mask, std::round(cx - w / 2), std::round(cy - h / 2), style);
    cairo_surface_destroy(mask);
}

void TextLeft(cairo_t* cr, std::string_view utf8, double x, double cy, const TextStyle& style) {
    Text(cr, utf8, x + TextWidth(utf8, style) / 2, cy, style);
}

double TextWidth(std::string_view utf8, const TextStyle& style) {
    TTF_Font* font = OpenFont(style.font, static_cast<int>(std::lround(style.px)));
    int w = 0, h = 0;
    if (font) TTF_SizeUTF8(font, std::string(utf8).c_str(), &w, &h);
    return w;
}

void Colour(cairo_t* cr, uint32_t rgb, double alpha) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                          (rgb & 0xFF) / 255.0, alpha);
}

void AddStop(cairo_pattern_t* p, double at, uint32_t rgb, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, at, ((rgb >> 16) & 0xFF) / 255.0,
                                      ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha);
}

void PaintVertical(cairo_t* cr, double height, uint32_t top, uint32_t mid, uint32_t bottom,
                   double midAt) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, height);
    AddStop(g, 0, top);
    AddStop(g, midAt, mid);
    AddStop(g, 1, bottom);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

} // namespace Canvas
