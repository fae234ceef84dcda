#pragma once
// The house panel ("Generiere Haus"): its field texts, their check and the 42 lines.

#include "editor/generators/HouseGenerator.h"
#include "editor/panels/NumberFields.h"

#include <array>
#include <string>

namespace penumbro {

struct HousePanel {
    std::string name;      // Hausname, free text
    std::string ewWidth;   // Edit22: width of the east and west sides (along y), >= 0
    std::string nsWidth;   // Edit23: width of the north and south sides (along x), >= 0
    std::string height;    // Edit24: height without the roof, >= 0
    std::string roof;      // Edit25: roof height, >= 0
    std::string rotation;  // Edit13: clockwise turn in degrees, 0..360
    std::string x, y, z;   // Edit14, Edit15, Edit21: shift

    PanelCheck check(Language lang) const;
    // Throws InputError naming the first bad field.
    House house(Language lang) const;
    Lines generate(Language lang) const;
};

using HouseField = NumberField<HousePanel, House>;
// The eight numbers, in the order of the parameter line.
const std::array<HouseField, 8>& houseFields();

// Objekt_aendern for a house whose name line "Frontseite" is lines[nameLine].
HousePanel housePanelFromLines(const Lines& lines, std::size_t nameLine);

}  // namespace penumbro
