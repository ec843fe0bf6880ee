// The real SDL joystick path, with SDL's own virtual devices standing in for
// hardware: counting, reading axes and buttons, a pad plugged in while the
// game runs, and one pulled out.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "platform/sdl_joysticks.h"

using kv::JoystickCaps;
using kv::JoystickState;
using kv::platform::SdlJoysticks;

namespace {
// A device SDL made up, attached for one test and detached after it.
class VirtualDevice {
public:
    VirtualDevice(SDL_JoystickType type, int axes, int buttons) {
        index = SDL_JoystickAttachVirtual(type, axes, buttons, 0);
        if (index >= 0) handle = SDL_JoystickOpen(index);
    }
    ~VirtualDevice() {
        if (!handle) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(handle);
        SDL_JoystickClose(handle);
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
    void axis(int a, Sint16 v) { SDL_JoystickSetVirtualAxis(handle, a, v); }
    void button(int b, bool down) { SDL_JoystickSetVirtualButton(handle, b, down ? 1 : 0); }
    int index = -1;
    SDL_Joystick* handle = nullptr;
};

class SdlJoystickDevices : public testing::Test {
protected:
    // x, y and the buttons as read; a failed read gives -1 for each.
    std::tuple<long, long, long> read(int index) {
        JoystickState s;
        if (!devices.read(index, s)) return {-1, -1, -1};
        return {s.x, s.y, s.buttons};
    }
    SdlJoysticks devices;   // brings SDL's game-controller subsystem up, and down after the test
};

TEST_F(SdlJoystickDevices, APlainJoystickGivesItsRawAxesAndButtonsAndAPulledOutOneFailsItsReads) {
    const int before = devices.supported();
    auto stick = std::make_unique<VirtualDevice>(SDL_JOYSTICK_TYPE_UNKNOWN, 3, 4);
    const int index = stick->index;
    ASSERT_GE(index, 0) << SDL_GetError();
    EXPECT_EQ(devices.supported(), before + 1);   // plugged in while running: the next count finds it
    JoystickCaps caps;
    ASSERT_TRUE(devices.caps(index, caps));
    EXPECT_EQ(std::pair(caps.maximum[0], caps.buttons), std::pair(65535, 4));
    stick->axis(0, -32768);
    stick->axis(1, 32767);
    stick->button(2, true);
    EXPECT_EQ(read(index), std::tuple(0, 65535, 1 << 2));
    stick.reset();   // pulled out
    EXPECT_EQ(read(index), std::tuple(-1, -1, -1));
    EXPECT_FALSE(devices.caps(index, caps));
    VirtualDevice again(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 2);   // plugged in again: found at the next read
    ASSERT_EQ(again.index, index);
    again.button(0, true);
    EXPECT_EQ(std::get<2>(read(index)), 1);
}

TEST_F(SdlJoystickDevices, AGamePadSteersWithStickOrDpadAndFiresWithTheSouthButtonOnly) {
    VirtualDevice pad(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX);
    ASSERT_GE(pad.index, 0) << SDL_GetError();
    ASSERT_TRUE(SDL_IsGameController(pad.index)) << "SDL has no mapping for its own virtual pad";
    JoystickCaps caps;
    ASSERT_TRUE(devices.caps(pad.index, caps));
    EXPECT_EQ(caps.buttons, kv::platform::controllerButtonCount());
    EXPECT_EQ(read(pad.index), std::tuple(32768, 32768, 0));   // centred
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    EXPECT_EQ(std::get<0>(read(pad.index)), 0);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(read(pad.index), std::tuple(65535, 32768, 1));   // button 1: fire
    pad.button(SDL_CONTROLLER_BUTTON_A, false);
    pad.button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_EQ(std::get<2>(read(pad.index)), 0);
}

}  // namespace
