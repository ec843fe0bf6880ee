// Where the game reads and writes: beside itself when it is run from its build
// folder (or a copy unpacked anywhere), under <prefix>/share/korvane and the
// player's data directory when it is installed, and wherever the command line
// says. And the installed game's first copy of the score table.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/folders.h"
#include "app/options.h"
#include "support/case_names.h"

namespace fs = std::filesystem;
using namespace kv;

namespace {

// Folders laid out as each way of running the game leaves them.
class FolderTree {
public:
    FolderTree() {
        for (const char* program : {"build/bin", "prefix/share/korvane", "both/bin", "both/share/korvane"})
            fs::create_directories(root / program / "Pictures");
        fs::create_directories(root / "prefix/bin");
        fs::create_directories(root / "lonely/bin");
    }
    ~FolderTree() { fs::remove_all(root); }
    // "{}" in a case stands for the tree's root.
    std::string at(const std::string& s) const {
        std::string out = s;
        if (auto p = out.find("{}"); p != std::string::npos) out.replace(p, 2, root.string());
        return out;
    }
    const fs::path root = fs::temp_directory_path() / ("kv_folders_" + std::to_string(::getpid()));
};

struct FolderCase {
    const char* name;
    const char* exeDir;
    const char* appDirOption;
    const char* dataDirOption;
    const char* xdgDataHome;
    const char* home;
    const char* appDir;
    const char* dataDir;
    bool installed;
};
class FindingTheFolders : public testing::TestWithParam<FolderCase> {};
TEST_P(FindingTheFolders, FromTheProgramsOwnPlaceTheCommandLineAndTheEnvironment) {
    const FolderCase& c = GetParam();
    FolderTree tree;
    app::Options opt;
    opt.appDir = tree.at(c.appDirOption);
    opt.dataDir = tree.at(c.dataDirOption);
    app::Folders f = app::findFolders(opt, tree.at(c.exeDir), app::UserDirs{c.xdgDataHome, c.home}, "../share/korvane");
    EXPECT_EQ(f.appDir, tree.at(c.appDir));
    EXPECT_EQ(f.dataDir, tree.at(c.dataDir));
    EXPECT_EQ(f.installed, c.installed);
}
INSTANTIATE_TEST_SUITE_P(
    Ways, FindingTheFolders,
    testing::Values(
        FolderCase{"BuildTreeKeepsEverythingBesideItself", "{}/build/bin/", "", "", "/x", "/h", "{}/build/bin/",
                   "{}/build/bin/", false},
        FolderCase{"InstalledWritesToXdgDataHome", "{}/prefix/bin/", "", "", "/x", "/h", "{}/prefix/share/korvane/",
                   "/x/korvane/", true},
        FolderCase{"InstalledWithoutXdgWritesUnderHome", "{}/prefix/bin/", "", "", "", "/h", "{}/prefix/share/korvane/",
                   "/h/.local/share/korvane/", true},
        FolderCase{"ARelativeXdgDataHomeIsIgnored", "{}/prefix/bin/", "", "", "data", "/h", "{}/prefix/share/korvane/",
                   "/h/.local/share/korvane/", true},
        FolderCase{"InstalledWithNoUserFolderAtAll", "{}/prefix/bin/", "", "", "", "", "{}/prefix/share/korvane/",
                   "{}/prefix/share/korvane/", true},
        FolderCase{"DataDirOptionWinsOverTheUsersFolder", "{}/prefix/bin/", "", "{}/saves", "/x", "/h",
                   "{}/prefix/share/korvane/", "{}/saves/", true},
        FolderCase{"AppDirOptionIsNoInstalledGame", "{}/prefix/bin/", "{}/build/bin", "", "/x", "/h", "{}/build/bin/",
                   "{}/build/bin/", false},
        FolderCase{"AProgramDirectoryBesideTheGameComesFirst", "{}/both/bin/", "", "", "/x", "/h", "{}/both/bin/",
                   "{}/both/bin/", false},
        // The first picture then names the file it misses, in this folder.
        FolderCase{"NoProgramDirectoryAnywhere", "{}/lonely/bin/", "", "", "/x", "/h", "{}/lonely/bin/",
                   "{}/lonely/bin/", false}),
    kvtest::CaseName{});

class SeedingTheScoreTable : public testing::Test {
protected:
    FolderTree tree;
    app::Folders folders{(tree.root / "prefix/share/korvane/").string(), (tree.root / "user/korvane/").string(), true,
                         true};
    const std::string shipped = folders.appDir + "Data/score.dat";
    const std::string own = folders.dataDir + "Data/score.dat";
    void put(const std::string& path, const std::string& bytes) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string table() const {
        std::string t;
        for (int i = 1; i <= 12; ++i) t += "Pilot " + std::to_string(i) + ", " + std::to_string(13000 - 1000 * i) + " \r\n";
        return t;
    }
};

TEST_F(SeedingTheScoreTable, CopiesTheShippedTableIntoANewUserFolder) {
    put(shipped, table());
    app::seedScoreTable(folders);
    EXPECT_EQ(contents(own), table());
}

TEST_F(SeedingTheScoreTable, NeverReplacesTheUsersOwnTable) {
    put(shipped, table());
    put(own, "mine");
    app::seedScoreTable(folders);
    EXPECT_EQ(contents(own), "mine");
}

TEST_F(SeedingTheScoreTable, LeavesADamagedShippedTableWhereTheGameWillNameIt) {
    put(shipped, "Pilot, 100\r\n");
    app::seedScoreTable(folders);
    EXPECT_FALSE(fs::exists(own));
}

TEST_F(SeedingTheScoreTable, IsNotForAFolderNamedOnTheCommandLine) {
    put(shipped, table());
    folders.userData = false;
    app::seedScoreTable(folders);
    EXPECT_FALSE(fs::exists(own));
}

TEST_F(SeedingTheScoreTable, AFolderThatCannotBeMadeIsLeftForLater) {
    put(shipped, table());
    put((tree.root / "user").string(), "in the way");
    folders.dataDir = (tree.root / "user/korvane/").string();
    app::seedScoreTable(folders);
    EXPECT_TRUE(fs::is_regular_file(tree.root / "user"));
}

}  // namespace
