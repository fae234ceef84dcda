#include "editor/generators/HouseGenerator.h"

#include "editor/generators/GeneratorFormat.h"
#include "engine/Frames.h"

#include <vector>

namespace penumbro {

namespace {

struct UnitSurface {
    const char* name;
    bool roof;
    std::vector<Vec3> vertices;
};

const std::vector<UnitSurface>& unitHouse() {
    static const std::vector<UnitSurface> surfaces = {
        {"Frontseite", false, {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}},
        {"R\xFC" "ckseite", false, {{0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}}},
        {"L\xE4" "ngsseite 1", false, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}},
        {"L\xE4" "ngsseite 2", false, {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}},
        {"Dach Giebelseite Front", true, {{0, 0, 0}, {1, 0, 0}, {0.5, 0, 1}}},
        {"Dachl\xE4" "ngsseite 1", true, {{1, 0, 0}, {1, 1, 0}, {0.5, 1, 1}, {0.5, 0, 1}}},
        {"Dachl\xE4" "ngsseite 2", true, {{0, 0, 0}, {0, 1, 0}, {0.5, 1, 1}, {0.5, 0, 1}}},
    };
    return surfaces;
}

}  // namespace

Lines generateHouse(const House& typed) {
    const int d = kParameterDecimals;
    const House house{typed.name, asWritten(typed.ewWidth, d), asWritten(typed.nsWidth, d),
                      asWritten(typed.height, d), asWritten(typed.roof, d), asWritten(typed.rotation, d),
                      asWritten(typed.shift, d)};
    const double phi = house.rotation / kDegreesPerRadian;
    Lines out;
    bool first = true;
    for (const UnitSurface& s : unitHouse()) {
        out.push_back(s.name);
        if (first) {
            out.push_back(parameterFields({house.ewWidth, house.nsWidth, house.height, house.roof,
                                           phi * kDegreesPerRadian, house.shift.x, house.shift.y,
                                           house.shift.z}) +
                          "     " + std::string(kHouseTag) + " " + house.name);
            first = false;
        }
        out.push_back(std::to_string(s.vertices.size()));
        for (const Vec3& unit : s.vertices) {
            Vec3 p{unit.x * house.nsWidth, unit.y * house.ewWidth,
                   s.roof ? unit.z * house.roof + house.height : unit.z * house.height};
            p = rotatedAboutZ(p, phi);
            out.push_back(vertexLine({p.x + house.shift.x, p.y + house.shift.y, p.z + house.shift.z}));
        }
    }
    return out;
}

}  // namespace penumbro
