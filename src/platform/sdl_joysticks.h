#pragma once
// Joysticks through SDL, in the units the game's rules expect: axes 0..65535,
// buttons as bits. Joystick n is the n-th device SDL reports; a device
// plugged in while the game runs is found at the next count or read, and one
// pulled out makes its reads fail until it comes back.
//
// A pad SDL knows as a game controller (from its mapping database) needs no
// setup: the left stick and the D-pad both steer on the x axis (and the
// y axis), the south face button is button 1, east, west and north are
// buttons 2 to 4, the shoulders 5 and 6. Start is not a fire button: the
// display turns it into the Esc key, so a pad pauses the game as the keyboard
// does. A plain joystick without a mapping gives its raw axes and buttons.
#include <map>

#include "runtime/host.h"

typedef struct _SDL_Joystick SDL_Joystick;
typedef struct _SDL_GameController SDL_GameController;

namespace kv::platform {

class SdlJoysticks : public JoystickDevices {
public:
    SdlJoysticks();
    ~SdlJoysticks() override;
    SdlJoysticks(const SdlJoysticks&) = delete;
    SdlJoysticks& operator=(const SdlJoysticks&) = delete;
    int supported() override;
    bool caps(int index, JoystickCaps& out) override;
    bool read(int index, JoystickState& out) override;

private:
    // One opened device: a game controller where SDL has a mapping for it.
    struct Device {
        int instance = -1;
        SDL_Joystick* joystick = nullptr;
        SDL_GameController* controller = nullptr;
    };
    Device* open(int index);
    void close(Device& d);
    std::map<int, Device> open_;
    bool ownSubsystem_ = false;
};

// The buttons a game controller reports, in the order of their bits.
int controllerButtonCount();

// Headless runs have no joysticks (a script brings its own).
class NoJoysticks : public JoystickDevices {
public:
    int supported() override { return 0; }
    bool caps(int, JoystickCaps&) override { return false; }
    bool read(int, JoystickState&) override { return false; }
};

}  // namespace kv::platform
