// Sound on the real (headless) platform: the planet's sound log, the sound
// option, a missing sample, and the two modules in the music library. (Real
// audio out of SDL after a shot is heard by the walk-through in a window.)
#include <gtest/gtest.h>

#include <filesystem>

#include "support/harness.h"
#include "support/scratch.h"
#include "support/wav_bytes.h"

using kvtest::GameRun;
using kvtest::RunSetup;
namespace fs = std::filesystem;

TEST(PlanetSound, TheStartFanfareThenTheShotEachOnItsChannel) {
    GameRun run(RunSetup{"3300 key 17\n", 1, 3400});
    EXPECT_EQ(run.sounds(), (std::vector<std::string>{"4:Samples/Start Level.wav@0", "1:Samples/Phaser.wav@3300"}));
    // Both reached the mixer: each channel holds the play that filled it.
    EXPECT_EQ(run.shared()["SoundBuffers"], nlohmann::json::array({0, 2, 0, 0, 1, 0}));
    EXPECT_EQ(run.shared()["SoundDevice"], 1);
    EXPECT_TRUE(run.dump["messages"].empty());
    EXPECT_FALSE(run.dump["sounds"][0]["looping"].get<bool>());
}

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

TEST(PlanetSound, AMissingSampleGivesBothBoxesAndThePlanetGoesOn) {
    kvtest::AppCopy app;
    fs::remove(app.dir / "Samples/Start Level.wav");
    RunSetup spec{"0 press OK\n0 press OK\n3300 key 17\n", 1, 3400};
    spec.appDir = app.path();
    GameRun run(spec);
    const auto& msgs = run.dump["messages"];
    ASSERT_EQ(msgs.size(), 2u);
    EXPECT_EQ(msgs[0]["title"], "LoadWAVIntoDSB ERROR");
    EXPECT_EQ(msgs[1]["title"], "Play_Sound ERROR");
    EXPECT_NE(msgs[0]["text"].get<std::string>().find("Samples/Start Level.wav"), std::string::npos);
    EXPECT_EQ(run.sounds().back(), "1:Samples/Phaser.wav@3300");
    EXPECT_EQ(run.shared()["SoundBuffers"], nlohmann::json::array({0, 2, 0, 0, 0, 0}));
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
