// The painted pictures as the game needs them: every file it loads is there
// and no other, with the size its screen is laid out for, solid where it
// covers and clear around a sprite; the LEDs light the segments of their
// digits, and each frame of a stage blast covers the one before, since the
// game draws them from the same corner without clearing. (How the art looks
// is not tested.) The set is painted once, into a scratch folder.
#include <gtest/gtest.h>

#include <set>

#include "leds.h"
#include "pictures.h"
#include "png_io.h"
#include "support/scratch.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

enum class Look {
    Sprite,  // drawn over the starfield: clear corners, and something painted
    Opaque,  // every pixel solid
    Black,   // solid black: the last frame of a blast wipes it off the playfield
    Ground,  // solid along the bottom, clear sky somewhere above it
};

struct Expected { std::string name; int width, height; Look look; };

const std::vector<Expected> kPictures = {
    {"PlayerNorm.png", 76, 66, Look::Sprite}, {"PlayerRod.png", 77, 66, Look::Sprite},
    {"DropShipPic.png", 74, 74, Look::Sprite}, {"goodrod.png", 26, 38, Look::Sprite},
    {"badrod.png", 26, 38, Look::Sprite}, {"PlayBullet.png", 13, 36, Look::Sprite},
    {"bonuspic.png", 41, 16, Look::Sprite}, {"goddbonuspic.png", 18, 18, Look::Sprite},
    {"badbonuspic.png", 19, 19, Look::Sprite}, {"LEDOff.png", 18, 25, Look::Opaque},
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

// Which segments light for each digit, written out here on their own.
const char* const kSegments[] = {"abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};

TEST(Pictures, AreTheOnesTheGameLoadsWithTheirSizesAndCover) {
    const kvtest::TempDir scratch;
    makePictures(scratch.dir);
    const fs::path dir = scratch.dir / "Pictures";
    std::vector<Expected> pictures = kPictures;
    for (int d = 0; d <= 9; ++d) pictures.push_back({"LED" + std::to_string(d) + ".png", 18, 25, Look::Opaque});
    std::set<std::string> written, expected;
    for (const auto& entry : fs::directory_iterator(dir)) written.insert(entry.path().filename().string());
    for (const Expected& e : pictures) expected.insert(e.name);
    EXPECT_EQ(written, expected);

    for (const Expected& e : pictures) {
        SCOPED_TRACE(e.name);
        const Rgba8Image im = readPng(dir / e.name);
        if (im.width != e.width || im.height != e.height) {
            ADD_FAILURE() << im.width << " x " << im.height << ", not " << e.width << " x " << e.height;
            continue;
        }
        int clear = 0, solid = 0, black = 0, painted = 0;
        for (int y = 0; y < im.height; ++y)
            for (int x = 0; x < im.width; ++x) {
                const std::uint8_t* p = im.at(x, y);
                clear += p[3] == 0;
                solid += p[3] == 255;
                painted += p[3] > 64;
                black += p[0] + p[1] + p[2] == 0;
            }
        const int all = im.width * im.height;
        const int corners = im.at(0, 0)[3] + im.at(im.width - 1, 0)[3] + im.at(0, im.height - 1)[3] +
                            im.at(im.width - 1, im.height - 1)[3];
        int ground = 0;
        for (int x = 0; x < im.width; ++x) ground += im.at(x, im.height - 1)[3] == 255;
        const bool ok = e.look == Look::Black    ? black == all && solid == all
                        : e.look == Look::Opaque ? solid == all
                        : e.look == Look::Sprite ? corners == 0 && painted > all / 10
                                                 : ground == im.width && clear > im.width;
        EXPECT_TRUE(ok) << "of " << all << " pixels: " << solid << " solid, " << black << " black, " << painted
                        << " painted; corners " << corners << ", ground " << ground;
    }

    for (int d = 0; d <= 10; ++d) {
        const Rgba8Image im = readPng(dir / (d == 10 ? "LEDOff.png" : "LED" + std::to_string(d) + ".png"));
        for (int s = 0; s < 7; ++s) {
            const Vec2 c = ledSegmentCentre(s);
            const int red = im.at(static_cast<int>(c.x), static_cast<int>(c.y))[0];
            const bool lit = d < 10 && std::string(kSegments[d]).find(char('a' + s)) != std::string::npos;
            EXPECT_TRUE(lit ? red >= 220 : red < 110) << "LED " << d << " segment " << char('a' + s) << ": " << red;
        }
    }

    Rgba8Image last = readPng(dir / "StageExplode1.png");
    for (int i = 2; i <= 8; ++i) {
        const Rgba8Image im = readPng(dir / ("StageExplode" + std::to_string(i) + ".png"));
        int uncovered = 0;
        for (int y = 0; y < std::min(last.height, im.height); ++y)
            for (int x = 0; x < std::min(last.width, im.width); ++x) uncovered += last.at(x, y)[3] == 255 && im.at(x, y)[3] < 250;
        EXPECT_EQ(uncovered, 0) << "StageExplode" << i;
        last = im;
    }
}

}  // namespace
