// The music service on a fake output: the call sequences of the menu and the
// end sequence, what a failed load leaves, and the panel that never closes.
#include <gtest/gtest.h>

#include "media/music.h"
#include "media/music_form.h"
#include "support/fakes.h"

using namespace kv;

namespace {

class MusicService : public testing::Test, public kvtest::FakeGame {
protected:
    void SetUp() override { game.state.AppDir = "/game/"; }
    std::vector<std::string> calls() const {
        std::vector<std::string> out;
        for (const auto& r : game.musicLog) out.push_back(r.op + (r.arg.empty() ? "" : " " + r.arg));
        return out;
    }
};

}  // namespace

TEST_F(MusicService, TheTitleMusicRepeatsFromItsStartAndTheEndingPlaysOnceInItsPlace) {
    StartTitleMusic(game);
    EXPECT_EQ(calls(), (std::vector<std::string>{"create loop|true", "bind musicFRM", "load MODs/Intro.Mod", "seek 320",
                                                 "play"}));
    EXPECT_EQ(game.state.MusicFile, "/game/MODs\\Intro.Mod");
    EXPECT_TRUE(m.audio.module().playing);
    EXPECT_TRUE(m.audio.moduleLoops);
    EXPECT_DOUBLE_EQ(m.audio.module().positionSeconds, 0.32);   // 320 ms
    StartEndingMusic(game);
    EXPECT_EQ(m.audio.users, 1);   // in place of the old player
    EXPECT_EQ(m.audio.modulePath, "/game/MODs/Ending.Mod");
    EXPECT_FALSE(m.audio.moduleLoops);
    EXPECT_DOUBLE_EQ(m.audio.module().positionSeconds, 0.0);
    const std::int32_t ending = game.state.MusicHandle;
    StopMusic(game);
    EXPECT_EQ(calls().back(), "destroy");
    EXPECT_EQ(m.audio.users, 0);
    EXPECT_EQ(ModPlug_Play(game, ending), 0);   // the handle is dead
    EXPECT_FALSE(m.audio.module().playing);
}

TEST_F(MusicService, AMissingModuleOrNoOutputLeavesSilenceWithoutABox) {
    game.state.AppDir = "/missing/";
    StartTitleMusic(game);
    EXPECT_EQ(calls().size(), 5u);
    EXPECT_FALSE(m.audio.module().playing);
    EXPECT_EQ(loadedMusicPanel(game)->Tune->caption(), "Intro.Mod (cannot be played)");
    StopMusic(game);
    m.audio.refuseOpen = true;
    StartTitleMusic(game);
    EXPECT_EQ(game.state.MusicHandle, 0);
    EXPECT_TRUE(m.rt->boxes().messages().empty());
}
