#include "runtime/picture.h"

#include "runtime/errors.h"
#include "runtime/printable.h"

namespace kv {

Picture PictureStore::get(const std::string& name) {
    auto it = cache_.find(name);
    if (it != cache_.end()) return it->second;
    std::string path = dir_ + name + ".png";
    std::string err;
    std::optional<Surface> img;
    try {
        img = codec_.loadPng(path, err);
    } catch (const std::exception& e) {
        // Out of memory, say: still name the picture.
        throw FatalError("Cannot load the picture " + printable(path) + ": " + e.what());
    }
    if (!img) throw FatalError("The picture " + printable(path) + " is missing or damaged (" + err + ").");
    const bool opaque = img->isOpaque();
    Picture p{name, std::make_shared<const Surface>(std::move(*img)), opaque};
    cache_.emplace(name, p);
    return p;
}

}  // namespace kv
