// penumbro-cityblock N FILE.dat [VARIANT]: writes the benchmarks' city block of N surfaces
// as a project file, for runs with penumbro-cli or the application.

#include "CityBlock.h"

#include "project/ProjectFile.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: penumbro-cityblock N FILE.dat [VARIANT]\n");
        return 2;
    }
    const int n = std::atoi(argv[1]);
    if (n < 1 || n > 10000) {
        std::fprintf(stderr, "N must lie in 1..10000\n");
        return 2;
    }
    try {
        const unsigned variant = argc == 4 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : 1;
        penumbro::saveProjectFile(argv[2], penumbro::bench::cityBlock(n, variant));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[2], e.what());
        return 1;
    }
    return 0;
}
