#pragma once
// Tree and house blocks for the view tests.

#include "project/ProjectText.h"

#include <string>

namespace penumbro::testing {

// A tree or house block as the generators lay it out (foliage and parameter line on
// the first record), every vertex at (x, y, 0).
inline Lines objectBlock(bool tree, const std::string& parameters, double x = 1, double y = 1) {
    const std::string vertex = std::to_string(x) + " " + std::to_string(y) + " 0.000000";
    Lines t = {tree ? "Baum" : "Frontseite"};
    if (tree) t.push_back("Belaubung 100100100100100100100100100100100100");
    t.push_back(parameters);
    for (int s = 0; s < 7; ++s) {
        if (s > 0) t.push_back((tree ? "Baum" : "Seite") + std::to_string(s));
        const int n = tree ? (s < 4 ? 8 : 4) : (s == 4 ? 3 : 4);
        t.push_back(std::to_string(n));
        t.insert(t.end(), static_cast<std::size_t>(n), vertex);
    }
    return t;
}

// The worked house: B 13, A 5, H 7, R 3, turned 90 degrees, shifted by (4, 5, 0).
inline Lines workedHouse() {
    return objectBlock(false, "#  13.000    5.000    7.000    3.000   90.000    4.000    5.000    0.000     #Haus: ",
                       17, 5);
}

}  // namespace penumbro::testing
