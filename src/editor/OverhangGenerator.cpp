#include "editor/OverhangGenerator.h"

#include "editor/PolygonGenerator.h"
#include "project/InputError.h"
#include "project/Numbers.h"

namespace penumbro {

std::string overhangNameLine(int targetNumber, const std::string& name) {
    return "$#" + formatInt(targetNumber) + name;
}

int overhangTargetNumber(const std::string& nameLine) {
    if (nameLine.compare(0, 2, "$#") != 0) return -1;
    std::size_t i = 2;
    long long n = 0;
    while (i < nameLine.size() && nameLine[i] >= '0' && nameLine[i] <= '9') {
        n = n * 10 + (nameLine[i] - '0');
        if (n > 1000000) return -1;  // no project holds that many objects
        ++i;
    }
    return i == 2 ? -1 : static_cast<int>(n);
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
        p = turnAboutZ(tiltAboutX(p, de), da);
        p.x += first.u;
        p.z += first.v;
        // ...then placed as the target is.
        p = turnAboutZ(tiltAboutX(p, et), phi);
        out.push_back({p.x + target.aufpunkt.x, p.y + target.aufpunkt.y, p.z + target.aufpunkt.z});
    }
    return out;
}

Lines generateOverhang(const Overhang& overhang, const Placement& target) {
    Lines out;
    out.push_back(overhangNameLine(overhang.targetNumber, overhang.name));
    out.push_back(formatInt(static_cast<long long>(overhang.corners.size())));
    for (const UV& c : overhang.corners) out.push_back(localLine(c));
    out.push_back(placementLine(overhang.azimuthDifference, overhang.elevationDifference,
                                overhang.formU, overhang.formV, 0.0));
    for (const Vec3& v : placeOverhang(overhang, target)) out.push_back(vertexLine(v));
    return out;
}

Overhang readOverhang(const Lines& lines, std::size_t nameLine) {
    PlainSurfaceLines r = readPlainSurfaceLines(lines, nameLine);
    Overhang o;
    o.targetNumber = overhangTargetNumber(r.nameLine);
    if (o.targetNumber < 0)
        throw InputError({}, static_cast<int>(nameLine + 1),
                         "not an overhang name line \"$#N...\": \"" + r.nameLine + "\"");
    o.name = stripOverhangPrefix(r.nameLine);
    o.corners = r.corners;
    o.azimuthDifference = r.placement[0];
    o.elevationDifference = r.placement[1];
    o.formU = r.placement[2];
    o.formV = r.placement[3];
    return o;
}

}  // namespace penumbro
