#include "runtime/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>

namespace kv {

namespace fs = std::filesystem;

namespace {

std::string describe(std::errc e) { return std::make_error_code(e).message(); }
std::string describeErrno(int e) { return std::error_code(e ? e : EIO, std::generic_category()).message(); }

// What a path that is there but is not a file holds, as a reason.
std::string notAFile(fs::file_type t) {
    switch (t) {
        case fs::file_type::directory: return describe(std::errc::is_a_directory);
        case fs::file_type::fifo: return "Is a named pipe, not a file";
        case fs::file_type::socket: return "Is a socket, not a file";
        case fs::file_type::character:
        case fs::file_type::block: return "Is a device, not a file";
        default: return "Is not a regular file";
    }
}

fs::file_type typeOf(mode_t m) {
    if (S_ISREG(m)) return fs::file_type::regular;
    if (S_ISDIR(m)) return fs::file_type::directory;
    if (S_ISFIFO(m)) return fs::file_type::fifo;
    if (S_ISSOCK(m)) return fs::file_type::socket;
    if (S_ISCHR(m)) return fs::file_type::character;
    if (S_ISBLK(m)) return fs::file_type::block;
    return fs::file_type::unknown;
}

std::string folderOf(const std::string& path) {
    std::string folder = fs::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// Writes all of it, as often as the system takes only part.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

// A name nobody else is using this instant; O_EXCL makes sure of it.
std::string temporaryName(const std::string& target, unsigned attempt) {
    const fs::path p(target);
    std::string base = p.filename().string();
    // Short enough for the file system whatever the target's length: a hidden
    // file the dialogs do not list, named after its target.
    if (base.size() > 200) base.resize(200);
    static_assert(sizeof(unsigned long long) >= 8);
    unsigned long long stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    stamp ^= (static_cast<unsigned long long>(::getpid()) << 32) + attempt * 0x9E3779B97F4A7C15ULL;
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%012llx", stamp & 0xFFFFFFFFFFFFULL);
    return (p.parent_path() / ("." + base + suffix)).string();
}

}  // namespace

bool checkReadableFile(const std::string& path, std::string& error, std::uintmax_t limit) {
    std::error_code ec;
    // Looking at the entry opens nothing: a named pipe would block an open.
    fs::file_status st = fs::status(path, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    if (st.type() != fs::file_type::regular) {
        error = notAFile(st.type());
        return false;
    }
    if (limit != UINTMAX_MAX && fs::file_size(path, ec) > limit && !ec) {
        error = "File too large (over " + std::to_string(limit) + " bytes)";
        return false;
    }
    return true;
}

bool readFileBytes(const std::string& path, std::uintmax_t limit, std::vector<std::uint8_t>& out, std::string& error) {
    if (!checkReadableFile(path, error)) return false;
    // Not blocking: should a pipe take the file's place after the look, the
    // open does not wait for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = describeErrno(errno);
        return false;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = notAFile(typeOf(st.st_mode));
        return false;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[16384];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = describeErrno(errno);
            return false;
        }
        if (n == 0) break;
        // The file may be growing under us: the limit holds for what is read.
        if (bytes.size() + std::size_t(n) > limit) {
            error = "File too large (over " + std::to_string(limit) + " bytes)";
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    out = std::move(bytes);
    return true;
}

bool resolveWriteTarget(const std::string& path, std::string& target, std::string& error) {
    if (path.empty()) {
        error = "No file name given";
        return false;
    }
    std::string at = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0) {
            if (errno != ENOENT) {
                error = describeErrno(errno);
                return false;
            }
            target = at;   // a new file
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            target = at;
            return true;
        }
        if (hops == 40) {
            error = describeErrno(ELOOP);
            return false;
        }
        std::error_code ec;
        fs::path to = fs::read_symlink(at, ec);
        if (ec) {
            error = ec.message();
            return false;
        }
        at = (to.is_absolute() ? to : fs::path(at).parent_path() / to).string();
    }
}

bool sameFile(const std::string& a, const std::string& b) {
    std::string ta, tb, why;
    if (!resolveWriteTarget(a, ta, why) || !resolveWriteTarget(b, tb, why)) return false;
    std::error_code ea, eb;
    const fs::path ca = fs::weakly_canonical(ta, ea), cb = fs::weakly_canonical(tb, eb);
    if (!ea && !eb && ca == cb) return true;
    return fs::equivalent(ta, tb, ea) && !ea;
}

bool checkWritablePath(const std::string& path, std::string& error) {
    std::string target;
    if (!resolveWriteTarget(path, target, error)) return false;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        error = notAFile(typeOf(st.st_mode));
        return false;
    }
    const std::string folder = folderOf(target);
    struct stat fst {};
    if (::stat(folder.c_str(), &fst) != 0 || !S_ISDIR(fst.st_mode)) {
        error = "The folder " + folder + " does not exist";
        return false;
    }
    long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (fs::path(target).filename().string().size() > std::size_t(longest > 0 ? longest : NAME_MAX) ||
        target.size() >= PATH_MAX) {
        error = describeErrno(ENAMETOOLONG);
        return false;
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        error = "The folder " + folder + " cannot be written: " + describeErrno(errno);
        return false;
    }
    return true;
}

AtomicFile::~AtomicFile() { discard(); }

void AtomicFile::discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(temporary_.c_str());
    fd_ = -1;
}

bool AtomicFile::open(const std::string& path, std::string& error) {
    discard();
    failed_ = 0;
    if (!checkWritablePath(path, error) || !resolveWriteTarget(path, target_, error)) return false;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        temporary_ = temporaryName(target_, attempt);
        // Made here and now, never through a link, never over anything.
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) {
        error = "Cannot make a temporary file in " + folderOf(target_) + ": " + describeErrno(errno);
        return false;
    }
    // A file replaced keeps who may read it.
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0) {
        if (::fchown(fd_, st.st_uid, st.st_gid) != 0) {
            // Only the owner's own group or root can hand a file on; it stays ours.
        }
        (void)::fchmod(fd_, st.st_mode & 07777);
    }
    return true;
}

void AtomicFile::write(std::string_view bytes) {
    if (fd_ < 0 || failed_) return;
    if (!writeAll(fd_, bytes)) failed_ = errno ? errno : EIO;
}

bool AtomicFile::commit(std::string& error) {
    if (fd_ < 0) {
        error = "No file is open";
        return false;
    }
    if (!failed_ && ::fsync(fd_) != 0) failed_ = errno;
    if (failed_) {
        error = describeErrno(failed_);
        discard();
        return false;
    }
    int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0) {
        error = describeErrno(errno);
        ::unlink(temporary_.c_str());
        return false;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error = "Cannot put the new file in place: " + describeErrno(errno);
        ::unlink(temporary_.c_str());
        return false;
    }
    // The rename itself on the disk, so that a power cut keeps one file or the other.
    int dir = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool writeFileSafely(const std::string& path, std::string_view bytes, std::string& error) {
    AtomicFile f;
    if (!f.open(path, error)) return false;
    f.write(bytes);
    return f.commit(error);
}

FileBytes readDataFile(const std::string& path, std::uintmax_t limit) {
    FileBytes out;
    std::error_code ec;
    if (!fs::exists(fs::status(path, ec))) {
        out.status = FileBytes::Status::Missing;
        out.error = describe(std::errc::no_such_file_or_directory);
        return out;
    }
    std::vector<std::uint8_t> bytes;
    if (!readFileBytes(path, limit, bytes, out.error)) {
        out.status = out.error.rfind("File too large", 0) == 0 ? FileBytes::Status::TooLarge : FileBytes::Status::Unreadable;
        return out;
    }
    out.status = FileBytes::Status::Read;
    out.bytes.assign(bytes.begin(), bytes.end());
    return out;
}

bool makeFolderFor(const std::string& path, std::string& error) {
    std::string target;
    if (!resolveWriteTarget(path, target, error)) return false;
    const fs::path folder = fs::path(target).parent_path();
    std::error_code ec;
    if (folder.empty() || fs::is_directory(folder, ec)) return true;
    fs::create_directories(folder, ec);
    if (!ec) return true;
    // "File exists" says little when the folder is a link to nowhere.
    for (fs::path p = folder; !p.empty() && p != p.root_path(); p = p.parent_path()) {
        std::error_code e2;
        if (fs::is_symlink(fs::symlink_status(p, e2)) && !fs::exists(p, e2)) {
            error = "Cannot make the folder " + folder.string() + ": " + p.string() + " is a link to " +
                    fs::read_symlink(p, e2).string() + ", which does not exist";
            return false;
        }
    }
    error = "Cannot make the folder " + folder.string() + ": " + ec.message();
    return false;
}

bool writeDataFile(const std::string& path, std::string_view bytes, std::string& error) {
    return makeFolderFor(path, error) && writeFileSafely(path, bytes, error);
}

FileLock::~FileLock() { release(); }

void FileLock::release() {
    if (fd_ < 0) return;
    ::close(fd_);   // the lock goes with the last descriptor
    fd_ = -1;
}

bool FileLock::acquire(const std::string& lockPath, int waitMs, std::string& error) {
    release();
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        error = "Cannot open the lock file " + lockPath + ": " + describeErrno(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = "Cannot use the lock file " + lockPath + ": " + notAFile(typeOf(st.st_mode));
        release();
        return false;
    }
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= giveUp) {
            error = errno == EWOULDBLOCK ? "Another game has held the lock file " + lockPath + " for " +
                                               std::to_string(waitMs / 1000) + " seconds"
                                         : "Cannot lock " + lockPath + ": " + describeErrno(errno);
            release();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace kv
