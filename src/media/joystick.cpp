#include "media/joystick.h"

namespace kv {

bool JoyMinimums(Runtime& rt, Int16 joystick, JoyRecord& caps) {
    JoystickCaps c;
    if (!rt.joysticks().caps(joystick, c)) return false;
    caps = {c.minimum[0], c.minimum[1], c.minimum[2], c.buttons};
    return true;
}

bool JoyMaximums(Runtime& rt, Int16 joystick, JoyRecord& caps) {
    JoystickCaps c;
    if (!rt.joysticks().caps(joystick, c)) return false;
    caps = {c.maximum[0], c.maximum[1], c.maximum[2], c.buttons};
    return true;
}

bool ReadJoystick(Runtime& rt, Int16 joystick, JoyRecord& pos) {
    JoystickState s;
    if (!rt.joysticks().read(joystick, s)) return false;
    pos = {s.x, s.y, s.z, static_cast<std::int32_t>(s.buttons)};
    return true;
}

Int16 CountJoysticks(Runtime& rt, bool onlyConnected) {
    int n = rt.joysticks().supported();
    if (!onlyConnected) return n;
    Int16 count = 0;
    for (int i = 0; i < n; ++i) {
        JoystickState s;
        if (rt.joysticks().read(i, s)) ++count;
    }
    return count;
}

bool CheckJoystickAtLoad(Runtime& rt, SharedState& g) {
    JoyMinimums(rt, 0, g.JoyCapsA);
    const bool ok = JoyMaximums(rt, 0, g.JoyCapsB);
    if (!ok) {
        rt.boxes().msgBox("There was an error detecting your JOYSTICK control device.\r\rThe game will now switch to keyboard control",
                  "Control Device Error", BoxButtons::OK, BoxIcon::Information);
        g.ControlDevice = 1;
    }
    return ok;
}

}  // namespace kv
