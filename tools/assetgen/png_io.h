// Reading and writing 8-bit RGBA PNG files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace assetgen {

struct Rgba8Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // row-major RGBA, straight alpha

    const std::uint8_t* at(int x, int y) const { return &pixels[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

// Both throw std::runtime_error on failure.
void writePng(const std::filesystem::path& file, const Rgba8Image& image);
Rgba8Image readPng(const std::filesystem::path& file);

}  // namespace assetgen
