#pragma once
// Filling of a plain surface for the 3D preview, worked out in the surface's own
// (u, v) plane. A diagonal i->j is usable when it starts into the polygon's inside at
// vertex i (left of the edge i->i+1 and of the way back to i-1) and crosses no edge;
// every triple of vertices joined pairwise by edges or usable diagonals becomes a
// triangle. For a convex polygon these triangles overlap, which a one-coloured fill
// does not show; for a non-convex one no triangle covers a notch. Corners are taken
// counter-clockwise, as the editor writes them.

#include <array>
#include <vector>

namespace penumbro {

struct PointUV {
    double u = 0.0;
    double v = 0.0;
};

// True when r lies strictly left of the line p->q.
bool leftOf(const PointUV& p, const PointUV& q, const PointUV& r);

// True when the segments a->b and c->d cross strictly inside both (touching at an end
// point and parallel segments do not count).
bool crosses(const PointUV& a, const PointUV& b, const PointUV& c, const PointUV& d);

// The triangles that fill the polygon, as 0-based vertex indices (i < j < k), in the
// order i, then j, then k ascending.
std::vector<std::array<int, 3>> Diagonalentest(const std::vector<PointUV>& corners);

}  // namespace penumbro
