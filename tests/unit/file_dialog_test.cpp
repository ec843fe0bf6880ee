// The open and save dialogs and the file helpers underneath them: the listing,
// the answer a name resolves to, the keyboard, a data file's folder. (Scripts
// answer the dialog in the pause dialog's and the menu's scenarios; clicks on
// it are not tested.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "runtime/box.h"
#include "runtime/file_dialog.h"
#include "runtime/file_io.h"
#include "runtime/keys.h"
#include "support/scratch.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {

// A folder of saves: two games, a note, a hidden file and two subfolders.
struct SaveFolder : kvtest::TempDir {
    SaveFolder() {
        fs::create_directories(dir / "Archive");
        for (const char* f : {"zeta.kvs", "Alpha.KVS", "notes.txt", ".hidden.kvs", "old saves/first.kvs"})
            kvtest::put(dir / f, "x");
    }
};

FileDialogOptions saveOptions(const std::string& folder) {
    return FileDialogOptions{true, "Save Game...", "myGame.kvs", "Korvane Save Files", "*.kvs", "kvs", folder, {}};
}

std::vector<std::string> names(const FileBrowser& b) {
    std::vector<std::string> out;
    for (const auto& e : b.entries()) out.push_back(e.folder ? "[" + e.name + "]" : e.name);
    return out;
}

// A save dialog opened on the folder of saves.
struct Dialog : testing::Test {
    SaveFolder f;
    FileBrowser b{saveOptions(f.path())};
    Box box;
};

TEST_F(Dialog, ListsFoldersFirstThenTheMatchingFilesWithoutHiddenOnes) {
    EXPECT_EQ(names(b), (std::vector<std::string>{"[..]", "[Archive]", "[old saves]", "Alpha.KVS", "zeta.kvs"}));
    EXPECT_EQ(b.name(), "myGame.kvs");
    EXPECT_EQ(names(FileBrowser(saveOptions("/no/such/folder"))), (std::vector<std::string>{"[..]"}));   // unreadable
}

TEST_F(Dialog, ATypedNameGivesTheFullPathWithTheExtensionWhenItHasNone) {
    for (auto [typed, want] : {std::pair<std::string, std::string>{"game", f.path() + "game.kvs"},
                               {"game.sav", f.path() + "game.sav"},
                               {"  my game  ", f.path() + "my game.kvs"},
                               {"/tmp/elsewhere/g", "/tmp/elsewhere/g.kvs"}})
        EXPECT_EQ(b.resolve(typed), want);
}

TEST_F(Dialog, TypingReplacesTheInitialNameAndEnterAnswers) {
    b.text("Le");
    b.text("vel 3");
    b.key(vk::Back, box);
    EXPECT_EQ(b.name(), "Level ");
    b.text("4");
    b.key(vk::Return, box);
    EXPECT_EQ(box.answer, BoxAnswer::OK);
    EXPECT_EQ(b.resolve(box.input), f.path() + "Level 4.kvs");
}

TEST_F(Dialog, ArrowsChooseAFileAndEnterOpensAFolder) {
    b.key(vk::End, box);   // nothing: the name field has the focus
    for (int i = 0; i < 3; ++i) b.key(vk::Down, box);   // [..], [Archive], [old saves]
    b.key(vk::Return, box);
    EXPECT_EQ(box.answer, BoxAnswer::None);
    EXPECT_EQ(names(b), (std::vector<std::string>{"[..]", "first.kvs"}));
    for (int i = 0; i < 2; ++i) b.key(vk::Down, box);   // first.kvs into the name field
    EXPECT_EQ(b.name(), "first.kvs");
    b.key(vk::Back, box);  // in the list, Backspace goes up a folder
    EXPECT_EQ(b.folder(), f.path());
    b.key(vk::Escape, box);
    EXPECT_EQ(box.answer, BoxAnswer::Cancel);
}

TEST_F(Dialog, APatternTypedFiltersAndAFolderNameOpensIt) {
    // As a script's "file *.txt" answers it: a filter, never a file of that name.
    b.choose("*.txt", box);
    EXPECT_EQ(box.answer, BoxAnswer::None);
    EXPECT_EQ(names(b), (std::vector<std::string>{"[..]", "[Archive]", "[old saves]", "notes.txt"}));
    b.text("Archive");
    b.key(vk::Return, box);
    EXPECT_EQ(box.answer, BoxAnswer::None);
    EXPECT_EQ(b.folder(), f.path() + "Archive/");
}

TEST_F(Dialog, ANameChosenBeforeOpensItsFolderAgain) {
    FileDialogOptions o = saveOptions("/");
    o.fileName = f.path() + "old saves/first.kvs";
    FileBrowser again(o);
    EXPECT_EQ(std::pair(again.folder(), again.name()), std::pair(f.path() + "old saves/", std::string("first.kvs")));
}

TEST(FileDialog, AHugeFolderListsItsFirstEntriesByNameAndSaysHowManyThereAre) {
    kvtest::TempDir d;
    for (int i = 0; i < 5010; ++i) std::ofstream(d.dir / (std::to_string(10000 + i) + ".kvs"));
    FileBrowser b(saveOptions(d.path()));
    ASSERT_EQ(b.entries().size(), FileBrowser::kMostEntries);
    EXPECT_EQ(b.entries()[1].name, "10000.kvs");
    EXPECT_EQ(b.entries().back().name, "14998.kvs");
    EXPECT_EQ(b.entriesInFolder(), 5011u);   // with ".."
}

TEST_F(Dialog, ADataFileMakesItsFolderOrSaysWhatStandsInTheWay) {
    std::string target = f.path() + "deep/er/table.dat", error;
    ASSERT_TRUE(writeDataFile(target, "first", error)) << error;
    EXPECT_EQ(readDataFile(target, 100).bytes, "first");
    // A data folder that is a link to nowhere: that, not "File exists".
    fs::create_symlink(f.path() + "gone", f.path() + "korvane");
    EXPECT_FALSE(writeDataFile(f.path() + "korvane/Data/score.dat", "x", error));
    EXPECT_EQ(error, "Cannot make the folder " + f.path() + "korvane/Data: " + f.path() + "korvane is a link to " +
                         f.path() + "gone, which does not exist");
}

}  // namespace
