#pragma once
// The running game: the runtime, the shared state and the screens that are
// loaded, under the names the game gives them (null while not loaded).
#include <functional>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/runtime.h"
#include "shared/game_state.h"

namespace kv {

namespace level { class Form1; }
namespace frontend { class StartUp; class InGameOptions; }
class MusicFRM;
struct ModulePlayer;

struct Game {
    explicit Game(Runtime& runtime) : rt(runtime) {}
    Runtime& rt;
    SharedState state;

    level::Form1* form1 = nullptr;
    frontend::StartUp* startUp = nullptr;
    frontend::InGameOptions* inGameOptions = nullptr;
    MusicFRM* musicFRM = nullptr;          // loaded once, kept for the whole run
    // The module player behind MusicHandle, while there is one.
    std::shared_ptr<ModulePlayer> musicPlayer;

    // Screens the front end has not been given yet stand in here: what start-up
    // shows when it is done, and where a finished game goes.
    std::function<void(Game&)> showMainMenu;
    std::function<void(Game&)> showHighScores;
    std::function<void(Game&)> showBossStage;
    std::function<void(Game&)> showBonusStage;

    // Every sample played and every music call, for the state dump.
    struct SoundRecord { std::uint64_t time; int channel; std::string file; bool looping; };
    struct MusicRecord { std::uint64_t time; std::string op, arg; };
    std::vector<SoundRecord> soundLog;
    std::vector<MusicRecord> musicLog;

    // A game path as the dump shows it: relative to AppDir, with forward slashes.
    std::string relative(const std::string& fullGamePath) const;

    // The game writes its paths with backslashes (AppDir + "Samples\Boom.wav");
    // this is the same path for the file system.
    static std::string nativePath(const std::string& gamePath);
};

}  // namespace kv
