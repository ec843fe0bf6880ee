// Bonus pick-ups: the BONUS plate and the good and bad capsules.

#include "captions.h"
#include "noise.h"
#include "pictures.h"
#include "text.h"

namespace assetgen {

namespace {

void paintBonusPlate(Canvas& c) {
    const Shape plate = rect(0.3f, 0.3f, 40.7f, 15.7f, 3.0f);
    const Shape face = rect(1.1f, 1.1f, 39.9f, 14.9f, 2.4f);
    c.draw(plate, rgb(0x0b0d12));
    Mask faceMask = c.newMask();
    faceMask.add(face);
    c.draw(faceMask, [](Vec2 p) {
        // Brushed steel: a vertical sheen with fine horizontal streaks.
        const float streak = 0.06f * fbm({p.x * 0.08f, p.y * 3.0f}, 3, 7);
        const Colour base = Gradient{{0, rgb(0x9aa6ba)}, {0.45f, rgb(0x566074)}, {1, rgb(0x2a303c)}}.at(p.y / 16.0f);
        return brightened(base, 1.0f + streak);
    });
    c.draw(rect(2.6f, 2.6f, 38.4f, 13.4f, 1.6f) - rect(3.1f, 3.1f, 37.9f, 12.9f, 1.2f), rgb(0x2a303a), Blend::Over,
           0.5f);
    c.shade(faceMask, 0.8f, 0.7f);
    for (const float x : {4.4f, 36.6f}) {
        c.draw(circle({x, 8}, 1.15f), rgb(0x2a2f38));
        c.draw(circle({x - 0.15f, 7.85f}, 0.85f),
               radial({x - 0.5f, 7.5f}, 1.3f, Gradient{{0, rgb(0xffffff)}, {1, rgb(0x6a7282)}}));
    }

    const float size = Font::bold().fit("BONUS", 27, 9.5f, 0.4f);
    paintCaption(c, "BONUS", size, {20.5f, 8.1f}, 0.4f, kAmberCaption);
}

void paintOrb(Canvas& c, Vec2 centre, float radius, Colour light, Colour mid, Colour dark, Colour rim) {
    c.draw(circle(centre, radius + 0.3f), rgb(0x07080b));
    c.draw(circle(centre, radius - 0.4f),
           linear(centre - Vec2{radius, radius}, centre + Vec2{radius, radius},
                  Gradient{{0, brightened(rim, 1.4f)}, {0.5f, rim}, {1, brightened(rim, 0.35f)}}));
    const float inner = radius - 1.6f;
    c.draw(circle(centre, inner + 0.35f), rgb(0x07080b, 0.8f));
    c.draw(circle(centre, inner), radial(centre - Vec2{inner * 0.35f, inner * 0.4f}, inner * 1.5f,
                                         Gradient{{0, light}, {0.45f, mid}, {1, dark}}));
}

void paintGoodPickup(Canvas& c) {
    const Vec2 o{9, 9};
    paintOrb(c, o, 8.3f, rgb(0xd0ffc0), rgb(0x2fd04a), rgb(0x064a14), rgb(0xf0c040));
    const Shape plus = rect(7.7f, 4.4f, 10.3f, 13.6f, 0.5f) | rect(4.4f, 7.7f, 13.6f, 10.3f, 0.5f);
    Mask plusMask = c.newMask();
    plusMask.add(plus);
    c.glow(plusMask, rgb(0x80ff90), 1.0f, 0.8f);
    c.draw(grown(plus, 0.5f), rgb(0x0a3010, 0.8f));
    c.draw(plus, linear({0, 4.4f}, {0, 13.6f}, Gradient{{0, rgb(0xffffff)}, {1, rgb(0xd8ffd0)}}));
    c.draw(ellipse({6.0f, 5.4f}, 1.6f, 0.9f), rgb(0xffffff, 0.7f));
}

void paintBadPickup(Canvas& c) {
    const Vec2 o{9.5f, 9.5f};
    paintOrb(c, o, 8.8f, rgb(0xff9c8c), rgb(0xd41616), rgb(0x3a0004), rgb(0x8a8f9c));
    // A small skull.
    const Shape cranium = circle({9.5f, 8.3f}, 3.7f) | rect(7.5f, 9.5f, 11.5f, 13.6f, 0.9f);
    const Shape eyes = ellipse({8.05f, 8.7f}, 1.1f, 1.25f) | ellipse({10.95f, 8.7f}, 1.1f, 1.25f);
    const Shape nose = polygon({{9.5f, 10.0f}, {10.1f, 11.2f}, {8.9f, 11.2f}});
    const Shape teeth =
        rect(8.7f, 12.2f, 8.95f, 13.6f) | rect(9.4f, 12.2f, 9.65f, 13.6f) | rect(10.1f, 12.2f, 10.35f, 13.6f);
    c.draw(grown(cranium, 0.6f), rgb(0x200003, 0.85f));
    c.draw(cranium, linear({7, 5}, {12, 14}, Gradient{{0, rgb(0xffffff)}, {1, rgb(0xc8c0b4)}}));
    c.draw(eyes | nose | teeth, rgb(0x1a0004));
    c.draw(ellipse({6.3f, 5.5f}, 1.5f, 0.8f), rgb(0xffffff, 0.55f));
}

}  // namespace

void makePickups(const std::filesystem::path& dir) {
    savePicture(supersampled(41, 16, paintBonusPlate), dir, "bonuspic.png");
    savePicture(supersampled(18, 18, paintGoodPickup), dir, "goddbonuspic.png");
    savePicture(supersampled(19, 19, paintBadPickup), dir, "badbonuspic.png");
}

}  // namespace assetgen
