#pragma once
// Pictures of the shading raster as 24-bit .bmp files.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace penumbro {

// pixels: row-major, top row first, colours 0x00BBGGRR. Returns the file's bytes
// (bottom-up rows, no palette, rows padded to four bytes).
std::string encodeBmp24(const std::vector<std::uint32_t>& pixels, int width, int height);

struct BmpPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // as encodeBmp24 takes them

    bool operator==(const BmpPicture&) const = default;
};

// The picture of a file as encodeBmp24 writes it (uncompressed 24-bit, bottom-up); none
// for any other file or one cut short.
std::optional<BmpPicture> decodeBmp24(const std::string& bytes);

}  // namespace penumbro
