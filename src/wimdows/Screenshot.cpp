// F12: the presented frame as a PNG at the game's own size, named by the date
// and time, in the screenshot folder. The console says where; a small camera
// over the picture says that it was taken, for about a second and a half.
#include <SDL_image.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>
#include <thread>

#include "StandardLib.h"
#include "WimdowsInternal.h"

namespace Wimdows {

using namespace Internal;

namespace {

constexpr uint64_t SHOWN_MS = 1500;
// Screenshots taken within one second get a number after the time.
constexpr int MAX_SAME_SECOND = 100;

std::string folder; // set before the window opens

std::string Stamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

// A new file of its own (never one already there), opened for writing; null when none.
std::FILE* OpenNew(std::string& path) {
    const std::string base = folder + "/kolvemar-trovix_" + Stamp();
    for (int n = 1; n <= MAX_SAME_SECOND; ++n) {
        path = base + (n == 1 ? "" : "_" + std::to_string(n)) + ".png";
        if (std::FILE* f = std::fopen(path.c_str(), "wbx")) return f;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

bool WritePng(std::FILE* f, std::vector<uint32_t>& pixels, int w, int h) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_RGB888);
    SDL_RWops* out = SDL_RWFromFP(f, SDL_FALSE);
    const bool written = surface && out && IMG_SavePNG_RW(surface, out, 0) == 0;
    if (out) SDL_RWclose(out);
    SDL_FreeSurface(surface);
    return written;
}

// Encoding a PNG takes about a tenth of a second: it runs beside the window
// thread, which meanwhile goes on showing frames. The file's name is taken
// before, so pictures keep the order of the key presses. One picture at a
// time: a press while one is written waits for it.
std::jthread writer;         // window thread only
std::atomic<int> written{0}; // pictures written whose note is still to show

void Write(std::FILE* f, const std::string& path, std::vector<uint32_t> pixels, int w, int h) {
    const bool encoded = WritePng(f, pixels, w, h);
    const bool closed = std::fclose(f) == 0;
    if (!encoded || !closed) {
        std::cerr << "Cannot write the screenshot \"" << path
                  << "\": " << (encoded ? std::strerror(errno) : IMG_GetError()) << std::endl;
        std::remove(path.c_str());
        return;
    }
    std::cout << "Screenshot: " << path << std::endl;
    ++written;
}

constexpr SDL_Color PANEL{16, 16, 24, 210};
constexpr SDL_Color EDGE{230, 230, 230, 255};
constexpr SDL_Color BODY{250, 250, 250, 255};

// A camera in the top right corner.
constexpr float X = 724, Y = 8, W = 68, H = 44;

Overlay note{{X - 2, Y - 2, W + 4, H + 4}}; // window thread only

void Draw(const Painter& p) {
    p.Fill(X - 2, Y - 2, W + 4, H + 4, EDGE);
    p.Fill(X, Y, W, H, PANEL);
    p.Fill(X + 12, Y + 12, 44, 26, BODY);
    p.Fill(X + 24, Y + 7, 16, 6, BODY);
    p.Disc(X + 34, Y + 25, 9, PANEL);
    p.Disc(X + 34, Y + 25, 5, BODY);
}

} // namespace

void SetScreenshotFolder(const char* path) {
    folder = path ? path : "";
}

namespace Internal {

void SaveScreenshot() {
    if (folder.empty()) return;
    std::vector<uint32_t> pixels = ShownFrame();
    const int w = static_cast<int>(xlen.load()), h = static_cast<int>(ylen.load());
    if (pixels.empty() || pixels.size() != size_t(w) * size_t(h)) return;
    std::string path = folder;
    const int made = StandardLib::MakeFolders(folder);
    std::FILE* f = made == 0 ? OpenNew(path) : nullptr;
    const int error = made != 0 ? made : errno;
    if (!f) {
        std::cerr << "Cannot write a screenshot into \"" << folder << "\": " << std::strerror(error)
                  << std::endl;
        return;
    }
    FinishScreenshots();
    writer = std::jthread(Write, f, std::move(path), std::move(pixels), w, h);
}

void FinishScreenshots() {
    if (writer.joinable()) writer.join();
}

bool ScreenshotsWritten() {
    if (written.exchange(0) == 0) return false;
    note.Show(SHOWN_MS);
    return true;
}

void DrawScreenshotNote(SDL_Renderer* renderer, const SDL_FRect& game) {
    note.Draw(renderer, game, Draw);
}

bool ScreenshotNoteExpired() {
    return note.Expired();
}

Overlay& ScreenshotNote() {
    return note;
}

} // namespace Internal

} // namespace Wimdows
