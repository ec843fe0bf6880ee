// Frame composition and logic ticks of the planet screen in play.
#include <benchmark/benchmark.h>

#include "support/harness.h"

namespace {

// A planet in play: the intro dismissed, ships out, a rod falling, a bullet up.
kvtest::GameRun& planetInPlay() {
    static kvtest::GameRun run(kvtest::RunSpec{"3300 key 37\n3400 key 17\n9000 key 39\n", 1, {}, {}, {}});
    return run;
}

void BM_ComposePlanetFrame(benchmark::State& state) {
    auto& run = planetInPlay();
    for (auto _ : state) {
        kv::Surface frame = run.rt().composeFrame();
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_ComposePlanetFrame)->Unit(benchmark::kMicrosecond);

void BM_PlanetLogicTicks(benchmark::State& state) {
    auto& run = planetInPlay();
    auto& f = run.form1();
    for (auto _ : state) {
        f.Firebullets_Timer();
        f.DropShips_Timer();
        f.droprods_Timer();
        f.explosions_Timer();
    }
}
BENCHMARK(BM_PlanetLogicTicks)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
