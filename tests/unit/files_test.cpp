// Files from outside: reading refuses folders, pipes and oversized files with
// the system's reason; writing replaces a file only once the new one is whole,
// refuses what is not a file and writes through links;
// a PNG header is checked before any decoding; and messages spell out what a
// terminal would otherwise act on.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>

#include "runtime/file_io.h"
#include "runtime/png_header.h"
#include "runtime/printable.h"
#include "support/scratch.h"
#include "support/case_names.h"

namespace fs = std::filesystem;
using namespace kv;

namespace {

struct Files : ::testing::Test, kvtest::TempDir {};

// Lays out a scratch folder: "name = bytes" a file, "name/" a folder, "name |"
// a named pipe, "name @" a device like /dev/null, "name -> where" a link.
void lay(const fs::path& dir, const std::vector<std::string>& things) {
    for (const std::string& t : things) {
        const std::size_t sp = t.find(' ');
        const fs::path at = dir / t.substr(0, sp);
        const std::string rest = sp == std::string::npos ? "" : t.substr(sp + 1);
        if (t.back() == '/') fs::create_directories(at);
        else if (rest == "|") ::mkfifo(at.c_str(), 0600);
        else if (rest == "@") ::mknod(at.c_str(), S_IFCHR | 0666, makedev(1, 3));
        else if (rest.rfind("-> ", 0) == 0) fs::create_symlink(rest.substr(3), at);
        else kvtest::put(at, rest.substr(2));
    }
}

TEST_F(Files, ReadingSaysWhyInTheSystemsWords) {
    lay(dir, {"folder/", "pipe |", "big = " + std::string(2000, 'x')});   // the pipe is never opened: it would wait
    using Status = FileBytes::Status;
    for (auto [name, says, status] : {std::tuple{"missing", "No such file or directory", Status::Missing},
                                      {"folder", "Is a directory", Status::Unreadable},
                                      {"pipe", "named pipe", Status::Unreadable},
                                      {"big", "too large", Status::TooLarge}}) {
        std::vector<std::uint8_t> bytes;
        std::string why;
        EXPECT_FALSE(readFileBytes(*this / name, 1000, bytes, why)) << name;
        EXPECT_NE(why.find(says), std::string::npos) << why;
        EXPECT_EQ(readDataFile(*this / name, 1000).status, status) << name;
    }
}

// What a folder holds, links shown as "name -> where" and files with their bytes.
std::vector<std::string> listing(const fs::path& dir) {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        const fs::path rel = e.path().lexically_relative(dir);
        if (e.is_symlink()) out.push_back(rel.string() + " -> " + fs::read_symlink(e.path()).string());
        else if (e.is_regular_file()) out.push_back(rel.string() + " = " + kvtest::slurp(e.path()));
        else if (!e.is_directory()) out.push_back(rel.string() + " (special)");
    }
    std::sort(out.begin(), out.end());
    return out;
}

// A write that fails half-way (the file-size limit stands in for a full
// disk) leaves the old file whole and nothing beside it; one that succeeds
// replaces it whole, keeping who may read it.
TEST_F(Files, AWriteReplacesTheFileWholeOrLeavesTheOldOneAndNoLeftovers) {
    lay(dir, {"save.kvs = old game"});
    fs::permissions(dir / "save.kvs", fs::perms(0640));
    std::string why;
    struct rlimit was {};
    ::getrlimit(RLIMIT_FSIZE, &was);
    struct rlimit small {4, was.rlim_max};
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_FALSE(writeFileSafely(*this / "save.kvs", "a new game", why));
    ::setrlimit(RLIMIT_FSIZE, &was);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(why, "File too large");
    EXPECT_EQ(listing(dir), std::vector<std::string>{"save.kvs = old game"});
    ASSERT_TRUE(writeFileSafely(*this / "save.kvs", "a new game", why)) << why;
    EXPECT_EQ(listing(dir), std::vector<std::string>{"save.kvs = a new game"});
    EXPECT_EQ(fs::status(dir / "save.kvs").permissions(), fs::perms(0640));
}

struct WriteCase {
    const char* name;
    std::vector<std::string> there;   // what stands in the folder first
    std::string target;
    const char* says;                 // why it is refused; empty: written
    std::vector<std::string> after;   // the folder's listing after "new" is written
};
// Anything but a regular file in a folder that exists is refused with the
// reason before anything is opened (a pipe would hang the write), and nothing
// is left behind. A link is written through to the file it names and stays a
// link; the temporary file is made beside that file, never through a link.
class Writing : public ::testing::TestWithParam<WriteCase> {};
TEST_P(Writing, RefusesAnythingButAFileAndWritesThroughLinks) {
    kvtest::TempDir scratch;
    const WriteCase& c = GetParam();
    lay(scratch.dir, c.there);
    const std::string target = scratch / c.target;
    if (std::string(c.says) == "Is a device" && !fs::exists(target)) GTEST_SKIP() << "only root makes a device";
    const std::vector<std::string> before = listing(scratch.dir);
    std::string why;
    if (!*c.says) {
        ASSERT_TRUE(writeFileSafely(target, "new", why)) << why;
        EXPECT_EQ(listing(scratch.dir), c.after);
        return;
    }
    EXPECT_FALSE(checkWritablePath(target, why));
    EXPECT_NE(why.find(c.says), std::string::npos) << why;
    EXPECT_FALSE(writeFileSafely(target, "x", why));
    EXPECT_NE(why.find(c.says), std::string::npos) << why;
    EXPECT_EQ(listing(scratch.dir), before);
}
INSTANTIATE_TEST_SUITE_P(
    Targets, Writing,
    ::testing::Values(
        WriteCase{"AFolder", {"out/"}, "out", "Is a directory", {}},
        WriteCase{"ALinkToAPipe", {"p |", "save.kvs -> p"}, "save.kvs", "named pipe", {}},
        // A device of its own: a writer gone wrong must not replace the machine's /dev/null.
        WriteCase{"ADevice", {"null @"}, "null", "Is a device", {}},
        WriteCase{"AMissingFolder", {}, "nowhere/x.json", "does not exist", {}},
        WriteCase{"ALinkIntoAMissingFolder", {"save.kvs -> gone/x"}, "save.kvs", "does not exist", {}},
        WriteCase{"ALinkToAFileInAnotherFolder", {"b/real.kvs = old", "a/", "a/save.kvs -> ../b/real.kvs"},
                  "a/save.kvs", "", {"a/save.kvs -> ../b/real.kvs", "b/real.kvs = new"}},
        WriteCase{"ADanglingLinkMakesTheFileItNames", {"save.kvs -> made.kvs"}, "save.kvs", "",
                  {"made.kvs = new", "save.kvs -> made.kvs"}},
        // Links laid where earlier writers put their temporary files catch nothing.
        WriteCase{"TrapsAtTemporaryNames",
                  {"victim = safe", "save.kvs.tmp -> victim", ".save.kvs.tmp -> victim", "save.kvs~ -> victim"},
                  "save.kvs", "",
                  {".save.kvs.tmp -> victim", "save.kvs = new", "save.kvs.tmp -> victim", "save.kvs~ -> victim",
                   "victim = safe"}}),
    kvtest::CaseName());

// Games sharing a file take turns: a second holder waits and, when the first
// does not let go in time, gives up with a reason; a pipe is no lock file.
TEST_F(Files, ALockIsHeldByOneHolderAtATime) {
    FileLock first, second;
    std::string why;
    ASSERT_TRUE(first.acquire(*this / "t.lock", 0, why)) << why;
    EXPECT_FALSE(second.acquire(*this / "t.lock", 30, why));
    EXPECT_NE(why.find("Another game has held the lock file"), std::string::npos) << why;
    first.release();
    EXPECT_TRUE(second.acquire(*this / "t.lock", 0, why)) << why;
    lay(dir, {"pipe.lock |"});
    EXPECT_FALSE(first.acquire(*this / "pipe.lock", 1000, why));
    EXPECT_NE(why.find("named pipe"), std::string::npos) << why;
}

// A PNG's first bytes, cut to a length: the signature and a header chunk (the CRC is not read).
std::vector<std::uint8_t> pngStart(std::uint32_t w, std::uint32_t h, std::uint8_t depth = 8, std::uint8_t colour = 6,
                                   std::size_t length = 33) {
    std::vector<std::uint8_t> b{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (std::uint32_t v : {w, h})
        for (int s = 24; s >= 0; s -= 8) b.push_back(std::uint8_t(v >> s));
    b.insert(b.end(), {depth, colour, 0, 0, 0, 0, 0, 0, 0});
    b.resize(length);
    return b;
}
// A header is checked before any decoding: only a sensible picture is taken.
TEST(PngHeader, AcceptsOnlyASensiblePicture) {
    for (auto [bytes, says] : {std::pair{pngStart(kLargestPictureSide, kLargestPictureSide, 16, 2), ""},
                               {pngStart(kLargestPictureSide + 1, 1), "at most 2048"},
                               {pngStart(0, 600), "no size"},
                               {pngStart(10, 10, 7, 6), "colour type"},
                               {std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a'}, "not a PNG"},
                               {pngStart(10, 10, 8, 6, 20), "header chunk"}}) {
        PngHeader h;
        std::string why;
        EXPECT_EQ(readPngHeader(bytes, h, why), !*says) << why;
        EXPECT_NE(why.find(says), std::string::npos) << why;
    }
}

// Messages spell out what a terminal would act on, and keep what it shows as it is.
TEST(Printable, SpellsOutWhatATerminalWouldActOn) {
    for (auto [raw, shown] : {std::pair{"Gr\xc3\xbc\xc3\x9f", "Gr\xc3\xbc\xc3\x9f"}, {"\x7f", "\\x7f"},
                              {"\xc2\x9b" "1m", "\\xc2\\x9b1m"}, {"\xc0\xaf", "\\xc0\\xaf"}})
        EXPECT_EQ(printable(raw), shown);
}

}  // namespace
