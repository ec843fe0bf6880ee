#include "platform/headless_display.h"

#include <chrono>

namespace kv::platform {

std::uint64_t HeadlessDisplay::wallMs() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace kv::platform
