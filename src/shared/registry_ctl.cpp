#include "shared/registry_ctl.h"

#include "runtime/text.h"

namespace kv {

std::optional<std::string> ownerNameOf(RegistryReader& reg, const std::string& root, const std::string& subKey,
                                       const std::string& value) {
    constexpr std::size_t kBuffer = 255;
    constexpr std::size_t kNameLength = 12;
    std::string data;
    RegistryReader::Type type = RegistryReader::Type::None;
    if (!reg.query(root, subKey, value, data, type)) return std::nullopt;
    std::size_t length = data.size() + 1;   // the stored string with its NUL
    if (length > kBuffer || type != RegistryReader::Type::String) return std::nullopt;
    std::string buffer(kBuffer, ' ');
    buffer.replace(0, data.size(), data);
    buffer[data.size()] = '\0';
    // Twelve characters, not bytes: an accented name is not cut in a letter.
    return firstCharacters(buffer, kNameLength);
}

void ReadOwnerName(RegistryReader& reg, const std::string& root, const std::string& subKey, const std::string& value,
                   std::string& PlayerName) {
    if (auto name = ownerNameOf(reg, root, subKey, value)) PlayerName = *name;
}

}  // namespace kv
