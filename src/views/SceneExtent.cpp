#include "views/SceneExtent.h"

#include <algorithm>
#include <cmath>

namespace penumbro {

SceneExtent SzenenAusdehnung(const ProjectScan& scan) {
    SceneExtent extent;
    if (scan.surfaceCount <= 0) return extent;
    extent.hasObjects = true;
    for (const SurfaceRecord& surface : scan.surfaces)
        for (const Point3& p : surface.vertices)
            for (double c : p) extent.size = std::max(extent.size, std::fabs(c));
    return extent;
}

}  // namespace penumbro
