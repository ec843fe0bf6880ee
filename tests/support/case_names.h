#pragma once
// Readable names for the cases of parameterised suites: a case struct with a
// `name` member gets it as its test name, so CTest lists "Kinds/EXTRA_LIFE"
// rather than an index or the case's bytes.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace kvtest {

// Letters and digits kept, anything else folded into single underscores.
inline std::string identifier(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) out += c;
        else if (!out.empty() && out.back() != '_') out += '_';
    }
    while (!out.empty() && out.back() == '_') out.pop_back();
    return out.empty() ? "Empty" : out;
}

// A whole number as a test name may hold it: -3 reads "minus3".
inline std::string number(long v) { return v < 0 ? "minus" + std::to_string(-v) : std::to_string(v); }

struct CaseName {
    template <class P>
    std::string operator()(const testing::TestParamInfo<P>& info) const {
        return identifier(info.param.name);
    }
};

// A case as its PrintTo shows it, with a minus sign spelled out: for cases
// whose values say what they are ("to -3,0" becomes to_minus3_0).
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
