#include "platform/sdl_media.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstring>

namespace kv::platform {

std::optional<Surface> SdlImageCodec::loadPng(const std::string& path, std::string& error) {
    SDL_Surface* raw = IMG_Load(path.c_str());
    if (!raw) {
        error = IMG_GetError();
        return std::nullopt;
    }
    SDL_Surface* conv = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(raw);
    if (!conv) {
        error = SDL_GetError();
        return std::nullopt;
    }
    Surface s(conv->w, conv->h);
    SDL_LockSurface(conv);
    for (int y = 0; y < conv->h; ++y)
        std::memcpy(s.row(y), static_cast<const std::uint8_t*>(conv->pixels) + std::size_t(y) * std::size_t(conv->pitch),
                    std::size_t(conv->w) * 4);
    SDL_UnlockSurface(conv);
    SDL_FreeSurface(conv);
    return s;
}

bool SdlImageCodec::savePng(const Surface& s, const std::string& path, std::string& error) {
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, s.width(), s.height(), 32, SDL_PIXELFORMAT_ARGB8888);
    if (!out) { error = SDL_GetError(); return false; }
    SDL_LockSurface(out);
    for (int y = 0; y < s.height(); ++y) {
        auto* dst = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(out->pixels) + std::size_t(y) * std::size_t(out->pitch));
        const std::uint32_t* src = s.row(y);
        for (int x = 0; x < s.width(); ++x) dst[x] = src[x] | 0xFF000000u;   // a frame is opaque
    }
    SDL_UnlockSurface(out);
    int rc = IMG_SavePNG(out, path.c_str());
    SDL_FreeSurface(out);
    if (rc != 0) { error = IMG_GetError(); return false; }
    return true;
}

SdlFontEngine::~SdlFontEngine() {
    for (TTF_Font* f : fonts_) TTF_CloseFont(f);
}

int SdlFontEngine::open(const std::string& path, int pixelSize, std::string& error) {
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

SdlJoysticks::~SdlJoysticks() {
    for (auto& [i, j] : open_) SDL_JoystickClose(j);
}

int SdlJoysticks::supported() {
    SDL_JoystickUpdate();
    int n = SDL_NumJoysticks();
    return n > 0 ? n : 0;
}

SDL_Joystick* SdlJoysticks::open(int index) {
    auto it = open_.find(index);
    if (it != open_.end()) {
        if (SDL_JoystickGetAttached(it->second)) return it->second;
        SDL_JoystickClose(it->second);
        open_.erase(it);
    }
    if (index < 0 || index >= SDL_NumJoysticks()) return nullptr;
    SDL_Joystick* j = SDL_JoystickOpen(index);
    if (j) open_[index] = j;
    return j;
}

bool SdlJoysticks::caps(int index, JoystickCaps& out) {
    SDL_Joystick* j = open(index);
    if (!j) return false;
    out.minimum = {0, 0, 0};
    out.maximum = {65535, 65535, 65535};
    out.buttons = SDL_JoystickNumButtons(j);
    return true;
}

bool SdlJoysticks::read(int index, JoystickState& out) {
    SDL_Joystick* j = open(index);
    if (!j) return false;
    SDL_JoystickUpdate();
    auto axis = [&](int a) {
        return a < SDL_JoystickNumAxes(j) ? std::int32_t(SDL_JoystickGetAxis(j, a)) + 32768 : 32767;
    };
    out.x = axis(0);
    out.y = axis(1);
    out.z = axis(2);
    out.buttons = 0;
    int nb = SDL_JoystickNumButtons(j);
    for (int b = 0; b < nb && b < 32; ++b)
        if (SDL_JoystickGetButton(j, b)) out.buttons |= (1u << b);
    return true;
}

}  // namespace kv::platform
