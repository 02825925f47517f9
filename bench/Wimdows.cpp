// Frame costs of the window layer on an 800 x 800 window (dummy video driver
// unless SDL_VIDEODRIVER says otherwise).
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "Wimdows.h"
#include "WimdowsInternal.h"

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

// A whole 800 x 800 frame smoothed to 1080 x 1080 (a 1080p screen, full):
// SDL's scaler, and ours a window row at a time, which a frame pays only for
// the rows that read a changed game row.
std::vector<uint32_t> Noise(size_t n) {
    std::vector<uint32_t> px(n);
    uint32_t seed = 1;
    for (uint32_t& p : px)
        p = (seed = seed * 1103515245u + 12345u) & 0xFFFFFF;
    return px;
}

void BM_StretchBySdl(benchmark::State& s) {
    std::vector<uint32_t> frame = Noise(size_t{SIZE} * SIZE);
    SDL_Surface* from = SDL_CreateRGBSurfaceWithFormatFrom(frame.data(), SIZE, SIZE, 32, SIZE * 4,
                                                           SDL_PIXELFORMAT_RGB888);
    SDL_Surface* to = SDL_CreateRGBSurfaceWithFormat(0, 1080, 1080, 32, SDL_PIXELFORMAT_RGB888);
    for (auto _ : s)
        SDL_SoftStretchLinear(from, nullptr, to, nullptr);
    SDL_FreeSurface(to);
    SDL_FreeSurface(from);
}
BENCHMARK(BM_StretchBySdl)->Unit(benchmark::kMicrosecond);

void BM_StretchByRows(benchmark::State& s) {
    const std::vector<uint32_t> frame = Noise(size_t{SIZE} * SIZE);
    std::vector<uint32_t> to(size_t{1080} * 1080);
    Wimdows::Internal::Stretcher st;
    st.Fit(SIZE, SIZE, 1080, 1080);
    for (auto _ : s)
        for (int32_t y = 0; y < 1080; ++y)
            st.Row(frame.data(), y, to.data() + size_t(y) * 1080);
}
BENCHMARK(BM_StretchByRows)->Unit(benchmark::kMicrosecond);

// F12 in a crowded 800 x 800 frame, then the next frame: the time until the
// window shows it. The PNG is written beside the window thread, which goes on
// showing frames; each picture is finished before the next press.
void BM_FrameAfterScreenshot(benchmark::State& s) {
    OpenOnce();
    char folder[] = "/tmp/wimdows_bench_shots_XXXXXX";
    if (!mkdtemp(folder)) std::abort();
    W::SetScreenshotFolder(folder);
    const std::vector<uint32_t> noise = Noise(size_t{SIZE} * SIZE);
    for (uint32_t i = 0; i < noise.size(); i += 2)
        W::Rectangle(int32_t(i % SIZE), int32_t(i / SIZE), int32_t(i % SIZE) + 1, int32_t(i / SIZE),
                     noise[i], true);
    W::UpdateWindow();
    W::Sync();
    uint32_t colour = 0;
    for (auto _ : s) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = SDLK_F12;
        SDL_PushEvent(&e);
        const uint64_t shown = Wimdows::Internal::FramesShown();
        W::Rectangle(0, 0, 9, 9, ++colour, true);
        W::UpdateWindow();
        while (Wimdows::Internal::FramesShown() == shown)
            std::this_thread::yield();
        s.PauseTiming();
        W::Sync();
        s.ResumeTiming();
    }
    W::SetScreenshotFolder("");
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_FrameAfterScreenshot)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
