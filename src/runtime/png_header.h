#pragma once
// The first look at a PNG file: its signature and its header chunk, read from
// the bytes before anything is decoded. A picture whose header promises more
// pixels than the game could ever show is refused here, so that a small file
// cannot ask the decoder for gigabytes.
#include <cstdint>
#include <span>
#include <string>

namespace kv {

// The game's own pictures are at most 800 x 600; this leaves room for art made
// at a larger scale while keeping a decoded picture under 16 MB.
constexpr std::uint32_t kLargestPictureSide = 2048;

struct PngHeader {
    std::uint32_t width = 0, height = 0;
    std::uint8_t bitDepth = 0, colourType = 0;
};

// True when the bytes start like a PNG we are willing to decode; otherwise
// false with the reason in words fit for a message.
bool readPngHeader(std::span<const std::uint8_t> bytes, PngHeader& out, std::string& error);

}  // namespace kv
