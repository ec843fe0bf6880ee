#include "shared/led_readout.h"

#include <string>

namespace kv {

std::vector<int> ledCells(std::int64_t value, int cells) {
    std::vector<int> out(std::size_t(cells), -1);
    std::string bare = std::to_string(value);            // "-1" or "123"
    std::string s = value >= 0 ? " " + bare : bare;      // with its sign place
    int k = static_cast<int>(s.size());
    if (k < 2 || k > cells + 1) return out;
    int first = cells - (k - 1);
    for (int j = 1; j <= k - 1; ++j) {
        char ch = bare[std::size_t(j - 1)];
        out[std::size_t(first + j - 1)] = (ch >= '0' && ch <= '9') ? ch - '0' : 0;
    }
    return out;
}

void paintUnlit(PictureBox& box, int cells, const LedPictures& pics) {
    Surface& c = box.canvas();
    for (int i = 0; i < cells; ++i) c.blit(*pics.off.image, 1 + 20 * i, 0);
}

void paintReadout(PictureBox& box, int cells, std::int64_t value, const LedPictures& pics) {
    paintUnlit(box, cells, pics);
    Surface& c = box.canvas();
    auto digits = ledCells(value, cells);
    for (int i = 0; i < cells; ++i)
        if (digits[std::size_t(i)] >= 0) c.blit(*pics.digits[std::size_t(digits[std::size_t(i)])].image, 1 + 20 * i, 0);
}

}  // namespace kv
