#include "editor/generators/OverhangGenerator.h"

#include "engine/Frames.h"
#include "project/Numbers.h"

#include <algorithm>
#include <cmath>

namespace penumbro {

std::string overhangNameLine(int targetNumber, const std::string& name) {
    return std::string(kOverhangPrefix) + formatInt(targetNumber) + name;
}

namespace {
// The overhang in its target's frame: u along x, v along z, the target's front towards -y.
std::vector<Vec3> inTargetFrame(const Overhang& overhang) {
    std::vector<Vec3> out;
    if (overhang.corners.empty()) return out;
    const UV first = overhang.corners.front();
    const double da = overhang.azimuthDifference / kDegreesPerRadian;
    const double de = overhang.elevationDifference / kDegreesPerRadian;
    for (const UV& c : overhang.corners) {
        // Turned about its first corner.
        Vec3 p{c.u - first.u, 0.0, c.v - first.v};
        p = rotatedAboutZ(rotatedAboutX(p, de), da);
        out.push_back({p.x + first.u, p.y, p.z + first.v});
    }
    return out;
}
}  // namespace

bool overhangBehindTarget(const Overhang& overhang) {
    const std::vector<Vec3> points = inTargetFrame(overhang);
    double size = 0, front = 0, back = 0;
    for (const Vec3& p : points) {
        size = std::max({size, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
        front = std::max(front, -p.y);
        back = std::max(back, p.y);
    }
    // Rounding of the turns leaves corners on the plane a hair off it.
    const double tolerance = 1e-9 * std::max(1.0, size);
    return front <= tolerance && back > tolerance;
}

std::vector<Vec3> placeOverhang(const Overhang& overhang, const Placement& target) {
    std::vector<Vec3> out;
    const double et = target.elevation / kDegreesPerRadian;
    const double phi = (target.azimuth + 180.0) / kDegreesPerRadian;
    for (Vec3 p : inTargetFrame(overhang)) {
        // Placed as the target is.
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
