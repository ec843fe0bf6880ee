#include "runtime/file_io.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace kv {

namespace fs = std::filesystem;

namespace {

std::string describe(std::errc e) { return std::make_error_code(e).message(); }
std::string describeErrno(int e) { return std::error_code(e, std::generic_category()).message(); }

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

// Only a file we may have made goes: a folder of that name is the player's.
void removeTemporary(const std::string& tmp) {
    std::error_code ec;
    if (fs::is_regular_file(fs::symlink_status(tmp, ec))) fs::remove(tmp, ec);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool checkReadableFile(const std::string& path, std::string& error) {
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
    return true;
}

bool readFileBytes(const std::string& path, std::uintmax_t limit, std::vector<std::uint8_t>& out, std::string& error) {
    if (!checkReadableFile(path, error)) return false;
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        error = describeErrno(errno ? errno : EIO);
        return false;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[16384];
    for (;;) {
        std::size_t n = std::fread(chunk, 1, sizeof chunk, f.get());
        if (n > 0) {
            // The file may be growing under us: the limit holds for what is read.
            if (bytes.size() + n > limit) {
                error = "File too large (over " + std::to_string(limit) + " bytes)";
                return false;
            }
            bytes.insert(bytes.end(), chunk, chunk + n);
        }
        if (n < sizeof chunk) break;
    }
    if (std::ferror(f.get())) {
        error = describeErrno(errno ? errno : EIO);
        return false;
    }
    out = std::move(bytes);
    return true;
}

bool checkWritablePath(const std::string& path, std::string& error) {
    if (path.empty()) {
        error = "No file name given";
        return false;
    }
    std::error_code ec;
    fs::file_status st = fs::status(path, ec);
    if (!ec && st.type() == fs::file_type::directory) {
        error = describe(std::errc::is_a_directory);
        return false;
    }
    fs::path parent = fs::path(path).parent_path();
    if (parent.empty()) return true;
    fs::file_status ps = fs::status(parent, ec);
    if (ec || ps.type() != fs::file_type::directory) {
        error = "The folder " + parent.string() + " does not exist";
        return false;
    }
    return true;
}

bool writeFileSafely(const std::string& path, const std::function<bool(const std::string&, std::string&)>& write,
                     std::string& error) {
    if (!checkWritablePath(path, error)) return false;
    std::error_code ec;
    fs::file_status st = fs::status(path, ec);
    if (!ec && fs::exists(st) && st.type() != fs::file_type::regular) {
        // Renaming over a device would replace the device itself.
        return write(path, error);
    }
    const std::string tmp = path + ".tmp";
    if (!write(tmp, error)) {
        removeTemporary(tmp);
        return false;
    }
    fs::rename(tmp, path, ec);
    if (ec) {
        error = "Cannot put the new file in place: " + ec.message();
        removeTemporary(tmp);
        return false;
    }
    return true;
}

bool writeFileSafely(const std::string& path, const std::string& bytes, std::string& error) {
    return writeFileSafely(
        path,
        [&](const std::string& target, std::string& err) {
            errno = 0;
            std::unique_ptr<std::FILE, FileCloser> f(std::fopen(target.c_str(), "wb"));
            if (!f) {
                err = describeErrno(errno ? errno : EIO);
                return false;
            }
            bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() && std::fflush(f.get()) == 0;
            int e = errno;
            if (std::fclose(f.release()) != 0 && ok) {
                ok = false;
                e = errno;
            }
            if (!ok) err = describeErrno(e ? e : EIO);
            return ok;
        },
        error);
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

bool writeDataFile(const std::string& path, const std::string& bytes, std::string& error) {
    const fs::path folder = fs::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        fs::create_directories(folder, ec);
        if (ec) {
            error = "Cannot make the folder " + folder.string() + ": " + ec.message();
            return false;
        }
    }
    return writeFileSafely(path, bytes, error);
}

}  // namespace kv
