// Sound on the real (headless) platform: the planet's sound log, the sound
// option, a missing sample, real audio out of SDL's disk driver after a shot,
// and the two modules in the music library.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <unistd.h>

#include "support/harness.h"
#include "support/wav_bytes.h"

using kvtest::GameRun;
using kvtest::RunSetup;
namespace fs = std::filesystem;

namespace {

// A program directory like the build's, with some samples swapped out.
class ScratchAppDir {
public:
    explicit ScratchAppDir(const std::string& tag) {
        dir_ = fs::temp_directory_path() / ("kv_" + tag + "_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "Samples");
        const fs::path real = KORVANE_APP_DIR;
        for (const char* sub : {"Pictures", "Fonts", "Data", "MODs"}) fs::create_directory_symlink(real / sub, dir_ / sub);
        for (const auto& e : fs::directory_iterator(real / "Samples"))
            fs::create_symlink(e.path(), dir_ / "Samples" / e.path().filename());
    }
    ~ScratchAppDir() { fs::remove_all(dir_); }
    void remove(const std::string& sample) { fs::remove(dir_ / "Samples" / sample); }
    void replace(const std::string& sample, const std::vector<std::uint8_t>& bytes) {
        remove(sample);
        std::ofstream(dir_ / "Samples" / sample, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::string path() const { return dir_.string() + "/"; }

private:
    fs::path dir_;
};

// Sets an environment variable for one test.
class EnvVar {
public:
    EnvVar(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~EnvVar() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

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
    ScratchAppDir app("missing_sample");
    app.remove("Start Level.wav");
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

// Real sound out of SDL: the disk driver writes what the mixer makes to a file.
// The start fanfare is swapped for silence, so whatever sounds is the shot.
namespace {
struct DiskOutput {
    std::size_t bytes = 0;
    int peak = 0;   // of the 16-bit samples so far
};
DiskOutput readDiskOutput(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DiskOutput out{bytes.size(), 0};
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto v = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                 (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
        out.peak = std::max(out.peak, std::abs(int(v)));
    }
    return out;
}
}  // namespace

class DiskAudio : public ::testing::TestWithParam<bool> {};

TEST_P(DiskAudio, AShotIsHeard) {
    const bool shoot = GetParam();
    ScratchAppDir app(shoot ? "disk_shot" : "disk_quiet");
    app.replace("Start Level.wav", kvtest::plainWav(44100, 0));
    const fs::path out = fs::path(app.path()) / "out.raw";
    EnvVar driver("SDL_AUDIODRIVER", "disk");
    EnvVar file("SDL_DISKAUDIOFILE", out.string());
    RunSetup spec{shoot ? "3300 key 17\n" : "", 1, 3400};
    spec.appDir = app.path();
    GameRun run(spec);
    ASSERT_TRUE(run.dump["messages"].empty());
    // The mixer runs in real time beside the game: watch its output until the
    // shot is heard, or until a good stretch of silence has gone by. The limit
    // is generous so that a busy machine cannot fail the test.
    DiskOutput heard;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < giveUp) {
        heard = readDiskOutput(out);
        if (shoot ? heard.peak > 3000 : heard.bytes > 4 * 44100u) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (shoot) {
        EXPECT_GT(heard.peak, 3000);
    } else {
        EXPECT_GT(heard.bytes, 4 * 44100u);   // the device ran for a good while
        EXPECT_EQ(heard.peak, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Shot, DiskAudio, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "AfterAShot" : "NothingWithoutOne"; });

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
    ScratchAppDir app("damaged_module");
    const std::string bad = app.path() + "Samples/Broken.Mod";
    std::ofstream(bad, std::ios::binary) << "M.K. this is not a module";
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
