#include "platform/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "runtime/file_io.h"

namespace kv::platform {

namespace {
constexpr int kRate = 44100;
constexpr int kBufferFrames = 1024;
// Every voice plays 2.5 dB below full level, so that two loud effects at once
// still pass untouched; the music at half its level is about as loud as play.
constexpr int kVoiceVolume = MIX_MAX_VOLUME * 3 / 4;
constexpr int kMusicVolume = MIX_MAX_VOLUME / 2;
// The limiter keeps the mix 1 dB under full scale and recovers over 0.3 s.
constexpr float kCeiling = 0.89f;
constexpr double kReleaseSeconds = 0.3;

bool tryOpen(std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    if (Mix_OpenAudio(kRate, AUDIO_F32SYS, 2, kBufferFrames) != 0) {
        error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}
}  // namespace

SdlAudio::SdlAudio() : limiter_(kRate, kCeiling, kReleaseSeconds) {}

SdlAudio::~SdlAudio() {
    if (up_) stopOutput();
}

bool SdlAudio::open(std::string& error) {
    if (!up_ && !startOutput(error)) return false;
    ++users_;
    return true;
}

void SdlAudio::close() {
    if (users_ > 0 && --users_ == 0 && up_) stopOutput();
}

bool SdlAudio::startOutput(std::string& error) {
    if (!tryOpen(error)) {
        // A machine without a sound card still runs the whole path, into nowhere.
        SDL_Log("No sound output (%s); playing silently", error.c_str());
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        if (!tryOpen(error)) return false;
    }
    Mix_Init(MIX_INIT_MOD);
    Mix_AllocateChannels(kVoices);
    Mix_Volume(-1, kVoiceVolume);
    Mix_VolumeMusic(kMusicVolume);
    // The samples stay floats as asked; the rate and the channels are the
    // speakers' own.
    int rate = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    outChannels_ = channels > 0 ? channels : 2;
    limiter_ = MixLimiter(rate > 0 ? rate : kRate, kCeiling, kReleaseSeconds);
    Mix_SetPostMix(limit, this);
    up_ = true;
    return true;
}

void SdlAudio::limit(void* self, std::uint8_t* stream, int bytes) {
    auto* audio = static_cast<SdlAudio*>(self);
    const auto frames = static_cast<std::size_t>(bytes) / (sizeof(float) * std::size_t(audio->outChannels_));
    audio->limiter_.process(reinterpret_cast<float*>(stream), frames, audio->outChannels_);
}

void SdlAudio::stopOutput() {
    Mix_SetPostMix(nullptr, nullptr);
    for (int v = 0; v < kVoices; ++v) halt(v);
    unloadModule();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    up_ = false;
    users_ = 0;
}

bool SdlAudio::load(int voice, const std::vector<std::uint8_t>& wav, std::string& error) {
    if (voice < 0 || voice >= kVoices) {
        error = "There is no sound channel " + std::to_string(voice) + ".";
        return false;
    }
    if (!up_) {
        error = "The sound device is not open.";
        return false;
    }
    halt(voice);
    SDL_RWops* rw = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
    Mix_Chunk* chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
    if (!chunk) {
        error = Mix_GetError();
        return false;
    }
    chunks_[std::size_t(voice)] = chunk;
    return true;
}

bool SdlAudio::start(int voice, bool looping, std::string& error) {
    Mix_Chunk* chunk = voice >= 0 && voice < kVoices ? chunks_[std::size_t(voice)] : nullptr;
    if (!up_ || !chunk) {
        error = "Sound channel " + std::to_string(voice) + " holds no sample.";
        return false;
    }
    if (Mix_PlayChannel(voice, chunk, looping ? -1 : 0) < 0) {
        error = Mix_GetError();
        return false;
    }
    return true;
}

void SdlAudio::halt(int voice) {
    if (voice < 0 || voice >= kVoices) return;
    Mix_Chunk*& chunk = chunks_[std::size_t(voice)];
    if (!chunk) return;
    Mix_HaltChannel(voice);
    Mix_FreeChunk(chunk);
    chunk = nullptr;
}

bool SdlAudio::playing(int voice) {
    if (!up_ || voice < 0 || voice >= kVoices || !chunks_[std::size_t(voice)]) return false;
    return Mix_Playing(voice) != 0;
}

bool SdlAudio::loadModule(const std::string& path, std::string& error) {
    if (!up_) {
        error = "The sound device is not open.";
        return false;
    }
    unloadModule();
    // The module library would open a named pipe and wait on it for ever, and
    // reads a module whole: a tracker module is a few hundred kilobytes.
    constexpr std::uintmax_t kLargestModule = 16u << 20;
    if (!checkReadableFile(path, error, kLargestModule)) return false;
    music_ = Mix_LoadMUS(path.c_str());
    if (!music_) {
        error = Mix_GetError();
        return false;
    }
    return true;
}

bool SdlAudio::playModule(bool loop, double fromSeconds, std::string& error) {
    if (!music_) {
        error = "No module is loaded.";
        return false;
    }
    if (Mix_PlayMusic(music_, loop ? -1 : 1) != 0) {
        error = Mix_GetError();
        return false;
    }
    // A player that cannot seek starts from the top.
    if (fromSeconds > 0) Mix_SetMusicPosition(fromSeconds);
    return true;
}

void SdlAudio::stopModule() {
    if (music_) Mix_HaltMusic();
}

void SdlAudio::unloadModule() {
    if (!music_) return;
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
}

ModuleStatus SdlAudio::module() {
    ModuleStatus s;
    if (!music_) return s;
    s.loaded = true;
    s.playing = Mix_PlayingMusic() != 0 && Mix_PausedMusic() == 0;
    double pos = Mix_GetMusicPosition(music_);
    double len = Mix_MusicDuration(music_);
    s.positionSeconds = pos > 0 ? pos : 0;
    s.lengthSeconds = len > 0 ? len : 0;
    return s;
}

}  // namespace kv::platform
