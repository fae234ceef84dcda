#include "editor/TextScan.h"

#include "project/Numbers.h"

#include <vector>

namespace penumbro {

namespace {

constexpr long long kMaxEcken = 12;

std::vector<std::string_view> felder(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        const std::size_t b = i;
        while (i < line.size() && line[i] != ' ') ++i;
        if (i > b) out.push_back(line.substr(b, i - b));
    }
    return out;
}

bool istEckpunktZeile(std::string_view line) {
    const auto f = felder(line);
    if (f.size() < 3) return false;
    for (std::size_t k = 0; k < 3; ++k) {
        if (!parseNumber(f[k])) return false;
    }
    return true;
}

}  // namespace

bool beginntMit(std::string_view line, std::string_view prefix) {
    return line.size() >= prefix.size() && line.substr(0, prefix.size()) == prefix;
}

FlaechenScan flaecheLesen(const Lines& text, std::size_t start) {
    FlaechenScan scan;
    const std::size_t size = text.size();
    auto fehler = [&](std::size_t index, std::string warum) {
        scan.fehlerIndex = index;
        scan.fehler = std::move(warum);
        return scan;
    };
    if (start >= size) return fehler(start, "the text ends where a surface should begin");
    std::size_t p = start + 1;
    if (p < size && text[p] == "Target") ++p;
    if (p < size && beginntMit(text[p], "Belaubung")) ++p;
    if (p < size && beginntMit(text[p], "#")) ++p;
    if (p >= size) return fehler(p, "the text ends before the vertex count of \"" + text[start] + "\"");
    const auto n = parseInteger(trimBlanks(text[p]));
    if (!n) return fehler(p, "the vertex count of \"" + text[start] + "\" is not a whole number: \"" + text[p] + "\"");
    if (*n < 0 || *n > kMaxEcken) return fehler(p, "the vertex count of \"" + text[start] + "\" must lie between 0 and 12");
    ++p;
    for (long long k = 0; k < *n; ++k) {
        while (p < size && beginntMit(text[p], "#")) ++p;
        if (p >= size) {
            return fehler(p, "the text ends inside the vertices of \"" + text[start] + "\"");
        }
        if (!istEckpunktZeile(text[p])) {
            return fehler(p, "vertex " + formatInt(k + 1) + " of \"" + text[start] +
                                 "\" is not three numbers: \"" + text[p] + "\"");
        }
        ++p;
    }
    scan.naechste = p;
    return scan;
}

std::optional<std::size_t> letzteZeileGleich(const Lines& text, std::string_view word) {
    for (std::size_t i = text.size(); i-- > 0;) {
        if (text[i] == word) return i;
    }
    return std::nullopt;
}

std::optional<StandortFelder> standortFelder(const std::string& line) {
    const auto f = felder(line);
    if (f.size() != 3) return std::nullopt;
    const auto b = parseNumber(f[0]);
    const auto l = parseNumber(f[1]);
    const auto z = parseNumber(f[2]);
    if (!b || !l || !z) return std::nullopt;
    return StandortFelder{*b, *l, *z, std::string(f[2])};
}

}  // namespace penumbro
