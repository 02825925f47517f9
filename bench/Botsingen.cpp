// Cost of settling one frame: objects and bullets.
#include <benchmark/benchmark.h>

#include <cmath>
#include <iostream>
#include <random>
#include <sstream>

#include "Kolvemar_Botsingen.h"

namespace K = Kolvemar_Constanten_en_Types;
namespace B = Kolvemar_Botsingen;

namespace {

constexpr float MARGE = 20.0f;

struct Objecten {
    K::Object o[K::OBJECT_MAX + 1] = {};
};

struct Geschut {
    K::Objectkogel k[K::GESCHUT_MAX + 1] = {};
};

void Arena() {
    K::schermgrootte = 640;
    K::grootte_informatiebalk = 40;
    K::groottekogels = 3;
}

void Plaats(K::Object& o, float x, float y, float vx, float vy) {
    o.levend = true;
    o.grootte = 10;
    o.x = x;
    o.y = y;
    o.vx = vx;
    o.vy = vy;
}

// Twenty monsters on patrol across the arena; three pairs meet this frame.
Objecten Typisch() {
    Objecten s;
    std::mt19937 rnd(7);
    std::uniform_real_distribution<float> v(-4.0f, 4.0f);
    for (int k = 1; k <= 20; ++k)
        Plaats(s.o[k], 60.0f + (k % 5) * 120.0f, 100.0f + (k / 5) * 110.0f, v(rnd), v(rnd));
    Plaats(s.o[0], 300, 580, 0, 0);
    Plaats(s.o[21], 300, 300, 10, 0); // runs into a resting one
    Plaats(s.o[22], 318, 300, 0, 0);
    Plaats(s.o[23], 200, 540, 5, 0); // head-on
    Plaats(s.o[24], 215, 540, -5, 0);
    Plaats(s.o[25], 420, 520, 0, 10); // side by side
    Plaats(s.o[26], 439, 520, -2, 10);
    for (int p = 51; p <= 53; ++p)
        Plaats(s.o[p], 100.0f + p, 590, 0, 0);
    return s;
}

// Fifty monsters that all rushed into one spot in this frame.
Objecten Kluwen() {
    Objecten s;
    for (int k = 1; k <= 50; ++k) {
        const float a = k * 0.7853f + k * k * 0.013f;
        const float r = 2.0f + (k % 7) * 0.37f;
        Plaats(s.o[k], 320 + r * std::cos(a), 320 + r * std::sin(a), -15 * std::cos(a),
               -15 * std::sin(a));
    }
    return s;
}

// Every slot live, spread over the arena in every direction and age.
Geschut VolGeschut() {
    Geschut s;
    std::mt19937 rnd(11);
    std::uniform_real_distribution<float> pos(80.0f, 560.0f);
    std::uniform_real_distribution<float> richting(-1.0f, 1.0f);
    std::uniform_int_distribution<int> fase(1, 12);
    for (int k = 1; k <= K::GESCHUT_MAX; ++k)
        s.k[k] = K::Objectkogel{
            pos(rnd), pos(rnd),  richting(rnd), richting(rnd), static_cast<float>(fase(rnd)),
            true,     {5, 20.0f}};
    return s;
}

void BotsingOp(benchmark::State& state, const Objecten& begin) {
    Arena();
    // The nudge may report equal coordinates; keep the console quiet.
    std::ostringstream stil;
    std::streambuf* oud = std::cout.rdbuf(stil.rdbuf());
    Objecten werk;
    for (auto _ : state) {
        werk = begin;
        B::Botsing(werk.o, MARGE, MARGE, MARGE, MARGE);
        benchmark::DoNotOptimize(werk);
    }
    std::cout.rdbuf(oud);
    state.counters["passen"] = B::AantalPassen();
}

void BM_BotsingTypisch(benchmark::State& state) {
    BotsingOp(state, Typisch());
}

void BM_BotsingKluwen(benchmark::State& state) {
    BotsingOp(state, Kluwen());
}

// One nudge into a heap of fifty resting monsters: every chain goes on, so
// only the budget ends it.
void BM_CorrectieHoop(benchmark::State& state) {
    Arena();
    Objecten begin;
    for (int k = 1; k <= 50; ++k)
        Plaats(begin.o[k], 320 + k * 0.37f, 320 + k * 0.29f, 0, 0);
    Objecten werk;
    for (auto _ : state) {
        werk = begin;
        B::botsings_correctie(1, 2, werk.o);
        benchmark::DoNotOptimize(werk);
    }
    state.counters["stappen"] = B::AantalCorrectieStappen();
}

void BM_Botsinggeschut300(benchmark::State& state) {
    Arena();
    const Geschut begin = VolGeschut();
    Geschut werk;
    int levend = 0;
    for (auto _ : state) {
        werk = begin;
        B::Botsinggeschut(werk.k, MARGE, MARGE, MARGE, MARGE);
        benchmark::DoNotOptimize(werk);
    }
    for (int k = 1; k <= K::GESCHUT_MAX; ++k)
        levend += werk.k[k].leven;
    state.counters["levend"] = levend;
}

} // namespace

BENCHMARK(BM_BotsingTypisch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BotsingKluwen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CorrectieHoop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Botsinggeschut300)->Unit(benchmark::kMicrosecond);
