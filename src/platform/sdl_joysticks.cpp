#include "platform/sdl_joysticks.h"

#include <SDL.h>

namespace kv::platform {

SdlJoysticks::~SdlJoysticks() {
    for (auto& [i, j] : open_) SDL_JoystickClose(j);
}

int SdlJoysticks::supported() {
    SDL_JoystickUpdate();
    int n = SDL_NumJoysticks();
    return n > 0 ? n : 0;
}

SDL_Joystick* SdlJoysticks::open(int index) {
    auto it = open_.find(index);
    if (it != open_.end()) {
        if (SDL_JoystickGetAttached(it->second)) return it->second;
        SDL_JoystickClose(it->second);
        open_.erase(it);
    }
    if (index < 0 || index >= SDL_NumJoysticks()) return nullptr;
    SDL_Joystick* j = SDL_JoystickOpen(index);
    if (j) open_[index] = j;
    return j;
}

bool SdlJoysticks::caps(int index, JoystickCaps& out) {
    SDL_Joystick* j = open(index);
    if (!j) return false;
    out.minimum = {0, 0, 0};
    out.maximum = {65535, 65535, 65535};
    out.buttons = SDL_JoystickNumButtons(j);
    return true;
}

bool SdlJoysticks::read(int index, JoystickState& out) {
    SDL_Joystick* j = open(index);
    if (!j) return false;
    SDL_JoystickUpdate();
    auto axis = [&](int a) {
        return a < SDL_JoystickNumAxes(j) ? std::int32_t(SDL_JoystickGetAxis(j, a)) + 32768 : 32767;
    };
    out.x = axis(0);
    out.y = axis(1);
    out.z = axis(2);
    out.buttons = 0;
    int nb = SDL_JoystickNumButtons(j);
    for (int b = 0; b < nb && b < 32; ++b)
        if (SDL_JoystickGetButton(j, b)) out.buttons |= (1u << b);
    return true;
}

}  // namespace kv::platform
