#pragma once
// Pictures of the shading raster as 24-bit .bmp files.

#include <cstdint>
#include <string>
#include <vector>

namespace penumbro {

// pixels: row-major, top row first, colours 0x00BBGGRR. Returns the file's bytes
// (bottom-up rows, no palette, rows padded to four bytes).
std::string encodeBmp24(const std::vector<std::uint32_t>& pixels, int width, int height);

}  // namespace penumbro
