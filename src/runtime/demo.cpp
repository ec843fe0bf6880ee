#include "runtime/demo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "runtime/printable.h"

namespace kv {

namespace {
// A script line holds no control bytes: typed text keeps only what can be read back.
std::string typedText(const std::string& s) {
    std::string out;
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
    return out;
}

std::runtime_error cannotWrite(const std::string& path, const std::string& why) {
    return std::runtime_error("cannot write the demo " + printable(path) + ": " + why);
}
}  // namespace

DemoWriter::DemoWriter(const std::string& path, const DemoSettings& settings) : path_(path) {
    std::string why;
    if (!out_.open(path, why)) throw cannotWrite(path, why);
    std::string header = kDemoHeader;
    for (const auto& [key, value] : settings) header += ' ' + key + ' ' + value;
    out_.write(header + '\n');
}

void DemoWriter::line(std::uint64_t at, const std::string& text) { out_.write(std::to_string(at) + ' ' + text + '\n'); }

void DemoWriter::input(std::uint64_t at, const InputEvent& ev) {
    switch (ev.kind) {
        case InputEvent::Kind::KeyDown: line(at, "key " + std::to_string(ev.vk)); break;
        case InputEvent::Kind::Click: line(at, "click " + std::to_string(ev.x) + " " + std::to_string(ev.y)); break;
        case InputEvent::Kind::Text: {
            std::string t = typedText(ev.text);
            if (!t.empty()) line(at, "type " + t);
            break;
        }
        case InputEvent::Kind::Close: line(at, "close"); break;
        // Only the key repeat reads these; a lost focus that pauses comes as Esc.
        case InputEvent::Kind::KeyUp: case InputEvent::Kind::FocusLost: break;
        case InputEvent::Kind::Quit: line(at, "quit"); break;
    }
}

void DemoWriter::action(const ScriptAction& a) {
    using K = ScriptAction::Kind;
    switch (a.kind) {
        case K::Key: line(a.time, "key " + std::to_string(a.a)); break;
        case K::Type: line(a.time, "type " + typedText(a.text)); break;
        case K::Click: line(a.time, "click " + std::to_string(a.a) + " " + std::to_string(a.b)); break;
        case K::Press: line(a.time, "press " + a.text); break;
        case K::File: line(a.time, "file " + typedText(a.text)); break;
        case K::Joy:
            line(a.time, "joy " + std::to_string(a.a) + " " + std::to_string(a.b) + " " + std::to_string(a.c));
            break;
        case K::Rnd: {
            // Enough digits to read back the very same double.
            char buf[40];
            std::snprintf(buf, sizeof buf, "%.17g", a.value);
            line(a.time, std::string("rnd ") + buf);
            break;
        }
        case K::Quit: line(a.time, "quit"); break;
        case K::Close: line(a.time, "close"); break;
        // What a run writes out, and the end of a replayed demo, feed nothing.
        case K::Screenshot: case K::Dump: case K::End: break;
    }
}

void DemoWriter::joystick(std::uint64_t at, const JoystickState& s) {
    line(at, "joy " + std::to_string(s.x) + " " + std::to_string(s.y) + " " + std::to_string(s.buttons));
}

void DemoWriter::finish(std::uint64_t endTime) {
    out_.write(std::string(kDemoEnd) + ' ' + std::to_string(endTime) + '\n');
    std::string why;
    if (!out_.commit(why)) throw cannotWrite(path_, why);
}

std::map<std::string, std::string> demoSettingsFrom(std::string_view start) {
    std::size_t end = start.find('\n');
    if (end == std::string_view::npos) end = start.size();
    if (end > kLongestScriptLine)
        throw std::runtime_error("its first line is longer than " + std::to_string(kLongestScriptLine) + " bytes");
    std::string_view first = start.substr(0, end);
    std::map<std::string, std::string> out;
    const std::size_t n = std::strlen(kDemoHeader);
    if (first.substr(0, n) != kDemoHeader) return out;
    std::istringstream words{std::string(first.substr(n))};
    std::string key, value;
    while (words >> key >> value) out[key] = value;
    return out;
}

std::map<std::string, std::string> readDemoSettings(const std::string& path) {
    auto refuse = [&](const std::string& why) {
        return std::runtime_error("cannot read the demo " + printable(path) + ": " + why);
    };
    std::string why;
    if (!checkReadableFile(path, why)) throw refuse(why);
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw refuse(errno ? std::error_code(errno, std::generic_category()).message() : "cannot open it");
    // The first line and its break, and not a byte more.
    std::string start(kLongestScriptLine + 1, '\0');
    in.read(start.data(), std::streamsize(start.size()));
    start.resize(std::size_t(in.gcount()));
    try {
        return demoSettingsFrom(start);
    } catch (const std::runtime_error& e) {
        throw refuse(e.what());
    }
}

}  // namespace kv
