#include "editor/generators/OverhangGenerator.h"

#include "engine/Frames.h"
#include "project/Numbers.h"

namespace penumbro {

std::string overhangNameLine(int targetNumber, const std::string& name) {
    return std::string(kOverhangPrefix) + formatInt(targetNumber) + name;
}

std::vector<Vec3> placeOverhang(const Overhang& overhang, const Placement& target) {
    std::vector<Vec3> out;
    if (overhang.corners.empty()) return out;
    const UV first = overhang.corners.front();
    const double da = overhang.azimuthDifference / kDegreesPerRadian;
    const double de = overhang.elevationDifference / kDegreesPerRadian;
    const double et = target.elevation / kDegreesPerRadian;
    const double phi = (target.azimuth + 180.0) / kDegreesPerRadian;
    for (const UV& c : overhang.corners) {
        // Turned about its first corner within the target's frame...
        Vec3 p{c.u - first.u, 0.0, c.v - first.v};
        p = rotatedAboutZ(rotatedAboutX(p, de), da);
        p.x += first.u;
        p.z += first.v;
        // ...then placed as the target is.
        p = rotatedAboutZ(rotatedAboutX(p, et), phi);
        out.push_back({p.x + target.origin.x, p.y + target.origin.y, p.z + target.origin.z});
    }
    return out;
}

Lines generateOverhang(const Overhang& typed, const Placement& target) {
    Overhang overhang = typed;
    for (UV& c : overhang.corners) c = asWritten(c);
    overhang.azimuthDifference = asWritten(typed.azimuthDifference, kParameterDecimals);
    overhang.elevationDifference = asWritten(typed.elevationDifference, kParameterDecimals);
    Lines out;
    out.push_back(overhangNameLine(overhang.targetNumber, overhang.name));
    out.push_back(formatInt(static_cast<long long>(overhang.corners.size())));
    for (const UV& c : overhang.corners) out.push_back(localLine(c));
    out.push_back(placementLine(overhang.azimuthDifference, overhang.elevationDifference,
                                overhang.formU, overhang.formV, 0.0));
    for (const Vec3& v : placeOverhang(overhang, target)) out.push_back(vertexLine(v));
    return out;
}

}  // namespace penumbro
