#include "support/fakes.h"

namespace kvtest {

bool FakeFonts::glyph(int, char32_t ch, kv::GlyphBitmap& out) {
    out.advance = 7;
    out.height = 10;
    out.width = ch == U' ' ? 0 : 6;
    out.alpha.assign(std::size_t(out.width) * 10, 255);
    return true;
}

std::optional<kv::Surface> FakeCodec::loadPng(const std::string& path, std::string& error) {
    if (path.find("missing") != std::string::npos) {
        error = "no such file";
        return std::nullopt;
    }
    return kv::Surface(4, 4, kv::Color(200, 100, 50));
}

bool FakeRegistry::query(const std::string&, const std::string&, const std::string& value, std::string& data,
                         Type& type) {
    auto it = values.find(value);
    if (it == values.end()) return false;
    data = it->second.first;
    type = it->second.second;
    return true;
}

bool FakeAudio::open(std::string& error) {
    if (refuseOpen) {
        error = "no sound card";
        return false;
    }
    ++users;
    return true;
}

void FakeAudio::close() {
    if (users > 0) --users;
}

bool FakeAudio::load(int voice, const std::vector<std::uint8_t>& wav, std::string& error) {
    if (users == 0 || voice < 0 || voice >= kVoices) {
        error = "not open";
        return false;
    }
    if (refuseSamples) {
        error = "out of buffers";
        return false;
    }
    halt(voice);
    samples[std::size_t(voice)] = wav;
    return true;
}

bool FakeAudio::start(int voice, bool looping, std::string& error) {
    if (voice < 0 || voice >= kVoices || !samples[std::size_t(voice)]) {
        error = "empty voice";
        return false;
    }
    sounding[std::size_t(voice)] = true;
    starts.push_back({voice, looping});
    return true;
}

void FakeAudio::halt(int voice) {
    if (voice < 0 || voice >= kVoices) return;
    if (sounding[std::size_t(voice)]) cutOff.push_back(voice);
    sounding[std::size_t(voice)] = false;
    samples[std::size_t(voice)].reset();
}

bool FakeAudio::loadModule(const std::string& path, std::string& error) {
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

bool FakeAudio::playModule(bool loop, double fromSeconds, std::string& error) {
    if (!module_.loaded) {
        error = "nothing loaded";
        return false;
    }
    module_.playing = true;
    module_.positionSeconds = fromSeconds;
    moduleLoops = loop;
    return true;
}

FakeMachine::FakeMachine(std::optional<std::uint64_t> until, bool playMode) {
    display.playMode = playMode;
    kv::RuntimeConfig cfg;
    cfg.appDir = "/nowhere/";
    cfg.until = until;
    rt = std::make_unique<kv::Runtime>(cfg, kv::Services{display, codec, fonts, joysticks, registry, audio});
}

int FakeMachine::run() {
    try {
        return rt->run();
    } catch (const kv::RunEnded& e) {
        return e.status;
    }
}

}  // namespace kvtest
