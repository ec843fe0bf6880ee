// Where the game reads and writes: beside itself when it is run from its build
// folder (or a copy unpacked anywhere), under <prefix>/share/korvane and the
// player's data directory when it is installed, and wherever the command line
// says. And the installed game's first copy of the score table.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/folders.h"
#include "app/options.h"
#include "support/case_names.h"
#include "support/scratch.h"

namespace fs = std::filesystem;
using namespace kv;

namespace {

// Folders laid out as each way of running the game leaves them.
struct FolderTree : kvtest::TempDir {
    FolderTree() {
        for (const char* program : {"build/bin", "prefix/share/korvane", "both/bin", "both/share/korvane"})
            fs::create_directories(dir / program / "Pictures");
        fs::create_directories(dir / "prefix/bin");
        fs::create_directories(dir / "lonely/bin");
    }
    // "{}" in a case stands for the tree's root.
    std::string at(const std::string& s) const {
        std::string out = s;
        if (auto p = out.find("{}"); p != std::string::npos) out.replace(p, 2, dir.string());
        return out;
    }
};

// appDir and dataDir: the folders found
struct FolderCase { const char *name, *exeDir, *appDirOption, *dataDirOption, *xdgDataHome, *home, *accountHome;
    const char *appDir, *dataDir; bool installed; };
class FindingTheFolders : public testing::TestWithParam<FolderCase> {};
TEST_P(FindingTheFolders, FromTheProgramsOwnPlaceTheCommandLineAndTheEnvironment) {
    const FolderCase& c = GetParam();
    FolderTree tree;
    app::Options opt;
    opt.appDir = tree.at(c.appDirOption);
    opt.dataDir = tree.at(c.dataDirOption);
    app::Folders f = app::findFolders(opt, tree.at(c.exeDir), app::UserDirs{c.xdgDataHome, c.home, c.accountHome},
                                      "../share/korvane");
    EXPECT_EQ(std::make_tuple(f.appDir, f.dataDir, f.installed),
              std::make_tuple(tree.at(c.appDir), tree.at(c.dataDir), c.installed));
}
INSTANTIATE_TEST_SUITE_P(Ways, FindingTheFolders, testing::Values(
        FolderCase{"BuildTreeKeepsEverythingBesideItself", "{}/build/bin/", "", "", "/x", "/h", "/acct", "{}/build/bin/",
                   "{}/build/bin/", false},
        FolderCase{"InstalledWritesToXdgDataHome", "{}/prefix/bin/", "", "", "/x", "/h", "/acct", "{}/prefix/share/korvane/",
                   "/x/korvane/", true},
        FolderCase{"InstalledWithoutXdgWritesUnderHome", "{}/prefix/bin/", "", "", "", "/h", "/acct", "{}/prefix/share/korvane/",
                   "/h/.local/share/korvane/", true},
        // Without HOME, the account's home as the system knows it; a relative
        // HOME is none. Without any home an installed game keeps nothing.
        FolderCase{"InstalledWithoutHomeTakesTheAccountsHome", "{}/prefix/bin/", "", "", "", "", "/acct",
                   "{}/prefix/share/korvane/", "/acct/.local/share/korvane/", true},
        FolderCase{"ARelativeHomeIsNoHome", "{}/prefix/bin/", "", "", "", "here", "/acct", "{}/prefix/share/korvane/",
                   "/acct/.local/share/korvane/", true},
        FolderCase{"InstalledWithNoHomeAtAllWritesNowhere", "{}/prefix/bin/", "", "", "", "", "",
                   "{}/prefix/share/korvane/", "", true},
        FolderCase{"DataDirOptionWinsOverTheUsersFolder", "{}/prefix/bin/", "", "{}/saves", "/x", "/h", "/acct",
                   "{}/prefix/share/korvane/", "{}/saves/", true},
        FolderCase{"AppDirOptionIsNoInstalledGame", "{}/prefix/bin/", "{}/build/bin", "", "/x", "/h", "/acct", "{}/build/bin/",
                   "{}/build/bin/", false},
        // The first picture then names the file it misses, in this folder.
        FolderCase{"NoProgramDirectoryAnywhere", "{}/lonely/bin/", "", "", "/x", "/h", "/acct", "{}/lonely/bin/",
                   "{}/lonely/bin/", false}),
    kvtest::CaseName{});

TEST(SeedingTheScoreTable, CopiesAGoodShippedTableIntoANewUserFolderAndNothingElse) {
    std::string table;
    for (int i = 1; i <= 12; ++i) table += "Pilot " + std::to_string(i) + ", " + std::to_string(13000 - 1000 * i) + " \r\n";
    // after: the user's table afterwards, "" for none
    struct Case { const char* what; std::string shipped, own; bool userData, blocked; std::string after; };
    for (const Case& c : std::vector<Case>{
             {"a new user folder gets the shipped table", table, "", true, false, table},
             {"the user's own table is never replaced", table, "mine", true, false, "mine"},
             {"a folder named on the command line is not seeded", table, "", false, false, ""},
             {"a folder that cannot be made is left for later", table, "", true, true, ""}}) {
        SCOPED_TRACE(c.what);
        kvtest::TempDir tree;
        app::Folders folders{tree / "share/korvane/", tree / "user/korvane/", true, c.userData};
        const std::string own = folders.dataDir + "Data/score.dat";
        kvtest::put(folders.appDir + "Data/score.dat", c.shipped);
        if (!c.own.empty()) kvtest::put(own, c.own);
        if (c.blocked) kvtest::put(tree / "user", "in the way");
        app::seedScoreTable(folders);
        std::error_code ec;
        EXPECT_EQ(fs::exists(own, ec) ? kvtest::slurp(own) : "", c.after);
    }
}

}  // namespace
