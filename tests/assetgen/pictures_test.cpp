// Paints every picture into a scratch folder and checks what the game needs of
// them: each file is there and loads, has the size the screens are laid out
// for, is solid where it covers and clear around a sprite, the LEDs read the
// digits they are named for, and a stage blast's frames cover each other. The
// PNG files themselves keep every byte. (How the art looks is not tested.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "leds.h"
#include "pictures.h"
#include "png_io.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

// The whole set is painted once per test process, into a private folder.
const fs::path& picturesDir() {
    static const struct Painted {
        fs::path root = fs::temp_directory_path() / ("assetgen_test_" + std::to_string(::getpid()));
        Painted() {
            fs::remove_all(root);
            makePictures(root);
        }
        ~Painted() {
            std::error_code ec;
            fs::remove_all(root, ec);
        }
    } painted;
    static const fs::path dir = painted.root / "Pictures";
    return dir;
}

Rgba8Image picture(const std::string& name) { return readPng(picturesDir() / name); }

enum class Look {
    Sprite,  // drawn over the starfield: clear background and corners
    Opaque,  // every pixel solid
    Black,   // solid black: the last frame of a blast wipes it off the playfield
    Ground,  // solid along the bottom, clear sky somewhere above it
};

struct Expected {
    const char* name;
    int width, height;
    Look look;
};

const std::vector<Expected> kPictures = {
    {"PlayerNorm.png", 76, 66, Look::Sprite}, {"PlayerRod.png", 77, 66, Look::Sprite},
    {"DropShipPic.png", 74, 74, Look::Sprite}, {"goodrod.png", 26, 38, Look::Sprite},
    {"badrod.png", 26, 38, Look::Sprite}, {"PlayBullet.png", 13, 36, Look::Sprite},
    {"bonuspic.png", 41, 16, Look::Sprite}, {"goddbonuspic.png", 18, 18, Look::Sprite},
    {"badbonuspic.png", 19, 19, Look::Sprite}, {"LED0.png", 18, 25, Look::Opaque},
    {"LED1.png", 18, 25, Look::Opaque}, {"LED2.png", 18, 25, Look::Opaque},
    {"LED3.png", 18, 25, Look::Opaque}, {"LED4.png", 18, 25, Look::Opaque},
    {"LED5.png", 18, 25, Look::Opaque}, {"LED6.png", 18, 25, Look::Opaque},
    {"LED7.png", 18, 25, Look::Opaque}, {"LED8.png", 18, 25, Look::Opaque},
    {"LED9.png", 18, 25, Look::Opaque}, {"LEDOff.png", 18, 25, Look::Opaque},
    {"ShipExplode1.png", 60, 60, Look::Opaque}, {"ShipExplode2.png", 61, 61, Look::Opaque},
    {"ShipExplode3.png", 62, 62, Look::Opaque}, {"ShipExplode4.png", 63, 63, Look::Opaque},
    {"ShipExplode5.png", 62, 62, Look::Opaque}, {"ShipExplode6.png", 61, 61, Look::Opaque},
    {"ShipExplode7.png", 60, 60, Look::Black}, {"BonExplode1.png", 55, 53, Look::Opaque},
    {"BonExplode2.png", 56, 54, Look::Opaque}, {"BonExplode3.png", 57, 55, Look::Opaque},
    {"BonExplode4.png", 58, 56, Look::Opaque}, {"BonExplode5.png", 59, 56, Look::Opaque},
    {"BonExplode6.png", 60, 55, Look::Opaque}, {"BonExplode7.png", 60, 54, Look::Opaque},
    {"BonExplode8.png", 60, 60, Look::Black}, {"Dispenser.png", 98, 35, Look::Sprite},
    {"Scape1.png", 400, 20, Look::Ground}, {"SidePanel.png", 150, 600, Look::Opaque},
    {"GaugeCaption.png", 80, 20, Look::Sprite}, {"StartUp.png", 800, 600, Look::Opaque},
    {"GOver.png", 306, 48, Look::Opaque}, {"ClearSrc.png", 416, 90, Look::Opaque},
    {"StageExplode1.png", 60, 55, Look::Sprite}, {"StageExplode2.png", 61, 56, Look::Sprite},
    {"StageExplode3.png", 62, 57, Look::Sprite}, {"StageExplode4.png", 62, 57, Look::Sprite},
    {"StageExplode5.png", 61, 56, Look::Sprite}, {"StageExplode6.png", 61, 56, Look::Sprite},
    {"StageExplode7.png", 60, 55, Look::Sprite}, {"StageExplode8.png", 60, 55, Look::Sprite},
    {"enemypic.png", 89, 64, Look::Sprite}, {"fireball.png", 29, 68, Look::Sprite},
    {"BonusBack.png", 800, 530, Look::Opaque}, {"StageBar.png", 800, 40, Look::Opaque},
    {"ScoreCaption.png", 98, 40, Look::Sprite}, {"TimeCaption.png", 84, 40, Look::Sprite},
    {"LivesCaption.png", 95, 36, Look::Sprite}, {"bosspic.png", 194, 216, Look::Sprite},
    {"boss_hitpic.png", 194, 216, Look::Sprite}, {"BossBack.png", 797, 536, Look::Opaque},
    {"MenuBack.png", 800, 600, Look::Opaque}, {"InfoPicture.png", 297, 265, Look::Opaque},
    {"HiScoreTitle.png", 500, 80, Look::Sprite}, {"EndBanner.png", 800, 190, Look::Sprite},
    {"Icon.png", 256, 256, Look::Sprite},
};

TEST(Pictures, ThePicturesFolderHoldsExactlyTheGamesPictures) {
    std::set<std::string> written, expected;
    for (const auto& entry : fs::directory_iterator(picturesDir())) written.insert(entry.path().filename().string());
    for (const Expected& e : kPictures) expected.insert(e.name);
    EXPECT_EQ(written, expected);
}

TEST(Pictures, EveryPictureLoadsWithItsSizeAndTransparency) {
    for (const Expected& e : kPictures) {
        SCOPED_TRACE(e.name);
        const Rgba8Image im = picture(e.name);
        ASSERT_EQ(im.width, e.width);
        ASSERT_EQ(im.height, e.height);
        int clear = 0, solid = 0, painted = 0, black = 0;
        for (int y = 0; y < im.height; ++y)
            for (int x = 0; x < im.width; ++x) {
                const std::uint8_t* p = im.at(x, y);
                clear += p[3] == 0;
                solid += p[3] == 255;
                painted += p[3] > 64;
                black += p[0] + p[1] + p[2] == 0;
                if (p[3] == 0) {
                    EXPECT_EQ(p[0] + p[1] + p[2], 0) << "colour under clear pixel " << x << "," << y;
                }
            }
        const int all = im.width * im.height;
        switch (e.look) {
            case Look::Black: EXPECT_EQ(black, all); [[fallthrough]];
            case Look::Opaque: EXPECT_EQ(solid, all); break;
            case Look::Sprite:
                for (const auto& [x, y] :
                     {std::pair{0, 0}, {im.width - 1, 0}, {0, im.height - 1}, {im.width - 1, im.height - 1}})
                    EXPECT_EQ(im.at(x, y)[3], 0) << "corner " << x << "," << y;
                EXPECT_GT(painted, all / 10) << "sprite is almost empty";
                break;
            case Look::Ground:
                for (int x = 0; x < im.width; ++x) EXPECT_EQ(im.at(x, im.height - 1)[3], 255);
                EXPECT_GT(clear, im.width) << "no sky above the ground line";
                break;
        }
    }
}

// Which segments light for each digit, written out here on their own.
TEST(Pictures, EachLedLightsTheSegmentsOfItsDigit) {
    const std::vector<std::pair<const char*, std::string>> digits = {
        {"LED0.png", "abcdef"}, {"LED1.png", "bc"},    {"LED2.png", "abdeg"},   {"LED3.png", "abcdg"},
        {"LED4.png", "bcfg"},   {"LED5.png", "acdfg"}, {"LED6.png", "acdefg"},  {"LED7.png", "abc"},
        {"LED8.png", "abcdefg"}, {"LED9.png", "abcdfg"}, {"LEDOff.png", ""}};
    for (const auto& [file, lit] : digits) {
        const Rgba8Image im = picture(file);
        for (int s = 0; s < 7; ++s) {
            const char segment = static_cast<char>('a' + s);
            const Vec2 c = ledSegmentCentre(s);
            const int red = im.at(static_cast<int>(c.x), static_cast<int>(c.y))[0];
            if (lit.find(segment) != std::string::npos) EXPECT_GE(red, 220) << file << " segment " << segment;
            else EXPECT_LT(red, 110) << file << " segment " << segment;
        }
    }
}

// The game draws every frame of a blast from the same corner without clearing
// in between: wherever a frame was solid, the next one must be too.
TEST(Pictures, EachStageBlastFrameCoversTheOneBefore) {
    Rgba8Image last = picture("StageExplode1.png");
    for (int i = 2; i <= 8; ++i) {
        const Rgba8Image im = picture("StageExplode" + std::to_string(i) + ".png");
        int uncovered = 0;
        for (int y = 0; y < std::min(last.height, im.height); ++y)
            for (int x = 0; x < std::min(last.width, im.width); ++x)
                uncovered += last.at(x, y)[3] == 255 && im.at(x, y)[3] < 250;
        EXPECT_EQ(uncovered, 0) << "frame " << i;
        last = im;
    }
}

TEST(Png, RoundTripsEveryByteAndReportsFilesItCannotRead) {
    Rgba8Image im{3, 2, {}};
    for (int i = 0; i < 3 * 2 * 4; ++i) im.pixels.push_back(static_cast<std::uint8_t>(i * 11));
    const auto file = fs::temp_directory_path() / ("assetgen_png_" + std::to_string(::getpid()) + ".png");
    writePng(file, im);
    const Rgba8Image back = readPng(file);
    fs::remove(file);
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, im.pixels);
    EXPECT_THROW(readPng("/nonexistent/assetgen.png"), std::runtime_error);
}

}  // namespace
