#include "shared/star_field.h"

#include <nlohmann/json.hpp>

namespace kv {

Color StarField::colourFor(int depth) {
    if (depth <= 9) return Color(5, 20, 25);
    if (depth <= 19) return Color(25, 75, 100);
    if (depth <= 24) return Color(75, 100, 175);
    return Color(175, 200, 255);
}

void StarField::draw(Random& rnd, Surface& into, int count, int width, int height) {
    StarX.assign(std::size_t(count) + 1, 0);
    StarY.assign(std::size_t(count) + 1, 0);
    StarDepth.assign(std::size_t(count) + 1, 0);
    StarSize.assign(std::size_t(count) + 1, 0);
    for (int i = 1; i <= count; ++i) {
        auto k = std::size_t(i);
        StarX[k] = static_cast<int>(rnd.rnd() * width);
        StarY[k] = static_cast<int>(rnd.rnd() * height);
        StarDepth[k] = 30 - static_cast<int>(rnd.rnd() * 29);
        StarSize[k] = roundHalfEven(rnd.rnd());
        into.circle(StarX[k], StarY[k], StarSize[k], colourFor(StarDepth[k]));
    }
}

void describeInto(nlohmann::json& vars, const StarField& stars) {
    auto fromOne = [](const std::vector<int>& a) {
        return a.empty() ? std::vector<int>{} : std::vector<int>(a.begin() + 1, a.end());
    };
    vars["StarX"] = fromOne(stars.StarX);
    vars["StarY"] = fromOne(stars.StarY);
    vars["StarDepth"] = fromOne(stars.StarDepth);
    vars["StarSize"] = fromOne(stars.StarSize);
}

}  // namespace kv
