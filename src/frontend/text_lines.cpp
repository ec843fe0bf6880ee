#include "frontend/text_lines.h"

namespace kv::frontend {

std::optional<std::vector<std::string_view>> textLines(std::string_view bytes, std::string& error) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    for (char c : bytes) {
        unsigned char u = static_cast<unsigned char>(c);
        if ((u < 32 && c != '\r' && c != '\n' && c != '\t') || u == 127) {
            error = "it is not a text file";
            return std::nullopt;
        }
    }
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

std::string_view trimSpaces(std::string_view s) {
    std::size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string_view::npos ? std::string_view{} : s.substr(a, b - a + 1);
}

}  // namespace kv::frontend
