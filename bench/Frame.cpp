// One whole frame of a crowded level at 800 x 800, without the pacing wait,
// and its three parts: drawing, the physics of the frame, presenting; beside
// them the floor a frame cannot go under, two copies of the whole picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <vector>

#include "../tests/integration/SpelFixture.h"
#include "Kolvemar_Artificial_movement.h"
#include "Kolvemar_Botsingen.h"
#include "Kolvemar_upgrades_en_controlers.h"

using namespace spelproef;

namespace {

constexpr int ZIJDE = 800;

// 50 live monsters of the steering kinds that need no clock, each armed;
// 300 live bullets; every pick-up in the arena.
const K::Level& Druk() {
    static K::Level l = [] {
        K::Level n = LeegLevel();
        n.objecten[0].x = 400;
        n.objecten[0].y = 450;
        for (int i = 1; i <= 50; ++i) {
            K::Object& m = Monster(n, i, 60.0f + 68 * (i % 10), 150.0f + 110 * (i / 10), 60);
            m.soortbeweging = static_cast<K::bewegingssoort>(i % 4);
            m.vtot = 2.0f;
            m.wapens = K::Wapen{
                true, "geweer", 5, 0, static_cast<K::Inteligentie>(i % 6), K::Kogel{1, 6.0f}};
        }
        for (int i = 51; i <= 60; ++i) {
            K::Object& o = n.objecten[i];
            o.levend = true;
            o.x = 70.0f + 70 * (i - 51);
            o.y = 700.0f;
            o.grootte = 10;
            o.tekennummer = 36 + (i % 3);
        }
        // Fired from all over the arena in every direction.
        for (int k = 1; k <= K::GESCHUT_MAX; ++k)
            n.geschut[k] = K::Objectkogel{80.0f + (k * 37) % 640, 160.0f + (k * 53) % 560,
                                          float(k % 17) - 8.0f,   float(k % 13) - 6.5f,
                                          1.0f + (k % 4),         true,
                                          K::Kogel{1, 20}};
        return n;
    }();
    return l;
}

struct Opzet {
    K::Level level;
    Kolvemar_spel::Speelstaat staat;
    Opzet() {
        Opstarten(ZIJDE);
        level = Druk();
        staat = Kolvemar_spel::Beginstaat(level);
        staat.background = Wimdows::LoadBitmap("images\\achtergrond.bmp", ZIJDE, ZIJDE);
    }
    ~Opzet() { Wimdows::DestroyBitmap(staat.background); }
    // Back to the crowded start, so every pass sees the same load; every
    // other pass a pixel to the right, as a crowded frame in play always
    // differs from the one before it.
    bool verschoven = false;
    void Opnieuw() {
        level = Druk();
        verschoven = !verschoven;
        for (K::Object& ob : level.objecten)
            ob.x += verschoven;
        for (K::Objectkogel& k : level.geschut)
            k.x += verschoven;
        staat.player = level.objecten[0];
        staat.standaantalkogel = 1;
    }
};

double ProcessMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

// Beside the game thread's time, the whole process's processor time a frame:
// the window thread shows the frame's rows on another core meanwhile.
void BM_Frame(benchmark::State& state) {
    Opzet o;
    const double before = ProcessMicroseconds();
    for (auto _ : state) {
        o.Opnieuw();
        benchmark::DoNotOptimize(Kolvemar_spel::Speelframe(o.level, o.staat));
    }
    Wimdows::Sync();
    state.counters["process_us"] =
        benchmark::Counter(ProcessMicroseconds() - before, benchmark::Counter::kAvgIterations);
}

void BM_Drawing(benchmark::State& state) {
    Opzet o;
    for (auto _ : state) {
        o.Opnieuw();
        Kolvemar_spel::Tekenachtergrond(o.staat.background);
        Kolvemar_spel::Tekenarena(o.level, o.staat.player, o.staat.punten);
    }
}

void BM_Physics(benchmark::State& state) {
    Opzet o;
    for (auto _ : state) {
        o.Opnieuw();
        K::Level& l = o.level;
        Kolvemar_spel::enemyschoot(l, o.staat.player, o.staat.standaantalkogel);
        Kolvemar_upgrades_en_controlers::upgrade(l);
        Kolvemar_Artificial_movement::levenafdoenspeler(
            l.objecten[0].levenspuntentot, l.objecten[0].x, l.objecten[0].y, l.objecten);
        Kolvemar_Artificial_movement::levenafdoen(l.objecten, l.geschut, o.staat.punten);
        Kolvemar_Botsingen::Botsing(l.objecten, l.margerelinks, l.margerechts, l.margeboven,
                                    l.margeonder);
        Kolvemar_Botsingen::Botsinggeschut(l.geschut, l.margerelinks, l.margerechts, l.margeboven,
                                           l.margeonder);
    }
}

void BM_Present(benchmark::State& state) {
    Opzet o;
    for (auto _ : state)
        Wimdows::UpdateWindow();
}

void BM_LevelCopy(benchmark::State& state) {
    Opzet o;
    for (auto _ : state) {
        o.Opnieuw();
        benchmark::ClobberMemory();
    }
}

void BM_CopyFloor(benchmark::State& state) {
    const size_t bytes = size_t{ZIJDE} * ZIJDE * 4;
    std::vector<unsigned char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        std::memcpy(from.data(), to.data(), bytes);
        benchmark::ClobberMemory();
    }
}

} // namespace

// The least of the repetitions beside the median: on a shared host the
// least is what the frame costs on a quiet machine.
void Runs(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
    b->ComputeStatistics(
        "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

BENCHMARK(BM_Frame)->Apply(Runs);
BENCHMARK(BM_Drawing)->Apply(Runs);
BENCHMARK(BM_Physics)->Apply(Runs);
BENCHMARK(BM_Present)->Apply(Runs);
BENCHMARK(BM_CopyFloor)->Apply(Runs);
BENCHMARK(BM_LevelCopy)->Apply(Runs);
