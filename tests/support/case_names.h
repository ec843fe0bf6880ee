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

}  // namespace kvtest
