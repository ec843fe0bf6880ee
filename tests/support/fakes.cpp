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

FakeMachine::FakeMachine(std::optional<std::uint64_t> until) {
    kv::RuntimeConfig cfg;
    cfg.appDir = "/nowhere/";
    cfg.until = until;
    rt = std::make_unique<kv::Runtime>(cfg, kv::Services{display, codec, fonts, joysticks, registry});
}

int FakeMachine::run() {
    try {
        return rt->run();
    } catch (const kv::RunEnded& e) {
        return e.status;
    }
}

}  // namespace kvtest
