#include "support/harness.h"

#include "media/sound.h"
#include "stages/boss_stage.h"

#include <gtest/gtest.h>

namespace kvtest {

GameRun::GameRun(const RunSetup& setup) {
    // A folder of its own for each run, so that runs never share a score table.
    if (setup.dataDir.empty()) ownDataDir_.emplace();
    dataDir_ = ownDataDir_ ? ownDataDir_->path() : setup.dataDir;
    kv::platform::PlatformOptions po;
    po.headless = true;
    machine_ = kv::platform::Platform::create(po);
    kv::RuntimeConfig cfg;
    cfg.appDir = setup.appDir.empty() ? std::string(KORVANE_APP_DIR) : setup.appDir;
    cfg.until = setup.until;
    cfg.dataDir = dataDir_;
    cfg.composeFrames = setup.composeFrames;
    rt_ = std::make_unique<kv::Runtime>(cfg, kv::Services{machine_->display(), machine_->codec(), machine_->fonts(),
                                                          machine_->joysticks(), machine_->registry(),
                                                          machine_->audio()});
    rt_->scripts().setScript(kv::ScriptSource::fromText(setup.script));
    flow_ = std::make_unique<kv::app::GameFlow>(*rt_);
    kv::app::Options opt;
    opt.warpPlanet = setup.warp;
    opt.warpBonus = setup.warpBonus;
    try {
        if (setup.before) setup.before(game());
        flow_->begin(opt);
        status = rt_->run();
    } catch (const kv::RunEnded& e) {
        status = e.status;
    }
    rt_->scripts().describe(dump);
}

void GameRun::runUntil(std::uint64_t t) {
    rt_->setUntil(t);
    try {
        status = rt_->run();
    } catch (const kv::RunEnded& e) {
        status = e.status;
    }
    refresh();
}

void GameRun::refresh() {
    dump = nlohmann::json();
    rt_->scripts().describe(dump);
}

GameRun::~GameRun() {
    rt_->forms().closeAll();   // the forms refer to the game
    flow_.reset();
    rt_.reset();
    machine_.reset();
}

bool GameRun::planetLoaded() const { return rt_->find<kv::level::Form1>() != nullptr; }

kv::level::Form1& GameRun::form1() {
    return screen<kv::level::Form1>();
}

std::vector<std::string> GameRun::sounds() {
    refresh();
    std::vector<std::string> out;
    for (const auto& s : dump["sounds"])
        out.push_back(std::to_string(s["channel"].get<int>()) + ":" + s["file"].get<std::string>() + "@" +
                      std::to_string(s["time_ms"].get<std::uint64_t>()));
    return out;
}

int GameRun::heard(const std::string& prefix) {
    int n = 0;
    for (const auto& s : sounds()) n += s.rfind(prefix, 0) == 0;
    return n;
}

std::vector<std::string> GameRun::titles() const {
    std::vector<std::string> out;
    for (const auto& m : dump["messages"]) out.push_back(m["title"]);
    return out;
}

std::vector<std::string> GameRun::music() const {
    std::vector<std::string> out;
    for (const auto& m : dump["music"]) out.push_back(m["op"].get<std::string>() + " " + m["arg"].get<std::string>());
    return out;
}

bool lit(const kv::PictureBox& box, int x, const kv::Image& led) {
    for (int y = 0; y < 24; ++y)
        for (int dx = 0; dx < 18; ++dx)
            if (box.shown().pixel(x + dx, y) != led.picture().image->pixel(dx, y)) return false;
    return true;
}

std::function<void(kv::Game&)> chosen(int device, const std::string& name, bool cheat) {
    return [=](kv::Game& g) {
        g.state.OptionsChosen = 1;
        g.state.ControlDevice = static_cast<std::int16_t>(device);
        g.state.SoundOn = 1;
        g.state.CheatMode = cheat ? 1 : 0;
        if (!name.empty()) g.state.PlayerName = name;
    };
}

PlanetInPlay::PlanetInPlay(int planet, std::function<void(kv::Game&)> before)
    : GameRun(RunSetup{"3300 key 16\n", planet, {}, std::move(before), {}, false, {}}), f(form1()), g(game().state) {}

EndSequenceRun::EndSequenceRun(const std::string& script, std::uint64_t until, std::function<void(kv::Game&)> before,
                               const std::string& appDir)
    : GameRun(RunSetup{"", 10, kOpens, std::move(before), appDir, false, {}}) {
    auto& boss = screen<kv::stages::BossStage>();
    rt().scripts().setScript(kv::ScriptSource::fromText(script));
    rt().setUntil(until);
    try {
        boss.stopAllTimers();
        game().flow.endSequence();
        status = rt().run();
    } catch (const kv::RunEnded& e) {
        status = e.status;
    }
    refresh();
}

}  // namespace kvtest
