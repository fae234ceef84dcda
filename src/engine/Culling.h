#pragma once
// Which obstacles can throw a shadow into a rectangle of the target plane, by sun
// direction, so that a pass only projects and fills those.
//
// The shadow of an obstacle vertex (x, y, z), y <= 0, along a sun s of the projection
// frame (s.y > 0) is (x + d u, z + d v) with d = -y, u = s.x / s.y and v = -s.z / s.y.
// Its bounding box meets the rectangle [xmin, xmax] x [zmin, zmax] exactly when u lies
// in one interval and v in another, both fixed per obstacle: max_i (x_i + d_i u) grows
// with u and min_i (x_i + d_i u) too. So every obstacle has a box in (u, v), and a
// grid over (u, v) lists per cell the obstacles whose box meets it. A query visits
// one cell and tests its obstacles' boxes.
//
// The answer is a superset of the obstacles whose shadow's bounding box meets the
// rectangle (a little more through the boxes' rounding margin); callers give the
// rectangle with whatever margin their own rounding needs.

#include "engine/Model.h"
#include "engine/Vec3.h"

#include <vector>

namespace penumbro {

// True when the environment variable PENUMBRO_NO_CULLING is set to anything but ""
// or "0": every pass then takes every obstacle (for checks and bug reports).
bool cullingSwitchedOff();

struct PlaneBox {
    double xmin = 0, xmax = 0, zmin = 0, zmax = 0;  // target-frame metres
};

class ShadowCulling {
public:
    // Prepares for the obstacles (non-targets) of model and shadows into box. Keeps no
    // reference to model; its obstacles must stay as they are while this is used.
    void build(const CompiledModel& model, const PlaneBox& box);
    // Whether build() was last called for this model object with this many surfaces.
    bool builtFor(const CompiledModel& model) const;

    // Indices into model.flaechen, ascending, of the obstacles whose shadow along sun
    // (sun.y > 0) may reach the box. Valid until the next call.
    const std::vector<int>& candidates(const Vec3& sun);

private:
    struct Reach {
        double uLow, uHigh, vLow, vHigh;
    };
    int cellOf(const std::vector<double>& bounds, double t) const;

    const void* model_ = nullptr;
    std::size_t surfaces_ = 0;
    std::vector<Reach> reach_;  // per surface; empty intervals for targets
    std::vector<int> always_;   // obstacles whose box covers too many cells
    std::vector<double> bounds_;  // cell limits, the same on both axes
    std::vector<int> cellStart_;  // cell c lists cellItems_[cellStart_[c] .. cellStart_[c + 1])
    std::vector<int> cellItems_;
    std::vector<int> result_;
};

}  // namespace penumbro
