#pragma once
// Text on surfaces: fonts by point size and weight, glyph caching, measuring and
// drawing with extra character spacing.
#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "runtime/host.h"
#include "runtime/surface.h"

namespace kv {

struct Font {
    int sizePt = 8;
    bool bold = false;
    bool operator==(const Font&) const = default;
};

class TextEngine {
public:
    TextEngine(FontEngine& engine, std::string fontDir);

    // Width of the text with `extra` pixels added after every character.
    int measure(const Font& f, const std::string& text, int extra = 0);
    int lineHeight(const Font& f);
    // Draws left-aligned text with its top-left at (x, y) of the view, with
    // `extra` pixels after every character.
    void draw(SurfaceView s, const Font& f, const std::string& text, int x, int y, Color c, int extra = 0);
    // Pixel size for a point size on a 96 dpi desktop.
    static int pixelSize(int sizePt) { return (sizePt * 96 + 36) / 72; }

private:
    struct Face {
        int handle = -1;
        int lineHeight = 0;
        std::map<char32_t, GlyphBitmap> glyphs;
        std::array<const GlyphBitmap*, 128> ascii{};   // the same glyphs, found without a search
    };
    Face& face(const Font& f);
    const GlyphBitmap& glyph(Face& face, char32_t ch);

    FontEngine& engine_;
    std::string fontDir_;
    std::map<std::pair<int, bool>, Face> faces_;
};

// Splits UTF-8 into code points; invalid bytes become U+FFFD.
std::u32string decodeUtf8(const std::string& s);

// The first n characters of UTF-8 text, never half a character (a byte that
// is no character counts as one, as it shows as one).
std::string firstCharacters(const std::string& s, std::size_t n);

}  // namespace kv
