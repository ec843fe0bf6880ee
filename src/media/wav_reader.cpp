#include "media/wav_reader.h"

#include <algorithm>

namespace kv {

namespace {

std::uint16_t le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
}

// The first place at or after `from` where the tag's letters stand, or npos.
std::size_t findTag(std::span<const std::uint8_t> b, std::string_view tag, std::size_t from) {
    if (b.size() < tag.size()) return std::string_view::npos;
    for (std::size_t p = from; p + tag.size() <= b.size(); ++p)
        if (std::equal(tag.begin(), tag.end(), b.begin() + std::ptrdiff_t(p))) return p;
    return std::string_view::npos;
}

void put16(std::vector<std::uint8_t>& v, std::uint32_t x) {
    v.push_back(std::uint8_t(x));
    v.push_back(std::uint8_t(x >> 8));
}

void put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

}  // namespace

bool readWav(std::span<const std::uint8_t> b, WavSample& out, std::string& error) {
    if (b.empty()) {
        error = "The file is empty.";
        return false;
    }
    const std::size_t fmt = findTag(b, "fmt", 0);
    if (fmt == std::string_view::npos) {
        error = "This is not a WAV file: it has no \"fmt\" tag.";
        return false;
    }
    // The record sits 8 bytes after the tag: the byte after the letters and
    // the size field are skipped, not read.
    const std::size_t rec = fmt + 8;
    if (b.size() < rec || b.size() - rec < 16) {
        error = "The WAV file ends inside its format record.";
        return false;
    }
    WaveFormat f;
    f.formatTag = le16(b, rec);
    f.channels = le16(b, rec + 2);
    f.samplesPerSec = le32(b, rec + 4);
    f.avgBytesPerSec = le32(b, rec + 8);
    f.blockAlign = le16(b, rec + 12);
    f.bitsPerSample = le16(b, rec + 14);

    const std::size_t data = findTag(b, "data", fmt);
    if (data == std::string_view::npos) {
        error = "The WAV file has no \"data\" tag after its format.";
        return false;
    }
    if (b.size() - data < 8) {
        error = "The WAV file ends inside its data length.";
        return false;
    }
    const std::size_t length = le32(b, data + 4);
    const std::size_t start = data + 8;
    if (length > b.size() - start) {
        error = "The WAV file says it holds " + std::to_string(length) + " bytes of sound, but only " +
                std::to_string(b.size() - start) + " follow.";
        return false;
    }
    out = WavSample{f, fmt, data, start, length};
    return true;
}

bool playableFormat(const WaveFormat& f, std::string& error) {
    auto refuse = [&](const std::string& why) {
        error = "The sound device cannot play this format (" + why + "): format tag " + std::to_string(f.formatTag) +
                ", " + std::to_string(f.channels) + " channels, " + std::to_string(f.samplesPerSec) + " Hz, " +
                std::to_string(f.bitsPerSample) + " bits.";
        return false;
    };
    if (f.formatTag != 1) return refuse("not plain PCM");
    if (f.channels < 1 || f.channels > 8) return refuse("channel count");
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16 && f.bitsPerSample != 24 && f.bitsPerSample != 32)
        return refuse("sample size");
    if (f.samplesPerSec < 100 || f.samplesPerSec > 200000) return refuse("sample rate");
    if (f.blockAlign != f.channels * f.bitsPerSample / 8) return refuse("block size");
    return true;
}

std::vector<std::uint8_t> canonicalWav(std::span<const std::uint8_t> bytes, const WavSample& s) {
    const WaveFormat& f = s.format;
    std::size_t n = s.dataLength;
    if (f.blockAlign > 0) n -= n % f.blockAlign;
    std::vector<std::uint8_t> v;
    v.reserve(44 + n);
    for (char c : std::string_view("RIFF")) v.push_back(std::uint8_t(c));
    put32(v, std::uint32_t(36 + n));
    for (char c : std::string_view("WAVEfmt ")) v.push_back(std::uint8_t(c));
    put32(v, 16);
    put16(v, f.formatTag);
    put16(v, f.channels);
    put32(v, f.samplesPerSec);
    put32(v, f.samplesPerSec * f.blockAlign);   // the mixer trusts a consistent rate
    put16(v, f.blockAlign);
    put16(v, f.bitsPerSample);
    for (char c : std::string_view("data")) v.push_back(std::uint8_t(c));
    put32(v, std::uint32_t(n));
    auto first = bytes.begin() + std::ptrdiff_t(s.dataOffset);
    v.insert(v.end(), first, first + std::ptrdiff_t(n));
    return v;
}

}  // namespace kv
