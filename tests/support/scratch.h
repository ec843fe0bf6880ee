#pragma once
// Scratch folders for tests that touch the disk, and whole files read and
// written in one go.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace kvtest {

inline std::string slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Makes the file's folder and writes the bytes in place of whatever stood
// there (a link is replaced, never written through).
inline void put(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::filesystem::remove(file);
    std::ofstream(file, std::ios::binary) << bytes;
}

// A fresh folder of its own, removed with everything in it at the end.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvane-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
        dir = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path() const { return dir.string() + "/"; }   // ends with '/'
    std::string operator/(const std::string& name) const { return (dir / name).string(); }
    std::filesystem::path dir;
};

#ifdef KORVANE_APP_DIR
// A program folder like the build's, whose files a test may remove or damage:
// the data is copied, each picture and sample linked on its own, the fonts
// and music linked as folders.
struct AppCopy : TempDir {
    AppCopy() {
        namespace fs = std::filesystem;
        const fs::path real = KORVANE_APP_DIR;
        for (const char* sub : {"Fonts", "MODs"}) fs::create_directory_symlink(real / sub, dir / sub);
        fs::copy(real / "Data", dir / "Data", fs::copy_options::recursive);
        for (const char* sub : {"Pictures", "Samples"}) {
            fs::create_directory(dir / sub);
            for (const auto& e : fs::directory_iterator(real / sub))
                fs::create_symlink(e.path(), dir / sub / e.path().filename());
        }
    }
};
#endif

}  // namespace kvtest
