// Scenery on the planet surface: the rocky ground strip and the rod dispenser.

#include <cmath>

#include "noise.h"
#include "painters.h"
#include "pictures.h"

namespace assetgen {

namespace {

constexpr float kGroundWidth = 400;

// Height of the ground's top edge; repeats every kGroundWidth so strips tile.
float skyline(float x) {
    const float cells = 8.0f;
    return 6.5f + 4.0f * fbm({x / kGroundWidth * cells, 0.37f}, 4, 404, static_cast<int>(cells));
}

const Gradient kRock{
    {0, rgb(0xb86a44)}, {3, rgb(0x8a4632)}, {8, rgb(0x5a2c2a)}, {13, rgb(0x2e161c)}, {20, rgb(0x140a0e)}};

void boulder(Canvas& c, Vec2 p, float rx, float ry) {
    const Shape rock = ellipse(p, rx, ry);
    c.draw(grown(rock, 0.5f), rgb(0x120608, 0.9f));
    c.draw(rock,
           radial(p - Vec2{rx * 0.45f, ry * 0.55f}, rx * 1.6f,
                  Gradient{{0, rgb(0xf0b890)}, {0.35f, rgb(0xa85a3c)}, {0.8f, rgb(0x4a2224)}, {1, rgb(0x2a1216)}}));
}

void paintGround(Canvas& c) {
    c.apply([](Vec2 p, Colour) {
        const float top = skyline(p.x);
        const float cover = std::clamp((p.y - top) * 2.0f + 0.5f, 0.0f, 1.0f);
        if (cover <= 0) return kClear;
        const float depth = p.y - top;
        // Layered, cracked rock, periodic in x like the skyline.
        const float grain = fbm({p.x / kGroundWidth * 40.0f, p.y * 0.3f}, 4, 17, 40);
        const float strata = std::sin(p.y * 0.9f + grain * 3.0f) * 0.5f + 0.5f;
        const float crack =
            1.0f - smoothstep(0.0f, 0.09f, std::abs(noise({p.x / kGroundWidth * 30.0f, p.y * 0.18f}, 19, 30)));
        Colour rock = brightened(kRock.at(depth), 0.8f + 0.3f * strata + 0.3f * grain);
        rock = lerp(rock, rgb(0x1a0a0c), crack * 0.7f * smoothstep(1.0f, 3.0f, depth));
        // Sunlit crust along the top edge.
        const float rim = std::clamp(1.6f - depth, 0.0f, 1.0f);
        rock = lerp(rock, rgb(0xffc8a0), rim * 0.75f);
        return withAlpha(rock, cover);
    });

    Rng rng(808);
    // Everything scattered on the ground is drawn three times so it wraps
    // across the seam when strips are laid side by side.
    const float shifts[] = {-kGroundWidth, 0.0f, kGroundWidth};
    for (int i = 0; i < 26; ++i) {
        const float x = rng.range(0, kGroundWidth);
        const float y = rng.range(skyline(x) + 4, 19);
        const float rx = rng.range(1.2f, 3.2f), ry = rx * rng.range(0.4f, 0.6f);
        const bool pit = rng.chance(0.5f);
        for (const float shift : shifts) {
            const Vec2 p{x + shift, y};
            if (pit) {
                c.draw(ellipse(p, rx, ry), rgb(0x0a0406, 0.8f));
                c.draw(ellipse(p + Vec2{0, ry * 0.6f}, rx * 0.8f, ry * 0.45f), rgb(0xd08a68, 0.35f));
            } else {
                boulder(c, p, rx, ry);
            }
        }
    }
    // Boulders resting on the surface.
    for (int i = 0; i < 16; ++i) {
        const float x = rng.range(0, kGroundWidth);
        const float rx = rng.range(2.2f, 5.0f), ry = rx * rng.range(0.55f, 0.8f);
        const float y = skyline(x) + ry * 0.5f;
        for (const float shift : shifts) boulder(c, {x + shift, y}, rx, ry);
    }
    // Glowing crystals poking out of the crust.
    for (int i = 0; i < 6; ++i) {
        const float x = rng.range(10, kGroundWidth - 10);
        const float base = skyline(x) + 2.5f;
        const float h = rng.range(3.5f, 5.5f);
        const float lean = rng.range(-1.0f, 1.0f);
        const Shape crystal = polygon({{x - 1.6f, base}, {x + lean, base - h}, {x + 1.6f, base}}) |
                              polygon({{x + 0.5f, base}, {x + 2.4f + lean, base - h * 0.6f}, {x + 2.8f, base}});
        Mask m = c.newMask();
        m.add(crystal);
        c.glow(m, rgb(0x20ffd0), 1.5f, 0.6f);
        c.draw(m, linear({x - 1.6f, 0}, {x + 2.8f, 0},
                         Gradient{{0, rgb(0xc0fff0)}, {0.5f, rgb(0x30d8b0)}, {1, rgb(0x0a6a60)}}));
    }
}

void paintDispenser(Canvas& c) {
    const Shape lip = rect(1.0f, 1.0f, 97.0f, 5.2f, 2.6f);
    const Shape hopper = polygon({{3, 4}, {95, 4}, {80, 21}, {18, 21}});
    const Shape base = rect(11, 19, 87, 34.5f, 2);
    const Shape foot = rect(6, 31.5f, 92, 35, 1);
    c.draw(grown(lip | hopper | base | foot, 0.8f), rgb(0x06080b));

    // Funnel body with the warning band.
    Mask funnel = c.newMask();
    funnel.add(hopper);
    c.draw(funnel,
           linear({3, 0}, {95, 0},
                  Gradient{{0, rgb(0x5a6578)}, {0.3f, rgb(0xaab6c8)}, {0.7f, rgb(0x6a7588)}, {1, rgb(0x343b48)}}));
    Mask band = c.newMask();
    band.add(rect(0, 9, 98, 15)).multiply(funnel);
    c.draw(band, hazardStripes(7.0f));
    c.draw(band, linear({0, 9}, {0, 15}, Gradient{{0, rgb(0xffffff, 0.2f)}, {1, rgb(0x000000, 0.35f)}}));
    c.shade(funnel, 1.5f, 0.5f);

    // Mouth of the intake, with a faint green glow from the rods within.
    c.draw(lip, linear({0, 0.5f}, {0, 5}, Gradient{{0, rgb(0xe8eef6)}, {1, rgb(0x646e80)}}));
    const Shape mouth = rect(3.6f, 1.6f, 94.4f, 4.4f, 1.3f);
    c.draw(mouth,
           linear({0, 1.6f}, {0, 4.4f}, Gradient{{0, rgb(0x010203)}, {0.6f, rgb(0x04140a)}, {1, rgb(0x1a6a2c)}}));
    Mask inner = c.newMask();
    inner.add(rect(22, 3.2f, 76, 4.2f, 0.5f));
    c.glow(inner, rgb(0x40ff60), 1.2f, 0.6f);

    // Machine base with vents and lamps.
    Mask baseMask = c.newMask();
    baseMask.add(base);
    c.draw(baseMask, linear({0, 19}, {0, 35}, Gradient{{0, rgb(0x4a5466)}, {1, rgb(0x1e232d)}}));
    for (float x = 17; x < 58; x += 4.5f) c.draw(rect(x, 23.5f, x + 2.2f, 31, 1.0f), rgb(0x06080b));
    c.shade(baseMask, 1.2f, 0.5f);
    c.draw(foot, linear({0, 31.5f}, {0, 35}, Gradient{{0, rgb(0x7a8698)}, {1, rgb(0x2a303a)}}));
    c.draw(rect(63, 22.5f, 83, 31, 1.5f), rgb(0x0a0c10));
    c.draw(circle({68, 26.8f}, 2.2f), rgb(0x4a2a08));
    c.draw(circle({77.5f, 26.8f}, 2.8f),
           radial({76.8f, 26}, 3.2f, Gradient{{0, rgb(0xeaffea)}, {0.4f, rgb(0x50ff60)}, {1, rgb(0x108a20)}}));
    c.splat({77.5f, 26.8f}, 2.8f, rgb(0x40ff60), 0.9f);
    for (const float x : {14.0f, 84.0f}) {
        c.draw(circle({x, 2.7f}, 1.1f), rgb(0x2a303a));
        c.draw(circle({x - 0.2f, 2.5f}, 0.7f), rgb(0xd8e0ea));
    }
}

}  // namespace

void makeGround(const std::filesystem::path& dir) {
    savePicture(supersampled(400, 20, paintGround, 2), dir, "Scape1.png");
    savePicture(supersampled(98, 35, paintDispenser), dir, "Dispenser.png");
}

}  // namespace assetgen
