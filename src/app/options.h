#pragma once
// The command line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kv::app {

struct Options {
    std::optional<bool> fullscreen;     // --fullscreen / --windowed
    int scale = 1;
    bool headless = false;
    std::string script;                 // --script FILE or "-"
    std::string record, play, timedemo;
    bool noFrames = false;              // --timedemo without composing frames
    std::optional<std::uint64_t> until;
    std::optional<int> warpPlanet;      // 1..10
    bool warpBonus = false;
    std::optional<std::uint64_t> clockStart;
    std::string appDir, dataDir;
    std::string dumpState, screenshot;
    bool help = false;
};

// A window's clock starts here, so that its times never look like a headless
// run's (which start at 0).
constexpr std::uint64_t kWindowClockStart = 1000000;

// Throws std::invalid_argument with a message for the player on a bad line.
Options parseOptions(const std::vector<std::string>& args);
// Refuses what parses but cannot run: demo flags that do not go together, and
// an --until at or before the clock's start. Throws std::invalid_argument.
void checkOptions(const Options& o);
// A demo to replay brings its clock start, warp and end: they apply where the
// command line says nothing else. Throws std::invalid_argument.
void applyDemoSettings(Options& o);
// The settings a recorded demo's first line keeps for its replay.
std::vector<std::pair<std::string, std::string>> demoSettingsOf(const Options& o);
// The virtual clock's start value for these options.
std::uint64_t clockStartOf(const Options& o);
const char* usageText();

}  // namespace kv::app
