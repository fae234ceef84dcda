#pragma once
// Plain surfaces (rectangles, polygons, target surfaces): the lines of one surface
// block and their read-back for a change. A rectangle is a polygon of four corners;
// after a change it comes back as one.

#include "editor/generators/GeneratorFormat.h"
#include "editor/generators/Placement.h"
#include "project/ProjectText.h"

#include <cstddef>
#include <string>
#include <vector>

namespace penumbro {

inline constexpr std::size_t kMinCorners = 3;
inline constexpr std::size_t kMaxCorners = 12;

// A plain surface as its panel describes it. Corners run counter-clockwise seen from
// the side the surface faces, 3 to 12 of them.
struct PlainSurface {
    std::string name;  // as typed (no "$#" prefix)
    bool target = false;
    std::vector<UV> corners;
    Placement placement;  // azimuth and elevation in degrees as entered
};

// The corners of a rectangle with side lengths lu, lv and lower-left corner (u0, v0),
// counter-clockwise from the lower-left one.
std::vector<UV> rectangleCorners(double lu, double lv, double u0, double v0);

// Site-frame vertices of the corners.
std::vector<Vec3> placeCorners(const std::vector<UV>& corners, const Placement& placement);

// The surface block: name, ["Target"], corner count, one local line per corner, the
// placement line, one vertex line per corner. Adds one surface to the count line.
Lines generatePlainSurface(const PlainSurface& surface);

// The lines of a plain surface or overhang whose name line is lines[nameLine], read
// back: the name line, whether the "Target" line follows, the corners from the local
// lines and the five numbers of the line after them. Throws InputError naming the
// 1-based line that is missing or does not read (file left empty for the caller).
struct PlainSurfaceLines {
    std::string nameLine;
    bool target = false;
    std::vector<UV> corners;
    double placement[5] = {0, 0, 0, 0, 0};
    std::size_t countLine = 0;      // index of the corner count line
    std::size_t placementLine = 0;  // index of the placement line
};
PlainSurfaceLines readPlainSurfaceLines(const Lines& lines, std::size_t nameLine);

// A plain surface read back for a change (a "$#" prefix of an overhang is removed
// together with its number; use the overhang read-back to keep it).
PlainSurface readPlainSurface(const Lines& lines, std::size_t nameLine);

// The placement of a target surface whose name line is lines[nameLine]: the five
// numbers of the line after its corner lines.
Placement readTargetPlacement(const Lines& lines, std::size_t nameLine);

// The name without an overhang's "$#" prefix and number.
std::string stripOverhangPrefix(const std::string& nameLine);

}  // namespace penumbro
