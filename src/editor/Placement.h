#pragma once
// Placing a surface given in its own u-v frame into the site frame (x east, y north,
// z up). A local point (u, v) is the 3-D point (u, 0, v); the surface is tilted about
// the x axis by its elevation, turned clockwise (seen from above) about z by its
// azimuth + 180 degrees and moved to its Aufpunkt.

#include "engine/Vec3.h"

namespace penumbro {

// Where a plain surface stands: azimuth (degrees clockwise from north, the direction
// the surface faces), elevation (degrees, 0 vertical, +90 facing the sky, -90 facing
// the ground) and the site-frame point of its local origin.
struct Placement {
    double azimuth = 0;
    double elevation = 0;
    Vec3 aufpunkt;
};

// y' = y cos b + z sin b, z' = -y sin b + z cos b (b in radians).
Vec3 tiltAboutX(const Vec3& p, double b);
// Clockwise seen from above: x' = x cos a + y sin a, y' = -x sin a + y cos a (radians).
Vec3 turnAboutZ(const Vec3& p, double a);

// A point of the surface's local frame (u along x, v along z, y off the plane) in
// the site frame.
Vec3 placeLocal(const Placement& placement, const Vec3& local);

}  // namespace penumbro
