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
    std::optional<std::uint64_t> until;
    std::optional<int> warpPlanet;      // 1..10
    bool warpBonus = false;
    std::optional<std::uint64_t> clockStart;
    std::string appDir, dataDir;
    std::string dumpState, screenshot;
    bool help = false;
};

// Throws std::invalid_argument with a message for the player on a bad line.
Options parseOptions(const std::vector<std::string>& args);
const char* usageText();

}  // namespace kv::app
