#include "views/PreviewScene.h"

#include "project/InputError.h"
#include "project/Numbers.h"
#include "views/Diagonalentest.h"

#include <array>
#include <cctype>
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
// A tree is 60 lines from its name line, a house 42.
constexpr std::size_t kTreeLines = 60;
constexpr std::size_t kHouseLines = 42;
// Wider horizon intervals than this are not azimuths any more; refusing them keeps
// the segment count small.
constexpr double kWidestHorizonInterval = 3600.0;

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

std::string_view withoutFirstCharacter(const std::string& line) {
    return line.empty() ? std::string_view() : std::string_view(line).substr(1);
}

class SceneBuilder {
public:
    SceneBuilder(const Lines& text, int markiert, bool bodenplatte, const std::string& fileName)
        : text_(text), markiert_(markiert), bodenplatte_(bodenplatte), file_(fileName) {}

    PreviewScene build() {
        scene_.extent = SzenenAusdehnung(text_, file_);
        if (!scene_.extent.hatObjekte) return std::move(scene_);
        radius_ = roundHalfEven(100.0 * scene_.extent.ausdehnung);
        if (bodenplatte_) groundPlate();
        objects();
        horizon();
        return std::move(scene_);
    }

private:
    const std::string& line(std::size_t index, const char* what) const {
        if (index >= text_.size()) {
            throw InputError(file_, static_cast<int>(text_.size()),
                             std::string("text ends where ") + what + " was expected");
        }
        return text_[index];
    }

    void add(PrimitiveKind kind, PreviewColour colour, std::vector<PreviewVertex> vertices,
             int object = 0) {
        scene_.primitives.push_back({kind, colour, std::move(vertices), object});
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

    void objects() {
        std::size_t i = 0;
        while (i < text_.size() && !text_[i].empty() && text_[i][0] == '*') ++i;
        long long c = ZaehlerLesen(text_, i, file_, "surface count");
        ++i;
        for (int k = 1; c > 0; ++k) {
            const std::string& name = line(i, "a surface name");
            const bool highlighted = k == markiert_;
            if (name == "Baum") {
                tree(i, k, highlighted);
                i += kTreeLines;
                c -= 6;
            } else if (name == "Frontseite") {
                house(i, k, highlighted);
                i += kHouseLines;
                c -= 6;
            } else {
                i = plainSurface(i + 1, k, highlighted);
            }
            --c;
        }
    }

    // Reads a plain surface from the line after its name; returns the index after it.
    std::size_t plainSurface(std::size_t i, int k, bool highlighted) {
        bool target = false;
        if (line(i, "a vertex count") == "Target") {
            target = true;
            ++i;
        }
        const long long n = ZaehlerLesen(text_, i, file_, "vertex count");
        if (n < 0 || n > 12) {
            throw InputError(file_, static_cast<int>(i + 1),
                             "vertex count " + std::to_string(n) + " is outside 0..12");
        }
        ++i;
        const auto count = static_cast<std::size_t>(n);
        Zahlen z{};
        std::vector<PointUV> local(count);
        for (std::size_t j = 0; j < count; ++j, ++i) {
            ZahlenPruefen(withoutFirstCharacter(line(i, "a local line")), z, i, file_);
            local[j] = {z[0], z[2]};
        }
        ZahlenPruefen(withoutFirstCharacter(line(i, "the placement line")), z, i, file_);
        ++i;
        const double elevation = z[1];
        std::vector<PreviewVertex> corners(count);
        for (std::size_t j = 0; j < count; ++j, ++i) {
            ZahlenPruefen(line(i, "a vertex line"), z, i, file_);
            corners[j] = vertex({z[0], z[2], -z[1]});
        }

        const PreviewColour colour = highlighted ? kPreviewHighlight
                                     : target    ? kPreviewTarget
                                                 : surfaceColourForElevation(elevation);
        for (const auto& t : Diagonalentest(local)) {
            add(PrimitiveKind::Triangle, colour,
                {corners[static_cast<std::size_t>(t[0])], corners[static_cast<std::size_t>(t[1])],
                 corners[static_cast<std::size_t>(t[2])]},
                k);
        }
        add(PrimitiveKind::LineLoop, colour, corners, k);
        return i;
    }

    void tree(std::size_t nameLine, int k, bool highlighted) {
        line(nameLine + kTreeLines - 1, "the end of a tree");
        Zahlen z{};
        ZahlenPruefen(withoutFirstCharacter(text_[nameLine + 2]), z, nameLine + 2, file_);
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

    void house(std::size_t nameLine, int k, bool highlighted) {
        line(nameLine + kHouseLines - 1, "the end of a house");
        Zahlen z{};
        ZahlenPruefen(withoutFirstCharacter(text_[nameLine + 1]), z, nameLine + 1, file_);
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

    [[noreturn]] void badHorizonEntry(std::size_t index) const {
        throw InputError(file_, static_cast<int>(index + 1),
                         "horizon entry \"" + text_[index] + "\" is not from-to=height");
    }

    double horizonNumber(std::string_view piece, std::size_t index) const {
        const auto v = parseNumber(trimBlanks(piece));
        if (!v) badHorizonEntry(index);
        return *v;
    }

    void horizon() {
        for (std::size_t i = 0; i < text_.size(); ++i) {
            if (text_[i] != "Horizont") continue;
            for (std::size_t e = i + 1; e < text_.size(); ++e) {
                const std::string& entry = text_[e];
                if (entry.empty() || !(entry[0] == '.' || std::isdigit(static_cast<unsigned char>(entry[0])))) {
                    break;
                }
                horizonEntry(entry, e);
            }
        }
    }

    void horizonEntry(const std::string& entry, std::size_t index) {
        const auto dash = entry.find('-');
        const auto equals = entry.find('=');
        if (dash == std::string::npos || equals == std::string::npos || equals < dash) {
            badHorizonEntry(index);
        }
        const std::string_view all(entry);
        double a1 = horizonNumber(all.substr(0, dash), index) - 90.0;
        double a2 = horizonNumber(all.substr(dash + 1, equals - dash - 1), index) - 90.0;
        double height = horizonNumber(all.substr(equals + 1), index);
        if (height == 90.0) height = 89.9;  // tan(90) has no wall top
        if (a1 > a2) std::swap(a1, a2);
        if (a2 - a1 > kWidestHorizonInterval) {
            throw InputError(file_, static_cast<int>(index + 1),
                             "horizon entry \"" + entry + "\" spans more than 3600 degrees");
        }
        const long long segments = static_cast<long long>(std::trunc(a2 - a1 + 1.0)) / 10 + 1;
        const double top = radius_ * std::tan(height * kDegree);
        for (long long s = 1; s <= segments; ++s) {
            const double b = a1 + (a2 - a1) * static_cast<double>(s - 1) / static_cast<double>(segments);
            const double b2 = a1 + (a2 - a1) * static_cast<double>(s) / static_cast<double>(segments);
            add(PrimitiveKind::Quad, kPreviewHorizonWall,
                {vertex(onRim(b)), vertex(onRim(b, top)), vertex(onRim(b2, top)), vertex(onRim(b2))});
            if (bodenplatte_) {
                add(PrimitiveKind::Triangle, kPreviewGround, {vertex(onRim(b)), vertex({}), vertex(onRim(b2))});
            }
        }
    }

    const Lines& text_;
    int markiert_;
    bool bodenplatte_;
    const std::string& file_;
    double radius_ = 100.0;
    PreviewScene scene_;
};

}  // namespace

PreviewColour surfaceColourForElevation(double elevation) {
    const double r = std::fmod(roundHalfEven(std::fabs(elevation)), 90.0);
    return (r < 20.0 || r > 70.0) ? kPreviewGrey : kPreviewDarkRed;
}

PreviewScene buildPreviewScene(const Lines& text, int markiertesObjekt, bool bodenplatte,
                               const std::string& fileName) {
    return SceneBuilder(text, markiertesObjekt, bodenplatte, fileName).build();
}

}  // namespace penumbro
