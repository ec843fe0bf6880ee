#include "shared/mouse.h"

namespace kv {

void HideMouse(Runtime& rt) {
    while (rt.display().showCursor(false) >= 0) {
    }
}

void ShowMouse(Runtime& rt) {
    while (rt.display().showCursor(true) < 0) {
    }
}

std::int32_t SetDisplayMode(Runtime& rt, std::int16_t& width, std::int16_t& height) {
    return rt.display().setDisplayMode(width, height);
}

}  // namespace kv
