#pragma once
// Stand-ins for the machine, for tests of the runtime on its own.
#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <tuple>

#include "runtime/runtime.h"
#include "shared/game.h"
#include "shared/screen_flow.h"

namespace kvtest {

// Every glyph is a filled 6 x 10 block with an advance of 7.
class FakeFonts : public kv::FontEngine {
public:
    int open(const std::string&, int, std::string&) override { return 0; }
    int lineHeight(int) override { return 10; }
    bool glyph(int, char32_t ch, kv::GlyphBitmap& out) override {
        out.advance = 7;
        out.height = 10;
        out.width = ch == U' ' ? 0 : 6;
        out.alpha.assign(std::size_t(out.width) * 10, 255);
        return true;
    }
};

class FakeCodec : public kv::ImageCodec {
public:
    std::optional<kv::Surface> loadPng(const std::string& path, std::string& error) override {
        if (path.find("missing") == std::string::npos) return kv::Surface(4, 4, kv::Color(200, 100, 50));
        error = "no such file";
        return std::nullopt;
    }
    bool encodePng(const kv::Surface&, std::string& bytes, std::string&) override {
        bytes = "\x89PNG";
        return true;
    }
};

class FakeRegistry : public kv::RegistryReader {
public:
    std::map<std::string, std::pair<std::string, Type>> values;   // by value name
    bool query(const std::string&, const std::string&, const std::string& value, std::string& data, Type& type) override {
        auto it = values.find(value);
        if (it == values.end()) return false;
        std::tie(data, type) = it->second;
        return true;
    }
};

class NoJoysticks : public kv::JoystickDevices {
public:
    int supported() override { return 0; }
    bool caps(int, kv::JoystickCaps&) override { return false; }
    bool read(int, kv::JoystickState&) override { return false; }
};

// Sound that goes nowhere, remembering what each voice holds and what was
// started and cut off.
class FakeAudio : public kv::AudioDevice {
public:
    bool open(std::string& error) override {
        if (refuseOpen) error = "no sound card";
        else ++users;
        return !refuseOpen;
    }
    void close() override {
        if (users > 0) --users;
    }
    bool load(int voice, const std::vector<std::uint8_t>& wav, std::string& error) override {
        if (users == 0 || !valid(voice)) {
            error = "not open";
            return false;
        }
        halt(voice);
        samples[std::size_t(voice)] = wav;
        return true;
    }
    bool start(int voice, bool looping, std::string& error) override {
        if (!valid(voice) || !samples[std::size_t(voice)]) {
            error = "empty voice";
            return false;
        }
        sounding[std::size_t(voice)] = true;
        starts.push_back({voice, looping});
        return true;
    }
    void halt(int voice) override {
        if (!valid(voice)) return;
        if (sounding[std::size_t(voice)]) cutOff.push_back(voice);
        sounding[std::size_t(voice)] = false;
        samples[std::size_t(voice)].reset();
    }
    bool playing(int voice) override { return valid(voice) && sounding[std::size_t(voice)]; }
    bool loadModule(const std::string& path, std::string& error) override {
        module_ = {};
        if (path.find("missing") != std::string::npos || users == 0) {
            error = "cannot load";
            return false;
        }
        module_.loaded = true;
        module_.lengthSeconds = 75;
        modulePath = path;
        return true;
    }
    bool playModule(bool loop, double fromSeconds, std::string& error) override {
        if (!module_.loaded) {
            error = "nothing loaded";
            return false;
        }
        module_.playing = true;
        module_.positionSeconds = fromSeconds;
        moduleLoops = loop;
        return true;
    }
    void stopModule() override { module_.playing = false; }
    void unloadModule() override { module_ = {}; }
    kv::ModuleStatus module() override { return module_; }

    bool refuseOpen = false;
    int users = 0;
    std::array<std::optional<std::vector<std::uint8_t>>, kVoices> samples;
    std::array<bool, kVoices> sounding{};
    std::vector<std::pair<int, bool>> starts;   // voice, looping
    std::vector<int> cutOff;                    // voices halted while sounding
    std::string modulePath;
    bool moduleLoops = false;

private:
    static bool valid(int voice) { return voice >= 0 && voice < kVoices; }
    kv::ModuleStatus module_;
};

class HeadlessClockDisplay : public kv::Display {
public:
    // playMode: behave as a real window whose wall clock moves only when the
    // runtime sleeps, with input handed over at given wall times.
    bool playMode = false;
    std::uint64_t wall = 0;
    int presents = 0;
    int waits = 0;                 // times the runtime slept waiting for input
    int refresh = 60;
    kv::Surface lastFrame;         // the frame last presented
    std::vector<std::uint64_t> presentedAt;
    std::vector<std::pair<std::uint64_t, kv::InputEvent>> pending;
    bool headless() const override { return !playMode; }
    void present(const kv::Surface& frame) override {
        ++presents;
        lastFrame = frame;
        presentedAt.push_back(wall);
    }
    int refreshHz() override { return refresh; }
    // Sleeps until the next pending input or ms, whichever comes first.
    void waitForInput(int ms) override {
        ++waits;
        std::uint64_t until = wall + std::uint64_t(ms > 0 ? ms : 1);
        for (const auto& p : pending)
            if (p.first > wall) until = std::min(until, p.first);
        wall = until;
    }
    void poll(std::vector<kv::InputEvent>& out) override {
        for (auto it = pending.begin(); it != pending.end();) {
            if (it->first <= wall) {
                out.push_back(it->second);
                it = pending.erase(it);
            } else {
                ++it;
            }
        }
    }
    std::uint64_t wallMs() override { return wall; }
    void sleepMs(int ms) override { wall += std::uint64_t(ms > 0 ? ms : 1); }
    int showCursor(bool show) override { return cursor += show ? 1 : -1; }
    int screenWidth() override { return width; }
    int screenHeight() override { return height; }
    kv::Color displayedColour(kv::Color c) override { return probe ? *probe : c; }
    int setDisplayMode(int w, int h) override {
        modeRequests.push_back({w, h});
        return modeResult;
    }
    int cursor = 0, width = 800, height = 600, modeResult = 0;
    std::optional<kv::Color> probe;
    std::vector<std::pair<int, int>> modeRequests;
};

// A screen flow that only notes which hand-overs were asked for.
class RecordingFlow : public kv::ScreenFlow {
public:
    std::vector<std::string> asked;
    void startUpDone() override { asked.push_back("startUpDone"); }
    void startGame(kv::GameStart) override { asked.push_back("startGame"); }
    void bonusStage() override { asked.push_back("bonusStage"); }
    void bonusStageOver() override { asked.push_back("bonusStageOver"); }
    void motherShip() override { asked.push_back("motherShip"); }
    void endSequence() override { asked.push_back("endSequence"); }
    void gameOver(kv::PlayScreen&) override { asked.push_back("gameOver"); }
    void quitGame(kv::PlayScreen&) override { asked.push_back("quitGame"); }
    void endSequenceOver() override { asked.push_back("endSequenceOver"); }
    void viewScores() override { asked.push_back("viewScores"); }
    void scoresViewed() override { asked.push_back("scoresViewed"); }
    void mainMenu() override { asked.push_back("mainMenu"); }
    void pause(kv::PlayScreen&) override { asked.push_back("pause"); }
};

// A runtime on fakes only: no files, no SDL.
struct FakeMachine {
    HeadlessClockDisplay display;
    FakeCodec codec;
    FakeFonts fonts;
    NoJoysticks joysticks;
    FakeRegistry registry;
    FakeAudio audio;
    std::unique_ptr<kv::Runtime> rt;
    explicit FakeMachine(std::optional<std::uint64_t> until = std::nullopt, bool playMode = false) {
        display.playMode = playMode;
        kv::RuntimeConfig cfg;
        cfg.appDir = "/nowhere/";
        cfg.until = until;
        rt = std::make_unique<kv::Runtime>(cfg, kv::Services{display, codec, fonts, joysticks, registry, audio});
    }
    // Runs the loop until the run ends; returns the status.
    int run() {
        try {
            return rt->run();
        } catch (const kv::RunEnded& e) {
            return e.status;
        }
    }
};

// A game on the fakes: the machine, a flow that notes the hand-overs asked for,
// and the game-wide state. Its screens close before the game goes.
struct FakeGame {
    FakeMachine m;
    RecordingFlow flow;
    kv::Game game{*m.rt, flow};
    explicit FakeGame(std::optional<std::uint64_t> until = std::nullopt) : m(until) {}
    ~FakeGame() { m.rt->forms().closeAll(); }
    void script(const std::string& text) { m.rt->scripts().setScript(kv::ScriptSource::fromText(text)); }
    // Every box so far, as "title: text".
    std::vector<std::string> boxes() const {
        std::vector<std::string> out;
        for (const auto& b : m.rt->boxes().messages()) out.push_back(b.title + ": " + b.text);
        return out;
    }
};

}  // namespace kvtest
