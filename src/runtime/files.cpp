#include "runtime/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kv {

namespace fs = std::filesystem;

FileBytes readFileBytes(const std::string& path, std::size_t limit) {
    FileBytes out;
    std::error_code ec;
    fs::file_status st = fs::status(path, ec);
    if (ec || !fs::exists(st)) {
        out.status = FileBytes::Status::Missing;
        out.error = "there is no such file";
        return out;
    }
    if (fs::is_directory(st)) {
        out.status = FileBytes::Status::Unreadable;
        out.error = "it is a folder, not a file";
        return out;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        out.status = FileBytes::Status::Unreadable;
        out.error = std::string("it cannot be opened (") + std::strerror(errno) + ")";
        return out;
    }
    // Read one byte past the limit to know a larger file for what it is, even
    // one whose size the file system does not tell (a pipe, a device).
    std::string bytes(limit + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::size_t got = static_cast<std::size_t>(in.gcount());
    if (in.bad()) {
        out.status = FileBytes::Status::Unreadable;
        out.error = "it cannot be read";
        return out;
    }
    if (got > limit) {
        out.status = FileBytes::Status::TooLarge;
        out.error = "it is larger than " + std::to_string(limit) + " bytes";
        return out;
    }
    bytes.resize(got);
    out.status = FileBytes::Status::Read;
    out.bytes = std::move(bytes);
    return out;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    std::error_code ec;
    fs::path target(path);
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), ec);
        if (ec) {
            error = "the folder " + target.parent_path().string() + " cannot be made (" + ec.message() + ")";
            return false;
        }
    }
    fs::path tmp = target;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = std::string("it cannot be written (") + std::strerror(errno) + ")";
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(tmp, ec);
            error = "writing it failed (the disk may be full)";
            return false;
        }
    }
    fs::rename(tmp, target, ec);
    if (ec) {
        std::error_code ignore;
        fs::remove(tmp, ignore);
        error = "it cannot be replaced (" + ec.message() + ")";
        return false;
    }
    return true;
}

}  // namespace kv
