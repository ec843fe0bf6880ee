#pragma once
// Reading and writing whole files without surprises: a folder, a named pipe
// or a device where a file should be is refused (a pipe would hang the game),
// nothing larger than the caller's limit is read, and a file is replaced only
// once its new contents are complete.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kv {

// Reads a regular file of at most `limit` bytes. On failure returns false with
// the system's description of what went wrong ("No such file or directory",
// "Permission denied", "Is a directory", ...).
bool readFileBytes(const std::string& path, std::uintmax_t limit, std::vector<std::uint8_t>& out,
                   std::string& error);

// Whether `path` names a regular file that can be opened; else the reason.
bool checkReadableFile(const std::string& path, std::string& error);

// Where a new file may go: not a folder, and inside a folder that exists.
bool checkWritablePath(const std::string& path, std::string& error);

// Writes a file through `write`, which is handed the name to write to. A
// regular (or new) file is written under a temporary name beside it and then
// renamed over the old one, so a run killed half-way leaves the old file
// whole; a device or pipe (/dev/null, a FIFO) is written directly.
bool writeFileSafely(const std::string& path, const std::function<bool(const std::string& target, std::string& error)>& write,
                     std::string& error);

// The same for bytes in memory.
bool writeFileSafely(const std::string& path, const std::string& bytes, std::string& error);

// A data file read whole, telling a missing file from one that cannot be read
// (a game file that is not there yet is often no fault: it starts from a
// default), and one larger than the reader will take.
struct FileBytes {
    enum class Status { Read, Missing, TooLarge, Unreadable };
    Status status = Status::Missing;
    std::string bytes;
    std::string error;   // the system's description of what went wrong
    bool ok() const { return status == Status::Read; }
};
FileBytes readDataFile(const std::string& path, std::uintmax_t limit);

// Writes a data file safely, making its folder first when there is none.
bool writeDataFile(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace kv
