// Writing and reading plain 16-bit PCM WAV files (RIFF WAVE, mono).
#pragma once

#include <filesystem>

#include "synth.h"

namespace assetgen {

// Writes the signal (clamped to [-1, 1]) as 16-bit PCM mono at the given rate.
void writeWav(const std::filesystem::path& file, const Signal& s, int rate);

struct PcmSound {
    int rate = 0;
    int channels = 0;
    int bits = 0;
    std::vector<std::int16_t> samples;  // interleaved
};
// Reads back a canonical 16-bit file as written above (for the tests).
PcmSound readWav16(const std::filesystem::path& file);

}  // namespace assetgen
