#include "runtime/numbers.h"

namespace kv {

std::optional<std::uint64_t> parseUnsigned(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + std::uint64_t(c - '0');
        if (v > kLargestWholeNumber) return std::nullopt;
    }
    return v;
}

}  // namespace kv
