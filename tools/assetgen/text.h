// Lettering with FreeType, rendered as coverage into a Mask so it can be
// filled with gradients, outlined and made to glow like any other shape.
#pragma once

#include <memory>
#include <string_view>

#include "canvas.h"

namespace assetgen {

// Ink extent of a piece of text relative to its pen origin on the baseline
// (y grows downwards, so `top` is negative for letters above the baseline).
struct TextExtent {
    float left = 0, top = 0, right = 0, bottom = 0;
    float width() const { return right - left; }
    float height() const { return bottom - top; }
};

class Font {
public:
    static Font& bold();
    static Font& regular();

    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // size is the em size in design units; tracking is extra space between letters.
    TextExtent measure(std::string_view text, float size, float tracking = 0) const;
    void render(Mask& into, std::string_view text, float size, Vec2 origin, float tracking = 0) const;
    // Renders with the ink centred on `centre`; returns the ink box placed.
    Box renderCentred(Mask& into, std::string_view text, float size, Vec2 centre, float tracking = 0) const;
    // The largest size at which the ink fits within maxWidth x maxHeight.
    float fit(std::string_view text, float maxWidth, float maxHeight, float tracking = 0) const;

private:
    struct Face;
    explicit Font(const char* file);
    std::unique_ptr<Face> face_;
};

}  // namespace assetgen
