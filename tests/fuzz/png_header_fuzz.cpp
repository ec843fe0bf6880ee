// libFuzzer entry point for the PNG header check: any bytes at all are refused
// or give a picture within the size cap.
#include <cstddef>
#include <cstdint>
#include <span>

#include "runtime/png_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::PngHeader h;
    std::string error;
    if (!kv::readPngHeader(std::span<const std::uint8_t>(data, size), h, error)) return 0;
    if (h.width == 0 || h.height == 0 || h.width > kv::kLargestPictureSide || h.height > kv::kLargestPictureSide)
        __builtin_trap();
    return 0;
}
