#include "shared/display_mode.h"

namespace kv {

std::int32_t SetDisplayMode(Runtime& rt, std::int16_t& width, std::int16_t& height) {
    return rt.display().setDisplayMode(width, height);
}

}  // namespace kv
