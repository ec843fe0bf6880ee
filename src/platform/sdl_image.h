#pragma once
// Pictures through SDL_image: PNG files in, PNG screenshots out.
#include "runtime/host.h"

namespace kv::platform {

class SdlImageCodec : public ImageCodec {
public:
    // The file is read whole and its header checked before it is decoded.
    std::optional<Surface> loadPng(const std::string& path, std::string& error) override;
    bool encodePng(const Surface& s, std::string& bytes, std::string& error) override;
};

}  // namespace kv::platform
