#pragma once
// The house generator: seven surfaces of a gable-roofed house, built in a standard
// position (one corner at the origin, floor in the quadrant of positive x and y,
// ridge along y), turned clockwise about the vertical axis, then shifted.

#include "engine/Vec3.h"
#include "project/ProjectText.h"

#include <cstddef>
#include <string>

namespace penumbro {

struct House {
    std::string name;      // free text, may be empty
    double ewWidth = 0;    // B: extent along y, the width of the east and west walls
    double nsWidth = 0;    // A: extent along x, the width of the north and south walls
    double height = 0;     // H: wall height
    double roof = 0;       // R: roof height above the walls
    double rotation = 0;   // degrees, clockwise seen from above, 0..360
    Vec3 shift;
};

// The 42 lines: "Frontseite", the parameter line, then the seven surfaces' counts and
// vertex lines (names of surfaces 2 to 7 before their counts).
Lines generateHouse(const House& house);

// The house whose name line "Frontseite" is lines[nameLine], read back from its
// parameter line. Throws InputError naming the line that is missing or unreadable.
House readHouse(const Lines& lines, std::size_t nameLine);

}  // namespace penumbro
