// A running level on the real clock, smooth and not: the intervals between
// the pictures the robot moves in, how far it moves between two of them, and
// the processor time of the main thread and of the whole process. A sampler
// thread watches the back buffer as a frame grabber would watch the screen.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>
#include <vector>

#include "../tests/integration/SpelFixture.h"
#include "Kolvemar_Menu.h"
#include "Settings.h"

using namespace spelproef;

namespace {

constexpr int ZIJDE = 800;
constexpr int KOLOM = 400; // the robot walks down and up this column
constexpr int BALK = 100;  // below the information bar

using Klok = std::chrono::steady_clock;

double Seconden(clockid_t klok) {
    timespec t{};
    clock_gettime(klok, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double Procestijd() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) * 1e-6;
}

bool Achtergrond(uint32_t c) {
    return c == 0x3A5F3A || c == 0x4F7A4F || c == 0x707070 || c == 0x909090;
}

// The robot's top edge in the column, or -1 while no whole robot is there.
int Boven() {
    for (int y = BALK; y < ZIJDE; ++y)
        if (!Achtergrond(Wimdows::GetPixel(KOLOM, y))) return y;
    return -1;
}

struct Waarneming {
    Klok::time_point t;
    int y;
    int fase; // which stretch of walking
};

void BM_RunningLevel(benchmark::State& state) {
    Opstarten(ZIJDE);
    Settings::Values v = Settings::Current();
    v.smooth = state.range(0) != 0;
    Settings::StoreLater(v);
    Kolvemar_Menu::tutorial = false;
    Kolvemar_Menu::autosave = false;
    for (auto _ : state) {
        K::Level l = LeegLevel();
        l.objecten[0].x = KOLOM;
        l.objecten[0].y = 200;
        Monster(l, 1, 700, 150); // a monster keeps the door shut
        std::atomic<bool> klaar{false};
        std::atomic<int> fase{0};
        std::vector<Waarneming> gezien;
        double grijpertijd = 0;
        std::thread grijper([&] {
            const double g0 = Seconden(CLOCK_THREAD_CPUTIME_ID);
            int laatste = -1;
            while (!klaar) {
                const int y = Boven();
                if (y >= 0 && y != laatste) gezien.push_back({Klok::now(), y, fase.load()});
                if (y >= 0) laatste = y;
                std::this_thread::sleep_for(std::chrono::microseconds(300));
            }
            grijpertijd = Seconden(CLOCK_THREAD_CPUTIME_ID) - g0;
        });
        double hoofd = 0, proces = 0, duur = 0;
        std::thread bestuurder([&] {
            Stuur({0, Soort::muis, KOLOM, 0}); // straight up: one heading throughout
            Stuur({0, Soort::toets_neer, 'N'});
            Stuur({0, Soort::toets_op, 'N'});
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            const double p0 = Procestijd();
            const auto t0 = Klok::now();
            for (int stap = 0; stap < 3; ++stap) {
                const int pijl = stap % 2 ? 38 : 40;
                fase = stap + 1;
                Stuur({0, Soort::toets_neer, pijl});
                std::this_thread::sleep_for(std::chrono::milliseconds(900));
                Stuur({0, Soort::toets_op, pijl});
            }
            fase = 0;
            proces = Procestijd() - p0; // the grabber's share is taken off below
            duur = std::chrono::duration<double>(Klok::now() - t0).count();
            Stuur({0, Soort::toets_neer, 'Q'});
        });
        const double h0 = Seconden(CLOCK_THREAD_CPUTIME_ID);
        const auto s0 = Klok::now();
        Kolvemar_spel::spel(l);
        hoofd = Seconden(CLOCK_THREAD_CPUTIME_ID) - h0; // the level-start animation included
        const double speelduur = std::chrono::duration<double>(Klok::now() - s0).count();
        bestuurder.join();
        klaar = true;
        grijper.join();
        Stuur({0, Soort::toets_op, 'Q'});
        std::vector<double> tussen;
        int sprong = 0, groot = 0;
        for (std::size_t i = 1; i < gezien.size(); ++i)
            if (gezien[i].fase != 0 && gezien[i].fase == gezien[i - 1].fase) {
                tussen.push_back(
                    std::chrono::duration<double, std::milli>(gezien[i].t - gezien[i - 1].t)
                        .count());
                const int d = std::abs(gezien[i].y - gezien[i - 1].y);
                sprong = std::max(sprong, d);
                groot += d > 3;
            }
        std::sort(tussen.begin(), tussen.end());
        const auto deel = [&](double q) {
            return tussen.empty() ? 0.0 : tussen[std::size_t(q * double(tussen.size() - 1))];
        };
        state.counters["pictures"] = double(tussen.size());
        state.counters["interval_p50_ms"] = deel(0.5);
        state.counters["interval_p95_ms"] = deel(0.95);
        state.counters["interval_max_ms"] = deel(1.0);
        state.counters["largest_jump_px"] = sprong;
        state.counters["jumps_over_3px"] = groot;
        // The grabber's own time over the same stretch, roughly its share.
        const double grijperdeel = grijpertijd * duur / speelduur;
        state.counters["process_cpu_pct"] = duur > 0 ? 100.0 * (proces - grijperdeel) / duur : 0;
        state.counters["main_cpu_pct"] = 100.0 * hoofd / speelduur;
    }
}

} // namespace

BENCHMARK(BM_RunningLevel)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
