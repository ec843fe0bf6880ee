#pragma once
// Fonts through SDL_ttf: a face opened once per pixel size, glyphs rendered as
// coverage masks.
#include <vector>

#include "runtime/host.h"

typedef struct _TTF_Font TTF_Font;

namespace kv::platform {

class SdlFontEngine : public FontEngine {
public:
    ~SdlFontEngine() override;
    int open(const std::string& path, int pixelSize, std::string& error) override;
    int lineHeight(int handle) override;
    bool glyph(int handle, char32_t ch, GlyphBitmap& out) override;

private:
    std::vector<TTF_Font*> fonts_;
};

}  // namespace kv::platform
