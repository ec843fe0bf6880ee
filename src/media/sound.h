#pragma once
// The sound-effect service: one device and six channels 0 to 5. A sample is read
// fresh from disk on every play; a new play on a channel cuts the old one.
#include <string>

#include "runtime/form.h"
#include "shared/game.h"

namespace kv {

void CreateSoundDevice(Game& game, Form& screen);
void ReleaseAllSounds(Game& game);
// Plays (or, with play clear, silences) a channel.
void Play_Sound(Game& game, const std::string& file, bool looping, bool play, int channel);
// Empties one channel without stopping it first.
void ReleaseChannel(Game& game, int channel);

}  // namespace kv
