#pragma once
// The tree generator: four crown octagons and three trunk faces, scaled from a unit
// tree, with the twelve monthly foliage percentages in the "Belaubung" line.

#include "engine/Vec3.h"
#include "project/ProjectText.h"

#include <array>
#include <cstddef>
#include <string>

namespace penumbro {

struct Tree {
    std::string name;          // free text, may be empty
    double trunkHeight = 0;    // h: the crown starts here
    double trunkDiameter = 0;  // d
    double crownDiameter = 0;  // D: also the crown's height
    Vec3 foot;                 // foot point of the trunk
    std::array<int, 12> foliage{};  // percent 0..100, January first
};

// "Belaubung " + twelve fields of three characters.
std::string foliageLine(const std::array<int, 12>& foliage);

// The 60 lines: "Baum", the "Belaubung" line, the parameter line, then the seven
// surfaces' counts and vertex lines (names of surfaces 2 to 7 before their counts).
Lines generateTree(const Tree& tree);

// The tree whose name line "Baum" is lines[nameLine], read back from its "Belaubung"
// and parameter lines. Throws InputError naming the line that is missing or unreadable.
Tree readTree(const Lines& lines, std::size_t nameLine);

}  // namespace penumbro
