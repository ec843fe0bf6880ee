#pragma once
// The data files of the screens around the game: where they are, and the one
// clear stop when one of them cannot be used.
#include <string>

#include "runtime/array.h"
#include "shared/game.h"

namespace kv::frontend {

// The message box that names the file and what is wrong with it, then the end
// of the program: a data file the game cannot do without is damaged.
[[noreturn]] void stopForDataFile(Game& game, const std::string& path, const std::string& problem);

// Reads a scroller text (AppDir + gamePath) into entries 1 on; returns the
// count N - 1. A missing or damaged file stops the program with a message.
int loadScrollText(Game& game, const std::string& gamePath, Array<std::string, 0, 999>& lines);

}  // namespace kv::frontend
