#include "editor/Placement.h"

#include "editor/GeneratorFormat.h"

#include <cmath>

namespace penumbro {

Vec3 tiltAboutX(const Vec3& p, double b) {
    const double c = std::cos(b);
    const double s = std::sin(b);
    return {p.x, p.y * c + p.z * s, -p.y * s + p.z * c};
}

Vec3 turnAboutZ(const Vec3& p, double a) {
    const double c = std::cos(a);
    const double s = std::sin(a);
    return {p.x * c + p.y * s, -p.x * s + p.y * c, p.z};
}

Vec3 placeLocal(const Placement& placement, const Vec3& local) {
    const double phi = (placement.azimuth + 180.0) / kDegreesPerRadian;
    const double e = placement.elevation / kDegreesPerRadian;
    Vec3 p = turnAboutZ(tiltAboutX(local, e), phi);
    return {p.x + placement.aufpunkt.x, p.y + placement.aufpunkt.y, p.z + placement.aufpunkt.z};
}

}  // namespace penumbro
