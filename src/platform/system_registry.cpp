#include "platform/system_registry.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace kv::platform {

static std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

bool SystemRegistry::query(const std::string& root, const std::string& subKey, const std::string& value,
                           std::string& data, Type& type) {
    // Registry names are case-insensitive.
    if (lower(root) != "hkey_local_machine" || lower(subKey) != "software\\microsoft\\windows\\currentversion" ||
        lower(value) != "registeredowner")
        return false;
    const passwd* pw = getpwuid(getuid());
    if (!pw || !pw->pw_gecos) return false;
    // The account's comment field: the full name comes before the first comma.
    std::string full = pw->pw_gecos;
    full = full.substr(0, full.find(','));
    if (full.empty()) return false;
    data = full;
    type = Type::String;
    return true;
}

}  // namespace kv::platform
