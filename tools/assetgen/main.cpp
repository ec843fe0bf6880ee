// assetgen: paints the game's pictures, synthesises its sound effects and
// composes its music at build time.
//   assetgen --out <program directory>

#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>

#include "music/modules.h"
#include "pictures.h"
#include "samples/samples.h"

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
        assetgen::makeSamples(out);
        assetgen::makeModules(out);
    } catch (const std::exception& e) {
        std::cerr << "assetgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
