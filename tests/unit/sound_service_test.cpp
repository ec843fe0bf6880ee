// The sound-effect service on a fake output: channels, cutting off, release,
// fresh reads, and the two boxes for the ways a sample can fail to load (every
// refusal of the reader itself is in its own tests).
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "media/sound.h"
#include "support/fakes.h"
#include "support/scratch.h"
#include "support/wav_bytes.h"
#include "support/case_names.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {

class SoundService : public ::testing::Test {
protected:
    kvtest::FakeMachine m;
    kvtest::RecordingFlow flow;
    Game game{*m.rt, flow};
    Form screen{*m.rt, "Form1", 800, 600};
    kvtest::TempDir app;

    void SetUp() override {
        fs::create_directories(app.dir / "Samples");
        game.state.AppDir = app.path();
        // Every box is answered as soon as it is up.
        std::string presses;
        for (int i = 0; i < 8; ++i) presses += "0 press OK\n";
        m.rt->scripts().setScript(ScriptSource::fromText(presses));
        CreateSoundDevice(game, screen);
    }
    // Writes Samples/<name> and returns its game path.
    std::string sample(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        kvtest::put(app.dir / "Samples" / name, std::string(bytes.begin(), bytes.end()));
        return game.state.AppDir + "Samples\\" + name;
    }
    std::size_t voiceBytes(int v) { return m.audio.samples[std::size_t(v)] ? m.audio.samples[std::size_t(v)]->size() : 0; }
};

}  // namespace

TEST_F(SoundService, TheDeviceIsOpenedAtScreenLoadAndLetGoByReleaseAll) {
    EXPECT_EQ(game.state.SoundDevice, 1);
    EXPECT_EQ(m.audio.users, 1);
    Play_Sound(game, sample("a.wav", kvtest::plainWav()), false, true, 3);
    ReleaseAllSounds(game);
    EXPECT_EQ(game.state.SoundDevice, 0);
    EXPECT_EQ(m.audio.users, 0);
    EXPECT_EQ(game.state.SoundBuffers, (std::array<std::int32_t, 6>{}));
    EXPECT_FALSE(m.audio.playing(3));
}

TEST_F(SoundService, ANewPlayOnAChannelCutsTheOldOneAndStartsFromTheTop) {
    const std::string a = sample("a.wav", kvtest::plainWav(100)), b = sample("b.wav", kvtest::plainWav(300));
    Play_Sound(game, a, false, true, 2);
    Play_Sound(game, b, false, true, 2);
    EXPECT_EQ(m.audio.cutOff, std::vector<int>{2});
    EXPECT_EQ(voiceBytes(2), 44u + 300u);
    EXPECT_EQ(m.audio.starts.size(), 2u);
    EXPECT_EQ(game.state.SoundBuffers[2], 2);   // the second play fills it
}

TEST_F(SoundService, SoundsOnDifferentChannelsMixAndStopOneByOne) {
    const std::string a = sample("a.wav", kvtest::plainWav());
    Play_Sound(game, a, false, true, 1);
    Play_Sound(game, a, false, true, 5);
    EXPECT_TRUE(m.audio.playing(1));
    EXPECT_TRUE(m.audio.cutOff.empty());
    ReleaseChannel(game, 1);
    EXPECT_FALSE(m.audio.playing(1));
    EXPECT_TRUE(m.audio.playing(5));
    EXPECT_EQ(game.state.SoundBuffers[1], 0);
    EXPECT_NE(game.state.SoundBuffers[5], 0);
}

TEST_F(SoundService, PlayClearOnlySilencesAndIsNotAPlay) {
    const std::string a = sample("a.wav", kvtest::plainWav());
    Play_Sound(game, a, false, true, 0);
    Play_Sound(game, a, false, false, 0);
    EXPECT_FALSE(m.audio.playing(0));
    EXPECT_EQ(game.soundLog.size(), 1u);
    EXPECT_EQ(m.audio.starts.size(), 1u);
}

TEST_F(SoundService, EveryPlayReadsTheFileAfreshAndIsLogged) {
    const std::string a = sample("a.wav", kvtest::plainWav(100));
    Play_Sound(game, a, true, true, 4);
    sample("a.wav", kvtest::plainWav(60));
    Play_Sound(game, a, false, true, 4);
    EXPECT_EQ(voiceBytes(4), 44u + 60u);
    ASSERT_EQ(game.soundLog.size(), 2u);
    EXPECT_EQ(game.soundLog[0].file, "Samples/a.wav");
    EXPECT_EQ(game.soundLog[0].channel, 4);
    EXPECT_TRUE(game.soundLog[0].looping);
    EXPECT_EQ(m.audio.starts.front(), (std::pair<int, bool>{4, true}));
}

struct Failure {
    const char* name;
    std::optional<std::vector<std::uint8_t>> bytes;   // none: see `stands`
    const char* says;
    enum class Stands { Nothing, Folder, NamedPipe } stands = Stands::Nothing;   // where there are no bytes
};

class SoundServiceFailure : public SoundService, public ::testing::WithParamInterface<Failure> {};

TEST_P(SoundServiceFailure, ShowsBothBoxesLeavesTheChannelEmptyAndPlayGoesOn) {
    const std::string bad = GetParam().bytes ? sample("bad.wav", *GetParam().bytes)
                                             : game.state.AppDir + "Samples\\bad.wav";
    if (GetParam().stands == Failure::Stands::Folder) fs::create_directory(app.dir / "Samples" / "bad.wav");
    // A pipe nobody writes to: opening it would hang the game.
    if (GetParam().stands == Failure::Stands::NamedPipe) {
        ASSERT_EQ(::mkfifo((app.dir / "Samples" / "bad.wav").c_str(), 0600), 0);
    }
    Play_Sound(game, bad, false, true, 4);
    const auto& msgs = m.rt->boxes().messages();
    ASSERT_EQ(msgs.size(), 2u);
    EXPECT_EQ(msgs[0].title, "LoadWAVIntoDSB ERROR");
    EXPECT_EQ(msgs[1].title, "Play_Sound ERROR");
    EXPECT_NE(msgs[0].text.find("Samples/bad.wav"), std::string::npos);
    EXPECT_NE(msgs[0].text.find(GetParam().says), std::string::npos) << msgs[0].text;
    EXPECT_EQ(game.state.SoundBuffers[4], 0);
    EXPECT_TRUE(m.audio.starts.empty());
    EXPECT_EQ(game.soundLog.size(), 1u);
    // The same channel still plays a good sample afterwards.
    Play_Sound(game, sample("good.wav", kvtest::plainWav()), false, true, 4);
    EXPECT_TRUE(m.audio.playing(4));
    EXPECT_EQ(m.rt->boxes().messages().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SoundServiceFailure,
    ::testing::Values(
        Failure{"Missing", std::nullopt, "\rFile not found."},
        // What the system says, not "File not found.".
        Failure{"AFolder", std::nullopt, "\rIs a directory.", Failure::Stands::Folder},
        Failure{"ANamedPipe", std::nullopt, "\rIs a named pipe, not a file.", Failure::Stands::NamedPipe},
        Failure{"Garbage", std::vector<std::uint8_t>(300, 0xA5), "\"fmt\""},
        Failure{"DataPastTheEnd", kvtest::WavBuilder().riff().fmt().data(5000, 100).bytes, "only 100 follow"},
        // 100 bytes a second: converted to the mixer's rate, a gigabyte.
        Failure{"HoursLong", kvtest::WavBuilder().riff().fmt(1, 100, 8).data(600000, 600000).bytes,
                "\rThe sample lasts 6000 seconds; a sound effect may last at most 60."}),
    kvtest::CaseName());

TEST_F(SoundService, AChannelOutsideZeroToFiveGetsABoxAndASampleTheDeviceRefusesBoth) {
    Play_Sound(game, sample("a.wav", kvtest::plainWav()), false, true, 6);
    ASSERT_EQ(m.rt->boxes().messages().size(), 1u);
    EXPECT_EQ(m.rt->boxes().messages()[0].title, "Play_Sound ERROR");
    m.audio.refuseSamples = true;
    Play_Sound(game, sample("a.wav", kvtest::plainWav()), false, true, 1);
    ASSERT_EQ(m.rt->boxes().messages().size(), 3u);
    EXPECT_NE(m.rt->boxes().messages()[1].text.find("refused"), std::string::npos);
    EXPECT_EQ(m.rt->boxes().messages()[2].title, "Play_Sound ERROR");
    EXPECT_TRUE(m.audio.starts.empty());
}
