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
    void presentChanges(const Surface& frame, const std::vector<Rect>& changed) override;
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
    struct Point {
        int x, y;
    };
    void setFullscreen(bool on);
    // The window's pixels straight (where GL would only be drawn by the
    // processor anyway), else a renderer with the frame as a texture.
    void openPresentation();
    bool openWindowSurface();
    void clearWindow();
    void repaint();
    // A point of the window as a point of the 800 x 600 frame.
    Point framePoint(int x, int y);
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool surfaceMode_ = false;          // drawing into the window's own pixels
    bool wholeNext_ = true;             // the next frame goes whole (the window is new or was uncovered)
    const Surface* last_ = nullptr;     // the frame last shown, for a repaint
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
