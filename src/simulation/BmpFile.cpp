#include "simulation/BmpFile.h"

namespace penumbro {

namespace {
void put16(std::string& s, std::uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& s, std::uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}
}  // namespace

std::string encodeBmp24(const std::vector<std::uint32_t>& pixels, int width, int height) {
    const auto w = static_cast<std::uint32_t>(width);
    const auto h = static_cast<std::uint32_t>(height);
    const std::uint32_t rowBytes = (w * 3 + 3) / 4 * 4;
    const std::uint32_t dataSize = rowBytes * h;
    std::string s;
    s.reserve(54 + dataSize);
    s += "BM";
    put32(s, 54 + dataSize);
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);  // BITMAPINFOHEADER
    put32(s, w);
    put32(s, h);
    put16(s, 1);
    put16(s, 24);
    put32(s, 0);
    put32(s, dataSize);
    put32(s, 3780);  // 96 dpi
    put32(s, 3780);
    put32(s, 0);
    put32(s, 0);
    for (int row = height - 1; row >= 0; --row) {
        for (int col = 0; col < width; ++col) {
            const std::uint32_t c = pixels[static_cast<std::size_t>(row) * w + static_cast<std::uint32_t>(col)];
            s += static_cast<char>((c >> 16) & 0xFF);  // blue
            s += static_cast<char>((c >> 8) & 0xFF);   // green
            s += static_cast<char>(c & 0xFF);          // red
        }
        s.append(rowBytes - w * 3, '\0');
    }
    return s;
}

}  // namespace penumbro
