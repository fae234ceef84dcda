#pragma once
// Editor test texts: surfaces standing like the shared collector, generated trees and houses.

#include "editor/generators/HouseGenerator.h"
#include "editor/generators/TreeGenerator.h"
#include "editor/panels/OverhangPanel.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace penumbro::testtexts {

inline Lines surface(const std::string& name, bool target = false, const std::string& azimuth = "180.000",
                     const std::string& elevation = "45.000") {
    Lines s = testing::collectorSurface();
    s[0] = name;
    if (!target) s.erase(s.begin() + 1);
    s[target ? 7 : 6] = "# " + azimuth + "  " + elevation + "  12.000  12.000  5.000";
    return s;
}

inline Lines tree(const std::string& name) { return generateTree({name, 1, 1, 2.4, {}, {}}); }
inline Lines house(const std::string& name) { return generateHouse({name, 13, 5, 7, 3, 90, {4, 5, 0}}); }

// The canopy "Vordach" on object target: 4 x 1 from (0, 3) of the target, hanging down.
inline OverhangPanel canopy(int target) {
    OverhangPanel p;
    p.targetNumber = target, p.name = "Vordach", p.form = {"4", "1", "0", "3"};
    EXPECT_FALSE(p.applyUvRectangle(Language::German));
    p.azimuthDifference = "0", p.elevationDifference = "-90";
    return p;
}

// A project with the site and ground reflectance a new project gets.
inline Lines projectOf(const std::vector<Lines>& objects, int surfaces) {
    Lines t = testing::project(objects, surfaces);
    t[t.size() - 3] = "51.0 -8.0 -1.0";
    t.back() = " 40 40 30 20 20 20 20 20 20 20 30 40";
    return t;
}

}  // namespace penumbro::testtexts
