#include "views/ViewScene.h"

#include "project/InputError.h"
#include "project/Numbers.h"

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
    // vertex count; "#" lines further down among the vertices are skipped.
    void plainSurface(const SurfaceRecord& s, ViewObject& o) const {
        o.target = s.target;
        o.vertices = s.vertices;
        const std::size_t n = s.vertices.size();
        if (n == 0) return;  // nothing to draw
        for (std::size_t k = 0; k <= n; ++k) {
            if (k >= s.hashLines.size() || s.hashLines[k] != s.countLine + 1 + k)
                fail(s.countLine + 1 + k, {ErrorId::LacksLocalLines, {quoted(text_[s.nameLine]), std::to_string(n + 1)}});
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
