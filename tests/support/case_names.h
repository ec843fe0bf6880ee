#pragma once
// Readable names for parameterised cases: the case as its PrintTo shows it,
// with a minus sign spelled out and anything else but letters and digits
// turned into single underscores ("to -3,0" becomes to_minus3_0).
#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace kvtest {

template <class T>
std::string caseName(const ::testing::TestParamInfo<T>& info) {
    const std::string shown = ::testing::PrintToString(info.param);
    std::string out;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(shown[i]);
        if (std::isalnum(c)) {
            out += char(c);
        } else if (c == '-' && i + 1 < shown.size() && std::isdigit(static_cast<unsigned char>(shown[i + 1]))) {
            if (!out.empty() && out.back() != '_') out += '_';
            out += "minus";
        } else if (!out.empty() && out.back() != '_') {
            out += '_';
        }
    }
    while (!out.empty() && out.back() == '_') out.pop_back();
    return out.empty() ? "case" + std::to_string(info.index) : out;
}

}  // namespace kvtest
