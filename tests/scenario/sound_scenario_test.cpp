// Sound on the real (headless) platform: the sound option, and the two modules
// in the music library. (Real audio out of SDL after a shot is heard by the
// walk-through in a window; each sound's channel shows in the planet's tests,
// and a missing sample's boxes in the sound service's.)
#include <gtest/gtest.h>

#include <filesystem>

#include "support/harness.h"
#include "support/scratch.h"
#include "support/wav_bytes.h"

using kvtest::GameRun;
using kvtest::RunSetup;
namespace fs = std::filesystem;

TEST(PlanetSound, WithSoundOffNothingPlaysButTheDeviceIsThere) {
    GameRun run(RunSetup{"3300 key 17\n", 1, 3400, [](kv::Game& g) {
                            g.state.OptionsChosen = 1;
                            g.state.SoundOn = 0;
                            g.state.ControlDevice = 1;
                        }});
    EXPECT_TRUE(run.sounds().empty());
    EXPECT_EQ(run.shared()["SoundDevice"], 1);
    EXPECT_EQ(run.vars()["BulletOn"][1], 1);   // the shot itself was fired
}

struct ModuleCase {
    const char* file;
    double shortest, longest;   // seconds
};

class Modules : public ::testing::TestWithParam<ModuleCase> {};

TEST_P(Modules, LoadInTheMusicLibraryAndLastAsIntended) {
    auto machine = kv::platform::Platform::create(kv::platform::PlatformOptions{true});
    kv::AudioDevice& audio = machine->audio();
    std::string err;
    ASSERT_TRUE(audio.open(err)) << err;
    ASSERT_TRUE(audio.loadModule(std::string(KORVANE_APP_DIR) + "MODs/" + GetParam().file, err)) << err;
    const double len = audio.module().lengthSeconds;
    EXPECT_GE(len, GetParam().shortest);
    EXPECT_LE(len, GetParam().longest);
    ASSERT_TRUE(audio.playModule(true, 0.32, err)) << err;
    EXPECT_TRUE(audio.module().playing);
    audio.stopModule();
    EXPECT_FALSE(audio.module().playing);
    audio.close();
}

INSTANTIATE_TEST_SUITE_P(Music, Modules,
                         ::testing::Values(ModuleCase{"Intro.Mod", 60, 120}, ModuleCase{"Ending.Mod", 30, 90}),
                         [](const auto& info) { return std::string(info.param.file).substr(0, 5) == "Intro" ? "Intro" : "Ending"; });

TEST(Modules, ADamagedModuleIsRefusedAndTheOutputCarriesOn) {
    kvtest::TempDir scratch;
    const std::string bad = scratch / "Broken.Mod";
    kvtest::put(bad, "M.K. this is not a module");
    auto machine = kv::platform::Platform::create(kv::platform::PlatformOptions{true});
    kv::AudioDevice& audio = machine->audio();
    std::string err;
    ASSERT_TRUE(audio.open(err));
    EXPECT_FALSE(audio.loadModule(bad, err));
    EXPECT_FALSE(audio.module().loaded);
    EXPECT_FALSE(audio.playModule(false, 0, err));
    EXPECT_TRUE(audio.load(0, kvtest::plainWav(), err)) << err;
    EXPECT_TRUE(audio.start(0, false, err)) << err;
    audio.close();
}
