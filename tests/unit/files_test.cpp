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
struct Files : ::testing::Test, kvtest::TempDir {
    std::string path(const std::string& name) const { return *this / name; }
};
}  // namespace

TEST_F(Files, ReadingSaysWhyInTheSystemsWords) {
    std::vector<std::uint8_t> bytes;
    std::string why;
    fs::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    kvtest::put(dir / "big", std::string(2000, 'x'));
    kvtest::put(dir / "ok", "abc");
    EXPECT_FALSE(readFileBytes(path("missing"), 1000, bytes, why));
    EXPECT_EQ(why, "No such file or directory");
    EXPECT_FALSE(readFileBytes(path("folder"), 1000, bytes, why));
    EXPECT_EQ(why, "Is a directory");
    // Never opened: an open would wait for a writer.
    EXPECT_FALSE(readFileBytes(path("pipe"), 1000, bytes, why));
    EXPECT_NE(why.find("named pipe"), std::string::npos) << why;
    EXPECT_FALSE(readFileBytes(path("big"), 1000, bytes, why));
    EXPECT_NE(why.find("too large"), std::string::npos) << why;
    ASSERT_TRUE(readFileBytes(path("ok"), 1000, bytes, why)) << why;
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'a', 'b', 'c'}));
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
    kvtest::put(dir / "save.kvs", "old game");
    fs::permissions(dir / "save.kvs", fs::perms(0640));
    std::string why;
    {
        struct rlimit was {};
        ::getrlimit(RLIMIT_FSIZE, &was);
        struct rlimit small = was;
        small.rlim_cur = 4;
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &small);
        EXPECT_FALSE(writeFileSafely(path("save.kvs"), "a new game", why));
        ::setrlimit(RLIMIT_FSIZE, &was);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_EQ(why, "File too large");
    }
    EXPECT_EQ(listing(dir), std::vector<std::string>{"save.kvs = old game"});
    ASSERT_TRUE(writeFileSafely(path("save.kvs"), "a new game", why)) << why;
    EXPECT_EQ(listing(dir), std::vector<std::string>{"save.kvs = a new game"});
    EXPECT_EQ(fs::status(dir / "save.kvs").permissions(), fs::perms(0640));
}

namespace {
struct Refusal {
    const char* name;
    std::function<void(const fs::path& dir)> lay;   // what stands there first
    std::string target;                             // in the scratch folder, or absolute
    const char* says;
};
}  // namespace

// Refused with the reason before anything is opened: a pipe would hang the
// write, and nothing is left behind.
class TheWriterRefuses : public ::testing::TestWithParam<Refusal> {};
TEST_P(TheWriterRefuses, AnythingButARegularFileInAFolderThatExists) {
    kvtest::TempDir scratch;
    const Refusal& c = GetParam();
    if (c.lay) c.lay(scratch.dir);
    const std::string target = c.target[0] == '/' ? c.target : scratch / c.target;
    if (std::string(c.says) == "Is a device" && !fs::exists(target)) GTEST_SKIP() << "only root makes a device";
    const std::vector<std::string> before = listing(scratch.dir);
    std::string why;
    EXPECT_FALSE(checkWritablePath(target, why));
    EXPECT_NE(why.find(c.says), std::string::npos) << why;
    EXPECT_FALSE(writeFileSafely(target, "x", why));
    EXPECT_NE(why.find(c.says), std::string::npos) << why;
    EXPECT_EQ(listing(scratch.dir), before);
}
INSTANTIATE_TEST_SUITE_P(
    Targets, TheWriterRefuses,
    ::testing::Values(
        Refusal{"AFolder", [](const fs::path& d) { fs::create_directory(d / "out"); }, "out", "Is a directory"},
        Refusal{"ANamedPipe", [](const fs::path& d) { ::mkfifo((d / "p").c_str(), 0600); }, "p", "named pipe"},
        Refusal{"ALinkToAPipe",
                [](const fs::path& d) {
                    ::mkfifo((d / "p").c_str(), 0600);
                    fs::create_symlink("p", d / "save.kvs");
                },
                "save.kvs", "named pipe"},
        // A device of its own (root may make one): a writer gone wrong must not
        // replace the machine's /dev/null.
        Refusal{"ADevice", [](const fs::path& d) { ::mknod((d / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)); },
                "null", "Is a device"},
        Refusal{"AMissingFolder", nullptr, "nowhere/x.json", "does not exist"},
        Refusal{"ALinkIntoAMissingFolder", [](const fs::path& d) { fs::create_symlink("gone/x", d / "save.kvs"); },
                "save.kvs", "does not exist"},
        Refusal{"ALoopOfLinks",
                [](const fs::path& d) {
                    fs::create_symlink("b", d / "a");
                    fs::create_symlink("a", d / "b");
                },
                "a", "Too many levels of symbolic links"},
        Refusal{"ANameTooLong", nullptr, std::string(300, 'n') + ".kvs", "File name too long"}),
    kvtest::CaseName());

namespace {
struct LinkCase {
    const char* name;
    std::function<void(const fs::path& dir)> lay;
    const char* target;
    std::vector<std::string> after;   // the scratch folder's listing after "new" is written
};
}  // namespace

// A link is written through to the file it names and stays a link; the
// temporary file is made beside that file, never through a link.
class WritingThroughLinks : public ::testing::TestWithParam<LinkCase> {};
TEST_P(WritingThroughLinks, ReplacesTheFileTheLinkNames) {
    kvtest::TempDir scratch;
    GetParam().lay(scratch.dir);
    std::string why;
    ASSERT_TRUE(writeFileSafely(scratch / GetParam().target, "new", why)) << why;
    EXPECT_EQ(listing(scratch.dir), GetParam().after);
}
INSTANTIATE_TEST_SUITE_P(
    Links, WritingThroughLinks,
    ::testing::Values(
        LinkCase{"ToAFileInAnotherFolder",
                 [](const fs::path& d) {
                     kvtest::put(d / "b/real.kvs", "old");
                     fs::create_directory(d / "a");
                     fs::create_symlink("../b/real.kvs", d / "a/save.kvs");
                 },
                 "a/save.kvs", {"a/save.kvs -> ../b/real.kvs", "b/real.kvs = new"}},
        LinkCase{"DanglingMakesTheFileItNames",
                 [](const fs::path& d) { fs::create_symlink("made.kvs", d / "save.kvs"); },
                 "save.kvs", {"made.kvs = new", "save.kvs -> made.kvs"}},
        // Links laid where earlier writers put their temporary files catch nothing.
        LinkCase{"TrapsAtTemporaryNames",
                 [](const fs::path& d) {
                     kvtest::put(d / "victim", "safe");
                     for (const char* trap : {"save.kvs.tmp", ".save.kvs.tmp", "save.kvs~"})
                         fs::create_symlink("victim", d / trap);
                 },
                 "save.kvs",
                 {".save.kvs.tmp -> victim", "save.kvs = new", "save.kvs.tmp -> victim", "save.kvs~ -> victim",
                  "victim = safe"}}),
    kvtest::CaseName());

// Games sharing a file take turns: a second holder waits and, when the first
// does not let go in time, gives up with a reason; a pipe is no lock file.
TEST_F(Files, ALockIsHeldByOneHolderAtATime) {
    FileLock first, second;
    std::string why;
    ASSERT_TRUE(first.acquire(path("t.lock"), 0, why)) << why;
    EXPECT_FALSE(second.acquire(path("t.lock"), 30, why));
    EXPECT_NE(why.find("Another game has held the lock file"), std::string::npos) << why;
    first.release();
    EXPECT_TRUE(second.acquire(path("t.lock"), 0, why)) << why;
    ASSERT_EQ(::mkfifo(path("pipe.lock").c_str(), 0600), 0);
    EXPECT_FALSE(first.acquire(path("pipe.lock"), 1000, why));
    EXPECT_NE(why.find("named pipe"), std::string::npos) << why;
}

namespace {

// A PNG's first bytes: the signature and a header chunk (the CRC is not read).
std::vector<std::uint8_t> pngStart(std::uint32_t w, std::uint32_t h, std::uint8_t depth = 8, std::uint8_t colour = 6) {
    std::vector<std::uint8_t> b{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (std::uint32_t v : {w, h})
        for (int s = 24; s >= 0; s -= 8) b.push_back(std::uint8_t(v >> s));
    for (std::uint8_t v : {depth, colour, std::uint8_t(0), std::uint8_t(0), std::uint8_t(0), std::uint8_t(0),
                           std::uint8_t(0), std::uint8_t(0), std::uint8_t(0)})
        b.push_back(v);
    return b;
}

struct HeaderCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* says;   // empty: accepted
};

}  // namespace

class PngHeaderCheck : public ::testing::TestWithParam<HeaderCase> {};
TEST_P(PngHeaderCheck, AcceptsOnlyASensiblePicture) {
    PngHeader h;
    std::string why;
    bool ok = readPngHeader(GetParam().bytes, h, why);
    if (std::string(GetParam().says).empty()) {
        EXPECT_TRUE(ok) << why;
    } else {
        EXPECT_FALSE(ok);
        EXPECT_NE(why.find(GetParam().says), std::string::npos) << why;
    }
}
INSTANTIATE_TEST_SUITE_P(
    Headers, PngHeaderCheck,
    ::testing::Values(HeaderCase{"TheGamesLargest", pngStart(800, 600), ""},
                      HeaderCase{"AtTheCap", pngStart(kLargestPictureSide, kLargestPictureSide, 16, 2), ""},
                      HeaderCase{"Huge", pngStart(16000, 16000), "16000 x 16000"},
                      HeaderCase{"OneSideTooLong", pngStart(kLargestPictureSide + 1, 1), "at most 2048"},
                      HeaderCase{"NoPixels", pngStart(0, 600), "no size"},
                      HeaderCase{"ImpossibleDepth", pngStart(10, 10, 7, 6), "colour type"},
                      HeaderCase{"UnknownColourType", pngStart(10, 10, 8, 5), "colour type"},
                      HeaderCase{"NotAPng", std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a'}, "not a PNG"},
                      HeaderCase{"Empty", std::vector<std::uint8_t>{}, "not a PNG"},
                      HeaderCase{"CutInItsHeader",
                                 [] {
                                     auto b = pngStart(10, 10);
                                     b.resize(20);
                                     return b;
                                 }(),
                                 "header chunk"}),
    kvtest::CaseName());

struct Shown {
    const char* name;
    std::string raw, shown;
};
class Printable : public ::testing::TestWithParam<Shown> {};
TEST_P(Printable, SpellsOutWhatATerminalWouldActOn) { EXPECT_EQ(printable(GetParam().raw), GetParam().shown); }
INSTANTIATE_TEST_SUITE_P(
    Text, Printable,
    ::testing::Values(Shown{"Plain", "10 key 37", "10 key 37"}, Shown{"Accented", "Gr\xc3\xbc\xc3\x9f", "Gr\xc3\xbc\xc3\x9f"},
                      Shown{"Nul", std::string("a\0b", 3), "a\\x00b"}, Shown{"Escape", "\x1b[2J", "\\x1b[2J"},
                      Shown{"Delete", "\x7f", "\\x7f"}, Shown{"Newline", "a\nb", "a\\x0ab"},
                      Shown{"C1Control", "\xc2\x9b" "1m", "\\xc2\\x9b1m"}, Shown{"BrokenUtf8", "\xff\xc3", "\\xff\\xc3"},
                      Shown{"Overlong", "\xc0\xaf", "\\xc0\\xaf"}),
    kvtest::CaseName());
