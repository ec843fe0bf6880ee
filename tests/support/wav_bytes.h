#pragma once
// Hand-built WAV byte images for the reader and sound-service tests.
#include <cstdint>
#include <string>
#include <vector>

namespace kvtest {

struct WavBuilder {
    std::vector<std::uint8_t> bytes;

    WavBuilder& text(const std::string& s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    WavBuilder& u16(std::uint32_t v) {
        bytes.push_back(std::uint8_t(v));
        bytes.push_back(std::uint8_t(v >> 8));
        return *this;
    }
    WavBuilder& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    WavBuilder& raw(std::size_t n, std::uint8_t fill) {
        bytes.insert(bytes.end(), n, fill);
        return *this;
    }
    // "fmt " chunk with a 16-byte PCM record.
    WavBuilder& fmt(std::uint16_t channels = 1, std::uint32_t rate = 22050, std::uint16_t bits = 16,
                    std::uint16_t tag = 1) {
        const std::uint16_t align = std::uint16_t(channels * bits / 8);
        return text("fmt ").u32(16).u16(tag).u16(channels).u32(rate).u32(rate * align).u16(align).u16(bits);
    }
    WavBuilder& data(std::uint32_t declared, std::size_t present, std::uint8_t fill = 0x40) {
        return text("data").u32(declared).raw(present, fill);
    }
    WavBuilder& riff() { return text("RIFF").u32(0).text("WAVE"); }
};

// A plain playable mono 16-bit file with n sample bytes.
inline std::vector<std::uint8_t> plainWav(std::size_t n = 200, std::uint8_t fill = 0x40) {
    return WavBuilder().riff().fmt().data(std::uint32_t(n), n, fill).bytes;
}

}  // namespace kvtest
