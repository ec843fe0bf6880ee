#pragma once
// What a soak saw: the screens it went through, the hand-overs between them,
// and the things it did on the way (saves, loads, cheats, pauses, ...).
#include <cstdint>
#include <map>
#include <string>

namespace kvsoak {

struct Tally {
    std::map<std::string, long> screens;     // arrivals at each screen
    std::map<std::string, long> handovers;   // "MainMenu -> Form1"
    std::map<std::string, long> events;      // what the autopilot did or met
    void event(const std::string& what) { ++events[what]; }
    void merge(const Tally& other) {
        for (const auto& [k, v] : other.screens) screens[k] += v;
        for (const auto& [k, v] : other.handovers) handovers[k] += v;
        for (const auto& [k, v] : other.events) events[k] += v;
    }
};

}  // namespace kvsoak
