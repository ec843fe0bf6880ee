// The picture generators. Each make* function paints one group of pictures
// and writes them as PNG files into the given directory.
#pragma once

#include <filesystem>
#include <string>

#include "canvas.h"

namespace assetgen {

void savePicture(const Canvas& canvas, const std::filesystem::path& dir, const std::string& name);

void makeShips(const std::filesystem::path& dir);
void makeRodsAndBullets(const std::filesystem::path& dir);
void makePickups(const std::filesystem::path& dir);
void makeLeds(const std::filesystem::path& dir);
void makeExplosions(const std::filesystem::path& dir);
void makePanel(const std::filesystem::path& dir);
void makeGround(const std::filesystem::path& dir);
void makeTitles(const std::filesystem::path& dir);
void makeStageArt(const std::filesystem::path& dir);
void makeMotherShip(const std::filesystem::path& dir);
void makeMenuArt(const std::filesystem::path& dir);
void makeIcon(const std::filesystem::path& dir);

// Every picture the game uses, written into <programDir>/Pictures.
void makePictures(const std::filesystem::path& programDir);

}  // namespace assetgen
