#include "views/VrmlWriter.h"

#include "project/FileIo.h"
#include "views/ViewScene.h"
#include "views/Viewpoints.h"
#include "views/VrmlFormat.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace penumbro {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

struct Ground {
    double e = 1.0;  // scene extent E
    double r = 100;  // ground radius, a whole number
};

void lines(std::string& out, std::initializer_list<const char*> texts) {
    for (const char* line : texts) vrmlLine(out, line);
}

std::string pointText(const Point3& p) {
    return "        " + vrmlN(p[0]) + " " + vrmlN(p[2]) + " " + vrmlN(-p[1]) + ",";
}

void header(std::string& out, const Ground& g, const VrmlTexts& texts) {
    lines(out, {"#VRML V2.0 utf8",
                 "Background {", "  skyColor [", "    0.0 0.1 0.8,", "    0.0 0.5 1.0,",
                 "    1.0 1.0 1.0", "  ]", "", "  skyAngle [0.785, 1.571]", "",
                 "  groundColor [", "    0.0 0.1 0.8,", "    0.0 0.5 1.0,", "    1.0 1.0 1.0",
                 "  ]", "  groundAngle [0.785, 1.571]", "}", "",
                 "NavigationInfo {", "  type [\"FLY\",\"EXAMINE\"]", "}", "",
                 "DirectionalLight {", "  color 1 1 1 ", "  direction 0 -1 0", "  intensity 0.5",
                 "  ambientIntensity 1", "  on TRUE", "}", ""});

    // Ground disc, its top face at Y = 0.
    lines(out, {"Transform {", "  children [", "    Shape {", "      appearance Appearance {",
                 "        material Material {", "          diffuseColor 0 1 0", "        }",
                 "      }", "      geometry Cylinder {", "        bottom TRUE", "        side TRUE",
                 "        top TRUE", "        height 1"});
    vrmlLine(out, "        radius " + formatFixed(g.r, 0, 0));
    lines(out, {"      }", "    }", "  ]", "  translation 0 -0.5 0", "}", ""});

    // Ground polygon just below, seen from beneath as well.
    lines(out, {"Shape {", "  appearance Appearance {", "    material Material {",
                 "      diffuseColor 0 1 0", "    }", "  }", "  geometry IndexedFaceSet {",
                 "    solid FALSE", "    coord Coordinate {", "      point ["});
    for (int i = 0; i < 36; ++i) {
        const double a = 10.0 * i * kDegree;
        vrmlLine(out, "        " + vrmlN(g.r * std::cos(a)) + " -0.01 " + vrmlN(g.r * std::sin(a)));
    }
    lines(out, {"      ]", "    }", "    coordIndex ["});
    std::string indices = "     ";
    for (int i = 0; i < 36; ++i) indices += " " + vrmlI(i);
    vrmlLine(out, indices);
    lines(out, {"    ]", "  }", "}", ""});

    // The shared font and appearance. VRML allows no FontStyle or Appearance at the
    // top level, so they are defined inside a choice that is never drawn.
    lines(out, {"Switch {", "  whichChoice -1", "  choice [", "    Shape {",
                 "      appearance DEF Schwarz Appearance {",
                 "              material Material {", "                diffuseColor 0 0 0",
                 "              }", "            }", "      geometry Text {",
                 "        fontStyle DEF Schriftart FontStyle{",
                 "                 family \"SANS\""});
    vrmlLine(out, "                 size " + vrmlN(g.e / 8));
    lines(out, {"                 style \"BOLD\"", "                 justify \"BEGIN\"",
                 "               }", "      }", "    }", "  ]", "}", ""});

    const std::string labels[3] = {texts.credit, "\"Penumbro shading study\"",
                                   "\"Sun and shade on building surfaces\""};
    const double k[3] = {1.7, 1.85, 2.0};
    for (int i = 0; i < 3; ++i) {
        lines(out, {"Transform {", "  children [", "    Shape {", "      appearance USE Schwarz",
                     "      geometry Text {", "        fontStyle USE Schriftart"});
        vrmlLine(out, "        string " + labels[i]);
        lines(out, {"      }", "    }", "  ]", "  rotation 1 0 0 -1.57"});
        vrmlLine(out, "  translation " + vrmlN(2 * g.e) + " 0.1 " + vrmlN(k[i] * g.e));
        lines(out, {"}", ""});
    }

    writeFixedViewpoints(out, g.e, texts);
}

void plainSurface(std::string& out, const ViewObject& o) {
    const std::size_t n = o.vertices.size();
    if (n == 0) return;  // nothing to draw
    std::vector<std::string> points;
    for (const Point3& p : o.vertices) points.push_back(pointText(p));

    std::string colour = "0 0 1";
    std::string lineColour = "      0 0 1";
    if (!o.target) {
        // Near vertical or near horizontal surfaces grey, steep or shallow ones dark red.
        const double r = std::fmod(std::nearbyint(std::fabs(o.elevation)), 90.0);
        const bool grey = r < 20 || r > 70;
        colour = grey ? "0.6 0.6 0.6" : "0.6 0.0 0.0";
        lineColour = "    " + colour;
    }

    std::string faceIndex = "      ";
    std::string lineIndex = "      ";
    std::string colourIndex = "      ";
    for (std::size_t i = 0; i < n; ++i) {
        const long long k = static_cast<long long>(i);
        if (i > 0) faceIndex += ", ";
        faceIndex += vrmlI(k);
        lineIndex += vrmlI(k) + ", ";
        colourIndex += "0, ";
    }
    lineIndex += "0";
    colourIndex += "0";

    lines(out, {"Shape {", "  appearance Appearance {", "    material Material {"});
    vrmlLine(out, "      diffuseColor " + colour);
    lines(out, {"    }", "  }", "  geometry IndexedFaceSet {", "    solid FALSE",
                "    coord Coordinate {", "      point ["});
    for (const auto& p : points) vrmlLine(out, p);
    lines(out, {"      ]", "    }", "    coordIndex ["});
    vrmlLine(out, faceIndex);
    lines(out, {"    ]", "  }", "}"});

    lines(out, {"Shape {", "  geometry IndexedLineSet {", "    color Color {", "      color ["});
    vrmlLine(out, lineColour);
    lines(out, {"      ]", "    }", "    coord Coordinate {", "      point ["});
    for (const auto& p : points) vrmlLine(out, p);
    lines(out, {"      ]", "    }", "    coordIndex ["});
    vrmlLine(out, lineIndex);
    lines(out, {"    ]", "    colorIndex ["});
    vrmlLine(out, colourIndex);
    lines(out, {"    ]", "  }", "}"});
}

void tree(std::string& out, const ViewObject& o) {
    const auto& p = o.parameters;
    const double h = p[0], d = p[1], kd = p[2], fx = p[3], fy = p[4], fz = p[5];

    lines(out, {"Transform {", "  children [", "    Shape {", "      appearance Appearance {",
                "        material Material {", "          diffuseColor 0.7 0.3 0.3", "        }",
                "      }", "      geometry Cylinder {", "        bottom TRUE", "        side TRUE",
                "        top TRUE"});
    vrmlLine(out, "        height " + vrmlN(h + kd / 2));
    vrmlLine(out, "        radius " + vrmlN(d / 2));
    lines(out, {"      }", "    }", "  ]"});
    vrmlLine(out, "  translation " + vrmlN(fx) + " " + vrmlN(fz + (h + kd / 2) / 2) + " " + vrmlN(-fy));
    vrmlLine(out, "}");

    lines(out, {"Transform {", "  children [", "    Shape {", "      appearance Appearance {",
                "        material Material {", "          diffuseColor 0.0 0.7 0.0", "        }",
                "      }"});
    vrmlLine(out, "      geometry Sphere { radius " + vrmlN(kd / 2) + " }");
    lines(out, {"    }", "  ]"});
    vrmlLine(out, "  translation " + vrmlN(fx) + " " + vrmlN(fz + h + kd / 2) + " " + vrmlN(-fy));
    lines(out, {"}", ""});
}

void house(std::string& out, const ViewObject& o) {
    const auto& p = o.parameters;
    const double b = p[0], a = p[1], h = p[2], r = p[3], phi = p[4] * kDegree;
    const double tx = p[5], ty = p[6], tz = p[7];
    const double c = std::cos(phi), s = std::sin(phi);
    const std::string rotation = "  rotation 0 1 0 " + vrmlN(-phi);

    lines(out, {"Transform {", "  children [", "    Shape {", "      appearance Appearance {",
                 "        material Material {", "        diffuseColor 0.8 0.8 0.8  # hellgrau",
                 "        }", "      }", "      geometry Box {"});
    vrmlLine(out, "        size " + vrmlN(a) + " " + vrmlN(h) + " " + vrmlN(b));
    lines(out, {"      }", "    }", "  ]"});
    vrmlLine(out, "  translation " + vrmlN(tx + c * a / 2 + s * b / 2) + " " + vrmlN(tz + h / 2) +
                       " " + vrmlN(-(ty - s * a / 2 + c * b / 2)));
    vrmlLine(out, rotation);
    lines(out, {"}", ""});

    lines(out, {"Transform {", "  children [", "    Shape {", "      geometry IndexedFaceSet {",
                 "        solid FALSE", "        color Color {", "          color [",
                 "             0.5  0.5  0.5, # mittelgrau", "             0.9  0.5  0.5  # braun",
                 "          ]", "        }", "        coord Coordinate {", "          point [",
                 "            0  0  0, # links vorn"});
    vrmlLine(out, "            " + vrmlN(a) + "  0  0, # rechts vorn");
    vrmlLine(out, "            " + vrmlN(a / 2) + " " + vrmlN(r) + "  0, # oben vorn");
    vrmlLine(out, "            0  0 " + vrmlN(-b) + ", # links hinten");
    vrmlLine(out, "            " + vrmlN(a) + "  0  " + vrmlN(-b) + ",  # rechts hinten");
    vrmlLine(out, "            " + vrmlN(a / 2) + " " + vrmlN(r) + " " + vrmlN(-b) + ",  # oben hinten");
    lines(out, {"          ]", "        }", "        coordIndex [",
                 "          0, 1, 2, -1,    # vorderes Dreieck",
                 "          3, 4, 5, -1,    # hinteres Dreieck",
                 "          0, 2, 5, 3, -1, # linkes Quadrat",
                 "          1, 2, 5, 4, -1, # rechtes Quadrat",
                 "          0, 1, 4, 3      # unteres Quadrat", "        ]", "        colorIndex [",
                 "          0, 0, 0, -1,", "          0, 0, 0, -1,", "          1, 1, 1, 1, -1,",
                 "          1, 1, 1, 1, -1,", "          1, 1, 1, 1", "        ]", "      }",
                 "    }", "  ]"});
    vrmlLine(out, rotation);
    vrmlLine(out, "  translation " + vrmlN(tx) + " " + vrmlN(tz + h) + " " + vrmlN(-ty));
    lines(out, {"}", ""});
}

void objects(std::string& out, const ViewScene& scene) {
    for (const ViewObject& o : scene.objects) {
        switch (o.kind) {
            case ObjectKind::Tree: tree(out, o); break;
            case ObjectKind::House: house(out, o); break;
            case ObjectKind::Plain: plainSurface(out, o); break;
        }
    }
}

void wall(std::string& out, const char* colour, std::initializer_list<std::string> points,
          const char* index) {
    lines(out, {"Shape {", "  appearance Appearance {", "    material Material {", colour, "    }",
                "  }", "  geometry IndexedFaceSet {", "    solid FALSE", "    coord Coordinate {",
                "      point ["});
    for (const auto& p : points) vrmlLine(out, "        " + p);
    lines(out, {"      ]", "    }", "    coordIndex [", index, "    ]", "  }", "}"});
}

// Per segment a wall standing on the ground disc's rim and a ground wedge to the origin.
void horizon(std::string& out, const ViewScene& scene, const Ground& g) {
    for (const HorizonWall& w : scene.horizon) {
        const double a1 = w.from, a2 = w.to;
        const long long k = w.segments;
        const std::string top = vrmlN(g.r * std::tan(w.height * kDegree));
        for (long long seg = 1; seg <= k; ++seg) {
            const double b = (a1 + (a2 - a1) * static_cast<double>(seg - 1) / static_cast<double>(k)) * kDegree;
            const double b2 = (a1 + (a2 - a1) * static_cast<double>(seg) / static_cast<double>(k)) * kDegree;
            const std::string x1 = vrmlN(g.r * std::cos(b)), z1 = vrmlN(g.r * std::sin(b));
            const std::string x2 = vrmlN(g.r * std::cos(b2)), z2 = vrmlN(g.r * std::sin(b2));
            wall(out, "      diffuseColor 0.8 0.8 0.8",
                 {x1 + " 0 " + z1, x1 + " " + top + " " + z1, x2 + " " + top + " " + z2, x2 + " 0 " + z2},
                 "      0 1 2 3");
            wall(out, "      diffuseColor 0 1 0", {x1 + " 0 " + z1, "0 0 0", x2 + " 0 " + z2}, "      0 1 2");
        }
    }
}

void notice(std::string& out, const VrmlTexts& texts) {
    lines(out, {"Transform {", "  children [", "    Shape {", "      appearance Appearance {",
                "        material Material {", "        diffuseColor 1 0 0", "        }", "      }",
                "      geometry Text {", "        fontStyle FontStyle{",
                "          family \"SERIF\"", "          size 0.3",
                // VRML spells the bold italic style as one word; "BOLD ITALIC" is unknown
                // to readers.
                "          style \"BOLDITALIC\"", "          justify \"MIDDLE\"", "        }"});
    vrmlLine(out, "        string " + texts.noObjects);
    lines(out, {"      }", "    }", "  ]", "  rotation 1 0 0 -1.57", "  translation 0 0.1 0 ", "}", ""});
}

}  // namespace

std::string vrmlDocument(const Lines& text, const VrmlTexts& texts, const std::string& fileName) {
    const ViewScene scene = readViewScene(text, fileName);
    Ground g;
    g.e = scene.extent.size;
    g.r = std::nearbyint(100.0 * g.e);  // finite: coordinates lie within kMaxCoordinate

    std::string out;
    header(out, g, texts);
    if (scene.extent.hasObjects) {
        writeTargetViewpoints(out, text, scene, texts);
        objects(out, scene);
        horizon(out, scene, g);
    } else if (scene.hasHorizon) {
        horizon(out, scene, g);
    } else {
        notice(out, texts);
    }
    return out;
}

void writeVrmlFile(const Lines& text, const std::string& wrlPath, const VrmlTexts& texts,
                   const std::string& fileName) {
    writeFileAtomically(wrlPath, vrmlDocument(text, texts, fileName));
}

std::string VrmlDateiSchreiben(const Lines& text, const std::string& baseName, const VrmlTexts& texts,
                               const std::string& fileName) {
    const std::string wrlPath = baseName + ".wrl";
    writeVrmlFile(text, wrlPath, texts, fileName);
    return wrlPath;
}

}  // namespace penumbro
