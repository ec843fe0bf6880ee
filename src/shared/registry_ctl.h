#pragma once
// Reading the default player name from the (read-only) registry.
#include <string>

#include "runtime/host.h"

namespace kv {

// The value is read into a buffer of 255 spaces. On success (the value fits the
// buffer and is a plain string) the name becomes the first 12 characters of the
// buffer: for a short value these include its terminating NUL and the spaces
// after it. On any failure the name keeps its value.
void ReadOwnerName(RegistryReader& reg, const std::string& root, const std::string& subKey, const std::string& value,
                   std::string& PlayerName);

}  // namespace kv
