// The title and ending music, composed as four-channel ProTracker modules
// with their own instruments, written into <programDir>/MODs.
#pragma once

#include <filesystem>

#include "protracker.h"

namespace assetgen {

// Title music: A minor, 125 BPM, about 69 seconds, made to repeat.
Module introModule();
// The closing theme: C major, slower, about 51 seconds, played once.
Module endingModule();

void makeModules(const std::filesystem::path& programDir);

}  // namespace assetgen
