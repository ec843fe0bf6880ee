#include "platform/sdl_image.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

#include "runtime/file_io.h"
#include "runtime/png_header.h"

namespace kv::platform {

namespace {
// A picture within the size the header check allows, stored without any
// compression, stays well below this.
constexpr std::uintmax_t kLargestPngFile = 64u << 20;
}  // namespace

std::optional<Surface> SdlImageCodec::loadPng(const std::string& path, std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!readFileBytes(path, kLargestPngFile, bytes, error)) return std::nullopt;
    PngHeader header;
    if (!readPngHeader(bytes, header, error)) return std::nullopt;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!rw) {
        error = SDL_GetError();
        return std::nullopt;
    }
    SDL_Surface* raw = IMG_LoadPNG_RW(rw);
    SDL_RWclose(rw);
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

namespace {
// An SDL stream that appends whatever is written to a string.
SDL_RWops* appendingTo(std::string& bytes) {
    SDL_RWops* rw = SDL_AllocRW();
    if (!rw) return nullptr;
    rw->type = SDL_RWOPS_UNKNOWN;
    rw->hidden.unknown.data1 = &bytes;
    rw->size = [](SDL_RWops* ctx) -> Sint64 { return Sint64(static_cast<std::string*>(ctx->hidden.unknown.data1)->size()); };
    // Only telling where the end is: the encoder writes straight through.
    rw->seek = [](SDL_RWops* ctx, Sint64 offset, int whence) -> Sint64 {
        auto* out = static_cast<std::string*>(ctx->hidden.unknown.data1);
        if (offset == 0 && whence != RW_SEEK_SET) return Sint64(out->size());
        return SDL_SetError("a PNG being encoded cannot seek");
    };
    rw->read = [](SDL_RWops*, void*, size_t, size_t) -> size_t { return 0; };
    rw->write = [](SDL_RWops* ctx, const void* p, size_t size, size_t num) -> size_t {
        static_cast<std::string*>(ctx->hidden.unknown.data1)->append(static_cast<const char*>(p), size * num);
        return num;
    };
    rw->close = [](SDL_RWops* ctx) -> int {
        SDL_FreeRW(ctx);
        return 0;
    };
    return rw;
}
}  // namespace

bool SdlImageCodec::encodePng(const Surface& s, std::string& bytes, std::string& error) {
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, s.width(), s.height(), 32, SDL_PIXELFORMAT_ARGB8888);
    if (!out) { error = SDL_GetError(); return false; }
    SDL_LockSurface(out);
    for (int y = 0; y < s.height(); ++y) {
        auto* dst = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(out->pixels) + std::size_t(y) * std::size_t(out->pitch));
        const std::uint32_t* src = s.row(y);
        for (int x = 0; x < s.width(); ++x) dst[x] = src[x] | 0xFF000000u;   // a frame is opaque
    }
    SDL_UnlockSurface(out);
    bytes.clear();
    SDL_RWops* rw = appendingTo(bytes);
    int rc = rw ? IMG_SavePNG_RW(out, rw, 1) : -1;
    SDL_FreeSurface(out);
    if (rc != 0) { error = IMG_GetError(); return false; }
    return true;
}

}  // namespace kv::platform
