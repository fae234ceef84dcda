// Splitting and merging in a face's plane: the pieces cover the face exactly, each
// convex and small enough to stay within 12 corners after clipping.

#include "import/FaceGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace penumbro {
namespace {

double totalArea(const std::vector<Ring>& pieces) {
    double a = 0;
    for (const Ring& p : pieces) a += signedArea(p);
    return a;
}

void expectConvexAndSmall(const std::vector<Ring>& pieces) {
    for (const Ring& p : pieces) {
        EXPECT_LE(p.size(), kMaxImportCorners);
        for (std::size_t i = 0; i < p.size(); ++i) {
            const UV& a = p[(i + p.size() - 1) % p.size()];
            const UV& b = p[i];
            const UV& c = p[(i + 1) % p.size()];
            EXPECT_GT((b.u - a.u) * (c.v - a.v) - (b.v - a.v) * (c.u - a.u), 0) << "reflex corner " << i;
        }
    }
}

// A comb: a 1 m bar with `teeth` teeth of 1 x 2 m, 2 m apart.
Ring comb(int teeth) {
    Ring r{{0, 0}, {4.0 * teeth - 2, 0}};
    for (int k = teeth - 1; k >= 0; --k) {
        const double x = 4.0 * k;
        r.insert(r.end(), {{x + 2, 1}, {x + 2, 3}, {x, 3}, {x, 1}});
    }
    r.pop_back();
    r.push_back({0, 3});
    return r;
}

TEST(FaceGeometry, LargePolygonsSplitIntoConvexPiecesOfTheSameArea) {
    const Ring circle = [] {
        Ring r;
        for (int i = 0; i < 40; ++i) r.push_back({5 * std::cos(i * M_PI / 20), 5 * std::sin(i * M_PI / 20)});
        return r;
    }();
    const struct {
        const char* what;
        Ring ring;
        double area;
        std::size_t pieces;  // 0: not checked
    } cases[] = {
        {"L of 6 corners stays whole, reflex corner and all", {{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {0, 3}}, 6, 1},
        {"collinear corners do not count", {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}, {4, 2}, {3, 2}, {2, 2}, {1, 2}, {0, 2}}, 8, 1},
        {"comb of 4 teeth", comb(4), 14 * 1 + 4 * 2 * 2, 0},
        {"40-gon", circle, 20 * 25 * std::sin(2 * M_PI / 40), 0},  // n/2 r^2 sin(2 pi/n)
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto pieces = convexPieces(c.ring);
        EXPECT_NEAR(totalArea(pieces), c.area, 1e-9);
        if (c.pieces) {
            EXPECT_EQ(pieces.size(), c.pieces);
        } else {
            expectConvexAndSmall(pieces);
        }
    }
}

TEST(FaceGeometry, AdjacentTrianglesMergeAndHolesStayOpen) {
    using T = std::array<UV, 3>;
    // A 3 x 3 square of nine unit cells, two triangles each, optionally without its middle.
    auto grid = [](bool hole) {
        std::vector<T> out;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                if (hole && i == 1 && j == 1) continue;
                const double u = i, v = j;
                out.push_back({UV{u, v}, UV{u + 1, v}, UV{u + 1, v + 1}});
                out.push_back({UV{u, v}, UV{u + 1, v + 1}, UV{u, v + 1}});
            }
        }
        return out;
    };
    const auto whole = mergeTriangles(grid(false));
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].size(), 4u);
    EXPECT_NEAR(signedArea(whole[0]), 9, 1e-12);

    const auto ring = mergeTriangles(grid(true));
    EXPECT_NEAR(totalArea(ring), 8, 1e-12);  // the hole is not filled
    expectConvexAndSmall(ring);

    // Two triangles meeting in a corner only stay two.
    EXPECT_EQ(mergeTriangles({T{UV{0, 0}, UV{1, 0}, UV{0, 1}}, T{UV{1, 0}, UV{2, 0}, UV{2, 1}}}).size(), 2u);
}

TEST(FaceGeometry, PlacementFacesTheWayTheCornersTurn) {
    const struct {
        std::vector<Vec3> face;
        double azimuth, elevation;
    } cases[] = {
        {{{0, 0, 0}, {1, 0, 0}, {1, 0, 1}}, 180, 0},   // south wall
        {{{0, 0, 0}, {0, 1, 0}, {0, 1, 1}}, 90, 0},    // east wall
        {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, 180, 90},  // roof facing the sky
        {{{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}, 180, -90}, // floor facing the ground
        {{{0, 0, 6}, {10, 0, 6}, {10, 4, 10}}, 180, 45},
        {{{0, 0, 0}, {1, 1, 0}, {1, 1, 1}}, 135, 0},
    };
    for (const auto& c : cases) {
        const auto p = placementOf(c.face);
        ASSERT_TRUE(p);
        EXPECT_DOUBLE_EQ(p->azimuth, c.azimuth);
        EXPECT_DOUBLE_EQ(p->elevation, c.elevation);
        // Corners run counter-clockwise in the surface's own frame and come back in place.
        const Ring local = toLocal(c.face, *p);
        EXPECT_GT(signedArea(local), 0);
        for (std::size_t i = 0; i < local.size(); ++i) {
            const Vec3 back = placeLocal(*p, {local[i].u, 0, local[i].v});
            EXPECT_NEAR(back.x, c.face[i].x, 1e-9);
            EXPECT_NEAR(back.y, c.face[i].y, 1e-9);
            EXPECT_NEAR(back.z, c.face[i].z, 1e-9);
        }
    }
    EXPECT_FALSE(placementOf({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}));
    EXPECT_TRUE(degenerate({{0, 0}, {1, 0}, {1, 1e-7}}));  // below a square millimetre
    EXPECT_TRUE(degenerate({{0, 0}, {1, 0}, {0, 0}, {1, 0}}));
    EXPECT_FALSE(degenerate({{0, 0}, {0.01, 0}, {0, 0.01}}));
}

}  // namespace
}  // namespace penumbro
