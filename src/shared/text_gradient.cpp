#include "shared/text_gradient.h"

namespace kv {

namespace {
// One band step of one component toward its target.
double stepComponent(double c, int target, bool rising) {
    if (!rising && c > target + 25.5) c -= 25.5;
    if (rising && c < target - 25.5) c += 25.5;
    return roundHalfEven(c);
}
}  // namespace

void TextGradient(Runtime& rt, const std::string& text, PictureBox& scratch, PictureBox& dest, int red1, int green1,
                  int blue1, int red2, int green2, int blue2, Color background) {
    bool rRise = red1 < red2, gRise = green1 < green2, bRise = blue1 < blue2;
    TextEngine& te = rt.text();
    int h = te.lineHeight(scratch.font) / 8;
    // Both kept in memory, in the given background colour.
    scratch.setAutoRedraw(true);
    dest.setAutoRedraw(true);
    scratch.setBackColor(background);
    dest.setBackColor(background);
    dest.cls();
    scratch.setVisible(false);
    double r = red1, g = green1, b = blue1;
    for (int band = 1; band <= 10; ++band) {
        int y = (band - 1) * h;
        scratch.cls();
        Surface& s = scratch.canvas();
        int w = te.measure(scratch.font, text);
        te.draw(s, scratch.font, text, roundHalfEven(s.width() / 2.0 - w / 2.0), 0, Color(int(r), int(g), int(b)));
        r = stepComponent(r, red2, rRise);
        g = stepComponent(g, green2, gRise);
        b = stepComponent(b, blue2, bRise);
        dest.canvas().blit(s, Rect{0, y, dest.width(), h}, 0, y);
    }
}

}  // namespace kv
