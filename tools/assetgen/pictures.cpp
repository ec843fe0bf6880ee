#include "pictures.h"

#include "png_io.h"

namespace assetgen {

void savePicture(const Canvas& canvas, const std::filesystem::path& dir, const std::string& name) {
    writePng(dir / name, Rgba8Image{canvas.width(), canvas.height(), canvas.toRgba8()});
}

void makePictures(const std::filesystem::path& programDir) {
    const std::filesystem::path dir = programDir / "Pictures";
    std::filesystem::create_directories(dir);
    makeShips(dir);
    makeRodsAndBullets(dir);
    makePickups(dir);
    makeLeds(dir);
    makeExplosions(dir);
    makePanel(dir);
    makeGround(dir);
    makeTitles(dir);
    makeStageArt(dir);
    makeMotherShip(dir);
    makeMenuArt(dir);
    makeIcon(dir);
}

}  // namespace assetgen
