// wimdemo OUTDIR [SECONDS]: opens a real window, draws every primitive, text in
// every style and a masked picture, presents it and writes the back buffer's
// sampled pixels to OUTDIR/samples.txt ("x y RRGGBB" per line). It then stays
// open until OUTDIR/done exists, the window is closed, or SECONDS have passed,
// and prints every key press ("key CODE") and left click ("click X Y") it gets.
#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "Wimdows.h"

namespace W = Wimdows;

namespace {

constexpr int32_t SIZE_X = 480;
constexpr int32_t SIZE_Y = 360;
constexpr uint32_t BLACK = 0x000000, WHITE = 0xFFFFFF, GREY = 0xC0C0C0, DARK_RED = 0x0000B0;
constexpr uint32_t RED = 0x0000FF, GREEN = 0x00FF00, BLUE = 0xFF0000, YELLOW = 0x00FFFF;

// A small picture and its mask, made here and saved as BMP files.
void WritePictures(const std::string& picture, const std::string& mask) {
    constexpr int N = 30;
    SDL_Surface* pic = SDL_CreateRGBSurfaceWithFormat(0, N, N, 32, SDL_PIXELFORMAT_RGB888);
    SDL_Surface* msk = SDL_CreateRGBSurfaceWithFormat(0, N, N, 32, SDL_PIXELFORMAT_RGB888);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const double d = std::hypot(x - N / 2 + 0.5, y - N / 2 + 0.5);
            auto* p = static_cast<uint32_t*>(pic->pixels) + y * pic->pitch / 4 + x;
            auto* m = static_cast<uint32_t*>(msk->pixels) + y * msk->pitch / 4 + x;
            *p =
                d < 6 ? 0xFFFF00u : (uint32_t(40 + 7 * x) << 16) | uint32_t(60 + 6 * y) << 8 | 0x30;
            *m = d < 13 ? 0xFFFFFFu : 0u;
        }
    SDL_SaveBMP(pic, picture.c_str());
    SDL_SaveBMP(msk, mask.c_str());
    SDL_FreeSurface(pic);
    SDL_FreeSurface(msk);
}

// Drawn unbuffered: each call shows itself at once.
void DrawShapes() {
    W::ClearScreen();
    W::Rectangle(10, 10, 70, 50, RED, true);
    W::Rectangle(80, 50, 140, 10, GREEN, false);
    W::Rectangle(75, 30, 75, 30, WHITE, false);
    W::Ellipse(150, 10, 230, 50, BLUE, true);
    W::Ellipse(240, 10, 320, 50, YELLOW, false);
    W::Circle(355, 30, 20, WHITE);
    W::Disc(420, 30, 20, DARK_RED);
}

// Drawn buffered: shown by one UpdateWindow.
void DrawRest(uint32_t picture, uint32_t mask) {
    W::Arc(10, 60, 90, 140, 90, 100, 50, 60, WHITE);
    W::Arc(100, 60, 180, 140, 140, 60, 180, 100, GREEN);
    const int32_t sx[] = {230, 252, 194, 266, 208};
    const int32_t sy[] = {60, 130, 84, 84, 130};
    W::Polygon(5, sx, sy, YELLOW, true);
    const int32_t tx[] = {280, 340, 300};
    const int32_t ty[] = {130, 120, 62};
    W::Polygon(3, tx, ty, RED, false);
    for (int i = 0; i < 6; ++i)
        W::Disc(360 + 18 * i, 100, 5, 0x00C0FF);

    W::Rectangle(0, 150, 300, SIZE_Y, GREY, true);
    for (uint32_t style = 0; style <= 5; ++style) {
        W::SetFont(style, style % 2 ? DARK_RED : BLACK);
        W::Text(("Stijl " + std::to_string(style) + ": Kolvemar-Trovix 0123").c_str(), 8,
                156 + 26 * static_cast<int32_t>(style));
    }
    W::SetFont(1, WHITE);
    W::Text("Score:", 310, 156);
    W::TextInt(-120, 380, 156);
    W::SetFont(4, GREEN);
    W::TextCard(4294967, 310, 180);

    for (int32_t y = 220; y < SIZE_Y; y += 10)
        for (int32_t x = 310; x < SIZE_X; x += 10)
            W::Rectangle(x, y, x + 9, y + 9, ((x + y) / 10) % 2 ? GREY : 0x808080, true);
    W::DrawBitmap(picture, 320, 230);
    W::DrawMaskBitmap(picture, mask, 400, 230);
    W::DrawMaskBitmap(picture, mask, SIZE_X - 30, SIZE_Y - 30); // clipped at the corner
}

bool WriteSamples(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    for (int32_t y = 0; y < SIZE_Y; ++y)
        for (int32_t x = y % 2; x < SIZE_X; x += 2) {
            const uint32_t c = W::GetPixel(x, y);
            std::fprintf(f, "%d %d %02X%02X%02X\n", x, y, c & 0xFF, (c >> 8) & 0xFF,
                         (c >> 16) & 0xFF);
        }
    return std::fclose(f) == 0;
}

void PrintClick() {
    int32_t x = 0, y = 0;
    W::MousePos(x, y);
    std::printf("click %d %d\n", x, y);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: wimdemo OUTDIR [SECONDS]\n");
        return 2;
    }
    const std::string out = argv[1];
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    WritePictures(out + "/picture.bmp", out + "/mask.bmp");
    // Pictures load before the window exists, as the game does.
    const uint32_t picture = W::LoadBitmap((out + "/picture.bmp").c_str(), 60, 60);
    const uint32_t mask = W::LoadBitmap((out + "/mask.bmp").c_str(), 60, 60);
    W::Window("wimdemo", SIZE_X, SIZE_Y);
    if (W::State() != W::STATE_ACTIVE || !picture || !mask) {
        std::fprintf(stderr, "wimdemo: no window or no pictures\n");
        return 1;
    }
    DrawShapes();
    W::SetBuffering(true);
    DrawRest(picture, mask);
    W::UpdateWindow();
    W::Sync();
    if (!WriteSamples(out + "/samples.tmp") ||
        std::rename((out + "/samples.tmp").c_str(), (out + "/samples.txt").c_str()) != 0)
        return 1;
    W::OnMouseLeftUp(PrintClick);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!W::WindowClosed() && !std::filesystem::exists(out + "/done") &&
           std::chrono::steady_clock::now() < end) {
        uint32_t key = 0;
        while (W::GetKeyPressed(key))
            std::printf("key %u\n", key);
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    W::KillWindow();
    return 0;
}
