// Files from outside: reading refuses folders, pipes and oversized files with
// the system's reason; writing replaces a file only once the new one is whole;
// a PNG header is checked before any decoding; and messages spell out what a
// terminal would otherwise act on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

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

TEST_F(Files, AWriteReplacesTheFileWholeOrLeavesTheOldOneAndNoLeftovers) {
    kvtest::put(dir / "shot.png", "old picture");
    std::string why;
    bool ok = writeFileSafely(
        path("shot.png"),
        [](const std::string& target, std::string& err) {
            std::ofstream(target) << "half a pic";
            err = "No space left on device";
            return false;
        },
        why);
    EXPECT_FALSE(ok);
    EXPECT_EQ(why, "No space left on device");
    EXPECT_EQ(kvtest::slurp(dir / "shot.png"), "old picture");
    EXPECT_FALSE(fs::exists(dir / "shot.png.tmp"));
    // A write that succeeds replaces the file whole.
    kvtest::put(dir / "dump.json", "old");
    ASSERT_TRUE(writeFileSafely(path("dump.json"), std::string("new"), why)) << why;
    EXPECT_EQ(kvtest::slurp(dir / "dump.json"), "new");
    EXPECT_FALSE(fs::exists(dir / "dump.json.tmp"));
}

TEST_F(Files, AFolderOrAMissingFolderIsNoPlaceForAFile) {
    std::string why;
    fs::create_directory(dir / "out");
    EXPECT_FALSE(writeFileSafely(path("out"), std::string("x"), why));
    EXPECT_EQ(why, "Is a directory");
    EXPECT_FALSE(fs::exists(dir / "out.tmp"));
    EXPECT_FALSE(writeFileSafely(path("nowhere/x.json"), std::string("x"), why));
    EXPECT_NE(why.find("does not exist"), std::string::npos) << why;
    // A folder in the way of the temporary file is the player's: it stays.
    fs::create_directory(dir / "d.json.tmp");
    EXPECT_FALSE(writeFileSafely(path("d.json"), std::string("x"), why));
    EXPECT_TRUE(fs::is_directory(dir / "d.json.tmp"));
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
