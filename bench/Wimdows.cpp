// Frame costs of the window layer on an 800 x 800 window (dummy video driver
// unless SDL_VIDEODRIVER says otherwise).
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Wimdows.h"

namespace W = Wimdows;

namespace {

constexpr uint32_t SIZE = 800;

// One window for the whole run, closed at exit by the layer itself.
void OpenOnce() {
    static const bool open = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        W::Window("bench", SIZE, SIZE);
        W::SetBuffering(true);
        return W::State() == W::STATE_ACTIVE;
    }();
    if (!open) std::abort();
}

// A w x h picture: a white disc on a dark ground, so that it can be its own mask.
uint32_t DiscPicture(uint32_t w, uint32_t h) {
    OpenOnce();
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, int(w), int(h), 32, SDL_PIXELFORMAT_RGB888);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const int64_t dx = int64_t(x) - w / 2, dy = int64_t(y) - h / 2;
            static_cast<uint32_t*>(s->pixels)[y * s->pitch / 4 + x] =
                dx * dx + dy * dy < int64_t(w * w / 9) ? 0xFFFFFF : 0x204060;
        }
    const std::string path = "/tmp/wimdows_bench_" + std::to_string(w) + ".bmp";
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
    const uint32_t pic = W::LoadBitmap(path.c_str(), w, h);
    std::remove(path.c_str());
    if (!pic) std::abort();
    return pic;
}

void BM_FullScreenOpaqueCopy(benchmark::State& s) {
    const uint32_t pic = DiscPicture(SIZE, SIZE);
    for (auto _ : s)
        W::DrawBitmap(pic, 0, 0);
    W::DestroyBitmap(pic);
}
BENCHMARK(BM_FullScreenOpaqueCopy)->Unit(benchmark::kMicrosecond);

void BM_MaskedCopy60(benchmark::State& s) {
    const uint32_t pic = DiscPicture(60, 60);
    for (auto _ : s)
        W::DrawMaskBitmap(pic, pic, 370, 370);
    W::DestroyBitmap(pic);
}
BENCHMARK(BM_MaskedCopy60)->Unit(benchmark::kMicrosecond);

void BM_ThreeHundredBullets(benchmark::State& s) {
    OpenOnce();
    for (auto _ : s)
        for (int32_t i = 0; i < 300; ++i)
            W::Disc(20 + (i * 37) % 760, 20 + (i * 53) % 760, 5, 0x00C0FF);
}
BENCHMARK(BM_ThreeHundredBullets)->Unit(benchmark::kMicrosecond);

void BM_UpdateWindow(benchmark::State& s) {
    OpenOnce();
    for (auto _ : s)
        W::UpdateWindow();
}
BENCHMARK(BM_UpdateWindow)->Unit(benchmark::kMicrosecond);

} // namespace
