#include "shared/game.h"

#include <nlohmann/json.hpp>

namespace kv {

void Game::describe(nlohmann::json& out) const {
    state.describeFields(out["shared"]);
    nlohmann::json sounds = nlohmann::json::array();
    for (const auto& s : soundLog)
        sounds.push_back({{"time_ms", s.time}, {"channel", s.channel}, {"file", s.file}, {"looping", s.looping}});
    out["sounds"] = std::move(sounds);
    nlohmann::json music = nlohmann::json::array();
    for (const auto& m : musicLog) music.push_back({{"time_ms", m.time}, {"op", m.op}, {"arg", m.arg}});
    out["music"] = std::move(music);
}

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
