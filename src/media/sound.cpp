#include "media/sound.h"

#include <filesystem>
#include <vector>

#include "media/wav_reader.h"
#include "runtime/file_io.h"

namespace kv {

namespace {

constexpr int kChannels = 6;
// Samples are short one-shot effects; anything bigger is not a sample.
constexpr std::uintmax_t kLargestSample = 64u << 20;
// The game's effects last a few seconds each.
constexpr std::size_t kLongestSampleSeconds = 60;

bool validChannel(int channel) { return channel >= 0 && channel < kChannels; }

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
    std::error_code ec;
    const auto st = std::filesystem::symlink_status(path, ec);
    if (st.type() == std::filesystem::file_type::not_found || ec == std::errc::no_such_file_or_directory) {
        error = "File not found.";
        return false;
    }
    // Anything else is said as the system says it: no permission, a folder, a
    // named pipe (never opened, so it cannot hang the game), too large.
    if (!readFileBytes(path, kLargestSample, bytes, error)) {
        error += ".";
        return false;
    }
    return true;
}

void showError(Game& game, const std::string& title, const std::string& file, const std::string& why) {
    game.rt.boxes().msgBox(game.relative(file) + "\r" + why, title, BoxButtons::OK, BoxIcon::None);
}

}  // namespace

void CreateSoundDevice(Game& game, Form&) {
    // Every screen shares the one output: a screen that comes up while the
    // device is still held (no release in between) keeps it.
    if (game.state.SoundDevice != 0) return;
    std::string error;
    if (game.rt.audio().open(error)) game.state.SoundDevice = 1;
    // No device: every play reports the refusal through the boxes below.
}

void ReleaseAllSounds(Game& game) {
    for (int ch = 0; ch < kChannels; ++ch) ReleaseChannel(game, ch);
    if (game.state.SoundDevice != 0) game.rt.audio().close();
    game.state.SoundDevice = 0;
}

void ReleaseChannel(Game& game, int channel) {
    if (!validChannel(channel)) return;
    // Letting go of a buffer silences it.
    if (game.state.SoundBuffers[std::size_t(channel)] != 0) game.rt.audio().halt(channel);
    game.state.SoundBuffers[std::size_t(channel)] = 0;
}

void LoadWAVIntoDSB(Game& game, const std::string& file, int channel) {
    const char* title = "LoadWAVIntoDSB ERROR";
    if (!validChannel(channel)) {
        showError(game, title, file, "There is no sound channel " + std::to_string(channel) + ".");
        return;
    }
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!readWholeFile(Game::nativePath(file), bytes, error)) {
        showError(game, title, file, error);
        return;
    }
    WavSample wav;
    if (!readWav(bytes, wav, error) || !playableFormat(wav.format, error)) {
        showError(game, title, file, error);
        return;
    }
    if (wav.dataLength < wav.format.blockAlign) {
        showError(game, title, file, "The WAV file holds no sound.");
        return;
    }
    // The mixer converts a sample to its own rate before playing it: a long
    // sample at a low rate would grow a hundredfold or more in memory.
    const std::size_t seconds = wav.dataLength / (std::size_t(wav.format.samplesPerSec) * wav.format.blockAlign);
    if (seconds >= kLongestSampleSeconds) {
        showError(game, title, file,
                  "The sample lasts " + std::to_string(seconds) + " seconds; a sound effect may last at most " +
                      std::to_string(kLongestSampleSeconds) + ".");
        return;
    }
    if (game.state.SoundDevice == 0) {
        showError(game, title, file, "There is no sound device.");
        return;
    }
    if (!game.rt.audio().load(channel, canonicalWav(bytes, wav), error)) {
        showError(game, title, file, "The sound device refused the sample: " + error);
        return;
    }
    // The buffer's name is the play that filled it, counted from 1 in the log.
    game.state.SoundBuffers[std::size_t(channel)] = static_cast<std::int32_t>(game.soundLog.size());
}

void Play_Sound(Game& game, const std::string& file, bool looping, bool play, int channel) {
    if (!validChannel(channel)) {
        showError(game, "Play_Sound ERROR", file, "There is no sound channel " + std::to_string(channel) + ".");
        return;
    }
    ReleaseChannel(game, channel);
    if (!play) return;
    game.soundLog.push_back(Game::SoundRecord{game.rt.now(), channel, game.relative(file), looping});
    LoadWAVIntoDSB(game, file, channel);
    std::string error;
    if (game.state.SoundBuffers[std::size_t(channel)] == 0) {
        showError(game, "Play_Sound ERROR", file,
                  "Channel " + std::to_string(channel) + " holds no sound, so there is nothing to play.");
        return;
    }
    if (!game.rt.audio().start(channel, looping, error)) showError(game, "Play_Sound ERROR", file, error);
}

}  // namespace kv
