// The WAV reader: byte searches for "fmt" and "data", the record 8 bytes after
// the tag, the length check, and never a read past the end.
#include <gtest/gtest.h>

#include "media/wav_reader.h"
#include "support/wav_bytes.h"
#include "support/case_names.h"

using namespace kv;
using kvtest::WavBuilder;

// Files it reads: the format is the record 8 bytes after the first "fmt",
// and the sound follows the first "data" after that, its chunk sizes unread.
TEST(WavReader, FindsTheFormatAndTheSoundByTheirTags) {
    WavBuilder sneaky;   // a comment that happens to say "fmt": the game always read the record from it
    sneaky.riff().text("LIST").u32(24).text("fmtX").u32(0).u16(1).u16(2).u32(11025).u32(44100).u16(4).u16(16);
    sneaky.fmt(1, 22050).data(4, 4);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::size_t fmtAt;
        int channels;
        std::uint32_t rate, length;
    };
    const auto listFirst = WavBuilder().riff().text("LIST").u32(10).text("INFOISFT").u16(0).fmt(2, 44100).data(8, 8);
    const auto dataFirst = WavBuilder().riff().text("data").u32(2).u16(0).fmt().data(6, 6);
    const auto longFormat =
        WavBuilder().riff().text("fmt ").u32(18).u16(1).u16(1).u32(8000).u32(16000).u16(2).u16(16).u16(0).data(10, 10);
    for (const Case& c : std::vector<Case>{{"a plain file", kvtest::plainWav(200), 12, 1, 22050, 200},
                                           {"after a LIST chunk", listFirst.bytes, 30, 2, 44100, 8},
                                           {"fmt inside an earlier chunk", sneaky.bytes, 20, 2, 11025, 4},
                                           {"data before the format", dataFirst.bytes, 22, 1, 22050, 6},
                                           {"an 18-byte format chunk", longFormat.bytes, 12, 1, 8000, 10}}) {
        SCOPED_TRACE(c.what);
        WavSample s;
        std::string err;
        ASSERT_TRUE(readWav(c.bytes, s, err)) << err;
        EXPECT_EQ(s.fmtAt, c.fmtAt);
        EXPECT_EQ(s.format.channels, c.channels);
        EXPECT_EQ(s.format.samplesPerSec, c.rate);
        EXPECT_EQ(s.dataLength, c.length);
        EXPECT_EQ(s.dataOffset + s.dataLength, c.bytes.size());
    }
}

struct BadImage {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* says;   // words the message must contain
};

class WavReaderRefuses : public ::testing::TestWithParam<BadImage> {};

TEST_P(WavReaderRefuses, WithAReason) {
    WavSample s;
    std::string err;
    EXPECT_FALSE(readWav(GetParam().bytes, s, err));
    EXPECT_NE(err.find(GetParam().says), std::string::npos) << err;
}

INSTANTIATE_TEST_SUITE_P(
    Images, WavReaderRefuses,
    ::testing::Values(
        BadImage{"Empty", {}, "empty"},
        BadImage{"NoTags", WavBuilder().text("just some text, nothing more").bytes, "\"fmt\""},
        BadImage{"NoData", WavBuilder().riff().fmt().text("dat").raw(20, 1).bytes, "\"data\""},
        BadImage{"DataOnlyBeforeFmt", WavBuilder().riff().data(4, 4).fmt().bytes, "\"data\""},
        BadImage{"EndsInsideTheRecord", WavBuilder().riff().text("fmt ").u32(16).u16(1).u16(1).bytes, "format record"},
        BadImage{"EndsInsideTheLength", WavBuilder().riff().fmt().text("data").u16(8).bytes, "data length"},
        BadImage{"LengthPastTheEnd", WavBuilder().riff().fmt().data(1000, 10).bytes, "only 10 follow"},
        BadImage{"HugeLength", WavBuilder().riff().fmt().data(0xFFFFFFFFu, 4).bytes, "only 4 follow"}),
    kvtest::CaseName());

TEST(WavReader, EveryTruncationIsRefusedOrReadWithinTheBytes) {
    auto whole = WavBuilder().riff().text("LIST").u32(4).text("INFO").fmt(2, 44100).data(64, 64).bytes;
    for (std::size_t n = 0; n <= whole.size(); ++n) {
        std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(n));
        WavSample s;
        std::string err;
        if (readWav(cut, s, err)) {
            EXPECT_EQ(n, whole.size());
            EXPECT_LE(s.dataOffset + s.dataLength, cut.size());
        } else {
            EXPECT_FALSE(err.empty());
        }
    }
}

struct FormatCase {
    const char* name;
    WaveFormat f;
    bool playable;
};

class PlayableFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PlayableFormat, OnlySensiblePcm) {
    std::string err;
    EXPECT_EQ(playableFormat(GetParam().f, err), GetParam().playable) << err;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PlayableFormat,
    ::testing::Values(FormatCase{"Mono16", {1, 1, 22050, 44100, 2, 16}, true},
                      FormatCase{"Stereo8", {1, 2, 11025, 22050, 2, 8}, true},
                      FormatCase{"ZeroChannels", {1, 0, 22050, 0, 0, 16}, false},
                      FormatCase{"NineChannels", {1, 9, 22050, 0, 18, 16}, false},
                      FormatCase{"Compressed", {2, 1, 22050, 11100, 256, 4}, false},
                      FormatCase{"TwelveBits", {1, 1, 22050, 44100, 2, 12}, false},
                      FormatCase{"ZeroRate", {1, 1, 0, 0, 2, 16}, false},
                      FormatCase{"AbsurdRate", {1, 1, 4000000000u, 0, 2, 16}, false},
                      FormatCase{"WrongBlock", {1, 2, 22050, 88200, 2, 16}, false}),
    kvtest::CaseName());

TEST(WavReader, TheCanonicalImageKeepsWholeFramesOnly) {
    // 7 bytes of stereo 16-bit sound is one whole frame and three stray bytes.
    auto b = WavBuilder().riff().text("LIST").u32(0).fmt(2, 44100).data(7, 7, 0x11).bytes;
    WavSample s;
    std::string err;
    ASSERT_TRUE(readWav(b, s, err));
    auto c = canonicalWav(b, s);
    ASSERT_EQ(c.size(), 44u + 4u);
    WavSample again;
    ASSERT_TRUE(readWav(c, again, err));
    EXPECT_EQ(again.fmtAt, 12u);
    EXPECT_EQ(again.dataLength, 4u);
    EXPECT_EQ(again.format.channels, 2);
    EXPECT_EQ(again.format.avgBytesPerSec, 44100u * 4u);
    EXPECT_EQ(c.back(), 0x11);
}
