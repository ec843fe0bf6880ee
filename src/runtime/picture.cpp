#include "runtime/picture.h"

#include "runtime/errors.h"

namespace kv {

Picture PictureStore::get(const std::string& name) {
    auto it = cache_.find(name);
    if (it != cache_.end()) return it->second;
    std::string path = dir_ + name + ".png";
    std::string err;
    auto img = codec_.loadPng(path, err);
    if (!img) throw FatalError("The picture " + path + " is missing or damaged (" + err + ").");
    Picture p{name, std::make_shared<const Surface>(std::move(*img))};
    cache_.emplace(name, p);
    return p;
}

}  // namespace kv
