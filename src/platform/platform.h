#pragma once
// The machine under the game: SDL for a real window, or the headless stand-ins.
#include <memory>
#include <optional>
#include <string>

#include "runtime/host.h"

namespace kv::platform {

struct PlatformOptions {
    bool headless = false;
    int scale = 1;                       // window scale when windowed
    std::optional<bool> fullscreen;      // --fullscreen / --windowed override the start-up rule
};

class Platform {
public:
    virtual ~Platform() = default;
    static std::unique_ptr<Platform> create(const PlatformOptions& opts);   // throws std::runtime_error

    virtual Display& display() = 0;
    virtual ImageCodec& codec() = 0;
    virtual FontEngine& fonts() = 0;
    virtual JoystickDevices& joysticks() = 0;
    virtual RegistryReader& registry() = 0;
    virtual AudioDevice& audio() = 0;
    // A last-resort message for the player when the game cannot go on.
    virtual void showFatal(const std::string& title, const std::string& message) = 0;
    // The folder of the running executable, with a trailing separator.
    static std::string executableDir();
};

}  // namespace kv::platform
