#pragma once
// The shaded share of the target from exact areas in the target plane, beside the
// raster: the same projection of the obstacles along the sun, but areas of polygon
// unions and intersections in place of counted pixels, so the answer carries no
// outline bias and does not depend on a resolution.
//
// With A the area of the targets' union, S the area of the target inside the union
// of all shadows and T the area of the target inside the shadows of crowns (names
// starting "Baum", when the model has a foliage line) and outside every other
// shadow, the fraction is S / (A + (1 - f/100) T): the raster's formula with areas.
// Polygons that cross themselves count by the even-odd rule, as the raster fills them.

#include "engine/Model.h"
#include "engine/Vec3.h"

#include <memory>

namespace penumbro {

struct ShadowAreas {
    double target = 0;  // A
    double shaded = 0;  // S, crowns included
    double crown = 0;   // T
};

// S / (A + (1 - f/100) T); throws std::domain_error when A is zero.
double exactShadedFraction(const ShadowAreas& areas, int foliagePercent);

class ExactShading {
public:
    ExactShading();
    ~ExactShading();
    ExactShading(ExactShading&&) noexcept;
    ExactShading& operator=(ExactShading&&) noexcept;

    // Start of a run: the next pass takes the targets afresh from its model.
    void reset();
    // Builds the targets' union if it is due and returns its area; 0 means the
    // targets cover nothing (a run refuses such a target, as the raster's does).
    double prepare(const CompiledModel& model);
    // The areas for one sun direction of the projection frame (sun.y > 0, as for the
    // raster). The targets' union is built on the first pass after reset() and kept.
    // Throws std::domain_error when the targets have no area.
    ShadowAreas pass(const CompiledModel& model, const Vec3& sun);

    // Culling (on unless PENUMBRO_NO_CULLING says otherwise): a pass then clips only
    // the obstacles whose shadow can reach the targets' box; the others would have
    // been clipped away entirely.
    void setCulling(bool on);
    bool culling() const;

private:
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

}  // namespace penumbro
