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

}  // namespace kv
