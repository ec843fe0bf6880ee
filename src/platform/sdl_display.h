#pragma once
// The real window through SDL.
#include <optional>

#include "runtime/host.h"

typedef struct SDL_Window SDL_Window;
typedef struct SDL_Renderer SDL_Renderer;
typedef struct SDL_Texture SDL_Texture;

namespace kv::platform {

// A real window: the 800 x 600 frame is scaled to the window with its aspect kept.
class SdlDisplay : public Display {
public:
    SdlDisplay(int scale, std::optional<bool> fullscreen);
    ~SdlDisplay() override;
    bool headless() const override { return false; }
    void present(const Surface& frame) override;
    void poll(std::vector<InputEvent>& out) override;
    std::uint64_t wallMs() override;
    void sleepMs(int ms) override;
    void waitForInput(int ms) override;
    int refreshHz() override;
    int showCursor(bool show) override;
    int screenWidth() override;
    int screenHeight() override;
    Color displayedColour(Color c) override;
    int setDisplayMode(int width, int height) override;
    void setIcon(const Surface& icon) override;

private:
    void setFullscreen(bool on);
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::optional<bool> forced_;
    bool fullscreen_ = false;
    int cursorCount_ = 0;
    int refreshHz_ = 0;
};

// A colour as a display of the given depth reads it back: a palette display
// (8 bits or fewer) shows the nearest palette entry, which for the probe's dark
// red is pure red; a direct-colour display keeps the top bits of each component.
Color readBackColour(Color c, int bitsPerPixel, int redBits, int greenBits, int blueBits);

}  // namespace kv::platform
