#include "editor/HouseGenerator.h"

#include "editor/GeneratorFormat.h"
#include "editor/Placement.h"
#include "project/InputError.h"

#include <array>
#include <vector>

namespace penumbro {

namespace {

struct UnitSurface {
    const char* name;
    bool roof;
    std::vector<Vec3> vertices;
};

const std::array<UnitSurface, 7>& unitHouse() {
    static const std::array<UnitSurface, 7> surfaces = {{
        {"Frontseite", false, {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}},
        {"R\xFC" "ckseite", false, {{0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}}},
        {"L\xE4" "ngsseite 1", false, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}},
        {"L\xE4" "ngsseite 2", false, {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}},
        {"Dach Giebelseite Front", true, {{0, 0, 0}, {1, 0, 0}, {0.5, 0, 1}}},
        {"Dachl\xE4" "ngsseite 1", true, {{1, 0, 0}, {1, 1, 0}, {0.5, 1, 1}, {0.5, 0, 1}}},
        {"Dachl\xE4" "ngsseite 2", true, {{0, 0, 0}, {0, 1, 0}, {0.5, 1, 1}, {0.5, 0, 1}}},
    }};
    return surfaces;
}

const char* const kHouseTag = "#Haus:";

}  // namespace

Lines generateHouse(const House& house) {
    const double phi = house.rotation / kDegreesPerRadian;
    Lines out;
    bool first = true;
    for (const UnitSurface& s : unitHouse()) {
        out.push_back(s.name);
        if (first) {
            out.push_back(parameterFields({house.ewWidth, house.nsWidth, house.height, house.roof,
                                           phi * kDegreesPerRadian, house.shift.x, house.shift.y,
                                           house.shift.z}) +
                          "     " + kHouseTag + " " + house.name);
            first = false;
        }
        out.push_back(std::to_string(s.vertices.size()));
        for (const Vec3& unit : s.vertices) {
            Vec3 p{unit.x * house.nsWidth, unit.y * house.ewWidth,
                   s.roof ? unit.z * house.roof + house.height : unit.z * house.height};
            p = turnAboutZ(p, phi);
            out.push_back(vertexLine({p.x + house.shift.x, p.y + house.shift.y, p.z + house.shift.z}));
        }
    }
    return out;
}

House readHouse(const Lines& lines, std::size_t nameLine) {
    const std::size_t at = nameLine + 1;
    if (at >= lines.size())
        throw InputError({}, static_cast<int>(at + 1), "text ends before the house's parameter line");
    const std::string& line = lines[at];
    auto numbers = readLineNumbers(line, 8);
    if (line.empty() || line[0] != '#' || !numbers)
        throw InputError({}, static_cast<int>(at + 1),
                         "not a house parameter line of eight numbers: \"" + line + "\"");
    House h;
    if (auto tag = line.find(kHouseTag); tag != std::string::npos) {
        std::size_t from = tag + 6;
        if (from < line.size() && line[from] == ' ') ++from;
        h.name = line.substr(from);
    }
    const auto& n = *numbers;
    h.ewWidth = n[0];
    h.nsWidth = n[1];
    h.height = n[2];
    h.roof = n[3];
    h.rotation = n[4];
    h.shift = {n[5], n[6], n[7]};
    return h;
}

}  // namespace penumbro
