#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <stdexcept>
#include <string>

#ifndef ASSETGEN_FONT_DIR
#define ASSETGEN_FONT_DIR "/usr/share/fonts/truetype/liberation2"
#endif

namespace assetgen {

namespace {

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) throw std::runtime_error("cannot start FreeType");
        return l;
    }();
    return lib;
}

}  // namespace

struct Font::Face {
    FT_Face face = nullptr;

    // Lays the glyphs out at the given pixel size and hands each glyph slot,
    // with the pen position, to f. Bitmaps are rendered only when asked for.
    template <typename F>
    void layout(std::string_view text, float sizePx, float trackingPx, bool render, F&& f) const {
        if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(sizePx * 64.0f)), 72, 72) != 0)
            throw std::runtime_error("cannot size font");
        float pen = 0;
        FT_UInt previous = 0;
        for (const char ch : text) {
            const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(ch));
            if (previous != 0 && index != 0 && FT_HAS_KERNING(face)) {
                FT_Vector kern;
                if (FT_Get_Kerning(face, previous, index, FT_KERNING_UNFITTED, &kern) == 0)
                    pen += static_cast<float>(kern.x) / 64.0f;
            }
            if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | (render ? FT_LOAD_RENDER : 0)) != 0)
                throw std::runtime_error("cannot load glyph");
            f(face->glyph, pen);
            pen += static_cast<float>(face->glyph->advance.x) / 64.0f + trackingPx;
            previous = index;
        }
    }
};

Font::Font(const char* file) : face_(std::make_unique<Face>()) {
    const std::string path = std::string(ASSETGEN_FONT_DIR) + "/" + file;
    if (FT_New_Face(library(), path.c_str(), 0, &face_->face) != 0)
        throw std::runtime_error("cannot open font " + path);
}

Font::~Font() {
    if (face_ && face_->face) FT_Done_Face(face_->face);
}

Font& Font::bold() {
    static Font f("LiberationSans-Bold.ttf");
    return f;
}

Font& Font::regular() {
    static Font f("LiberationSans-Regular.ttf");
    return f;
}

TextExtent Font::measure(std::string_view text, float size, float tracking) const {
    bool any = false;
    TextExtent e;
    face_->layout(text, size, tracking, false, [&](const FT_GlyphSlot g, float pen) {
        const FT_Glyph_Metrics& m = g->metrics;
        if (m.width == 0 || m.height == 0) return;
        const float left = pen + static_cast<float>(m.horiBearingX) / 64.0f;
        const float top = -static_cast<float>(m.horiBearingY) / 64.0f;
        const TextExtent glyph{left, top, left + static_cast<float>(m.width) / 64.0f,
                               top + static_cast<float>(m.height) / 64.0f};
        if (!any) {
            e = glyph;
            any = true;
        } else {
            e = {std::min(e.left, glyph.left), std::min(e.top, glyph.top), std::max(e.right, glyph.right),
                 std::max(e.bottom, glyph.bottom)};
        }
    });
    return e;
}

void Font::render(Mask& into, std::string_view text, float size, Vec2 origin, float tracking) const {
    const float u = static_cast<float>(into.unit());
    const int ox = static_cast<int>(std::lround(origin.x * u));
    const int oy = static_cast<int>(std::lround(origin.y * u));
    face_->layout(text, size * u, tracking * u, true, [&](const FT_GlyphSlot g, float pen) {
        const FT_Bitmap& b = g->bitmap;
        const int gx = static_cast<int>(std::lround(pen)) + g->bitmap_left, gy = -g->bitmap_top;
        for (unsigned row = 0; row < b.rows; ++row)
            for (unsigned col = 0; col < b.width; ++col) {
                const int x = ox + gx + static_cast<int>(col), y = oy + gy + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= into.width() || y >= into.height()) continue;
                const float v =
                    static_cast<float>(b.buffer[static_cast<int>(row) * b.pitch + static_cast<int>(col)]) / 255.0f;
                into.at(x, y) = std::max(into.at(x, y), v);
            }
    });
}

Box Font::renderCentred(Mask& into, std::string_view text, float size, Vec2 centre, float tracking) const {
    const TextExtent e = measure(text, size, tracking);
    const Vec2 origin{centre.x - (e.left + e.right) * 0.5f, centre.y - (e.top + e.bottom) * 0.5f};
    render(into, text, size, origin, tracking);
    return {origin.x + e.left, origin.y + e.top, origin.x + e.right, origin.y + e.bottom};
}

float Font::fit(std::string_view text, float maxWidth, float maxHeight, float tracking) const {
    const TextExtent e = measure(text, 100.0f, tracking);
    // Tracking does not scale with size, so refine the first guess.
    float size = 100.0f * std::min(maxWidth / e.width(), maxHeight / e.height());
    for (int i = 0; i < 4; ++i) {
        const TextExtent f = measure(text, size, tracking);
        size *= std::min(maxWidth / f.width(), maxHeight / f.height());
    }
    return std::floor(size * 4.0f) / 4.0f;
}

}  // namespace assetgen
