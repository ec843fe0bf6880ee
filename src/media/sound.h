#pragma once
// The sound-effect service: one device and six channels 0 to 5. A sample is read
// fresh from disk on every play (nothing is kept between plays); a new play on
// a channel cuts the old one. Failures show a message box and play goes on.
#include <string>

#include "runtime/form.h"
#include "shared/game.h"

namespace kv {

// Opens the sound device for a screen (all screens share the one output).
void CreateSoundDevice(Game& game, Form& screen);
// Empties channels 0 to 5, then lets the device go.
void ReleaseAllSounds(Game& game);
// Plays a sample on a channel from its beginning, or with play clear only
// silences the channel. The channel is emptied first either way.
void Play_Sound(Game& game, const std::string& file, bool looping, bool play, int channel);
// Reads a WAV file into a channel's buffer; on failure the channel stays empty.
void LoadWAVIntoDSB(Game& game, const std::string& file, int channel);
// Empties one channel, which silences it.
void ReleaseChannel(Game& game, int channel);

}  // namespace kv
