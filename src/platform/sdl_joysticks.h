#pragma once
// Joysticks through SDL: axes scaled to 0..65535, buttons 0..31 as bits.
#include <map>

#include "runtime/host.h"

typedef struct _SDL_Joystick SDL_Joystick;

namespace kv::platform {

class SdlJoysticks : public JoystickDevices {
public:
    ~SdlJoysticks() override;
    int supported() override;
    bool caps(int index, JoystickCaps& out) override;
    bool read(int index, JoystickState& out) override;

private:
    SDL_Joystick* open(int index);
    std::map<int, SDL_Joystick*> open_;
};

// Headless runs have no joysticks (a script brings its own).
class NoJoysticks : public JoystickDevices {
public:
    int supported() override { return 0; }
    bool caps(int, JoystickCaps&) override { return false; }
    bool read(int, JoystickState&) override { return false; }
};

}  // namespace kv::platform
