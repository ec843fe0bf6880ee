// libFuzzer entry point for the WAV reader: any bytes at all must be refused
// or read within bounds, and a read result must give a canonical image.
#include <cstddef>
#include <cstdint>
#include <span>

#include "media/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    kv::WavSample s;
    std::string error;
    if (!kv::readWav(bytes, s, error)) return 0;
    if (s.dataOffset + s.dataLength > size) __builtin_trap();
    if (kv::playableFormat(s.format, error)) (void)kv::canonicalWav(bytes, s);
    return 0;
}
