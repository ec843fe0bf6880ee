#pragma once
// No window: frames go nowhere, the screen is 800 x 600 at 32 bits.
#include "runtime/host.h"

namespace kv::platform {

class HeadlessDisplay : public Display {
public:
    bool headless() const override { return true; }
    void present(const Surface&) override {}
    void poll(std::vector<InputEvent>&) override {}
    std::uint64_t wallMs() override;
    void sleepMs(int) override {}
    int showCursor(bool show) override { return cursorCount_ += show ? 1 : -1; }
    int screenWidth() override { return 800; }
    int screenHeight() override { return 600; }
    Color displayedColour(Color c) override { return c; }
    int setDisplayMode(int, int) override { return 0; }

private:
    int cursorCount_ = 0;
};

}  // namespace kv::platform
