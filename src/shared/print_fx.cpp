#include "shared/print_fx.h"

#include <algorithm>

namespace kv {

namespace {

// One step of the spacing animation; returns false after the last frame.
struct Animator {
    int spacing, step = -1, counter = 0, endSpacing, noBounce;
    bool bounced = false, last = false;
    void next() {
        if (spacing < -3 && noBounce == 0 && !bounced) {
            counter = spacing + 4;
            bounced = true;
            step = 1;
        }
        if (spacing > 128) step = -1;
        if (noBounce == 0 && step == 1) {
            if (spacing == endSpacing) {
                last = true;
            } else {
                counter -= 1;
                if (counter <= 0) {
                    spacing += 1;
                    counter = spacing + 4;
                }
            }
        } else {
            spacing += step;
        }
    }
};

// A caption that never settles (noBounce set, say) still stops somewhere.
constexpr int kMaxFrames = 2000;

}  // namespace

std::vector<int> printFxSpacings(int noBounce, int startSpacing, int endSpacing) {
    Animator a{startSpacing, -1, 0, endSpacing, noBounce};
    std::vector<int> out;
    while (!a.last && static_cast<int>(out.size()) < kMaxFrames) {
        a.next();
        out.push_back(a.spacing);
    }
    return out;
}

int PrintFX(Runtime& rt, PictureBox& overlay, const Font& font, const std::string& text, int x, int y, int noBounce,
            int startSpacing, int endSpacing, Color colour, int limitWidth) {
    TextEngine& te = rt.text();
    Rect previous{x, y, 0, 0};
    int frames = 0;
    for (int spacing : printFxSpacings(noBounce, startSpacing, endSpacing)) {
        std::uint64_t started = rt.now();
        Surface& c = overlay.canvas();
        // The last frame goes under a brush of the box's own dark: black on the
        // planet, clear over the stages' nebula.
        c.fillRect(previous, overlay.backColor());
        int w = te.measure(font, text, spacing);
        int right = std::min(x + std::max(w, 0) + 4, limitWidth);
        Rect r{x, y, std::max(0, right - x), te.lineHeight(font)};
        te.draw(c.view().subregion(r), font, text, 0, 0, colour, spacing);
        overlay.setVisible(true);
        previous = r;
        ++frames;
        rt.busyWaitUntil(started + 20);
    }
    return frames;
}

}  // namespace kv
