#include "frontend/data_files.h"

#include "frontend/scroll_text.h"
#include "runtime/file_io.h"

namespace kv::frontend {

void stopForDataFile(Game& game, const std::string& path, const std::string& problem) {
    game.rt.boxes().fatalBox("Korvane cannot use the file\r" + path + "\r\r" + problem + ".\r\rThe game will now close.",
                     "Korvane Information", BoxIcon::Critical);
}

int loadScrollText(Game& game, const std::string& gamePath, Array<std::string, 0, 999>& lines) {
    std::string path = Game::nativePath(game.state.AppDir + gamePath);
    FileBytes file = readDataFile(path, kMostScrollBytes);
    if (!file.ok()) stopForDataFile(game, path, "It cannot be read: " + file.error);
    ScrollTextRead text = readScrollText(file.bytes);
    if (!text.error.empty()) stopForDataFile(game, path, "It is damaged: " + text.error);
    for (int i = 1; i <= text.count; ++i) lines[i] = text.lines[std::size_t(i - 1)];
    return text.count;
}

}  // namespace kv::frontend
