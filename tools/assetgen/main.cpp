// assetgen: paints (and later composes) the game's media at build time.
//   assetgen --out <program directory>

#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>

#include "pictures.h"

int main(int argc, char** argv) {
  std::filesystem::path out;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    } else {
      std::cerr << "usage: assetgen --out <dir>\n";
      return 2;
    }
  }
  if (out.empty()) {
    std::cerr << "usage: assetgen --out <dir>\n";
    return 2;
  }
  try {
    assetgen::makePictures(out);
  } catch (const std::exception& e) {
    std::cerr << "assetgen: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
