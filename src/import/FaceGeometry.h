#pragma once
// The geometry between a model's faces and the project's plain surfaces: a face's
// placement and u-v corners, coplanar triangles merged back into polygons, and
// polygons split into convex pieces a surface can hold even after clipping.

#include "editor/generators/GeneratorFormat.h"
#include "editor/generators/Placement.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace penumbro {

// Largest piece written: clipping at a target plane adds at most one corner per
// corner behind it with both neighbours in front, so an 8-gon stays within 12 and a
// convex piece gains at most one.
inline constexpr std::size_t kMaxImportCorners = 8;
// Faces smaller than this (m^2) are dropped.
inline constexpr double kMinFaceArea = 1e-6;

using Ring = std::vector<UV>;

// The placement of the plane of a ring, as the placement line will hold it (angles
// and Aufpunkt rounded as written): azimuth and elevation of the face's normal
// (counter-clockwise seen from outside), the first corner as Aufpunkt. A horizontal
// face gets azimuth 180. Empty when the ring has no area.
std::optional<Placement> placementOf(const std::vector<Vec3>& ring);

// The corners in the u-v frame of the placement.
Ring toLocal(const std::vector<Vec3>& ring, const Placement& placement);

// Signed area (positive counter-clockwise).
double signedArea(const Ring& ring);

// True for a ring with fewer than 3 distinct corners or less than kMinFaceArea.
bool degenerate(const Ring& ring);

// The ring without corners repeated in a row and corners on a straight line between
// their neighbours.
Ring withoutRedundantCorners(const Ring& ring);

// The ring itself when it has at most kMaxImportCorners corners (redundant ones
// removed), else convex pieces of at most that many corners covering it.
std::vector<Ring> convexPieces(const Ring& ring);

// Triangles covering a simple ring (corner indices), for writers that take triangles.
std::vector<std::array<int, 3>> triangulateRing(const Ring& ring);

// Adjacent triangles of one plane merged into polygons and cut into pieces as
// convexPieces does; a merged polygon with holes keeps them open (its triangles are
// merged into convex pieces instead).
std::vector<Ring> mergeTriangles(const std::vector<std::array<UV, 3>>& triangles);

}  // namespace penumbro
