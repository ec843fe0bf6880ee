// The game's sound effects, synthesised into <programDir>/Samples as 16-bit
// PCM WAV files at 44100 Hz.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "synth.h"

namespace assetgen {

constexpr int kSampleRate = 44100;
// No effect peaks above -6 dBFS: up to six sound at once, so each leaves the
// others room. The effects' own levels sit at or below this.
constexpr double kLoudestPeakDb = -6.0;

struct SoundEffect {
    std::string file;  // name under Samples/
    Signal (*make)();
};

// Every effect the game plays, by file name.
const std::vector<SoundEffect>& soundEffects();

Signal makePhaser();
Signal makeShipExplode();
Signal makeDropRod();
Signal makeCaughtRod();
Signal makeDiffuse();
Signal makeBoom();
Signal makeBonus();
Signal makeGetBonus();
Signal makeHitBonus();
Signal makeStartLevel();
Signal makeGameOver();

void makeSamples(const std::filesystem::path& programDir);

}  // namespace assetgen
