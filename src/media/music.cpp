#include "media/music.h"

#include <algorithm>
#include <iostream>

#include "media/music_form.h"

namespace kv {

namespace {

void logCall(Game& game, const std::string& op, const std::string& arg) {
    game.musicLog.push_back(Game::MusicRecord{game.rt.now(), op, arg});
}

// The live player a handle names, or null.
ModulePlayer* playerFor(Game& game, std::int32_t handle) {
    ModulePlayer* p = game.musicPlayer.get();
    return p && handle != 0 && p->handle == handle ? p : nullptr;
}

bool settingIsTrue(const std::string& settings, const std::string& name) {
    const std::string key = name + "|";
    std::size_t at = 0;
    while ((at = settings.find(key, at)) != std::string::npos) {
        if (at == 0 || settings[at - 1] == ' ') return settings.compare(at + key.size(), 4, "true") == 0;
        at += key.size();
    }
    return false;
}

void refreshPanel(Game& game) {
    if (MusicFRM* panel = loadedMusicPanel(game)) panel->showStatus();
}

// Lets the player go: its module and its hold on the output.
void dropPlayer(Game& game) {
    ModulePlayer* p = game.musicPlayer.get();
    if (!p) return;
    AudioDevice& audio = game.rt.audio();
    audio.unloadModule();
    if (p->holdsOutput) audio.close();
    game.musicPlayer.reset();
    refreshPanel(game);
}

void startMusic(Game& game, const std::string& settings, const std::string& module, std::int32_t position) {
    SharedState& g = game.state;
    g.MusicHandle = ModPlug_CreateEx(game, settings);
    ModPlug_SetWindow(game, g.MusicHandle, musicPanel(game));
    g.MusicFile = g.AppDir + module;
    ModPlug_Load(game, g.MusicHandle, g.MusicFile);
    ModPlug_SetCurrentPosition(game, g.MusicHandle, position);
    ModPlug_Play(game, g.MusicHandle);
}

}  // namespace

std::int32_t ModPlug_CreateEx(Game& game, const std::string& settings) {
    logCall(game, "create", settings);
    // One player at a time: a new one replaces the old.
    dropPlayer(game);
    auto p = std::make_shared<ModulePlayer>();
    p->handle = static_cast<std::int32_t>(
        std::count_if(game.musicLog.begin(), game.musicLog.end(), [](const auto& r) { return r.op == "create"; }));
    p->loop = settingIsTrue(settings, "loop");
    std::string error;
    p->holdsOutput = game.rt.audio().open(error);
    if (!p->holdsOutput) {
        std::cerr << "music: no sound output: " << error << "\n";
        return 0;
    }
    game.musicPlayer = p;
    refreshPanel(game);
    return p->handle;
}

std::int32_t ModPlug_SetWindow(Game& game, std::int32_t handle, Form& window) {
    logCall(game, "bind", window.name());
    ModulePlayer* p = playerFor(game, handle);
    if (!p) return 0;
    p->window = window.name();
    return 1;
}

std::int32_t ModPlug_Load(Game& game, std::int32_t handle, const std::string& file) {
    logCall(game, "load", game.relative(file));
    ModulePlayer* p = playerFor(game, handle);
    if (!p) return 0;
    std::string error;
    p->file = file;
    p->loaded = game.rt.audio().loadModule(Game::nativePath(file), error);
    if (!p->loaded) std::cerr << "music: cannot load " << game.relative(file) << ": " << error << "\n";
    refreshPanel(game);
    return p->loaded ? 1 : 0;
}

std::int32_t ModPlug_SetCurrentPosition(Game& game, std::int32_t handle, std::int32_t position) {
    logCall(game, "seek", std::to_string(position));
    ModulePlayer* p = playerFor(game, handle);
    if (!p || !p->loaded) return 0;
    p->startMs = std::max(position, 0);
    // Moving a module that already sounds starts it again from there.
    std::string error;
    if (game.rt.audio().module().playing && !game.rt.audio().playModule(p->loop, p->startMs / 1000.0, error)) return 0;
    return 1;
}

std::int32_t ModPlug_Play(Game& game, std::int32_t handle) {
    logCall(game, "play", "");
    ModulePlayer* p = playerFor(game, handle);
    if (!p || !p->loaded) return 0;
    std::string error;
    bool ok = game.rt.audio().playModule(p->loop, p->startMs / 1000.0, error);
    if (!ok) std::cerr << "music: cannot play " << game.relative(p->file) << ": " << error << "\n";
    refreshPanel(game);
    return ok ? 1 : 0;
}

std::int32_t ModPlug_Stop(Game& game, std::int32_t handle) {
    logCall(game, "stop", "");
    ModulePlayer* p = playerFor(game, handle);
    if (!p) return 0;
    game.rt.audio().stopModule();
    refreshPanel(game);
    return 1;
}

std::int32_t ModPlug_Destroy(Game& game, std::int32_t handle) {
    logCall(game, "destroy", "");
    if (!playerFor(game, handle)) return 0;
    dropPlayer(game);
    return 1;
}

void StartTitleMusic(Game& game) { startMusic(game, "loop|true", "MODs\\Intro.Mod", 320); }

void StartEndingMusic(Game& game) { startMusic(game, "loop|false", "MODs\\Ending.Mod", 0); }

void StopMusic(Game& game) {
    ModPlug_Stop(game, game.state.MusicHandle);
    ModPlug_Destroy(game, game.state.MusicHandle);
}

}  // namespace kv
