#pragma once
#include "runtime/host.h"

namespace kv::platform {

// The read-only registry stand-in: "RegisteredOwner" under
// "Software\Microsoft\Windows\CurrentVersion" of the local machine answers the
// full name of the user from the system account database. Nothing else exists.
class SystemRegistry : public RegistryReader {
public:
    bool query(const std::string& root, const std::string& subKey, const std::string& value, std::string& data,
               Type& type) override;
};

}  // namespace kv::platform
