#pragma once
// Reading the default player name from the (read-only) registry.
#include <optional>
#include <string>

#include "runtime/host.h"

namespace kv {

// The registry's owner name as the game takes it: the value is read into a
// buffer of 255 spaces and cut to the buffer's first 12 characters; for a short
// value these include its terminating NUL and the spaces after it. Nothing when
// the read fails, the value does not fit the buffer or is not a plain string.
std::optional<std::string> ownerNameOf(RegistryReader& reg, const std::string& root, const std::string& subKey,
                                       const std::string& value);

// The game-wide default: PlayerName becomes the owner name; on any failure it
// keeps its value.
void ReadOwnerName(RegistryReader& reg, const std::string& root, const std::string& subKey, const std::string& value,
                   std::string& PlayerName);

}  // namespace kv
