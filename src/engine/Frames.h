#pragma once
// Geometry of the target frame: normal angles, rotations, clipping at the target
// plane, the sun vector and the projection of obstacles along it.

#include "engine/Model.h"

namespace penumbro {

// Newell's sums: twice the area times the unit normal. Zero for fewer than three
// vertices, corners on one line, or a polygon too small for the sums to register.
Vec3 newellNormal(const TFlaeche& s);
// False when newellNormal is zero: the surface faces no direction.
bool hasNormal(const TFlaeche& s);

// Normal angles by Newell's sums; the vertex order decides the outward side
// (counter-clockwise seen from outside). Sets s.alpha and s.beta (radians).
void computeNormalAngles(TFlaeche& s);

// x' = cos A x + sin A y; y' = -sin A x + cos A y (clockwise seen from above).
Vec3 rotatedAboutZ(const Vec3& p, double a);
// y' = cos B y + sin B z; z' = -sin B y + cos B z.
Vec3 rotatedAboutX(const Vec3& p, double b);
// The same turns for every vertex of a surface.
void rotateAboutZ(TFlaeche& s, double a);
void rotateAboutX(TFlaeche& s, double b);

// Crossing point of the segment a-b with the plane y = 0 (t = 0 when the segment
// runs parallel to it within 1e-10 relative).
Vec3 planeCrossing(const Vec3& a, const Vec3& b);

// Keeps the part of the polygon with y <= 0 (in front of the target).
void clipAtTargetPlane(TFlaeche& s);

// Sun direction for elevation and azimuth in radians, in the frame used for the
// projection: its x and y axes are opposite to those of the target frame.
// s.y > 0 means the sun is in front of the target.
Vec3 Sonnenvektor(double elevation, double azimuth, const TargetFrame& frame);

// Projects an obstacle vertex of the target frame along the sun into y = 0.
// Only defined for sun.y > 0.
inline Vec3 projectAlongSun(const Vec3& p, const Vec3& sun) {
    const double t = -p.y / sun.y;
    return {p.x + t * sun.x, 0.0, p.z - t * sun.z};
}

}  // namespace penumbro
