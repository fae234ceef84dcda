#include "views/PreviewScene.h"

#include <array>
#include <tuple>
#include <cmath>
#include <numbers>
#include <utility>

namespace penumbro {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kHalfRoot2 = 0.70710678118654752;
// The eight directions k * 45 degrees in the X-Z plane, from +X toward +Z.
constexpr std::array<std::array<double, 2>, 8> kOctagon = {{{1.0, 0.0},
                                                            {kHalfRoot2, kHalfRoot2},
                                                            {0.0, 1.0},
                                                            {-kHalfRoot2, kHalfRoot2},
                                                            {-1.0, 0.0},
                                                            {-kHalfRoot2, -kHalfRoot2},
                                                            {0.0, -1.0},
                                                            {kHalfRoot2, -kHalfRoot2}}};

struct P3 {
    double x = 0, y = 0, z = 0;
};
P3 operator+(P3 a, P3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
P3 operator*(double s, P3 a) { return {s * a.x, s * a.y, s * a.z}; }

PreviewVertex vertex(const P3& p) {
    return {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)};
}

// Rounding to the nearest integer, halves to the even neighbour.
double roundHalfEven(double v) { return std::nearbyint(v); }

class SceneBuilder {
public:
    SceneBuilder(const ViewScene& scene, int highlighted, bool groundPlate)
        : scene_(scene), highlighted_(highlighted), groundPlate_(groundPlate) {}

    PreviewScene build() {
        result_.extent = scene_.extent;
        if (!result_.extent.hasObjects) return std::move(result_);
        radius_ = roundHalfEven(100.0 * result_.extent.size);
        if (groundPlate_) groundPlate();
        int k = 0;
        for (const ViewObject& o : scene_.objects) {
            ++k;
            const bool highlighted = k == highlighted_;
            switch (o.kind) {
                case ObjectKind::Tree: tree(o, k, highlighted); break;
                case ObjectKind::House: house(o, k, highlighted); break;
                case ObjectKind::Plain: plainSurface(o, k, highlighted); break;
            }
        }
        horizon();
        return std::move(result_);
    }

private:
    void add(PrimitiveKind kind, PreviewColour colour, std::vector<PreviewVertex> vertices,
             int object = 0) {
        result_.primitives.push_back({kind, colour, std::move(vertices), object});
    }

    P3 onRim(double angleDeg, double height = 0.0) const {
        return {radius_ * std::cos(angleDeg * kDegree), height, radius_ * std::sin(angleDeg * kDegree)};
    }

    void groundPlate() {
        for (int i = 0; i < 36; ++i) {
            const P3 a = onRim(10.0 * i);
            const P3 b = onRim(10.0 * (i + 1));
            add(PrimitiveKind::Polygon, kPreviewGround, {vertex(a), vertex({}), vertex(b)});
            add(PrimitiveKind::Line, kPreviewGround, {vertex(a), vertex(b)});
        }
    }

    void plainSurface(const ViewObject& o, int k, bool highlighted) {
        std::vector<PreviewVertex> corners;
        for (const Point3& p : o.vertices) corners.push_back(vertex({p[0], p[2], -p[1]}));
        const PreviewColour colour = highlighted ? kPreviewHighlight
                                     : o.target  ? kPreviewTarget
                                                 : surfaceColourForElevation(o.elevation);
        for (const auto& t : Diagonalentest(o.local)) {
            add(PrimitiveKind::Triangle, colour,
                {corners[static_cast<std::size_t>(t[0])], corners[static_cast<std::size_t>(t[1])],
                 corners[static_cast<std::size_t>(t[2])]},
                k);
        }
        add(PrimitiveKind::LineLoop, colour, corners, k);
    }

    void tree(const ViewObject& object, int k, bool highlighted) {
        const LineNumbers& z = object.parameters;
        const double h = z[0], d = z[1], D = z[2], fx = z[3], fy = z[4], fz = z[5];

        const PreviewColour trunk = highlighted ? kPreviewHighlight : kPreviewTrunk;
        const PreviewColour crown = highlighted ? kPreviewHighlight : kPreviewCrown;
        const auto corner = [&](std::size_t j, double height) {
            return P3{fx + d / 2 * kOctagon[j % 8][0], height, -fy + d / 2 * kOctagon[j % 8][1]};
        };
        for (std::size_t j = 0; j < 8; ++j) {
            add(PrimitiveKind::Quad, trunk,
                {vertex(corner(j, fz)), vertex(corner(j, fz + h)), vertex(corner(j + 1, fz + h)),
                 vertex(corner(j + 1, fz))},
                k);
        }
        const P3 centre{fx, fz + h + D / 2, -fy};
        const double r = D / 2;
        std::vector<PreviewVertex> flat, xy, yz;
        for (const auto& o : kOctagon) {
            flat.push_back(vertex(centre + r * P3{o[0], 0.0, o[1]}));
            xy.push_back(vertex(centre + r * P3{o[0], o[1], 0.0}));
            yz.push_back(vertex(centre + r * P3{0.0, o[0], o[1]}));
        }
        add(PrimitiveKind::Polygon, crown, std::move(flat), k);
        add(PrimitiveKind::Polygon, crown, std::move(xy), k);
        add(PrimitiveKind::Polygon, crown, std::move(yz), k);
    }

    void house(const ViewObject& o, int k, bool highlighted) {
        const LineNumbers& z = o.parameters;
        const double B = z[0], A = z[1], H = z[2], R = z[3], phi = z[4] * kDegree;
        const P3 p{z[5], z[7], -z[6]};
        const P3 a = A * P3{std::cos(phi), 0.0, std::sin(phi)};
        const P3 b = B * P3{std::sin(phi), 0.0, -std::cos(phi)};
        const P3 w{0.0, H, 0.0};
        const P3 q{0.0, H + R, 0.0};
        const P3 halfA = 0.5 * a;

        const PreviewColour walls = highlighted ? kPreviewHighlight : kPreviewHouse;
        const PreviewColour roof = highlighted ? kPreviewHighlight : kPreviewRoof;
        const auto quad = [&](PreviewColour colour, P3 v1, P3 v2, P3 v3, P3 v4) {
            add(PrimitiveKind::Quad, colour, {vertex(v1), vertex(v2), vertex(v3), vertex(v4)}, k);
        };
        quad(walls, p, p + a, p + a + b, p + b);
        quad(walls, p, p + a, p + a + w, p + w);
        quad(walls, p + a, p + a + b, p + a + b + w, p + a + w);
        quad(walls, p + a + b, p + b, p + b + w, p + a + b + w);
        quad(walls, p, p + b, p + b + w, p + w);
        add(PrimitiveKind::Triangle, walls, {vertex(p + w), vertex(p + a + w), vertex(p + halfA + q)}, k);
        add(PrimitiveKind::Triangle, walls,
            {vertex(p + a + b + w), vertex(p + b + w), vertex(p + halfA + b + q)}, k);
        quad(roof, p + w, p + halfA + q, p + halfA + b + q, p + b + w);
        quad(roof, p + a + w, p + halfA + q, p + halfA + b + q, p + a + b + w);
    }

    void horizon() {
        for (const HorizonWall& w : scene_.horizon) {
            const double a1 = w.from, a2 = w.to;
            const long long segments = w.segments;
            const double top = radius_ * std::tan(w.height * kDegree);
            for (long long s = 1; s <= segments; ++s) {
                const double b = a1 + (a2 - a1) * static_cast<double>(s - 1) / static_cast<double>(segments);
                const double b2 = a1 + (a2 - a1) * static_cast<double>(s) / static_cast<double>(segments);
                add(PrimitiveKind::Quad, kPreviewHorizonWall,
                    {vertex(onRim(b)), vertex(onRim(b, top)), vertex(onRim(b2, top)), vertex(onRim(b2))});
                if (groundPlate_) {
                    add(PrimitiveKind::Triangle, kPreviewGround, {vertex(onRim(b)), vertex({}), vertex(onRim(b2))});
                }
            }
        }
    }

    const ViewScene& scene_;
    int highlighted_;
    bool groundPlate_;
    double radius_ = 100.0;
    PreviewScene result_;
};
}  // namespace

namespace {

// Letter strokes in a unit box, u to the right (east), v up (north).
using Stroke = std::array<double, 4>;  // u1, v1, u2, v2
const std::vector<Stroke>& letterStrokes(char letter) {
    static const std::vector<Stroke> n = {{0, 0, 0, 1}, {0, 1, 1, 0}, {1, 0, 1, 1}};
    static const std::vector<Stroke> e = {{1, 1, 0, 1}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0.5, 0.7, 0.5}};
    static const std::vector<Stroke> s = {{1, 1, 0, 1}, {0, 1, 0, 0.5}, {0, 0.5, 1, 0.5}, {1, 0.5, 1, 0}, {1, 0, 0, 0}};
    static const std::vector<Stroke> w = {{0, 1, 0.25, 0}, {0.25, 0, 0.5, 0.6}, {0.5, 0.6, 0.75, 0}, {0.75, 0, 1, 1}};
    static const std::vector<Stroke> o = {{0.3, 0, 0.7, 0}, {0.7, 0, 1, 0.3}, {1, 0.3, 1, 0.7}, {1, 0.7, 0.7, 1},
                                          {0.7, 1, 0.3, 1}, {0.3, 1, 0, 0.7}, {0, 0.7, 0, 0.3}, {0, 0.3, 0.3, 0}};
    switch (letter) {
        case 'N': return n;
        case 'E': return e;
        case 'S': return s;
        case 'W': return w;
        default: return o;
    }
}

}  // namespace

std::vector<PreviewPrimitive> compassLetters(const SceneExtent& extent, Language language) {
    std::vector<PreviewPrimitive> lines;
    if (!extent.hasObjects) return lines;
    const double e = extent.size, height = 0.15 * e, distance = 1.15 * e, lift = 0.002 * e;
    // Letter, centre X (east) and Z (south) in units of the distance.
    const std::array<std::tuple<char, double, double>, 4> letters = {
        {{'N', 0, -1}, {language == Language::German ? 'O' : 'E', 1, 0}, {'S', 0, 1}, {'W', -1, 0}}};
    for (const auto& entry : letters) {
        // Plain copies: clang 14 cannot capture structured bindings in a lambda.
        const char letter = std::get<0>(entry);
        const double x = std::get<1>(entry), z = std::get<2>(entry);
        const double width = (letter == 'W' ? 1.0 : 0.7) * height;
        for (const Stroke& st : letterStrokes(letter)) {
            auto at = [&](double u, double v) {
                return vertex({x * distance + (u - 0.5) * width, lift, z * distance - (v - 0.5) * height});
            };
            lines.push_back({PrimitiveKind::Line, kPreviewLetters, {at(st[0], st[1]), at(st[2], st[3])}, 0});
        }
    }
    return lines;
}

PreviewColour surfaceColourForElevation(double elevation) {
    const double r = std::fmod(roundHalfEven(std::fabs(elevation)), 90.0);
    return (r < 20.0 || r > 70.0) ? kPreviewGrey : kPreviewDarkRed;
}

PreviewScene buildPreviewScene(const ViewScene& scene, int highlightedObject, bool groundPlate) {
    return SceneBuilder(scene, highlightedObject, groundPlate).build();
}

PreviewScene buildPreviewScene(const Lines& text, int highlightedObject, bool groundPlate,
                               const std::string& fileName) {
    return buildPreviewScene(readViewScene(text, fileName), highlightedObject, groundPlate);
}

}  // namespace penumbro
