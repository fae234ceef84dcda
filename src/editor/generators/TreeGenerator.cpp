#include "editor/generators/TreeGenerator.h"

#include "editor/generators/GeneratorFormat.h"
#include "project/Numbers.h"
#include "project/ProjectFormat.h"

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

}  // namespace

std::string foliageLine(const std::array<int, 12>& foliage) {
    std::string line = std::string(kFoliagePrefix) + " ";
    for (int p : foliage) line += formatInt(p, 3);
    return line;
}

Lines generateTree(const Tree& typed) {
    const int d = kParameterDecimals;
    Tree tree = typed;
    tree.trunkHeight = asWritten(typed.trunkHeight, d);
    tree.trunkDiameter = asWritten(typed.trunkDiameter, d);
    tree.foot = asWritten(typed.foot, d);
    // The line keeps the crown diameter as 2.4 * s; s is taken from what it holds.
    const double s = asWritten(2.4 * (typed.crownDiameter / 2.4), d) / 2.4;
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
                          "     " + std::string(kTreeTag) + " " + tree.name);
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

}  // namespace penumbro
