#include "frontend/save_code.h"

#include <vector>

namespace kv::frontend {

namespace {

// The decimal digits as a number, when it fits between 0 and `most`.
std::optional<std::int64_t> wholeNumber(const std::string& digits, std::int64_t most) {
    if (digits.empty()) return std::nullopt;
    std::int64_t v = 0;
    for (char c : digits) {
        v = v * 10 + (c - '0');
        if (v > most) return std::nullopt;
    }
    return v;
}

// The file's lines, each without its line end. A last line that ends the file
// without a line end still counts; an empty remainder after the last line end
// does not.
std::vector<std::string_view> lines(std::string_view bytes) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        out.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) out.push_back(bytes.substr(start));
    return out;
}

}  // namespace

std::string encodeSaveText(std::string_view digits) {
    std::string out;
    for (char c : digits)
        if (c >= '0' && c <= '9') out += kSaveLetters[std::size_t(c - '0')];
    return out;
}

std::string decodeSaveText(std::string_view letters) {
    std::string out;
    for (char c : letters) {
        if (c == kTenLetter) {
            out += "10";
            continue;
        }
        for (std::size_t d = 0; d < kSaveLetters.size(); ++d)
            if (kSaveLetters[d] == c) out += static_cast<char>('0' + d);
    }
    return out;
}

std::string writeSaveFile(const SavedGame& g, SaveCoder encode) {
    std::string out;
    for (long v : {long(g.PlanetLevel), long(g.PlayerScore), long(g.RadiationLevel), long(g.PlayerLives)})
        out += encode(std::to_string(v)) + "\r\n";
    return out;
}

std::optional<SavedGame> readSaveFile(std::string_view bytes, SaveCoder decode) {
    if (bytes.size() > kMostSaveBytes) return std::nullopt;
    std::vector<std::string_view> l = lines(bytes);
    if (l.size() < 4) return std::nullopt;
    auto planet = wholeNumber(decode(l[0]), INT16_MAX);
    auto score = wholeNumber(decode(l[1]), INT32_MAX);
    auto radiation = wholeNumber(decode(l[2]), INT16_MAX);
    auto lives = wholeNumber(decode(l[3]), INT16_MAX);
    if (!planet || !score || !radiation || !lives) return std::nullopt;
    SavedGame g;
    g.PlanetLevel = *planet;
    g.PlayerScore = static_cast<std::int32_t>(*score);
    g.RadiationLevel = *radiation;
    g.PlayerLives = *lives;
    return g;
}

bool saveInRange(const SavedGame& g) {
    return g.PlayerScore >= 0 && g.PlayerScore <= 90000 && g.PlayerLives >= 1 && g.PlayerLives <= 99 &&
           g.RadiationLevel >= 0 && g.RadiationLevel <= 566 && g.PlanetLevel >= 1 && g.PlanetLevel <= 9;
}

}  // namespace kv::frontend
