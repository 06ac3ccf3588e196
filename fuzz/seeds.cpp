// quorvane_fuzz_seeds DIR: writes the fuzz targets' seeds into DIR, one
// folder per target (fuzz/seeds/ in the tree).
#include "fuzz/seeds.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace quorvane::fuzz {

void writeSeed(const std::filesystem::path& dir, std::string_view target, std::string_view name,
               std::string_view bytes) {
    const std::filesystem::path folder = dir / std::string(target);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / std::string(name), std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace quorvane::fuzz

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvane_fuzz_seeds DIR\n");
        return 2;
    }
    quorvane::fuzz::writeImageSeeds(argv[1]);
    quorvane::fuzz::writeListingSeeds(argv[1]);
    return 0;
}
