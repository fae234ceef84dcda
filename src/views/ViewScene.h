#pragma once
// What the VRML world and the 3D preview draw, read once from the project text in the
// editor's layouts: a plain surface has its n local lines and its placement line
// between the vertex count and the vertices (or, without them, is drawn from its
// vertices alone); a tree and a house take their sizes from
// their parameter lines. Both views draw from this, so they agree with each other and
// with the compiler on what the text holds.

#include "project/ProjectFormat.h"
#include "project/ProjectText.h"
#include "views/Diagonalentest.h"
#include "views/SceneExtent.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace penumbro {

// Up to ten numbers of one line.
using LineNumbers = std::array<double, 10>;

// Splits line into numbers separated by blanks, stores them into numbers from index 0
// and returns how many it found (at most ten). A field that is not a number reads as
// 0; entries beyond the returned count keep their previous values.
std::size_t ZahlenZerlegen(std::string_view line, LineNumbers& numbers);

struct ViewObject {
    ObjectKind kind = ObjectKind::Plain;
    std::size_t nameLine = 0;
    // Tree: h, d, D, fx, fy, fz; house: B, A, H, R, turn (degrees), tx, ty, tz.
    LineNumbers parameters{};
    // A plain surface (rectangle, polygon, overhang):
    bool target = false;
    double azimuth = 0;    // of the placement line, degrees
    double elevation = 0;  // of the placement line (an overhang's: the difference), degrees
    std::vector<PointUV> local;    // (u, v) of the local lines
    std::vector<Point3> vertices;  // world vertices
};

// One horizon entry as both views draw it: azimuths shifted by -90 and ordered,
// height 90 drawn as 89.9, cut into segments of at most about ten degrees.
struct HorizonWall {
    double from = 0;  // degrees
    double to = 0;
    double height = 0;
    long long segments = 1;
};

struct ViewScene {
    SceneExtent extent;
    std::vector<ViewObject> objects;  // in text order; a tree or house is one object
    bool hasHorizon = false;          // the text has a horizon section
    std::vector<HorizonWall> horizon;
};

// Reads the scene of a scanned text. Throws InputError naming fileName and the line
// for a tree or house without its parameter line, a local, placement or parameter
// line holding a number beyond kMaxCoordinate, an unreadable horizon entry or one spanning more than 3600 degrees.
ViewScene readViewScene(const Lines& text, const ProjectScan& scan, const std::string& fileName);
// The same after scanning the text (InputError also for a malformed text).
ViewScene readViewScene(const Lines& text, const std::string& fileName);

}  // namespace penumbro
