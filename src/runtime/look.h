#pragma once
// What a frame would show, boiled down to one number. The runtime composes and
// presents a frame only when this number changed since the last one: a control
// moved, showed, hid or changed its picture, caption or colours, a picture box
// was drawn into, a form opened or closed, a box came up or took a key.
#include <cstdint>
#include <string>

#include "runtime/geometry.h"

namespace kv {

class LookHash {
public:
    void add(std::uint64_t v) {
        // A multiply-xorshift mix: cheap, and a changed field changes every bit.
        h_ = (h_ ^ v) * 0x9E3779B97F4A7C15ull;
        h_ ^= h_ >> 29;
    }
    void add(const std::string& s);
    void add(const void* p) { add(static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p))); }
    void add(Rect r) {
        add((std::uint64_t(std::uint32_t(r.x)) << 32) | std::uint32_t(r.y));
        add((std::uint64_t(std::uint32_t(r.w)) << 32) | std::uint32_t(r.h));
    }
    std::uint64_t value() const { return h_; }

private:
    std::uint64_t h_ = 0xCBF29CE484222325ull;
};

}  // namespace kv
