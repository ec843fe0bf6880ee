#pragma once
// SDL-backed pictures, fonts and joysticks; these work with or without a window.
#include <map>
#include <vector>

#include "runtime/host.h"

typedef struct _TTF_Font TTF_Font;
typedef struct _SDL_Joystick SDL_Joystick;

namespace kv::platform {

class SdlImageCodec : public ImageCodec {
public:
    std::optional<Surface> loadPng(const std::string& path, std::string& error) override;
    bool savePng(const Surface& s, const std::string& path, std::string& error) override;
};

class SdlFontEngine : public FontEngine {
public:
    ~SdlFontEngine() override;
    int open(const std::string& path, int pixelSize, std::string& error) override;
    int lineHeight(int handle) override;
    bool glyph(int handle, char32_t ch, GlyphBitmap& out) override;

private:
    std::vector<TTF_Font*> fonts_;
};

// Axes scaled to 0..65535, buttons 0..31 as bits.
class SdlJoysticks : public JoystickDevices {
public:
    ~SdlJoysticks() override;
    int supported() override;
    bool caps(int index, JoystickCaps& out) override;
    bool read(int index, JoystickState& out) override;

private:
    SDL_Joystick* open(int index);
    std::map<int, SDL_Joystick*> open_;
};

class NoJoysticks : public JoystickDevices {
public:
    int supported() override { return 0; }
    bool caps(int, JoystickCaps&) override { return false; }
    bool read(int, JoystickState&) override { return false; }
};

}  // namespace kv::platform
