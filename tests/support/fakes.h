#pragma once
// Stand-ins for the machine, for tests of the runtime on its own.
#include <map>
#include <memory>

#include "runtime/runtime.h"

namespace kvtest {

// Every glyph is a filled 6 x 10 block with an advance of 7.
class FakeFonts : public kv::FontEngine {
public:
    int open(const std::string&, int, std::string&) override { return 0; }
    int lineHeight(int) override { return 10; }
    bool glyph(int, char32_t ch, kv::GlyphBitmap& out) override;
};

class FakeCodec : public kv::ImageCodec {
public:
    std::optional<kv::Surface> loadPng(const std::string& path, std::string& error) override;
    bool savePng(const kv::Surface&, const std::string&, std::string&) override { return true; }
};

class FakeRegistry : public kv::RegistryReader {
public:
    std::map<std::string, std::pair<std::string, Type>> values;   // by value name
    bool query(const std::string&, const std::string&, const std::string& value, std::string& data, Type& type) override;
};

class NoJoysticks : public kv::JoystickDevices {
public:
    int supported() override { return 0; }
    bool caps(int, kv::JoystickCaps&) override { return false; }
    bool read(int, kv::JoystickState&) override { return false; }
};

class HeadlessClockDisplay : public kv::Display {
public:
    bool headless() const override { return true; }
    void present(const kv::Surface&) override {}
    void poll(std::vector<kv::InputEvent>&) override {}
    std::uint64_t wallMs() override { return 0; }
    void sleepMs(int) override {}
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

// A runtime on fakes only: no files, no SDL.
struct FakeMachine {
    HeadlessClockDisplay display;
    FakeCodec codec;
    FakeFonts fonts;
    NoJoysticks joysticks;
    FakeRegistry registry;
    std::unique_ptr<kv::Runtime> rt;
    explicit FakeMachine(std::optional<std::uint64_t> until = std::nullopt);
    // Runs the loop until the run ends; returns the status.
    int run();
};

}  // namespace kvtest
