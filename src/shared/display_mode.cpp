#include "shared/display_mode.h"

namespace kv {

std::int32_t SetDisplayMode(Runtime& rt, Int16& width, Int16& height) {
    return rt.display().setDisplayMode(width, height);
}

}  // namespace kv
