#include "editor/TreeGenerator.h"

#include "editor/GeneratorFormat.h"
#include "project/InputError.h"
#include "project/Numbers.h"

#include <vector>

namespace penumbro {

namespace {

struct UnitSurface {
    const char* name;
    std::vector<Vec3> vertices;
};

// The unit tree: crown diameter 2.4 between heights 1.0 and 3.4, trunk 1 wide and
// 1 high. The crown's turned octagons carry their rounded values as they are.
const std::vector<UnitSurface>& unitTree() {
    static const std::vector<UnitSurface> surfaces = {
        {"Baum", {{-1.2, 0, 1.7}, {-1.2, 0, 2.7}, {-0.5, 0, 3.4}, {0.5, 0, 3.4},
                  {1.2, 0, 2.7}, {1.2, 0, 1.7}, {0.5, 0, 1.0}, {-0.5, 0, 1.0}}},
        {"Baum1", {{-0.6, 1.04, 1.7}, {-0.6, 1.04, 2.7}, {-0.25, 0.43, 3.4}, {0.25, -0.43, 3.4},
                   {0.6, -1.04, 2.7}, {0.6, -1.04, 1.7}, {0.25, -0.43, 1.0}, {-0.25, 0.43, 1.0}}},
        {"Baum2", {{0.6, 1.04, 1.7}, {0.6, 1.04, 2.7}, {0.25, 0.43, 3.4}, {-0.25, -0.43, 3.4},
                   {-0.6, -1.04, 2.7}, {-0.6, -1.04, 1.7}, {-0.25, -0.43, 1.0}, {0.25, 0.43, 1.0}}},
        {"Baum3", {{-1.2, -0.5, 2.2}, {-1.2, 0.5, 2.2}, {-0.5, 1.2, 2.2}, {0.5, 1.2, 2.2},
                   {1.2, 0.5, 2.2}, {1.2, -0.5, 2.2}, {0.5, -1.2, 2.2}, {-0.5, -1.2, 2.2}}},
        {"Stamm", {{-0.5, 0.5, 0}, {-0.5, 0.5, 1}, {0.5, 0.5, 1}, {0.5, 0.5, 0}}},
        {"Stamm1", {{0.5, 0.5, 0}, {0.5, 0.5, 1}, {0.5, -0.5, 1}, {0.5, -0.5, 0}}},
        {"Stamm2", {{0.5, -0.5, 0}, {0.5, -0.5, 1}, {-0.5, -0.5, 1}, {-0.5, -0.5, 0}}},
    };
    return surfaces;
}

const char* const kTreeTag = "#Baum:";

}  // namespace

std::string foliageLine(const std::array<int, 12>& foliage) {
    std::string line = "Belaubung ";
    for (int p : foliage) line += formatInt(p, 3);
    return line;
}

Lines generateTree(const Tree& tree) {
    const double s = tree.crownDiameter / 2.4;
    const double h = tree.trunkHeight;
    const double widen = (tree.trunkDiameter - 1.0) / 2.0;
    Lines out;
    const auto& surfaces = unitTree();
    for (std::size_t k = 0; k < surfaces.size(); ++k) {
        const UnitSurface& surface = surfaces[k];
        out.push_back(surface.name);
        if (k == 0) {
            out.push_back(foliageLine(tree.foliage));
            out.push_back(parameterFields({h, tree.trunkDiameter, 2.4 * s, tree.foot.x, tree.foot.y,
                                           tree.foot.z}) +
                          "     " + kTreeTag + " " + tree.name);
        }
        out.push_back(std::to_string(surface.vertices.size()));
        const bool crown = k < 4;
        for (std::size_t i = 0; i < surface.vertices.size(); ++i) {
            Vec3 p = surface.vertices[i];
            if (crown) {
                p.x *= s;
                p.y *= s;
                p.z = (p.z - 1.0) * s + 1.0;
                p.z = p.z + h - 1.0;
            } else {
                if (i == 1 || i == 2) p.z = p.z + h - 1.0;
                p.x = p.x > 0 ? p.x + widen : p.x - widen;
                p.y = p.y > 0 ? p.y + widen : p.y - widen;
            }
            out.push_back(vertexLine({p.x + tree.foot.x, p.y + tree.foot.y, p.z + tree.foot.z}));
        }
    }
    return out;
}

Tree readTree(const Lines& lines, std::size_t nameLine) {
    const std::size_t foliageAt = nameLine + 1;
    const std::size_t paramAt = nameLine + 2;
    if (paramAt >= lines.size())
        throw InputError({}, static_cast<int>(std::min(foliageAt, lines.size()) + 1),
                         "text ends before the tree's foliage and parameter lines");
    Tree t;
    const std::string& f = lines[foliageAt];
    if (f.compare(0, 9, "Belaubung") != 0)
        throw InputError({}, static_cast<int>(foliageAt + 1), "not a \"Belaubung\" line: \"" + f + "\"");
    for (std::size_t m = 0; m < 12; ++m) {
        const std::size_t from = 10 + 3 * m;
        const std::string_view field =
            from < f.size() ? std::string_view(f).substr(from, 3) : std::string_view();
        auto value = parseInteger(trimBlanks(field));
        if (!value || *value < 0 || *value > 100)
            throw InputError({}, static_cast<int>(foliageAt + 1),
                             "foliage of month " + std::to_string(m + 1) +
                                 " is not a percentage 0..100: \"" + f + "\"");
        t.foliage[m] = static_cast<int>(*value);
    }
    const std::string& line = lines[paramAt];
    auto numbers = readLineNumbers(line, 6);
    if (line.empty() || line[0] != '#' || !numbers)
        throw InputError({}, static_cast<int>(paramAt + 1),
                         "not a tree parameter line of six numbers: \"" + line + "\"");
    if (auto tag = line.find(kTreeTag); tag != std::string::npos) {
        std::size_t from = tag + 6;
        if (from < line.size() && line[from] == ' ') ++from;
        t.name = line.substr(from);
    }
    const auto& n = *numbers;
    t.trunkHeight = n[0];
    t.trunkDiameter = n[1];
    t.crownDiameter = n[2];
    t.foot = {n[3], n[4], n[5]};
    return t;
}

}  // namespace penumbro
