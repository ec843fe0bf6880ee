#pragma once
// Reading and writing whole files without surprises: a folder, a named pipe
// or a device where a file should be is refused, never opened (a pipe would
// hang the game), nothing larger than the caller's limit is read, and a file
// is replaced only once its new contents are complete and on the disk.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Reads a regular file of at most `limit` bytes. On failure returns false with
// the system's description of what went wrong ("No such file or directory",
// "Permission denied", "Is a directory", ...).
bool readFileBytes(const std::string& path, std::uintmax_t limit, std::vector<std::uint8_t>& out,
                   std::string& error);

// Whether `path` names a regular file of at most `limit` bytes; else the reason.
bool checkReadableFile(const std::string& path, std::string& error, std::uintmax_t limit = UINTMAX_MAX);

// Where a write to `path` lands: the path itself, or for a symbolic link the
// file it names, followed to the end of the chain (the link stays a link). A
// dangling link names a file that is not there yet.
bool resolveWriteTarget(const std::string& path, std::string& target, std::string& error);

// Whether two names are one file: they lead (through links, "..", and the
// like) to the same place, or to one file on the disk by device and inode.
bool sameFile(const std::string& a, const std::string& b);

// Whether a file can be written at `path`, opening nothing: its name fits the
// file system, what is there (through links) is a regular file or nothing,
// and its folder exists and may be written. Else the reason.
bool checkWritablePath(const std::string& path, std::string& error);

// One file being replaced: the new contents go to a temporary file made
// exclusively (never through a link) in the target's folder, and only
// commit() puts it in place, synced, by a rename over the target. Left
// uncommitted, the temporary file is removed and the old file stays whole.
class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Checks the target as checkWritablePath does and makes the temporary file.
    bool open(const std::string& path, std::string& error);
    // Appends; the first failure is kept for commit() to report.
    void write(std::string_view bytes);
    bool commit(std::string& error);
    void discard();
    bool isOpen() const { return fd_ >= 0; }

private:
    int fd_ = -1;
    std::string target_, temporary_;
    int failed_ = 0;   // errno of the first failed write
};

// The whole of a file written through an AtomicFile.
bool writeFileSafely(const std::string& path, std::string_view bytes, std::string& error);

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

// Makes the folder a data file goes in, when there is none; else the reason
// (a link to a folder that is not there is named as such).
bool makeFolderFor(const std::string& path, std::string& error);

// Writes a data file safely, making its folder first when there is none.
bool writeDataFile(const std::string& path, std::string_view bytes, std::string& error);

// An advisory lock on a lock file, held until it is released or destroyed:
// games that share a file take it around reading, changing and writing it.
class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // Waits up to `waitMs` for another holder to let go; else the reason.
    bool acquire(const std::string& lockPath, int waitMs, std::string& error);
    void release();

private:
    int fd_ = -1;
};

}  // namespace kv
