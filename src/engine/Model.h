#pragma once
// The compiled scene: what the engine computes with. Built afresh from the project
// text before every run (see Compiler.h); never written back.
//
// Frames. The world frame has x east, y north, z up. After compilation every
// surface is in the frame of the first target: the first target lies in the plane
// y = 0 with its outward normal along -y, x runs horizontally along it, z up along
// it, and every target vertex has x >= 0 and z >= 0. Obstacles lie in y <= 0.

#include "engine/Vec3.h"
#include "project/ProjectFormat.h"

#include <array>
#include <string>
#include <vector>

namespace penumbro {

// Clipping at the target plane adds a vertex for each vertex behind the plane whose
// two neighbours are in front, so a declared 12-gon can grow to 18 vertices.
inline constexpr int kMaxPolygonVertices = 24;

// One planar surface.
struct TFlaeche {
    std::string name;  // the name line, verbatim (Windows-1252 bytes)
    int n = 0;         // vertex count, 0..kMaxPolygonVertices
    std::array<Vec3, kMaxPolygonVertices> v{};  // v[0..n-1], in order
    double alpha = 0;  // normal azimuth in the world frame, radians, 0 <= alpha < 2 pi,
                       // counted from +y (north) toward +x (east)
    double beta = 0;   // normal elevation in the world frame, radians, -pi/2..pi/2
    bool istTarget = false;
};

struct Site {
    double latitude = 0;    // degrees, positive north
    double longitude = 0;   // degrees, positive WEST of Greenwich
    double correction = 0;  // hours added to the clock time (negative east of Greenwich)
};

// The angles that carry the world into the target frame, kept for the whole run.
struct TargetFrame {
    double alphaPrime = 0;  // minus the first target's normal azimuth, radians
    double beta = 0;        // the first target's normal elevation, radians
    Vec3 origin;            // subtracted after the rotations
};

struct CompiledModel {
    // Slot k of the surface table is flaechen[k - 1]; the slot number picks the
    // obstacle colour, so the order matters (trees first when foliage is given).
    std::vector<TFlaeche> flaechen;
    bool hasFoliage = false;         // the text has a "Belaubung" line
    std::array<int, 12> foliage{};   // percent of full foliage, January..December
    std::vector<HorizonEntry> horizon;
    Site site;
    std::array<int, 12> reflectance{};  // ground reflectance in percent, January..December
    TargetFrame frame;
};

}  // namespace penumbro
