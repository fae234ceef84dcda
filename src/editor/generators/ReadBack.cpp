// Reading generated blocks back for a change (readHouse, readTree, the plain
// surface and overhang read-backs): each record is read by the project format's
// record reader, then its "#" lines give the values the generator kept there.

#include "editor/generators/OverhangGenerator.h"
#include "editor/generators/PolygonGenerator.h"
#include "editor/panels/HousePanel.h"
#include "editor/panels/TreePanel.h"
#include "project/InputError.h"
#include "project/ProjectFormat.h"

namespace penumbro {

namespace {

[[noreturn]] void badLine(std::size_t index, ErrorMessage what) {
    throw InputError({}, static_cast<int>(index + 1), what);
}

SurfaceRecord recordAt(const Lines& lines, std::size_t nameLine) {
    const std::string noFile;
    LineCursor in(lines, noFile, nameLine);
    return readSurface(in);
}

// The numbers of a record's parameter line; InputError naming it when missing.
std::vector<double> parameters(const Lines& lines, const SurfaceRecord& r, std::size_t count,
                               ErrorId what) {
    if (!r.parameterLine) badLine(r.nameLine + 1, {ErrorId::ParameterLineMissing, {what}});
    const std::string& line = lines[*r.parameterLine];
    auto numbers = readLineNumbers(line, count);
    if (!numbers)
        badLine(*r.parameterLine, {ErrorId::ParameterLineNumbers, {what, std::to_string(count), line}});
    return *numbers;
}

// The free-text name after a tag ("#Haus: NAME"), without the blank after the tag.
std::string nameAfterTag(const std::string& line, std::string_view tag) {
    const auto at = line.find(tag);
    if (at == std::string::npos) return {};
    std::size_t from = at + tag.size();
    if (from < line.size() && line[from] == ' ') ++from;
    return line.substr(from);
}

}  // namespace

House readHouse(const Lines& lines, std::size_t nameLine) {
    const SurfaceRecord r = recordAt(lines, nameLine);
    House h;
    takeParameters(parameters(lines, r, houseFields().size(), ErrorId::WordHouse), houseFields(), h);
    h.name = nameAfterTag(lines[*r.parameterLine], kHouseTag);
    return h;
}

Tree readTree(const Lines& lines, std::size_t nameLine) {
    const SurfaceRecord r = recordAt(lines, nameLine);
    if (!r.foliageLine) badLine(nameLine + 1, ErrorId::FoliageLineMissing);
    const auto foliage = monthlyFields(lines[*r.foliageLine], kFoliageOffset);
    if (!foliage)
        badLine(*r.foliageLine, {ErrorId::FoliageNotPercentages, {lines[*r.foliageLine]}});
    Tree t;
    takeParameters(parameters(lines, r, treeFields().size(), ErrorId::WordTree), treeFields(), t);
    t.name = nameAfterTag(lines[*r.parameterLine], kTreeTag);
    t.foliage = *foliage;
    return t;
}

PlainSurfaceLines readPlainSurfaceLines(const Lines& lines, std::size_t nameLine) {
    const SurfaceRecord record = recordAt(lines, nameLine);
    PlainSurfaceLines r;
    r.nameLine = lines[nameLine];
    r.target = record.target;
    r.countLine = record.countLine;
    const std::size_t n = record.vertices.size();
    if (n < kMinCorners || n > kMaxCorners)
        badLine(r.countLine, {ErrorId::CornerCount, {lines[r.countLine]}});
    // The corners' local lines follow the count, then the placement line: all "#"
    // lines, so they lie inside the record.
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = r.countLine + 1 + k;
        auto numbers = readLineNumbers(lines[i], 3);
        if (!isHashLine(lines[i]) || !numbers) badLine(i, {ErrorId::CornerLine, {lines[i]}});
        r.corners.push_back({(*numbers)[0], (*numbers)[2]});
    }
    r.placementLine = r.countLine + n + 1;
    const std::string& line = lines[r.placementLine];
    auto placement = readLineNumbers(line, 5);
    if (!isHashLine(line) || !placement)
        badLine(r.placementLine, {ErrorId::PlacementLine, {line}});
    for (std::size_t k = 0; k < 5; ++k) r.placement[k] = (*placement)[k];
    return r;
}

std::string stripOverhangPrefix(const std::string& nameLine) {
    if (!startsWith(nameLine, kOverhangPrefix)) return nameLine;
    std::size_t i = kOverhangPrefix.size();
    while (i < nameLine.size() && nameLine[i] >= '0' && nameLine[i] <= '9') ++i;
    return nameLine.substr(i);
}

int overhangTargetNumber(const std::string& nameLine) {
    if (!startsWith(nameLine, kOverhangPrefix)) return -1;
    std::size_t i = kOverhangPrefix.size();
    long long n = 0;
    while (i < nameLine.size() && nameLine[i] >= '0' && nameLine[i] <= '9') {
        n = n * 10 + (nameLine[i] - '0');
        if (n > 1000000) return -1;  // no project holds that many objects
        ++i;
    }
    return i == kOverhangPrefix.size() ? -1 : static_cast<int>(n);
}

PlainSurface readPlainSurface(const Lines& lines, std::size_t nameLine) {
    const PlainSurfaceLines r = readPlainSurfaceLines(lines, nameLine);
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

Overhang readOverhang(const Lines& lines, std::size_t nameLine) {
    const PlainSurfaceLines r = readPlainSurfaceLines(lines, nameLine);
    Overhang o;
    o.targetNumber = overhangTargetNumber(r.nameLine);
    if (o.targetNumber < 0)
        badLine(nameLine, {ErrorId::OverhangNameLine, {cutName(r.nameLine)}});
    o.name = stripOverhangPrefix(r.nameLine);
    o.corners = r.corners;
    o.azimuthDifference = r.placement[0];
    o.elevationDifference = r.placement[1];
    o.formU = r.placement[2];
    o.formV = r.placement[3];
    return o;
}

}  // namespace penumbro
