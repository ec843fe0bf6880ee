#include "platform/sdl_joysticks.h"

#include <SDL.h>

#include <iterator>

namespace kv::platform {

namespace {
// Button 1 (bit 0) is the south face button: the one a player presses to fire.
constexpr SDL_GameControllerButton kControllerButtons[] = {
    SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
};

// -32768..32767 to 0..65535.
std::int32_t fromSdlAxis(Sint16 v) { return std::int32_t(v) + 32768; }

// A D-pad held to one side is the stick pushed all the way.
std::int32_t withDpad(std::int32_t stick, bool low, bool high) {
    if (low && !high) return 0;
    if (high && !low) return 65535;
    return stick;
}
}  // namespace

int controllerButtonCount() { return int(std::size(kControllerButtons)); }

SdlJoysticks::SdlJoysticks() {
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) {
        // The game-controller subsystem brings the joystick subsystem with it.
        ownSubsystem_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    }
}

SdlJoysticks::~SdlJoysticks() {
    for (auto& [i, d] : open_) close(d);
    if (ownSubsystem_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlJoysticks::close(Device& d) {
    if (d.controller) SDL_GameControllerClose(d.controller);
    else if (d.joystick) SDL_JoystickClose(d.joystick);
    d = Device{};
}

int SdlJoysticks::supported() {
    // Picks up devices plugged in or pulled out since the last look.
    SDL_JoystickUpdate();
    int n = SDL_NumJoysticks();
    return n > 0 ? n : 0;
}

SdlJoysticks::Device* SdlJoysticks::open(int index) {
    SDL_JoystickUpdate();
    const int count = SDL_NumJoysticks();
    const int instance = index >= 0 && index < count ? SDL_JoystickGetDeviceInstanceID(index) : -1;
    auto it = open_.find(index);
    if (it != open_.end()) {
        // Still the same device, still there: keep it. Otherwise let it go.
        if (it->second.instance == instance && SDL_JoystickGetAttached(it->second.joystick)) return &it->second;
        close(it->second);
        open_.erase(it);
    }
    if (instance < 0) return nullptr;
    Device d;
    d.instance = instance;
    if (SDL_IsGameController(index)) {
        d.controller = SDL_GameControllerOpen(index);
        if (d.controller) d.joystick = SDL_GameControllerGetJoystick(d.controller);
    }
    if (!d.joystick) d.joystick = SDL_JoystickOpen(index);
    if (!d.joystick) return nullptr;
    return &(open_[index] = d);
}

bool SdlJoysticks::caps(int index, JoystickCaps& out) {
    Device* d = open(index);
    if (!d) return false;
    out.minimum = {0, 0, 0};
    out.maximum = {65535, 65535, 65535};
    out.buttons = d->controller ? controllerButtonCount() : SDL_JoystickNumButtons(d->joystick);
    return true;
}

bool SdlJoysticks::read(int index, JoystickState& out) {
    Device* d = open(index);
    if (!d) return false;
    if (SDL_GameController* c = d->controller) {
        auto button = [c](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(c, b) != 0; };
        out.x = withDpad(fromSdlAxis(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX)),
                         button(SDL_CONTROLLER_BUTTON_DPAD_LEFT), button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
        out.y = withDpad(fromSdlAxis(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY)),
                         button(SDL_CONTROLLER_BUTTON_DPAD_UP), button(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
        out.z = fromSdlAxis(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTX));
        out.buttons = 0;
        for (int b = 0; b < controllerButtonCount(); ++b)
            if (button(kControllerButtons[b])) out.buttons |= 1u << b;
        return true;
    }
    SDL_Joystick* j = d->joystick;
    auto axis = [j](int a) { return a < SDL_JoystickNumAxes(j) ? fromSdlAxis(SDL_JoystickGetAxis(j, a)) : 32767; };
    out.x = axis(0);
    out.y = axis(1);
    out.z = axis(2);
    out.buttons = 0;
    const int nb = SDL_JoystickNumButtons(j);
    for (int b = 0; b < nb && b < 32; ++b)
        if (SDL_JoystickGetButton(j, b)) out.buttons |= 1u << b;
    return true;
}

}  // namespace kv::platform
