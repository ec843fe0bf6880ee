#include "protracker.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace assetgen {

namespace {
constexpr int kPeriods[36] = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453, 428, 404, 381, 360, 339, 320,
                              302, 285, 269, 254, 240, 226, 214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

void putText(std::vector<std::uint8_t>& out, const std::string& s, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) out.push_back(i < s.size() ? static_cast<std::uint8_t>(s[i]) : 0);
}
void putWordBE(std::vector<std::uint8_t>& out, std::size_t v) {
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}
}  // namespace

int amigaPeriod(int noteIndex) {
    if (noteIndex < 0 || noteIndex >= 36)
        throw std::out_of_range("note outside C-1..B-3: " + std::to_string(noteIndex));
    return kPeriods[noteIndex];
}

double playbackRate(int period) { return 7093789.2 / (2.0 * period); }

std::vector<std::uint8_t> encodeModule(const Module& m) {
    if (m.samples.size() > 31) throw std::invalid_argument("a module holds at most 31 samples");
    if (m.order.empty() || m.order.size() > 128) throw std::invalid_argument("the order list needs 1 to 128 entries");
    for (int p : m.order)
        if (p < 0 || static_cast<std::size_t>(p) >= m.patterns.size())
            throw std::invalid_argument("order names a missing pattern");

    std::vector<std::uint8_t> out;
    putText(out, m.title, 20);
    for (std::size_t i = 0; i < 31; ++i) {
        if (i >= m.samples.size()) {
            putText(out, "", 22);
            putWordBE(out, 0);
            out.push_back(0);
            out.push_back(0);
            putWordBE(out, 0);
            putWordBE(out, 1);
            continue;
        }
        const ModSample& s = m.samples[i];
        if (s.data.size() % 2 || s.data.size() > 131070)
            throw std::invalid_argument("sample length must be even and fit: " + s.name);
        if (s.loopLength && (s.loopStart % 2 || s.loopLength % 2 || s.loopStart + s.loopLength > s.data.size()))
            throw std::invalid_argument("bad loop in sample " + s.name);
        putText(out, s.name, 22);
        putWordBE(out, s.data.size() / 2);
        out.push_back(0);  // finetune
        out.push_back(static_cast<std::uint8_t>(std::clamp(s.volume, 0, 64)));
        putWordBE(out, s.loopLength ? s.loopStart / 2 : 0);
        putWordBE(out, s.loopLength ? s.loopLength / 2 : 1);
    }
    out.push_back(static_cast<std::uint8_t>(m.order.size()));
    out.push_back(0);  // restart at the first position
    for (std::size_t i = 0; i < 128; ++i) out.push_back(static_cast<std::uint8_t>(i < m.order.size() ? m.order[i] : 0));
    putText(out, "M.K.", 4);
    // Every pattern up to the highest one the order list names is stored.
    const int stored = *std::max_element(m.order.begin(), m.order.end()) + 1;
    for (int p = 0; p < stored; ++p)
        for (const auto& row : m.patterns[static_cast<std::size_t>(p)])
            for (const ModCell& c : row) {
                out.push_back(static_cast<std::uint8_t>((c.sample & 0xF0) | ((c.period >> 8) & 0x0F)));
                out.push_back(static_cast<std::uint8_t>(c.period & 0xFF));
                out.push_back(static_cast<std::uint8_t>(((c.sample & 0x0F) << 4) | (c.effect & 0x0F)));
                out.push_back(static_cast<std::uint8_t>(c.param & 0xFF));
            }
    for (const ModSample& s : m.samples)
        for (std::int8_t b : s.data) out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

void writeModule(const std::filesystem::path& file, const Module& m) {
    const std::vector<std::uint8_t> bytes = encodeModule(m);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream o(file, std::ios::binary);
    o.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!o) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace assetgen
