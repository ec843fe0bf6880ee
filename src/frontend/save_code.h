#pragma once
// Saved games: four numbers, each written as decimal digits turned into code
// letters, so that a casual edit of the file is caught on loading. Pure
// functions on bytes, so that a fuzz target can call the reader directly.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/int16.h"

namespace kv::frontend {

// The one table of the save code: digit d is written as kSaveLetters[d].
inline constexpr std::array<char, 10> kSaveLetters = {'Q', 'H', 'W', 'Z', 'K', 'R', 'C', 'M', 'T', 'F'};
// Read back as the two digits "10"; never written.
inline constexpr char kTenLetter = 'X';

// Digits to letters; any other character (a minus sign) is dropped.
std::string encodeSaveText(std::string_view digits);
// Letters to digits, the extra letter to "10"; any other character is dropped.
std::string decodeSaveText(std::string_view letters);

struct SavedGame {
    Int16 PlanetLevel = 0;
    std::int32_t PlayerScore = 0;
    Int16 RadiationLevel = 0;
    Int16 PlayerLives = 0;
};

// The two directions of sortcode, as the pause dialog and the menu hold them.
using SaveCoder = std::string (*)(std::string_view);

// The file: planet, score, radiation, lives, one coded line each, CR LF ended.
std::string writeSaveFile(const SavedGame& game, SaveCoder encode = encodeSaveText);

// Decodes the first four lines. Fails (nullopt) when the file holds fewer than
// four lines, or a line decodes to no digits or to a number too large for its
// value's type. The ranges are not checked here.
std::optional<SavedGame> readSaveFile(std::string_view bytes, SaveCoder decode = decodeSaveText);

// The ranges a loaded game must lie in.
bool saveInRange(const SavedGame& game);

// Larger files are not saved games.
inline constexpr std::size_t kMostSaveBytes = 4096;

}  // namespace kv::frontend
