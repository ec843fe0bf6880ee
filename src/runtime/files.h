#pragma once
// Whole-file reads with a size limit, and writes that never leave a
// half-written file: the bytes go to a temporary file beside the target, which
// is then renamed over it.
#include <cstddef>
#include <string>

namespace kv {

struct FileBytes {
    enum class Status { Read, Missing, TooLarge, Unreadable };
    Status status = Status::Missing;
    std::string bytes;
    std::string error;   // for the player: what went wrong
    bool ok() const { return status == Status::Read; }
};

// Reads the whole file when it is no larger than `limit` bytes.
FileBytes readFileBytes(const std::string& path, std::size_t limit);

// Creates the file's folder when needed, writes a temporary file and renames it
// over the target. On failure the target is as it was and `error` says why.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace kv
