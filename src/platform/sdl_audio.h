#pragma once
// Sound through SDL2_mixer: one mixer channel per effect voice, each holding the
// one chunk it plays, and SDL_mixer's module support for the music. The mix is
// made in floating point, so voices that add up past full scale are not cut
// off before the limiter on the final mix turns them down.
#include <array>
#include <cstdint>

#include "platform/mix_limiter.h"
#include "runtime/host.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace kv::platform {

class SdlAudio : public AudioDevice {
public:
    SdlAudio();
    ~SdlAudio() override;
    bool open(std::string& error) override;
    void close() override;
    bool load(int voice, const std::vector<std::uint8_t>& wav, std::string& error) override;
    bool start(int voice, bool looping, std::string& error) override;
    void halt(int voice) override;
    bool playing(int voice) override;
    bool loadModule(const std::string& path, std::string& error) override;
    bool playModule(bool loop, double fromSeconds, std::string& error) override;
    void stopModule() override;
    void unloadModule() override;
    ModuleStatus module() override;

private:
    bool startOutput(std::string& error);
    void stopOutput();
    // SDL_mixer's post-mix hook, on the sound thread.
    static void limit(void* self, std::uint8_t* stream, int bytes);
    MixLimiter limiter_;
    int outChannels_ = 2;
    int users_ = 0;
    bool up_ = false;
    std::array<Mix_Chunk*, kVoices> chunks_{};
    Mix_Music* music_ = nullptr;
};

}  // namespace kv::platform
