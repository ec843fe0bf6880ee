#include "platform/platform.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <unistd.h>

#include <stdexcept>

#include "platform/sdl_audio.h"
#include "platform/headless_display.h"
#include "platform/sdl_display.h"
#include "platform/sdl_fonts.h"
#include "platform/sdl_image.h"
#include "platform/sdl_joysticks.h"
#include "platform/system_registry.h"

namespace kv::platform {

namespace {

class SdlPlatform : public Platform {
public:
    explicit SdlPlatform(const PlatformOptions& o) {
        if (o.headless) {
            // The dummy drivers keep the whole audio path running without a speaker.
            if (!SDL_getenv("SDL_AUDIODRIVER")) SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        }
        if (SDL_Init(0) != 0) throw std::runtime_error(std::string("SDL: ") + SDL_GetError());
        if (TTF_Init() != 0) throw std::runtime_error(std::string("SDL_ttf: ") + TTF_GetError());
        IMG_Init(IMG_INIT_PNG);
        try {
            if (o.headless) {
                display_ = std::make_unique<HeadlessDisplay>();
                joysticks_ = std::make_unique<NoJoysticks>();
            } else {
                display_ = std::make_unique<SdlDisplay>(o.scale, o.fullscreen);
                joysticks_ = std::make_unique<SdlJoysticks>();
            }
        } catch (...) {
            // No destructor runs for a half-built platform.
            shutDown();
            throw;
        }
        headless_ = o.headless;
    }
    ~SdlPlatform() override { shutDown(); }
    Display& display() override { return *display_; }
    ImageCodec& codec() override { return codec_; }
    FontEngine& fonts() override { return *fonts_; }
    JoystickDevices& joysticks() override { return *joysticks_; }
    RegistryReader& registry() override { return registry_; }
    AudioDevice& audio() override { return *audio_; }
    void showFatal(const std::string& title, const std::string& message) override {
        if (!headless_) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), nullptr);
    }

private:
    void shutDown() {
        audio_.reset();
        fonts_.reset();
        joysticks_.reset();
        display_.reset();
        IMG_Quit();
        TTF_Quit();
        SDL_Quit();
    }
    bool headless_ = false;
    std::unique_ptr<Display> display_;
    SdlImageCodec codec_;
    std::unique_ptr<SdlFontEngine> fonts_ = std::make_unique<SdlFontEngine>();
    std::unique_ptr<JoystickDevices> joysticks_;
    SystemRegistry registry_;
    std::unique_ptr<SdlAudio> audio_ = std::make_unique<SdlAudio>();
};

}  // namespace

std::unique_ptr<Platform> Platform::create(const PlatformOptions& opts) { return std::make_unique<SdlPlatform>(opts); }

std::string Platform::executableDir() {
    char* base = SDL_GetBasePath();
    if (base) {
        std::string s = base;
        SDL_free(base);
        return s;
    }
    return "./";
}

}  // namespace kv::platform
