// Cost of reading and writing a whole level (a save or a level start).
#include <benchmark/benchmark.h>

#include "LevelCreator.h"

namespace {

LevelCreator::Level SampleLevel() {
    LevelCreator::Level l{};
    for (int i = 0; i <= Kolvemar_Constanten_en_Types::OBJECT_MAX; ++i) {
        l.objecten[i].x = 123.456f * i;
        l.objecten[i].levenspuntentot = i * 7;
    }
    return l;
}

void BM_Leveltekst(benchmark::State& state) {
    const LevelCreator::Level l = SampleLevel();
    for (auto _ : state)
        benchmark::DoNotOptimize(LevelCreator::Leveltekst(l));
}
BENCHMARK(BM_Leveltekst);

void BM_Leeslevel(benchmark::State& state) {
    const std::string text = LevelCreator::Leveltekst(SampleLevel());
    LevelCreator::Level l{};
    for (auto _ : state) {
        LevelCreator::Tekstbestand f = LevelCreator::UitTekst("bench.txt", text);
        benchmark::DoNotOptimize(LevelCreator::Leeslevel(f, l));
    }
}
BENCHMARK(BM_Leeslevel);

} // namespace
