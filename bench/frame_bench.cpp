// Frame composition and logic ticks of the planet screen in play.
#include <benchmark/benchmark.h>

#include "support/harness.h"

namespace {

// A planet in play: the intro dismissed, ships out, a rod falling, a bullet up.
kvtest::GameRun& planetInPlay() {
    static kvtest::GameRun run(kvtest::RunSetup{"3300 key 37\n3400 key 17\n9000 key 39\n", 1, {}, {}, {}, false, {}});
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

// One virtual second of a planet in play: every timer tick of the planet
// screen, ships picked and moving, rods falling and landing.
void BM_PlanetVirtualSecond(benchmark::State& state) {
    kvtest::GameRun run(kvtest::RunSetup{"3300 key 37\n", 5, 3400, {}, {}, false, {}});
    for (auto _ : state) {
        // Keep the planet going: no radiation loss ends the run mid-measure.
        run.game().state.RadiationLevel = 0;
        run.game().state.PlayerLives = 50;
        run.runUntil(run.rt().now() + 1000);
    }
    state.counters["ticks/s"] = benchmark::Counter(double(run.rt().ticksFired()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlanetVirtualSecond)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
