#pragma once
// Whole numbers typed by a person: on the command line and in scripts.
#include <cstdint>
#include <optional>
#include <string_view>

namespace kv {

// The largest time or count we take: far beyond any run, and far enough below
// 2^64 that the clock can add intervals to it without wrapping.
constexpr std::uint64_t kLargestWholeNumber = 999'999'999'999'999'999ULL;

// Digits only (no sign, no spaces), at most kLargestWholeNumber; nullopt otherwise.
std::optional<std::uint64_t> parseUnsigned(std::string_view text);

}  // namespace kv
