#include "Icon.h"

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "Canvas.h"
#include "Pictures.h"

namespace Icon {

namespace {

constexpr int kSizes[] = {48, 64, 128, 256};

// Drawn on a 256 grid and scaled, so every size is the same picture.
void Draw(cairo_t* cr, int size) {
    cairo_scale(cr, size / 256.0, size / 256.0);
    // The tile: the arena's green plate with a steel rim, leaving a margin
    // as the hicolor icons of other applications do.
    Canvas::RoundedRect(cr, 12, 12, 232, 232, 44);
    cairo_pattern_t* plate = cairo_pattern_create_radial(100, 90, 20, 128, 128, 170);
    Canvas::AddStop(plate, 0, 0x2E9A68);
    Canvas::AddStop(plate, 1, 0x0E3E2A);
    cairo_set_source(cr, plate);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(plate);
    Canvas::Colour(cr, 0xB8C4D0);
    cairo_set_line_width(cr, 8);
    cairo_stroke(cr);
    // The robot, heading up and to the right as if it were on the move.
    cairo_save(cr);
    cairo_translate(cr, 128, 134);
    cairo_rotate(cr, M_PI / 4);
    cairo_scale(cr, 3.3, 3.3);
    Pictures::RobotFigure(cr);
    cairo_restore(cr);
}

} // namespace

bool DrawIcons(const std::string& dir, const std::string& name) {
    bool ok = true;
    for (int size : kSizes) {
        const std::filesystem::path folder = std::filesystem::path(dir) /
                                             (std::to_string(size) + "x" + std::to_string(size)) /
                                             "apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
        cairo_t* cr = cairo_create(surface);
        Draw(cr, size);
        cairo_destroy(cr);
        const std::string file = (folder / (name + ".png")).string();
        if (cairo_surface_write_to_png(surface, file.c_str()) != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", file.c_str());
            ok = false;
        }
        cairo_surface_destroy(surface);
    }
    return ok;
}

} // namespace Icon
