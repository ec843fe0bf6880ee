#include "leds.h"

#include <array>
#include <string>

#include "pictures.h"

namespace assetgen {

namespace {

constexpr float kLeft = 4.3f, kRight = 13.5f, kTop = 2.9f, kMiddle = 12.5f, kBottom = 22.1f;
constexpr float kHalfThickness = 1.3f, kGap = 0.55f, kSlant = 0.1f;

struct Segment {
    Vec2 from, to;
};

constexpr std::array<Segment, 7> kSegments{{
    {{kLeft, kTop}, {kRight, kTop}},         // a
    {{kRight, kTop}, {kRight, kMiddle}},     // b
    {{kRight, kMiddle}, {kRight, kBottom}},  // c
    {{kLeft, kBottom}, {kRight, kBottom}},   // d
    {{kLeft, kMiddle}, {kLeft, kBottom}},    // e
    {{kLeft, kTop}, {kLeft, kMiddle}},       // f
    {{kLeft, kMiddle}, {kRight, kMiddle}},   // g
}};

// The digits lean forwards slightly, like a real display.
Vec2 slanted(Vec2 p) { return {p.x + (kMiddle - p.y) * kSlant, p.y}; }

// A segment is a long hexagon with pointed ends so neighbours mitre together.
Shape segmentShape(int n) {
    const Segment& s = kSegments[static_cast<std::size_t>(n)];
    const Vec2 along = normalised(s.to - s.from);
    const Vec2 across = perpendicular(along);
    const Vec2 a = s.from + along * kGap, b = s.to - along * kGap;
    const float h = kHalfThickness;
    return polygon({slanted(a), slanted(a + along * h + across * h), slanted(b - along * h + across * h), slanted(b),
                    slanted(b - along * h - across * h), slanted(a + along * h - across * h)});
}

void paintLed(Canvas& c, std::uint8_t lit) {
    c.fill(rgb(0x0b0707));
    Mask on = c.newMask(), off = c.newMask();
    for (int n = 0; n < 7; ++n) ((lit >> n) & 1 ? on : off).add(segmentShape(n));
    c.draw(off, rgb(0x3c0e0b));
    c.glow(on, rgb(0xff2a12), 1.6f, 0.9f);
    c.draw(on, rgb(0xff3a22));
    Mask core = c.newMask();
    for (int n = 0; n < 7; ++n)
        if ((lit >> n) & 1) core.add(grown(segmentShape(n), -0.6f));
    c.draw(core.blurred(0.3f), rgb(0xffb49a), Blend::Over, 0.85f);
}

}  // namespace

std::uint8_t ledSegmentsLit(int digit) {
    static constexpr std::array<std::uint8_t, 10> kDigits{0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f};
    return digit >= 0 && digit <= 9 ? kDigits[static_cast<std::size_t>(digit)] : 0;
}

Vec2 ledSegmentCentre(int segment) {
    const Segment& s = kSegments[static_cast<std::size_t>(segment)];
    return slanted((s.from + s.to) * 0.5f);
}

void makeLeds(const std::filesystem::path& dir) {
    for (int d = 0; d <= 9; ++d)
        savePicture(supersampled(kLedWidth, kLedHeight, [d](Canvas& c) { paintLed(c, ledSegmentsLit(d)); }), dir,
                    "LED" + std::to_string(d) + ".png");
    savePicture(supersampled(kLedWidth, kLedHeight, [](Canvas& c) { paintLed(c, 0); }), dir, "LEDOff.png");
}

}  // namespace assetgen
