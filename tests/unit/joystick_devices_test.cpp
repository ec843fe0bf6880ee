// The real SDL joystick path, with SDL's own virtual devices standing in for
// hardware: counting, reading axes and buttons, a pad plugged in while the
// game runs, and one pulled out.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/sdl_joysticks.h"

using kv::JoystickCaps;
using kv::JoystickState;
using kv::platform::SdlJoysticks;

namespace {
// A device SDL made up, attached for one test and detached after it.
class VirtualDevice {
public:
    VirtualDevice(SDL_JoystickType type, int axes, int buttons, int hats) {
        index = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
        if (index >= 0) handle = SDL_JoystickOpen(index);
    }
    ~VirtualDevice() { detach(); }
    void detach() {
        if (!handle) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(handle);
        SDL_JoystickClose(handle);
        handle = nullptr;
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
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER); }
};
}  // namespace

TEST_F(SdlJoystickDevices, APlainJoystickGivesItsRawAxesAndButtonsAndAPulledOutOneFailsItsReads) {
    SdlJoysticks devices;
    const int before = devices.supported();
    auto stick = std::make_unique<VirtualDevice>(SDL_JOYSTICK_TYPE_UNKNOWN, 3, 4, 0);
    const int index = stick->index;
    ASSERT_GE(index, 0) << SDL_GetError();
    // Plugged in while running: the next count finds it.
    EXPECT_EQ(devices.supported(), before + 1);
    JoystickCaps caps;
    ASSERT_TRUE(devices.caps(index, caps));
    EXPECT_EQ(caps.maximum[0], 65535);
    EXPECT_EQ(caps.buttons, 4);
    stick->axis(0, -32768);
    stick->axis(1, 32767);
    stick->button(2, true);
    JoystickState s;
    ASSERT_TRUE(devices.read(index, s));
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.y, 65535);
    EXPECT_EQ(s.buttons, 1u << 2);
    stick.reset();   // pulled out
    EXPECT_FALSE(devices.read(index, s));
    EXPECT_FALSE(devices.caps(index, caps));
    // Plugged in again: found at the next read.
    VirtualDevice again(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 2, 0);
    ASSERT_EQ(again.index, index);
    again.button(0, true);
    ASSERT_TRUE(devices.read(index, s));
    EXPECT_EQ(s.buttons, 1u);
}

TEST_F(SdlJoystickDevices, AGamePadSteersWithStickOrDpadAndFiresWithTheSouthButton) {
    SdlJoysticks devices;
    VirtualDevice pad(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(pad.index, 0) << SDL_GetError();
    ASSERT_TRUE(SDL_IsGameController(pad.index)) << "SDL has no mapping for its own virtual pad";
    JoystickCaps caps;
    ASSERT_TRUE(devices.caps(pad.index, caps));
    EXPECT_EQ(caps.buttons, kv::platform::controllerButtonCount());
    JoystickState s;
    ASSERT_TRUE(devices.read(pad.index, s));
    EXPECT_EQ(s.x, 32768);   // centred
    EXPECT_EQ(s.buttons, 0u);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    ASSERT_TRUE(devices.read(pad.index, s));
    EXPECT_EQ(s.x, 0);
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    ASSERT_TRUE(devices.read(pad.index, s));
    EXPECT_EQ(s.x, 65535);
    EXPECT_EQ(s.buttons, 1u);   // button 1: fire
    // Start is not a fire button.
    pad.button(SDL_CONTROLLER_BUTTON_A, false);
    pad.button(SDL_CONTROLLER_BUTTON_START, true);
    ASSERT_TRUE(devices.read(pad.index, s));
    EXPECT_EQ(s.buttons, 0u);
}
