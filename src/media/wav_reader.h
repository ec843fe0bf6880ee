#pragma once
// Our WAV reader. It does not walk the chunk list: it takes the first "fmt"
// anywhere in the bytes as the format chunk (the 16-byte record 8 bytes after
// the tag, whatever the size field says), then looks for the first "data" from
// that same place on. Samples made by odd editors (a LIST chunk first, or the
// letters "fmt" inside an earlier chunk) are read the way the game always read
// them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kv {

struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

struct WavSample {
    WaveFormat format;
    std::size_t fmtAt = 0;        // where the "fmt" tag stands (0-based)
    std::size_t dataAt = 0;       // where the "data" tag stands
    std::size_t dataOffset = 0;   // first sample byte
    std::size_t dataLength = 0;   // as the data length field says
};

// Finds the format record and the sample bytes. On failure returns false and
// says why in words fit for the player.
bool readWav(std::span<const std::uint8_t> bytes, WavSample& out, std::string& error);

// Whether a sound buffer can be made from this format: plain PCM, 1 to 8
// channels of 8, 16, 24 or 32 bits, a sensible rate and a consistent block size.
bool playableFormat(const WaveFormat& f, std::string& error);

// A canonical 44-byte-header WAV holding the format record and the sample
// bytes (cut to whole sample frames), for a mixer that converts from it.
std::vector<std::uint8_t> canonicalWav(std::span<const std::uint8_t> bytes, const WavSample& s);

}  // namespace kv
