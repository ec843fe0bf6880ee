#include "frontend/scroll_text.h"

#include "frontend/text_lines.h"

namespace kv::frontend {

ScrollTextRead readScrollText(std::string_view bytes) {
    ScrollTextRead out;
    if (bytes.size() > kMostScrollBytes) {
        out.error = "it is far too large for a scroller text (" + std::to_string(bytes.size()) + " bytes)";
        return out;
    }
    auto text = textLines(bytes, out.error);
    if (!text) return out;
    const std::vector<std::string_view>& lines = *text;

    std::string_view first = lines.empty() ? std::string_view{} : trimSpaces(lines[0]);
    // Digits only, and few enough that the count cannot overflow on its way
    // to being refused: a damaged file's first line may be any length.
    const bool number = !first.empty() && first.size() <= 9 && first.find_first_not_of("0123456789") == std::string_view::npos;
    long n = 0;
    if (number)
        for (char c : first) n = n * 10 + (c - '0');
    if (!number) {
        out.error = "its first line should be the number of lines, not \"" + std::string(first.substr(0, 40)) + "\"";
        return out;
    }
    if (n - 1 > kScrollCapacity) {
        out.error = "it announces " + std::to_string(n - 1) + " lines of text; the scroller holds at most " +
                    std::to_string(kScrollCapacity);
        return out;
    }
    if (n - 1 > static_cast<long>(lines.size()) - 1) {
        out.error = "it announces " + std::to_string(n - 1) + " lines of text but holds only " +
                    std::to_string(lines.size() - (lines.empty() ? 0 : 1));
        return out;
    }
    out.count = static_cast<int>(n - 1);
    for (int i = 1; i <= out.count; ++i) {
        std::string line(lines[std::size_t(i)]);
        // A tab shows as a space: the fonts have no glyph for it.
        for (char& c : line)
            if (c == '\t') c = ' ';
        out.lines.push_back(std::move(line));
    }
    return out;
}

int fadeLevel(const ScrollFade& fade, double y, int h) {
    int level = fade.full;
    for (int k = 8; k >= 1; --k) {
        double edge = static_cast<double>(fade.pitch) * k / fade.divisor;
        if (y > h - edge || y < edge) level = fade.level[std::size_t(k)];
    }
    return level;
}

}  // namespace kv::frontend
