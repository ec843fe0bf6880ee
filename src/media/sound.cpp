#include "media/sound.h"

namespace kv {

void CreateSoundDevice(Game& game, Form&) { game.state.SoundDevice = 1; }

void ReleaseAllSounds(Game& game) {
    for (int ch = 0; ch <= 5; ++ch) ReleaseChannel(game, ch);
    game.state.SoundDevice = 0;
}

void ReleaseChannel(Game& game, int channel) {
    if (channel < 0 || channel > 5) return;
    game.state.SoundBuffers[std::size_t(channel)] = 0;
}

void Play_Sound(Game& game, const std::string& file, bool looping, bool play, int channel) {
    if (channel < 0 || channel > 5) return;
    ReleaseChannel(game, channel);
    if (!play) return;
    game.soundLog.push_back(Game::SoundRecord{game.rt.now(), channel, game.relative(file), looping});
    game.state.SoundBuffers[std::size_t(channel)] = static_cast<std::int32_t>(game.soundLog.size());
}

}  // namespace kv
