#include "views/ViewScene.h"

#include "project/InputError.h"
#include "project/Numbers.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace penumbro {

namespace {

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

class SceneReader {
public:
    SceneReader(const Lines& text, const std::string& fileName) : text_(text), file_(fileName) {}

    ViewObject object(const ProjectScan& scan, const ObjectRecord& record) const {
        const SurfaceRecord& first = scan.surfaces[record.firstSurface];
        ViewObject o;
        o.kind = record.kind;
        o.nameLine = record.nameLine;
        if (record.kind == ObjectKind::Plain) {
            plainSurface(first, o);
        } else {
            if (!first.parameterLine)
                fail(first.countLine, {ErrorId::LacksParameterLine,
                                       {record.kind == ObjectKind::Tree ? ErrorId::WordTree : ErrorId::WordHouse}});
            const std::string_view tag = record.kind == ObjectKind::Tree ? kTreeTag : kHouseTag;
            o.parameters = numbers(*first.parameterLine, tag);
        }
        return o;
    }

    // Entries come checked (0 <= from <= to <= 360), so a wall has at most 37 segments.
    static HorizonWall wall(const HorizonEntry& entry) {
        HorizonWall w{entry.from - 90.0, entry.to - 90.0, entry.height, 1};
        if (w.height == 90.0) w.height = 89.9;  // tan(90) has no wall top
        w.segments = static_cast<long long>(std::trunc(w.to - w.from + 1.0)) / 10 + 1;
        return w;
    }

private:
    // The editor writes the n local lines and the placement line right after the
    // vertex count; "#" lines further down among the vertices are skipped. A surface
    // without them (they are optional) is drawn from its vertices alone.
    void plainSurface(const SurfaceRecord& s, ViewObject& o) const {
        o.target = s.target;
        o.vertices = s.vertices;
        const std::size_t n = s.vertices.size();
        if (n == 0) return;  // nothing to draw
        for (std::size_t k = 0; k <= n; ++k) {
            if (k >= s.hashLines.size() || s.hashLines[k] != s.countLine + 1 + k) {
                fromVertices(o);
                return;
            }
        }
        o.local.reserve(n);
        for (std::size_t k = 0; k < n; ++k) {
            const LineNumbers z = numbers(s.hashLines[k]);
            o.local.push_back({z[0], z[2]});
        }
        const LineNumbers placement = numbers(s.hashLines[n]);
        o.azimuth = placement[0];
        o.elevation = placement[1];
    }

    // Placement and local corners worked out from the world vertices: the azimuth and
    // elevation of the surface's normal (Newell's, so the corners run counter-clockwise
    // seen from its front, as the editor writes them), and the corners in the plane's
    // own frame, u horizontal to the right and v up the plane seen from the front.
    static void fromVertices(ViewObject& o) {
        const std::vector<Point3>& p = o.vertices;
        double n[3] = {0, 0, 0};
        for (std::size_t i = 0; i < p.size(); ++i) {
            const Point3& a = p[i];
            const Point3& b = p[(i + 1) % p.size()];
            n[0] += (a[1] - b[1]) * (a[2] + b[2]);
            n[1] += (a[2] - b[2]) * (a[0] + b[0]);
            n[2] += (a[0] - b[0]) * (a[1] + b[1]);
        }
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (!(length > 0)) {  // no area: a line or a point, drawn as its outline only
            o.local.assign(p.size(), PointUV{});
            return;
        }
        for (double& c : n) c /= length;
        constexpr double kDegree = 180.0 / 3.14159265358979323846;
        o.azimuth = std::atan2(n[0], n[1]) * kDegree;
        if (o.azimuth < 0) o.azimuth += 360.0;
        o.elevation = std::asin(std::clamp(n[2], -1.0, 1.0)) * kDegree;
        // u = up x n, horizontal; for a horizontal plane east.
        double u[3] = {-n[1], n[0], 0};
        const double h = std::hypot(u[0], u[1]);
        if (h < 1e-12) {
            u[0] = 1, u[1] = 0;
        } else {
            u[0] /= h, u[1] /= h;
        }
        const double v[3] = {n[1] * u[2] - n[2] * u[1], n[2] * u[0] - n[0] * u[2], n[0] * u[1] - n[1] * u[0]};
        o.local.clear();
        for (const Point3& q : p) {
            const double d[3] = {q[0] - p[0][0], q[1] - p[0][1], q[2] - p[0][2]};
            o.local.push_back({d[0] * u[0] + d[1] * u[1] + d[2] * u[2], d[0] * v[0] + d[1] * v[1] + d[2] * v[2]});
        }
    }

    // The numbers of a "#" line after its "#" (up to the object tag, if any); one
    // beyond kMaxCoordinate is refused, since its scaled and turned copies overflow.
    LineNumbers numbers(std::size_t index, std::string_view tag = {}) const {
        std::string_view line(text_[index]);
        line.remove_prefix(line.empty() ? 0 : 1);
        if (!tag.empty()) line = line.substr(0, line.find(tag));
        LineNumbers z{};
        const std::size_t count = ZahlenZerlegen(line, z);
        for (std::size_t k = 0; k < count; ++k)
            if (!(std::fabs(z[k]) <= kMaxCoordinate))
                fail(index, {ErrorId::NumberNotDrawable, {quoted(text_[index])}});
        return z;
    }

    [[noreturn]] void fail(std::size_t index, ErrorMessage what) const {
        throw InputError(file_, static_cast<int>(index) + 1, what);
    }

    const Lines& text_;
    const std::string& file_;
};

}  // namespace

std::size_t ZahlenZerlegen(std::string_view line, LineNumbers& numbers) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (count < numbers.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ') ++i;
        numbers[count++] = parseNumber(line.substr(start, i - start)).value_or(0.0);
    }
    return count;
}

ViewScene readViewScene(const Lines& text, const ProjectScan& scan, const std::string& fileName) {
    const SceneReader reader(text, fileName);
    ViewScene scene;
    scene.extent = SzenenAusdehnung(scan);
    scene.objects.reserve(scan.objects.size());
    for (const ObjectRecord& record : scan.objects) scene.objects.push_back(reader.object(scan, record));
    scene.hasHorizon = scan.horizonLine.has_value();
    for (const HorizonEntry& entry : horizonEntries(text, scan, fileName))
        scene.horizon.push_back(SceneReader::wall(entry));
    return scene;
}

ViewScene readViewScene(const Lines& text, const std::string& fileName) {
    return readViewScene(text, scanSoundProject(text, fileName), fileName);
}

}  // namespace penumbro
