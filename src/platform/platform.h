#pragma once
// The machine under the game: SDL for a real window, or the headless stand-ins.
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "runtime/host.h"

namespace kv::platform {

struct PlatformOptions {
    bool headless = false;
    int scale = 1;                       // window scale when windowed
    std::optional<bool> fullscreen;      // --fullscreen / --windowed override the start-up rule
};

// There is no desktop to open a window on (no X server, no Wayland). Kept
// apart from other failures: the player gets a hint and status 1.
class NoDisplayError : public std::runtime_error {
public:
    explicit NoDisplayError(const std::string& why)
        : std::runtime_error("No display was found (" + why +
                             "), so the game cannot show its window. Use --headless to run it without one.") {}
};

class Platform {
public:
    virtual ~Platform() = default;
    // Throws NoDisplayError, or std::runtime_error for any other failure.
    static std::unique_ptr<Platform> create(const PlatformOptions& opts);

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
