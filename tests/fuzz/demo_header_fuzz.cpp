// libFuzzer entry point for a demo's first line: any bytes give its settings,
// or are refused only for a first line longer than any script line; and the
// settings, written back as the recorder writes them, read back the same.
#include <cstddef>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "runtime/demo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::map<std::string, std::string> settings;
    try {
        settings = kv::demoSettingsFrom(bytes);
    } catch (const std::runtime_error&) {
        if (bytes.substr(0, bytes.find('\n')).size() <= kv::kLongestScriptLine) __builtin_trap();
        return 0;
    }
    std::string line = kv::kDemoHeader;
    for (const auto& [key, value] : settings) {
        for (const std::string* word : {&key, &value})
            if (word->empty() || word->find_first_of(" \t\n\v\f\r") != std::string::npos) __builtin_trap();
        line += ' ' + key + ' ' + value;
    }
    // "# demo:k v" comes back with one more space, which may not fit.
    if (line.size() > kv::kLongestScriptLine) return 0;
    if (kv::demoSettingsFrom(line + "\n100 key 37\n") != settings) __builtin_trap();
    return 0;
}
