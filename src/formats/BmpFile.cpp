#include "formats/BmpFile.h"

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
std::uint32_t get(const std::string& s, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int k = bytes - 1; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(s[at + static_cast<std::size_t>(k)]);
    return v;
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

std::optional<BmpPicture> decodeBmp24(const std::string& bytes) {
    constexpr std::size_t kHeader = 54;
    if (bytes.size() < kHeader || bytes.compare(0, 2, "BM") != 0 || get(bytes, 10, 4) != kHeader ||
        get(bytes, 14, 4) != 40 || get(bytes, 28, 2) != 24 || get(bytes, 30, 4) != 0) {
        return std::nullopt;
    }
    const std::uint32_t w = get(bytes, 18, 4), h = get(bytes, 22, 4);
    const std::uint64_t rowBytes = (std::uint64_t{w} * 3 + 3) / 4 * 4;
    if (w > 0x7FFF || h > 0x7FFF || bytes.size() < kHeader + rowBytes * h) return std::nullopt;
    BmpPicture picture{static_cast<int>(w), static_cast<int>(h), std::vector<std::uint32_t>(std::size_t{w} * h)};
    for (std::uint32_t row = 0; row < h; ++row) {
        const std::size_t start = kHeader + static_cast<std::size_t>(rowBytes) * (h - 1 - row);
        for (std::uint32_t col = 0; col < w; ++col) {
            const std::uint32_t bgr = get(bytes, start + 3 * std::size_t{col}, 3);
            // Stored blue, green, red: as a little-endian number that is 0x00RRGGBB.
            picture.pixels[std::size_t{row} * w + col] =
                (bgr >> 16 & 0xFF) | (bgr & 0xFF00) | (bgr & 0xFF) << 16;
        }
    }
    return picture;
}

}  // namespace penumbro
