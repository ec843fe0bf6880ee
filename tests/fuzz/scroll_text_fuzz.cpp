// libFuzzer entry point for the scroller texts: any bytes are refused with a
// reason or give at most as many lines as the scroller holds, each a line the
// fonts can draw (no line breaks, no tabs, no control bytes).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frontend/scroll_text.h"

using namespace kv::frontend;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ScrollTextRead text = readScrollText(bytes);
    if (!text.error.empty()) return 0;
    if (text.count < -1 || text.count > kScrollCapacity) __builtin_trap();
    if (text.lines.size() != std::size_t(text.count < 0 ? 0 : text.count)) __builtin_trap();
    for (const std::string& line : text.lines)
        for (char c : line) {
            unsigned char u = static_cast<unsigned char>(c);
            if (u < 32 || u == 127) __builtin_trap();
        }
    return 0;
}
