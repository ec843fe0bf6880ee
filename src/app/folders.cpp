#include "app/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/options.h"
#include "frontend/score_table.h"
#include "runtime/file_io.h"

namespace kv::app {

namespace fs = std::filesystem;

namespace {

std::string withSlash(std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

// A folder the game worked out itself, shown without "bin/../" in its path.
std::string folderName(const fs::path& p) { return withSlash(p.lexically_normal().string()); }

// Every way of running the game has its pictures: a folder with them is a
// program directory.
bool holdsProgram(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir / "Pictures", ec);
}

std::string envOr(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

}  // namespace

UserDirs UserDirs::fromEnvironment() {
    const struct passwd* account = ::getpwuid(::getuid());
    return UserDirs{envOr("XDG_DATA_HOME"), envOr("HOME"), account && account->pw_dir ? account->pw_dir : ""};
}

std::string installedAppDir() { return KORVANE_INSTALLED_APP_DIR; }

std::string userDataDir(const UserDirs& user) {
    if (!user.xdgDataHome.empty() && fs::path(user.xdgDataHome).is_absolute())
        return folderName(fs::path(user.xdgDataHome) / "korvane");
    for (const std::string& home : {user.home, user.accountHome})
        if (!home.empty() && fs::path(home).is_absolute()) return folderName(fs::path(home) / ".local/share/korvane");
    return "";
}

Folders findFolders(const Options& opt, const std::string& exeDir, const UserDirs& user,
                    const std::string& installedAppDir) {
    Folders f;
    if (!opt.appDir.empty()) {
        f.appDir = withSlash(opt.appDir);
    } else if (const fs::path installed = fs::path(exeDir) / installedAppDir;
               !holdsProgram(exeDir) && holdsProgram(installed)) {
        f.appDir = folderName(installed);
        f.installed = true;
    } else {
        // Beside the program; when it is not there either, the first picture
        // the game loads says which file is missing where.
        f.appDir = withSlash(exeDir);
    }
    if (!opt.dataDir.empty()) {
        f.dataDir = withSlash(opt.dataDir);
    } else if (f.installed) {
        f.dataDir = userDataDir(user);
        f.userData = !f.dataDir.empty();
    } else {
        f.dataDir = f.appDir;
    }
    return f;
}

void seedScoreTable(const Folders& f) {
    if (!f.userData) return;
    const std::string own = f.dataDir + "Data/score.dat";
    std::error_code ec;
    if (fs::exists(fs::symlink_status(own, ec))) return;
    FileBytes shipped = readDataFile(f.appDir + "Data/score.dat", frontend::kMostScoreBytes);
    if (!shipped.ok() || !frontend::readScoreTable(shipped.bytes).error.empty()) return;
    std::string error;
    (void)writeDataFile(own, shipped.bytes, error);
}

}  // namespace kv::app
