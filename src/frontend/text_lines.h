#pragma once
// The common first step of the game's text data readers (the score table, the
// scroller texts): a file that holds control bytes is not text; a text editor's
// byte-order mark is not part of the first line; lines end with CR LF, CR or LF.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::frontend {

// The lines of a text file, or nullopt with `error` saying why it is not one.
std::optional<std::vector<std::string_view>> textLines(std::string_view bytes, std::string& error);

// Without the spaces and tabs at either end.
std::string_view trimSpaces(std::string_view s);

}  // namespace kv::frontend
