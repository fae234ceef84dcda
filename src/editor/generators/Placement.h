#pragma once
// Placing a surface given in its own u-v frame into the site frame (x east, y north,
// z up). A local point (u, v) is the 3-D point (u, 0, v); the surface is tilted about
// the x axis by its elevation, turned clockwise (seen from above) about z by its
// azimuth + 180 degrees and moved to its Aufpunkt.

#include "engine/Vec3.h"

namespace penumbro {

// Where a plain surface stands (its placement line): azimuth (degrees clockwise
// from north, the direction the surface faces), elevation (degrees, 0 vertical, +90
// facing the sky, -90 facing the ground) and origin, the site-frame point of its
// local origin (the Aufpunkt).
struct Placement {
    double azimuth = 0;
    double elevation = 0;
    Vec3 origin;
};

// A point of the surface's local frame (u along x, v along z, y off the plane) in
// the site frame.
Vec3 placeLocal(const Placement& placement, const Vec3& local);

}  // namespace penumbro
