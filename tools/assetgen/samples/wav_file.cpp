#include "wav_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace assetgen {

namespace {
void put16(std::ofstream& o, std::uint32_t v) {
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
    o.write(b, 2);
}
void put32(std::ofstream& o, std::uint32_t v) {
    put16(o, v & 0xFFFF);
    put16(o, v >> 16);
}
std::uint32_t get(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
    if (at + static_cast<std::size_t>(bytes) > b.size()) throw std::runtime_error("WAV file too short");
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}
}  // namespace

void writeWav(const std::filesystem::path& file, const Signal& s, int rate) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream o(file, std::ios::binary);
    if (!o) throw std::runtime_error("cannot write " + file.string());
    const auto bytes = static_cast<std::uint32_t>(s.size() * 2);
    o.write("RIFF", 4);
    put32(o, 36 + bytes);
    o.write("WAVEfmt ", 8);
    put32(o, 16);
    put16(o, 1);  // PCM
    put16(o, 1);  // mono
    put32(o, static_cast<std::uint32_t>(rate));
    put32(o, static_cast<std::uint32_t>(rate) * 2);
    put16(o, 2);
    put16(o, 16);
    o.write("data", 4);
    put32(o, bytes);
    for (float v : s) {
        const long q = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
        put16(o, static_cast<std::uint32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(q))));
    }
    if (!o) throw std::runtime_error("cannot write " + file.string());
}

PcmSound readWav16(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 44 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVEfmt ", 8) != 0 ||
        std::memcmp(b.data() + 36, "data", 4) != 0)
        throw std::runtime_error("not a canonical WAV file: " + file.string());
    PcmSound p;
    if (get(b, 20, 2) != 1) throw std::runtime_error("not PCM: " + file.string());
    p.channels = static_cast<int>(get(b, 22, 2));
    p.rate = static_cast<int>(get(b, 24, 4));
    p.bits = static_cast<int>(get(b, 34, 2));
    const std::uint32_t n = get(b, 40, 4);
    if (p.bits != 16 || 44 + static_cast<std::size_t>(n) > b.size())
        throw std::runtime_error("bad data: " + file.string());
    p.samples.resize(n / 2);
    for (std::size_t i = 0; i < p.samples.size(); ++i) p.samples[i] = static_cast<std::int16_t>(get(b, 44 + 2 * i, 2));
    return p;
}

}  // namespace assetgen
