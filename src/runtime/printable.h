#pragma once
// Text from outside (a script line, a file name) shown in a message: control
// bytes and broken UTF-8 are spelled out as \xNN, so a message never moves the
// terminal's cursor or changes its colours.
#include <string>
#include <string_view>

namespace kv {

std::string printable(std::string_view text);

// The same, cut to about `limit` characters with "..." when longer.
std::string printableExcerpt(std::string_view text, std::size_t limit = 80);

}  // namespace kv
