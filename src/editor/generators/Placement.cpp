#include "editor/generators/Placement.h"

#include "editor/generators/GeneratorFormat.h"
#include "engine/Frames.h"

namespace penumbro {

Vec3 placeLocal(const Placement& placement, const Vec3& local) {
    const double phi = (placement.azimuth + 180.0) / kDegreesPerRadian;
    const double e = placement.elevation / kDegreesPerRadian;
    const Vec3 p = rotatedAboutZ(rotatedAboutX(local, e), phi);
    return {p.x + placement.origin.x, p.y + placement.origin.y, p.z + placement.origin.z};
}

}  // namespace penumbro
