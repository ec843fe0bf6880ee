// The WAV reader: byte searches for "fmt" and "data", the record 8 bytes after
// the tag, the length check, and never a read past the end.
#include <gtest/gtest.h>

#include "media/wav_reader.h"
#include "support/case_names.h"
#include "support/wav_bytes.h"

using namespace kv;
using kvtest::WavBuilder;

namespace {

// The format is the record 8 bytes after the first "fmt", and the sound
// follows the first "data" after that, its chunk sizes unread.
struct GoodImage { const char* name; std::vector<std::uint8_t> bytes;
    std::size_t fmtAt; int channels; std::uint32_t rate, length; };
class WavReaderReads : public testing::TestWithParam<GoodImage> {};
TEST_P(WavReaderReads, TheFirstTagsWhereverTheyAre) {
    const GoodImage& c = GetParam();
    WavSample s;
    std::string err;
    ASSERT_TRUE(readWav(c.bytes, s, err)) << err;
    EXPECT_EQ(s.fmtAt, c.fmtAt);
    EXPECT_EQ(s.format.channels, c.channels);
    EXPECT_EQ(s.format.samplesPerSec, c.rate);
    EXPECT_EQ(s.dataLength, c.length);
    EXPECT_EQ(s.dataOffset + s.dataLength, c.bytes.size());
}
INSTANTIATE_TEST_SUITE_P(Images, WavReaderReads, testing::Values(
        GoodImage{"Plain", kvtest::plainWav(200), 12, 1, 22050, 200},
        GoodImage{"AfterAListChunk",
                  WavBuilder().riff().text("LIST").u32(10).text("INFOISFT").u16(0).fmt(2, 44100).data(8, 8).bytes, 30,
                  2, 44100, 8},
        // A comment that happens to say "fmt": the record is read from it.
        GoodImage{"FmtInsideAnEarlierChunk",
                  WavBuilder().riff().text("LIST").u32(24).text("fmtX").u32(0).u16(1).u16(2).u32(11025).u32(44100)
                      .u16(4).u16(16).fmt(1, 22050).data(4, 4).bytes,
                  20, 2, 11025, 4},
        GoodImage{"DataBeforeTheFormat", WavBuilder().riff().text("data").u32(2).u16(0).fmt().data(6, 6).bytes, 22, 1,
                  22050, 6},
        GoodImage{"ChannelsPastOneByte", WavBuilder().riff().fmt(258, 8000).data(4, 4).bytes, 12, 258, 8000, 4},
        GoodImage{"NoSoundAtTheVeryEnd", WavBuilder().riff().fmt().data(0, 0).bytes, 12, 1, 22050, 0}),
    kvtest::CaseName());

// says: words the message must contain
struct BadImage { const char* name; std::vector<std::uint8_t> bytes; const char* says; };
class WavReaderRefuses : public testing::TestWithParam<BadImage> {};
TEST_P(WavReaderRefuses, WithAReason) {
    WavSample s;
    std::string err;
    EXPECT_FALSE(readWav(GetParam().bytes, s, err));
    EXPECT_NE(err.find(GetParam().says), std::string::npos) << err;
}
INSTANTIATE_TEST_SUITE_P(Images, WavReaderRefuses, testing::Values(
        BadImage{"Empty", {}, "empty"},
        BadImage{"NoTags", WavBuilder().text("just some text, nothing more").bytes, "\"fmt\""},
        BadImage{"NoData", WavBuilder().riff().fmt().text("dat").raw(20, 1).bytes, "\"data\""},
        BadImage{"DataOnlyBeforeFmt", WavBuilder().riff().data(4, 4).fmt().bytes, "\"data\""},
        BadImage{"EndsInsideTheRecord", WavBuilder().riff().text("fmt ").u32(16).u16(1).u16(1).bytes, "format record"},
        BadImage{"EndsInsideTheLength", WavBuilder().riff().fmt().text("data").u16(8).bytes, "data length"},
        BadImage{"LengthPastTheEnd", WavBuilder().riff().fmt().data(1000, 10).bytes, "only 10 follow"},
        BadImage{"HugeLength", WavBuilder().riff().fmt().data(0xFFFFFFFFu, 4).bytes, "only 4 follow"}),
    kvtest::CaseName());

struct FormatCase { const char* name; WaveFormat f; bool playable; };
class PlayableFormat : public testing::TestWithParam<FormatCase> {};
TEST_P(PlayableFormat, OnlySensiblePcm) {
    std::string err;
    EXPECT_EQ(playableFormat(GetParam().f, err), GetParam().playable) << err;
}
INSTANTIATE_TEST_SUITE_P(Formats, PlayableFormat, testing::Values(
                    FormatCase{"Mono8At100Hz", {1, 1, 100, 100, 1, 8}, true},
                    FormatCase{"Stereo16", {1, 2, 22050, 88200, 4, 16}, true},
                    FormatCase{"EightChannels24Bits", {1, 8, 44100, 0, 24, 24}, true},
                    FormatCase{"Mono32BitsAt200000Hz", {1, 1, 200000, 0, 4, 32}, true},
                    FormatCase{"ZeroChannels", {1, 0, 22050, 0, 0, 16}, false},
                    FormatCase{"NineChannels", {1, 9, 22050, 0, 18, 16}, false},
                    FormatCase{"Compressed", {2, 1, 22050, 11100, 256, 4}, false},
                    FormatCase{"TwelveBits", {1, 1, 22050, 44100, 2, 12}, false},
                    FormatCase{"RateTooLow", {1, 1, 99, 198, 2, 16}, false},
                    FormatCase{"RateTooHigh", {1, 1, 200001, 0, 2, 16}, false},
                    FormatCase{"WrongBlock", {1, 2, 22050, 88200, 2, 16}, false}),
    kvtest::CaseName());

TEST(WavReader, TheCanonicalImageKeepsWholeFramesOnly) {
    // 7 bytes of stereo 16-bit sound is one whole frame and three stray bytes.
    auto b = WavBuilder().riff().text("LIST").u32(0).fmt(2, 44100).data(7, 7, 0x11).bytes;
    WavSample s, again;
    std::string err;
    ASSERT_TRUE(readWav(b, s, err));
    auto c = canonicalWav(b, s);
    ASSERT_EQ(c.size(), 44u + 4u);
    EXPECT_EQ(c[4], 36u + 4u);   // the RIFF chunk's size: all that follows it
    ASSERT_TRUE(readWav(c, again, err));
    EXPECT_EQ(again.fmtAt, 12u);
    EXPECT_EQ(again.dataLength, 4u);
    EXPECT_EQ(again.format.avgBytesPerSec, 44100u * 4u);
    EXPECT_EQ(c.back(), 0x11);
}

}  // namespace
