#include "project/Encoding.h"

#include <array>
#include <cstdint>

namespace penumbro {

namespace {
// Unicode code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<std::uint16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<char> byteOf(std::uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

char toByte(std::uint32_t cp) { return byteOf(cp).value_or('?'); }

// The length of the well-formed UTF-8 sequence at bytes[i] and its code point; 0 for
// a malformed one (overlong forms, surrogates and values beyond U+10FFFF included).
std::size_t sequenceAt(std::string_view bytes, std::size_t i, std::uint32_t& cp) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > bytes.size()) return 0;
    cp = len == 1 ? b : len == 2 ? (b & 0x1Fu) : len == 3 ? (b & 0x0Fu) : (b & 0x07u);
    for (std::size_t k = 1; k < len; ++k) {
        const auto c = static_cast<unsigned char>(bytes[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3Fu);
    }
    constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}
}  // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x80) out += c;
        else if (b < 0xA0) appendUtf8(out, kHigh[b - 0x80]);
        else appendUtf8(out, b);
    }
    return out;
}

std::string utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto b = static_cast<unsigned char>(utf8[i]);
        std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        bool ok = len > 0 && i + len <= utf8.size();
        std::uint32_t cp = len == 1 ? b : len == 2 ? (b & 0x1Fu) : len == 3 ? (b & 0x0Fu) : (b & 0x07u);
        for (std::size_t k = 1; ok && k < len; ++k) {
            auto cb = static_cast<unsigned char>(utf8[i + k]);
            if ((cb & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (cb & 0x3Fu);
        }
        if (!ok) {
            out += utf8[i];
            ++i;
            continue;
        }
        out += toByte(cp);
        i += len;
    }
    return out;
}

bool isMultiByteUtf8(std::string_view bytes) {
    bool multiByte = false;
    std::uint32_t cp = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = sequenceAt(bytes, i, cp);
        if (len == 0) return false;
        multiByte = multiByte || len > 1;
        i += len;
    }
    return multiByte;
}

std::optional<std::string> utf8ToCp1252Exact(std::string_view utf8, std::uint32_t* unheld) {
    std::string out;
    out.reserve(utf8.size());
    std::uint32_t cp = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t len = sequenceAt(utf8, i, cp);
        const auto byte = len == 0 ? std::nullopt : byteOf(cp);
        if (!byte) {
            if (unheld) *unheld = len == 0 ? static_cast<unsigned char>(utf8[i]) : cp;
            return std::nullopt;
        }
        out += *byte;
        i += len;
    }
    return out;
}

}  // namespace penumbro
