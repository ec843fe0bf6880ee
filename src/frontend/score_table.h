#pragma once
// The table of the twelve best scores and its file, "Data\score.dat": twelve
// lines of name, comma and score, best first. Pure functions on bytes, so that
// a fuzz target can call the reader directly.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv::frontend {

inline constexpr int kScoreRows = 12;
// A score table is a few hundred bytes; anything this large is not one.
inline constexpr std::size_t kMostScoreBytes = 64 * 1024;

struct ScoreEntry {
    std::string name;
    std::int32_t score = 0;
    bool operator==(const ScoreEntry&) const = default;
};

struct ScoreTableRead {
    std::vector<ScoreEntry> entries;   // twelve, best first, when error is empty
    std::string error;                 // what is wrong with the file, for the player
};

// Reads the first twelve entries; lines after them are not read. Spaces around
// the name and the score are ignored. Anything in the first twelve lines that
// is not "name, score" is an error naming the line: a missing line or comma, a
// name with a double quote or a comma, a score that is not a whole number; so
// is a file that is not text.
ScoreTableRead readScoreTable(std::string_view bytes);

// The file as the game writes it: name, comma, the number with a space before
// and after it (a minus sign takes the place of the space before), CR LF.
std::string writeScoreTable(const std::vector<ScoreEntry>& entries);

// A player name as the table can hold it and read it back: it ends at a NUL
// (where the desktop's text ends), control characters (C1 too), broken UTF-8 and the
// invisible byte-order mark are dropped, a comma becomes a semicolon and a double quote an apostrophe, and the
// spaces around it go (the reader would drop them anyway).
std::string tableName(std::string_view playerName);

// SortScores' entry rules: a score below the twelfth changes nothing (false);
// a score equal to an entry replaces that entry's name; otherwise it goes in
// above the first lower score, and the twelfth drops out.
bool enterScore(std::vector<ScoreEntry>& entries, const std::string& name, std::int32_t score);

}  // namespace kv::frontend
