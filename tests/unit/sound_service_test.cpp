// The sound-effect service on a fake output: channels, cutting off, release,
// fresh reads, and the two boxes for the ways a sample can fail to load (every
// refusal of the reader itself is in its own tests).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "media/sound.h"
#include "support/case_names.h"
#include "support/fakes.h"
#include "support/scratch.h"
#include "support/wav_bytes.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {

class SoundService : public testing::Test, public kvtest::FakeGame {
protected:
    Form screen{*m.rt, "Form1", 800, 600};
    kvtest::TempDir app;

    void SetUp() override {
        fs::create_directories(app.dir / "Samples");
        game.state.AppDir = app.path();
        // Every box is answered as soon as it is up.
        std::string presses;
        for (int i = 0; i < 8; ++i) presses += "0 press OK\n";
        script(presses);
        CreateSoundDevice(game, screen);
    }
    // Writes Samples/<name> and returns its game path.
    std::string sample(const std::string& name, std::size_t n = 200) {
        const auto bytes = kvtest::plainWav(n);
        kvtest::put(app.dir / "Samples" / name, std::string(bytes.begin(), bytes.end()));
        return game.state.AppDir + "Samples\\" + name;
    }
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const auto& msg : m.rt->boxes().messages()) out.push_back(msg.title);
        return out;
    }
};

}  // namespace

TEST_F(SoundService, ANewPlayCutsTheChannelsOldSoundOthersMixAndReleaseAllLetsTheDeviceGo) {
    EXPECT_EQ(game.state.SoundDevice, 1);
    const std::string a = sample("a.wav", 100);
    Play_Sound(game, a, false, true, 5);
    Play_Sound(game, a, false, true, 2);
    Play_Sound(game, sample("b.wav", 300), false, true, 2);   // read afresh, from the top
    EXPECT_EQ(m.audio.cutOff, std::vector<int>{2});
    EXPECT_EQ(m.audio.samples[2]->size(), 44u + 300u);
    EXPECT_TRUE(m.audio.playing(5));
    Play_Sound(game, a, false, false, 5);   // play clear only silences
    EXPECT_FALSE(m.audio.playing(5));
    EXPECT_EQ(game.soundLog.size(), 3u);
    EXPECT_EQ(game.soundLog[0].file, "Samples/a.wav");
    EXPECT_EQ(game.soundLog[0].channel, 5);
    ReleaseAllSounds(game);
    EXPECT_EQ(game.state.SoundDevice, 0);
    EXPECT_EQ(m.audio.users, 0);
    EXPECT_EQ(game.state.SoundBuffers, (std::array<std::int32_t, 6>{}));
    EXPECT_FALSE(m.audio.playing(2));
}

// lay: puts what stands at the sample's place
struct Failure { const char* name; std::function<void(const fs::path&)> lay; const char* says; };
class SoundServiceFailure : public SoundService, public testing::WithParamInterface<Failure> {};
TEST_P(SoundServiceFailure, ShowsBothBoxesLeavesTheChannelEmptyAndPlayGoesOn) {
    GetParam().lay(app.dir / "Samples" / "bad.wav");
    Play_Sound(game, game.state.AppDir + "Samples\\bad.wav", false, true, 4);
    ASSERT_EQ(titles(), (std::vector<std::string>{"LoadWAVIntoDSB ERROR", "Play_Sound ERROR"}));
    const std::string text = m.rt->boxes().messages()[0].text;
    EXPECT_NE(text.find("Samples/bad.wav"), std::string::npos) << text;
    EXPECT_NE(text.find(GetParam().says), std::string::npos) << text;
    EXPECT_EQ(game.state.SoundBuffers[4], 0);
    EXPECT_TRUE(m.audio.starts.empty());
    // The same channel still plays a good sample afterwards.
    Play_Sound(game, sample("good.wav"), false, true, 4);
    EXPECT_TRUE(m.audio.playing(4));
    EXPECT_EQ(titles().size(), 2u);
}
INSTANTIATE_TEST_SUITE_P(Files, SoundServiceFailure, testing::Values(
        Failure{"Missing", [](const fs::path&) {}, "\rFile not found."},
        // A pipe nobody writes to: opening it would hang the game.
        Failure{"ANamedPipe", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }, "\rIs a named pipe, not a file."},
        // 100 bytes a second: converted to the mixer's rate, a gigabyte.
        Failure{"HoursLong",
                [](const fs::path& p) {
                    const auto b = kvtest::WavBuilder().riff().fmt(1, 100, 8).data(600000, 600000).bytes;
                    kvtest::put(p, std::string(b.begin(), b.end()));
                },
                "\rThe sample lasts 6000 seconds; a sound effect may last at most 60."}),
    kvtest::CaseName());
