#include "runtime/text.h"

#include "runtime/errors.h"
#include "runtime/printable.h"

namespace kv {

TextEngine::TextEngine(FontEngine& engine, std::string fontDir) : engine_(engine), fontDir_(std::move(fontDir)) {}

std::u32string decodeUtf8(const std::string& s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + std::size_t(len) > s.size()) { out.push_back(0xFFFD); ++i; continue; }
        char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        bool ok = true;
        for (int k = 1; k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + std::size_t(k)]);
            if ((cc >> 6) != 2) { ok = false; break; }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) { out.push_back(0xFFFD); ++i; continue; }
        out.push_back(cp);
        i += std::size_t(len);
    }
    return out;
}

std::string firstCharacters(const std::string& s, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t count = 0; i < s.size() && count < n; ++count) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        bool whole = i + len <= s.size();
        for (std::size_t k = 1; whole && k < len; ++k) whole = (static_cast<unsigned char>(s[i + k]) >> 6) == 2;
        i += whole ? len : 1;
    }
    return s.substr(0, i);
}

TextEngine::Face& TextEngine::face(const Font& f) {
    int px = pixelSize(f.sizePt);
    auto key = std::make_pair(px, f.bold);
    auto it = faces_.find(key);
    if (it != faces_.end()) return it->second;
    std::string path = fontDir_ + (f.bold ? "LiberationSans-Bold.ttf" : "LiberationSans-Regular.ttf");
    std::string err;
    int h = -1;
    try {
        h = engine_.open(path, px, err);
    } catch (const std::exception& e) {
        err = e.what();
    }
    if (h < 0) throw FatalError("Cannot open the font " + printable(path) + ": " + err);
    Face& fc = faces_[key];
    fc.handle = h;
    fc.lineHeight = engine_.lineHeight(h);
    return fc;
}

const GlyphBitmap& TextEngine::glyph(Face& fc, char32_t ch) {
    if (ch < fc.ascii.size() && fc.ascii[ch]) return *fc.ascii[ch];
    auto it = fc.glyphs.find(ch);
    if (it == fc.glyphs.end()) {
        GlyphBitmap g;
        if (!engine_.glyph(fc.handle, ch, g)) {
            g = GlyphBitmap{};
            g.height = fc.lineHeight;
        }
        it = fc.glyphs.emplace(ch, std::move(g)).first;
    }
    if (ch < fc.ascii.size()) fc.ascii[ch] = &it->second;
    return it->second;
}

int TextEngine::lineHeight(const Font& f) { return face(f).lineHeight; }

int TextEngine::measure(const Font& f, const std::string& text, int extra) {
    Face& fc = face(f);
    int w = 0;
    for (char32_t ch : decodeUtf8(text)) w += glyph(fc, ch).advance + extra;
    return w;
}

void TextEngine::draw(SurfaceView s, const Font& f, const std::string& text, int x, int y, Color c, int extra) {
    Face& fc = face(f);
    int pen = x;
    for (char32_t ch : decodeUtf8(text)) {
        const GlyphBitmap& g = glyph(fc, ch);
        if (!g.alpha.empty()) s.drawMask(g.alpha.data(), g.width, g.height, g.width, pen, y, c);
        pen += g.advance + extra;
    }
}

}  // namespace kv
