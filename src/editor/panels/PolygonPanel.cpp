#include "editor/panels/PolygonPanel.h"

#include "project/Numbers.h"

namespace penumbro {

std::string cornerLabel(std::size_t i, Language lang) {
    return (lang == Language::German ? "Ecke " : "Corner ") + std::to_string(i);
}

std::optional<std::vector<UV>> readCornerGrid(const std::vector<CornerRow>& grid, std::size_t n) {
    if (grid.size() < n) return std::nullopt;
    std::vector<UV> corners;
    for (std::size_t i = 0; i < n; ++i) {
        auto u = fieldNumber(grid[i].u);
        auto v = fieldNumber(grid[i].v);
        if (!u || !v) return std::nullopt;
        corners.push_back({*u, *v});
    }
    return corners;
}

std::vector<CornerRow> cornerRows(const std::vector<UV>& corners) {
    std::vector<CornerRow> rows;
    for (const UV& c : corners) rows.push_back({panelNumber(c.u), panelNumber(c.v)});
    return rows;
}

void CornerGrid::setCount(std::string text) {
    count = std::move(text);
    confirmed = false;
}

std::optional<std::size_t> CornerGrid::cornerCount() const {
    auto n = parseInteger(trimBlanks(count));
    if (!n || *n < static_cast<long long>(kMinCorners) || *n > static_cast<long long>(kMaxCorners))
        return std::nullopt;
    return static_cast<std::size_t>(*n);
}

void CornerGrid::open() {
    if (auto n = cornerCount()) rows.resize(*n);
    confirmed = false;
}

std::optional<std::string> CornerGrid::confirm(Language lang) {
    auto n = cornerCount();
    if (!n || !readCornerGrid(rows, *n)) return invalidGridMessage(lang);
    confirmed = true;
    return std::nullopt;
}

void CornerGrid::check(PanelCheck& c, Language lang) const {
    if (!cornerCount()) {
        c.problems.push_back({"corners", lang == Language::German
                                             ? "die Anzahl der Eckpunkte muss zwischen 3 und 12 liegen"
                                             : "the number of corners must lie between 3 and 12"});
    } else if (!confirmed) {
        c.problems.push_back({"corners", lang == Language::German
                                             ? "die Eckpunkte sind nicht best\xE4tigt"
                                             : "the corners have not been confirmed"});
    }
}

std::vector<UV> CornerGrid::corners(Language lang) const {
    PanelCheck c;
    check(c, lang);
    std::optional<std::vector<UV>> read;
    if (c.okEnabled()) {
        read = readCornerGrid(rows, *cornerCount());
        if (!read) c.problems.push_back({"corners", invalidGridMessage(lang)});
    }
    if (!c.okEnabled()) throwPanelProblem(c);
    return *read;
}

void CornerGrid::fill(const std::vector<UV>& cornerList) {
    count = std::to_string(cornerList.size());
    rows = cornerRows(cornerList);
    confirmed = true;
}

PanelCheck PolygonPanel::check(Language lang) const {
    PanelCheck c;
    requireSurfaceName(c, "name", name, lang);
    corners.check(c, lang);
    checkPlacementFields(c, *this, lang);
    return c;
}

PlainSurface PolygonPanel::surface(Language lang) const {
    requireOk(check(lang));
    return plainSurfaceOf(*this, corners.corners(lang));
}

Lines PolygonPanel::generate(Language lang) const { return generatePlainSurface(surface(lang)); }

PolygonPanel PolygonPanel::fromSurface(const PlainSurface& surface) {
    PolygonPanel p;
    p.name = surface.name;
    p.target = surface.target;
    p.corners.fill(surface.corners);
    p.azimuth = panelNumber(surface.placement.azimuth);
    p.elevation = panelNumber(surface.placement.elevation);
    p.x = panelNumber(surface.placement.origin.x);
    p.y = panelNumber(surface.placement.origin.y);
    p.z = panelNumber(surface.placement.origin.z);
    return p;
}

PolygonPanel polygonPanelFromLines(const Lines& lines, std::size_t nameLine) {
    return PolygonPanel::fromSurface(readPlainSurface(lines, nameLine));
}

}  // namespace penumbro
