#include "shared/registry_ctl.h"

#include "runtime/text.h"

namespace kv {

void ReadOwnerName(RegistryReader& reg, const std::string& root, const std::string& subKey, const std::string& value,
                   std::string& PlayerName) {
    constexpr std::size_t kBuffer = 255;
    std::string buffer(kBuffer, ' ');
    std::string data;
    RegistryReader::Type type = RegistryReader::Type::None;
    if (!reg.query(root, subKey, value, data, type)) return;
    std::size_t length = data.size() + 1;   // the stored string with its NUL
    if (length > kBuffer || type != RegistryReader::Type::String) return;
    buffer.replace(0, data.size(), data);
    buffer[data.size()] = '\0';
    // Twelve characters, not bytes: an accented name is not cut in a letter.
    PlayerName = firstCharacters(buffer, 12);
}

}  // namespace kv
