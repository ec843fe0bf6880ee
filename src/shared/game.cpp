#include "shared/game.h"

namespace kv {

std::string Game::nativePath(const std::string& gamePath) {
    std::string p = gamePath;
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

std::string Game::relative(const std::string& full) const {
    std::string p = full;
    if (p.compare(0, state.AppDir.size(), state.AppDir) == 0) p = p.substr(state.AppDir.size());
    return nativePath(p);
}

}  // namespace kv
