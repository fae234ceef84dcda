#include "views/VrmlWriter.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "views/SceneExtent.h"
#include "views/Viewpoints.h"
#include "views/VrmlFormat.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace penumbro {

namespace {

constexpr double kGrad = std::numbers::pi / 180.0;
// A wider horizon interval would only repeat walls, thousands of them.
constexpr double kMaxHorizonSpan = 3600.0;

struct Szene {
    double e = 1.0;  // Ausdehnung
    double r = 100;  // Bodenradius, a whole number
};

void zeilen(std::string& out, std::initializer_list<const char*> lines) {
    for (const char* line : lines) vrmlZeile(out, line);
}

// Reads the objects of the text one line at a time and names the line in complaints.
class Leser {
public:
    Leser(const Lines& text, const std::string& fileName) : text_(text), file_(fileName) {}

    const std::string& next(const char* what) {
        if (pos_ >= text_.size()) {
            throw InputError(file_, static_cast<int>(text_.size()),
                             std::string("text ends where ") + what + " was expected");
        }
        return text_[pos_++];
    }
    bool nextIs(const char* line) const { return pos_ < text_.size() && text_[pos_] == line; }
    long long count(const char* what) {
        const std::size_t at = pos_;
        next(what);
        return ZaehlerLesen(text_, at, file_, what);
    }
    long long vertexCount() {
        const std::size_t at = pos_;
        const long long n = count("vertex count");
        if (n < 0 || n > 12) {
            throw InputError(file_, static_cast<int>(at + 1),
                             "vertex count " + std::to_string(n) + " is outside 0..12");
        }
        return n;
    }
    std::size_t position() const { return pos_; }
    const std::string& file() const { return file_; }

private:
    const Lines& text_;
    const std::string& file_;
    std::size_t pos_ = 0;
};

// The numbers of a parameter or placement line, whose first character ("#") goes.
Zahlen parameter(const std::string& line) {
    Zahlen z{};
    ZahlenZerlegen(std::string_view(line).substr(line.empty() ? 0 : 1), z);
    return z;
}

std::string punkt(const std::string& vertexLine) {
    Zahlen z{};
    ZahlenZerlegen(vertexLine, z);
    return "        " + vrmlN(z[0]) + " " + vrmlN(z[2]) + " " + vrmlN(-z[1]) + ",";
}

void kopf(std::string& out, const Szene& s, const VrmlTexte& texte) {
    zeilen(out, {"#VRML V2.0 utf8",
                 "Background {", "  skyColor [", "    0.0 0.1 0.8,", "    0.0 0.5 1.0,",
                 "    1.0 1.0 1.0", "  ]", "", "  skyAngle [0.785, 1.571]", "",
                 "  groundColor [", "    0.0 0.1 0.8,", "    0.0 0.5 1.0,", "    1.0 1.0 1.0",
                 "  ]", "  groundAngle [0.785, 1.571]", "}", "",
                 "NavigationInfo {", "  type [\"FLY\",\"EXAMINE\"]", "}", "",
                 "DirectionalLight {", "  color 1 1 1 ", "  direction 0 -1 0", "  intensity 0.5",
                 "  ambientIntensity 1", "  on TRUE", "}", ""});

    // Ground disc, its top face at Y = 0.
    zeilen(out, {"Transform {", "  children [", "    Shape {", "      appearance Appearance {",
                 "        material Material {", "          diffuseColor 0 1 0", "        }",
                 "      }", "      geometry Cylinder {", "        bottom TRUE", "        side TRUE",
                 "        top TRUE", "        height 1"});
    vrmlZeile(out, "        radius " + formatFixed(s.r, 0, 0));
    zeilen(out, {"      }", "    }", "  ]", "  translation 0 -0.5 0", "}", ""});

    // Ground polygon just below, seen from beneath as well.
    zeilen(out, {"Shape {", "  appearance Appearance {", "    material Material {",
                 "      diffuseColor 0 1 0", "    }", "  }", "  geometry IndexedFaceSet {",
                 "    solid FALSE", "    coord Coordinate {", "      point ["});
    for (int i = 0; i < 36; ++i) {
        const double a = 10.0 * i * kGrad;
        vrmlZeile(out, "        " + vrmlN(s.r * std::cos(a)) + " -0.01 " + vrmlN(s.r * std::sin(a)));
    }
    zeilen(out, {"      ]", "    }", "    coordIndex ["});
    std::string indices = "     ";
    for (int i = 0; i < 36; ++i) indices += " " + vrmlI(i);
    vrmlZeile(out, indices);
    zeilen(out, {"    ]", "  }", "}", ""});

    // The shared font and appearance. VRML allows no FontStyle or Appearance at the
    // top level, so they are defined inside a choice that is never drawn.
    zeilen(out, {"Switch {", "  whichChoice -1", "  choice [", "    Shape {",
                 "      appearance DEF Schwarz Appearance {",
                 "              material Material {", "                diffuseColor 0 0 0",
                 "              }", "            }", "      geometry Text {",
                 "        fontStyle DEF Schriftart FontStyle{",
                 "                 family \"SANS\""});
    vrmlZeile(out, "                 size " + vrmlN(s.e / 8));
    zeilen(out, {"                 style \"BOLD\"", "                 justify \"BEGIN\"",
                 "               }", "      }", "    }", "  ]", "}", ""});

    const std::string labels[3] = {texte.erstelltMit, "\"Penumbro shading study\"",
                                   "\"Sun and shade on building surfaces\""};
    const double k[3] = {1.7, 1.85, 2.0};
    for (int i = 0; i < 3; ++i) {
        zeilen(out, {"Transform {", "  children [", "    Shape {", "      appearance USE Schwarz",
                     "      geometry Text {", "        fontStyle USE Schriftart"});
        vrmlZeile(out, "        string " + labels[i]);
        zeilen(out, {"      }", "    }", "  ]", "  rotation 1 0 0 -1.57"});
        vrmlZeile(out, "  translation " + vrmlN(2 * s.e) + " 0.1 " + vrmlN(k[i] * s.e));
        zeilen(out, {"}", ""});
    }

    festeViewpointsSchreiben(out, s.e, texte);
}

void flaeche(std::string& out, Leser& in) {
    const bool target = in.nextIs("Target");
    if (target) in.next("");
    const long long n = in.vertexCount();
    for (long long i = 0; i < n; ++i) in.next("a local line");
    const Zahlen lage = parameter(in.next("the placement line"));
    std::vector<std::string> punkte;
    for (long long i = 0; i < n; ++i) punkte.push_back(punkt(in.next("a vertex line")));
    if (n == 0) return;  // nothing to draw

    std::string farbe = "0 0 1";
    std::string linienFarbe = "      0 0 1";
    if (!target) {
        // Near vertical or near horizontal surfaces grey, steep or shallow ones dark red.
        const double r = std::fmod(std::nearbyint(std::fabs(lage[1])), 90.0);
        const bool grau = r < 20 || r > 70;
        farbe = grau ? "0.6 0.6 0.6" : "0.6 0.0 0.0";
        linienFarbe = "    " + farbe;
    }

    std::string flaechenIndex = "      ";
    std::string linienIndex = "      ";
    std::string farbIndex = "      ";
    for (long long i = 0; i < n; ++i) {
        if (i > 0) flaechenIndex += ", ";
        flaechenIndex += vrmlI(i);
        linienIndex += vrmlI(i) + ", ";
        farbIndex += "0, ";
    }
    linienIndex += "0";
    farbIndex += "0";

    zeilen(out, {"Shape {", "  appearance Appearance {", "    material Material {"});
    vrmlZeile(out, "      diffuseColor " + farbe);
    zeilen(out, {"    }", "  }", "  geometry IndexedFaceSet {", "    solid FALSE",
                 "    coord Coordinate {", "      point ["});
    for (const auto& p : punkte) vrmlZeile(out, p);
    zeilen(out, {"      ]", "    }", "    coordIndex ["});
    vrmlZeile(out, flaechenIndex);
    zeilen(out, {"    ]", "  }", "}"});

    zeilen(out, {"Shape {", "  geometry IndexedLineSet {", "    color Color {", "      color ["});
    vrmlZeile(out, linienFarbe);
    zeilen(out, {"      ]", "    }", "    coord Coordinate {", "      point ["});
    for (const auto& p : punkte) vrmlZeile(out, p);
    zeilen(out, {"      ]", "    }", "    coordIndex ["});
    vrmlZeile(out, linienIndex);
    zeilen(out, {"    ]", "    colorIndex ["});
    vrmlZeile(out, farbIndex);
    zeilen(out, {"    ]", "  }", "}"});
}

// Moves past the seven surfaces of a tree or house; the first one's extra lines
// (foliage, parameter line) have been read already.
void restUeberspringen(Leser& in) {
    for (int surface = 0; surface < 7; ++surface) {
        if (surface > 0) in.next("a surface name");
        const long long n = in.vertexCount();
        for (long long i = 0; i < n; ++i) in.next("a vertex line");
    }
}

void baum(std::string& out, Leser& in) {
    in.next("the foliage line");
    const Zahlen p = parameter(in.next("the tree's parameter line"));
    restUeberspringen(in);
    const double h = p[0], d = p[1], kd = p[2], fx = p[3], fy = p[4], fz = p[5];

    zeilen(out, {"Transform {", "  children [", "    Shape {", "      appearance Appearance {",
                 "        material Material {", "          diffuseColor 0.7 0.3 0.3", "        }",
                 "      }", "      geometry Cylinder {", "        bottom TRUE", "        side TRUE",
                 "        top TRUE"});
    vrmlZeile(out, "        height " + vrmlN(h + kd / 2));
    vrmlZeile(out, "        radius " + vrmlN(d / 2));
    zeilen(out, {"      }", "    }", "  ]"});
    vrmlZeile(out, "  translation " + vrmlN(fx) + " " + vrmlN(fz + (h + kd / 2) / 2) + " " + vrmlN(-fy));
    vrmlZeile(out, "}");

    zeilen(out, {"Transform {", "  children [", "    Shape {", "      appearance Appearance {",
                 "        material Material {", "          diffuseColor 0.0 0.7 0.0", "        }",
                 "      }"});
    vrmlZeile(out, "      geometry Sphere { radius " + vrmlN(kd / 2) + " }");
    zeilen(out, {"    }", "  ]"});
    vrmlZeile(out, "  translation " + vrmlN(fx) + " " + vrmlN(fz + h + kd / 2) + " " + vrmlN(-fy));
    zeilen(out, {"}", ""});
}

void haus(std::string& out, Leser& in) {
    const Zahlen p = parameter(in.next("the house's parameter line"));
    restUeberspringen(in);
    const double b = p[0], a = p[1], h = p[2], r = p[3], phi = p[4] * kGrad;
    const double tx = p[5], ty = p[6], tz = p[7];
    const double c = std::cos(phi), s = std::sin(phi);
    const std::string rotation = "  rotation 0 1 0 " + vrmlN(-phi);

    zeilen(out, {"Transform {", "  children [", "    Shape {", "      appearance Appearance {",
                 "        material Material {", "        diffuseColor 0.8 0.8 0.8  # hellgrau",
                 "        }", "      }", "      geometry Box {"});
    vrmlZeile(out, "        size " + vrmlN(a) + " " + vrmlN(h) + " " + vrmlN(b));
    zeilen(out, {"      }", "    }", "  ]"});
    vrmlZeile(out, "  translation " + vrmlN(tx + c * a / 2 + s * b / 2) + " " + vrmlN(tz + h / 2) +
                       " " + vrmlN(-(ty - s * a / 2 + c * b / 2)));
    vrmlZeile(out, rotation);
    zeilen(out, {"}", ""});

    zeilen(out, {"Transform {", "  children [", "    Shape {", "      geometry IndexedFaceSet {",
                 "        solid FALSE", "        color Color {", "          color [",
                 "             0.5  0.5  0.5, # mittelgrau", "             0.9  0.5  0.5  # braun",
                 "          ]", "        }", "        coord Coordinate {", "          point [",
                 "            0  0  0, # links vorn"});
    vrmlZeile(out, "            " + vrmlN(a) + "  0  0, # rechts vorn");
    vrmlZeile(out, "            " + vrmlN(a / 2) + " " + vrmlN(r) + "  0, # oben vorn");
    vrmlZeile(out, "            0  0 " + vrmlN(-b) + ", # links hinten");
    vrmlZeile(out, "            " + vrmlN(a) + "  0  " + vrmlN(-b) + ",  # rechts hinten");
    vrmlZeile(out, "            " + vrmlN(a / 2) + " " + vrmlN(r) + " " + vrmlN(-b) + ",  # oben hinten");
    zeilen(out, {"          ]", "        }", "        coordIndex [",
                 "          0, 1, 2, -1,    # vorderes Dreieck",
                 "          3, 4, 5, -1,    # hinteres Dreieck",
                 "          0, 2, 5, 3, -1, # linkes Quadrat",
                 "          1, 2, 5, 4, -1, # rechtes Quadrat",
                 "          0, 1, 4, 3      # unteres Quadrat", "        ]", "        colorIndex [",
                 "          0, 0, 0, -1,", "          0, 0, 0, -1,", "          1, 1, 1, 1, -1,",
                 "          1, 1, 1, 1, -1,", "          1, 1, 1, 1", "        ]", "      }",
                 "    }", "  ]"});
    vrmlZeile(out, rotation);
    vrmlZeile(out, "  translation " + vrmlN(tx) + " " + vrmlN(tz + h) + " " + vrmlN(-ty));
    zeilen(out, {"}", ""});
}

void objekte(std::string& out, const Lines& text, const std::string& fileName) {
    Leser in(text, fileName);
    while (in.position() < text.size() && !text[in.position()].empty() && text[in.position()][0] == '*') {
        in.next("");
    }
    long long c = in.count("surface count");
    while (c > 0) {
        const std::string& name = in.next("a surface name");
        if (name == "Baum") {
            baum(out, in);
            c -= 6;
        } else if (name == "Frontseite") {
            haus(out, in);
            c -= 6;
        } else {
            flaeche(out, in);
        }
        --c;
    }
}

void wand(std::string& out, const char* farbe, std::initializer_list<std::string> punkte,
          const char* index) {
    zeilen(out, {"Shape {", "  appearance Appearance {", "    material Material {", farbe, "    }",
                 "  }", "  geometry IndexedFaceSet {", "    solid FALSE", "    coord Coordinate {",
                 "      point ["});
    for (const auto& p : punkte) vrmlZeile(out, "        " + p);
    zeilen(out, {"      ]", "    }", "    coordIndex [", index, "    ]", "  }", "}"});
}

// Draws the horizon entries; returns whether the text has a "Horizont" line.
bool horizont(std::string& out, const Lines& text, const Szene& s, const std::string& fileName) {
    bool gefunden = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != "Horizont") continue;
        gefunden = true;
        for (std::size_t j = i + 1; j < text.size(); ++j) {
            const std::string& entry = text[j];
            if (entry.empty() || !(entry[0] == '.' || (entry[0] >= '0' && entry[0] <= '9'))) break;
            const auto dash = entry.find('-');
            const auto eq = entry.find('=');
            // An entry without both separators has no interval to draw.
            if (dash == std::string::npos || eq == std::string::npos || eq < dash) continue;
            const std::string_view sv(entry);
            const double von = parseNumber(trimBlanks(sv.substr(0, dash))).value_or(0.0);
            const double bis = parseNumber(trimBlanks(sv.substr(dash + 1, eq - dash - 1))).value_or(0.0);
            double hoehe = parseNumber(trimBlanks(sv.substr(eq + 1))).value_or(0.0);
            double a1 = von - 90, a2 = bis - 90;
            if (hoehe == 90) hoehe = 89.9;
            if (a1 > a2) std::swap(a1, a2);
            if (a2 - a1 > kMaxHorizonSpan) {
                throw InputError(fileName, static_cast<int>(j + 1),
                                 "horizon interval \"" + entry + "\" spans more than 3600 degrees");
            }
            const long long k = static_cast<long long>(std::trunc(a2 - a1 + 1)) / 10 + 1;
            const std::string oben = vrmlN(s.r * std::tan(hoehe * kGrad));
            for (long long seg = 1; seg <= k; ++seg) {
                const double b = (a1 + (a2 - a1) * static_cast<double>(seg - 1) / static_cast<double>(k)) * kGrad;
                const double b2 = (a1 + (a2 - a1) * static_cast<double>(seg) / static_cast<double>(k)) * kGrad;
                const std::string x1 = vrmlN(s.r * std::cos(b)), z1 = vrmlN(s.r * std::sin(b));
                const std::string x2 = vrmlN(s.r * std::cos(b2)), z2 = vrmlN(s.r * std::sin(b2));
                wand(out, "      diffuseColor 0.8 0.8 0.8",
                     {x1 + " 0 " + z1, x1 + " " + oben + " " + z1, x2 + " " + oben + " " + z2,
                      x2 + " 0 " + z2},
                     "      0 1 2 3");
                wand(out, "      diffuseColor 0 1 0", {x1 + " 0 " + z1, "0 0 0", x2 + " 0 " + z2},
                     "      0 1 2");
            }
        }
    }
    return gefunden;
}

void hinweis(std::string& out, const VrmlTexte& texte) {
    zeilen(out, {"Transform {", "  children [", "    Shape {", "      appearance Appearance {",
                 "        material Material {", "        diffuseColor 1 0 0", "        }", "      }",
                 "      geometry Text {", "        fontStyle FontStyle{",
                 "          family \"SERIF\"", "          size 0.3",
                 // VRML spells the bold italic style as one word; "BOLD ITALIC" is unknown
                 // to readers.
                 "          style \"BOLDITALIC\"", "          justify \"MIDDLE\"", "        }"});
    vrmlZeile(out, "        string " + texte.keineObjekte);
    zeilen(out, {"      }", "    }", "  ]", "  rotation 1 0 0 -1.57", "  translation 0 0.1 0 ", "}", ""});
}

}  // namespace

std::string vrmlDokument(const Lines& text, const VrmlTexte& texte, const std::string& fileName) {
    const SceneExtent extent = SzenenAusdehnung(text, fileName);
    Szene s;
    s.e = extent.ausdehnung;
    s.r = std::nearbyint(100.0 * s.e);
    if (!std::isfinite(s.r)) throw InputError(fileName, 0, "the scene is too large to draw");

    std::string out;
    kopf(out, s, texte);
    if (extent.hatObjekte) {
        targetViewpointsSchreiben(out, text, texte, fileName);
        objekte(out, text, fileName);
        horizont(out, text, s, fileName);
    } else if (!horizont(out, text, s, fileName)) {
        hinweis(out, texte);
    }
    return out;
}

void vrmlDateiSchreibenNach(const Lines& text, const std::string& wrlPath, const VrmlTexte& texte,
                            const std::string& fileName) {
    writeFileAtomically(wrlPath, vrmlDokument(text, texte, fileName));
}

std::string VrmlDateiSchreiben(const Lines& text, const std::string& baseName,
                               const VrmlTexte& texte, const std::string& fileName) {
    const std::string wrlPath = baseName + ".wrl";
    vrmlDateiSchreibenNach(text, wrlPath, texte, fileName);
    return wrlPath;
}

}  // namespace penumbro
