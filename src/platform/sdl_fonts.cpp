#include "platform/sdl_fonts.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include "runtime/file_io.h"

namespace kv::platform {

SdlFontEngine::~SdlFontEngine() {
    for (TTF_Font* f : fonts_) TTF_CloseFont(f);
}

int SdlFontEngine::open(const std::string& path, int pixelSize, std::string& error) {
    // SDL_ttf would open a named pipe and wait on it for ever.
    if (!checkReadableFile(path, error)) return -1;
    TTF_Font* f = TTF_OpenFont(path.c_str(), pixelSize);
    if (!f) {
        error = TTF_GetError();
        return -1;
    }
    TTF_SetFontHinting(f, TTF_HINTING_LIGHT);
    fonts_.push_back(f);
    return static_cast<int>(fonts_.size()) - 1;
}

int SdlFontEngine::lineHeight(int handle) { return TTF_FontHeight(fonts_.at(std::size_t(handle))); }

bool SdlFontEngine::glyph(int handle, char32_t ch, GlyphBitmap& out) {
    TTF_Font* f = fonts_.at(std::size_t(handle));
    int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
    if (TTF_GlyphMetrics32(f, static_cast<Uint32>(ch), &minx, &maxx, &miny, &maxy, &advance) != 0) return false;
    out.advance = advance;
    out.height = TTF_FontHeight(f);
    SDL_Color white{255, 255, 255, 255};
    SDL_Surface* g = TTF_RenderGlyph32_Blended(f, static_cast<Uint32>(ch), white);
    if (!g) {
        out.width = 0;
        out.alpha.clear();
        return true;   // a blank glyph (a space) still advances
    }
    SDL_Surface* conv = SDL_ConvertSurfaceFormat(g, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(g);
    if (!conv) return false;
    out.width = conv->w;
    out.height = conv->h;
    out.alpha.assign(std::size_t(conv->w) * std::size_t(conv->h), 0);
    SDL_LockSurface(conv);
    for (int y = 0; y < conv->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(conv->pixels) + std::size_t(y) * std::size_t(conv->pitch));
        for (int x = 0; x < conv->w; ++x) out.alpha[std::size_t(y) * std::size_t(conv->w) + std::size_t(x)] = std::uint8_t(row[x] >> 24);
    }
    SDL_UnlockSurface(conv);
    SDL_FreeSurface(conv);
    return true;
}

}  // namespace kv::platform
