#include "support/harness.h"

#include <gtest/gtest.h>

#include "app/screens.h"

namespace kvtest {

GameRun::GameRun(const RunSpec& spec) {
    kv::platform::PlatformOptions po;
    po.headless = true;
    machine_ = kv::platform::Platform::create(po);
    kv::RuntimeConfig cfg;
    cfg.appDir = spec.appDir.empty() ? std::string(KORVANE_APP_DIR) : spec.appDir;
    cfg.until = spec.until;
    rt_ = std::make_unique<kv::Runtime>(cfg, kv::Services{machine_->display(), machine_->codec(), machine_->fonts(),
                                                          machine_->joysticks(), machine_->registry(),
                                                          machine_->audio()});
    rt_->setScript(kv::ScriptSource::fromText(spec.script));
    game_ = std::make_unique<kv::Game>(*rt_);
    kv::app::wireScreens(*game_);
    kv::app::Options opt;
    opt.warpPlanet = spec.warp;
    try {
        if (spec.before) spec.before(*game_);
        kv::app::startGame(*game_, opt);
        status = rt_->run();
    } catch (const kv::RunEnded& e) {
        status = e.status;
    }
    rt_->describe(dump);
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
    rt_->describe(dump);
}

GameRun::~GameRun() {
    rt_->closeAll();   // the forms refer to the game
    game_.reset();
    rt_.reset();
    machine_.reset();
}

kv::level::Form1& GameRun::form1() {
    if (!game_->form1) throw std::runtime_error("the planet screen is not loaded");
    return *game_->form1;
}

std::vector<std::string> GameRun::sounds() {
    refresh();
    std::vector<std::string> out;
    for (const auto& s : dump["sounds"])
        out.push_back(std::to_string(s["channel"].get<int>()) + ":" + s["file"].get<std::string>() + "@" +
                      std::to_string(s["time_ms"].get<std::uint64_t>()));
    return out;
}

}  // namespace kvtest
