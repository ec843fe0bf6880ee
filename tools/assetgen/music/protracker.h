// ProTracker modules: four channels, 31 eight-bit samples, patterns of 64 rows
// and an order list, written in the "M.K." layout every module player reads.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {

struct ModSample {
    std::string name;
    std::vector<std::int8_t> data;  // even length, at most 131070 bytes
    int volume = 64;                // 0..64
    std::size_t loopStart = 0;      // in bytes, even
    std::size_t loopLength = 0;     // in bytes, even; 0: plays once
};

struct ModCell {
    int period = 0;  // 0: no note
    int sample = 0;  // 1..31, 0: keep
    int effect = 0;  // 0..15
    int param = 0;   // 0..255
};

constexpr int kRows = 64;
constexpr int kChannels = 4;
using ModPattern = std::array<std::array<ModCell, kChannels>, kRows>;

struct Module {
    std::string title;
    std::vector<ModSample> samples;  // up to 31
    std::vector<ModPattern> patterns;
    std::vector<int> order;  // pattern numbers, 1..128 entries
};

// Amiga periods for notes C-1 (index 0) to B-3 (index 35), finetune 0.
int amigaPeriod(int noteIndex);
// What a sample played at a period sounds at: samples per second.
double playbackRate(int period);

std::vector<std::uint8_t> encodeModule(const Module& m);
void writeModule(const std::filesystem::path& file, const Module& m);

// Common effects.
namespace fx {
constexpr int Arpeggio = 0x0, SlideUp = 0x1, SlideDown = 0x2, Portamento = 0x3, Vibrato = 0x4, VolumeSlide = 0xA,
              PositionJump = 0xB, Volume = 0xC, PatternBreak = 0xD, Extended = 0xE, Speed = 0xF;
constexpr int NoteCut = 0xC0;  // Extended: ECx cuts the note after x ticks
}  // namespace fx

}  // namespace assetgen
