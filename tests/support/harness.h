#pragma once
// The headless game runner for scenario tests: the real program, its real
// pictures and fonts, a script, and the state dump at the end.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "app/options.h"
#include "app/screen_flow.h"
#include "level/form1.h"
#include "platform/platform.h"
#include "runtime/runtime.h"
#include "shared/game.h"
#include "support/scratch.h"

namespace kvtest {

using Ints = std::vector<int>;   // several values compared as one

// The LED read-out box shows this digit's picture in the cell at x.
bool lit(const kv::PictureBox& box, int x, const kv::Image& led);

struct RunSetup {
    std::string script;                           // script text
    std::optional<int> warp;                      // planet; none: start-up
    std::optional<std::uint64_t> until;
    std::function<void(kv::Game&)> before;        // adjust the game before it starts
    std::string appDir;                           // default: the build's program directory
    bool warpBonus = false;                       // a new game that opens in the bonus stage
    std::string dataDir;                          // default: a fresh folder of its own, removed afterwards
    bool composeFrames = false;                   // frames as a timedemo composes them
};

class GameRun {
public:
    explicit GameRun(const RunSetup& setup);
    ~GameRun();

    int status = 0;
    nlohmann::json dump;                          // the state when the run ended
    kv::Game& game() { return flow_->game(); }
    const std::string& dataDir() const { return dataDir_; }   // ends with '/'

    kv::Runtime& rt() { return *rt_; }
    kv::level::Form1& form1();                    // throws when not loaded
    bool planetLoaded() const;                    // the planet screen is loaded
    // The loaded form of that type; throws when there is none.
    template <class F>
    F& screen() {
        auto* f = rt_->find<F>();
        if (!f) throw std::runtime_error("the screen asked for is not loaded");
        return *f;
    }
    // Runs on until the virtual clock reaches t, then refreshes the dump.
    void runUntil(std::uint64_t t);
    void refresh();
    const nlohmann::json& vars() const { return dump["form"]["Form1"]["vars"]; }
    const nlohmann::json& control(const std::string& name) const { return dump["form"]["Form1"]["controls"][name]; }
    const nlohmann::json& shared() const { return dump["shared"]; }
    // The sounds logged so far, as "channel:file@time" (the dump is refreshed).
    std::vector<std::string> sounds();
    int heard(const std::string& prefix);       // how many of them start so
    std::vector<std::string> titles() const;    // of the message boxes so far
    std::vector<std::string> music() const;     // the music calls, as "op arg"

private:
    std::optional<TempDir> ownDataDir_;
    std::string dataDir_;
    std::unique_ptr<kv::platform::Platform> machine_;
    std::unique_ptr<kv::Runtime> rt_;
    std::unique_ptr<kv::app::GameFlow> flow_;
};

// Options as the dialog leaves them: this control device (1 the keyboard,
// 2 the joystick), sound on, and the name given, if any.
std::function<void(kv::Game&)> chosen(int device = 1, const std::string& name = "", bool cheat = false);

// A planet in play: the game warped to a planet, its intro over (a Shift key
// at 3300 ms), ready for a test to set the scene and drive the rules.
struct PlanetInPlay : GameRun {
    explicit PlanetInPlay(int planet = 1, std::function<void(kv::Game&)> before = {});
    kv::level::Form1& f;
    kv::SharedState& g;
};

// The end sequence as the mother ship's break-up opens it: a game warped to
// the mother ship, whose captions are done at 3180, hands over at 3200. The
// script then runs from there (its times are absolute), until `until`.
struct EndSequenceRun : GameRun {
    static constexpr std::uint64_t kOpens = 3200;
    EndSequenceRun(const std::string& script, std::uint64_t until, std::function<void(kv::Game&)> before = {},
                   const std::string& appDir = {});
};

}  // namespace kvtest
