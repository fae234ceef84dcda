#include "editor/PolygonGenerator.h"

#include "project/InputError.h"
#include "project/Numbers.h"

namespace penumbro {

namespace {

[[noreturn]] void badLine(std::size_t index, const std::string& what) {
    throw InputError({}, static_cast<int>(index + 1), what);
}

const std::string& lineAt(const Lines& lines, std::size_t index, const char* what) {
    if (index >= lines.size()) badLine(index, std::string("text ends before the ") + what);
    return lines[index];
}

}  // namespace

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
    Lines out;
    out.push_back(surface.name);
    if (surface.target) out.push_back("Target");
    out.push_back(formatInt(static_cast<long long>(surface.corners.size())));
    for (const UV& c : surface.corners) out.push_back(localLine(c));
    const Placement& p = surface.placement;
    out.push_back(placementLine(p.azimuth, p.elevation, p.aufpunkt.x, p.aufpunkt.y, p.aufpunkt.z));
    for (const Vec3& v : placeCorners(surface.corners, p)) out.push_back(vertexLine(v));
    return out;
}

PlainSurfaceLines readPlainSurfaceLines(const Lines& lines, std::size_t nameLine) {
    PlainSurfaceLines r;
    r.nameLine = lineAt(lines, nameLine, "surface's name line");
    std::size_t i = nameLine + 1;
    if (lineAt(lines, i, "corner count") == "Target") {
        r.target = true;
        ++i;
    }
    const auto n = parseInteger(trimBlanks(lineAt(lines, i, "corner count")));
    if (!n || *n < static_cast<long long>(kMinCorners) || *n > static_cast<long long>(kMaxCorners))
        badLine(i, "corner count is not a number from 3 to 12: \"" + lines[i] + "\"");
    r.countLine = i;
    for (long long k = 0; k < *n; ++k) {
        ++i;
        auto numbers = readLineNumbers(lineAt(lines, i, "corner lines"), 3);
        if (!numbers || lines[i].empty() || lines[i][0] != '#')
            badLine(i, "not a corner line \"# u 0 v\": \"" + lines[i] + "\"");
        r.corners.push_back({(*numbers)[0], (*numbers)[2]});
    }
    ++i;
    auto placement = readLineNumbers(lineAt(lines, i, "placement line"), 5);
    if (!placement || lines[i].empty() || lines[i][0] != '#')
        badLine(i, "not a placement line of five numbers: \"" + lines[i] + "\"");
    for (std::size_t k = 0; k < 5; ++k) r.placement[k] = (*placement)[k];
    r.placementLine = i;
    return r;
}

std::string stripOverhangPrefix(const std::string& nameLine) {
    if (nameLine.compare(0, 2, "$#") != 0) return nameLine;
    std::size_t i = 2;
    while (i < nameLine.size() && nameLine[i] >= '0' && nameLine[i] <= '9') ++i;
    return nameLine.substr(i);
}

PlainSurface readPlainSurface(const Lines& lines, std::size_t nameLine) {
    PlainSurfaceLines r = readPlainSurfaceLines(lines, nameLine);
    PlainSurface s;
    s.name = stripOverhangPrefix(r.nameLine);
    s.target = r.target;
    s.corners = r.corners;
    s.placement = {r.placement[0], r.placement[1], {r.placement[2], r.placement[3], r.placement[4]}};
    return s;
}

Placement readTargetPlacement(const Lines& lines, std::size_t nameLine) {
    return readPlainSurface(lines, nameLine).placement;
}

}  // namespace penumbro
