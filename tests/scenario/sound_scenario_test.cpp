// The two modules in the music library: each loads, lasts as its tune intends
// and plays; a file that is no module is refused.
#include <gtest/gtest.h>

#include "support/harness.h"

TEST(Modules, BothLoadInTheMusicLibraryLastAsIntendedAndPlayAndANonModuleIsRefused) {
    auto machine = kv::platform::Platform::create(kv::platform::PlatformOptions{true});
    kv::AudioDevice& audio = machine->audio();
    std::string err;
    ASSERT_TRUE(audio.open(err)) << err;
    for (auto [file, shortest, longest] : {std::tuple{"Intro.Mod", 60.0, 120.0}, {"Ending.Mod", 30.0, 90.0}}) {
        ASSERT_TRUE(audio.loadModule(std::string(KORVANE_APP_DIR) + "MODs/" + file, err)) << err;
        EXPECT_TRUE(audio.module().lengthSeconds >= shortest && audio.module().lengthSeconds <= longest) << file;
        EXPECT_TRUE(audio.playModule(true, 0.32, err) && audio.module().playing) << err;
        audio.stopModule();
    }
    EXPECT_FALSE(audio.loadModule(std::string(KORVANE_APP_DIR) + "Data/score.dat", err));
    EXPECT_FALSE(audio.module().loaded || audio.playModule(false, 0, err));
    audio.close();
}
