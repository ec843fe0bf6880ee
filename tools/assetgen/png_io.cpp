#include "png_io.h"

#include <png.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace assetgen {

void writePng(const std::filesystem::path& file, const Rgba8Image& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4)
        throw std::runtime_error("bad image for " + file.string());
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&png, file.string().c_str(), 0, image.pixels.data(), 0, nullptr))
        throw std::runtime_error("cannot write " + file.string() + ": " + png.message);
}

Rgba8Image readPng(const std::filesystem::path& file) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, file.string().c_str()))
        throw std::runtime_error("cannot read " + file.string() + ": " + png.message);
    png.format = PNG_FORMAT_RGBA;
    Rgba8Image image;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        throw std::runtime_error("cannot decode " + file.string() + ": " + png.message);
    }
    return image;
}

}  // namespace assetgen
