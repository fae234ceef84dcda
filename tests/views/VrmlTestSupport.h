#pragma once
// Project texts and world inspection shared by the VRML tests.

#include "project/ProjectText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace penumbro::vrmltest {

// A project text: comment, surface count, the object lines, optional horizon
// entries, then site and ground reflection.
inline Lines projekt(int surfaces, const Lines& objects, const Lines& horizon = {}) {
    Lines t = {"* test", std::to_string(surfaces)};
    t.insert(t.end(), objects.begin(), objects.end());
    if (!horizon.empty()) {
        t.push_back("Horizont");
        t.insert(t.end(), horizon.begin(), horizon.end());
    }
    t.insert(t.end(), {"Standort", "51.0 -8.0 -1.0", "Bodenreflexion",
                       " 40 40 30 20 20 20 20 20 20 20 30 40"});
    return t;
}

// A plain surface in the editor's layout; the local lines hold dummies, since the
// writer reads only their number.
inline Lines flaeche(const std::string& name, bool target, const std::string& placement,
                     const Lines& vertices) {
    Lines t = {name};
    if (target) t.push_back("Target");
    t.push_back(std::to_string(vertices.size()));
    for (std::size_t i = 0; i < vertices.size(); ++i) t.push_back("# 0.000000 0.000000 0.000000");
    t.push_back(placement);
    t.insert(t.end(), vertices.begin(), vertices.end());
    return t;
}

// The rectangle target "Kollektor": 4 x 3, facing south, tilted 45 degrees, at (12, 12, 5).
inline Lines kollektor() {
    return flaeche("Kollektor", true, "# 180.000  45.000  12.000  12.000  5.000",
                   {"12.000000 12.000000 5.000000", "16.000000 12.000000 5.000000",
                    "16.000000 14.121320 7.121320", "12.000000 14.121320 7.121320"});
}

// The worked house: B 13, A 5, H 7, R 3, turned 90 degrees, shifted by (4, 5, 0).
inline Lines beispielHaus() {
    Lines t = {"Frontseite",
               "#  13.000    5.000    7.000    3.000   90.000    4.000    5.000    0.000     #Haus: ",
               "4", "4.000000 5.000000 0.000000", "4.000000 0.000000 0.000000",
               "4.000000 0.000000 7.000000", "4.000000 5.000000 7.000000"};
    const char* names[] = {"R\xFC" "ckseite", "L\xE4ngsseite 1", "L\xE4ngsseite 2",
                           "Dach Giebelseite Front", "Dachl\xE4ngsseite 1", "Dachl\xE4ngsseite 2"};
    for (int s = 0; s < 6; ++s) {
        t.push_back(names[s]);
        const int n = s == 3 ? 3 : 4;
        t.push_back(std::to_string(n));
        for (int k = 0; k < n; ++k) t.push_back("17.000000 5.000000 0.000000");
    }
    return t;
}

// The world split at CR LF.
inline std::vector<std::string> zeilenVon(const std::string& doc) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = doc.find("\r\n"); end != std::string::npos; end = doc.find("\r\n", start)) {
        lines.push_back(doc.substr(start, end - start));
        start = end + 2;
    }
    if (start < doc.size()) lines.push_back(doc.substr(start));
    return lines;
}

inline long anzahl(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<long>(std::count(lines.begin(), lines.end(), line));
}

inline bool enthaelt(const std::vector<std::string>& lines, const std::string& line) {
    return anzahl(lines, line) > 0;
}

// Index of the first line equal to line at or after from, or lines.size().
inline std::size_t finde(const std::vector<std::string>& lines, const std::string& line,
                         std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i)
        if (lines[i] == line) return i;
    return lines.size();
}

// The count lines after the first line equal to start.
inline std::vector<std::string> nach(const std::vector<std::string>& lines, const std::string& start,
                                     std::size_t count) {
    const std::size_t i = finde(lines, start);
    if (i >= lines.size()) return {};
    const std::size_t end = std::min(lines.size(), i + 1 + count);
    return {lines.begin() + static_cast<long>(i) + 1, lines.begin() + static_cast<long>(end)};
}

}  // namespace penumbro::vrmltest
