#pragma once
// Project texts shared by the tests of every layer, written as the editor writes them.

#include "project/ProjectText.h"

#include <string>
#include <vector>

namespace penumbro::testing {

// A plain surface as the rectangle panel writes it: name, optional "Target", count,
// the local lines, the placement line, then the world vertices.
inline Lines plainSurface(const std::string& name, bool target, const std::string& placement,
                          const std::vector<std::string>& vertices) {
    Lines t = {name};
    if (target) t.push_back("Target");
    t.push_back(std::to_string(vertices.size()));
    for (std::size_t k = 0; k < vertices.size(); ++k) t.push_back("# 0.000000 0.000000 0.000000");
    t.push_back(placement);
    t.insert(t.end(), vertices.begin(), vertices.end());
    return t;
}

// The target "Kollektor": 4 x 3, facing south, tilted 45 degrees, at (12, 12, 5).
inline Lines collectorSurface() {
    return plainSurface("Kollektor", true, "# 180.000  45.000  12.000  12.000  5.000",
                        {"12.000000 12.000000 5.000000", "16.000000 12.000000 5.000000",
                         "16.000000 14.121320 7.121320", "12.000000 14.121320 7.121320"});
}

// A vertical wall 10 m wide and 4 m high south of the collector.
inline Lines wallSurface() {
    return plainSurface("Mauer", false, "# 180.000  90.000  10.000  5.000  0.000",
                        {"10.000000 5.000000 0.000000", "20.000000 5.000000 0.000000",
                         "20.000000 5.000000 4.000000", "10.000000 5.000000 4.000000"});
}

// A whole project around the given surfaces: comment, count, surfaces, optional
// horizon lines, site and ground reflectance.
inline Lines project(const std::vector<Lines>& surfaces, int surfaceCount = -1,
                     const Lines& horizon = {}) {
    Lines t = {"* Testprojekt"};
    int count = 0;
    for (const auto& s : surfaces) count += s.size() > 1 && s[0] == "Frontseite" ? 7 : 1;
    t.push_back(std::to_string(surfaceCount >= 0 ? surfaceCount : count));
    for (const auto& s : surfaces) t.insert(t.end(), s.begin(), s.end());
    if (!horizon.empty()) t.push_back("Horizont"), t.insert(t.end(), horizon.begin(), horizon.end());
    t.insert(t.end(), {"Standort", "50.0 0.0 0.0", "Bodenreflexion", " 20 20 20 20 20 20 20 20 20 20 20 20"});
    return t;
}

// Collector and wall: the smallest scene that casts a shadow.
inline Lines collectorProject() { return project({collectorSurface(), wallSurface()}); }

// Path of a shipped example project.
inline std::string examplePath(const std::string& name) {
    return std::string(PENUMBRO_SOURCE_DIR) + "/examples/" + name;
}

}  // namespace penumbro::testing
