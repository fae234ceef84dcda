#include "editor/generators/PolygonGenerator.h"

#include "project/Numbers.h"
#include "project/ProjectFormat.h"

namespace penumbro {

std::vector<UV> rectangleCorners(double lu, double lv, double u0, double v0) {
    return {{u0, v0}, {u0 + lu, v0}, {u0 + lu, v0 + lv}, {u0, v0 + lv}};
}

std::vector<Vec3> placeCorners(const std::vector<UV>& corners, const Placement& placement) {
    std::vector<Vec3> vertices;
    vertices.reserve(corners.size());
    for (const UV& c : corners) vertices.push_back(placeLocal(placement, {c.u, 0.0, c.v}));
    return vertices;
}

Lines generatePlainSurface(const PlainSurface& surface) {
    std::vector<UV> corners;
    for (const UV& c : surface.corners) corners.push_back(asWritten(c));
    const int d = kParameterDecimals;
    const Placement& typed = surface.placement;
    const Placement p{asWritten(typed.azimuth, d), asWritten(typed.elevation, d), asWritten(typed.origin, d)};
    Lines out;
    out.push_back(surface.name);
    if (surface.target) out.emplace_back(kTargetKeyword);
    out.push_back(formatInt(static_cast<long long>(corners.size())));
    for (const UV& c : corners) out.push_back(localLine(c));
    out.push_back(placementLine(p.azimuth, p.elevation, p.origin.x, p.origin.y, p.origin.z));
    for (const Vec3& v : placeCorners(corners, p)) out.push_back(vertexLine(v));
    return out;
}

}  // namespace penumbro
