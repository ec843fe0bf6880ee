#pragma once
// The running game: the runtime, the shared state, the screen flow that hands
// over from one screen to the next, and the logs of what was played.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/runtime.h"
#include "shared/game_state.h"
#include "shared/screen_flow.h"

namespace kv {

struct ModulePlayer;

struct Game {
    Game(Runtime& runtime, ScreenFlow& screens) : rt(runtime), flow(screens) {}
    Runtime& rt;
    ScreenFlow& flow;
    SharedState state;

    // The module player behind MusicHandle, while there is one.
    std::shared_ptr<ModulePlayer> musicPlayer;

    // The options dialog's JoystickCount: the dialog object outlives its
    // window, so the count measured at its first opening holds for the run.
    Int16 optionsJoystickCount = 0;

    // "Your score could not be kept" has been said: once is enough in a run.
    bool scoreNotKeptSaid = false;

    // Every sample played and every music call, for the state dump.
    struct SoundRecord { std::uint64_t time; int channel; std::string file; bool looping; };
    struct MusicRecord { std::uint64_t time; std::string op, arg; };
    std::vector<SoundRecord> soundLog;
    std::vector<MusicRecord> musicLog;

    // The dump's "shared", "sounds" and "music" sections.
    void describe(nlohmann::json& out) const;

    // A game path as the dump shows it: relative to AppDir, with forward slashes.
    std::string relative(const std::string& fullGamePath) const;

    // The game writes its paths with backslashes (AppDir + "Samples\Boom.wav");
    // this is the same path for the file system.
    static std::string nativePath(const std::string& gamePath);
};

}  // namespace kv
