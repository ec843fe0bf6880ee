#include "runtime/printable.h"

namespace kv {

namespace {

void escapeByte(std::string& out, unsigned char c) {
    static const char* hex = "0123456789abcdef";
    out += "\\x";
    out += hex[c >> 4];
    out += hex[c & 15];
}

// The length of a well-formed UTF-8 sequence for a printable character at the
// start of `s`, or 0.
std::size_t printableSequence(std::string_view s) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(0);
    std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || len > s.size()) return 0;
    if (len == 1) return c >= 0x20 && c != 0x7F ? 1 : 0;
    char32_t cp = len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; k < len; ++k) {
        if ((b(k) >> 6) != 2) return 0;
        cp = (cp << 6) | (b(k) & 0x3F);
    }
    // Overlong forms, surrogates, the C1 controls and code points past Unicode.
    static const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF || cp < 0xA0) return 0;
    return len;
}

}  // namespace

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = printableSequence(text.substr(i));
        if (n == 0) {
            escapeByte(out, static_cast<unsigned char>(text[i]));
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string printableExcerpt(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return printable(text);
    // Cut on a character boundary: back up over UTF-8 continuation bytes.
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return printable(text.substr(0, cut)) + "...";
}

}  // namespace kv
