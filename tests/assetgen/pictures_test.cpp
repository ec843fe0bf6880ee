// Generates the pictures into a scratch directory and checks what the game
// relies on: names, exact sizes, transparency, and a few visual properties.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "leds.h"
#include "pictures.h"
#include "png_io.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

using Generator = void (*)(const fs::path&);

// Runs each generator at most once per test process, into a private directory.
class Workspace {
public:
    static Workspace& get() {
        static Workspace w;
        return w;
    }
    const fs::path& dir() const { return dir_; }
    fs::path run(Generator g) {
        if (done_.insert(g).second) g(dir_);
        return dir_;
    }
    ~Workspace() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

private:
    Workspace() : dir_(fs::temp_directory_path() / ("assetgen_test_" + std::to_string(::getpid()))) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    fs::path dir_;
    std::set<Generator> done_;
};

Rgba8Image picture(Generator g, const std::string& name) { return readPng(Workspace::get().run(g) / name); }

// "LED0.png" -> "LED0": picture names as test case names.
std::string stem(const char* file) { return fs::path(file).stem().string(); }

float lum(const std::uint8_t* p) { return (0.2126f * p[0] + 0.7152f * p[1] + 0.0722f * p[2]) / 255.0f; }

float totalLight(const Rgba8Image& im) {
    float sum = 0;
    for (int y = 0; y < im.height; ++y)
        for (int x = 0; x < im.width; ++x) sum += lum(im.at(x, y));
    return sum;
}

int pixelsBrighterThan(const Rgba8Image& im, float level) {
    int n = 0;
    for (int y = 0; y < im.height; ++y)
        for (int x = 0; x < im.width; ++x) n += lum(im.at(x, y)) > level;
    return n;
}

float maxLight(const Rgba8Image& im, int x0, int y0, int x1, int y1) {
    float best = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) best = std::max(best, lum(im.at(x, y)));
    return best;
}

enum class Look {
    Sprite,  // drawn over the starfield: clear background and corners
    Opaque,  // every pixel solid
    Ground,  // solid at the bottom, ragged against the sky at the top
};

struct Expected {
    const char* name;
    Generator make;
    int width, height;
    Look look;
};

const std::vector<Expected> kPictures = {
    {"PlayerNorm.png", makeShips, 76, 66, Look::Sprite},
    {"PlayerRod.png", makeShips, 77, 66, Look::Sprite},
    {"DropShipPic.png", makeShips, 74, 74, Look::Sprite},
    {"goodrod.png", makeRodsAndBullets, 26, 38, Look::Sprite},
    {"badrod.png", makeRodsAndBullets, 26, 38, Look::Sprite},
    {"PlayBullet.png", makeRodsAndBullets, 13, 36, Look::Sprite},
    {"bonuspic.png", makePickups, 41, 16, Look::Sprite},
    {"goddbonuspic.png", makePickups, 18, 18, Look::Sprite},
    {"badbonuspic.png", makePickups, 19, 19, Look::Sprite},
    {"LED0.png", makeLeds, 18, 25, Look::Opaque},
    {"LED1.png", makeLeds, 18, 25, Look::Opaque},
    {"LED2.png", makeLeds, 18, 25, Look::Opaque},
    {"LED3.png", makeLeds, 18, 25, Look::Opaque},
    {"LED4.png", makeLeds, 18, 25, Look::Opaque},
    {"LED5.png", makeLeds, 18, 25, Look::Opaque},
    {"LED6.png", makeLeds, 18, 25, Look::Opaque},
    {"LED7.png", makeLeds, 18, 25, Look::Opaque},
    {"LED8.png", makeLeds, 18, 25, Look::Opaque},
    {"LED9.png", makeLeds, 18, 25, Look::Opaque},
    {"LEDOff.png", makeLeds, 18, 25, Look::Opaque},
    {"ShipExplode1.png", makeExplosions, 60, 60, Look::Opaque},
    {"ShipExplode2.png", makeExplosions, 61, 61, Look::Opaque},
    {"ShipExplode3.png", makeExplosions, 62, 62, Look::Opaque},
    {"ShipExplode4.png", makeExplosions, 63, 63, Look::Opaque},
    {"ShipExplode5.png", makeExplosions, 62, 62, Look::Opaque},
    {"ShipExplode6.png", makeExplosions, 61, 61, Look::Opaque},
    {"ShipExplode7.png", makeExplosions, 60, 60, Look::Opaque},
    {"BonExplode1.png", makeExplosions, 55, 53, Look::Opaque},
    {"BonExplode2.png", makeExplosions, 56, 54, Look::Opaque},
    {"BonExplode3.png", makeExplosions, 57, 55, Look::Opaque},
    {"BonExplode4.png", makeExplosions, 58, 56, Look::Opaque},
    {"BonExplode5.png", makeExplosions, 59, 56, Look::Opaque},
    {"BonExplode6.png", makeExplosions, 60, 55, Look::Opaque},
    {"BonExplode7.png", makeExplosions, 60, 54, Look::Opaque},
    {"BonExplode8.png", makeExplosions, 60, 60, Look::Opaque},
    {"Dispenser.png", makeGround, 98, 35, Look::Sprite},
    {"Scape1.png", makeGround, 400, 20, Look::Ground},
    {"SidePanel.png", makePanel, 150, 600, Look::Opaque},
    {"GaugeCaption.png", makePanel, 80, 20, Look::Sprite},
    {"StartUp.png", makeTitles, 800, 600, Look::Opaque},
    {"GOver.png", makeTitles, 306, 48, Look::Opaque},
    {"ClearSrc.png", makeTitles, 416, 90, Look::Opaque},
    {"StageExplode1.png", makeExplosions, 60, 55, Look::Sprite},
    {"StageExplode2.png", makeExplosions, 61, 56, Look::Sprite},
    {"StageExplode3.png", makeExplosions, 62, 57, Look::Sprite},
    {"StageExplode4.png", makeExplosions, 62, 57, Look::Sprite},
    {"StageExplode5.png", makeExplosions, 61, 56, Look::Sprite},
    {"StageExplode6.png", makeExplosions, 61, 56, Look::Sprite},
    {"StageExplode7.png", makeExplosions, 60, 55, Look::Sprite},
    {"StageExplode8.png", makeExplosions, 60, 55, Look::Sprite},
    {"enemypic.png", makeStageArt, 89, 64, Look::Sprite},
    {"fireball.png", makeStageArt, 29, 68, Look::Sprite},
    {"BonusBack.png", makeStageArt, 800, 530, Look::Opaque},
    {"StageBar.png", makeStageArt, 800, 40, Look::Opaque},
    {"ScoreCaption.png", makeStageArt, 98, 40, Look::Sprite},
    {"TimeCaption.png", makeStageArt, 84, 40, Look::Sprite},
    {"LivesCaption.png", makeStageArt, 95, 36, Look::Sprite},
    {"bosspic.png", makeMotherShip, 194, 216, Look::Sprite},
    {"boss_hitpic.png", makeMotherShip, 194, 216, Look::Sprite},
    {"BossBack.png", makeMotherShip, 797, 536, Look::Opaque},
    {"MenuBack.png", makeMenuArt, 800, 600, Look::Opaque},
    {"InfoPicture.png", makeMenuArt, 297, 265, Look::Opaque},
    {"HiScoreTitle.png", makeTitles, 500, 80, Look::Sprite},
    {"EndBanner.png", makeTitles, 800, 190, Look::Sprite},
    {"Icon.png", makeIcon, 256, 256, Look::Sprite},
};

TEST(Pictures, EveryPictureHasItsNameSizeAndTransparency) {
    for (const Expected& e : kPictures) {
        SCOPED_TRACE(e.name);
        const Rgba8Image im = picture(e.make, e.name);
        ASSERT_EQ(im.width, e.width);
        ASSERT_EQ(im.height, e.height);
        int clear = 0, solid = 0, painted = 0;
        for (int y = 0; y < im.height; ++y)
            for (int x = 0; x < im.width; ++x) {
                const std::uint8_t* p = im.at(x, y);
                clear += p[3] == 0;
                solid += p[3] == 255;
                painted += p[3] > 64;
                if (p[3] == 0) {
                    EXPECT_TRUE(p[0] == 0 && p[1] == 0 && p[2] == 0) << "colour under clear pixel " << x << "," << y;
                }
            }
        switch (e.look) {
            case Look::Opaque: EXPECT_EQ(solid, im.width * im.height); break;
            case Look::Sprite:
                for (const auto& [x, y] :
                     {std::pair{0, 0}, {im.width - 1, 0}, {0, im.height - 1}, {im.width - 1, im.height - 1}})
                    EXPECT_EQ(im.at(x, y)[3], 0) << "corner " << x << "," << y;
                EXPECT_GT(solid, 0);
                EXPECT_GT(painted, im.width * im.height / 10) << "sprite is almost empty";
                break;
            case Look::Ground:
                for (int x = 0; x < im.width; ++x) EXPECT_EQ(im.at(x, im.height - 1)[3], 255);
                EXPECT_GT(clear, im.width) << "no sky above the ground line";
                break;
        }
    }
}

TEST(Pictures, AllGroupsTogetherWriteIntoPicturesFolder) {
    const fs::path root = Workspace::get().dir() / "program";
    makePictures(root);
    std::set<std::string> written;
    for (const auto& entry : fs::directory_iterator(root / "Pictures"))
        written.insert(entry.path().filename().string());
    std::set<std::string> expected;
    for (const Expected& e : kPictures) expected.insert(e.name);
    EXPECT_EQ(written, expected);

    // Painting again gives byte-identical files.
    const fs::path again = Workspace::get().dir() / "again";
    makePictures(again);
    auto bytes = [](const fs::path& f) {
        std::ifstream in(f, std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(in), {});
    };
    for (const std::string& name : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(bytes(root / "Pictures" / name), bytes(again / "Pictures" / name));
    }
}

TEST(Pictures, EndOfExplosionFramesAreSolidBlack) {
    for (const char* name : {"ShipExplode7.png", "BonExplode8.png"}) {
        SCOPED_TRACE(name);
        const Rgba8Image im = picture(makeExplosions, name);
        for (std::size_t i = 0; i < im.pixels.size(); i += 4) {
            ASSERT_EQ(im.pixels[i] + im.pixels[i + 1] + im.pixels[i + 2], 0);
            ASSERT_EQ(im.pixels[i + 3], 255);
        }
    }
}

// ---------------------------------------------------------------------------
// LED digits: which segments light is written out here independently.

struct LedCase {
    const char* file;
    const char* lit;  // segments a..g that should be lit
};

void PrintTo(const LedCase& c, std::ostream* os) { *os << c.file; }

class LedDigit : public testing::TestWithParam<LedCase> {};

TEST_P(LedDigit, LitSegmentsGlowAndUnlitOnesStayDimButVisible) {
    const LedCase& c = GetParam();
    const Rgba8Image im = picture(makeLeds, c.file);
    const std::string lit = c.lit;
    const int background = im.at(0, 0)[0];
    EXPECT_LT(background, 25);
    for (int s = 0; s < 7; ++s) {
        const char name = static_cast<char>('a' + s);
        SCOPED_TRACE(std::string("segment ") + name);
        const Vec2 centre = ledSegmentCentre(s);
        const std::uint8_t* p = im.at(static_cast<int>(centre.x), static_cast<int>(centre.y));
        if (lit.find(name) != std::string::npos) {
            EXPECT_GE(p[0], 220);
        } else {
            EXPECT_GT(p[0], background + 20);  // still faintly visible
            EXPECT_LT(p[0], 110);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Digits, LedDigit,
                         testing::Values(LedCase{"LED0.png", "abcdef"}, LedCase{"LED1.png", "bc"},
                                         LedCase{"LED2.png", "abdeg"}, LedCase{"LED3.png", "abcdg"},
                                         LedCase{"LED4.png", "bcfg"}, LedCase{"LED5.png", "acdfg"},
                                         LedCase{"LED6.png", "acdefg"}, LedCase{"LED7.png", "abc"},
                                         LedCase{"LED8.png", "abcdefg"}, LedCase{"LED9.png", "abcdfg"},
                                         LedCase{"LEDOff.png", ""}),
                         [](const auto& info) { return stem(info.param.file); });

// ---------------------------------------------------------------------------

std::vector<Rgba8Image> frames(const char* stem, int count) {
    std::vector<Rgba8Image> out;
    for (int i = 1; i <= count; ++i) out.push_back(picture(makeExplosions, stem + std::to_string(i) + ".png"));
    return out;
}

TEST(Explosions, ShipFireballFlashesGrowsThenFades) {
    const auto f = frames("ShipExplode", 6);
    for (const Rgba8Image& im : f) {
        EXPECT_TRUE(im.width >= 60 && im.width <= 63 && im.height >= 60 && im.height <= 63);
    }
    // A small white-hot flash to start with.
    EXPECT_GT(lum(f[0].at(f[0].width / 2, f[0].height / 2)), 0.9f);
    EXPECT_LT(pixelsBrighterThan(f[0], 0.1f), pixelsBrighterThan(f[2], 0.1f) / 3);
    // The fire spreads over the first frames...
    for (int i = 0; i < 3; ++i) EXPECT_LT(pixelsBrighterThan(f[i], 0.1f), pixelsBrighterThan(f[i + 1], 0.1f)) << i;
    // ...and then cools off.
    for (int i = 2; i < 5; ++i) EXPECT_GT(totalLight(f[i]), totalLight(f[i + 1])) << i;
    EXPECT_LT(pixelsBrighterThan(f[5], 0.6f), pixelsBrighterThan(f[2], 0.6f) / 4);
    // Fire is warm: red outweighs blue.
    for (const Rgba8Image& im : f) {
        long red = 0, blue = 0;
        for (std::size_t i = 0; i < im.pixels.size(); i += 4) red += im.pixels[i], blue += im.pixels[i + 2];
        EXPECT_GT(red, blue * 5 / 4);
    }
}

TEST(Explosions, BonusBurstSpreadsOutAndFades) {
    const auto f = frames("BonExplode", 7);
    auto reach = [](const Rgba8Image& im) {
        // Farthest distance from the centre of anything clearly lit.
        float best = 0;
        for (int y = 0; y < im.height; ++y)
            for (int x = 0; x < im.width; ++x)
                if (lum(im.at(x, y)) > 0.3f)
                    best = std::max(best, std::hypot(x + 0.5f - im.width / 2.0f, y + 0.5f - im.height / 2.0f));
        return best;
    };
    for (const Rgba8Image& im : f) {
        EXPECT_TRUE(im.width >= 55 && im.width <= 60 && im.height >= 53 && im.height <= 56);
        long red = 0, blue = 0;
        for (std::size_t i = 0; i < im.pixels.size(); i += 4) red += im.pixels[i], blue += im.pixels[i + 2];
        EXPECT_GT(blue, red);
    }
    for (int i = 0; i < 3; ++i) EXPECT_LT(reach(f[i]), reach(f[i + 1])) << i;
    EXPECT_LT(totalLight(f[6]), totalLight(f[3]) * 0.6f);
}

// ---------------------------------------------------------------------------

TEST(Sprites, RodsGlowInTheirOwnColours) {
    // Across the glass just below the top cap.
    auto core = [](const char* name) {
        const Rgba8Image im = picture(makeRodsAndBullets, name);
        int sum[3] = {0, 0, 0};
        for (int y = 11; y < 14; ++y)
            for (int x = 8; x < 18; ++x)
                for (int c = 0; c < 3; ++c) sum[c] += im.at(x, y)[c];
        return std::vector<int>{sum[0] / 30, sum[1] / 30, sum[2] / 30};
    };
    const auto good = core("goodrod.png");
    EXPECT_GT(good[1], good[0] + 40);
    EXPECT_GT(good[1], good[2] + 40);
    const auto bad = core("badrod.png");
    EXPECT_GT(bad[2], bad[1] + 40);
    EXPECT_GT(bad[0], bad[1]);
}

TEST(Sprites, ShipsCarryingARodShowTheGreenRodAboveTheNose) {
    const Rgba8Image plain = picture(makeShips, "PlayerNorm.png");
    const Rgba8Image carrying = picture(makeShips, "PlayerRod.png");
    auto greenness = [](const Rgba8Image& im) {
        long g = 0;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < im.width; ++x) {
                const std::uint8_t* p = im.at(x, y);
                g += std::max(0, p[1] - std::max(p[0], p[2])) * p[3] / 255;
            }
        return g;
    };
    EXPECT_GT(greenness(carrying), 20 * (greenness(plain) + 1));
}

TEST(Screens, StartUpLeavesTheMessageBandDarkUnderABrightTitle) {
    const Rgba8Image im = picture(makeTitles, "StartUp.png");
    float sum = 0;
    for (int y = 520; y < 560; ++y)
        for (int x = 0; x < im.width; ++x) sum += lum(im.at(x, y));
    EXPECT_LT(sum / (40.0f * im.width), 0.04f);
    EXPECT_LT(maxLight(im, 0, 520, im.width, 560), 0.2f);
    EXPECT_GT(maxLight(im, 100, 30, 700, 180), 0.95f);
}

TEST(Screens, SidePanelReadoutsAreDarkWithCaptionsAbove) {
    const Rgba8Image im = picture(makePanel, "SidePanel.png");
    struct Box {
        int x, y, w, h;
    };
    for (const Box b : {Box{22, 60, 99, 24}, Box{52, 157, 39, 24}, Box{52, 269, 39, 24}, Box{52, 389, 39, 24},
                        Box{52, 495, 39, 24}}) {
        SCOPED_TRACE(b.y);
        EXPECT_LT(maxLight(im, b.x, b.y, b.x + b.w, b.y + b.h), 0.05f);
        // The recessed frame is darker than the plate but distinct from the box.
        EXPECT_GT(maxLight(im, b.x - 3, b.y - 3, b.x + b.w + 3, b.y), 0.02f);
        EXPECT_GT(maxLight(im, b.x + b.w / 2 - 50, b.y - 22, b.x + b.w / 2 + 50, b.y - 4), 0.7f);
    }
    EXPECT_GT(maxLight(im, 0, 0, im.width, 40), 0.8f);  // the logo
}

TEST(Screens, GroundStripTilesWithoutAVisibleSeam) {
    const Rgba8Image im = picture(makeGround, "Scape1.png");
    auto columnDifference = [&im](int a, int b) {
        float d = 0;
        for (int y = 0; y < im.height; ++y)
            for (int c = 0; c < 4; ++c) d += std::abs(im.at(a, y)[c] - im.at(b, y)[c]);
        return d;
    };
    float typical = 0;
    for (int x = 0; x + 1 < im.width; ++x) typical += columnDifference(x, x + 1);
    typical /= static_cast<float>(im.width - 1);
    EXPECT_LT(columnDifference(im.width - 1, 0), typical * 2.5f);
}

// ---------------------------------------------------------------------------
// The stages and the menu: what the game draws on top of these pictures must
// still show, and what it draws them on top of must show through.

struct Area {
    int x0, y0, x1, y1;  // half-open
};

// Mean luminance of the fully opaque pixels in an area.
float meanOpaqueLight(const Rgba8Image& im, Area a) {
    double sum = 0;
    int n = 0;
    for (int y = a.y0; y < a.y1; ++y)
        for (int x = a.x0; x < a.x1; ++x)
            if (im.at(x, y)[3] == 255) sum += lum(im.at(x, y)), ++n;
    return n == 0 ? 0.0f : static_cast<float>(sum / n);
}

struct DarkArea {
    const char* what;
    const char* file;
    Generator make;
    Area area;
    float limit;     // luminance...
    float fraction;  // ...that at least this share of the area stays below
};

void PrintTo(const DarkArea& d, std::ostream* os) { *os << d.what; }

class DarkAreas : public testing::TestWithParam<DarkArea> {};

TEST_P(DarkAreas, StayDarkEnoughForWhatIsDrawnOverThem) {
    const DarkArea& d = GetParam();
    const Rgba8Image im = picture(d.make, d.file);
    int below = 0;
    for (int y = d.area.y0; y < d.area.y1; ++y)
        for (int x = d.area.x0; x < d.area.x1; ++x) below += lum(im.at(x, y)) < d.limit;
    const int total = (d.area.x1 - d.area.x0) * (d.area.y1 - d.area.y0);
    EXPECT_GE(below, static_cast<int>(std::ceil(d.fraction * static_cast<float>(total))));
    // Dark, but not a flat black fill either.
    EXPECT_GT(maxLight(im, d.area.x0, d.area.y0, d.area.x1, d.area.y1), 0.004f);
}

INSTANTIATE_TEST_SUITE_P(
    Backdrops, DarkAreas,
    testing::Values(
        // The game's stars are drawn over the stage backdrops.
        DarkArea{"BonusPlayfield", "BonusBack.png", makeStageArt, {0, 0, 800, 530}, 0.15f, 0.99f},
        DarkArea{"MotherShipPlayfield", "BossBack.png", makeMotherShip, {0, 0, 797, 536}, 0.15f, 0.99f},
        // The scroller's dimmest green rows (green 10) must stand out from it.
        DarkArea{"ScrollerBackdrop", "InfoPicture.png", makeMenuArt, {0, 0, 297, 265}, 0.06f, 1.0f},
        DarkArea{"ScrollerUnderDimText", "InfoPicture.png", makeMenuArt, {0, 0, 297, 265}, 0.028f, 0.95f},
        DarkArea{"MenuCreditLine", "MenuBack.png", makeMenuArt, {0, 560, 800, 600}, 0.08f, 0.99f},
        // The read-outs and their captions on the stage strip, for either stage.
        DarkArea{"StripUnderCaptions", "StageBar.png", makeStageArt, {6, 6, 100, 34}, 0.1f, 1.0f},
        DarkArea{"StripUnderTimeCaption", "StageBar.png", makeStageArt, {233, 6, 316, 34}, 0.1f, 1.0f},
        DarkArea{"StripUnderBonusLeds", "StageBar.png", makeStageArt, {101, 8, 356, 32}, 0.1f, 1.0f},
        DarkArea{"StripUnderMotherShipLeds", "StageBar.png", makeStageArt, {101, 12, 140, 36}, 0.1f, 1.0f}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(Screens, MenuSlotsAreBlackInsideChromeFrames) {
    const Rgba8Image im = picture(makeMenuArt, "MenuBack.png");
    struct Slot {
        int x, y, w, h;
    };
    for (const Slot s : {Slot{472, 232, 217, 33}, Slot{472, 280, 217, 33}, Slot{472, 352, 217, 33},
                         Slot{472, 400, 217, 33}, Slot{472, 472, 217, 33}, Slot{104, 232, 297, 273}}) {
        SCOPED_TRACE(s.y);
        SCOPED_TRACE(s.x);
        // The game paints its gradient captions and scrolling text into these.
        for (int y = s.y; y < s.y + s.h; ++y)
            for (int x = s.x; x < s.x + s.w; ++x) {
                const std::uint8_t* p = im.at(x, y);
                ASSERT_EQ(p[0] + p[1] + p[2], 0) << x << "," << y;
            }
        // A bright frame on every side, hugging the slot.
        EXPECT_GT(maxLight(im, s.x, s.y - 4, s.x + s.w, s.y), 0.6f) << "top";
        EXPECT_GT(maxLight(im, s.x, s.y + s.h, s.x + s.w, s.y + s.h + 4), 0.3f) << "bottom";
        EXPECT_GT(maxLight(im, s.x - 4, s.y, s.x, s.y + s.h), 0.4f) << "left";
        EXPECT_GT(maxLight(im, s.x + s.w, s.y, s.x + s.w + 4, s.y + s.h), 0.4f) << "right";
    }
}

// Captions sit just left of their read-out box on the strip, so their ink must
// hug the right edge and be centred on the picture's height.
struct CaptionCase {
    const char* file;
};

void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.file; }

class ReadoutCaption : public testing::TestWithParam<CaptionCase> {};

TEST_P(ReadoutCaption, IsRightAlignedAndVerticallyCentred) {
    const Rgba8Image im = picture(makeStageArt, GetParam().file);
    int left = im.width, right = -1, top = im.height, bottom = -1;
    for (int y = 0; y < im.height; ++y)
        for (int x = 0; x < im.width; ++x)
            if (im.at(x, y)[3] > 160 && lum(im.at(x, y)) > 0.35f) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "no lettering";
    EXPECT_GE(right, im.width - 10);
    EXPECT_LT(right, im.width - 1);
    EXPECT_GT(left, 6) << "the word should not fill the whole width";
    EXPECT_NEAR((top + bottom + 1) / 2.0f, im.height / 2.0f, 2.0f);
    EXPECT_GE(bottom - top, 14) << "too small to read";
}

INSTANTIATE_TEST_SUITE_P(StageStrip, ReadoutCaption,
                         testing::Values(CaptionCase{"ScoreCaption.png"}, CaptionCase{"TimeCaption.png"},
                                         CaptionCase{"LivesCaption.png"}),
                         [](const auto& info) { return stem(info.param.file); });

TEST(MotherShip, HitFlashKeepsTheShapeAndReadsAtAGlance) {
    const Rgba8Image normal = picture(makeMotherShip, "bosspic.png");
    const Rgba8Image hit = picture(makeMotherShip, "boss_hitpic.png");
    ASSERT_EQ(normal.pixels.size(), hit.pixels.size());
    for (std::size_t i = 3; i < normal.pixels.size(); i += 4) ASSERT_EQ(normal.pixels[i], hit.pixels[i]) << i / 4;
    const Area all{0, 0, normal.width, normal.height};
    const float before = meanOpaqueLight(normal, all), after = meanOpaqueLight(hit, all);
    EXPECT_LT(before, 0.3f) << "the ship itself should be dark and menacing";
    EXPECT_GT(after, before * 2.5f);
    EXPECT_GT(after - before, 0.3f);
}

TEST(MotherShip, IsBigAndSolid) {
    const Rgba8Image im = picture(makeMotherShip, "bosspic.png");
    int solid = 0;
    for (std::size_t i = 3; i < im.pixels.size(); i += 4) solid += im.pixels[i] == 255;
    EXPECT_GT(solid, im.width * im.height / 2);
}

TEST(Explosions, StageFramesCoverTheLastOneAndEndInAScorchMark) {
    std::vector<Rgba8Image> f;
    for (int i = 1; i <= 8; ++i) f.push_back(picture(makeExplosions, "StageExplode" + std::to_string(i) + ".png"));
    for (std::size_t i = 0; i < f.size(); ++i) {
        SCOPED_TRACE(i + 1);
        const Rgba8Image& im = f[i];
        EXPECT_TRUE(im.width >= 58 && im.width <= 64 && im.height >= 53 && im.height <= 59);
        EXPECT_EQ(im.at(im.width / 2, im.height / 2)[3], 255);
        if (i == 0) continue;
        // Wherever the previous frame was solid, this one is too, so nothing of it
        // shows. The game draws every frame of a blast from the same top-left corner.
        const Rgba8Image& last = f[i - 1];
        int uncovered = 0;
        for (int y = 0; y < std::min(last.height, im.height); ++y)
            for (int x = 0; x < std::min(last.width, im.width); ++x)
                uncovered += last.at(x, y)[3] == 255 && im.at(x, y)[3] < 250;
        EXPECT_EQ(uncovered, 0);
    }
    // The fireball is white-hot; what is left at the end is dark soot with dim embers...
    EXPECT_GT(maxLight(f[2], 0, 0, f[2].width, f[2].height), 0.9f);
    EXPECT_LT(maxLight(f[7], 0, 0, f[7].width, f[7].height), 0.6f);
    EXPECT_LT(meanOpaqueLight(f[7], {0, 0, f[7].width, f[7].height}), 0.08f);
    // ...a round patch fading out, not a dark square.
    int solid = 0, partial = 0;
    for (std::size_t i = 3; i < f[7].pixels.size(); i += 4) {
        solid += f[7].pixels[i] == 255;
        partial += f[7].pixels[i] > 0 && f[7].pixels[i] < 255;
    }
    EXPECT_LT(solid, f[7].width * f[7].height * 6 / 10);
    EXPECT_GT(partial, f[7].width * f[7].height / 10);
}

TEST(Sprites, FireballFallsHeadFirst) {
    const Rgba8Image im = picture(makeStageArt, "fireball.png");
    auto rows = [&im](int y0, int y1) {
        float light = 0, cover = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < im.width; ++x) {
                light += lum(im.at(x, y)) * im.at(x, y)[3] / 255.0f;
                cover += im.at(x, y)[3] / 255.0f;
            }
        return std::pair{light, cover};
    };
    const int q = im.height / 4;
    const auto [headLight, headCover] = rows(im.height - q, im.height);
    const auto [tailLight, tailCover] = rows(0, q);
    EXPECT_GT(headLight, 4 * tailLight);
    EXPECT_GT(headCover, 2 * tailCover);
    EXPECT_GT(maxLight(im, 0, im.height - q, im.width, im.height), 0.9f) << "white-hot head";
    EXPECT_EQ(maxLight(im, 0, 0, im.width, 1), 0.0f) << "the tail fades out before the top";
}

// The aliens look like one fleet: violet hulls with red glowing eyes or engines.
struct AlienCase {
    const char* file;
    Generator make;
};

void PrintTo(const AlienCase& c, std::ostream* os) { *os << c.file; }

class AlienShip : public testing::TestWithParam<AlienCase> {};

TEST_P(AlienShip, HasAVioletHullAndRedLights) {
    const Rgba8Image im = picture(GetParam().make, GetParam().file);
    long red = 0, green = 0, blue = 0;
    int glowingRed = 0;
    for (int y = 0; y < im.height; ++y)
        for (int x = 0; x < im.width; ++x) {
            const std::uint8_t* p = im.at(x, y);
            if (p[3] < 255) continue;
            red += p[0], green += p[1], blue += p[2];
            glowingRed += p[0] > 200 && p[1] < 90 && p[2] < 110;
        }
    EXPECT_GT(blue, green * 5 / 4);
    EXPECT_GT(red, green * 5 / 4);
    EXPECT_GT(glowingRed, 12);
}

INSTANTIATE_TEST_SUITE_P(Fleet, AlienShip,
                         testing::Values(AlienCase{"DropShipPic.png", makeShips},
                                         AlienCase{"enemypic.png", makeStageArt},
                                         AlienCase{"bosspic.png", makeMotherShip}),
                         [](const auto& info) { return stem(info.param.file); });

TEST(Sprites, EnemyFighterNosesDownTowardsThePlayer) {
    const Rgba8Image im = picture(makeStageArt, "enemypic.png");
    auto span = [&im](int y) {
        int left = im.width, right = -1;
        for (int x = 0; x < im.width; ++x)
            if (im.at(x, y)[3] > 200) left = std::min(left, x), right = std::max(right, x);
        return std::pair{left, right};
    };
    int lowest = im.height - 1;
    while (lowest > 0 && span(lowest).second < 0) --lowest;
    const auto [left, right] = span(lowest);
    EXPECT_GT(lowest, im.height - 6) << "the nose reaches the bottom of the frame";
    EXPECT_LT(right - left, 6) << "a point, not a flat edge";
    EXPECT_NEAR((left + right) / 2.0f, im.width / 2.0f, 2.0f);
    EXPECT_GT(span(im.height / 3).second - span(im.height / 3).first, im.width / 2) << "wings wider behind";
}

TEST(Screens, IconStillReadsAtFortyEightPixels) {
    const Rgba8Image im = picture(makeIcon, "Icon.png");
    // Box-filter down to 48 x 48, as a desktop would show it.
    constexpr int kSmall = 48;
    std::vector<float> light(kSmall * kSmall), cover(kSmall * kSmall);
    for (int y = 0; y < im.height; ++y)
        for (int x = 0; x < im.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * kSmall / im.height) * kSmall + x * kSmall / im.width;
            const float a = im.at(x, y)[3] / 255.0f;
            light[i] += lum(im.at(x, y)) * a;
            cover[i] += a;
        }
    auto at = [&](int x, int y) {
        const std::size_t i = static_cast<std::size_t>(y) * kSmall + x;
        return cover[i] > 0 ? light[i] / cover[i] : 0.0f;
    };
    // The ship's fuselage, down the middle, stands out from the sky either side of it.
    float fuselage = 0, sky = 0;
    for (int y = 15; y < 30; ++y) fuselage += at(24, y) + at(23, y), sky += at(6, y) + at(41, y);
    EXPECT_GT(fuselage, 2.5f * sky);
    // A round emblem: solid inside, clear in the corners.
    EXPECT_GT(cover[24 * kSmall + 24], 0.99f * (256.0f / kSmall) * (256.0f / kSmall));
    EXPECT_EQ(cover[0], 0.0f);
}

struct BannerCase {
    const char* file;
    bool lineBelow;  // a smaller line of text under the title
};

void PrintTo(const BannerCase& c, std::ostream* os) { *os << c.file; }

class Banner : public testing::TestWithParam<BannerCase> {};

TEST_P(Banner, IsCentredWithClearMargins) {
    const Rgba8Image im = picture(makeTitles, GetParam().file);
    // Horizontal extent of the bright lettering between two rows.
    auto extent = [&im](int y0, int y1) {
        int left = im.width, right = -1;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < im.width; ++x)
                if (im.at(x, y)[3] == 255 && lum(im.at(x, y)) > 0.5f)
                    left = std::min(left, x), right = std::max(right, x);
        return std::pair{left, right};
    };
    const auto [left, right] = extent(0, im.height);
    EXPECT_NEAR((left + right) / 2.0f, im.width / 2.0f, 4.0f);
    EXPECT_GT(left, 8);
    EXPECT_LT(right, im.width - 9);
    if (GetParam().lineBelow) {
        const auto [lineLeft, lineRight] = extent(im.height * 2 / 3, im.height);
        EXPECT_GT(lineRight - lineLeft, im.width / 4) << "no line under the title";
        EXPECT_LT(lineRight - lineLeft, right - left) << "the line should be smaller than the title";
        EXPECT_NEAR((lineLeft + lineRight) / 2.0f, im.width / 2.0f, 4.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(Titles, Banner,
                         testing::Values(BannerCase{"HiScoreTitle.png", false}, BannerCase{"EndBanner.png", true}),
                         [](const auto& info) { return stem(info.param.file); });

}  // namespace
