// Frame composition, measured against the cheapest thing a frame can cost: one
// plain copy of it. Every composition benchmark reports "copies", its time as a
// multiple of a bare 800 x 600 copy timed in the same run on the same machine,
// so that the figure travels between machines. Also: logic ticks of a planet in
// play.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "support/harness.h"

namespace {

// Processor time of this thread: on a machine that other work shares, wall
// time would count the others' turns too.
double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// The time of one plain copy of a frame, in seconds of processor time.
double frameCopySeconds() {
    static const double seconds = [] {
        std::vector<std::uint32_t> from(800 * 600, 0xFF102030u), to(800 * 600);
        const int copies = 2000;
        const double t0 = threadSeconds();
        for (int i = 0; i < copies; ++i) {
            from[std::size_t(i)] ^= 1;   // not the same bytes every time
            std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t));
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
        }
        return (threadSeconds() - t0) / copies;
    }();
    return seconds;
}

void BM_FrameCopy(benchmark::State& state) {
    std::vector<std::uint32_t> from(800 * 600, 0xFF102030u), to(800 * 600);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.counters["copies"] = 1;
}
BENCHMARK(BM_FrameCopy)->Unit(benchmark::kMicrosecond);

kvtest::RunSetup setupOf(std::string script, std::optional<int> warp, std::optional<std::uint64_t> until = {}) {
    kvtest::RunSetup s;
    s.script = std::move(script);
    s.warp = warp;
    s.until = until;
    return s;
}

// Composes the run's frame over and over; reports the time as frame copies.
void composeAsCopies(benchmark::State& state, kvtest::GameRun& run) {
    const double copy = frameCopySeconds();
    const double t0 = threadSeconds();
    for (auto _ : state) {
        const kv::Surface& frame = run.rt().frames().compose();
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
    double each = (threadSeconds() - t0) / double(state.iterations());
    state.counters["copies"] = each / copy;
}

// A player's sweeps from the first key on: a held arrow key, left and right in
// turn, and the fire key every 150 ms.
std::string sweeps(std::uint64_t from, std::uint64_t to) {
    std::string s = std::to_string(from - 100) + " key 37\n";
    bool right = true;
    for (std::uint64_t t = from; t < to; t += 1200, right = !right) {
        s += std::to_string(t) + " keys " + (right ? "39" : "37") + " 30 40\n";
        s += std::to_string(t + 20) + " keys 17 8 150\n";
    }
    return s;
}

// How much the playfield has to draw over its picture: the area of the
// visible sprites in it.
long busyness(kv::Runtime& rt) {
    kv::Form* f = rt.forms().top();
    kv::Control* field = f ? f->find("scapebox") : nullptr;
    if (!field) return 0;
    long area = 0;
    for (kv::Control* c : f->childrenOf(field))
        if (c->visible()) area += long(c->width()) * c->height();
    return area;
}

// The moment of a scripted game when the playfield is busiest, found by
// playing it once in steps of 50 ms (the game is the same every time).
std::uint64_t busiestMoment(const kvtest::RunSetup& setup, std::uint64_t from, std::uint64_t to) {
    kvtest::GameRun scan(setup);
    std::uint64_t best = from;
    long most = -1;
    for (std::uint64_t t = from; t <= to; t += 50) {
        scan.runUntil(t);
        long b = busyness(scan.rt());
        if (b > most) most = b, best = t;
    }
    return best;
}

kvtest::GameRun& busiest(kvtest::RunSetup setup) {
    std::uint64_t at = busiestMoment(setup, 3400, 40000);
    setup.until = at;
    static std::vector<std::unique_ptr<kvtest::GameRun>> kept;   // one per benchmark, for the whole run
    kept.push_back(std::make_unique<kvtest::GameRun>(setup));
    return *kept.back();
}

// A planet in play: the intro dismissed, ships out, a rod falling, a bullet up.
void BM_ComposePlanetFrame(benchmark::State& state) {
    static kvtest::GameRun run(setupOf("3300 key 37\n3400 key 17\n9000 key 39\n", 1));
    composeAsCopies(state, run);
}
BENCHMARK(BM_ComposePlanetFrame)->Unit(benchmark::kMicrosecond);

// Planet 9 at the moment of its scripted game with the most sprites out.
void BM_ComposePlanet9Busiest(benchmark::State& state) {
    static kvtest::GameRun& run = busiest(setupOf(sweeps(3400, 40000), 9));
    composeAsCopies(state, run);
}
BENCHMARK(BM_ComposePlanet9Busiest)->Unit(benchmark::kMicrosecond);

// The bonus stage (as --warp bonus opens it) at its busiest moment.
void BM_ComposeBonusStage(benchmark::State& state) {
    kvtest::RunSetup setup = setupOf(sweeps(3400, 40000), {});
    setup.warpBonus = true;
    static kvtest::GameRun& run = busiest(setup);
    composeAsCopies(state, run);
}
BENCHMARK(BM_ComposeBonusStage)->Unit(benchmark::kMicrosecond);

// The mother-ship fight (--warp 10) at its busiest moment.
void BM_ComposeMotherShip(benchmark::State& state) {
    static kvtest::GameRun& run = busiest(setupOf(sweeps(3400, 40000), 10));
    composeAsCopies(state, run);
}
BENCHMARK(BM_ComposeMotherShip)->Unit(benchmark::kMicrosecond);

// One virtual second of a planet in play: every timer tick of the planet
// screen, ships picked and moving, rods falling and landing.
void BM_PlanetVirtualSecond(benchmark::State& state) {
    kvtest::GameRun run(setupOf("3300 key 37\n", 5, 3400));
    for (auto _ : state) {
        // Keep the planet going: no radiation loss ends the run mid-measure.
        run.game().state.RadiationLevel = 0;
        run.game().state.PlayerLives = 50;
        run.runUntil(run.rt().now() + 1000);
    }
    state.counters["ticks/s"] = benchmark::Counter(double(run.rt().timers().ticksFired()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlanetVirtualSecond)->Unit(benchmark::kMillisecond);

// The scripted minute of planet 9 replayed as a timedemo does, headless from
// its first screen on: with frames composed every 1/60 s of game time when
// something changed, and without.
void BM_TimedemoPlanet9(benchmark::State& state) {
    std::ifstream in(KORVANE_BENCH_DIR "/planet9_play.txt");
    const std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    double game = 0;
    for (auto _ : state) {
        state.PauseTiming();
        kvtest::RunSetup setup = setupOf(script, 9, 3300);
        setup.composeFrames = state.range(0) != 0;
        auto run = std::make_unique<kvtest::GameRun>(setup);
        run->rt().setUntil(std::nullopt);
        std::uint64_t from = run->rt().now();
        state.ResumeTiming();
        run->runUntil(UINT64_MAX);
        state.PauseTiming();
        game += double(run->rt().now() - from) / 1000.0;
        run.reset();
        state.ResumeTiming();
    }
    state.counters["game s per s"] = benchmark::Counter(game, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TimedemoPlanet9)->Arg(1)->Arg(0)->ArgName("frames")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
