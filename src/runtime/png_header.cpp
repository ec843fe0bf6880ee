#include "runtime/png_header.h"

#include <algorithm>
#include <array>

namespace kv {

namespace {

std::uint32_t be32(std::span<const std::uint8_t> b, std::size_t at) {
    return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) | (std::uint32_t(b[at + 2]) << 8) |
           std::uint32_t(b[at + 3]);
}

bool validDepth(std::uint8_t colourType, std::uint8_t depth) {
    switch (colourType) {
        case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;   // grey
        case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;                  // palette
        case 2: case 4: case 6: return depth == 8 || depth == 16;                           // colour, grey+alpha, RGBA
        default: return false;
    }
}

}  // namespace

bool readPngHeader(std::span<const std::uint8_t> b, PngHeader& out, std::string& error) {
    static constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    // Signature, then the IHDR chunk: length 13, type, 13 bytes of data, CRC.
    if (b.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), b.begin())) {
        error = "not a PNG file";
        return false;
    }
    if (b.size() < 8 + 8 + 13 || be32(b, 8) != 13 || !std::equal(b.begin() + 12, b.begin() + 16, "IHDR")) {
        error = "the PNG file has no proper header chunk";
        return false;
    }
    PngHeader h;
    h.width = be32(b, 16);
    h.height = be32(b, 20);
    h.bitDepth = b[24];
    h.colourType = b[25];
    if (h.width == 0 || h.height == 0) {
        error = "the PNG header gives the picture no size";
        return false;
    }
    if (h.width > kLargestPictureSide || h.height > kLargestPictureSide) {
        error = "the PNG header says " + std::to_string(h.width) + " x " + std::to_string(h.height) +
                " pixels; a picture may be at most " + std::to_string(kLargestPictureSide) + " pixels on a side";
        return false;
    }
    if (!validDepth(h.colourType, h.bitDepth)) {
        error = "the PNG header gives an impossible colour type " + std::to_string(h.colourType) + " with depth " +
                std::to_string(h.bitDepth);
        return false;
    }
    out = h;
    return true;
}

}  // namespace kv
