#pragma once
// Pictures: immutable images with the name of their source, shared by sprites.
#include <map>
#include <memory>
#include <string>

#include "runtime/host.h"
#include "runtime/surface.h"

namespace kv {

struct Picture {
    std::string name;                          // the source picture's game name
    std::shared_ptr<const Surface> image;      // null for a cleared picture
    bool opaque = false;                       // no pixel lets what is beneath show
    bool empty() const { return !image; }
    int width() const { return image ? image->width() : 0; }
    int height() const { return image ? image->height() : 0; }
};

// Loads "<AppDir>/Pictures/<name>.png" once and hands out shared copies.
class PictureStore {
public:
    PictureStore(ImageCodec& codec, std::string pictureDir) : codec_(codec), dir_(std::move(pictureDir)) {}
    // Throws FatalError naming the file when it is missing or unreadable.
    Picture get(const std::string& name);

private:
    ImageCodec& codec_;
    std::string dir_;
    std::map<std::string, Picture> cache_;
};

}  // namespace kv
